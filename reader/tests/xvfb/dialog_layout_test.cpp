// Every dialog, property page and message box of the reader, shown by the
// real window back end on an 800x600 virtual screen: each control inside
// its dialog and the screen, no two overlapping, every label with its own
// text, Enter and Escape answering, the boxes a dialog opens on top of it
// and answering the mouse and the keyboard of the X server; a PNG of each is
// left in a folder of the run's own in the build tree.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "documents/common/path_names.h"
#include "platform/registry.h"
#include "platform/unicode.h"
#include "platform/wait_cursor.h"
#include "platform/window/clipboard.h"
#include "platform/window/fltk_backend.h"
#include "platform/window/png_file.h"
#include "platform/window/tests/icon_search.h"
#include "reader/dialogs/about_dlg.h"
#include "reader/dialogs/bookmarks_dlg.h"
#include "reader/dialogs/find_text_dlg.h"
#include "reader/dialogs/folder_tree/file_open_tree_dlg.h"
#include "reader/dialogs/go_to_page_dlg.h"
#include "reader/dialogs/program_icon.h"
#include "reader/dialogs/user_text_dlg.h"
#include "reader/open/convert_window.h"
#include "reader/reader_menu.h"
#include "reader/open/open_file_dlg.h"
#include "reader/open/tests/open_fixtures.h"
#include "reader/command_ids.h"
#include "reader/reader_dlg.h"
#include "reader/settings_sheet/ce_property_sheet.h"
#include "reader/settings_sheet/new_scheme_dlg.h"
#include "reader/settings_sheet/settings_sheet.h"
#include "reader/settings_sheet/user_stress_base_dlg.h"
#include "reader/tests/xvfb/virtual_display.h"
#include "reader/tests/xvfb/x_input.h"

