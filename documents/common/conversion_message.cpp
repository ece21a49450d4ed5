#include "documents/common/conversion_message.h"

#include <string>

#include "platform/message_box.h"

void ShowConversionStop(std::string_view text) {
  const std::u16string wide(text.begin(), text.end());
  MessageBoxW(nullptr, wide.c_str(), nullptr, MB_OK | MB_ICONSTOP);
}
