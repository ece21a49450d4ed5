#include "reader/settings_sheet/misc_page.h"

#include "foundation/code_pages.h"

namespace {

const MiscParameter* FindParameter(const std::u16string& name) {
  for (const MiscParameter& parameter : MiscParameterTable())
    if (parameter.name == name) return &parameter;
  return nullptr;
}

}  // namespace

CMiscPage::CMiscPage() : PropertyPage(IDD, u"Текст") {
  AddControl(-1, ControlKind::Static, u"Параметр:");
  AddControl(IDC_PARAMETERS, ControlKind::ListBox);
  AddControl(-1, ControlKind::Static, u"Значение:");
  AddControl(IDC_VALUES, ControlKind::ListBox);
  OnCommandMessage(IDC_PARAMETERS, LBN_SELCHANGE, [this] { OnParameter(); });
  OnCommandMessage(IDC_VALUES, LBN_SELCHANGE, [this] { OnValue(); });
}

BOOL CMiscPage::OnInitDialog() {
  PropertyPage::OnInitDialog();
  Control& list = *GetDlgItem(IDC_PARAMETERS);
  list.ResetContent();
  for (const MiscParameter& parameter : MiscParameterTable()) list.AddString(parameter.name);
  list.SetCurSel(0);
  OnParameter();
  return TRUE;
}

void CMiscPage::OnParameter() {
  Control& values = *GetDlgItem(IDC_VALUES);
  values.ResetContent();
  const Control& list = *GetDlgItem(IDC_PARAMETERS);
  const std::u16string name = list.GetItemText(list.GetCurSel());
  const MiscParameter* parameter = FindParameter(name);
  if (IsMiscHeading(name) || parameter == nullptr || parameter->choices.empty()) return;
  for (const std::u16string& choice : parameter->choices) values.AddString(choice);

  const auto it = params.find(name);
  if (it == params.end()) {
    values.SetCurSel(values.FindStringExact(-1, parameter->defaultChoice));
    return;
  }
  const std::u16string& value = it->second;
  int index = -1;
  if (name == u"Code page") {
    const int32_t codePage = CodePageFromName(value);
    if (codePage < static_cast<int32_t>(parameter->choices.size())) index = codePage;
  } else if (name == u"Orientation" || name == u"Pages") {
    for (size_t i = 0; i < parameter->choices.size(); ++i)
      if (parameter->choices[i] == value) index = static_cast<int>(i);
  } else {
    index = value == u"Yes" ? 0 : 1;
  }
  values.SetCurSel(index);
}

void CMiscPage::OnValue() {
  const Control& list = *GetDlgItem(IDC_PARAMETERS);
  const Control& values = *GetDlgItem(IDC_VALUES);
  if (list.GetCurSel() < 0 || values.GetCurSel() < 0) return;
  const std::u16string name = list.GetItemText(list.GetCurSel());
  const std::u16string value = values.GetItemText(values.GetCurSel());
  if (IsMiscHeading(name) || value.empty()) return;
  params[name] = value;
}
