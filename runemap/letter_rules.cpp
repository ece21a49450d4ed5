#include "runemap/letter_rules.h"

#include <array>
#include <cstdint>

#include "runemap/letter_classes.h"

namespace {

// A set of bytes, tested without a search.
class LetterSet {
 public:
  constexpr explicit LetterSet(std::string_view letters) : bits_{} {
    for (char c : letters) {
      const auto b = static_cast<unsigned char>(c);
      bits_[b >> 6] |= uint64_t{1} << (b & 63);
    }
  }
  constexpr bool Contains(char c) const {
    const auto b = static_cast<unsigned char>(c);
    return (bits_[b >> 6] >> (b & 63)) & 1;
  }

 private:
  std::array<uint64_t, 4> bits_;
};

// The letter at `i`, or 0 beyond the end of the text.
char At(std::string_view text, size_t i) { return i < text.size() ? text[i] : '\0'; }

std::string_view IotatedVowel(char c) {
  switch (c) {
    case 'ё': return "J',O";
    case 'а': return "A";
    case 'е': return "J',E";
    case 'и': return "I";
    case 'о': return "O";
    case 'у': return "U";
    case 'ы': return "Y";
    case 'э': return "E";
    case 'ю': return "J',U";
    case 'я': return "J',A";
    default: return {};
  }
}

std::string_view PlainVowel(char c) {
  switch (c) {
    case 'ё':
    case 'о': return "O";
    case 'а':
    case 'я': return "A";
    case 'е':
    case 'э': return "E";
    case 'и': return "I";
    case 'у':
    case 'ю': return "U";
    case 'ы': return "Y";
    default: return {};
  }
}

// Forms of one paired consonant: [soft][voiceless]. ж and ш have no soft
// forms of their own.
struct PairedForms {
  char letter;
  bool voiced;
  std::array<std::array<std::string_view, 2>, 2> forms;
};

constexpr std::array<PairedForms, 12> kPairedForms{{
    {'б', true, {{{"B", "P"}, {"B'", "P'"}}}},
    {'п', false, {{{"B", "P"}, {"B'", "P'"}}}},
    {'в', true, {{{"V", "F"}, {"V'", "F'"}}}},
    {'ф', false, {{{"V", "F"}, {"V'", "F'"}}}},
    {'г', true, {{{"G", "K"}, {"G'", "K'"}}}},
    {'к', false, {{{"G", "K"}, {"G'", "K'"}}}},
    {'д', true, {{{"D", "T"}, {"D'", "T'"}}}},
    {'т', false, {{{"D", "T"}, {"D'", "T'"}}}},
    {'з', true, {{{"Z", "S"}, {"Z'", "S'"}}}},
    {'с', false, {{{"Z", "S"}, {"Z'", "S'"}}}},
    {'ж', true, {{{"ZH", "SH"}, {"ZH", "SH"}}}},
    {'ш', false, {{{"ZH", "SH"}, {"ZH", "SH"}}}},
}};

const PairedForms* FindPaired(char c) {
  for (const PairedForms& p : kPairedForms)
    if (p.letter == c) return &p;
  return nullptr;
}

enum class Voicing { Own, Voiced, Voiceless };

constexpr LetterSet kSoftening("ёеиюя");
constexpr LetterSet kHardening("аоуъыэ");
constexpr LetterSet kVoicedTriggers("бгджз");
constexpr LetterSet kVoicelessTriggers("кпстфхцчшщ");
constexpr LetterSet kVoicelessAfterSign("кптфхцчшщ");
constexpr LetterSet kHardBeforeI("жцшъ");
constexpr LetterSet kSofteningNBefore("днст");
constexpr LetterSet kSofteningSBefore("нст");

}  // namespace

bool KeepsUnstressedO(std::string_view word) {
  return word.find("боа") != std::string_view::npos ||
         word.find("бонтон") != std::string_view::npos ||
         word.find("рококо") != std::string_view::npos;
}

