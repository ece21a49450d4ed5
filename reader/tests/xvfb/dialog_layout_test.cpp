// Every dialog, property page and message box of the reader, shown by the
// real window back end on an 800x600 virtual screen: each control inside
// its dialog and the screen, no two overlapping, every label with its own
// text, Enter and Escape answering; a PNG of each is left in a folder of the
// run's own in the build tree.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "platform/registry.h"
#include "platform/unicode.h"
#include "platform/window/fltk_backend.h"
#include "platform/window/png_file.h"
#include "reader/dialogs/about_dlg.h"
#include "reader/dialogs/bookmarks_dlg.h"
#include "reader/dialogs/find_text_dlg.h"
#include "reader/dialogs/folder_tree/file_open_tree_dlg.h"
#include "reader/dialogs/go_to_page_dlg.h"
#include "reader/dialogs/user_text_dlg.h"
#include "reader/open/convert_window.h"
#include "reader/reader_menu.h"
#include "reader/open/open_file_dlg.h"
#include "reader/settings_sheet/ce_property_sheet.h"
#include "reader/settings_sheet/new_scheme_dlg.h"
#include "reader/settings_sheet/settings_sheet.h"
#include "reader/settings_sheet/user_stress_base_dlg.h"
#include "reader/tests/xvfb/virtual_display.h"

namespace {

constexpr RECT kScreen{0, 0, 800, 600};

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Overlap(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

std::string Name(const ShownControl& c) {
  if (!c.control) return "implicit OK";
  return std::to_string(c.control->id) + " \"" + Utf16ToUtf8(c.control->text) + "\"";
}

class DialogLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!VirtualDisplay::Shared("800x600x24")) GTEST_SKIP() << "Xvfb cannot be started";
    if (!FltkBackend::Available()) GTEST_SKIP() << "no display";
    backend_ = std::make_unique<FltkBackend>();
    shots_ = ShotsFolder();
    ASSERT_FALSE(shots_.empty()) << "cannot make a folder in " PARLEN_DIALOG_SHOTS;
  }

  // This run's own folder of pictures, dialog_shots/<date and time>-XXXXXX:
  // runs at the same time never write over each other's. Older runs' folders
  // than a day are removed.
  static std::string ShotsFolder() {
    static const std::string folder = [] {
      namespace fs = std::filesystem;
      std::error_code ignored;
      fs::create_directories(PARLEN_DIALOG_SHOTS, ignored);
      for (const auto& old : fs::directory_iterator(PARLEN_DIALOG_SHOTS, ignored)) {
        if (old.is_directory(ignored) &&
            old.last_write_time(ignored) < fs::file_time_type::clock::now() - std::chrono::hours(24))
          fs::remove_all(old.path(), ignored);
      }
      char stamp[32];
      const std::time_t now = std::time(nullptr);
      std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", std::localtime(&now));
      std::string pattern = std::string(PARLEN_DIALOG_SHOTS) + "/" + stamp + "-XXXXXX";
      if (mkdtemp(pattern.data()) == nullptr) return std::string();
      std::printf("dialog pictures: %s\n", pattern.c_str());
      return pattern;
    }();
    return folder;
  }

  // Checks the open dialog (or the sheet's active page) and saves its picture.
  void CheckOpen(const std::string& name) {
    ShownDialog shown;
    ASSERT_TRUE(fltk_backend::DescribeOpenDialog(&shown)) << name;
    EXPECT_TRUE(Inside(shown.window, kScreen)) << name << ": the window leaves the screen";
    const RECT client{0, 0, shown.window.Width(), shown.window.Height()};
    for (size_t i = 0; i < shown.controls.size(); ++i) {
      const ShownControl& c = shown.controls[i];
      if (!c.visible) continue;
      EXPECT_TRUE(Inside(c.rect, client)) << name << ": " << Name(c) << " outside the dialog";
      if (c.control && c.control->kind == ControlKind::Static && !c.control->IsSample())
        EXPECT_EQ(Utf16ToUtf8(c.label), Utf16ToUtf8(c.control->text)) << name << ": a label's text";
      for (size_t j = i + 1; j < shown.controls.size(); ++j)
        if (shown.controls[j].visible)
          EXPECT_FALSE(Overlap(c.rect, shown.controls[j].rect))
              << name << ": " << Name(c) << " overlaps " << Name(shown.controls[j]);
    }
    Bitmap picture;
    ASSERT_TRUE(fltk_backend::CaptureOpenDialog(&picture)) << name;
    EXPECT_TRUE(WritePng(picture, shots_ + "/" + name + ".png"));
  }

  // Runs the dialog twice: Escape must cancel it; Enter must press its OK
  // button, or (`enter_ends` false: no OK button, or Enter means something
  // else there) leave it open for Escape.
  void CheckDialog(const std::string& name, const std::function<int()>& run, bool enter_ends = true) {
    fltk_backend::WhenDialogOpens([&] {
      CheckOpen(name);
      fltk_backend::PressKeyInOpenDialog(VK_ESCAPE);
    });
    EXPECT_EQ(run(), IDCANCEL) << name << ": Escape";
    fltk_backend::WhenDialogOpens([&] {
      fltk_backend::PressKeyInOpenDialog(VK_RETURN);
      if (!enter_ends) fltk_backend::PressKeyInOpenDialog(VK_ESCAPE);
    });
    EXPECT_EQ(run(), enter_ends ? IDOK : IDCANCEL) << name << ": Enter";
  }

  // Every page of the sheet, then Escape and Enter.
  void CheckSheet(const std::string& name, const std::function<int()>& run) {
    fltk_backend::WhenDialogOpens([&] {
      ShownDialog shown;
      ASSERT_TRUE(fltk_backend::DescribeOpenDialog(&shown));
      for (int page = 0; page < shown.pages; ++page) {
        ASSERT_TRUE(fltk_backend::SelectOpenSheetPage(page)) << name << " page " << page;
        CheckOpen(name + "-" + std::to_string(page));
      }
      fltk_backend::PressKeyInOpenDialog(VK_ESCAPE);
    });
    EXPECT_EQ(run(), IDCANCEL) << name << ": Escape";
    fltk_backend::WhenDialogOpens([&] { fltk_backend::PressKeyInOpenDialog(VK_RETURN); });
    EXPECT_EQ(run(), IDOK) << name << ": Enter";
  }

  std::unique_ptr<FltkBackend> backend_;
  std::string shots_;
};

