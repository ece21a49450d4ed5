// CCePropertySheet: the handheld's property sheet. Its caption is kept as
// the process-wide title the shell asks for, beside an (empty) link text.
#pragma once

#include <string>

#include "platform/window/dialog.h"

class CCePropertySheet : public PropertySheet {
 public:
  CCePropertySheet(std::u16string caption, HWND parent = nullptr);

  HWND Parent() const { return parent_; }

  // What the shell shows as the sheet's title and link.
  static const std::u16string& Title();
  static const std::u16string& LinkText();

 private:
  HWND parent_;
};
