#include "tools/voice_build/front_end.h"

#include "foundation/char_classes.h"
#include "foundation/string_utils.h"
#include "tools/voice_build/cross_word_rules.h"

namespace {

constexpr unsigned char kSmallYo = 0xB8;  // "ё"

bool IsVowelLetter(char c) { return IsRusVowel(static_cast<unsigned char>(c)); }

int ResolveStress(const TextWord& word, const StressLexicon& lexicon) {
  if (word.stress >= 0) return word.stress;
  if (const auto* readings = lexicon.Find(word.letters)) return VowelLetterIndex(word.letters, readings->front());
  const size_t yo = word.letters.find(static_cast<char>(kSmallYo));
  return yo == std::string::npos ? -1 : static_cast<int>(yo);
}

}  // namespace

std::vector<TextSyntagma> SplitText(const std::string& text, const StressLexicon& lexicon) {
  std::vector<TextSyntagma> syntagmas(1);
  TextWord word;
  bool stressNext = false;
  auto endWord = [&] {
    if (!word.letters.empty()) {
      word.stress = ResolveStress(word, lexicon);
      syntagmas.back().push_back(word);
    }
    word = TextWord{};
    stressNext = false;
  };
  auto endSyntagma = [&] {
    endWord();
    if (!syntagmas.back().empty()) syntagmas.emplace_back();
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (IsRusLetter(c)) {
      const char lower = static_cast<char>(RusToLower(c));
      if (stressNext && IsVowelLetter(lower)) {
        word.stress = static_cast<int>(word.letters.size());
        stressNext = false;
      }
      word.letters += lower;
    } else if (c == '+') {
      stressNext = true;
    } else if (c == '-' && !word.letters.empty() && i + 1 < text.size() &&
               IsRusLetter(static_cast<unsigned char>(text[i + 1]))) {
      endWord();
    } else if (c == '\'') {
      // An apostrophe inside a word is not a letter of it.
    } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      endWord();
    } else {
      endSyntagma();
    }
  }
  endSyntagma();
  syntagmas.pop_back();
  return syntagmas;
}

RussianFrontEnd::RussianFrontEnd(const StressLexicon& lexicon) : lexicon_(lexicon) {
  letters_.SetMode(1);
}

std::vector<SpokenSyntagma> RussianFrontEnd::Analyze(const std::string& text) const {
  std::vector<SpokenSyntagma> out;
  for (const auto& syntagma : SplitText(text, lexicon_)) {
    SpokenSyntagma spoken = Transcribe(syntagma);
    if (!spoken.words.empty()) out.push_back(std::move(spoken));
  }
  return out;
}

std::string RussianFrontEnd::WordPhonemes(const std::string& letters, int stress) const {
  // Vowel flags as the text analysis passes them for sub-languages 1 and 2.
  std::vector<uint8_t> flags(letters.size(), 0);
  bool after = false;
  for (size_t i = 0; i < letters.size(); ++i) {
    if (!IsVowelLetter(letters[i])) continue;
    if (static_cast<int>(i) == stress) {
      flags[i] = letter_flag::kMainStress;
      after = true;
    } else {
      flags[i] = after ? letter_flag::kAfterStress : letter_flag::kBeforeStress;
    }
  }
  std::string out;
  letters_.ConvertRusWord(letters, flags, out);
  return out;
}

bool RussianFrontEnd::Allophones(const std::vector<std::string>& words,
                                 std::vector<std::vector<std::string>>& out) const {
  out.assign(words.size(), {});
  std::string list = "#";
  for (size_t i = 0; i < words.size(); ++i) list += (i == 0 ? "," : ",_,") + words[i];
  list += ",#";
  const auto allophones = phonetics_.PhonemesToAllophones(list);
  if (!allophones) return false;
  const std::vector<std::string> names = SplitList(*allophones);
  size_t at = 1;  // after the opening "#"
  for (size_t i = 0; i < words.size(); ++i) {
    const size_t count = SplitList(words[i]).size();
    if (at + count > names.size()) return false;
    out[i].assign(names.begin() + at, names.begin() + at + count);
    at += count + 1;  // the word and the "_" or "#" after it
  }
  return true;
}

SpokenSyntagma RussianFrontEnd::Transcribe(const TextSyntagma& words) const {
  SpokenSyntagma out;
  std::vector<std::string> strings;
  for (const auto& word : words) {
    std::string phonemes = WordPhonemes(word.letters, word.stress);
    if (phonemes.empty()) continue;
    if (!strings.empty()) ApplyCrossWordRules(strings.back(), phonemes);
    strings.push_back(std::move(phonemes));
    out.words.push_back(SpokenWord{word.letters, word.stress, {}, {}});
  }
  if (out.words.empty()) return out;
  std::vector<std::vector<std::string>> allophones;
  out.valid = Allophones(strings, allophones);
  for (size_t i = 0; i < out.words.size(); ++i) {
    out.words[i].phonemes = SplitList(strings[i]);
    if (out.valid) out.words[i].allophones = std::move(allophones[i]);
  }
  return out;
}
