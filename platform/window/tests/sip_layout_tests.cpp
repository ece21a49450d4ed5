#include "platform/window/headless_backend.h"
#include "platform/window/sip_layout.h"
#include "platform/window/soft_input_panel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A window on a screen of a given size; nothing else.
class ScreenHost : public WindowHost {
 public:
  explicit ScreenHost(SIZE screen) : screen_(screen) {}
  SIZE ScreenSize() const override { return screen_; }
  void MoveWindow(const RECT&) override {}
  void SetFullScreen(bool) override {}
  void SetTimer(UINT_PTR, UINT) override {}
  void KillTimer(UINT_PTR) override {}
  int Run() override { return 0; }

 protected:
  void Present(const RECT&) override {}
  void Wake() override {}

 private:
  SIZE screen_;
};

// Records what the layout does to it, one line per call.
class RecordingBar : public BarWindow {
 public:
  RecordingBar(std::string name, int height, std::vector<std::string>& log)
      : name_(std::move(name)), height_(height), log_(log) {}
  int BarHeight() const override { return height_; }
  void MoveBar(const RECT& r) override {
    log_.push_back(name_ + " at " + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
                   std::to_string(r.Width()) + "x" + std::to_string(r.Height()));
  }
  void ShowBar(bool show) override { log_.push_back(name_ + (show ? " shown" : " hidden")); }

 private:
  std::string name_;
  int height_;
  std::vector<std::string>& log_;
};

using Log = std::vector<std::string>;

// Installs a panel of its own for the test's length.
class PanelScope {
 public:
  explicit PanelScope(const RECT& rect) : panel(rect) { previous_ = SetInputPanel(&panel); }
  ~PanelScope() { SetInputPanel(previous_); }
  InputPanel panel;

 private:
  InputPanel* previous_;
};

TEST(SipLayoutTest, StacksBarsAboveTheMenuBandThenAboveThePanel) {
  PanelScope scope({0, 214, 240, 294});  // 80 pixels, hidden
  ScreenHost host({240, 320});
  Log log;
  RecordingBar first("first", 20, log), second("second", 24, log);
  CSipLayout layout;
  layout.Init(host);
  EXPECT_EQ(layout.ScreenWidth(), 240);
  EXPECT_EQ(layout.ScreenHeight(), 320);
  EXPECT_EQ(layout.BottomLine(), 294);
  EXPECT_EQ(layout.StackTop(), 294);

  EXPECT_EQ(layout.Add(&first), 0);
  EXPECT_EQ(layout.Add(&second), 1);
  EXPECT_EQ(log, (Log{"first at -1,275 242x20", "first shown", "second at -1,252 242x24", "second shown"}));
  EXPECT_EQ(layout.StackTop(), 252);
  EXPECT_EQ(layout.HeightInUse(), 68);

  log.clear();
  scope.panel.Show(true);
  layout.OnSettingChange(47);  // another setting: nothing moves
  EXPECT_TRUE(log.empty());
  layout.OnSettingChange(SPI_SETSIPINFO);
  EXPECT_EQ(log, (Log{"first at -1,195 242x20", "second at -1,172 242x24"}));
  EXPECT_EQ(layout.BottomLine(), 214);
  EXPECT_EQ(layout.HeightInUse(), 148);

  log.clear();
  scope.panel.Show(false);
  layout.OnSettingChange(SPI_SETSIPINFO);
  EXPECT_EQ(log, (Log{"first at -1,275 242x20", "second at -1,252 242x24"}));
}

TEST(SipLayoutTest, RemoveHidesTheBarAndTheRestCloseUp) {
  PanelScope scope({0, 214, 240, 294});
  ScreenHost host({240, 320});
  Log log;
  RecordingBar first("first", 20, log), second("second", 24, log);
  CSipLayout layout;
  layout.Init(host);
  layout.Add(&first);
  layout.Add(&second);
  log.clear();

  EXPECT_EQ(layout.Remove(2), nullptr);
  EXPECT_EQ(layout.Remove(-1), nullptr);
  EXPECT_EQ(layout.Remove(0), &first);
  EXPECT_EQ(layout.Count(), 1);
  EXPECT_EQ(layout.Get(0), &second);
  EXPECT_EQ(layout.Get(1), nullptr);
  layout.OnSettingChange(SPI_SETSIPINFO);
  layout.HideAll();
  layout.ShowAll();
  EXPECT_EQ(log, (Log{"first hidden", "second at -1,271 242x24", "second hidden", "second shown"}));
}

TEST(SoftInputPanelTest, ADesktopHasNoPanelToShow) {
  InputPanel* previous = SetInputPanel(nullptr);
  EXPECT_FALSE(IsSipOn());
  ShowSip(TRUE);
  EXPECT_FALSE(IsSipOn());
  SIPINFO info;
  info.rcSipRect = {1, 2, 3, 4};
  ASSERT_TRUE(SipGetInfo(&info));
  EXPECT_EQ(info.fdwFlags, 0u);
  EXPECT_EQ(info.rcSipRect, RECT{});
  info.fdwFlags = SIPF_ON;
  EXPECT_FALSE(SipSetInfo(&info));
  SetInputPanel(previous);
}

TEST(SoftInputPanelTest, HeadlessPanelTellsEveryWindowOfEachChange) {
  HeadlessBackend backend;
  auto host = backend.CreateMainWindow(u"Parlen 2");
  Log log;
  host->SetProcedure([&](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
    if (message == WM_SETTINGCHANGE) log.push_back("setting " + std::to_string(wParam) + (IsSipOn() ? " on" : " off"));
    return 0;
  });

  EXPECT_FALSE(IsSipOn());
  ShowSip(TRUE);
  EXPECT_TRUE(IsSipOn());
  ShowSip(TRUE);  // already shown: no change, no message
  SIPINFO info;
  ASSERT_TRUE(SipGetInfo(&info));
  EXPECT_EQ(info.rcSipRect, (RECT{0, 454, 480, 614}));
  backend.Panel().SetRect({0, 400, 480, 614});
  ASSERT_TRUE(SipGetInfo(&info));
  EXPECT_EQ(info.rcSipRect.Height(), 214);
  backend.Panel().Show(false);
  EXPECT_FALSE(IsSipOn());
  backend.Panel().SetRect({0, 454, 480, 614});  // hidden: nobody is told
  EXPECT_EQ(log, (Log{"setting 224 on", "setting 224 on", "setting 224 off"}));
}

TEST(SoftInputPanelTest, TheWindowsToolbarFollowsThePanel) {
  HeadlessBackend backend;
  auto host = backend.CreateMainWindow(u"Parlen 2");
  CSipLayout layout;
  layout.Init(*host);
  host->SetProcedure([&](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
    if (message == WM_SETTINGCHANGE) layout.OnSettingChange(static_cast<UINT>(wParam));
    return 0;
  });
  EXPECT_FALSE(host->ToolbarShown());
  EXPECT_EQ(layout.Add(&host->ToolbarWindow()), 0);
  EXPECT_TRUE(host->ToolbarShown());
  EXPECT_EQ(host->ToolbarRect(), (RECT{-1, 589, 481, 615}));
  backend.Panel().Show(true);
  EXPECT_EQ(host->ToolbarRect(), (RECT{-1, 429, 481, 455}));
  EXPECT_EQ(layout.Remove(0), &host->ToolbarWindow());
  EXPECT_FALSE(host->ToolbarShown());
}

}  // namespace
