#include "reader/conversion_progress.h"

#include "documents/common/output_limits.h"

ConversionProgress::ConversionProgress(WindowHost& host, std::u16string name)
    : host_(host), savedTitle_(host.Title()) {
  CurrentOutputLimits().progress = [this, name = std::move(name)](int64_t written) {
    host_.SetTitle(Title(name, written));
    // Shows the new title at once: the conversion holds the event loop.
    host_.SetWaitCursor(true);
  };
}

ConversionProgress::~ConversionProgress() {
  CurrentOutputLimits().progress = nullptr;
  host_.SetTitle(savedTitle_);
}

std::u16string ConversionProgress::Title(const std::u16string& name, int64_t written) {
  std::u16string title = name + u": ";
  for (char c : std::to_string(written >> 20)) title += static_cast<char16_t>(c);
  return title + u" МБ";
}
