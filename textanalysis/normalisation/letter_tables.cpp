#include "textanalysis/normalisation/letter_tables.h"

#include <cstring>

#include "foundation/char_classes.h"

namespace {

constexpr const char* kCyrillicCapitals = "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ";
constexpr const char* kCyrillicNames[33] = {
    "а",  "бэ", "вэ", "гэ", "дэ", "е",  "ё",  "жэ", "зэ", "и",  "й",
    "ка", "эл", "эм", "эн", "о",  "пэ", "эр", "эс", "тэ", "у",  "эф",
    "ха", "цэ", "че", "ша", "ща", "твёрдый знак", "ы", "мягкий знак", "э", "ю", "я"};

constexpr const char* kLatinCapitals = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr const char* kLatinNames[26] = {
    "эй", "би", "си", "ди", "и",  "эф", "джи", "эйч", "ай", "джей", "кей", "эл", "эм",
    "эн", "оу", "пи", "кю", "эр", "эс", "ти",  "ю",   "ви", "вэ",   "икс", "уай", "зет"};

// Letter by letter, then the letters that read as more than one.
constexpr const char* kLatinKeys = "QWERTYUIOPASDFGHJKLZCVBNM";
constexpr const char* kCyrillicValues = "КВЕРТИУИОПАСДФГХЖКЛЗКВБНМ";
struct LongReading {
  char latin;
  const char* cyrillic;
};
constexpr LongReading kLongReadings[] = {{'C', "Ц"}, {'J', "Дж"}, {'Q', "Ку"}, {'X', "Кс"}};

struct SymbolName {
  char symbol;
  const char* name;
};
constexpr SymbolName kSymbolNames[] = {
    {'~', "примерно"}, {'@', "собака"}, {'#', "диез"},  {'$', "доллар"},
    {'%', "процент"},  {'^', "крышка"}, {'&', "энд"},   {'*', "звёздочка"},
    {'+', "плюс"},     {'|', "палка"},  {'\\', "слэш"}, {'/', "слэш"},
    {'=', "равно"},    {'_', "подчёркивание"}, {'>', "больше"}, {'<', "меньше"},
    {'\xB9', "номер"},
    // Signs of ordinary text that would otherwise be dropped unsaid.
    {'\xB0', "гра+дус"},  {'\xB1', "плюс ми+нус"}, {'\xA7', "пара+граф"}, {'\x88', "е+вро"}};

// "$", "%" and "°": units whose names take the counted endings.
constexpr char kCountedSymbols[] = "$%\xB0";

unsigned char Byte(char c) { return static_cast<unsigned char>(c); }

std::string Lowered(const char* text) {
  std::string lower = text;
  LowerString(lower);
  return lower;
}

}  // namespace

ByteTable MakeLetterNames() {
  ByteTable table;
  for (int i = 0; i < 33; ++i) {
    const char capital = kCyrillicCapitals[i];
    table[Byte(capital)] = kCyrillicNames[i];
    table[static_cast<unsigned char>(RusToLower(Byte(capital)))] = kCyrillicNames[i];
  }
  for (int i = 0; i < 26; ++i) {
    table[Byte(kLatinCapitals[i])] = kLatinNames[i];
    table[static_cast<unsigned char>(LatinToLower(Byte(kLatinCapitals[i])))] = kLatinNames[i];
  }
  return table;
}

ByteTable MakeCyrillicCapitalNames() {
  ByteTable table;
  for (int i = 0; i < 33; ++i) table[Byte(kCyrillicCapitals[i])] = kCyrillicNames[i];
  table[Byte('\xDA')] = "ъ";
  table[Byte('\xDC')] = "ь";
  return table;
}

ByteTable MakeLatinCapitalNames() {
  ByteTable table;
  for (int i = 0; i < 26; ++i) table[Byte(kLatinCapitals[i])] = kLatinNames[i];
  return table;
}

ByteTable MakeLatinToCyrillicMap() {
  ByteTable table;
  const size_t count = std::strlen(kLatinKeys);
  for (size_t i = 0; i < count; ++i) {
    const char latin = kLatinKeys[i];
    const std::string cyrillic(1, kCyrillicValues[i]);
    table[Byte(latin)] = cyrillic;
    table[static_cast<unsigned char>(LatinToLower(Byte(latin)))] = Lowered(cyrillic.c_str());
  }
  for (const LongReading& r : kLongReadings) {
    table[Byte(r.latin)] = r.cyrillic;
    table[static_cast<unsigned char>(LatinToLower(Byte(r.latin)))] = Lowered(r.cyrillic);
  }
  return table;
}

bool IsCountedSymbol(char symbol) {
  return symbol != '\0' && std::strchr(kCountedSymbols, symbol) != nullptr;
}

ByteTable MakeSymbolNames() {
  ByteTable table;
  for (const SymbolName& s : kSymbolNames) table[Byte(s.symbol)] = s.name;
  return table;
}
