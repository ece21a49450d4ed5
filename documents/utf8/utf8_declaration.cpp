#include "documents/utf8/utf8_declaration.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "documents/common/file_reading.h"
#include "documents/utf8/malformed_utf8.h"
#include "foundation/char_classes.h"

namespace {

// Declarations stand in a document's head; a meta tag after a long style
// sheet or script is still found.
constexpr size_t kHeadSize = 8192;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The value after name in the text: name, blanks, "=", blanks, an optional
// quote, then up to a quote, blank, ";", ">", "?" or "/". Empty when the
// name stands without a value.
std::string_view ValueAfter(std::string_view text, std::string_view name) {
  for (size_t at = text.find(name); at != std::string_view::npos; at = text.find(name, at + 1)) {
    size_t i = at + name.size();
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i == text.size() || text[i] != '=') continue;
    ++i;
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i < text.size() && (text[i] == '"' || text[i] == '\'')) ++i;
    const size_t end = text.find_first_of("\"' \t\r\n;>?/", i);
    return text.substr(i, (end == std::string_view::npos ? text.size() : end) - i);
  }
  return {};
}

// The encoding the head names, lower-cased; empty when it names none.
std::string_view DeclaredEncoding(std::string_view head) {
  const size_t start = head.find_first_not_of(" \t\r\n");
  if (start != std::string_view::npos && head.substr(start, 5) == "<?xml") {
    const size_t end = head.find("?>", start);
    const std::string_view encoding = ValueAfter(
        head.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start),
        "encoding");
    if (!encoding.empty()) return encoding;
  }
  // Meta tags belong to the head: the body may show one as text.
  const std::string_view beforeBody = head.substr(0, head.find("<body"));
  for (size_t at = beforeBody.find("<meta"); at != std::string_view::npos;
       at = beforeBody.find("<meta", at + 1)) {
    const size_t end = beforeBody.find('>', at);
    const std::string_view charset = ValueAfter(
        beforeBody.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at),
        "charset");
    if (!charset.empty()) return charset;
  }
  return {};
}

// Most bytes outside ASCII begin no UTF-8 sequence: the text was saved in
// another code page under a header that still says UTF-8. A few damaged
// bytes among UTF-8 letters do not count against it.
bool MostlyNotUtf8(std::string_view head) {
  std::string copy(head);
  size_t sequences = 0;
  return BlankMalformedUtf8(copy, &sequences) > sequences;
}

bool NamesUtf8(std::string_view head) {
  std::string lower(head);
  LatinLowerString(lower);
  const std::string_view encoding = DeclaredEncoding(lower);
  return encoding == "utf-8" || encoding == "utf8";
}

}  // namespace

bool DeclaresUtf8File(const char16_t* path) {
  TextFile file(path, u"rb");
  if (!file.IsOpen()) return false;
  const int64_t size = file.GetSize();
  std::string head(static_cast<size_t>(std::min<int64_t>(size, kHeadSize)), '\0');
  if (!ReadExactlyAt(file, 0, head.data(), head.size())) return false;
  if (head.substr(0, 3) == "\xEF\xBB\xBF") return true;
  if (!NamesUtf8(head)) return false;
  // The bytes that tell are the letters: after a long all-ASCII head (a
  // style sheet, a script) they are judged from the first of them.
  const int64_t start = FirstNonAsciiAt(file, size);
  std::string letters(static_cast<size_t>(std::min<int64_t>(size - start, kHeadSize)), '\0');
  return ReadExactlyAt(file, start, letters.data(), letters.size()) && !MostlyNotUtf8(letters);
}
