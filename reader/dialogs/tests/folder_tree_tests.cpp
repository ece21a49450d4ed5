#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/unicode.h"
#include "platform/window/headless_backend.h"
#include "platform/window/shell_icons.h"
#include "reader/dialogs/folder_tree/date_time_formatter.h"
#include "reader/dialogs/folder_tree/file_open_tree_dlg.h"

namespace fs = std::filesystem;

namespace {

// File names on disk are UTF-8; narrow literals here are Windows-1251.
fs::path Name(const std::u16string& name) { return fs::path(Utf16ToUtf8(name)); }

TEST(DateTimeFormatter, ExpandsPictureLettersAndKeepsQuotedText) {
  SYSTEMTIME time;
  time.wYear = 2024;
  time.wMonth = 3;
  time.wDay = 5;
  time.wDayOfWeek = 2;
  time.wHour = 14;
  time.wMinute = 7;
  time.wSecond = 9;
  CDateTimeFormatter formatter(time);
  EXPECT_EQ(formatter.Format(u"dd.MM.yyyy"), u"05.03.2024");
  EXPECT_EQ(formatter.Format(u"M/d/yy H:mm:ss"), u"03/05/2024 14:07:09");
  EXPECT_EQ(formatter.Format(u"h t 'day' w, q"), u"02 PM day 02, 01");
  EXPECT_EQ(formatter.Output(), u"02 PM day 02, 01");
}

TEST(FolderListing, SizesInBytesKilobytesAndMegabytes) {
  EXPECT_EQ(FormatFileSize(0), u"0");
  EXPECT_EQ(FormatFileSize(1024), u"1024");
  EXPECT_EQ(FormatFileSize(1025), u"1K");
  EXPECT_EQ(FormatFileSize(1048576), u"1024K");
  EXPECT_EQ(FormatFileSize(3 * 1048576 + 1), u"3M");
}

class FolderTree : public ::testing::Test {
 protected:
  FolderTree() {
    root = fs::path(std::getenv("TEST_TMPDIR")) / "tree";
    fs::create_directories(root / Name(u"книги") / Name(u"старые"));
    fs::create_directories(root / Name(u".скрытая"));
    std::ofstream(root / Name(u"б.txt")) << std::string(2000, 'x');
    std::ofstream(root / Name(u"а.txt")) << "a";
    std::ofstream(root / Name(u"а.txt.trc")) << "Page=0";
    std::ofstream(root / ".profile") << "";
  }
  std::u16string Root() const {
    std::u16string out;
    Utf8ToUtf16(root.string(), &out);
    return out;
  }
  HeadlessBackend backend;
  fs::path root;
};

TEST_F(FolderTree, ShowsVisibleFoldersAndFilesAndSortsByColumn) {
  CFileOpenTreeDlg dialog(Root());
  backend.ExpectDialog([&](DialogDriver& d) {
    EXPECT_EQ(d.Find(CFileOpenTreeDlg::IDC_TREE)->items,
              (std::vector<std::u16string>{u"[-] My Device", u"  [+] книги"}));
    EXPECT_EQ(d.Find(CFileOpenTreeDlg::IDC_FILES)->items,
              (std::vector<std::u16string>{u"а.txt", u"б.txt"}));
    EXPECT_EQ(d.Find(CFileOpenTreeDlg::IDC_TREE)->icons,
              (std::vector<int>{kShellIconFolder, kShellIconFolder}));
    EXPECT_EQ(d.Find(CFileOpenTreeDlg::IDC_FILES)->icons,
              (std::vector<int>{kShellIconText, kShellIconText}));
    EXPECT_EQ(dialog.Columns(1)[1], u"1K");
    dialog.SortBy(2);
    dialog.SortBy(2);  // the same column again: descending
    EXPECT_EQ(dialog.SortColumn(), -2);
    EXPECT_EQ(d.Find(CFileOpenTreeDlg::IDC_FILES)->items,
              (std::vector<std::u16string>{u"б.txt", u"а.txt"}));
    d.DoubleClick(CFileOpenTreeDlg::IDC_TREE, 1);
    EXPECT_EQ(d.Find(CFileOpenTreeDlg::IDC_TREE)->items,
              (std::vector<std::u16string>{u"[-] My Device", u"  [-] книги", u"    [+] старые"}));
    EXPECT_EQ(dialog.FolderPath(2), Root() + u"/книги/старые");
    d.Select(CFileOpenTreeDlg::IDC_TREE, 0);
    d.DoubleClick(CFileOpenTreeDlg::IDC_FILES, 1);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.path, Root() + u"/а.txt");
}

TEST_F(FolderTree, TheTitleBandAndTheHelpersOfItsBase) {
  CFileOpenTreeDlg dialog(Root());
  EXPECT_EQ(dialog.BandHeight(), 23);
  Bitmap band(200, 23);
  band.Fill(RGB(0xFF, 0xFF, 0xFF));
  DeviceContext dc(&band);
  dialog.PaintBand(dc, 200);
  int title = 0;
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 200; ++x) {
      const COLORREF c = band.GetPixel(x, y);
      if (y == 22) {
        ASSERT_EQ(c, 0u) << x;
      } else if (c == CHeaderDlg::kTitleColor) {
        ++title;
        EXPECT_GE(x, CHeaderDlg::kTitleMargin);
      }
    }
  EXPECT_GT(title, 20);
  EXPECT_EQ(CHeaderDlg::TitleFont()->Description().lfWeight, FW_BOLD);
  dialog.SetTitle(u"");
  EXPECT_EQ(dialog.BandHeight(), 0);

  // Grey lines beside the named controls, from their right end to the margin.
  DialogLayout layout;
  layout.width = 200;
  layout.controls.assign(dialog.Controls().size(), RECT{});
  layout.controls[0] = {10, 4, 60, 14};  // ID_VIEW_MODE_0
  Bitmap lines(200, 23);
  DeviceContext linesDc(&lines);
  const int ids[] = {CFileOpenTreeDlg::ID_VIEW_MODE_0, 0, CFileOpenTreeDlg::IDC_TREE};
  dialog.DrawLinesBeside(linesDc, layout, ids);
  for (int x = 0; x < 200; ++x)
    EXPECT_EQ(lines.GetPixel(x, 9), x >= 64 && x < 190 ? CHeaderDlg::kLineColor : 0u) << x;

  dialog.SetBoldFont(CFileOpenTreeDlg::ID_STATE_BUTTON);
  EXPECT_TRUE(dialog.GetDlgItem(CFileOpenTreeDlg::ID_STATE_BUTTON)->bold);
  dialog.EnableControl(CFileOpenTreeDlg::ID_DELETE_FILE, false);
  EXPECT_FALSE(dialog.GetDlgItem(CFileOpenTreeDlg::ID_DELETE_FILE)->enabled);
  // The new control takes the placeholder's place among the controls.
  const size_t count = dialog.Controls().size();
  Control* made = dialog.ReplaceControl(CFileOpenTreeDlg::ID_DELETE_FILE, 4000, ControlKind::Edit, u"x");
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(dialog.Controls().size(), count);
  EXPECT_EQ(&dialog.Controls()[count - 2], made);
  EXPECT_EQ(made->kind, ControlKind::Edit);
  EXPECT_FALSE(made->enabled);
  EXPECT_EQ(dialog.GetDlgItem(CFileOpenTreeDlg::ID_DELETE_FILE), nullptr);
  EXPECT_EQ(dialog.ReplaceControl(1, 4001, ControlKind::Edit), nullptr);
}

TEST_F(FolderTree, DeletesOnlyAfterAskingAndReportsAFailure) {
  CFileOpenTreeDlg dialog(Root());
  backend.MessageBoxes().SetAnswer(IDCANCEL);
  backend.ExpectDialog([&](DialogDriver& d) {
    d.Select(CFileOpenTreeDlg::IDC_FILES, 1);
    EXPECT_FALSE(dialog.DeleteSelectedFile());
    EXPECT_TRUE(fs::exists(root / Name(u"б.txt")));
    backend.MessageBoxes().SetAnswer(IDOK);
    EXPECT_TRUE(dialog.DeleteSelectedFile());
    EXPECT_FALSE(fs::exists(root / Name(u"б.txt")));
    fs::remove(root / Name(u"а.txt"));  // gone behind the dialog's back
    d.Select(CFileOpenTreeDlg::IDC_FILES, 0);
    EXPECT_FALSE(dialog.DeleteSelectedFile());
  });
  dialog.DoModal();
  const auto boxes = backend.MessageBoxes().Boxes();
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[0].text, u"Do You wish to delete \"б.txt\"?");
  EXPECT_EQ(boxes[3].text, u"Can't delete file! It is probably opened by Parlen or another app.");
}

