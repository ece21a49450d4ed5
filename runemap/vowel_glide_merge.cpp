#include "runemap/vowel_glide_merge.h"

#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kGlide = "J'";

bool IsVowelToken(std::string_view token) {
  return !token.empty() && std::string_view("AEIOUY").find(token[0]) != std::string_view::npos;
}

char DigitOf(std::string_view token) { return token.size() > 1 ? token[1] : '\0'; }

std::vector<std::string_view> SplitTokens(std::string_view list) {
  std::vector<std::string_view> tokens;
  size_t start = 0;
  while (start <= list.size()) {
    const size_t comma = list.find(',', start);
    const size_t end = comma == std::string_view::npos ? list.size() : comma;
    tokens.push_back(list.substr(start, end - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return tokens;
}

}  // namespace

void MergeVowelGlides(std::string& phonemes) {
  if (phonemes.find(kGlide) == std::string::npos) return;
  const std::vector<std::string_view> tokens = SplitTokens(phonemes);
  std::string merged;
  merged.reserve(phonemes.size());
  auto emit = [&merged](std::string_view a, std::string_view b = {}, std::string_view c = {}) {
    if (!merged.empty()) merged += ',';
    merged.append(a).append(b).append(c);
  };

  size_t k = 0;
  while (k < tokens.size()) {
    const std::string_view v = tokens[k];
    if (!IsVowelToken(v) || k + 1 >= tokens.size() || tokens[k + 1] != kGlide) {
      emit(v);
      ++k;
      continue;
    }
    const char vDigit = DigitOf(v);
    const std::string_view vLetter = v.substr(0, 1);
    if (k + 2 >= tokens.size()) {
      // glide ends the word
      if (vDigit == '0' || vDigit == '2') {
        emit(vLetter, kGlide, v.substr(1, 1));
        k += 2;
      } else {
        emit(v);
        ++k;
      }
      continue;
    }
    const std::string_view w = tokens[k + 2];
    if (IsVowelToken(w)) {
      const char wDigit = DigitOf(w);
      if ((vDigit == '0' || vDigit == '2') && wDigit == '2') {
        emit(vLetter, w.substr(0, 1), v.substr(1, 1));
        k += 3;
      } else {
        emit(v);
        ++k;
      }
      continue;
    }
    if (vDigit == '0' || vDigit == '2') {
      emit(vLetter, kGlide, v.substr(1, 1));
      k += 2;
    } else {
      emit(v);
      ++k;
    }
  }
  phonemes.swap(merged);
}
