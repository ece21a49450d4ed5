// The text-view and info-pane parameters as the text page lists them: each
// parameter with its choices and the choice shown when it has no value, and
// their exchange with the main window's settings.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "reader/reader_settings.h"

using MiscParams = std::map<std::u16string, std::u16string>;

struct MiscParameter {
  std::u16string name;
  std::vector<std::u16string> choices;  // empty for headings and the blank line
  std::u16string defaultChoice;
};

// In list order, headings and the blank line included.
const std::vector<MiscParameter>& MiscParameterTable();

// Headings, the blank line and any other text beginning with "-" have no
// choices.
bool IsMiscHeading(const std::u16string& name);

MiscParams GetMiscParams(const ReaderSettings& settings);
// A flag is on exactly when its value is "Yes"; an orientation or pages
// value not among the choices leaves the setting; the code page becomes the
// index of its name (an unknown name leaves it as well).
void SetMiscParams(const MiscParams& params, ReaderSettings& settings);