TEST_F(DialogLayout, SmallDialogsFitTheScreenAndAnswerTheKeyboard) {
  CheckDialog("about", [] { CAboutDlg d; return d.DoModal(); });
  CheckDialog("find", [] { CFindTextDlg d; return d.DoModal(); });
  CheckDialog("go-to-page", [] {
    CGoToPageDlg d;
    d.page = 3;
    return d.DoModal();
  });
  CheckDialog("user-text", [] { CUserTextDlg d; return d.DoModal(); });
  CheckDialog("bookmarks", [] {
    CBookmarksDlg d;
    d.bookmarks = {{2500, "Жили-были дед да баба."}, {7000, "Была у них курочка Ряба."}};
    return d.DoModal();
  });
  CheckDialog("new-scheme", [] {
    CNewSchemeDlg d;
    d.name = u"Ночь";
    return d.DoModal();
  });
}

TEST_F(DialogLayout, FileDialogsFitTheScreenAndAnswerTheKeyboard) {
  // No OK button: Enter starts nothing, Escape cancels.
  CheckDialog("convert", [] { CConvertWindow d; return d.DoModal(); }, false);
  // Enter is the device's action button here: it opens the chosen folder.
  CheckDialog("open-file", [] { COpenFileDlg d; return d.DoModal(); }, false);
  CheckDialog("folder-tree", [] { CFileOpenTreeDlg d(u"/"); return d.DoModal(); }, false);
}

