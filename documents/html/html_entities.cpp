#include "documents/html/html_entities.h"

#include <cstdint>

#include "foundation/code_pages.h"

namespace {

struct EntityByte {
  std::string_view entity;
  char byte;
};

constexpr EntityByte kEntityTable[] = {
    {"&nbsp;", ' '},    {"&#160;", ' '},    {"&laquo;", '"'},   {"&raquo;", '"'},
    {"&quot;", '"'},    {"&#710;", '^'},    {"&#8216;", '\''},  {"&#8217;", '\''},
    {"&#8220;", '"'},   {"&#8221;", '"'},   {"&#8249;", '{'},   {"&#8250;", '}'},
    {"&#8211;", '-'},   {"&#8212;", '-'},   {"&#732;", '~'},
};

constexpr int32_t kCyrillicIo = 1025;
constexpr int32_t kCyrillicSmallIo = 1105;
constexpr int32_t kCyrillicFirst = 1040;
constexpr int32_t kCyrillicLast = 1103;
constexpr int32_t kCyrillicShift = 848;
constexpr int32_t kNumberLimit = 0x10000;

}  // namespace

int HtmlEntityByte(std::string_view entity) {
  for (const EntityByte& known : kEntityTable) {
    if (known.entity == entity) return static_cast<unsigned char>(known.byte);
  }
  if (entity.size() < 4) return -1;
  // "&#" and ";" cut off; the leading decimal digits of the rest.
  const std::string_view digits = entity.substr(2, entity.size() - 3);
  int32_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
    if (value >= kNumberLimit) return -1;
  }
  if (value == kCyrillicIo) return 0xA8;
  if (value == kCyrillicSmallIo) return 0xB8;
  if (value >= kCyrillicFirst && value <= kCyrillicLast) return value - kCyrillicShift;
  // Any other character that Windows-1251 has.
  const int byte = CodePageConverter::ReverseByte(static_cast<uint32_t>(value));
  return byte != 0 ? byte : -1;
}
