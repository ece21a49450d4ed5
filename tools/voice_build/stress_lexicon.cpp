#include "tools/voice_build/stress_lexicon.h"

#include <algorithm>
#include <fstream>

#include "foundation/char_classes.h"
#include "foundation/code_pages.h"

namespace {

// One entry line: ("word" tag (N)). False for any other line.
bool ParseEntry(const std::string& line, std::string& word, int& number) {
  const size_t open = line.find("(\"");
  if (open == std::string::npos) return false;
  const size_t close = line.find('"', open + 2);
  if (close == std::string::npos) return false;
  const size_t list = line.find('(', close);
  if (list == std::string::npos) return false;
  size_t digits = list + 1;
  if (digits >= line.size() || line[digits] < '0' || line[digits] > '9') return false;
  number = 0;
  while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9') {
    number = number * 10 + (line[digits] - '0');
    ++digits;
  }
  std::u16string wide;
  Utf8ToWide(line.substr(open + 2, close - open - 2), wide, u'?');
  word = WideToNarrow(wide);
  RusLowerString(word);
  return !word.empty();
}

}  // namespace

bool StressLexicon::Load(const std::string& path, std::string& error) {
  std::ifstream in(path);
  if (!in) {
    error = "cannot read " + path;
    return false;
  }
  std::string line, word;
  int number = 0;
  while (std::getline(in, line)) {
    if (ParseEntry(line, word, number)) Add(word, number);
  }
  return true;
}

void StressLexicon::Add(const std::string& word, int vowelNumber) {
  auto& numbers = entries_[word];
  if (std::find(numbers.begin(), numbers.end(), vowelNumber) == numbers.end())
    numbers.push_back(vowelNumber);
}

const std::vector<int>* StressLexicon::Find(const std::string& word) const {
  auto it = entries_.find(word);
  return it == entries_.end() ? nullptr : &it->second;
}

std::vector<std::string> StressLexicon::Words() const {
  std::vector<std::string> words;
  words.reserve(entries_.size());
  for (const auto& [word, numbers] : entries_) words.push_back(word);
  return words;
}

int VowelLetterIndex(const std::string& word, int vowelNumber) {
  if (vowelNumber <= 0) return -1;
  int seen = 0;
  for (size_t i = 0; i < word.size(); ++i) {
    if (IsRusVowel(static_cast<unsigned char>(word[i])) && ++seen == vowelNumber)
      return static_cast<int>(i);
  }
  return -1;
}
