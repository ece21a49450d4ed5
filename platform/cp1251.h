// Inside the platform library: Windows-1251 text shown by the platform's
// services (8-bit message boxes).
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::u16string Cp1251ToUtf16(std::string_view text);

}  // namespace platform
