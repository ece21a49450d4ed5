#include "tools/voice_build/unit_names.h"

#include <algorithm>
#include <cstdlib>
#include <set>

#include "sonalik/allophone_rules.h"

namespace {

enum Place { kLabial, kLabiodental, kDental, kPostalveolar, kPalatal, kVelar };
enum Manner { kPlosive, kNasal, kFricative, kAffricate, kLateral, kTrill, kGlide };

struct ConsonantFeatures {
  std::string_view base;  // without the softness mark
  Place place;
  Manner manner;
  bool voiced;
};

constexpr ConsonantFeatures kConsonantTable[] = {
    {"B", kLabial, kPlosive, true},        {"P", kLabial, kPlosive, false},
    {"M", kLabial, kNasal, true},          {"V", kLabiodental, kFricative, true},
    {"F", kLabiodental, kFricative, false}, {"D", kDental, kPlosive, true},
    {"T", kDental, kPlosive, false},       {"N", kDental, kNasal, true},
    {"L", kDental, kLateral, true},        {"S", kDental, kFricative, false},
    {"Z", kDental, kFricative, true},      {"C", kDental, kAffricate, false},
    {"SH", kPostalveolar, kFricative, false}, {"ZH", kPostalveolar, kFricative, true},
    {"CH", kPostalveolar, kAffricate, false}, {"R", kPostalveolar, kTrill, true},
    {"J", kPalatal, kGlide, true},         {"G", kVelar, kPlosive, true},
    {"K", kVelar, kPlosive, false},        {"X", kVelar, kFricative, false},
};

// Vowel qualities as (frontness, height, rounding).
struct VowelFeatures {
  char letter;
  int front, height, round;
};
constexpr VowelFeatures kVowelTable[] = {{'I', 2, 2, 0}, {'E', 2, 1, 0}, {'Y', 1, 2, 0},
                                         {'A', 1, 0, 0}, {'O', 0, 1, 1}, {'U', 0, 2, 1}};

// The consonant pairs that keep each other as context.
constexpr std::string_view kClusters[][2] = {
    {"T", "L"}, {"D", "L"}, {"T", "L'"}, {"D", "L'"}, {"T", "N"},  {"D", "N"},   {"T", "N'"},
    {"D", "N'"}, {"B", "M"}, {"B", "M'"}, {"P", "M"}, {"T", "S"},  {"D", "Z'"},  {"T", "CH'"},
    {"T", "SH'"}, {"T", "SH"}, {"T", "C"}, {"D", "ZH"}, {"P", "M'"}, {"T", "S'"}};

bool IsVowel(std::string_view name) {
  return !name.empty() && name.back() >= '0' && name.back() <= '9';
}

bool IsVowelBase(std::string_view name) {
  return name.size() == 1 && std::string_view("AEIOUY").find(name[0]) != std::string_view::npos;
}

bool IsBoundary(std::string_view name) { return name == "#" || name == "_"; }

const ConsonantFeatures* Consonant(std::string_view name) {
  std::string_view base = name;
  if (!base.empty() && base.back() == '\'') base.remove_suffix(1);
  for (const auto& c : kConsonantTable)
    if (c.base == base) return &c;
  return nullptr;
}

const VowelFeatures* Vowel(char letter) {
  for (const auto& v : kVowelTable)
    if (v.letter == letter) return &v;
  return nullptr;
}

int PlaceDistance(Place a, Place b) {
  if (a == b) return 0;
  const int d = std::abs(static_cast<int>(a) - static_cast<int>(b));
  return d == 1 ? 1 : 3;
}

int ConsonantDistance(std::string_view a, std::string_view b) {
  const ConsonantFeatures* x = Consonant(a);
  const ConsonantFeatures* y = Consonant(b);
  if (x == nullptr || y == nullptr) return 20;
  const bool softA = a.back() == '\'', softB = b.back() == '\'';
  return (softA != softB ? 4 : 0) + PlaceDistance(x->place, y->place) +
         (x->manner != y->manner ? 2 : 0) + (x->voiced != y->voiced ? 1 : 0);
}

// Vowel names with digits or bare vowel bases.
int VowelDistance(std::string_view a, std::string_view b) {
  const VowelFeatures* x = Vowel(a[0]);
  const VowelFeatures* y = Vowel(b[0]);
  if (x == nullptr || y == nullptr) return 20;
  int d = 2 * (std::abs(x->front - y->front) + std::abs(x->height - y->height) +
               std::abs(x->round - y->round));
  const char da = a.size() > 1 ? a.back() : 'x', db = b.size() > 1 ? b.back() : 'x';
  if (da != db) {
    const bool stressedA = da == '0' || da == '5', stressedB = db == '0' || db == '5';
    d += stressedA != stressedB ? 2 : 1;
  }
  return d;
}

enum ContextKind { kNone, kBoundaryContext, kConsonantContext, kVowelContext };

ContextKind KindOf(std::string_view context) {
  if (context.empty()) return kNone;
  if (IsBoundary(context)) return kBoundaryContext;
  if (IsVowel(context) || IsVowelBase(context)) return kVowelContext;
  return kConsonantContext;
}

int ContextDistance(std::string_view a, std::string_view b) {
  if (a == b) return 0;
  const ContextKind ka = KindOf(a), kb = KindOf(b);
  if (ka == kb) {
    switch (ka) {
      case kBoundaryContext: return 2;
      case kConsonantContext: return 2 * ConsonantDistance(a, b);
      case kVowelContext: return VowelDistance(a, b);
      case kNone: return 0;
    }
  }
  // A bare consonant stands before a consonant that it does not cluster with.
  auto pair = [&](ContextKind x, ContextKind y) { return (ka == x && kb == y) || (ka == y && kb == x); };
  if (pair(kNone, kConsonantContext)) return 3;
  if (pair(kNone, kBoundaryContext)) return 4;
  if (pair(kBoundaryContext, kConsonantContext)) return 6;
  return 12;
}

int PhonemeDistance(std::string_view a, std::string_view b) {
  if (a == b) return 0;
  if (IsVowel(a) != IsVowel(b)) return 100;
  return 10 + (IsVowel(a) ? VowelDistance(a, b) : ConsonantDistance(a, b));
}

}  // namespace