std::string_view VowelPhoneme(std::string_view text, size_t i, VowelStress stress,
                              bool keepUnstressedO, const VowelRuleOptions& options) {
  const char c = text[i];
  const char prev = i > 0 ? text[i - 1] : '\0';
  if (options.iotateStressedOAfterSoftSign && c == 'о' && prev == 'ь' &&
      stress == VowelStress::Main)
    return "J',O";
  if (c == 'и' && prev == 'ь') return "J',I";
  if (c == 'и' && i > 0 && kHardBeforeI.Contains(prev)) return "Y";
  const bool iotated =
      i == 0 || kLetterClasses.IsVowel(prev) || prev == 'ъ' || prev == 'ь';
  const std::string_view result = iotated ? IotatedVowel(c) : PlainVowel(c);
  if (options.reduceUnstressedO && stress == VowelStress::None && result == "O" &&
      !keepUnstressedO)
    return "A";
  return result;
}

std::string_view UnpairedConsonantPhoneme(std::string_view text, size_t i) {
  const char c = text[i];
  const char prev = i > 0 ? text[i - 1] : '\0';
  const bool hasNext = i + 1 < text.size();
  const bool softNext = hasNext && kLetterClasses.IsSoftMarking(text[i + 1]);
  switch (c) {
    case 'ч':
      if (prev == 'ж' || prev == 'с') return {};
      return "CH'";
    case 'й': return "J'";
    case 'ц': return "C";
    case 'щ': return "SH'";
    case 'л': return softNext ? "L'" : "L";
    case 'м': return softNext ? "M'" : "M";
    case 'р': return softNext ? "R'" : "R";
    case 'х': return softNext ? "X'" : "X";
    case 'н':
      if (softNext) return "N'";
      // н before a consonant that is itself softened
      if (i + 2 < text.size() && kSofteningNBefore.Contains(text[i + 1]) &&
          kLetterClasses.IsSoftMarking(text[i + 2]))
        return "N'";
      return "N";
    default: return {};
  }
}

std::string_view PairedConsonantPhoneme(std::string_view text, size_t i) {
  const char c = text[i];
  const PairedForms* forms = FindPaired(c);
  if (forms == nullptr) return {};
  const char prev = i > 0 ? text[i - 1] : '\0';
  const bool hasNext = i + 1 < text.size();
  const char next = At(text, i + 1);

  if (hasNext) {
    if (c == 'г' && next == 'к') return "X";
    if (c == 'с' && next == 'ч') return "SH'";
    if (c == 'т' && next == 'н' && i > 0 && prev == 'с') return {};
    if (c == 'д' && next == 'н' && i > 0 && prev == 'з') return {};
    if (c == 'ж' && next == 'ч') return "SH'";
  }

  bool soft = false;
  Voicing voicing = Voicing::Own;
  if (!hasNext) {
    voicing = Voicing::Voiceless;
  } else if (next == 'ь') {
    soft = true;
    if (i + 2 >= text.size()) {
      voicing = Voicing::Voiceless;
    } else if (kVoicedTriggers.Contains(text[i + 2])) {
      voicing = Voicing::Voiced;
    } else if (kVoicelessAfterSign.Contains(text[i + 2])) {
      voicing = Voicing::Voiceless;
    }
  } else if (kSoftening.Contains(next)) {
    soft = true;
  } else if (kHardening.Contains(next)) {
    // hard, own voicing
  } else if (kVoicedTriggers.Contains(next)) {
    voicing = Voicing::Voiced;
  } else if (kVoicelessTriggers.Contains(next)) {
    voicing = Voicing::Voiceless;
  }

  const bool voiced = voicing == Voicing::Own ? forms->voiced : voicing == Voicing::Voiced;
  std::string_view result = forms->forms[soft ? 1 : 0][voiced ? 0 : 1];

  // с before a softened н, с or т
  if (c == 'с' && i + 2 < text.size() && kSofteningSBefore.Contains(next) &&
      kLetterClasses.IsSoftMarking(text[i + 2]))
    result = "S'";
  return result;
}
