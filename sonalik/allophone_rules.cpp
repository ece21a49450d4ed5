#include "sonalik/allophone_rules.h"

#include <algorithm>

namespace {

using namespace Sound;

constexpr std::string_view kDiphthongBases[] = {
    "AA", "AE", "AU", "UA", "UE", "UU", "IA", "IE", "IU", "YA", "YE",
    "YU", "EA", "EE", "EU", "AJ'", "EJ'", "YJ'", "IJ'", "OJ'", "UJ'", "OE",
};

struct ContextGroup {
  char label;
  const char* names;  // blank-separated
};

// The consonant before a diphthong is named only by its group.
constexpr ContextGroup kContextGroups[] = {
    {'1', "P' B' M' V' F' T' D' N' L' S' Z' R' SH' CH' J'"},
    {'2', "G' K' X'"},
    {'3', "T D N S Z C R SH ZH"},
    {'4', "P B M V F L"},
    {'5', "G K X"},
};

// Consonant pairs in which the first keeps the second as its context.
constexpr std::string_view kClusters[] = {
    "TL", "DL", "TL'", "DL'", "TN", "DN", "TN'", "DN'", "BM", "BM'",
    "PM", "TS", "DZ'", "TCH'", "TSH'", "TSH", "TC", "DZH", "PM'", "TS'",
};

bool IsDiphthongBase(std::string_view base) {
  return std::find(std::begin(kDiphthongBases), std::end(kDiphthongBases), base) !=
         std::end(kDiphthongBases);
}

bool IsCluster(std::string_view pair) {
  return std::find(std::begin(kClusters), std::end(kClusters), pair) != std::end(kClusters);
}

bool NameInList(std::string_view names, std::string_view name) {
  size_t pos = 0;
  while (pos <= names.size()) {
    size_t end = names.find(' ', pos);
    if (end == std::string_view::npos) end = names.size();
    if (names.substr(pos, end - pos) == name) return true;
    pos = end + 1;
  }
  return false;
}

}  // namespace

std::string_view SoundBase(std::string_view name) {
  const size_t digit = name.find_first_of("0125");
  return digit == std::string_view::npos ? name : name.substr(0, digit);
}

AllophoneRuleProcessor::AllophoneRuleProcessor(const SoundLookup& sounds) : sounds_(sounds) {
  const SoundInventory& inventory = sounds.Inventory();
  const int size = inventory.Size();
  traits_.resize(size);
  clusters_.assign(static_cast<size_t>(size) * size, 0);
  for (int i = 0; i < size; ++i) {
    const std::string& name = inventory.At(i).name;
    RuleTraits& t = traits_[i];
    t.base = SoundBase(name);
    t.diphthong = (inventory.At(i).sd & Vowel) && IsDiphthongBase(t.base);
    for (const ContextGroup& group : kContextGroups) {
      if (NameInList(group.names, name)) t.contextGroup = group.label;
    }
    for (int q = 0; q < size; ++q) {
      if (IsCluster(name + inventory.At(q).name)) clusters_[static_cast<size_t>(i) * size + q] = 1;
    }
  }
  terminator_ = inventory.IndexOf("#");
}

void AllophoneRuleProcessor::AppendAllophone(std::string& out, int i,
                                             const std::vector<std::string>& phonemes,
                                             const std::vector<int>& index) const {
  const SoundInventory& inventory = sounds_.Inventory();
  const int n = static_cast<int>(phonemes.size());
  const int xi = index[i];
  if (xi < 0) return;
  const int pi = i > 0 ? index[i - 1] : terminator_;
  const int qi = i + 1 < n ? index[i + 1] : terminator_;
  const std::string& x = phonemes[i];
  const SoundDescription xsd = inventory.At(xi).sd;
  const SoundDescription psd = pi >= 0 ? inventory.At(pi).sd : 0;
  const SoundDescription qsd = qi >= 0 ? inventory.At(qi).sd : 0;

  if (xsd & None) {
    out += x;
    return;
  }
  if (xsd & Vowel) {
    if (traits_[xi].diphthong) {
      char group = pi >= 0 ? traits_[pi].contextGroup : 0;
      if (group == 0 && (psd & (Space | Terminator | Bit62))) group = '5';
      if (group != 0) {
        out += x;
        out += '-';
        out += group;
        return;
      }
    }
    out += x;
    out += '-';
    if (psd & None) {
      if (i <= 1) {
        out += '#';
      } else {
        std::string_view before = SoundBase(phonemes[i - 2]);
        if (IsDiphthongBase(before)) before.remove_prefix(1);
        out += before;
      }
    } else {
      out += pi >= 0 ? traits_[pi].base : SoundBase(phonemes[i - 1]);
    }
    return;
  }
  if (!(xsd & Consonant)) return;
  if (qsd & Consonant) {
    out += x;
    if (clusters_[static_cast<size_t>(xi) * inventory.Size() + qi]) {
      out += '-';
      out += inventory.At(qi).name;
    }
  } else if (qsd & Vowel) {
    const std::string& q = inventory.At(qi).name;
    out += x;
    out += '-';
    if (traits_[qi].diphthong) {
      out += q.front();
      out += q.back();
    } else {
      out += q;
    }
  } else if (qsd & Terminator) {
    out += x;
    out += "-#";
  } else if (qsd & Space) {
    out += x;
    out += "-_";
  }
}

std::vector<std::string> AllophoneRuleProcessor::PhonemesToAllophones(
    const std::vector<std::string>& phonemes) const {
  const int n = static_cast<int>(phonemes.size());
  std::vector<int> index(n);
  for (int i = 0; i < n; ++i) index[i] = sounds_.IndexOf(phonemes[i]);
  std::vector<std::string> allophones(n);
  for (int i = 0; i < n; ++i) AppendAllophone(allophones[i], i, phonemes, index);
  return allophones;
}

std::string AllophoneRuleProcessor::AllophoneToPhoneme(std::string_view allophone) {
  if (allophone == "#" || allophone == "_") return std::string(allophone);
  return std::string(allophone.substr(0, allophone.find('-')));
}

std::string AllophoneRuleProcessor::GetBasicAllophone(std::string_view allophone) const {
  std::string basic(allophone);
  const std::string phoneme = AllophoneToPhoneme(allophone);
  if (sounds_.GetSD(phoneme) & Vowel) {
    // The stress digit follows the vowel base, which is one letter for the
    // plain vowels and more for the diphthongs.
    const size_t digit = SoundBase(phoneme).size();
    if (digit < phoneme.size()) basic[digit] = '0';
  }
  return basic;
}

std::string AllophoneRuleProcessor::GetSubstituteAllophone(std::string_view allophone) {
  // A partially stressed vowel, or a context made of one, falls back to the
  // stressed vowel.
  const size_t five = allophone.find('5');
  if (five != std::string_view::npos) {
    std::string substitute(allophone);
    substitute[five] = '0';
    return substitute;
  }
  struct Fallback {
    const char* phonemes;  // blank-separated
    const char* context;
  };
  static constexpr Fallback kFallbacks[] = {
      {"A0 A1 E0 E1 U0 U1 I0 I1 O0", "-#"},
      {"Y0 A2 U2", "-K"},
      {"E2", "-C"},
      {"I2", "-K'"},
      {"Y2", "-T"},
  };
  const std::string phoneme = AllophoneToPhoneme(allophone);
  for (const Fallback& fallback : kFallbacks) {
    if (NameInList(fallback.phonemes, phoneme)) return phoneme + fallback.context;
  }
  return phoneme;
}