namespace {

constexpr RECT kScreen{0, 0, 800, 600};

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Overlap(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Whether the icon's drawn pixels appear somewhere in the picture.
bool ShowsIcon(const Bitmap& picture, const Icon& icon) { return !FindIcon(picture, icon).empty(); }

bool SamePixels(const Bitmap& a, const Bitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y)) return false;
  return true;
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
      if (c.control && c.control->kind == ControlKind::Static && !c.control->IsSample()) {
        EXPECT_EQ(Utf16ToUtf8(c.label), Utf16ToUtf8(c.control->text)) << name << ": a label's text";
      }
      for (size_t j = i + 1; j < shown.controls.size(); ++j) {
        if (shown.controls[j].visible) {
          EXPECT_FALSE(Overlap(c.rect, shown.controls[j].rect))
              << name << ": " << Name(c) << " overlaps " << Name(shown.controls[j]);
        }
      }
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
  // The About box shows the program's icon; while a step holds the loop
  // (a conversion, a voice test) the display shows the busy cursor over it.
  fltk_backend::WhenDialogOpens([&] {
    Bitmap picture;
    ASSERT_TRUE(fltk_backend::CaptureOpenDialog(&picture));
    EXPECT_TRUE(ShowsIcon(picture, *LoadReaderIcon(IDI_PROGRAM)));
    ShownDialog shown;
    ASSERT_TRUE(fltk_backend::DescribeOpenDialog(&shown));
    const int x = (shown.window.left + shown.window.right) / 2;
    const int y = (shown.window.top + shown.window.bottom) / 2;
    Bitmap before, busy, after;
    std::string before_name, busy_name, after_name;
    if (fltk_backend::CursorAt(x, y, &before, &before_name)) {
      {
        CWaitCursor wait;
        ASSERT_TRUE(fltk_backend::CursorAt(x, y, &busy, &busy_name));
      }
      ASSERT_TRUE(fltk_backend::CursorAt(x, y, &after, &after_name));
      // The theme's busy cursor is animated: its name tells it, not its picture.
      EXPECT_TRUE(busy_name == "watch" || (busy_name.empty() && !SamePixels(before, busy)))
          << "no busy cursor while waiting: \"" << busy_name << "\"";
      EXPECT_NE(after_name, "watch") << "the busy cursor stayed";
      EXPECT_FALSE(SamePixels(after, busy)) << "the busy cursor stayed";
      std::printf("cursor over the About box: \"%s\" %dx%d, waiting \"%s\" %dx%d, after \"%s\" %dx%d\n",
                  before_name.c_str(), before.Width(), before.Height(), busy_name.c_str(),
                  busy.Width(), busy.Height(), after_name.c_str(), after.Width(), after.Height());
      WritePng(after, shots_ + "/cursor-after-waiting.png");
    } else {
      std::printf("note: the display's cursor cannot be read here\n");
    }
    fltk_backend::PressKeyInOpenDialog(VK_ESCAPE);
  });
  EXPECT_EQ([] { CAboutDlg d; return d.DoModal(); }(), IDCANCEL);
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

const ShownControl* FindShown(const ShownDialog& shown, int id) {
  for (const ShownControl& c : shown.controls)
    if (c.control && c.control->id == id) return &c;
  return nullptr;
}

TEST_F(DialogLayout, FileDialogsShowEachItemsIconTheTitleBandAndADraggedSplitter) {
  const std::string folder = std::string(std::getenv("TEST_TMPDIR")) + "kinds/";
  std::filesystem::create_directories(folder + "Tales");
  for (const char* name : {"library.zip", "book.txt", "novel.pdb", "story.rtf", "tales.fb2"})
    std::ofstream(folder + name) << "x";
  std::u16string wide;
  Utf8ToUtf16(folder, &wide);

  COpenFileDlg open;
  open.startPath = wide;
  fltk_backend::WhenDialogOpens([&] {
    CheckOpen("open-file-icons");
    Bitmap picture;
    ASSERT_TRUE(fltk_backend::CaptureOpenDialog(&picture));
    // "..", the folder and the archive (shown as a folder), then the files
    // that fit the list.
    EXPECT_EQ(FindShellIcon(picture, kShellIconFolder).size(), 3u);
    for (int icon : {kShellIconText, kShellIconBook})
      EXPECT_EQ(FindShellIcon(picture, icon).size(), 1u) << "icon " << icon;
    fltk_backend::PressKeyInOpenDialog(VK_ESCAPE);
  });
  EXPECT_EQ(open.DoModal(), IDCANCEL);

  CFileOpenTreeDlg tree(wide);
  fltk_backend::WhenDialogOpens([&] {
    ShownDialog shown;
    ASSERT_TRUE(fltk_backend::DescribeOpenDialog(&shown));
    const ShownControl* left = FindShown(shown, CFileOpenTreeDlg::IDC_TREE);
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->rect.Width(), CFileOpenTreeDlg::kFirstSplitter);
    CheckOpen("folder-tree-band");
    Bitmap picture;
    ASSERT_TRUE(fltk_backend::CaptureOpenDialog(&picture));
    // The title in its colour on the band, the black line under it.
    int title = 0;
    for (int y = 0; y < CFileOpenTreeDlg::kBandHeight; ++y)
      for (int x = 0; x < picture.Width(); ++x) title += picture.GetPixel(x, y) == 0x9C0000;
    EXPECT_GT(title, 20);
    for (int x = 0; x < picture.Width(); ++x) ASSERT_EQ(picture.GetPixel(x, 22), 0u) << x;
    // The device and its folder in the tree; the files with their kinds' icons.
    EXPECT_EQ(FindShellIcon(picture, kShellIconFolder).size(), 2u);
    for (int icon : {kShellIconArchive, kShellIconText, kShellIconBook, kShellIconRichText,
                     kShellIconMarkup})
      EXPECT_EQ(FindShellIcon(picture, icon).size(), 1u) << "icon " << icon;

    const POINT grip{left->rect.right + kSplitterWidth / 2, left->rect.top + 30};
    EXPECT_TRUE(fltk_backend::DragInOpenDialog(grip, {grip.x + 60, grip.y + 5}));
    EXPECT_EQ(tree.SplitterPosition(), CFileOpenTreeDlg::kFirstSplitter + 60);
    ASSERT_TRUE(fltk_backend::DescribeOpenDialog(&shown));
    const ShownControl* moved = FindShown(shown, CFileOpenTreeDlg::IDC_TREE);
    const ShownControl* files = FindShown(shown, CFileOpenTreeDlg::IDC_FILES);
    EXPECT_EQ(moved->rect.Width(), CFileOpenTreeDlg::kFirstSplitter + 60);
    EXPECT_EQ(files->rect.left, moved->rect.right + kSplitterWidth);
    CheckOpen("folder-tree-dragged");
    fltk_backend::PressKeyInOpenDialog(VK_ESCAPE);
  });
  EXPECT_EQ(tree.DoModal(), IDCANCEL);
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
  // The main window learns when a box comes up over it and when it goes.
  auto host = backend_->CreateMainWindow(u"Parlen 2");
  std::vector<WORD> activations;
  host->SetProcedure([&](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
    if (message == WM_ACTIVATE) activations.push_back(LOWORD(wParam));
    return 0;
  });
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
  EXPECT_EQ(activations, (std::vector<WORD>{WA_INACTIVE, WA_ACTIVE}));
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

// The boxes a dialog opens, answered through the X server as a person
// would: a click on a button, Return or Escape.
class BoxesOverDialogs : public DialogLayout {
 protected:
  void SetUp() override {
    DialogLayout::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    x_ = std::make_unique<XInput>();
    if (!x_->Ready()) GTEST_SKIP() << "no XTest on the display";
  }