TEST_F(DialogLayout, EveryPageOfTheSettingsAndStressBaseSheetsFits) {
  CheckSheet("settings", [] {
    CSettingsSheet sheet;
    ReaderSettings settings;
    settings.textFont = GetStockFontDescription();
    sheet.Fill(settings);
    return sheet.DoModal();
  });
  const std::string path = std::string(std::getenv("TEST_TMPDIR")) + "user_stress.txt";
  std::ofstream(path, std::ios::binary) << "мама+\nкоро+ва\nмолоко+\n";
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Morvane\\Glossel Module\\419", 0, nullptr,
                            0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  std::u16string wide;
  Utf8ToUtf16(path, &wide);
  RegSetValueExW(key, u"UserStressBase", 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                 static_cast<DWORD>((wide.size() + 1) * sizeof(char16_t)));
  RegCloseKey(key);
  CheckSheet("stress-base", [] {
    CCePropertySheet sheet(u"Stress base");
    CUserStressBaseDlg page;
    sheet.AddPage(&page);
    return sheet.DoModal();
  });
}

TEST_F(DialogLayout, TheMainWindowFitsTheScreenAndEveryBarButtonItsBar) {
  auto host = backend_->CreateMainWindow(u"Parlen 2");
  host->SetCommandBar(BuildCommandBar());
  host->SetToolbar(BuildToolbar());
  host->ShowToolbar(true);
  const SIZE size = FltkBackend::WindowSize(*host);
  EXPECT_EQ(size.cx, 480);
  EXPECT_EQ(size.cy, 570);  // 600 less the frame's allowance
  for (bool toolbar : {false, true}) {
    const std::vector<RECT> buttons = FltkBackend::BarButtonRects(*host, toolbar);
    EXPECT_EQ(buttons.size(), toolbar ? 9u : 6u);
    for (const RECT& b : buttons) {
      EXPECT_TRUE(Inside(b, {0, 0, size.cx, size.cy})) << "a button leaves the bar at x " << b.left;
      EXPECT_GE(b.Width(), 23);
    }
  }
}

TEST_F(DialogLayout, MessageBoxesWrapTheirTextAndCarryTheirOwnCaption) {
  const std::u16string question =
      u"Разблокировать? Нажмите кнопку, назначенную для снятия блокировки, столько раз, сколько "
      u"указано в настройках, или отмените блокировку этой кнопкой, чтобы продолжить чтение.";
  fltk_backend::WhenDialogOpens([&] {
    ShownDialog shown;
    ASSERT_TRUE(fltk_backend::DescribeOpenDialog(&shown));
    EXPECT_EQ(Utf16ToUtf8(shown.caption), "Confirm.");
    EXPECT_TRUE(Inside(shown.window, kScreen));
    EXPECT_LE(shown.window.Width(), 440);
    Bitmap picture;
    ASSERT_TRUE(fltk_backend::CaptureOpenDialog(&picture));
    WritePng(picture, shots_ + "/message-question.png");
    fltk_backend::PressKeyInOpenDialog(VK_ESCAPE);
  });
  EXPECT_EQ(MessageBoxW(nullptr, question.c_str(), u"Confirm.", MB_OKCANCEL | MB_ICONQUESTION), IDCANCEL);
  fltk_backend::WhenDialogOpens([&] { fltk_backend::PressKeyInOpenDialog(VK_RETURN); });
  EXPECT_EQ(MessageBoxW(nullptr, question.c_str(), u"Confirm.", MB_OKCANCEL | MB_ICONQUESTION), IDOK);
  fltk_backend::WhenDialogOpens([&] {
    ShownDialog shown;
    ASSERT_TRUE(fltk_backend::DescribeOpenDialog(&shown));
    EXPECT_EQ(Utf16ToUtf8(shown.caption), "Parlen 2");
    Bitmap picture;
    ASSERT_TRUE(fltk_backend::CaptureOpenDialog(&picture));
    WritePng(picture, shots_ + "/message-stop.png");
    fltk_backend::PressKeyInOpenDialog(VK_RETURN);
  });
  SetDefaultMessageBoxCaption(u"Parlen 2");
  EXPECT_EQ(MessageBoxW(nullptr, u"Can't create TTS!!!", nullptr, MB_OK | MB_ICONSTOP), IDOK);
}

}  // namespace