TEST_F(FolderTree, FoldersExpandAndCollapseAndTheParentButtonFollowsTheSelection) {
  CFileOpenTreeDlg dialog(Root());
  backend.ExpectDialog([&](DialogDriver& d) {
    const Control& tree = *d.Find(CFileOpenTreeDlg::IDC_TREE);
    const Control& up = *d.Find(CFileOpenTreeDlg::ID_STATE_BUTTON);
    EXPECT_FALSE(up.enabled);  // the root has no parent
    d.DoubleClick(CFileOpenTreeDlg::IDC_TREE, 1);
    d.Select(CFileOpenTreeDlg::IDC_TREE, 2);
    EXPECT_EQ(dialog.Folder(), Root() + u"/книги/старые");
    EXPECT_TRUE(up.enabled);
    // Collapsing the folder that holds the selection selects it instead.
    d.DoubleClick(CFileOpenTreeDlg::IDC_TREE, 1);
    EXPECT_EQ(tree.items, (std::vector<std::u16string>{u"[-] My Device", u"  [+] книги"}));
    EXPECT_EQ(dialog.SelectedFolder(), 1);
    EXPECT_EQ(tree.selection, 1);
    EXPECT_EQ(dialog.Folder(), Root() + u"/книги");
    d.Click(CFileOpenTreeDlg::ID_STATE_BUTTON);
    EXPECT_EQ(dialog.SelectedFolder(), 0);
    EXPECT_EQ(dialog.Folder(), Root());
    EXPECT_FALSE(up.enabled);
    // The whole tree folds away and opens again.
    d.DoubleClick(CFileOpenTreeDlg::IDC_TREE, 0);
    EXPECT_EQ(tree.items, (std::vector<std::u16string>{u"[+] My Device"}));
    d.DoubleClick(CFileOpenTreeDlg::IDC_TREE, 0);
    EXPECT_EQ(tree.items, (std::vector<std::u16string>{u"[-] My Device", u"  [+] книги"}));
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(FolderTree, TheHeaderShowsTheSortArrowAndTheViewModesTheColumns) {
  CFileOpenTreeDlg dialog(Root());
  backend.ExpectDialog([&](DialogDriver& d) {
    const auto header = [&](int id) { return d.Find(id)->text; };
    EXPECT_EQ(header(CFileOpenTreeDlg::IDC_HEADER_NAME), u"Name \u25B2");
    EXPECT_EQ(header(CFileOpenTreeDlg::IDC_HEADER_SIZE), u"Size");
    d.Click(CFileOpenTreeDlg::IDC_HEADER_SIZE);
    EXPECT_EQ(header(CFileOpenTreeDlg::IDC_HEADER_NAME), u"Name");
    EXPECT_EQ(header(CFileOpenTreeDlg::IDC_HEADER_SIZE), u"Size \u25B2");
    d.Click(CFileOpenTreeDlg::IDC_HEADER_SIZE);
    EXPECT_EQ(header(CFileOpenTreeDlg::IDC_HEADER_SIZE), u"Size \u25BC");
    EXPECT_EQ(dialog.SortColumn(), -2);

    const Control& files = *d.Find(CFileOpenTreeDlg::IDC_FILES);
    EXPECT_EQ(files.items, (std::vector<std::u16string>{u"б.txt", u"а.txt"}));
    EXPECT_TRUE(d.Find(CFileOpenTreeDlg::ID_VIEW_MODE_0)->checked);
    d.Click(CFileOpenTreeDlg::ID_VIEW_MODE_1);
    EXPECT_EQ(files.items, (std::vector<std::u16string>{u"б.txt   1K", u"а.txt   1"}));
    EXPECT_FALSE(d.Find(CFileOpenTreeDlg::ID_VIEW_MODE_0)->checked);
    EXPECT_TRUE(d.Find(CFileOpenTreeDlg::ID_VIEW_MODE_1)->checked);
    d.Click(CFileOpenTreeDlg::ID_VIEW_MODE_2);
    ASSERT_EQ(files.items.size(), 2u);
    EXPECT_EQ(files.items[1], u"а.txt   1   " + dialog.Columns(1)[2]);
    EXPECT_TRUE(d.Find(CFileOpenTreeDlg::ID_VIEW_MODE_2)->checked);
    EXPECT_FALSE(d.Find(CFileOpenTreeDlg::ID_VIEW_MODE_1)->checked);
  });
  dialog.DoModal();
}

}  // namespace
