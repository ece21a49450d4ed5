#include "documents/html/html_entities.h"

#include <algorithm>
#include <cstdint>

#include "foundation/code_pages.h"

namespace {

struct EntityByte {
  std::string_view entity;
  char byte;
};

constexpr EntityByte kNamedEntities[] = {
    {"&nbsp;", ' '}, {"&laquo;", '"'}, {"&raquo;", '"'}, {"&quot;", '"'},
    {"&amp;", '&'},  {"&lt;", '<'},    {"&gt;", '>'},    {"&apos;", '\''},
};

struct CharacterByte {
  int32_t character;
  char byte;
};

// Characters read as the ASCII byte nearest to them: the quotes, dashes and
// accents of typography, and signs Windows-1251 lacks.
constexpr CharacterByte kNearestBytes[] = {
    {0xA0, ' '},   {0xA1, '!'},   {0xA2, 'c'},   {0xA3, 'L'},   {0xA5, 'Y'},   {0xA8, '"'},
    {0xAA, 'a'},   {0xAF, '-'},   {0xB2, '2'},   {0xB3, '3'},   {0xB4, '\''},  {0xB8, ','},
    {0xB9, '1'},   {0xBA, 'o'},   {0xBF, '?'},   {0x2C6, '^'},  {0x2DC, '~'},   {0x2010, '-'},
    {0x2011, '-'}, {0x2012, '-'}, {0x2013, '-'}, {0x2014, '-'}, {0x2015, '-'},  {0x2018, '\''},
    {0x2019, '\''}, {0x201C, '"'}, {0x201D, '"'}, {0x2032, '\''}, {0x2033, '"'},  {0x2039, '{'},
    {0x203A, '}'}, {0x2044, '/'}, {0x2212, '-'}, {0x2264, '<'}, {0x2265, '>'},
};

constexpr int32_t kCyrillicIo = 1025;
constexpr int32_t kCyrillicSmallIo = 1105;
constexpr int32_t kCyrillicFirst = 1040;
constexpr int32_t kCyrillicLast = 1103;
constexpr int32_t kCyrillicShift = 848;
// Beyond the last character there is.
constexpr int32_t kNumberLimit = 0x110000;

// The letters U+00C0 to U+00FF, which Windows-1251 lacks, as their Latin
// base letters.
constexpr int32_t kLatinLettersFirst = 0xC0;
constexpr std::string_view kLatinLetterBases =
    "AAAAAAACEEEEIIIIDNOOOOOxOUUUUYTsaaaaaaaceeeeiiiidnooooo/ouuuuyty";

// The number a numeric entity gives: hexadecimal digits after "&#x", else
// the decimal digits after "&#"; -1 without digits.
int32_t EntityNumber(std::string_view entity) {
  std::string_view body = entity.substr(2, entity.size() - 3);
  int base = 10;
  if (entity[1] == '#' && !body.empty() && (body[0] == 'x' || body[0] == 'X')) {
    base = 16;
    body.remove_prefix(1);
  }
  int32_t value = -1;
  for (char c : body) {
    const int digit = c >= '0' && c <= '9'                ? c - '0'
                      : base == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : base == 16 && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                           : -1;
    if (digit < 0) break;
    value = value < 0 ? digit : value * base + digit;
    if (value >= kNumberLimit) return kNumberLimit;
  }
  return value;
}

// The Windows-1251 byte of a character, its nearest equivalent, or a blank.
int ByteOfCharacter(int32_t value) {
  // Of the control characters only tab and line feed are text.
  if (value < 0x20 || value == 0x7F) return value == '\t' || value == '\n' ? value : ' ';
  for (const CharacterByte& nearest : kNearestBytes) {
    if (nearest.character == value) return static_cast<unsigned char>(nearest.byte);
  }
  if (value == kCyrillicIo) return 0xA8;
  if (value == kCyrillicSmallIo) return 0xB8;
  if (value >= kCyrillicFirst && value <= kCyrillicLast) return value - kCyrillicShift;
  if (const int byte = CodePageConverter::ReverseByte(static_cast<uint32_t>(value)); byte != 0) {
    return byte;
  }
  if (value >= kLatinLettersFirst &&
      value < kLatinLettersFirst + static_cast<int32_t>(kLatinLetterBases.size())) {
    return kLatinLetterBases[static_cast<size_t>(value - kLatinLettersFirst)];
  }
  return ' ';
}

}  // namespace

bool IsEntityShaped(std::string_view entity) {
  if (entity.size() < 3 || entity.front() != '&' || entity.back() != ';') return false;
  std::string_view body = entity.substr(1, entity.size() - 2);
  const auto all = [&body](auto is) { return std::all_of(body.begin(), body.end(), is); };
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  const auto hex = [&digit](char c) {
    return digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
  };
  const auto latin = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  if (body[0] == '#') {
    body.remove_prefix(1);
    if (!body.empty() && (body[0] == 'x' || body[0] == 'X')) {
      body.remove_prefix(1);
      return !body.empty() && all(hex);
    }
    return !body.empty() && all(digit);
  }
  return latin(body[0]) && all([&](char c) { return latin(c) || digit(c); });
}

int HtmlEntityByte(std::string_view entity) {
  for (const EntityByte& known : kNamedEntities) {
    if (known.entity == entity) return static_cast<unsigned char>(known.byte);
  }
  // A name no table holds is dropped.
  if (entity.size() < 4 || entity[1] != '#') return -1;
  const int32_t value = EntityNumber(entity);
  return value < 0 ? -1 : ByteOfCharacter(value);
}
