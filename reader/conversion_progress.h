// While a document is converted or extracted, the window's title tells how
// much of the text is written: a long conversion shows that it goes on.
#pragma once

#include <string>

#include "platform/window/window_host.h"

class ConversionProgress {
 public:
  ConversionProgress(WindowHost& host, std::u16string name);
  ~ConversionProgress();
  ConversionProgress(const ConversionProgress&) = delete;
  ConversionProgress& operator=(const ConversionProgress&) = delete;

  // The title shown after `written` bytes: "<name>: <n> МБ".
  static std::u16string Title(const std::u16string& name, int64_t written);

 private:
  WindowHost& host_;
  std::u16string savedTitle_;
};