  static POINT Middle(const RECT& window, const RECT& r) {
    return {window.left + (r.left + r.right) / 2, window.top + (r.top + r.bottom) / 2};
  }

  // Clicks the open dialog's control `opener`. The box that opens must be on
  // top of it; it gets `inputs` (a button's label to click, or "Return" or
  // "Escape"): every one but the last leaves it open, the last closes it.
  // Returns the box's caption.
  std::string AnswerBox(int opener, const std::vector<std::string>& inputs, const std::string& shot) {
    ShownDialog dialog;
    EXPECT_TRUE(fltk_backend::DescribeOpenDialog(&dialog));
    const ShownControl* button = FindShown(dialog, opener);
    if (!button) {
      ADD_FAILURE() << shot << ": no control " << opener;
      return {};
    }
    std::string caption;
    bool answered = false;
    fltk_backend::WhenDialogOpens([&] {
      // A box that misses its input goes all the same, and the test says so.
      fltk_backend::CloseOpenWindowAfter(5);
      ShownDialog box;
      ASSERT_TRUE(fltk_backend::DescribeOpenDialog(&box));
      caption = Utf16ToUtf8(box.caption);
      EXPECT_TRUE(x_->TopWindow() == box.window) << shot << ": the box is not on top";
      Bitmap screen;
      if (x_->CaptureScreen(&screen)) WritePng(screen, shots_ + "/" + shot + ".png");
      for (size_t i = 0; i < inputs.size(); ++i) {
        if (inputs[i] == "Return" || inputs[i] == "Escape") {
          x_->Key(inputs[i]);
        } else {
          const ShownControl* chosen = nullptr;
          for (const ShownControl& c : box.controls)
            if (Utf16ToUtf8(c.label) == inputs[i]) chosen = &c;
          ASSERT_NE(chosen, nullptr) << shot << ": no button \"" << inputs[i] << "\"";
          x_->Click(Middle(box.window, chosen->rect));
        }
        if (i + 1 == inputs.size()) break;
        // This one leaves the box up, and the dialog behind it as it was.
        fltk_backend::RunLoopUntil([] { return false; }, 0.5);
        ShownDialog still;
        ASSERT_TRUE(fltk_backend::DescribeOpenDialog(&still));
        EXPECT_EQ(still.controls.size(), box.controls.size()) << shot << ": the box went on " << inputs[i];
      }
      answered = true;
    });
    const auto start = std::chrono::steady_clock::now();
    x_->Click(Middle(dialog.window, button->rect));
    // The box runs, and goes, inside this loop.
    EXPECT_TRUE(fltk_backend::RunLoopUntil([&] { return answered; }, 10)) << shot << ": no box";
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4))
        << shot << ": the box did not answer " << inputs.back();
    // Gone from the screen too, before the next input: the server may take
    // the test's input before the program's last requests.
    EXPECT_TRUE(fltk_backend::RunLoopUntil([&] { return x_->TopWindow() == dialog.window; }, 5))
        << shot << ": the box stays on the screen";
    ShownDialog after;
    EXPECT_TRUE(fltk_backend::DescribeOpenDialog(&after));
    EXPECT_EQ(after.window.left, dialog.window.left) << shot << ": the dialog went";
    EXPECT_EQ(after.controls.size(), dialog.controls.size()) << shot << ": the box stayed";
    return caption;
  }

  // A folder of the test's own with two files to delete and one to keep.
  static std::string FilesToDelete(const std::string& name) {
    const std::string folder = std::string(std::getenv("TEST_TMPDIR")) + name + "/";
    std::filesystem::create_directories(folder);
    for (const char* file : {"a-doomed.txt", "b-doomed.txt", "c-kept.txt"}) std::ofstream(folder + file) << "x";
    return folder;
  }

  // Selects the first item of the list that begins with `name`, and shows it.
  static void SelectItem(Dialog& dialog, int list_id, const std::string& name) {
    const Control& list = *dialog.GetDlgItem(list_id);
    for (int i = 0; i < list.GetCount(); ++i) {
      if (Utf16ToUtf8(list.items[i]).rfind(name, 0) == 0) {
        DialogDriver(dialog).Select(list_id, i);
        break;
      }
    }
    fltk_backend::RunLoopUntil([] { return false; }, 0.1);
  }

  // Input while the program runs a loop of its own (a menu's): the hand is
  // another thread's, with a connection of its own.
  static void ByHand(const std::function<void(XInput&)>& steps) {
    std::atomic<bool> done = false;
    std::thread hand([&] {
      XInput x;
      steps(x);
      done = true;
    });
    fltk_backend::RunLoopUntil([&] { return done.load(); }, 20);
    hand.join();
    fltk_backend::RunLoopUntil([] { return false; }, 0.3);
  }

  // Waits for a window on top other than `under` (a menu) and returns it.
  static RECT WaitForMenu(XInput& x, const RECT& under) {
    RECT menu = under;
    for (int i = 0; i < 100 && menu == under; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      menu = x.TopWindow();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    return menu;
  }

  // Clicks the middle of the menu's item `index` of `count`.
  static void ClickMenuItem(XInput& x, const RECT& menu, int index, int count) {
    constexpr int kBorder = 3;
    const int item = (menu.Height() - 2 * kBorder) * (2 * index + 1) / (2 * count);
    x.Click({(menu.left + menu.right) / 2, menu.top + kBorder + item});
  }

  // The keyboard to the dialog open now.
  void FocusOpenDialog() {
    ShownDialog shown;
    ASSERT_TRUE(fltk_backend::DescribeOpenDialog(&shown));
    x_->FocusWindowAt({(shown.window.left + shown.window.right) / 2, (shown.window.top + shown.window.bottom) / 2});
  }

  // Escape, as the keyboard sends it, closes the dialog open now.
  void Escape(Dialog& dialog) {
    x_->Key("Escape");
    EXPECT_TRUE(fltk_backend::RunLoopUntil([&] { return dialog.Ended(); }, 5)) << "Escape left the dialog open";
  }

  std::unique_ptr<XInput> x_;
};

