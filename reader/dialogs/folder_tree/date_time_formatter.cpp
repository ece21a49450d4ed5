#include "reader/dialogs/folder_tree/date_time_formatter.h"

#include <cstdio>

void CDateTimeFormatter::AppendNumber(int value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, digits == 4 ? "%04d" : "%02d", value);
  for (const char* c = text; *c != '\0'; ++c) output_.push_back(static_cast<char16_t>(*c));
}

const std::u16string& CDateTimeFormatter::Format(const std::u16string& picture) {
  output_.clear();
  for (size_t i = 0; i < picture.size();) {
    const char16_t c = picture[i];
    if (c == u'\'') {
      const size_t end = picture.find(u'\'', i + 1);
      const size_t stop = end == std::u16string::npos ? picture.size() : end;
      output_.append(picture, i + 1, stop - i - 1);
      i = stop + 1;
      continue;
    }
    size_t run = i;
    while (run < picture.size() && picture[run] == c) ++run;
    switch (c) {
      case u'y': AppendNumber(time_.wYear, 4); break;
      case u'M': AppendNumber(time_.wMonth, 2); break;
      case u'd': AppendNumber(time_.wDay, 2); break;
      case u'w': AppendNumber(time_.wDayOfWeek, 2); break;
      case u'q': AppendNumber((time_.wMonth + 2) / 3, 2); break;
      case u'H': AppendNumber(time_.wHour, 2); break;
      case u'h': AppendNumber(time_.wHour % 12 == 0 ? 12 : time_.wHour % 12, 2); break;
      case u'm': AppendNumber(time_.wMinute, 2); break;
      case u's': AppendNumber(time_.wSecond, 2); break;
      case u't': output_ += time_.wHour < 12 ? u"AM" : u"PM"; break;
      case u'g': output_ += u"A.D."; break;
      default: output_.append(picture, i, run - i); break;
    }
    i = run;
  }
  return output_;
}
