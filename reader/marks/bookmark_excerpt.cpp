#include "reader/marks/bookmark_excerpt.h"

#include <algorithm>

#include "reader/page_model.h"

namespace {

const char kNoText[] = "No text";

}  // namespace

std::string CleanBookmarkExcerpt(std::string text) {
  const size_t first = text.find(' ');
  if (first != std::string::npos) text.erase(0, first + 1);
  const size_t last = text.rfind(' ');
  if (last != std::string::npos) text.erase(last);
  if (text.empty()) return kNoText;

  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') out.push_back('\r');
    out.push_back(c);
  }
  return out;
}

std::string GetBookmarkExcerpt(PageModel& page, INT offset, INT count) {
  if (page.NoDocument() || offset < 0 || offset >= page.FileSize() || count <= 0) return kNoText;
  count = std::min(count, page.FileSize() - offset);
  return CleanBookmarkExcerpt(page.ReadConverted(offset, count));
}