TEST_F(BoxesOverDialogs, TheRangeBoxClosesAndTheGoToPageDialogStays) {
  CGoToPageDlg d;
  d.page = 5;  // of a one-page document
  d.lastPage = 1;
  fltk_backend::WhenDialogOpens([&] {
    fltk_backend::CloseOpenWindowAfter(60);
    for (const char* input : {"OK", "Return", "Escape"}) {
      EXPECT_EQ(AnswerBox(IDOK, {input}, std::string("range-box-") + input), Utf16ToUtf8(u"Перейти к странице"));
      EXPECT_FALSE(d.Ended()) << input;
    }
    Escape(d);
  });
  EXPECT_EQ(d.DoModal(), IDCANCEL);
}

TEST_F(BoxesOverDialogs, BookmarksStayAfterCancelAndGoAfterOk) {
  const std::vector<BookmarkEntry> marks = {{2500, "Жили-были дед да баба."},
                                                           {7000, "Была у них курочка Ряба."}};
  for (const char* confirm : {"OK", "Return"}) {
    CBookmarksDlg d;
    d.bookmarks = marks;
    fltk_backend::WhenDialogOpens([&] {
      fltk_backend::CloseOpenWindowAfter(60);
      for (const char* input : {"Cancel", "Escape"}) {
        AnswerBox(CBookmarksDlg::IDC_DELETE_ALL, {input}, std::string("delete-all-") + input);
        EXPECT_EQ(d.bookmarks.size(), 2u) << input;
        EXPECT_EQ(d.GetDlgItem(CBookmarksDlg::IDC_PAGES)->GetCount(), 2) << input;
      }
      AnswerBox(CBookmarksDlg::IDC_DELETE_ALL, {confirm}, std::string("delete-all-") + confirm);
      EXPECT_TRUE(d.bookmarks.empty()) << confirm;
      EXPECT_EQ(d.GetDlgItem(CBookmarksDlg::IDC_PAGES)->GetCount(), 0) << confirm;
      EXPECT_FALSE(d.Ended()) << confirm;
      Escape(d);
    });
    EXPECT_EQ(d.DoModal(), IDCANCEL) << confirm;
  }
}

