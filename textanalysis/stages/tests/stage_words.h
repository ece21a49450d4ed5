// Words and groups made by the stage tests.
#pragma once

#include <string>
#include <vector>

#include "foundation/stress.h"
#include "foundation/syntagma.h"
#include "foundation/text_token.h"

// A token at `start` whose kind follows its first character, as the
// tokenizers would set it.
inline TextToken MakeToken(const std::string& text, UI4 separators = 0, UI8 start = 0) {
  UI4 kind = 0;
  const unsigned char first = text.empty() ? 0 : static_cast<unsigned char>(text[0]);
  if (first >= 0xC0 || first == 0xA8 || first == 0xB8)
    kind = TextToken::kRussianWord;
  else if (std::string(",:;()!?-.").find(static_cast<char>(first)) != std::string::npos)
    kind = TextToken::kPunctuation;
  return TextToken(kind | separators, text, Interval{start, static_cast<UI4>(text.size())});
}

inline StressedWord MakeWord(const std::string& text, UI4 separators = 0, UI8 start = 0,
                             INT main = -1, std::vector<INT> secondary = {}) {
  StressedWord word{MakeToken(text, separators, start), StressSpec{}};
  word.stress.main = main;
  word.stress.positions = std::move(secondary);
  return word;
}

// Words separated by single blanks, positions counted from 0.
inline std::vector<StressedWord> SpacedWords(const std::vector<std::string>& texts) {
  std::vector<StressedWord> words;
  UI8 position = 0;
  for (size_t i = 0; i < texts.size(); ++i) {
    UI4 flags = 0;
    if (i > 0) flags |= TextToken::kSpaceBefore;
    if (i + 1 < texts.size()) flags |= TextToken::kSpaceAfter;
    words.push_back(MakeWord(texts[i], flags, position));
    position += texts[i].size() + 1;
  }
  return words;
}

inline std::vector<std::string> Texts(const std::vector<StressedWord>& words) {
  std::vector<std::string> texts;
  for (const StressedWord& word : words) texts.push_back(word.token.text);
  return texts;
}

// A group written as its words joined by "|" with the group's stress:
// "в|дом 2 []".
inline std::string Describe(const WordGroup& group) {
  std::string out;
  for (const StressedWord& word : group.words) {
    if (!out.empty()) out += '|';
    out += word.token.text;
  }
  out += ' ' + std::to_string(group.stress.main) + " [";
  for (size_t i = 0; i < group.stress.positions.size(); ++i)
    out += (i ? "," : "") + std::to_string(group.stress.positions[i]);
  return out + "]";
}
