// The main window's hardware buttons: the three hot-key groups, the actions
// bound to the buttons, and locked reading (display off, every button
// captured until the unlock sequence or an unlock push).
#pragma once

#include <array>
#include <span>
#include <string>

#include "platform/window/window_types.h"
#include "reader/buttons/hardware_keys.h"
#include "reader/buttons/hot_key_table.h"

// What the buttons need of the main window.
class ButtonWindow {
 public:
  virtual ~ButtonWindow() = default;
  virtual HWND Window() = 0;
  virtual bool FullScreen() = 0;
  // Enters or leaves full screen.
  virtual void SetFullScreen(bool on) = 0;
  // Runs a menu command (ID_NEXT_PAGE, ID_SPEAK, ID_STOP, ...).
  virtual void RunCommand(UINT command) = 0;
};

class HardwareButtons {
 public:
  // actions: the action name of each id (the `Buttons` setting), kept by
  // the caller and read on every press.
  HardwareButtons(ButtonWindow& window, std::span<const std::string> actions,
                  CHardwareKeys keys = CHardwareKeys())
      : window_(window), actions_(actions), keys_(keys) {}

  void SetActions(std::span<const std::string> actions) { actions_ = actions; }

  // Each group registers once; a second Register or an Unregister of a
  // group that is not registered does nothing.
  void RegisterOther();
  void UnregisterOther();
  void RegisterSystem();
  void UnregisterSystem();
  void RegisterLocked();
  void UnregisterLocked();
  bool OtherRegistered() const { return otherRegistered_; }
  bool SystemRegistered() const { return systemRegistered_; }
  bool LockedRegistered() const { return lockedRegistered_; }

  // Start-up and the end of a dialog: the other and "System" groups,
  // unless locked (the locked group holds every button then).
  void RegisterUnlockedGroups();
  // A dialog takes the buttons it needs: both groups go for its duration.
  void UnregisterForDialog();
  // The window got the focus back.
  void OnSetFocus();

  // WM_HOTKEY.
  void OnHotKey(UINT id);
  // Runs an action by name; unknown names do nothing.
  void RunButtonAction(const std::string& action);

  // The Lock command: asks first.
  void OnLock();
  void SetDisplayLocked();
  void Unlock();
  // The window lost the focus.
  void OnKillFocus();
  // A window of the program (a message box) came up over this one, or went:
  // while it is up, the keys are its own.
  void OnActivate(bool active);

  bool Locked() const { return locked_; }
  // For readers that keep watching the flag.
  const bool& LockedFlag() const { return locked_; }
  int UnlockState() const { return unlockState_; }

 private:
  enum class Group { kOther, kSystem, kLocked };
  bool InGroup(Group group, size_t id) const;
  void RegisterGroup(Group group, bool& flag);
  void UnregisterGroup(Group group, bool& flag);
  void OnLockedHotKey(UINT id);
  void ClearLockState();

  ButtonWindow& window_;
  std::span<const std::string> actions_;
  CHardwareKeys keys_;
  bool otherRegistered_ = false;
  bool systemRegistered_ = false;
  bool lockedRegistered_ = false;
  bool locked_ = false;
  int unlockState_ = 0;
  int twoPushes_ = 0;
  int threePushes_ = 0;
};
