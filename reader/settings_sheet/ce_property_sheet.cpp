#include "reader/settings_sheet/ce_property_sheet.h"

namespace {

std::u16string& TitleText() {
  static std::u16string title;
  return title;
}

}  // namespace

CCePropertySheet::CCePropertySheet(std::u16string caption, HWND parent)
    : PropertySheet(caption), parent_(parent) {
  TitleText() = std::move(caption);
}

const std::u16string& CCePropertySheet::Title() { return TitleText(); }

const std::u16string& CCePropertySheet::LinkText() {
  static const std::u16string link;
  return link;
}
