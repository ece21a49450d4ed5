#include "foundation/char_classifier.h"

#include "foundation/char_classes.h"

bool CharClassifier::IsLetter(int c) const { return IsRusLetter(c); }
bool CharClassifier::IsUpper(int c) const { return IsRusUpper(c); }
bool CharClassifier::IsLower(int c) const { return IsRusLower(c); }
bool CharClassifier::IsVowel(int c) const { return IsRusVowel(c); }
bool CharClassifier::IsConsonant(int c) const { return IsRusConsonant(c); }

bool CharClassifier::AllVowelsAt(const std::string& text, const int32_t* first,
                                 const int32_t* last) const {
  return AllRusVowelsAt(text, first, last);
}

bool CharClassifier::IsVowelAt(const std::string& text, int32_t position) const {
  return IsRusVowelAt(text, position);
}

int32_t CharClassifier::FindVowel(const std::string& text, int32_t from, int32_t to) const {
  return FindRusVowel(text, from, to);
}

int32_t CharClassifier::FindLastVowel(const std::string& text, int32_t from, int32_t to) const {
  return FindLastRusVowel(text, from, to);
}

void CharClassifier::VowelPositions(const std::string& text, std::vector<int32_t>& positions) const {
  RusVowelPositions(text, positions);
}

void CharClassifier::LowerString(std::string& text) const { RusLowerString(text); }
void CharClassifier::UpperString(std::string& text) const { RusUpperString(text); }
int CharClassifier::ToLower(int c) const { return RusToLower(c); }
int CharClassifier::ToUpper(int c) const { return RusToUpper(c); }
bool CharClassifier::IsAllLetters(const std::string& text) const { return IsAllRusLetters(text); }

namespace {
constinit CharClassifier g_charClassifier;
}  // namespace

CharClassifier& GlobalCharClassifier() { return g_charClassifier; }
