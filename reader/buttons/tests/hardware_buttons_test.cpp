#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/window/headless_backend.h"
#include "platform/window/hot_keys.h"
#include "reader/buttons/button_actions.h"
#include "reader/buttons/hardware_buttons.h"
#include "reader/buttons/keep_awake.h"
#include "reader/command_ids.h"

namespace {

constexpr UINT kWin = 0x08;

class FakeWindow : public ButtonWindow {
 public:
  explicit FakeWindow(HWND window) : window_(window) {}
  HWND Window() override { return window_; }
  bool FullScreen() override { return fullScreen; }
  void SetFullScreen(bool on) override {
    fullScreen = on;
    log.push_back(on ? "full screen on" : "full screen off");
  }
  void RunCommand(UINT command) override { log.push_back(std::to_string(command)); }

  bool fullScreen = false;
  std::vector<std::string> log;

 private:
  HWND window_;
};

class HardwareButtonsTest : public testing::Test {
 protected:
  HardwareButtonsTest()
      : host_(backend_.CreateMainWindow(u"Parlen 2")), window_(host_->Handle()),
        buttons_(window_, actions_) {
    host_->SetProcedure([this](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
      if (message == WM_HOTKEY) buttons_.OnHotKey(static_cast<UINT>(wParam));
      return 0;
    });
  }

  HeadlessHost& Host() { return static_cast<HeadlessHost&>(*host_); }
  void Press(UINT id) {
    const ButtonHotKey& key = ButtonHotKeys()[id];
    Host().PressKey(key.virtualKey, key.modifiers);
  }
  bool Owns(UINT id) {
    HWND owner = nullptr;
    int found = 0;
    const ButtonHotKey& key = ButtonHotKeys()[id];
    return FindHotKey(key.modifiers, key.virtualKey, &owner, &found) && owner == host_->Handle() &&
           found == static_cast<int>(id);
  }
  std::vector<UINT> Owned() {
    std::vector<UINT> ids;
    for (UINT id = 1; id < kButtonCount; ++id) {
      if (Owns(id)) ids.push_back(id);
    }
    return ids;
  }

