#include "reader/status_texts.h"

#include <algorithm>
#include <cstdio>

namespace {

std::u16string Ascii(const char* text) {
  std::u16string out;
  for (; *text != '\0'; ++text) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(*text)));
  return out;
}

}  // namespace

std::u16string BatteryText(std::optional<INT> percent) {
  if (!percent || *percent < 0 || *percent > 100) return u"??%";
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%i%%", *percent);
  return Ascii(buffer);
}

std::u16string PagesText(INT mode, INT pageNumber, INT pageCount, INT pageStart, INT pageLength,
                         INT fileSize) {
  char buffer[40];
  if (mode == 1) {
    std::snprintf(buffer, sizeof buffer, "%i/%i", pageNumber + 1, pageCount);
    return Ascii(buffer);
  }
  if (mode == 2) {
    if (fileSize <= 0) return u"P:0%";
    const double share = (static_cast<double>(pageStart) + pageLength) * 100.0 / fileSize;
    std::snprintf(buffer, sizeof buffer, "P:%i%%", static_cast<int>(std::clamp(share, 0.0, 100.0)));
    return Ascii(buffer);
  }
  return {};
}

std::u16string TimeText(INT hour, INT minute) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%.2i:%.2i", hour, minute);
  return Ascii(buffer);
}

std::u16string PaneText(const std::u16string& battery, const std::u16string& pages,
                        const std::u16string& time) {
  std::u16string text;
  for (const std::u16string* part : {&battery, &pages, &time}) {
    if (part->empty()) continue;
    if (!text.empty()) text += u' ';
    text += *part;
  }
  if (!text.empty()) text = u' ' + text + u' ';
  return text;
}
