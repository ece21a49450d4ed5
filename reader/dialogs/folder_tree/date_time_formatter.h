// CDateTimeFormatter: expands a date picture such as "dd.MM.yyyy" for a
// date and time. A run of one picture letter stands for one number (years
// "%04d", the rest "%02d"); text in single quotes is copied without them;
// any other character is copied as it is.
//   y year, M month, d day, w day of the week (0 Sunday), q quarter,
//   H hour (0-23), h hour (1-12), m minute, s second,
//   t "AM"/"PM", g the era ("A.D.").
#pragma once

#include <string>

#include "platform/window/window_types.h"

class CDateTimeFormatter {
 public:
  explicit CDateTimeFormatter(const SYSTEMTIME& time) : time_(time) {}

  // Formats into the output buffer and returns it.
  const std::u16string& Format(const std::u16string& picture);
  const std::u16string& Output() const { return output_; }

 private:
  void AppendNumber(int value, int digits);

  SYSTEMTIME time_;
  std::u16string output_;
};
