// Character classes and case maps.
#include "foundation/char_classes.h"

#include <cstddef>

namespace {

// The literal class strings. The project compiles narrow literals as
// Windows-1251, so the Cyrillic strings are the Windows-1251 bytes.
constexpr const char kLatinUpper[] = "QWERTYUIOPASDFGHJKLZXCVBNM";
constexpr const char kLatinLower[] = "qwertyuiopasdfghjklzxcvbnm";
constexpr const char kLatinLetters[] = "QWERTYUIOPASDFGHJKLZXCVBNMqwertyuiopasdfghjklzxcvbnm";
constexpr const char kLatinVowels[] = "EYUIOAeyuioa";
constexpr const char kLatinConsonants[] = "QWRTPSDFGHJKLZXCVBNMqwrtpsdfghjklzxcvbnm";
constexpr const char kDigits[] = "1234567890";
constexpr const char kPunct1[] = ",:;()!?-";
constexpr const char kPunct2[] = ".";
constexpr const char kBlanks[] = " \n\t";
constexpr const char kNumberSeparators[] = ".,";

constexpr const char kRusLetters[] =
    "ЙЦУКЕНГШЩЗХЪФЫВАПРОЛДЖЭЯЧСМИТЬБЮЁйцукенгшщзхъфывапролджэячсмитьбюё";
constexpr const char kRusVowels[] = "ЁУЕЫАОЭЯИЮёуеыаоэяию";
constexpr const char kRusConsonants[] = "ЙЦКНГШЩЗХЪФВПРЛДЖЧСМТЬБйцкнгшщзхъфвпрлджчсмтьб";
constexpr const char kRusCapitals[] = "ЙЦУКЕНГШЩЗХЪФЫВАПРОЛДЖЭЯЧСМИТЬБЮЁ";
constexpr const char kRusSmall[] = "йцукенгшщзхъфывапролджэячсмитьбюё";

static_assert(sizeof(kRusLetters) == 67, "narrow literals must be Windows-1251");
static_assert(sizeof(kRusCapitals) == 34 && sizeof(kRusSmall) == 34);
static_assert(static_cast<unsigned char>(kRusCapitals[32]) == 0xA8);

constexpr void OrBits(CharClassTableData& t, const char* s, int32_t bits) {
  for (; *s; ++s) t.classes[static_cast<unsigned char>(*s)] |= bits;
}

constexpr void WritePairs(CharClassTableData& t, const char* upper, const char* lower) {
  for (; *upper && *lower; ++upper, ++lower) {
    const auto u = static_cast<unsigned char>(*upper);
    const auto l = static_cast<unsigned char>(*lower);
    t.caseMap[u] = l;
    t.caseMap[l] = u;
  }
}

// BuildCharClassTable's algorithm, on a fresh table.
constexpr CharClassTableData MakeCharClassTable() {
  CharClassTableData t{};
  for (int i = 0; i < 256; ++i) {
    t.classes[i] = 0;
    t.caseMap[i] = static_cast<uint8_t>(i);
  }
  OrBits(t, kNumberSeparators, kClassNumberSeparator);
  OrBits(t, kDigits, kClassDigit);
  OrBits(t, kPunct1, kClassPunct);
  OrBits(t, kPunct2, kClassPunct);
  OrBits(t, kBlanks, kClassBlank);
  OrBits(t, kLatinLetters, kClassLatinLetter);
  OrBits(t, kLatinVowels, kClassLatinVowel);
  OrBits(t, kLatinConsonants, kClassLatinConsonant);
  OrBits(t, kLatinUpper, kClassUpper);
  OrBits(t, kLatinLower, kClassLower);
  WritePairs(t, kLatinUpper, kLatinLower);
  return t;
}

// BuildRusCharClassTable's algorithm (the Cyrillic part), on a fresh table.
constexpr CharClassTableData MakeRusCharClassTable() {
  CharClassTableData t{};
  for (int i = 0; i < 256; ++i) {
    t.classes[i] = 0;
    t.caseMap[i] = static_cast<uint8_t>(i);
  }
  OrBits(t, kRusLetters, kClassRusLetter);
  WritePairs(t, kRusCapitals, kRusSmall);
  OrBits(t, kRusCapitals, kClassRusCapital);
  OrBits(t, kRusSmall, kClassRusSmall);
  OrBits(t, kRusVowels, kClassRusVowel);
  OrBits(t, kRusConsonants, kClassRusConsonant);
  return t;
}

// The tables themselves: constant-initialised, so they hold their final
// values before any dynamic initialisation of the deliverable runs.
constinit CharClassTableData g_charClassTable = MakeCharClassTable();
constinit CharClassTableData g_rusCharClassTable = MakeRusCharClassTable();

// Writes only the entries of `live` that differ from `fresh`. A rebuild
// therefore never zeroes a table and, since the values never change, writes
// nothing at all while other threads may be reading.
void StoreDifferences(CharClassTableData& live, const CharClassTableData& fresh) {
  for (int i = 0; i < 256; ++i) {
    if (live.classes[i] != fresh.classes[i]) live.classes[i] = fresh.classes[i];
    if (live.caseMap[i] != fresh.caseMap[i]) live.caseMap[i] = fresh.caseMap[i];
  }
}

inline int32_t LatinClass(int c) { return g_charClassTable.classes[c & 0xFF]; }
inline int32_t RusClass(int c) { return g_rusCharClassTable.classes[c & 0xFF]; }
inline bool Has(int32_t word, int32_t bits) { return (word & bits) == bits; }

inline int32_t ClampFrom(int32_t from, int32_t n) {
  if (from <= 0) return 0;
  if (from > n) return n;
  return from;
}

inline int32_t ClampTo(int32_t to, int32_t n) { return (to > 0 && to <= n) ? to : n; }

template <typename Pred>
int32_t FindFirst(const std::string& text, int32_t from, int32_t to, Pred isVowel) {
  const auto n = static_cast<int32_t>(text.size());
  const int32_t start = ClampFrom(from, n);
  const int32_t end = ClampTo(to, n);
  for (int32_t i = start; i < end; ++i)
    if (isVowel(static_cast<unsigned char>(text[static_cast<size_t>(i)]))) return i;
  return -1;
}

template <typename Pred>
int32_t FindLast(const std::string& text, int32_t from, int32_t to, Pred isVowel) {
  const auto n = static_cast<int32_t>(text.size());
  const int32_t lower = ClampFrom(from, n);
  for (int32_t i = ClampTo(to, n) - 1; i >= lower; --i)
    if (isVowel(static_cast<unsigned char>(text[static_cast<size_t>(i)]))) return i;
  return -1;
}

template <typename Pred>
void Positions(const std::string& text, std::vector<int32_t>& positions, Pred isVowel) {
  positions.clear();
  for (size_t i = 0; i < text.size(); ++i)
    if (isVowel(static_cast<unsigned char>(text[i]))) positions.push_back(static_cast<int32_t>(i));
}

template <typename It, typename Pred>
bool AllAt(const std::string& text, It first, It last, Pred isVowelAt) {
  for (; first != last; ++first)
    if (!isVowelAt(text, *first)) return false;
  return true;
}

template <typename Pred>
bool AllBytes(const std::string& text, Pred pred) {
  if (text.empty()) return false;
  for (char c : text)
    if (!pred(static_cast<unsigned char>(c))) return false;
  return true;
}

template <typename Pred>
bool AnyByte(const std::string& text, Pred pred) {
  for (char c : text)
    if (pred(static_cast<unsigned char>(c))) return true;
  return false;
}

}  // namespace

