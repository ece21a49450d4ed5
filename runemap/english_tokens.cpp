#include "runemap/english_tokens.h"

#include "foundation/char_classes.h"
#include "runemap/letter_rule_base.h"

namespace {

// A bare consonant letter token; vowel tokens carry their digit.
bool IsConsonantToken(const std::string& token) {
  return token.size() == 1 && IsLatinConsonant(static_cast<unsigned char>(token[0]));
}

}  // namespace

bool BuildLetterTokens(const std::string& framed, std::vector<std::string>& tokens) {
  tokens.clear();
  tokens.emplace_back(1, framed.front());
  for (size_t i = 1; i + 1 < framed.size(); ++i) {
    const auto c = static_cast<unsigned char>(framed[i]);
    if (!IsLatinLetter(c)) return false;
    tokens.emplace_back(1, static_cast<char>(LatinToUpper(c)));
  }
  tokens.emplace_back(1, framed.back());
  return true;
}

void AssignStressDigits(std::vector<std::string>& tokens, int32_t mainStress,
                        const std::vector<int32_t>& secondary) {
  // tokens[0] is the opening boundary, so letter i is token i + 1. Only a
  // stressed vowel starts the part after the stress: with the stress on a
  // consonant every vowel is before it.
  bool afterStress = false;
  for (size_t t = 1; t + 1 < tokens.size(); ++t) {
    std::string& token = tokens[t];
    if (!IsLatinVowel(static_cast<unsigned char>(token[0]))) continue;
    if (static_cast<int32_t>(t - 1) == mainStress) {
      token += '0';
      afterStress = true;
    } else {
      token += afterStress ? '2' : '1';
    }
  }
  for (int32_t letter : secondary) {
    const size_t t = static_cast<size_t>(letter) + 1;
    if (letter < 0 || t + 1 >= tokens.size()) continue;
    std::string& token = tokens[t];
    if (token.size() == 2) token.back() = '5';
  }
}

void RemoveSilentLetters(std::vector<std::string>& tokens) {
  if (tokens.size() > 3 && tokens[1] == "W" && IsConsonantToken(tokens[2]) && tokens[2] != "H") {
    tokens.erase(tokens.begin() + 1);
  }
  for (size_t t = 1; t + 1 < tokens.size();) {
    if (tokens[t] == "H" && IsConsonantToken(tokens[t + 1])) {
      tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(t));
    } else {
      ++t;
    }
  }
}

std::string ConvertLetterTokens(const LetterRuleBase& rules,
                                const std::vector<std::string>& tokens) {
  std::string phonemes;
  for (size_t t = 1; t + 1 < tokens.size(); ++t) {
    const std::string result = rules.ApplyRules(tokens, t);
    if (result.empty()) continue;
    if (!phonemes.empty()) phonemes += ',';
    phonemes += result;
  }
  return phonemes;
}
