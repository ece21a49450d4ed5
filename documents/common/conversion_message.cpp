#include "documents/common/conversion_message.h"

#include <atomic>

#include "platform/message_box.h"

namespace {

std::atomic<int> stopsShown{0};

}  // namespace

void ShowConversionStop(std::string_view text) {
  ShowConversionStop(std::u16string(text.begin(), text.end()));
}

void ShowConversionStop(const std::u16string& text) {
  ++stopsShown;
  MessageBoxW(nullptr, text.c_str(), nullptr, MB_OK | MB_ICONSTOP);
}

void ShowNoTextTaken(std::string_view why) {
  ShowNoTextTaken(std::u16string(why.begin(), why.end()));
}

void ShowNoTextTaken(const std::u16string& why) {
  ShowConversionStop(u"Conversion stopped: no text could be taken out of the book. " + why);
}

void ShowConversionWarning(const std::u16string& text) {
  MessageBoxW(nullptr, text.c_str(), u"Warning", MB_OK | MB_ICONWARNING);
}

int ConversionStopsShown() { return stopsShown; }