TEST_F(BoxesOverDialogs, TheOpenFileDialogsBoxesAnswerAndNothingHappensBehindThem) {
  const std::string folder = FilesToDelete("boxes");
  WriteZip(folder + "d-box.zip", {{"one.txt", "1"}});
  std::u16string wide;
  Utf8ToUtf16(folder, &wide);
  const auto exists = [&](const char* name) { return std::filesystem::exists(folder + name); };

  COpenFileDlg d;
  d.startPath = wide;
  fltk_backend::WhenDialogOpens([&] {
    fltk_backend::CloseOpenWindowAfter(60);
    const auto select = [&](const std::string& name) { SelectItem(d, COpenFileDlg::kFileListId, name); };
    // "..", the archive, then the files.
    select("a-doomed.txt");
    for (const char* input : {"Cancel", "Escape"}) {
      EXPECT_EQ(AnswerBox(COpenFileDlg::kDeleteId, {input}, std::string("open-file-delete-") + input), "Confirm.");
      EXPECT_TRUE(exists("a-doomed.txt")) << input;
    }
    // Return answers the box alone: the file next in the list is not opened.
    AnswerBox(COpenFileDlg::kDeleteId, {"Return"}, "open-file-delete-Return");
    EXPECT_FALSE(exists("a-doomed.txt"));
    EXPECT_FALSE(d.Ended());
    select("b-doomed.txt");
    AnswerBox(COpenFileDlg::kDeleteId, {"OK"}, "open-file-delete-OK");
    EXPECT_FALSE(exists("b-doomed.txt"));
    EXPECT_TRUE(exists("c-kept.txt"));
    EXPECT_FALSE(d.Ended());
    EXPECT_TRUE(d.HotKeysRegistered()) << "the dialog's keys did not come back";

    select("d-box.zip");
    ASSERT_TRUE(d.InsideArchive());
    select("one.txt");
    for (const char* input : {"OK", "Return", "Escape"}) {
      EXPECT_EQ(AnswerBox(COpenFileDlg::kDeleteId, {input}, std::string("zip-delete-") + input), "Error");
      EXPECT_TRUE(d.InsideArchive()) << input;
      EXPECT_FALSE(d.Ended()) << input;
    }
    Escape(d);
  });
  EXPECT_EQ(d.DoModal(), IDCANCEL);
}

