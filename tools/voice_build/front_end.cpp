#include "tools/voice_build/front_end.h"

#include "engine/syntagma_phonemes.h"
#include "foundation/char_classes.h"
#include "foundation/string_utils.h"

namespace {

bool IsVowelLetter(char c) { return IsRusVowel(static_cast<unsigned char>(c)); }

std::string TakeString(char* text) {
  std::string copy = text != nullptr ? text : "";
  CoTaskMemFree(text);
  return copy;
}

// The word strings of one popped syntagma; frees what the server gave.
std::vector<SpokenWord> TakeWords(Syntagma2& syntagma, std::vector<std::string>& strings) {
  std::vector<SpokenWord> words;
  for (INT w = 0; syntagma.words != nullptr && w < syntagma.num_words; ++w) {
    SyntagmaWord2& word = syntagma.words[w];
    strings.push_back(TakeString(word.str));
    words.push_back(SpokenWord{TakeString(word.raw_text), word.word_itvl, {}, {}});
  }
  CoTaskMemFree(syntagma.words);
  return words;
}

}  // namespace

std::string StressMarksAfterVowels(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '+' && i + 1 < text.size() && IsVowelLetter(text[i + 1])) {
      out += text[++i];
      out += '+';
    } else if (text[i] != '+') {
      out += text[i];
    }
  }
  return out;
}

RussianFrontEnd::RussianFrontEnd() {
  letters_.SetMode(1);
  if (FAILED(CoCreateInstance(CLSID_RusTextTagsProcessor, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&analysis_)))) {
    analysis_ = nullptr;
    return;
  }
  ILMSubLang* lang = nullptr;
  if (SUCCEEDED(analysis_->QueryInterface(IID_PPV_ARGS(&lang)))) {
    lang->SetLang(1);
    lang->Release();
  }
}

RussianFrontEnd::~RussianFrontEnd() {
  if (analysis_ != nullptr) analysis_->Release();
}

std::vector<SpokenSyntagma> RussianFrontEnd::Analyze(const std::string& text) const {
  std::vector<SpokenSyntagma> out;
  if (analysis_ == nullptr) return out;
  std::vector<std::vector<std::string>> strings;
  {
    std::lock_guard<std::mutex> hold(analysisLock_);
    analysis_->Reset();
    // "+" marks count only inside a "Stress" tag.
    std::string tagText = "Stress";
    MarkupInfo stress{tagText.data(), Interval{0, static_cast<UI4>(text.size())}};
    std::string copy = text;
    analysis_->PushText(copy.data(), &stress, 1);
    for (I4 more = 1; more != 0;) {
      Syntagma2* syntagmas = nullptr;
      INT count = 0;
      if (FAILED(analysis_->PopSentence(&syntagmas, &count, &more))) break;
      for (INT s = 0; syntagmas != nullptr && s < count; ++s) {
        SpokenSyntagma spoken;
        strings.emplace_back();
        spoken.words = TakeWords(syntagmas[s], strings.back());
        out.push_back(std::move(spoken));
      }
      CoTaskMemFree(syntagmas);
    }
    analysis_->Reset();
  }
  std::vector<SpokenSyntagma> kept;
  for (size_t s = 0; s < out.size(); ++s) {
    if (out[s].words.empty()) continue;
    std::vector<std::vector<std::string>> allophones;
    const bool valid = Allophones(strings[s], allophones);
    SpokenSyntagma syntagma;
    syntagma.valid = valid;
    for (size_t w = 0; w < out[s].words.size(); ++w) {
      if (strings[s][w].empty()) continue;
      SpokenWord word = std::move(out[s].words[w]);
      word.phonemes = SplitList(strings[s][w]);
      if (valid) word.allophones = std::move(allophones[w]);
      syntagma.words.push_back(std::move(word));
    }
    if (!syntagma.words.empty()) kept.push_back(std::move(syntagma));
  }
  return kept;
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
  const auto allophones = phonetics_.PhonemesToAllophones(JoinSyntagmaPhonemes(words));
  if (!allophones) return false;
  const std::vector<std::string> parts = SplitSyntagmaAllophones(*allophones);
  if (parts.size() != words.size()) return false;
  for (size_t i = 0; i < words.size(); ++i) {
    out[i] = SplitList(parts[i]);
    if (out[i].size() != SplitList(words[i]).size()) return false;
  }
  return true;
}
