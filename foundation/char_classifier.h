// CharClassifier: the Cyrillic operations behind a table of
// virtual operations, so that dictionary classes can hold one as a member.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CharClassifier {
 public:
  constexpr CharClassifier() = default;
  // Deliberately not virtual.
  ~CharClassifier() = default;
  constexpr CharClassifier(const CharClassifier&) = default;
  constexpr CharClassifier& operator=(const CharClassifier&) = default;

  // Virtual operations in slot order; each forwards to the Cyrillic
  // function of char_classes.h named in its comment.
  virtual bool IsLetter(int c) const;                                    // 1 IsRusLetter
  virtual bool IsUpper(int c) const;                                     // 2 IsRusUpper
  virtual bool IsLower(int c) const;                                     // 3 IsRusLower
  virtual bool IsVowel(int c) const;                                     // 4 IsRusVowel
  virtual bool IsConsonant(int c) const;                                 // 5 IsRusConsonant
  virtual bool AllVowelsAt(const std::string& text, const int32_t* first,
                           const int32_t* last) const;                   // 6 AllRusVowelsAt
  virtual bool IsVowelAt(const std::string& text, int32_t position) const;       // 7 IsRusVowelAt
  virtual int32_t FindVowel(const std::string& text, int32_t from, int32_t to) const;      // 8
  virtual int32_t FindLastVowel(const std::string& text, int32_t from, int32_t to) const;  // 9
  virtual void VowelPositions(const std::string& text,
                              std::vector<int32_t>& positions) const;    // 10 RusVowelPositions
  virtual void LowerString(std::string& text) const;                     // 11 RusLowerString
  virtual void UpperString(std::string& text) const;                     // 12 RusUpperString
  virtual int ToLower(int c) const;                                      // 13 RusToLower
  virtual int ToUpper(int c) const;                                      // 14 RusToUpper
  virtual bool IsAllLetters(const std::string& text) const;              // 15 IsAllRusLetters

  // Convenience (not a slot): AllVowelsAt over a whole position list.
  bool AllVowelsAt(const std::string& text, const std::vector<int32_t>& positions) const {
    return AllVowelsAt(text, positions.data(), positions.data() + positions.size());
  }
};

// The process-wide instance (constant-initialised, lives until exit).
CharClassifier& GlobalCharClassifier();
