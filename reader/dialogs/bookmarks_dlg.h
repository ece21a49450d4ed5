// CBookmarksDlg: the document's bookmarks listed by page, with their
// excerpts; the user goes to one, deletes one or deletes them all.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/window/dialog.h"

struct BookmarkEntry {
  INT offset = 0;       // byte offset in the document
  std::string excerpt;  // Windows-1251
};

class CBookmarksDlg : public Dialog {
 public:
  static constexpr UINT IDD = 183;
  static constexpr int IDC_PAGES = 1014;
  static constexpr int IDC_EXCERPT = 1015;
  static constexpr int IDC_DELETE = 1016;
  static constexpr int IDC_DELETE_ALL = 1017;
  static constexpr int IDC_GO = 1018;

  CBookmarksDlg();

  // Filled before the run, read back on IDOK.
  std::vector<BookmarkEntry> bookmarks;
  INT pageSize = 1000;
  int chosen = -1;

  // The main window keeps its bookmarks as a map ordered by offset.
  void SetBookmarks(const std::map<INT, std::string>& marks);
  std::map<INT, std::string> GetBookmarks() const;

  BOOL OnInitDialog() override;

 private:
  void ShowExcerpt();
  void OnGo();
  void OnDelete();
  void OnDeleteAll();
  void EnableEditing(bool on);
};
