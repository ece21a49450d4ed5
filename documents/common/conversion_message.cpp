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

void ShowPartsLeftOut(std::u16string_view what, const std::u16string& book,
                      const std::vector<std::u16string>& names) {
  // A damaged book can have thousands: the box stays readable.
  constexpr size_t kNamed = 10;
  std::u16string list;
  for (size_t i = 0; i < names.size() && i < kNamed; ++i) {
    if (!list.empty()) list += u", ";
    list += names[i];
  }
  if (names.size() > kNamed) {
    const std::string more = std::to_string(names.size() - kNamed);
    list += u" and " + std::u16string(more.begin(), more.end()) + u" more";
  }
  ShowConversionWarning(u"Warning: " + std::u16string(what) + u" of " + book +
                        u" cannot be read and were left out: " + list + u".");
}

int ConversionStopsShown() { return stopsShown; }
