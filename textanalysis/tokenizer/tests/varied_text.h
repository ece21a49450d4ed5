// Test text for sentence cutting.
#pragma once

#include <iterator>
#include <random>
#include <string>
#include <vector>

// A long text of every kind of token, separator and sentence end, made the
// same way on every run.
inline std::string VariedText(size_t bytes) {
  static const std::vector<std::string> kPieces = {
      "слово", "Слово", "мама", "Рама", "word", "Word", "2024", "3,5", ",", ".", "!", "?", ";",
      ":", "...", "?!", "-", "\x97", "(", ")", "т.е.", "т. е.", "т. е", "г.", "А.", "С.", "+", "%",
      "\"", "@", "ФСБ", std::string(200, '\xE0')};
  static const char* const kSeparators[] = {" ", " ", " ", "  ", "\t", "\n", "\r\n", "\n\n",
                                            " \n", "\n ", "", ""};
  std::mt19937 random(31);
  std::string text;
  while (text.size() < bytes) {
    text += kPieces[random() % kPieces.size()];
    text += kSeparators[random() % std::size(kSeparators)];
  }
  return text;
}
