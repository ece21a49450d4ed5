#include "platform/window/dialog.h"
#include "platform/window/fltk_backend.h"
#include "platform/window/png_file.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

namespace {

// Runs this test again under a virtual display of its own when there is none.
bool RunUnderXvfb(const std::string& test) {
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  const std::string command = "PARLEN_XVFB_CHILD=1 '" PARLEN_WITH_XVFB "' '" + self +
                              "' --gtest_filter=" + test + " > '" + testing::TempDir() +
                              "xvfb.log' 2>&1";
  return std::system(command.c_str()) == 0;
}

TEST(FltkSmokeTest, WindowShowsTheScreenBitmapAndTakesPostedMessages) {
  if (!FltkBackend::Available()) {
    if (std::getenv("PARLEN_XVFB_CHILD")) GTEST_SKIP() << "no display even under Xvfb";
    if (std::system("command -v Xvfb > /dev/null 2>&1") != 0)
      GTEST_SKIP() << "no display and Xvfb not found (install xvfb): FLTK smoke test skipped";
    EXPECT_TRUE(RunUnderXvfb("FltkSmokeTest.*")) << "see " << testing::TempDir() << "xvfb.log";
    return;
  }

  FltkBackend backend;
  auto host = backend.CreateMainWindow(u"Parlen 2");
  CommandBar bar;
  bar.menu = MenuItem::Popup(u"Меню", {MenuItem::Command(32823, u"Выход")});
  bar.buttons = {ToolButton::Button(32790, u"Открыть"), ToolButton::Separator()};
  host->SetCommandBar(bar);

  LOGFONTW face;
  face.lfHeight = -20;
  SetFaceName(&face, u"DejaVu Sans");
  FontPtr font = Font::Create(face);
  Bitmap shot;
  std::thread poster;
  bool posted_seen = false;
  host->SetProcedure([&](HWND window, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
    switch (message) {
      case WM_PAINT: {
        PaintScope paint(window);
        DeviceContext& dc = paint.Dc();
        dc.FillSolidRect(host->ClientRect(), RGB(255, 255, 255));
        dc.FillSolidRect({10, 10, 110, 60}, RGB(255, 0, 0));
        dc.SelectFont(font);
        dc.SetBkMode(TRANSPARENT);
        dc.TextOutW(10, 100, u"Привет");
        return 0;
      }
      case WM_TIMER:
        if (wParam == 1) {
          host->KillTimer(1);
          poster = std::thread([window] { PostMessageW(window, WM_USER + 1, 5, 0); });
        } else {
          host->EndModal(-5);  // nothing came
        }
        return 0;
      case WM_USER + 1:
        posted_seen = wParam == 5;
        FltkBackend::ReadWindowPixels(*host, &shot);
        host->EndModal(IDOK);
        return 0;
      default:
        return 0;
    }
  });
  host->SetTimer(1, 500);
  host->SetTimer(2, 15000);
  EXPECT_EQ(host->Run(), IDOK);
  if (poster.joinable()) poster.join();
  EXPECT_TRUE(posted_seen);

  ASSERT_GE(shot.Width(), 200);
  EXPECT_EQ(shot.Width(), host->ClientRect().Width());
  EXPECT_EQ(shot.GetPixel(50, 30), RGB(255, 0, 0));
  EXPECT_EQ(shot.GetPixel(150, 30), RGB(255, 255, 255));
  int ink = 0;
  for (int y = 100; y < 130; ++y)
    for (int x = 10; x < 100; ++x) ink += shot.GetPixel(x, y) == RGB(0, 0, 0) ? 1 : 0;
  EXPECT_GT(ink, 20);
  EXPECT_TRUE(WritePng(shot, testing::TempDir() + "fltk_screenshot.png"));
}

class EveryControlDialog : public Dialog {
 public:
  EveryControlDialog() : Dialog(181, u"Поиск текста") {
    AddControl(1010, ControlKind::Static, u"Введите текст:");
    AddControl(1013, ControlKind::Edit);
    AddControl(1011, ControlKind::CheckBox, u"&Учёт регистра");
    AddControl(1030, ControlKind::ComboBox).editable = false;
    AddControl(1031, ControlKind::ComboBox).editable = true;
    AddControl(1014, ControlKind::ListBox);
    AddControl(1002, ControlKind::Slider);
    AddControl(1016, ControlKind::Button, u"Удалить");
    AddControl(IDOK, ControlKind::Button, u"Найти");
    AddControl(IDCANCEL, ControlKind::Button, u"Отмена");
  }
  BOOL OnInitDialog() override {
    for (Control* c : {GetDlgItem(1030), GetDlgItem(1031), GetDlgItem(1014)}) {
      c->AddString(u"Text");
      c->AddString(u"Background/фон & more");
    }
    GetDlgItem(1002)->SetRange(0, 255);
    return Dialog::OnInitDialog();
  }
  void DoDataExchange(DataExchange& dx) override {
    DDX_Text(dx, 1013, text);
    DDX_CBIndex(dx, 1030, target);
  }
  std::u16string text;
  int target = -1;
};

TEST(FltkSmokeTest, DialogWidgetsMirrorTheirControls) {
  if (!FltkBackend::Available()) GTEST_SKIP() << "no display: covered by the window test under Xvfb";
  FltkBackend backend;
  auto host = backend.CreateMainWindow(u"Parlen 2");
  EveryControlDialog dialog;
  int result = 0;
  host->SetProcedure([&](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
    if (message != WM_TIMER) return 0;
    host->KillTimer(wParam);
    if (wParam == 1) {
      host->SetTimer(2, 300);  // fires inside the dialog's loop
      result = dialog.DoModal();
      host->EndModal(IDOK);
    } else if (wParam == 2 && dialog.GetSafeHwnd()) {
      DialogDriver user(dialog);
      user.Type(1013, u"мама");
      user.Select(1030, 1);
      user.Slide(1002, 200);
      user.Ok();
    }
    return 0;
  });
  host->SetTimer(1, 200);
  EXPECT_EQ(host->Run(), IDOK);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dialog.text, u"мама");
  EXPECT_EQ(dialog.target, 1);
}

}  // namespace
