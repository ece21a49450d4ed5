#include "platform/window/clipboard.h"
#include "platform/window/headless_backend.h"
#include "platform/window/hot_keys.h"
#include "platform/window/png_file.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

struct Seen {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD tick;
};

class HostTest : public testing::Test {
 protected:
  HostTest() : host_(backend_.CreateMainWindow(u"Parlen 2")) {
    host_->SetProcedure([this](HWND, UINT m, WPARAM w, LPARAM l) -> LRESULT {
      if (m == WM_PAINT || m == WM_SIZE) return 0;
      seen_.push_back({m, w, l, UiTickCount()});
      if (on_message_) on_message_(m, w, l);
      return 0;
    });
  }
  HeadlessHost& Host() { return static_cast<HeadlessHost&>(*host_); }

  HeadlessBackend backend_;
  std::unique_ptr<WindowHost> host_;
  std::vector<Seen> seen_;
  std::function<void(UINT, WPARAM, LPARAM)> on_message_;
};

TEST_F(HostTest, TimersFireOnTheTestClockInTimeOrder) {
  ASSERT_EQ(UiTickCount(), 1000u);
  host_->SetTimer(1, 1000);
  SetTimer(host_->Handle(), 2, 300);
  backend_.Advance(1000);
  std::vector<std::pair<WPARAM, DWORD>> fired;
  for (const Seen& s : seen_) {
    ASSERT_EQ(s.message, WM_TIMER);
    fired.push_back({s.wParam, s.tick});
  }
  EXPECT_EQ(fired, (std::vector<std::pair<WPARAM, DWORD>>{{2, 1300}, {2, 1600}, {2, 1900}, {1, 2000}}));
  EXPECT_EQ(UiTickCount(), 2000u);

  // A handler that restarts its own timer with a new period, and one that kills it.
  seen_.clear();
  on_message_ = [this](UINT m, WPARAM id, LPARAM) {
    if (m != WM_TIMER) return;
    if (id == 1) {
      KillTimer(host_->Handle(), 1);
      host_->SetTimer(1, 250);
    } else {
      host_->KillTimer(2);
    }
  };
  backend_.Advance(1000);
  std::vector<std::pair<WPARAM, DWORD>> later;
  for (const Seen& s : seen_) later.push_back({s.wParam, s.tick});
  EXPECT_EQ(later, (std::vector<std::pair<WPARAM, DWORD>>{{2, 2200}, {1, 3000}}));
  EXPECT_EQ(Host().Timers().at(1).due, 3250u);
}

