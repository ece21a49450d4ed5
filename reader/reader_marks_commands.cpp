// The main window's bookmark, read-mark, search and go-to-page commands.
#include "foundation/code_pages.h"
#include "platform/message_box.h"
#include "reader/dialogs/bookmarks_dlg.h"
#include "reader/dialogs/find_text_dlg.h"
#include "reader/dialogs/go_to_page_dlg.h"
#include "reader/marks/bookmark_excerpt.h"
#include "reader/marks/page_jump.h"
#include "reader/marks/search_view.h"
#include "reader/reader_dlg.h"

bool CReaderDlg::PageHasBookmark() const {
  const auto mark = bookmarks_.lower_bound(page_.PageStart());
  return mark != bookmarks_.end() && mark->first <= page_.PageStart() + page_.PageLength() - 1;
}

void CReaderDlg::OnAddBookmark() {
  if (NoDocument() || page_.FileSize() == 0) return;
  bookmarks_[page_.PageStart()] = ::GetBookmarkExcerpt(page_, page_.PageStart(), page_.PageLength());
  SaveDocumentSettings();
  paneOnly_ = false;
  host_->Invalidate();
}

void CReaderDlg::OnBookmarks() {
  StopSpeech();
  CBookmarksDlg dialog;
  dialog.SetBookmarks(bookmarks_);
  dialog.pageSize = kPageBlockBytes;
  UnregisterSystemHotKeys();
  const int result = dialog.DoModal();
  RegisterHotKeyGroups();
  if (result != IDOK) {
    RepaintPage();
    return;
  }
  bookmarks_ = dialog.GetBookmarks();
  SaveDocumentSettings();
  if (dialog.chosen >= 0 && dialog.chosen < static_cast<int>(dialog.bookmarks.size()))
    GoToOffset(dialog.bookmarks[dialog.chosen].offset);
  else
    RepaintPage();
}

void CReaderDlg::ChangeReadMark(bool on) {
  if (NoDocument() || readMark_ == on) return;
  readMark_ = on;
  SaveDocumentSettings();
  paneOnly_ = false;
  host_->Invalidate();
}

void CReaderDlg::OnMarkRead() { ChangeReadMark(!readMark_); }
void CReaderDlg::OnSetReadMark() { ChangeReadMark(true); }
void CReaderDlg::OnMarkUnread() { ChangeReadMark(false); }

void CReaderDlg::ShowNotFound() {
  const std::u16string text = u"Search string \"" + NarrowToWide(settings.findText) + u"\" not found.";
  MessageBoxW(host_->Handle(), text.c_str(), nullptr, MB_OK);
}

void CReaderDlg::OnFind() {
  StopSpeech();
  CFindTextDlg dialog;
  dialog.text = NarrowToWide(settings.findText);
  dialog.matchCase = settings.matchCase;
  dialog.backward = settings.findBackward;
  UnregisterSystemHotKeys();
  const int result = dialog.DoModal();
  RegisterHotKeyGroups();
  if (result != IDOK) return;
  if (!StartSearch(WideToNarrow(dialog.text), dialog.matchCase, dialog.backward)) ShowNotFound();
}

void CReaderDlg::OnFindNext() {
  StopSpeech();
  if (FindText()) return;
  if (settings.findText.empty())
    MessageBoxW(host_->Handle(), u"Empty search string can't be found", nullptr, MB_OK);
  else
    ShowNotFound();
}

bool CReaderDlg::StartSearch(const std::string& text, bool matchCase, bool backward) {
  search_.Start(text, matchCase, backward, page_.PageStart());
  settings.findText = search_.Text();
  settings.matchCase = matchCase;
  settings.findBackward = backward;
  return FindText();
}

bool CReaderDlg::FindText() {
  if (NoDocument()) return false;
  // The text of the `Find` setting, until the first Find of this run.
  if (search_.Text() != settings.findText || search_.MatchCase() != settings.matchCase ||
      search_.Backward() != settings.findBackward)
    search_.Restore(settings.findText, settings.matchCase, settings.findBackward);
  const INT match = search_.FindText(page_.PageStart(), page_.FileSize(),
                                     [this](INT from, INT count) { return page_.ReadConverted(from, count); });
  if (match < 0) return false;

  struct View : SearchPageView {
    explicit View(CReaderDlg& dlg) : dlg(dlg) {}
    INT PageStart() const override { return dlg.page_.PageStart(); }
    INT PageLength() const override { return dlg.page_.PageLength(); }
    void GoToOffset(INT offset) override { dlg.GoToOffset(offset); }
    void ShowPageFrom(INT offset) override {
      dlg.UpdateLayout();
      if (dlg.page_.ShowPageAt(offset)) dlg.PageChanged();
    }
    void SetHighlight(INT start, INT end) override {
      dlg.page_.SetHighlight(start, end);
      dlg.paneOnly_ = false;
      dlg.host_->Invalidate();
      dlg.host_->Update();
    }
    CReaderDlg& dlg;
  } view(*this);
  ShowSearchMatch(view, match, search_.TextLength());
  return true;
}

void CReaderDlg::ResetSearch() { search_.ResetSearch(); }

void CReaderDlg::GetFindSettings(std::string& text, bool& matchCase) const {
  text = settings.findText;
  matchCase = settings.matchCase;
}

void CReaderDlg::OnGoToPage() {
  StopSpeech();
  if (NoDocument()) return;
  const PageJumpRange range = GoToPageRange(GetPageNumber(), GetPageCount());
  CGoToPageDlg dialog;
  dialog.lastPage = range.lastPage;
  dialog.page = range.page;
  UnregisterSystemHotKeys();
  const int result = dialog.DoModal();
  RegisterHotKeyGroups();
  if (result == IDOK) GoToOffset(PageJumpOffset(dialog.page));
}
