#include "runemap/rus_letter_converter.h"

#include <algorithm>

#include "foundation/char_classes.h"
#include "runemap/letter_classes.h"
#include "runemap/letter_rules.h"
#include "runemap/vowel_glide_merge.h"

namespace {

constexpr VowelRuleOptions kWordVowelRules{};

// Walks the letters and writes their phonemes; `stressOf(i)` gives the
// stress kind of the vowel at i and `writeDigit` appends its stress digit.
template <typename StressOf, typename WriteDigit>
void WriteLetterPhonemes(std::string_view word, StressOf stressOf, WriteDigit writeDigit,
                         std::string& out) {
  const bool keepO = KeepsUnstressedO(word);
  for (size_t i = 0; i < word.size(); ++i) {
    const uint8_t cls = kLetterClasses.Of(word[i]);
    std::string_view phoneme;
    if (cls & letter_class::kVowel) {
      const VowelStress stress = stressOf(i);
      if (!out.empty()) out += ',';
      out += VowelPhoneme(word, i, stress, keepO, kWordVowelRules);
      writeDigit(stress, i, out);
      continue;
    }
    if (cls & letter_class::kPaired) {
      phoneme = PairedConsonantPhoneme(word, i);
    } else if (cls & letter_class::kUnpaired) {
      phoneme = UnpairedConsonantPhoneme(word, i);
    }
    if (phoneme.empty()) continue;
    if (!out.empty()) out += ',';
    out += phoneme;
  }
}

// In mode 0 a stressed vowel turns the last "2" before it into "1" (phoneme
// names hold no digits, so the last '2' is the last such stress digit).
void MarkLastUnstressed(std::string& out) {
  const size_t last = out.rfind('2');
  if (last != std::string::npos) out[last] = '1';
}

}  // namespace

RusLetterConverter::RusLetterConverter() {
  devoicing_.zNext = [this](std::string_view name) { return features_.IsConsonant(name); };
  devoicing_.zAfterNext = [this](std::string_view name) {
    return features_.IsVoicelessConsonant(name);
  };
  devoicing_.zAfterNextMayBeMissing = false;
  devoicing_.zhNext = [this](std::string_view name) {
    return features_.IsVoicelessConsonant(name);
  };
}

void RusLetterConverter::ConvertRusWordStress(std::string_view letters, int32_t mainStress,
                                              std::span<const int32_t> secondary,
                                              std::string& out) const {
  std::string word(letters);
  RusLowerString(word);
  out.clear();

  const int32_t mode = mode_;
  bool afterMain = false;
  auto stressOf = [&](size_t i) {
    const auto pos = static_cast<int32_t>(i);
    if (pos == mainStress) return VowelStress::Main;
    if (std::find(secondary.begin(), secondary.end(), pos) != secondary.end())
      return VowelStress::Secondary;
    return VowelStress::None;
  };
  auto writeDigit = [&](VowelStress stress, size_t, std::string& text) {
    switch (stress) {
      case VowelStress::Main:
        if (mode == 0) MarkLastUnstressed(text);
        text += '0';
        afterMain = true;
        break;
      case VowelStress::Secondary:
        if (mode != 0) {
          text += '0';
        } else {
          MarkLastUnstressed(text);
          text += '5';
        }
        break;
      case VowelStress::None:
        if (mode == 1 || mode == 2)
          text += afterMain ? '2' : '1';
        else
          text += '2';
        break;
    }
  };
  WriteLetterPhonemes(word, stressOf, writeDigit, out);
  Finish(out, word, stressRewriter_);
}

void RusLetterConverter::ConvertRusWord(std::string_view letters, std::span<const uint8_t> flags,
                                        std::string& out) const {
  out.clear();
  auto flagOf = [&](size_t i) -> uint8_t { return i < flags.size() ? flags[i] : 0; };
  auto stressOf = [&](size_t i) {
    const uint8_t f = flagOf(i);
    if (f & letter_flag::kMainStress) return VowelStress::Main;
    if (f & letter_flag::kSecondaryStress) return VowelStress::Secondary;
    return VowelStress::None;
  };
  auto writeDigit = [&](VowelStress, size_t i, std::string& text) {
    const uint8_t f = flagOf(i);
    if (f & letter_flag::kMainStress)
      text += '0';
    else if (f & letter_flag::kSecondaryStress)
      text += '5';
    else if (f & letter_flag::kBeforeStress)
      text += '1';
    else
      text += '2';
  };
  WriteLetterPhonemes(letters, stressOf, writeDigit, out);
  Finish(out, letters, flagsRewriter_);
  if (mode_ == 2) MergeVowelGlides(out);
}

void RusLetterConverter::Finish(std::string& out, std::string_view letters,
                                const PhonemeRewriter& rewriter) const {
  if (out.empty()) return;
  rewriter.Apply(out, letters);
  DevoiceZ(out, devoicing_);
  DevoiceZh(out, devoicing_);
}
