#include "documents/booklib/text_helpers.h"

#include "documents/buffers/mem_buffer.h"

namespace {

// Matches one bracket set at *pattern (just after '['); advances past ']'.
// A set without its closing bracket never matches.
bool MatchSet(const char** pattern, unsigned char c, bool* matched) {
  const char* p = *pattern;
  bool negate = false;
  if (*p == '^') {
    negate = true;
    ++p;
  }
  bool found = false;
  bool first = true;
  while (*p != '\0' && (*p != ']' || first)) {
    first = false;
    const unsigned char low = static_cast<unsigned char>(*p);
    if (p[1] == '-' && p[2] != '\0' && p[2] != ']') {
      const unsigned char high = static_cast<unsigned char>(p[2]);
      if (c >= low && c <= high) found = true;
      p += 3;
    } else {
      if (c == low) found = true;
      ++p;
    }
  }
  if (*p != ']') return false;
  *pattern = p + 1;
  *matched = found != negate;
  return true;
}

}  // namespace

bool wildcard_match(const char* pattern, const char* name) {
  // Backtracking over the last '*' only: linear in practice.
  const char* starPattern = nullptr;
  const char* starName = nullptr;
  while (*name != '\0') {
    const char* p = pattern;
    bool advanced = false;
    if (*p == '*') {
      starPattern = ++pattern;
      starName = name;
      continue;
    }
    if (*p == '?') {
      pattern = p + 1;
      advanced = true;
    } else if (*p == '[') {
      const char* after = p + 1;
      bool matched = false;
      if (MatchSet(&after, static_cast<unsigned char>(*name), &matched)) {
        if (matched) {
          pattern = after;
          advanced = true;
        }
      } else if (*name == '[') {
        pattern = p + 1;
        advanced = true;
      }
    } else if (*p != '\0' && *p == *name) {
      pattern = p + 1;
      advanced = true;
    }
    if (advanced) {
      ++name;
    } else if (starPattern != nullptr) {
      pattern = starPattern;
      name = ++starName;
    } else {
      return false;
    }
  }
  while (*pattern == '*') ++pattern;
  return *pattern == '\0';
}

MemBuffer* wildcard_escape(const char* text) {
  MemBuffer* out = membuf_new(0, 0);
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p == '*' || *p == '?' || *p == '[' || *p == '\\') membuf_putc(out, '\\');
    membuf_putc(out, static_cast<unsigned char>(*p));
  }
  return out;
}

void base64_encode(char* buffer, int32_t n) {
  static const char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  if (n <= 0) return;
  // Groups are encoded from the last to the first, so no input byte is
  // overwritten before it is read.
  for (int32_t group = (n + 2) / 3 - 1; group >= 0; --group) {
    const int32_t in = group * 3;
    const int32_t available = n - in < 3 ? n - in : 3;
    uint32_t bits = static_cast<unsigned char>(buffer[in]) << 16;
    if (available > 1) bits |= static_cast<unsigned char>(buffer[in + 1]) << 8;
    if (available > 2) bits |= static_cast<unsigned char>(buffer[in + 2]);
    char* out = buffer + group * 4;
    out[3] = available > 2 ? kAlphabet[bits & 63] : '=';
    out[2] = available > 1 ? kAlphabet[(bits >> 6) & 63] : '=';
    out[1] = kAlphabet[(bits >> 12) & 63];
    out[0] = kAlphabet[(bits >> 18) & 63];
  }
}

const char* rtf_format_name() { return "RTF"; }
