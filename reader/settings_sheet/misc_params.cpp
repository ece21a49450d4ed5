#include "reader/settings_sheet/misc_params.h"

#include "foundation/code_pages.h"

namespace {

const std::vector<std::u16string> kYesNo = {u"Yes", u"No"};
const std::vector<std::u16string> kOrientations = {u"Normal", u"Turned 90%", u"Turned 180%",
                                                   u"Turned 270%"};
const std::vector<std::u16string> kPagesModes = {u"No", u"Digits", u"Percent"};

std::vector<std::u16string> CodePageChoices() {
  std::vector<std::u16string> names;
  CodePageNames(names);
  return names;
}

const std::u16string& YesNo(bool on) { return kYesNo[on ? 0 : 1]; }

// The index of the value among the choices, or -1.
int ChoiceIndex(const std::vector<std::u16string>& choices, const MiscParams& params,
                const std::u16string& name) {
  const auto it = params.find(name);
  if (it == params.end()) return -1;
  for (size_t i = 0; i < choices.size(); ++i)
    if (choices[i] == it->second) return static_cast<int>(i);
  return -1;
}

void ReadFlag(const MiscParams& params, const std::u16string& name, bool& flag) {
  const auto it = params.find(name);
  flag = it != params.end() && it->second == u"Yes";
}

}  // namespace

const std::vector<MiscParameter>& MiscParameterTable() {
  static const std::vector<MiscParameter> table = {
      {u"--- Text View ---", {}, {}},
      {u"Justify", kYesNo, u"Yes"},
      {u"Hyphenate", kYesNo, u"Yes"},
      {u"Smart", kYesNo, u"Yes"},
      {u"Orientation", kOrientations, u"Normal"},
      {u"Code page", CodePageChoices(), u"Win"},
      {u"", {}, {}},
      {u"--- Info Pane ---", {}, {}},
      {u"Pane", kYesNo, u"Yes"},
      {u"Time", kYesNo, u"Yes"},
      {u"Pages", kPagesModes, u"No"},
      {u"Battery", kYesNo, u"Yes"},
      {u"Progress", kYesNo, u"Yes"},
  };
  return table;
}

bool IsMiscHeading(const std::u16string& name) { return name.empty() || name.front() == u'-'; }

MiscParams GetMiscParams(const ReaderSettings& settings) {
  MiscParams params;
  params[u"Justify"] = YesNo(settings.justify);
  params[u"Hyphenate"] = YesNo(settings.hyphenate);
  params[u"Smart"] = YesNo(settings.smartParagraphs);
  if (settings.orientation >= 0 && settings.orientation < static_cast<INT>(kOrientations.size()))
    params[u"Orientation"] = kOrientations[settings.orientation];
  params[u"Pane"] = YesNo(settings.paneShown);
  params[u"Time"] = YesNo(settings.showTime);
  if (settings.pagesMode >= 0 && settings.pagesMode < static_cast<INT>(kPagesModes.size()))
    params[u"Pages"] = kPagesModes[settings.pagesMode];
  params[u"Battery"] = YesNo(settings.showBattery);
  params[u"Progress"] = YesNo(settings.progressBar);
  params[u"Code page"] = CodePageName(settings.codePage);
  return params;
}

void SetMiscParams(const MiscParams& params, ReaderSettings& settings) {
  ReadFlag(params, u"Justify", settings.justify);
  ReadFlag(params, u"Hyphenate", settings.hyphenate);
  ReadFlag(params, u"Smart", settings.smartParagraphs);
  if (const int i = ChoiceIndex(kOrientations, params, u"Orientation"); i >= 0)
    settings.orientation = i;
  ReadFlag(params, u"Pane", settings.paneShown);
  ReadFlag(params, u"Time", settings.showTime);
  if (const int i = ChoiceIndex(kPagesModes, params, u"Pages"); i >= 0) settings.pagesMode = i;
  ReadFlag(params, u"Battery", settings.showBattery);
  ReadFlag(params, u"Progress", settings.progressBar);
  if (const auto it = params.find(u"Code page"); it != params.end()) {
    const int32_t index = CodePageFromName(it->second);
    if (index >= kCodePageAuto && index <= kCodePageIso) settings.codePage = index;
  }
}
