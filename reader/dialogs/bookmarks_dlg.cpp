#include "reader/dialogs/bookmarks_dlg.h"

#include "foundation/code_pages.h"
#include "platform/message_box.h"
#include "platform/window/context_menu_edit.h"

namespace {

std::u16string PageCaption(INT offset, INT pageSize) {
  const std::string number = std::to_string(offset / (pageSize > 0 ? pageSize : 1000));
  return u"Page № " + std::u16string(number.begin(), number.end());
}

}  // namespace

CBookmarksDlg::CBookmarksDlg() : Dialog(IDD, u"Закладки") {
  AddControl(-1, ControlKind::Static, u"Страница:");
  AddControl(IDC_PAGES, ControlKind::ListBox);
  AddControl(-1, ControlKind::Static, u"Текст:");
  AddControl(IDC_EXCERPT, ControlKind::Edit).multi_line = true;
  CContextMenuEdit::Attach(*this, IDC_EXCERPT);
  AddControl(IDC_GO, ControlKind::Button, u"Перейти");
  AddControl(IDC_DELETE, ControlKind::Button, u"Удалить");
  AddControl(IDC_DELETE_ALL, ControlKind::Button, u"Удалить все");
  AddControl(IDCANCEL, ControlKind::Button, u"Отмена");
  // The title bar's OK: keeps the deletions without going anywhere.
  AddControl(IDOK, ControlKind::Button, u"OK");

  OnCommandMessage(IDC_PAGES, LBN_SELCHANGE, [this] { ShowExcerpt(); });
  OnCommandMessage(IDC_PAGES, LBN_DBLCLK, [this] { OnGo(); });
  OnCommandMessage(IDC_GO, BN_CLICKED, [this] { OnGo(); });
  OnCommandMessage(IDC_DELETE, BN_CLICKED, [this] { OnDelete(); });
  OnCommandMessage(IDC_DELETE_ALL, BN_CLICKED, [this] { OnDeleteAll(); });
}

void CBookmarksDlg::SetBookmarks(const std::map<INT, std::string>& marks) {
  bookmarks.clear();
  for (const auto& [offset, excerpt] : marks) bookmarks.push_back({offset, excerpt});
}

std::map<INT, std::string> CBookmarksDlg::GetBookmarks() const {
  std::map<INT, std::string> marks;
  for (const BookmarkEntry& mark : bookmarks) marks[mark.offset] = mark.excerpt;
  return marks;
}

BOOL CBookmarksDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  chosen = -1;
  Control& list = *GetDlgItem(IDC_PAGES);
  list.ResetContent();
  for (const BookmarkEntry& mark : bookmarks) list.AddString(PageCaption(mark.offset, pageSize));
  if (bookmarks.empty()) {
    EnableEditing(false);
  } else {
    list.SetCurSel(0);
    ShowExcerpt();
  }
  return TRUE;
}

void CBookmarksDlg::ShowExcerpt() {
  const int index = GetDlgItem(IDC_PAGES)->GetCurSel();
  if (index < 0 || index >= static_cast<int>(bookmarks.size())) return;
  SetDlgItemTextW(IDC_EXCERPT, NarrowToWide(bookmarks[index].excerpt));
}

void CBookmarksDlg::OnGo() {
  chosen = GetDlgItem(IDC_PAGES)->GetCurSel();
  EndDialog(IDOK);
}

void CBookmarksDlg::OnDelete() {
  Control& list = *GetDlgItem(IDC_PAGES);
  const int index = list.GetCurSel();
  if (index < 0 || index >= static_cast<int>(bookmarks.size())) return;
  bookmarks.erase(bookmarks.begin() + index);
  list.DeleteString(index);
  if (bookmarks.empty()) {
    SetDlgItemTextW(IDC_EXCERPT, {});
    EnableEditing(false);
    GetDlgItem(IDC_EXCERPT)->Enable(false);
    return;
  }
  list.SetCurSel(index < static_cast<int>(bookmarks.size()) ? index : index - 1);
  ShowExcerpt();
}

void CBookmarksDlg::OnDeleteAll() {
  if (MessageBoxW(GetSafeHwnd(), u"Do You wish to delete all bookmarks?", nullptr, MB_OKCANCEL) !=
      IDOK)
    return;
  bookmarks.clear();
  GetDlgItem(IDC_PAGES)->ResetContent();
  SetDlgItemTextW(IDC_EXCERPT, {});
  GetDlgItem(IDC_EXCERPT)->Enable(false);
  EnableEditing(false);
}

void CBookmarksDlg::EnableEditing(bool on) {
  EnableDlgItem(IDC_GO, on);
  EnableDlgItem(IDC_DELETE, on);
  EnableDlgItem(IDC_DELETE_ALL, on);
}
