#include "runemap/sonalik_letter_converter.h"

#include <utility>

#include "runemap/letter_classes.h"
#include "runemap/letter_rules.h"

namespace {

constexpr VowelRuleOptions kTextVowelRules{.iotateStressedOAfterSoftSign = false,
                                           .reduceUnstressedO = false};

// Strips the stress marks from the text, giving every kept character its
// stress digit. False when a mark is misplaced.
bool TakeStressMarks(std::string_view text, std::string& letters, std::string& digits) {
  bool mainSet = false;
  for (size_t j = 0; j < text.size(); ++j) {
    const char c = text[j];
    const bool afterVowel = j > 0 && kLetterClasses.IsVowel(text[j - 1]);
    if (c == '+') {
      if (!afterVowel || mainSet) return false;
      digits.back() = '0';
      mainSet = true;
    } else if (c == '-') {
      if (!afterVowel) return false;
      digits.back() = '5';
    } else {
      if (c == ' ') mainSet = false;
      letters += c;
      digits += mainSet ? '2' : '1';
    }
  }
  return true;
}

}  // namespace

SonalikLetterConverter::SonalikLetterConverter(
    std::function<bool(std::string_view name)> isConsonant) {
  devoicing_.zNext = isConsonant;
  devoicing_.zAfterNext = isConsonant;
  devoicing_.zAfterNextMayBeMissing = true;
  devoicing_.zhNext = std::move(isConsonant);
}

std::string SonalikLetterConverter::Convert(std::string_view text) const {
  std::string letters;
  std::string digits;
  letters.reserve(text.size());
  digits.reserve(text.size());
  if (!TakeStressMarks(text, letters, digits)) return {};

  std::string out = "#,";
  for (size_t i = 0; i < letters.size(); ++i) {
    const char c = letters[i];
    const uint8_t cls = kLetterClasses.Of(c);
    std::string_view phoneme;
    if (c == ' ') {
      out += "_,";
      continue;
    }
    if (cls & letter_class::kVowel) {
      const VowelStress stress = digits[i] == '0'   ? VowelStress::Main
                                 : digits[i] == '5' ? VowelStress::Secondary
                                                    : VowelStress::None;
      out += VowelPhoneme(letters, i, stress, false, kTextVowelRules);
      out += digits[i];
      out += ',';
      continue;
    }
    if (cls & letter_class::kPaired) {
      phoneme = PairedConsonantPhoneme(letters, i);
    } else if (cls & letter_class::kUnpaired) {
      phoneme = UnpairedConsonantPhoneme(letters, i);
    }
    if (phoneme.empty()) continue;
    out += phoneme;
    out += ',';
  }
  rewriter_.Apply(out, letters);
  DevoiceZ(out, devoicing_);
  DevoiceZh(out, devoicing_);
  out += '#';
  return out;
}
