#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/window/headless_backend.h"
#include "platform/window/shell_icons.h"
#include "reader/open/convert_window.h"
#include "reader/open/folder_listing.h"
#include "reader/open/open_file_dlg.h"
#include "reader/open/tests/open_fixtures.h"

namespace {

constexpr int kList = COpenFileDlg::kFileListId;

std::vector<std::u16string> Items(DialogDriver& d) { return d.Find(kList)->items; }

class OpenFileDlgTest : public testing::Test {
 protected:
  OpenFileDlgTest() {
    setenv("XDG_CACHE_HOME", Scratch("cache").c_str(), 1);
    folder_ = Scratch("library/");
    WriteBytes(folder_ + "b.txt", "bee");
    WriteBytes(folder_ + "b.txt.trc", "Page=0\n");
    WriteBytes(folder_ + "a.txt.AUTO", "x");
    WriteBytes(folder_ + "Z.txt", "zed");
    WriteBytes(folder_ + "sub/inner.txt", "inner");
    std::filesystem::create_directories(folder_ + "Older");
    zip_ = WriteZip(folder_ + "BOOKS.ZIP", {{"tales/one.txt", "one"}, {"two.txt", "two"}, {"three.FB2", "3"}});
  }

  std::string folder_;
  ZipFixture zip_;
  HeadlessBackend backend_;
};

TEST(FolderListingTest, FoldersThenArchivesThenFilesWithoutSideFiles) {
  const std::string folder = Scratch("listing/");
  for (const char* name : {"c.txt", "a.zip", "B.ZIP", "c.txt.trc", "c.txt.auto", "x.AUTO", ".trc",
                           "zip", "A.txt"}) {
    WriteBytes(folder + name, "1");
  }
  std::filesystem::create_directories(folder + "dir.zip");
  std::filesystem::create_directories(folder + "Docs");
  // A pipe is no document: choosing it would hang the reader.
  ASSERT_EQ(mkfifo((folder + "pipe.txt").c_str(), 0600), 0);
  const FolderListing listing = ListFolder(Wide(folder));
  EXPECT_EQ(listing.folders, (std::vector<std::u16string>{u"Docs", u"dir.zip", u"B.ZIP", u"a.zip"}));
  EXPECT_EQ(listing.files, (std::vector<std::u16string>{u".trc", u"A.txt", u"c.txt", u"zip"}));
  EXPECT_TRUE(ListFolder(Wide(folder + "missing/")).files.empty());
  EXPECT_EQ(FolderOfPath(u"/a/b.txt"), u"/a/");
  EXPECT_EQ(FolderOfPath(u"b.txt"), u"/");
}

TEST_F(OpenFileDlgTest, BrowsesFoldersAndChoosesAFile) {
  COpenFileDlg dialog;
  dialog.startPath = Wide(folder_ + "b.txt");
  backend_.ExpectDialog([&](DialogDriver& d) {
    EXPECT_EQ(Items(d), (std::vector<std::u16string>{u"..", u"Older", u"sub", u"BOOKS.ZIP",
                                                     u"Z.txt", u"b.txt"}));
    EXPECT_EQ(dialog.ItemIcons(), (std::vector<int>{kShellIconFolder, kShellIconFolder,
                                                    kShellIconFolder, kShellIconFolder,
                                                    kShellIconText, kShellIconText}));
    EXPECT_EQ(d.Find(kList)->selection, 5);
    const Control* combo = d.Find(COpenFileDlg::kFolderComboId);
    ASSERT_GE(combo->GetCount(), 3);
    EXPECT_EQ(combo->items[0], u"[+] /");
    EXPECT_EQ(combo->items.back(), std::u16string(static_cast<size_t>(combo->GetCount() - 1), u' ') +
                                       u"[+] library");
    EXPECT_TRUE(dialog.HotKeysRegistered());

    d.Select(kList, 2);  // one tap opens a folder
    EXPECT_EQ(dialog.CurrentFolder(), Wide(folder_ + "sub/"));
    EXPECT_EQ(Items(d), (std::vector<std::u16string>{u"..", u"inner.txt"}));
    d.PressKey(VK_LEFT);  // up again, the folder left selected
    EXPECT_EQ(dialog.CurrentFolder(), Wide(folder_));
    EXPECT_EQ(d.Find(kList)->selection, 2);
    d.Select(kList, 4);  // a file needs a double tap
    EXPECT_FALSE(d.Ended());
    d.DoubleClick(kList, 4);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.chosenPath, Wide(folder_ + "Z.txt"));
  EXPECT_FALSE(dialog.chosenFromArchive);
  EXPECT_EQ(dialog.entry.dataOffset, -1);
}

TEST_F(OpenFileDlgTest, ChoosesAnEntryInsideAnArchive) {
  COpenFileDlg dialog;
  dialog.startPath = Wide(folder_);
  backend_.ExpectDialog([&](DialogDriver& d) {
    // The busy cursor while the folder is listed, and again while the archive is read.
    EXPECT_EQ(backend_.WaitCursorChanges(), (std::vector<bool>{true, false}));
    d.Select(kList, 3);
    ASSERT_TRUE(dialog.InsideArchive());
    EXPECT_EQ(backend_.WaitCursorChanges(), (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(Items(d), (std::vector<std::u16string>{u"..", u"tales", u"three.FB2", u"two.txt"}));
    EXPECT_EQ(dialog.ItemIcons(), (std::vector<int>{kShellIconFolder, kShellIconFolder,
                                                    kShellIconMarkup, kShellIconText}));
    d.Click(COpenFileDlg::kDeleteId);
    ASSERT_EQ(backend_.MessageBoxes().Count(), 1u);
    EXPECT_EQ(backend_.MessageBoxes().Boxes()[0].text, u"Can't delete from ZIP archive!");
    EXPECT_EQ(backend_.MessageBoxes().Boxes()[0].caption, u"Error");
    d.Select(kList, 1);
    EXPECT_EQ(Items(d), (std::vector<std::u16string>{u"..", u"one.txt"}));
    d.Select(kList, 0);  // to the archive's root, "tales" selected
    EXPECT_EQ(d.Find(kList)->selection, 1);
    d.Select(kList, 0);  // out of the archive, the archive selected
    EXPECT_FALSE(dialog.InsideArchive());
    EXPECT_EQ(d.Find(kList)->selection, 3);
    d.PressKey(VK_RETURN);
    d.Select(kList, 1);
    d.Select(kList, 1);
    d.PressKey(VK_RIGHT);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(dialog.chosenFromArchive);
  EXPECT_EQ(dialog.archivePath, Wide(folder_ + "BOOKS.ZIP"));
  EXPECT_EQ(dialog.chosenPath,
            ZipExtractionPath(Wide(zip_.path), zip_.entries[0].second, u"one.txt"));
  EXPECT_EQ(dialog.entry.dataOffset, zip_.entries[0].second.dataOffset);
  EXPECT_EQ(dialog.entry.compressedSize, -1);
  EXPECT_EQ(dialog.entry.uncompressedSize, 3);
  EXPECT_EQ(dialog.entryName, u"tales/one.txt");
}

TEST_F(OpenFileDlgTest, UpAndDownMoveTheSelectionAndReturnOpensIt) {
  COpenFileDlg dialog;
  const std::string keys = Scratch("keys/");
  WriteBytes(keys + "first.txt", "1");
  WriteBytes(keys + "second.txt", "2");
  dialog.startPath = Wide(keys);
  backend_.ExpectDialog([&](DialogDriver& d) {
    EXPECT_EQ(Items(d), (std::vector<std::u16string>{u"..", u"first.txt", u"second.txt"}));
    EXPECT_EQ(d.Find(kList)->selection, 0);
    d.PressKey(VK_UP);  // stays on the first item
    EXPECT_EQ(d.Find(kList)->selection, 0);
    d.PressKey(VK_DOWN);
    d.PressKey(VK_DOWN);
    EXPECT_EQ(d.Find(kList)->selection, 2);
    d.PressKey(VK_DOWN);  // stays on the last item
    EXPECT_EQ(d.Find(kList)->selection, 2);
    d.PressKey(VK_UP);
    EXPECT_EQ(d.Find(kList)->selection, 1);
    EXPECT_FALSE(d.Ended());  // moving never opens
    d.PressKey(VK_DOWN);
    d.PressKey(VK_RETURN);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.chosenPath, Wide(keys + "second.txt"));
}

TEST_F(OpenFileDlgTest, DownOverAFolderDoesNotEnterIt) {
  COpenFileDlg dialog;
  dialog.startPath = Wide(folder_);
  backend_.ExpectDialog([&](DialogDriver& d) {
    d.PressKey(VK_DOWN);  // "Older"
    d.PressKey(VK_DOWN);  // "sub"
    EXPECT_EQ(dialog.CurrentFolder(), Wide(folder_));
    d.PressKey(VK_RETURN);
    EXPECT_EQ(dialog.CurrentFolder(), Wide(folder_ + "sub/"));
    d.PressKey(VK_DOWN);
    d.PressKey(VK_RETURN);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.chosenPath, Wide(folder_ + "sub/inner.txt"));
}

TEST_F(OpenFileDlgTest, DeletesOnlyWhatMayGo) {
  COpenFileDlg dialog;
  dialog.startPath = Wide(folder_ + "Z.txt");
  dialog.protectedPaths = {Wide(folder_ + "b.txt")};
  auto& boxes = backend_.MessageBoxes();
  backend_.ExpectDialog([&](DialogDriver& d) {
    // Selections made on the model: a tap would open the folder items.
    Control& list = *d.GetDialog().GetDlgItem(kList);
    boxes.SetAnswer(IDCANCEL);
    d.Click(COpenFileDlg::kDeleteId);  // Z.txt, cancelled
    list.SetCurSel(0);
    d.Click(COpenFileDlg::kDeleteId);
    list.SetCurSel(1);
    d.Click(COpenFileDlg::kDeleteId);  // "Older" is a folder
    boxes.SetAnswer(IDOK);
    list.SetCurSel(5);
    d.Click(COpenFileDlg::kDeleteId);  // b.txt is the open document
    list.SetCurSel(4);
    d.Click(COpenFileDlg::kDeleteId);  // Z.txt goes
    EXPECT_EQ(Items(d), (std::vector<std::u16string>{u"..", u"Older", u"sub", u"BOOKS.ZIP", u"b.txt"}));
    EXPECT_EQ(dialog.ItemIcons(), (std::vector<int>{kShellIconFolder, kShellIconFolder,
                                                    kShellIconFolder, kShellIconFolder,
                                                    kShellIconText}));
    EXPECT_EQ(list.selection, 4);
  });
  dialog.DoModal();
  std::vector<std::u16string> texts;
  for (const auto& box : boxes.Boxes()) texts.push_back(box.caption + u": " + box.text);
  EXPECT_EQ(texts, (std::vector<std::u16string>{
                       u"Confirm.: Do You wish to delete \"Z.txt\"?",
                       u"Error: Can't delete virtual directory!",
                       u"Error: Can't delete directory!",
                       u"Confirm.: Do You wish to delete \"b.txt\"?",
                       u"Error: Can't delete file! It is possibly opened by Parlen or another app.",
                       u"Confirm.: Do You wish to delete \"Z.txt\"?",
                   }));
  EXPECT_TRUE(Exists(folder_ + "b.txt"));
  EXPECT_FALSE(Exists(folder_ + "Z.txt"));
}

TEST_F(OpenFileDlgTest, ConvertWindowConvertsAndMayDeleteTheSource) {
  const std::string rtf = folder_ + "letter.rtf";
  WriteBytes(rtf, "{\\rtf1\\ansi Dear reader.\\par}");
  CConvertWindow window;
  backend_.ExpectDialog([&](DialogDriver& d) {
    const Control* methods = d.Find(CConvertDlg::kMethodListId);
    EXPECT_EQ(methods->items,
              (std::vector<std::u16string>{u"From XML/HTML to TXT", u"From FB2 to TXT",
                                           u"From UTF8 to WIN", u"From PRC/PDB to TXT",
                                           u"From TCR to TXT", u"From Rb to TXT", u"From RTF to TXT"}));
    EXPECT_EQ(methods->selection, 0);
    EXPECT_EQ(d.Find(CConvertDlg::kTargetEditId)->text, u"");
    d.Type(CConvertDlg::kSourceEditId, Wide(folder_));
    d.Click(CConvertDlg::kOpenSourceId);  // the open-file dialog's script below
    EXPECT_EQ(d.Find(CConvertDlg::kSourceEditId)->text, Wide(rtf));
    EXPECT_EQ(d.Find(CConvertDlg::kTargetEditId)->text, Wide(rtf + ".txt"));
    d.Select(CConvertDlg::kMethodListId, 6);
    d.SetCheck(CConvertDlg::kDeleteSourceId, true);
    d.Click(CConvertDlg::kStartId);
    EXPECT_EQ(d.Find(CConvertDlg::kSourceEditId)->text, u"");
    d.Cancel();
  });
  backend_.ExpectDialog([&](DialogDriver& d) {
    EXPECT_EQ(d.GetDialog().Caption(), u"Открыть файл");
    d.DoubleClick(kList, 6);  // letter.rtf
  });
  window.DoModal();
  EXPECT_FALSE(Exists(rtf));
  EXPECT_NE(ReadBytes(rtf + ".txt").find("Dear reader."), std::string::npos);
  EXPECT_EQ(window.ConvertedPath(), u"");
  ASSERT_EQ(backend_.MessageBoxes().Count(), 1u);
  EXPECT_EQ(backend_.MessageBoxes().Boxes()[0].text, u"File was successfully converted!");

}

}  // namespace