constinit const CharClassTableData& CharClassTable = g_charClassTable;
constinit const CharClassTableData& RusCharClassTable = g_rusCharClassTable;

void BuildCharClassTable() {
  static constexpr CharClassTableData kFresh = MakeCharClassTable();
  StoreDifferences(g_charClassTable, kFresh);
}

void BuildRusCharClassTable() {
  BuildCharClassTable();
  static constexpr CharClassTableData kFresh = MakeRusCharClassTable();
  StoreDifferences(g_rusCharClassTable, kFresh);
}

// ---- Latin and general table ----

bool IsLatinLetter(int c) { return Has(LatinClass(c), kClassLatinLetter); }
bool IsNumberSeparator(int c) { return Has(LatinClass(c), kClassNumberSeparator); }
bool IsDigitChar(int c) { return Has(LatinClass(c), kClassDigit); }
bool IsPunctChar(int c) { return Has(LatinClass(c), kClassPunct); }
bool IsBlankChar(int c) { return Has(LatinClass(c), kClassBlank); }
bool IsLatinUpper(int c) { return Has(LatinClass(c), kClassUpper | kClassLatinLetter); }
bool IsLatinLower(int c) { return Has(LatinClass(c), kClassLower | kClassLatinLetter); }
bool IsLatinVowel(int c) { return Has(LatinClass(c), kClassLatinVowel | kClassLatinLetter); }
bool IsLatinConsonant(int c) { return Has(LatinClass(c), kClassLatinConsonant | kClassLatinLetter); }

int LatinToLower(int c) {
  return IsLatinUpper(c) ? g_charClassTable.caseMap[c & 0xFF] : (c & 0xFF);
}

int LatinToUpper(int c) {
  return IsLatinLower(c) ? g_charClassTable.caseMap[c & 0xFF] : (c & 0xFF);
}

void LatinLowerString(std::string& text) {
  for (char& c : text)
    if (IsLatinUpper(static_cast<unsigned char>(c))) c = static_cast<char>(LatinToLower(static_cast<unsigned char>(c)));
}

void LatinUpperString(std::string& text) {
  for (char& c : text)
    if (IsLatinLower(static_cast<unsigned char>(c))) c = static_cast<char>(LatinToUpper(static_cast<unsigned char>(c)));
}

bool IsLatinVowelAt(const std::string& text, int32_t position) {
  return position >= 0 && static_cast<size_t>(position) < text.size() &&
         IsLatinVowel(static_cast<unsigned char>(text[static_cast<size_t>(position)]));
}

bool AllLatinVowelsAt(const std::string& text, const int32_t* first, const int32_t* last) {
  return AllAt(text, first, last, IsLatinVowelAt);
}