TEST_F(BoxesOverDialogs, TheFolderTreeDeleteQuestionAnswers) {
  const std::string folder = FilesToDelete("tree-boxes");
  std::u16string wide;
  Utf8ToUtf16(folder, &wide);
  const auto exists = [&](const char* name) { return std::filesystem::exists(folder + name); };

  CFileOpenTreeDlg d(wide);
  fltk_backend::WhenDialogOpens([&] {
    fltk_backend::CloseOpenWindowAfter(60);
    const auto select = [&](const std::string& name) { SelectItem(d, CFileOpenTreeDlg::IDC_FILES, name); };
    select("a-doomed.txt");
    for (const char* input : {"Cancel", "Escape"}) {
      AnswerBox(CFileOpenTreeDlg::ID_DELETE_FILE, {input}, std::string("tree-delete-") + input);
      EXPECT_TRUE(exists("a-doomed.txt")) << input;
    }
    AnswerBox(CFileOpenTreeDlg::ID_DELETE_FILE, {"Return"}, "tree-delete-Return");
    EXPECT_FALSE(exists("a-doomed.txt"));
    select("b-doomed.txt");
    AnswerBox(CFileOpenTreeDlg::ID_DELETE_FILE, {"OK"}, "tree-delete-OK");
    EXPECT_FALSE(exists("b-doomed.txt"));
    EXPECT_TRUE(exists("c-kept.txt"));
    EXPECT_FALSE(d.Ended());
    Escape(d);
  });
  EXPECT_EQ(d.DoModal(), IDCANCEL);
}

TEST_F(BoxesOverDialogs, ALongPressInTheFindFieldCutsAndCopiesTheSelection) {
  CFindTextDlg d;
  fltk_backend::WhenDialogOpens([&] {
    fltk_backend::CloseOpenWindowAfter(60);
    ShownDialog shown;
    ASSERT_TRUE(fltk_backend::DescribeOpenDialog(&shown));
    const ShownControl* field = FindShown(shown, CFindTextDlg::IDC_TEXT);
    ASSERT_NE(field, nullptr);
    const POINT middle = Middle(shown.window, field->rect);
    const auto text = [&] {
      ShownDialog now;
      fltk_backend::DescribeOpenDialog(&now);
      const ShownControl* edit = FindShown(now, CFindTextDlg::IDC_TEXT);
      return edit ? Utf16ToUtf8(edit->label) : std::string("(gone)");
    };
    const auto clipboard = [] {
      std::u16string held;
      if (!OpenClipboard(nullptr)) return std::string("(closed)");
      GetClipboardUnicodeText(&held);
      CloseClipboard();
      return Utf16ToUtf8(held);
    };
    // Held until the menu opens (or `held` from the press), let go, and the
    // item chosen.
    const auto long_press_and_choose = [&](int item, std::chrono::milliseconds held = {}) {
      ByHand([&](XInput& x) {
        const auto pressed = std::chrono::steady_clock::now();
        x.Press(middle);
        const RECT menu = WaitForMenu(x, shown.window);
        std::this_thread::sleep_until(pressed + held);
        x.Release();
        ClickMenuItem(x, menu, item, 3);
      });
    };
    // No window manager, and the window that had the keyboard gone: keys go
    // to the window under the pointer, and still reach the field after a
    // choice in the menu.
    x_->FocusRootWindow();
    x_->Click(middle);
    x_->Type("hello world");
    x_->Key("Control_L+a");
    fltk_backend::RunLoopUntil([] { return false; }, 0.3);
    long_press_and_choose(1);  // "Вырезать"
    EXPECT_EQ(text(), "");
    EXPECT_EQ(clipboard(), "hello world");

    x_->Type("good day");
    x_->Key("Control_L+a");
    fltk_backend::RunLoopUntil([] { return false; }, 0.3);
    // Let go well after the menu opened: the menu stays for the choice.
    long_press_and_choose(0, std::chrono::milliseconds(1500));  // "Копировать"
    EXPECT_EQ(text(), "good day");
    EXPECT_EQ(clipboard(), "good day");
    // A short press still places the caret where it falls.
    x_->Click({shown.window.left + field->rect.left + 2, middle.y});
    x_->Type("x");
    EXPECT_TRUE(fltk_backend::RunLoopUntil([&] { return text() == "xgood day"; }, 3)) << text();
    Escape(d);
  });
  EXPECT_EQ(d.DoModal(), IDCANCEL);
}

