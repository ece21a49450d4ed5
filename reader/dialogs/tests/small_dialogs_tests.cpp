#include <gtest/gtest.h>

#include "platform/window/headless_backend.h"
#include "reader/dialogs/bookmarks_dlg.h"
#include "reader/dialogs/find_text_dlg.h"
#include "reader/dialogs/go_to_page_dlg.h"
#include "reader/dialogs/user_text_dlg.h"

namespace {

std::vector<std::u16string> Items(DialogDriver& d, int id) { return d.Find(id)->items; }

class BookmarksDialog : public ::testing::Test {
 protected:
  BookmarksDialog() {
    dialog.SetBookmarks({{0, "начало"}, {2500, "середина"}, {7000, "конец"}});
  }
  HeadlessBackend backend;
  CBookmarksDlg dialog;
};

TEST_F(BookmarksDialog, ListsPagesFromZeroAndShowsTheChosenExcerpt) {
  backend.ExpectDialog([](DialogDriver& d) {
    EXPECT_EQ(Items(d, CBookmarksDlg::IDC_PAGES),
              (std::vector<std::u16string>{u"Page № 0", u"Page № 2", u"Page № 7"}));
    EXPECT_EQ(d.Find(CBookmarksDlg::IDC_EXCERPT)->text, u"начало");
    d.Select(CBookmarksDlg::IDC_PAGES, 1);
    EXPECT_EQ(d.Find(CBookmarksDlg::IDC_EXCERPT)->text, u"середина");
    d.DoubleClick(CBookmarksDlg::IDC_PAGES, 2);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.chosen, 2);
  EXPECT_EQ(dialog.GetBookmarks().size(), 3u);
}

TEST_F(BookmarksDialog, DeletingMovesTheSelectionAndDisablesWhenNoneAreLeft) {
  backend.ExpectDialog([](DialogDriver& d) {
    d.Select(CBookmarksDlg::IDC_PAGES, 2);
    d.Click(CBookmarksDlg::IDC_DELETE);  // the last: the one before it is selected
    EXPECT_EQ(d.Find(CBookmarksDlg::IDC_PAGES)->GetCurSel(), 1);
    EXPECT_EQ(d.Find(CBookmarksDlg::IDC_EXCERPT)->text, u"середина");
    d.Select(CBookmarksDlg::IDC_PAGES, 0);
    d.Click(CBookmarksDlg::IDC_DELETE);  // the first: the next one takes its place
    EXPECT_EQ(d.Find(CBookmarksDlg::IDC_PAGES)->GetCurSel(), 0);
    EXPECT_EQ(d.Find(CBookmarksDlg::IDC_EXCERPT)->text, u"середина");
    d.Click(CBookmarksDlg::IDC_DELETE);
    EXPECT_TRUE(Items(d, CBookmarksDlg::IDC_PAGES).empty());
    EXPECT_EQ(d.Find(CBookmarksDlg::IDC_EXCERPT)->text, u"");
    for (int id : {CBookmarksDlg::IDC_GO, CBookmarksDlg::IDC_DELETE,
                   CBookmarksDlg::IDC_DELETE_ALL, CBookmarksDlg::IDC_EXCERPT})
      EXPECT_FALSE(d.Find(id)->enabled) << id;
    d.Click(IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(dialog.bookmarks.empty());
  EXPECT_EQ(dialog.chosen, -1);
}

TEST_F(BookmarksDialog, DeleteAllAsksFirst) {
  backend.MessageBoxes().SetAnswer(IDCANCEL);
  backend.ExpectDialog([&](DialogDriver& d) {
    d.Click(CBookmarksDlg::IDC_DELETE_ALL);
    EXPECT_EQ(Items(d, CBookmarksDlg::IDC_PAGES).size(), 3u);
    backend.MessageBoxes().SetAnswer(IDOK);
    d.Click(CBookmarksDlg::IDC_DELETE_ALL);
    EXPECT_TRUE(Items(d, CBookmarksDlg::IDC_PAGES).empty());
    EXPECT_FALSE(d.Find(CBookmarksDlg::IDC_GO)->enabled);
  });
  dialog.DoModal();
  ASSERT_EQ(backend.MessageBoxes().Count(), 2u);
  EXPECT_EQ(backend.MessageBoxes().Boxes()[0].text, u"Do You wish to delete all bookmarks?");
  EXPECT_EQ(backend.MessageBoxes().Boxes()[0].type & MB_TYPEMASK, MB_OKCANCEL);
  EXPECT_TRUE(dialog.bookmarks.empty());
}

TEST(GoToPageDialog, KeepsOpenOutsideOneToTheLastPage) {
  HeadlessBackend backend;
  CGoToPageDlg dialog;
  dialog.lastPage = 4;
  dialog.page = 2;
  backend.ExpectDialog([](DialogDriver& d) {
    EXPECT_EQ(d.Find(CGoToPageDlg::IDC_PAGE)->text, u"2");
    for (const char16_t* wrong : {u"0", u"5", u"два"}) {
      d.Type(CGoToPageDlg::IDC_PAGE, wrong);
      d.Ok();
      EXPECT_FALSE(d.Ended()) << static_cast<int>(wrong[0]);
    }
    d.Type(CGoToPageDlg::IDC_PAGE, u"4");
    d.Ok();
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.page, 4);
  ASSERT_EQ(backend.MessageBoxes().Count(), 3u);
  EXPECT_EQ(backend.MessageBoxes().Boxes()[0].text, u"Enter a number from 1 to 4.");
}

TEST(FindTextDialog, ExchangesTextAndFlagsAndIgnoresSettingChanges) {
  HeadlessBackend backend;
  CFindTextDlg dialog;
  dialog.text = u"слово";
  dialog.backward = true;
  backend.ExpectDialog([](DialogDriver& d) {
    EXPECT_EQ(d.Find(CFindTextDlg::IDC_TEXT)->text, u"слово");
    EXPECT_TRUE(d.Find(CFindTextDlg::IDC_BACKWARD)->checked);
    EXPECT_FALSE(d.Find(CFindTextDlg::IDC_MATCH_CASE)->checked);
    EXPECT_EQ(SendMessageW(d.GetDialog().GetSafeHwnd(), WM_SETTINGCHANGE, 224, 0), 0);
    EXPECT_FALSE(d.Ended());
    d.Type(CFindTextDlg::IDC_TEXT, u"Мама");
    d.Click(CFindTextDlg::IDC_MATCH_CASE);
    d.Click(CFindTextDlg::IDC_BACKWARD);
    d.Ok();
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.text, u"Мама");
  EXPECT_TRUE(dialog.matchCase);
  EXPECT_FALSE(dialog.backward);
}

TEST(UserTextDialog, CaptionIsSpelledRight) {
  CUserTextDlg dialog;
  EXPECT_EQ(dialog.Caption(), u"Текст пользователя");
}

}  // namespace