  HeadlessBackend backend_;
  std::unique_ptr<WindowHost> host_;
  std::array<std::string, kButtonCount> actions_{};
  FakeWindow window_;
  HardwareButtons buttons_;
};

TEST(KeepAwakeTest, PeriodFromTheShortestTimeout) {
  EXPECT_EQ(KeepAwakePeriod(180, 0, 60), 59000u);
  EXPECT_EQ(KeepAwakePeriod(180, 120, 60), 119000u);
  EXPECT_EQ(KeepAwakePeriod(180, 200, 60), 59000u);
  EXPECT_EQ(KeepAwakePeriod(180, 0, 0), 179000u);
  EXPECT_EQ(KeepAwakePeriod(1, 0, 0), 5000u);
  EXPECT_EQ(KeepAwakePeriod(0, 0, 0), 5000u);
}

TEST_F(HardwareButtonsTest, GroupsRegisterTheirOwnButtons) {
  actions_[1] = "System pause";
  actions_[6] = "Next page";
  actions_[7] = "Previous page";
  buttons_.RegisterOther();
  buttons_.RegisterSystem();
  EXPECT_EQ(Owned(), (std::vector<UINT>{1, 6, 7}));
  // A box over the window has the keys while it is up, but for the
  // "System" ones; the window stays as it was.
  buttons_.OnActivate(false);
  EXPECT_EQ(Owned(), (std::vector<UINT>{1}));
  buttons_.OnActivate(true);
  EXPECT_EQ(Owned(), (std::vector<UINT>{1, 6, 7}));
  EXPECT_TRUE(window_.log.empty());
  buttons_.UnregisterOther();
  EXPECT_EQ(Owned(), (std::vector<UINT>{1}));
  // Leaving again changes nothing; the "System" button keeps working.
  buttons_.UnregisterOther();
  Press(1);
  EXPECT_EQ(window_.log, (std::vector<std::string>{std::to_string(ID_PAUSE)}));
  // Locked, every button is captured, bound or not.
  buttons_.SetDisplayLocked();
  EXPECT_EQ(Owned().size(), 20u);
}

TEST_F(HardwareButtonsTest, RegistrationTakesAKeyFromAnotherWindow) {
  HWND other = host_->Handle();
  auto second = backend_.CreateMainWindow(u"other");
  ASSERT_TRUE(RegisterHotKey(second->Handle(), 5, 0, VK_LEFT));
  actions_[kButtonLeft] = "Previous page";
  buttons_.RegisterOther();
  EXPECT_TRUE(Owns(kButtonLeft));

  // Without a way to free the key the registration fails.
  ASSERT_TRUE(UnregisterHotKey(other, kButtonLeft));
  ASSERT_TRUE(RegisterHotKey(second->Handle(), 5, 0, VK_LEFT));
  EXPECT_FALSE(CHardwareKeys(nullptr).Register(other, kButtonLeft, 0, VK_LEFT));
}

// A desktop of a back end's: the keys another program holds are refused.
struct FakeDesktop {
  static inline std::vector<std::string> log;
  static inline UINT held = 0;
  static bool Take(UINT, UINT key) {
    log.push_back("take " + std::to_string(key));
    return key != held;
  }
  static void GiveBack(UINT, UINT key) { log.push_back("give back " + std::to_string(key)); }
};

TEST_F(HardwareButtonsTest, SystemButtonsAreTakenFromTheDesktop) {
  FakeDesktop::log.clear();
  FakeDesktop::held = 0xC2;
  const DesktopKeyGrabber previous = SetDesktopKeyGrabber({FakeDesktop::Take, FakeDesktop::GiveBack});
  actions_[1] = "System pause";
  actions_[2] = "System stop";
  actions_[6] = "Next page";
  buttons_.RegisterOther();
  buttons_.RegisterSystem();
  // Only "System" buttons go to the desktop; one held elsewhere is asked for
  // three times, then left unregistered, and the others work.
  EXPECT_EQ(FakeDesktop::log, (std::vector<std::string>{"take 193", "take 194", "take 194", "take 194"}));
  EXPECT_EQ(Owned(), (std::vector<UINT>{1, 6}));
  Press(1);
  EXPECT_EQ(window_.log, (std::vector<std::string>{std::to_string(ID_PAUSE)}));
  // A dialog gives the desktop its key back; locking takes nothing from it.
  FakeDesktop::log.clear();
  buttons_.UnregisterForDialog();
  buttons_.SetDisplayLocked();
  EXPECT_EQ(FakeDesktop::log, (std::vector<std::string>{"give back 193"}));
  SetDesktopKeyGrabber(previous);
}

TEST_F(HardwareButtonsTest, UnlockSequenceKeepsSpeechGoing) {
  actions_[1] = "System stop";
  actions_[2] = std::string(kLockOnePush);
  buttons_.RegisterOther();
  buttons_.RegisterSystem();
  buttons_.RunButtonAction(std::string(kLockOnePush));
  EXPECT_TRUE(buttons_.Locked());
  EXPECT_EQ(DisplayPowerState(), VideoPowerOff);
  EXPECT_TRUE(window_.fullScreen);
  EXPECT_EQ(window_.log, (std::vector<std::string>{"full screen on", std::to_string(ID_SPEAK)}));
  window_.log.clear();

  // Left, up, left: the second left starts nothing; no action runs while locked.
  Press(kButtonLeft);
  Press(kButtonUp);
  Press(kButtonLeft);
  EXPECT_EQ(buttons_.UnlockState(), 0);
  Press(1);
  EXPECT_TRUE(window_.log.empty());
  Press(kButtonLeft);
  Press(kButtonUp);
  Press(kButtonRight);
  EXPECT_TRUE(buttons_.Locked());
  Press(kButtonDown);
  EXPECT_FALSE(buttons_.Locked());
  EXPECT_EQ(DisplayPowerState(), VideoPowerOn);
  EXPECT_EQ(window_.log, (std::vector<std::string>{"full screen off"}));
  EXPECT_EQ(Owned(), (std::vector<UINT>{1, 2}));
}

TEST_F(HardwareButtonsTest, PushCountersStopAndUnlock) {
  actions_[3] = std::string(kLockTwoPushes);
  actions_[4] = std::string(kLockThreePushes);
  actions_[5] = std::string(kLockOnePush);
  buttons_.SetDisplayLocked();
  Press(3);
  Press(kButtonUp);  // another button between resets the count
  Press(3);
  EXPECT_TRUE(buttons_.Locked());
  Press(3);
  EXPECT_FALSE(buttons_.Locked());
  EXPECT_EQ(window_.log.back(), "full screen off");
  EXPECT_EQ(window_.log[window_.log.size() - 2], std::to_string(ID_STOP));

  buttons_.SetDisplayLocked();
  Press(4);
  Press(4);
  EXPECT_TRUE(buttons_.Locked());
  Press(4);
  EXPECT_FALSE(buttons_.Locked());

  buttons_.SetDisplayLocked();
  window_.log.clear();
  Press(5);
  EXPECT_FALSE(buttons_.Locked());
  EXPECT_EQ(window_.log, (std::vector<std::string>{std::to_string(ID_STOP), "full screen off"}));
}

TEST_F(HardwareButtonsTest, UiActionLeavesFullScreenFirst) {
  actions_[11] = "Settings";
  actions_[12] = "Next page";
  buttons_.RegisterOther();
  window_.fullScreen = true;
  Press(12);
  Press(11);
  EXPECT_EQ(window_.log, (std::vector<std::string>{std::to_string(ID_NEXT_PAGE), "full screen off",
                                                  std::to_string(ID_SETTINGS)}));
  EXPECT_EQ(ButtonHotKeys()[11].modifiers, kWin);
  EXPECT_EQ(ButtonHotKeys()[11].virtualKey, 0xC6u);
}

TEST_F(HardwareButtonsTest, LosingFocusWhileLockedUnlocksWithTheDisplayOn) {
  actions_[1] = "System pause";
  actions_[6] = "Next page";
  buttons_.RegisterOther();
  buttons_.RegisterSystem();
  buttons_.SetDisplayLocked();
  buttons_.OnKillFocus();
  EXPECT_FALSE(buttons_.Locked());
  EXPECT_EQ(DisplayPowerState(), VideoPowerOn);
  EXPECT_FALSE(window_.fullScreen);
  EXPECT_EQ(Owned(), (std::vector<UINT>{1}));
  EXPECT_FALSE(buttons_.LockedRegistered());
}

TEST_F(HardwareButtonsTest, FocusAndDialogsWhileLockedKeepTheLock) {
  actions_[6] = "Next page";
  buttons_.RegisterUnlockedGroups();
  buttons_.SetDisplayLocked();
  buttons_.OnSetFocus();
  buttons_.RegisterUnlockedGroups();
  EXPECT_FALSE(buttons_.OtherRegistered());
  buttons_.Unlock();
  // The other group comes back whole after the locked one let go.
  EXPECT_EQ(Owned(), (std::vector<UINT>{6}));
  buttons_.UnregisterForDialog();
  EXPECT_TRUE(Owned().empty());
}

}  // namespace
