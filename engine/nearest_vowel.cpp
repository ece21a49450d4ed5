#include "engine/nearest_vowel.h"

#include <cstring>

namespace {

// Stress digits from the nearest to the farthest: unstressed degrees stand
// in for each other first, then the partial and the full stress.
struct DigitOrder {
  char digit;
  const char* nearest;
};
constexpr DigitOrder kNearestDigits[] = {
    {'0', "512"}, {'5', "012"}, {'1', "250"}, {'2', "150"}, {'3', "2150"}};

constexpr const char* kVowelLetters = "AEIOUY";

}  // namespace

std::string NearestHeldVowel(std::string_view name,
                             const std::function<bool(std::string_view)>& held) {
  if (name.size() < 2 || std::strchr(kVowelLetters, name.front()) == nullptr) return {};
  const char digit = name.back();
  for (const DigitOrder& order : kNearestDigits) {
    if (order.digit != digit) continue;
    std::string candidate(name);
    for (const char* nearest = order.nearest; *nearest != '\0'; ++nearest) {
      candidate.back() = *nearest;
      if (held(candidate)) return candidate;
    }
  }
  return {};
}
