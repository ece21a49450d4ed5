// Feature bits of the phoneme names the word converter produces, for the
// devoicing passes.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace phoneme_feature {
constexpr uint32_t kConsonant = 1;
constexpr uint32_t kVowel = 2;
constexpr uint32_t kVoiced = 4;
constexpr uint32_t kMarked = 8;  // kept in the table, no rule reads it
constexpr uint32_t kHard = 16;
}  // namespace phoneme_feature

class PhonemeFeatureTable {
 public:
  PhonemeFeatureTable();

  // A name outside the table is neither a consonant nor voiceless.
  bool IsConsonant(std::string_view name) const;
  bool IsVoiceless(std::string_view name) const;
  bool IsVoicelessConsonant(std::string_view name) const;

 private:
  const uint32_t* Find(std::string_view name) const;

  std::map<std::string, uint32_t, std::less<>> features_;
};