// The reader itself on the display: a document of many pages, Right bound
// to "Next page", speech off.
class ReaderOnTheDisplay : public BoxesOverDialogs {
 protected:
  void SetUp() override {
    BoxesOverDialogs::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    folder_ = std::string(std::getenv("TEST_TMPDIR")) + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "/";
    std::filesystem::create_directories(folder_);
    std::string buttons = "0";
    for (int id = 1; id <= 20; ++id) buttons += id == 9 ? ",Next page" : ",0";
    std::ofstream(folder_ + "parlen.cfg") << "Buttons=" << buttons << ",\nUseTTS=0\nToolbar=0\n";
    std::string text;
    for (int i = 0; i < 300; ++i) text += "Жили-были дед да баба, и была у них курочка Ряба.\r\n";
    std::ofstream(folder_ + "tale.txt", std::ios::binary) << text;
  }

  std::unique_ptr<CReaderDlg> MakeReader() {
    CReaderDlg::Environment environment;
    Utf8ToUtf16(folder_ + "parlen.cfg", &environment.settingsPath);
    environment.engine.create = [](ITTSEngine**) { return E_FAIL; };
    auto reader = std::make_unique<CReaderDlg>(*backend_, environment);
    reader->OnInitDialog();
    return reader;
  }

  std::u16string Path(const std::string& name) const {
    std::u16string wide;
    Utf8ToUtf16(folder_ + name, &wide);
    return wide;
  }

  std::string folder_;
};

TEST_F(ReaderOnTheDisplay, RightTurnsThePageWheneverTheKeyboardComesBack) {
  auto reader = MakeReader();
  reader->OpenDocument(Path("tale.txt"));
  fltk_backend::WhenMainWindowRuns([&] {
    fltk_backend::RunLoopUntil([] { return false; }, 0.3);
    const RECT window = x_->TopWindow();
    const POINT page{(window.left + window.right) / 2, window.top + 100};
    const auto right_turns = [&](const std::string& when) {
      fltk_backend::RunLoopUntil([] { return false; }, 0.5);
      const INT before = reader->Page().PageStart();
      x_->Key("Right");
      EXPECT_TRUE(fltk_backend::RunLoopUntil([&] { return reader->Page().PageStart() != before; }, 3))
          << "Right does not turn the page " << when;
    };
    x_->FocusWindowAt(page);
    right_turns("at first");
    // Another program takes the keyboard; the page is clicked; the keyboard
    // comes back.
    x_->FocusOwnWindow();
    fltk_backend::RunLoopUntil([] { return false; }, 0.3);
    x_->Click(page);
    fltk_backend::RunLoopUntil([] { return false; }, 0.3);
    x_->FocusWindowAt(page);
    right_turns("after a click on the page brought the keyboard back");
    // The keyboard follows the pointer: over the menu, then back on the page.
    x_->FocusFollowsPointer();
    for (bool shown : {true, false}) {
      ByHand([&](XInput& x) {
        x.Click({window.left + 20, window.bottom - 13});      // "Меню"
        ClickMenuItem(x, WaitForMenu(x, window), 1, 14);  // "Панель инструментов"
      });
      EXPECT_TRUE(fltk_backend::RunLoopUntil([&] { return reader->settings.toolbar == shown; }, 3));
      right_turns(shown ? "after the toolbar was shown" : "after the toolbar was hidden");
    }
    reader->Host().EndModal(IDOK);
  });
  reader->Host().Run();
  reader->OnDestroy();
}

