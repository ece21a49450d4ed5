#include "platform/window/context_menu_edit.h"

#include "platform/window/clipboard.h"
#include "platform/window/dialog.h"

void CContextMenuEdit::Attach(Dialog& dialog, int id) {
  Control* edit = dialog.GetDlgItem(id);
  if (edit && edit->kind == ControlKind::Edit) edit->context_menu = true;
}

const MenuItem& CContextMenuEdit::EditMenu() {
  static const MenuItem menu = MenuItem::Popup(
      u"", {MenuItem::Command(ID_EDIT_COPY, u"Копировать"), MenuItem::Command(ID_EDIT_CUT, u"Вырезать"),
            MenuItem::Command(ID_EDIT_PASTE, u"Вставить")});
  return menu;
}

UINT CContextMenuEdit::MessageOf(UINT command) {
  switch (command) {
    case ID_EDIT_COPY: return WM_COPY;
    case ID_EDIT_CUT: return WM_CUT;
    case ID_EDIT_PASTE: return WM_PASTE;
    default: return 0;
  }
}

namespace {

bool PutOnClipboard(const std::u16string& text) {
  if (!OpenClipboard(nullptr)) return false;
  const bool ok = EmptyClipboard() && SetClipboardUnicodeText(text);
  CloseClipboard();
  return ok;
}

}  // namespace

bool CContextMenuEdit::HandleMessage(Control& edit, UINT message) {
  const size_t start = static_cast<size_t>(edit.sel_start);
  const size_t length = static_cast<size_t>(edit.sel_end - edit.sel_start);
  switch (message) {
    case WM_COPY:
      if (length > 0) PutOnClipboard(edit.text.substr(start, length));
      return false;
    case WM_CUT: {
      // Nothing is removed when the clipboard could not take it.
      if (length == 0 || !edit.enabled || !PutOnClipboard(edit.text.substr(start, length))) return false;
      std::u16string text = edit.text;
      text.erase(start, length);
      edit.SetText(std::move(text));
      edit.SetSelection(static_cast<int>(start), static_cast<int>(start));
      return true;
    }
    case WM_PASTE: {
      if (!edit.enabled || !OpenClipboard(nullptr)) return false;
      std::u16string pasted;
      const bool have = GetClipboardUnicodeText(&pasted);
      CloseClipboard();
      if (!have) return false;
      if (edit.multi_line) {
        // A one-line edit takes the first line only.
      } else if (size_t end = pasted.find_first_of(u"\r\n"); end != std::u16string::npos) {
        pasted.resize(end);
      }
      std::u16string text = edit.text;
      text.replace(start, length, pasted);
      edit.SetText(std::move(text));
      const int caret = static_cast<int>(start + pasted.size());
      edit.SetSelection(caret, caret);
      return true;
    }
    default:
      return false;
  }
}
