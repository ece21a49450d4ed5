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

  // Line feeds alone: a carriage return would show as a stray mark.
  std::erase(text, '\r');
  return text;
}

std::string GetBookmarkExcerpt(PageModel& page, INT offset, INT count) {
  if (page.NoDocument() || offset < 0 || offset >= page.FileSize() || count <= 0) return kNoText;
  count = std::min(count, page.FileSize() - offset);
  return CleanBookmarkExcerpt(page.ReadConverted(offset, count));
}