const std::vector<std::string>& ConsonantNames() {
  static const std::vector<std::string> names = {
      "B", "B'", "D", "D'", "G", "G'", "P", "P'", "T", "T'", "K", "K'", "M", "M'", "N", "N'", "L", "L'",
      "V", "V'", "Z", "Z'", "ZH", "R", "R'", "J'", "F", "F'", "S", "S'", "SH", "SH'", "X", "X'", "C", "CH'"};
  return names;
}

const std::vector<std::string>& VowelNames() {
  static const std::vector<std::string> names = {"U0", "I0", "O0", "A0", "E0", "Y0", "U1", "I1",
                                                 "A1", "E1", "Y1", "U2", "I2", "A2", "E2", "Y2"};
  return names;
}

std::vector<std::string> AllUnitNames() {
  std::set<std::string> direct;
  std::vector<std::string> vowelContexts = ConsonantNames();
  for (auto base : {"U", "I", "O", "A", "E", "Y", "#"}) vowelContexts.push_back(base);
  std::vector<std::string> vowels = VowelNames();
  for (auto v : {"U5", "I5", "O5", "A5", "E5", "Y5"}) vowels.push_back(v);
  for (const auto& v : vowels)
    for (const auto& c : vowelContexts) direct.insert(v + "-" + c);
  for (const auto& c : ConsonantNames()) {
    direct.insert(c);
    direct.insert(c + "-#");
    direct.insert(c + "-_");
    for (const auto& v : vowels) direct.insert(c + "-" + v);
  }
  for (const auto& cluster : kClusters)
    direct.insert(std::string(cluster[0]) + "-" + std::string(cluster[1]));
  std::set<std::string> all;
  for (const auto& name : direct) {
    // Partially stressed vowels are left to their substitutes.
    if (name.find('5') == std::string::npos) all.insert(name);
    all.insert(AllophoneRuleProcessor::GetSubstituteAllophone(name));
  }
  return {all.begin(), all.end()};
}

void SplitUnitName(std::string_view name, std::string& phoneme, std::string& context) {
  const size_t dash = name.find('-');
  phoneme = std::string(name.substr(0, dash));
  context = dash == std::string_view::npos ? std::string() : std::string(name.substr(dash + 1));
}

int UnitNameDistance(std::string_view wanted, std::string_view available) {
  std::string p1, c1, p2, c2;
  SplitUnitName(wanted, p1, c1);
  SplitUnitName(available, p2, c2);
  return 10 * PhonemeDistance(p1, p2) + ContextDistance(c1, c2);
}
