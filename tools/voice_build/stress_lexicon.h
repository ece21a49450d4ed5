// Word stress from a lexicon of word forms with the number of the stressed
// vowel: lines ("word" tag (N)), UTF-8, N counted from 1, 0 for none.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

class StressLexicon {
 public:
  // False (with the reason in `error`) when the file cannot be read.
  bool Load(const std::string& path, std::string& error);
  // Adds one entry; `word` is Windows-1251 small letters.
  void Add(const std::string& word, int vowelNumber);

  // The stressed vowel numbers of a word in the lexicon's order (a word may
  // have several readings), or nullptr for an unknown word.
  const std::vector<int>* Find(const std::string& word) const;

  // Every word form, in no particular order.
  std::vector<std::string> Words() const;
  size_t Size() const { return entries_.size(); }

 private:
  std::unordered_map<std::string, std::vector<int>> entries_;
};

// Letter index of the n-th (1-based) vowel letter of a word, or -1.
int VowelLetterIndex(const std::string& word, int vowelNumber);
