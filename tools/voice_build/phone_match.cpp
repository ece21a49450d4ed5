#include "tools/voice_build/phone_match.h"

#include <string>

namespace {

// The recording's consonants and our names for them.
struct ConsonantLabel {
  std::string_view label;
  std::string_view phoneme;
};
constexpr ConsonantLabel kConsonants[] = {
    {"b", "B"},   {"bb", "B'"}, {"p", "P"},     {"pp", "P'"}, {"d", "D"},   {"dd", "D'"},
    {"t", "T"},   {"tt", "T'"}, {"g", "G"},     {"gg", "G'"}, {"k", "K"},   {"kk", "K'"},
    {"v", "V"},   {"vv", "V'"}, {"f", "F"},     {"ff", "F'"}, {"z", "Z"},   {"zz", "Z'"},
    {"s", "S"},   {"ss", "S'"}, {"zh", "ZH"},   {"sh", "SH"}, {"sch", "SH'"}, {"c", "C"},
    {"ch", "CH'"}, {"h", "X"},  {"hh", "X'"},   {"m", "M"},   {"mm", "M'"}, {"n", "N"},
    {"nn", "N'"}, {"l", "L"},   {"ll", "L'"},   {"r", "R"},   {"rr", "R'"}, {"j", "J'"},
};

// Vowel labels: the vowel letter of our names it stands for (or '*' for
// the reduced vowel after soft consonants) and whether it is stressed.
struct VowelLabel {
  std::string_view label;
  char quality;
  bool stressed;
};
constexpr VowelLabel kVowels[] = {
    {"aa", 'A', true},  {"oo", 'O', true},  {"ee", 'E', true},  {"ii", 'I', true},
    {"uu", 'U', true},  {"yy", 'Y', true},  {"a", 'A', false},  {"ae", 'A', false},
    {"ay", '*', false}, {"e", 'E', false},  {"i", 'I', false},  {"y", 'Y', false},
    {"u", 'U', false},  {"ur", 'U', false},
};

// Unstressed realisations that are the expected reduction of our vowel.
bool IsReductionOf(char ours, std::string_view label) {
  switch (ours) {
    case 'A': return label == "a" || label == "ae" || label == "ay";
    case 'O': return label == "a" || label == "ae";
    case 'E': return label == "e" || label == "i" || label == "ay" || label == "y";
    case 'I': return label == "i" || label == "ay";
    case 'Y': return label == "y" || label == "ae";
    case 'U': return label == "u" || label == "ur";
  }
  return false;
}

const ConsonantLabel* FindConsonant(std::string_view label) {
  for (const auto& c : kConsonants)
    if (c.label == label) return &c;
  return nullptr;
}

const VowelLabel* FindVowel(std::string_view label) {
  for (const auto& v : kVowels)
    if (v.label == label) return &v;
  return nullptr;
}

std::string_view Hard(std::string_view name) {
  return !name.empty() && name.back() == '\'' ? name.substr(0, name.size() - 1) : name;
}

constexpr std::string_view kVoicingPairs[][2] = {{"B", "P"}, {"D", "T"},  {"G", "K"},
                                                 {"V", "F"}, {"Z", "S"},  {"ZH", "SH"}};

bool VoicingPair(std::string_view a, std::string_view b) {
  for (const auto& pair : kVoicingPairs)
    if ((a == pair[0] && b == pair[1]) || (a == pair[1] && b == pair[0])) return true;
  return false;
}

int ConsonantCost(std::string_view ours, std::string_view theirs) {
  if (ours == theirs) return 0;
  const bool sameSoftness = (ours.back() == '\'') == (theirs.back() == '\'');
  const std::string_view a = Hard(ours), b = Hard(theirs);
  if (a == b) return 1;
  if (VoicingPair(a, b)) return sameSoftness ? 1 : 2;
  // "-его" is said with "в".
  if ((a == "G" && b == "V") || (a == "V" && b == "G")) return 2;
  return 4;
}

}  // namespace

bool IsPauseLabel(std::string_view label) { return label == "pau" || label == "ssil"; }

bool IsStressedVowelLabel(std::string_view label) {
  const VowelLabel* v = FindVowel(label);
  return v != nullptr && v->stressed;
}

bool IsVowelPhoneme(std::string_view phoneme) {
  return !phoneme.empty() && phoneme.back() >= '0' && phoneme.back() <= '9';
}

int PhoneMatchCost(std::string_view phoneme, std::string_view label) {
  if (IsPauseLabel(label)) return kMismatchCost;
  if (!IsVowelPhoneme(phoneme)) {
    const ConsonantLabel* c = FindConsonant(label);
    return c == nullptr ? kMismatchCost : ConsonantCost(phoneme, c->phoneme);
  }
  const VowelLabel* v = FindVowel(label);
  if (v == nullptr) return kMismatchCost;
  const char quality = phoneme.front();
  const char digit = phoneme.back();
  const bool stressed = digit == '0' || digit == '5';
  if (stressed) {
    if (v->stressed) return v->quality == quality ? 0 : 3;
    return v->quality == quality || IsReductionOf(quality, label) ? 1 : 3;
  }
  if (v->stressed) return v->quality == quality ? 1 : 3;
  return IsReductionOf(quality, label) ? 0 : 2;
}