TEST_F(ReaderOnTheDisplay, AnArchiveEntryIsFiledAndOfferedAsTheArchivesEntry) {
  const std::string zip = folder_ + "Tales.ZIP";
  WriteZip(zip, {{"readme.txt", "Сказки."}, {"Russian/ryaba.txt", "Жили-были дед да баба."},
                 {"Russian/kolobok.txt", "Жили-были старик со старухой."}});
  const std::u16string entry = Path("Tales.ZIP/Russian/ryaba.txt");
  auto reader = MakeReader();
  // Chosen in the dialog: the folder in the archive, then the entry.
  fltk_backend::WhenDialogOpens([&] {
    fltk_backend::CloseOpenWindowAfter(30);
    FocusOpenDialog();
    x_->Key("Down");
    x_->Key("Return");  // "Russian", after ".."
    fltk_backend::RunLoopUntil([] { return false; }, 0.3);
    x_->Key("Down");
    x_->Key("Down");
    x_->Key("Return");  // "ryaba.txt", after ".." and "kolobok.txt"
    fltk_backend::RunLoopUntil([] { return false; }, 0.3);
  });
  reader->OpenDocument(Path("Tales.ZIP"));
  const std::u16string copy = reader->DocumentPath();
  EXPECT_EQ(Utf16ToUtf8(GetPathFileName(copy)), "ryaba.txt");
  ASSERT_FALSE(reader->settings.recentFiles.empty());
  EXPECT_EQ(Utf16ToUtf8(reader->settings.recentFiles.front()), Utf16ToUtf8(entry));

  // Open starts in the archive's folder of the entry, the entry selected;
  // choosing it again opens nothing.
  std::vector<std::string> items;
  std::string selected;
  const auto open_shows = [&] {
    fltk_backend::WhenDialogOpens([&] {
      fltk_backend::CloseOpenWindowAfter(30);
      ShownDialog shown;
      ASSERT_TRUE(fltk_backend::DescribeOpenDialog(&shown));
      const ShownControl* list = FindShown(shown, COpenFileDlg::kFileListId);
      ASSERT_NE(list, nullptr);
      items.clear();
      for (const std::u16string& item : list->control->items) items.push_back(Utf16ToUtf8(item));
      const int chosen = list->control->GetCurSel();
      selected = chosen < 0 ? "" : items[chosen];
      FocusOpenDialog();
      x_->Key("Return");
      fltk_backend::RunLoopUntil([] { return false; }, 0.3);
    });
    reader->OnOpen();
  };
  open_shows();
  EXPECT_EQ(items, (std::vector<std::string>{"..", "kolobok.txt", "ryaba.txt"}));
  EXPECT_EQ(selected, "ryaba.txt");
  EXPECT_EQ(reader->DocumentPath(), copy);

  // Another document later, the entry again from the recent list: taken out
  // of the archive again when its copy is gone.
  reader->OpenDocument(Path("tale.txt"));
  std::filesystem::remove(Utf16ToUtf8(copy));
  ASSERT_EQ(reader->settings.recentFiles.size(), 2u);
  EXPECT_EQ(Utf16ToUtf8(reader->settings.recentFiles[1]), Utf16ToUtf8(entry));
  reader->OnRecentFile(ID_RECENT_FIRST + 1);
  EXPECT_EQ(reader->DocumentPath(), copy);
  EXPECT_EQ(Utf16ToUtf8(reader->settings.recentFiles.front()), Utf16ToUtf8(entry));
  EXPECT_EQ(reader->Page().PageStart(), 0);
  EXPECT_TRUE(std::filesystem::exists(Utf16ToUtf8(copy)));
  reader->OnDestroy();
}

}  // namespace
