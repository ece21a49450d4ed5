#include "reader/settings_sheet/choose_font_page.h"

#include <string>

#include "foundation/code_pages.h"
#include "foundation/string_utils.h"
#include "platform/window/device_context.h"
#include "reader/settings_sheet/font_points.h"

namespace {

const char16_t* const kPointSizes[] = {u"6",  u"7",  u"8",  u"9",  u"10", u"11", u"12",
                                       u"14", u"16", u"20", u"24", u"28", u"36"};

// Leading blanks, an optional sign and the digits up to the first other
// character; 0 when there are none.
long ReadDecimal(const std::u16string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  long value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = value * 10 + (text[i] - u'0');
    if (value > 100000) break;  // no font is that large; keeps the sum in range
  }
  return negative ? -value : value;
}

}  // namespace

void CChooseFontPage::DrawLineBelow(DeviceContext& dc, const DialogLayout& layout, int id) const {
  const auto& controls = Controls();
  for (size_t i = 0; i < controls.size() && i < layout.controls.size(); ++i) {
    if (controls[i].id != id) continue;
    const RECT& r = layout.controls[i];
    dc.FillSolidRect({r.left, r.bottom + 2, r.right, r.bottom + 3}, RGB(0xC0, 0xC0, 0xC0));
    return;
  }
}

CChooseFontPage::CChooseFontPage() : PropertyPage(IDD, u"Шрифт") {
  AddControl(IDC_FACE, ControlKind::ComboBox).editable = true;
  AddControl(IDC_SIZE, ControlKind::ComboBox).editable = true;
  AddControl(IDC_BOLD, ControlKind::CheckBox, u"Жирный");
  AddControl(IDC_ITALIC, ControlKind::CheckBox, u"Курсив");
  AddControl(IDC_UNDERLINE, ControlKind::CheckBox, u"Подчёркнутый");
  AddControl(IDC_SMOOTHED, ControlKind::CheckBox, u"Сглаженный");
  AddControl(IDC_SAMPLE, ControlKind::Static).sample = true;

  for (int id : {IDC_BOLD, IDC_ITALIC, IDC_UNDERLINE, IDC_SMOOTHED})
    OnCommandMessage(id, BN_CLICKED, [this, id] { OnStyle(id); });
  OnCommandMessage(IDC_FACE, CBN_SELCHANGE, [this] { OnFaceChosen(); });
  OnCommandMessage(IDC_FACE, CBN_EDITCHANGE, [this] { OnFaceTyped(); });
  OnCommandMessage(IDC_SIZE, CBN_SELCHANGE, [this] { OnSizeChosen(); });
  OnCommandMessage(IDC_SIZE, CBN_EDITCHANGE, [this] { OnSizeTyped(); });
}

BOOL CChooseFontPage::OnInitDialog() {
  PropertyPage::OnInitDialog();
  dpi_ = ScreenDpi();
  FillFaces();
  FillSizes();
  CheckDlgButton(IDC_BOLD, font.lfWeight == FW_BOLD);
  CheckDlgButton(IDC_ITALIC, font.lfItalic != 0);
  CheckDlgButton(IDC_UNDERLINE, font.lfUnderline != 0);
  CheckDlgButton(IDC_SMOOTHED, font.lfQuality == CLEARTYPE_QUALITY);
  SetDlgItemTextW(IDC_SAMPLE, sampleText_);
  UpdateSample();
  return TRUE;
}

void CChooseFontPage::FillFaces() {
  Control& faces = *GetDlgItem(IDC_FACE);
  faces.ResetContent();
  for (const std::u16string& family : EnumFontFamilies()) faces.AddString(family);
  const std::u16string face = FaceName(font);
  const int found = faces.FindStringExact(-1, face);
  if (found >= 0) faces.SetCurSel(found);
  else faces.SetText(face);
}

void CChooseFontPage::FillSizes() {
  Control& sizes = *GetDlgItem(IDC_SIZE);
  sizes.ResetContent();
  for (const char16_t* size : kPointSizes) sizes.AddString(size);
  const std::u16string points = NarrowToWide(IntToString(HeightToPoints(font.lfHeight, dpi_)));
  const int found = sizes.FindString(-1, points);
  if (found >= 0) sizes.SetCurSel(found);
  else sizes.SetText(points);
}

void CChooseFontPage::OnStyle(int id) {
  const bool on = IsDlgButtonChecked(id);
  switch (id) {
    case IDC_BOLD: font.lfWeight = on ? FW_BOLD : FW_NORMAL; break;
    case IDC_ITALIC: font.lfItalic = on ? 1 : 0; break;
    case IDC_UNDERLINE: font.lfUnderline = on ? 1 : 0; break;
    case IDC_SMOOTHED: font.lfQuality = on ? CLEARTYPE_QUALITY : DEFAULT_QUALITY; break;
  }
  UpdateSample();
}

void CChooseFontPage::OnFaceChosen() {
  const Control& faces = *GetDlgItem(IDC_FACE);
  if (faces.GetCurSel() < 0) return;
  SetFaceName(&font, faces.GetItemText(faces.GetCurSel()));
  UpdateSample();
}

void CChooseFontPage::OnFaceTyped() {
  // SetFaceName keeps at most 31 characters.
  SetFaceName(&font, GetDlgItemTextW(IDC_FACE));
  UpdateSample();
}

void CChooseFontPage::OnSizeChosen() {
  const Control& sizes = *GetDlgItem(IDC_SIZE);
  if (sizes.GetCurSel() < 0) return;
  SetPoints(sizes.GetItemText(sizes.GetCurSel()));
}

void CChooseFontPage::OnSizeTyped() { SetPoints(GetDlgItemTextW(IDC_SIZE)); }

void CChooseFontPage::SetPoints(const std::u16string& text) {
  const long points = ReadDecimal(text);
  if (points <= 0) return;
  font.lfHeight = PointsToHeight(points, dpi_);
  UpdateSample();
}

void CChooseFontPage::UpdateSample() {
  sampleFont_.reset();
  sampleFont_ = Font::Create(font);
  GetDlgItem(IDC_SAMPLE)->SetFont(font);
}