bool AllLatinVowelsAt(const std::string& text, std::vector<int32_t>::const_iterator first,
                      std::vector<int32_t>::const_iterator last) {
  return AllAt(text, first, last, IsLatinVowelAt);
}

bool AllLatinVowelsAt(const std::string& text, const std::vector<int32_t>& positions) {
  return AllAt(text, positions.begin(), positions.end(), IsLatinVowelAt);
}

int32_t FindLatinVowel(const std::string& text, int32_t from, int32_t to) {
  return FindFirst(text, from, to, IsLatinVowel);
}

int32_t FindLastLatinVowel(const std::string& text, int32_t from, int32_t to) {
  return FindLast(text, from, to, IsLatinVowel);
}

void LatinVowelPositions(const std::string& text, std::vector<int32_t>& positions) {
  Positions(text, positions, IsLatinVowel);
}

bool IsAllLatinLetters(const std::string& text) { return AllBytes(text, IsLatinLetter); }

// ---- Cyrillic table ----

bool IsRusLetter(int c) { return Has(RusClass(c), kClassRusLetter); }
bool IsRusUpper(int c) { return Has(RusClass(c), kClassRusCapital | kClassRusLetter); }
bool IsRusLower(int c) { return Has(RusClass(c), kClassRusSmall | kClassRusLetter); }
bool IsRusVowel(int c) { return Has(RusClass(c), kClassRusVowel | kClassRusLetter); }
bool IsRusConsonant(int c) { return Has(RusClass(c), kClassRusConsonant | kClassRusLetter); }
bool IsRusLowerVowel(int c) { return IsRusVowel(c) && IsRusLower(c); }
bool IsRusUpperVowel(int c) { return IsRusVowel(c) && IsRusUpper(c); }

int RusToLower(int c) {
  return IsRusUpper(c) ? g_rusCharClassTable.caseMap[c & 0xFF] : (c & 0xFF);
}

int RusToUpper(int c) {
  return IsRusLower(c) ? g_rusCharClassTable.caseMap[c & 0xFF] : (c & 0xFF);
}

void RusLowerString(std::string& text) {
  for (char& c : text)
    if (IsRusUpper(static_cast<unsigned char>(c))) c = static_cast<char>(RusToLower(static_cast<unsigned char>(c)));
}

void RusUpperString(std::string& text) {
  for (char& c : text)
    if (IsRusLower(static_cast<unsigned char>(c))) c = static_cast<char>(RusToUpper(static_cast<unsigned char>(c)));
}

bool IsRusVowelAt(const std::string& text, int32_t position) {
  return position >= 0 && static_cast<size_t>(position) < text.size() &&
         IsRusVowel(static_cast<unsigned char>(text[static_cast<size_t>(position)]));
}

bool AllRusVowelsAt(const std::string& text, const int32_t* first, const int32_t* last) {
  return AllAt(text, first, last, IsRusVowelAt);
}

bool AllRusVowelsAt(const std::string& text, std::vector<int32_t>::const_iterator first,
                    std::vector<int32_t>::const_iterator last) {
  return AllAt(text, first, last, IsRusVowelAt);
}

bool AllRusVowelsAt(const std::string& text, const std::vector<int32_t>& positions) {
  return AllAt(text, positions.begin(), positions.end(), IsRusVowelAt);
}

int32_t FindRusVowel(const std::string& text, int32_t from, int32_t to) {
  return FindFirst(text, from, to, IsRusVowel);
}

int32_t FindLastRusVowel(const std::string& text, int32_t from, int32_t to) {
  return FindLast(text, from, to, IsRusVowel);
}

void RusVowelPositions(const std::string& text, std::vector<int32_t>& positions) {
  Positions(text, positions, IsRusVowel);
}

bool IsAllRusLetters(const std::string& text) { return AllBytes(text, IsRusLetter); }
bool HasRusVowel(const std::string& text) { return AnyByte(text, IsRusVowel); }
bool HasRusLower(const std::string& text) { return AnyByte(text, IsRusLower); }

// ---- Mixed ----

void LowerString(std::string& text) {
  for (char& ch : text) {
    const int c = static_cast<unsigned char>(ch);
    if (IsRusUpper(c))
      ch = static_cast<char>(RusToLower(c));
    else if (IsLatinUpper(c))
      ch = static_cast<char>(LatinToLower(c));
  }
}

void CapitalizeFirst(std::string& text) {
  if (text.empty()) return;
  const int c = static_cast<unsigned char>(text[0]);
  if (IsRusLower(c))
    text[0] = static_cast<char>(RusToUpper(c));
  else if (IsLatinLower(c))
    text[0] = static_cast<char>(LatinToUpper(c));
}

int32_t DefaultStressVowel(const std::string& text) {
  std::vector<int32_t> v;
  RusVowelPositions(text, v);
  const size_t n = v.size();
  if (n == 0) return -1;
  if (n == 1) return v[0];
  if (n <= 3) return v[1];
  if (n <= 5) return v[2];
  if (n == 6) return v[3];
  if (n == 7) return v[4];
  return v[n - 3];
}