TEST_F(HostTest, MessagesPostedFromAnotherThreadReachTheProcedure) {
  HWND window = host_->Handle();
  std::thread poster([window] {
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(PostMessageW(window, WM_USER + 1, 10 + i, 77));
  });
  int got = 0;
  for (int tries = 0; got < 3 && tries < 50; ++tries) got += Host().WaitAndPump(100);
  poster.join();
  ASSERT_EQ(seen_.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(seen_[i].message, 0x401u);
    EXPECT_EQ(seen_[i].wParam, static_cast<WPARAM>(10 + i));
    EXPECT_EQ(seen_[i].lParam, 77);
  }
  // A window that is gone takes no more posts.
  host_.reset();
  EXPECT_FALSE(PostMessageW(window, WM_USER + 1, 0, 0));
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(HostTest, HotKeysTakeTheirKeysFromOrdinaryKeyPresses) {
  HWND window = host_->Handle();
  ASSERT_TRUE(RegisterHotKey(window, 6, 0, VK_UP));
  ASSERT_TRUE(RegisterHotKey(window, 1, MOD_WIN, 0xC1));
  Host().PressKey(VK_UP);
  Host().PressKey(0xC1, MOD_WIN);
  Host().PressKey(VK_DOWN);
  ASSERT_EQ(seen_.size(), 3u);
  EXPECT_EQ(seen_[0].message, WM_HOTKEY);
  EXPECT_EQ(seen_[0].wParam, 6u);
  EXPECT_EQ(seen_[0].lParam, MAKELPARAM(0, VK_UP));
  EXPECT_EQ(seen_[1].wParam, 1u);
  EXPECT_EQ(seen_[1].lParam, MAKELPARAM(MOD_WIN, 0xC1));
  EXPECT_EQ(seen_[2].message, WM_KEYDOWN);
  EXPECT_EQ(seen_[2].wParam, VK_DOWN);

  // The combination belongs to one owner; the owner may move an id.
  auto other = backend_.CreateMainWindow(u"other");
  EXPECT_FALSE(RegisterHotKey(other->Handle(), 6, 0, VK_UP));
  EXPECT_TRUE(RegisterHotKey(window, 6, 0, VK_LEFT));
  EXPECT_TRUE(RegisterHotKey(other->Handle(), 3, 0, VK_UP));
  EXPECT_TRUE(UnregisterHotKey(window, 6));
  EXPECT_FALSE(UnregisterHotKey(window, 6));
  other.reset();
  EXPECT_FALSE(FindHotKey(0, VK_UP, nullptr, nullptr));
}

TEST_F(HostTest, PaintingComposesTheScreenAndSavesFrames) {
  int paints = 0;
  host_->SetProcedure([&](HWND window, UINT m, WPARAM, LPARAM) -> LRESULT {
    if (m != WM_PAINT) return 0;
    ++paints;
    PaintScope paint(window);
    paint.Dc().FillSolidRect(paint.PaintRect(), RGB(0, 128, 0));
    return 0;
  });
  EXPECT_EQ(host_->ClientRect(), (RECT{0, 0, 480, 640}));
  host_->Update();  // the new window is invalid as a whole
  EXPECT_EQ(paints, 1);
  host_->Update();
  EXPECT_EQ(paints, 1);
  RECT band{0, 600, 480, 640};
  InvalidateRect(host_->Handle(), &band, FALSE);
  UpdateWindow(host_->Handle());
  EXPECT_EQ(paints, 2);
  EXPECT_EQ(Host().PresentedRects().back(), band);

  Host().Resize(240, 320);
  host_->Update();
  EXPECT_EQ(host_->ClientRect(), (RECT{0, 0, 240, 320}));
  const std::string path = testing::TempDir() + "frame.png";
  ASSERT_TRUE(Host().SaveFramePng(path));
  Bitmap frame;
  ASSERT_TRUE(ReadPng(path, &frame));
  EXPECT_EQ(frame.Width(), 240);
  EXPECT_EQ(frame.GetPixel(239, 319), RGB(0, 128, 0));

  host_->SetFullScreen(true);
  EXPECT_EQ(host_->ClientRect(), (RECT{0, 0, 480, 640}));
  host_->SetFullScreen(false);
  EXPECT_EQ(host_->ClientRect(), (RECT{0, 0, 240, 320}));
}

TEST_F(HostTest, MenuOpensThroughInitMenuPopupAndSendsCommands) {
  CommandBar bar;
  bar.menu = MenuItem::Popup(u"Меню", {MenuItem::Command(32822, u"О программе"),
                                        MenuItem::Popup(u"Последние документы", {})});
  host_->SetCommandBar(bar);
  on_message_ = [](UINT m, WPARAM w, LPARAM) {
    if (m != WM_INITMENUPOPUP) return;
    auto* popup = reinterpret_cast<MenuItem*>(w);
    popup->items[1].items = {MenuItem::Command(32824, u"book.txt")};
  };
  const MenuItem& shown = Host().OpenMenu();
  ASSERT_EQ(shown.items[1].items.size(), 1u);
  EXPECT_EQ(shown.items[1].items[0].text, u"book.txt");
  EXPECT_NE(const_cast<MenuItem&>(shown).Find(32824), nullptr);
  Host().ChooseCommand(32822);
  ASSERT_EQ(seen_.back().message, WM_COMMAND);
  EXPECT_EQ(LOWORD(seen_.back().wParam), 32822);
  EXPECT_EQ(HIWORD(seen_.back().wParam), 0);
}

TEST_F(HostTest, ClipboardGivesTextInTheFormatsItHolds) {
  HWND window = host_->Handle();
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  backend_.SetClipboard(u"Привет");
  ASSERT_TRUE(OpenClipboard(window));
  auto other = backend_.CreateMainWindow(u"other");
  EXPECT_FALSE(OpenClipboard(other->Handle()));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  std::u16string wide;
  ASSERT_TRUE(GetClipboardUnicodeText(&wide));
  EXPECT_EQ(wide, u"Привет");
  std::string narrow;
  EXPECT_FALSE(GetClipboardText(&narrow));

  ASSERT_TRUE(SetClipboardText("мама"));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  ASSERT_TRUE(GetClipboardText(&narrow));
  EXPECT_EQ(narrow, "\xEC\xE0\xEC\xE0");
  ASSERT_TRUE(GetClipboardUnicodeText(&wide));
  EXPECT_EQ(wide, u"мама");
  EXPECT_TRUE(CloseClipboard());
  // Another program replaced the text: the 8-bit form is gone.
  backend_.SetClipboard(u"other");
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_FALSE(CloseClipboard());
}

}  // namespace
