#include "runemap/phoneme_features.h"

#include <array>

namespace {

struct FeatureRow {
  uint32_t bits;
  std::string_view names;  // blank-separated
};

constexpr std::array<FeatureRow, 7> kFeatureRows{{
    {25, "T S C SH P F K X"},
    {9, "T' S' C' SH' P' F' K' X' CH'"},
    {21, "D N B V M G R L J"},
    {5, "D' N' B' V' M' G' R' L' J'"},
    {29, "Z ZH"},
    {13, "Z' ZH'"},
    {2, "U0 U1 U2 U3 U5 I0 I1 I2 I3 I5 O0 O1 O2 O3 O5 "
        "A0 A1 A2 A3 A5 E0 E1 E2 E3 E5 Y0 Y1 Y2 Y3 Y5"},
}};

}  // namespace

PhonemeFeatureTable::PhonemeFeatureTable() {
  for (const FeatureRow& row : kFeatureRows) {
    std::string_view rest = row.names;
    while (!rest.empty()) {
      const size_t blank = rest.find(' ');
      const std::string_view name = rest.substr(0, blank);
      if (!name.empty()) features_.emplace(std::string(name), row.bits);
      rest = blank == std::string_view::npos ? std::string_view{} : rest.substr(blank + 1);
    }
  }
}

const uint32_t* PhonemeFeatureTable::Find(std::string_view name) const {
  const auto it = features_.find(name);
  return it == features_.end() ? nullptr : &it->second;
}

bool PhonemeFeatureTable::IsConsonant(std::string_view name) const {
  const uint32_t* bits = Find(name);
  return bits != nullptr && (*bits & phoneme_feature::kConsonant) != 0;
}

bool PhonemeFeatureTable::IsVoiceless(std::string_view name) const {
  const uint32_t* bits = Find(name);
  return bits != nullptr && (*bits & phoneme_feature::kVoiced) == 0;
}

bool PhonemeFeatureTable::IsVoicelessConsonant(std::string_view name) const {
  return IsConsonant(name) && IsVoiceless(name);
}
