#include "reader/settings_sheet/colors_page.h"

#include "foundation/code_pages.h"
#include "foundation/string_utils.h"
#include "reader/settings_sheet/new_scheme_dlg.h"

CColorsPage::CColorsPage() : PropertyPage(IDD, u"Цвета") {
  AddControl(IDC_SCHEME, ControlKind::ComboBox);
  AddControl(IDC_TARGET, ControlKind::ComboBox);
  AddControl(-1, ControlKind::Static, u"Красный:");
  AddControl(IDC_RED, ControlKind::Slider);
  AddControl(IDC_RED_VALUE, ControlKind::Static);
  AddControl(-1, ControlKind::Static, u"Зелёный:");
  AddControl(IDC_GREEN, ControlKind::Slider);
  AddControl(IDC_GREEN_VALUE, ControlKind::Static);
  AddControl(-1, ControlKind::Static, u"Голубой:");
  AddControl(IDC_BLUE, ControlKind::Slider);
  AddControl(IDC_BLUE_VALUE, ControlKind::Static);
  AddControl(IDC_SAMPLE, ControlKind::Static, u"АаБбВв").sample = true;
  // The colour targets come with the page's resource.
  Control& target = *GetDlgItem(IDC_TARGET);
  target.AddString(u"Text");
  target.AddString(u"Background");

  OnWindowMessage(WM_HSCROLL, [this](WPARAM, LPARAM) -> LRESULT {
    OnSlider();
    return 0;
  });
  OnCommandMessage(IDC_TARGET, CBN_SELCHANGE, [this] { OnTarget(); });
  OnCommandMessage(IDC_SCHEME, CBN_SELCHANGE, [this] { OnScheme(); });
}

BOOL CColorsPage::OnInitDialog() {
  PropertyPage::OnInitDialog();
  GetDlgItem(IDC_TARGET)->SetCurSel(0);
  for (int id : {IDC_RED, IDC_GREEN, IDC_BLUE}) GetDlgItem(id)->SetRange(0, 255);
  SetSlidersFrom(textColor);

  Control& combo = *GetDlgItem(IDC_SCHEME);
  combo.ResetContent();
  combo.AddString(u"New...");
  combo.AddString(u"Delete...");
  schemes_ = ParseColorSchemes(presets);
  current_ = -1;
  int found = -1;
  for (size_t i = 0; i < schemes_.size(); ++i) {
    combo.AddString(NarrowToWide(schemes_[i].name));
    if (schemes_[i].name == presetName) found = static_cast<int>(i);
  }
  if (schemes_.empty()) {
    schemes_.push_back(DefaultColorScheme());
    combo.AddString(NarrowToWide(schemes_.back().name));
    found = 0;
  }
  if (found >= 0) {
    combo.SetCurSel(kFirstSchemeIndex + found);
    current_ = found;
  }
  UpdateSample();
  return TRUE;
}

bool CColorsPage::TargetIsBackground() const { return GetDlgItem(IDC_TARGET)->GetCurSel() != 0; }

void CColorsPage::SetSlidersFrom(COLORREF color) {
  GetDlgItem(IDC_RED)->SetPos(GetRValue(color));
  GetDlgItem(IDC_GREEN)->SetPos(GetGValue(color));
  GetDlgItem(IDC_BLUE)->SetPos(GetBValue(color));
  WriteSliderValues();
}

COLORREF CColorsPage::SliderColor() const {
  return RGB(static_cast<BYTE>(GetDlgItem(IDC_RED)->GetPos()),
             static_cast<BYTE>(GetDlgItem(IDC_GREEN)->GetPos()),
             static_cast<BYTE>(GetDlgItem(IDC_BLUE)->GetPos()));
}

void CColorsPage::WriteSliderValues() {
  SetDlgItemTextW(IDC_RED_VALUE, NarrowToWide(IntToString(GetDlgItem(IDC_RED)->GetPos())));
  SetDlgItemTextW(IDC_GREEN_VALUE, NarrowToWide(IntToString(GetDlgItem(IDC_GREEN)->GetPos())));
  SetDlgItemTextW(IDC_BLUE_VALUE, NarrowToWide(IntToString(GetDlgItem(IDC_BLUE)->GetPos())));
}

void CColorsPage::OnSlider() {
  WriteSliderValues();
  const COLORREF color = SliderColor();
  ColorScheme* scheme = current_ >= 0 ? &schemes_[current_] : nullptr;
  if (TargetIsBackground()) {
    backColor = color;
    if (scheme) scheme->background = color;
  } else {
    textColor = color;
    if (scheme) scheme->text = color;
  }
  UpdateSample();
}

void CColorsPage::UpdateSample() { GetDlgItem(IDC_SAMPLE)->SetColours(textColor, backColor); }

void CColorsPage::OnTarget() { SetSlidersFrom(TargetIsBackground() ? backColor : textColor); }

void CColorsPage::MakeCurrent(int index) {
  current_ = index;
  GetDlgItem(IDC_SCHEME)->SetCurSel(kFirstSchemeIndex + index);
  textColor = schemes_[index].text;
  backColor = schemes_[index].background;
}

void CColorsPage::OnScheme() {
  const int choice = GetDlgItem(IDC_SCHEME)->GetCurSel();
  if (choice < 0 || GetDlgItem(IDC_TARGET)->GetCurSel() < 0) return;
  if (choice >= kFirstSchemeIndex) {
    MakeCurrent(choice - kFirstSchemeIndex);
  } else if (choice == kDeleteIndex) {
    DeleteCurrentScheme();
  } else {
    NewScheme();
  }
  SetSlidersFrom(TargetIsBackground() ? backColor : textColor);
  UpdateSample();
}

void CColorsPage::DeleteCurrentScheme() {
  Control& combo = *GetDlgItem(IDC_SCHEME);
  // With no current scheme there is nothing to delete; "Delete..." must
  // not stay selected either, or OK would read it as a scheme.
  if (current_ < 0) {
    combo.SetCurSel(-1);
    return;
  }
  schemes_.erase(schemes_.begin() + current_);
  combo.DeleteString(kFirstSchemeIndex + current_);
  if (schemes_.empty()) {
    schemes_.push_back(DefaultColorScheme());
    combo.InsertString(kFirstSchemeIndex, NarrowToWide(schemes_.back().name));
  }
  MakeCurrent(0);
}

void CColorsPage::NewScheme() {
  CNewSchemeDlg dialog;
  std::string name;
  if (dialog.DoModal() == IDOK) name = StorableSchemeName(WideToNarrow(dialog.name));
  if (name.empty()) {
    MakeCurrent(0);
    return;
  }
  for (size_t i = 0; i < schemes_.size(); ++i) {
    if (schemes_[i].name == name) {
      MakeCurrent(static_cast<int>(i));
      return;
    }
  }
  schemes_.insert(schemes_.begin(), ColorScheme{name, 0xFFFFFF, 0x000000});
  GetDlgItem(IDC_SCHEME)->InsertString(kFirstSchemeIndex, NarrowToWide(name));
  MakeCurrent(0);
}

void CColorsPage::OnOK() {
  if (TargetIsBackground()) backColor = SliderColor();
  else textColor = SliderColor();
  const int choice = GetDlgItem(IDC_SCHEME)->GetCurSel();
  if (choice >= kFirstSchemeIndex && choice - kFirstSchemeIndex < static_cast<int>(schemes_.size()))
    presetName = schemes_[choice - kFirstSchemeIndex].name;
  presets = FormatColorSchemes(schemes_);
}
