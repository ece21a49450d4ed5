// Why a conversion or an extraction stopped, told to the user.
#pragma once

#include <string_view>

// Shows the text (ASCII) in a stop message box.
void ShowConversionStop(std::string_view text);
