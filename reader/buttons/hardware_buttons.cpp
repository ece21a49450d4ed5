#include "reader/buttons/hardware_buttons.h"

#include "platform/message_box.h"
#include "reader/buttons/button_actions.h"
#include "reader/command_ids.h"

bool HardwareButtons::InGroup(Group group, size_t id) const {
  if (group == Group::kLocked) return true;
  const std::string& action = actions_[id];
  if (group == Group::kSystem) return IsSystemAction(action);
  return !action.empty() && !IsSystemAction(action);
}

void HardwareButtons::RegisterGroup(Group group, bool& flag) {
  if (flag) return;
  flag = true;
  if (actions_.size() < 2) return;
  const HWND window = window_.Window();
  for (size_t id = 1; id < kButtonCount && id < actions_.size(); ++id) {
    if (!InGroup(group, id)) continue;
    const ButtonHotKey& key = ButtonHotKeys()[id];
    // "System" buttons keep working while another program is in front.
    keys_.Register(window, static_cast<int>(key.id), key.modifiers, key.virtualKey, group == Group::kSystem);
  }
}

void HardwareButtons::UnregisterGroup(Group group, bool& flag) {
  if (!flag) return;
  flag = false;
  if (actions_.size() < 2) return;
  const HWND window = window_.Window();
  for (size_t id = 1; id < kButtonCount && id < actions_.size(); ++id) {
    if (InGroup(group, id)) keys_.Release(window, static_cast<int>(id));
  }
}

void HardwareButtons::RegisterOther() { RegisterGroup(Group::kOther, otherRegistered_); }
void HardwareButtons::UnregisterOther() { UnregisterGroup(Group::kOther, otherRegistered_); }
void HardwareButtons::RegisterSystem() { RegisterGroup(Group::kSystem, systemRegistered_); }
void HardwareButtons::UnregisterSystem() { UnregisterGroup(Group::kSystem, systemRegistered_); }
void HardwareButtons::RegisterLocked() { RegisterGroup(Group::kLocked, lockedRegistered_); }
void HardwareButtons::UnregisterLocked() { UnregisterGroup(Group::kLocked, lockedRegistered_); }

void HardwareButtons::RegisterUnlockedGroups() {
  if (locked_) return;
  RegisterOther();
  RegisterSystem();
}

void HardwareButtons::UnregisterForDialog() {
  UnregisterSystem();
  UnregisterOther();
}

void HardwareButtons::OnSetFocus() {
  if (!locked_) RegisterOther();
}

void HardwareButtons::OnActivate(bool active) {
  if (locked_) return;
  if (active) RegisterOther();
  else UnregisterOther();
}

void HardwareButtons::RunButtonAction(const std::string& name) {
  const ButtonAction* action = FindButtonAction(name);
  if (action == nullptr) return;
  switch (action->kind) {
    case ButtonActionKind::kCommand: window_.RunCommand(action->command); break;
    case ButtonActionKind::kLock: SetDisplayLocked(); break;
    case ButtonActionKind::kLockRead:
      SetDisplayLocked();
      window_.RunCommand(action->command);
      break;
  }
}

void HardwareButtons::OnHotKey(UINT id) {
  if (locked_) {
    OnLockedHotKey(id);
    return;
  }
  if (id < 1 || id >= kButtonCount || id >= actions_.size()) return;
  const std::string& action = actions_[id];
  if (action.empty()) return;
  if (window_.FullScreen() && IsUiAction(action)) window_.SetFullScreen(false);
  RunButtonAction(action);
}

void HardwareButtons::OnLockedHotKey(UINT id) {
  SetDisplayPower(true);
  const std::string* action = id < actions_.size() ? &actions_[id] : nullptr;
  const auto is = [action](std::string_view name) { return action != nullptr && *action == name; };
  threePushes_ = is(kLockThreePushes) ? threePushes_ + 1 : 0;
  twoPushes_ = is(kLockTwoPushes) ? twoPushes_ + 1 : 0;
  if (is(kLockOnePush) || twoPushes_ == 2 || threePushes_ == 3) {
    window_.RunCommand(ID_STOP);
    Unlock();
    return;
  }
  // Left, up, right, down; any other button starts again.
  static constexpr UINT kSequence[] = {kButtonLeft, kButtonUp, kButtonRight, kButtonDown};
  if (id != kSequence[unlockState_]) {
    unlockState_ = 0;
    return;
  }
  if (++unlockState_ == 4) Unlock();
}

void HardwareButtons::OnLock() {
  const int answer = MessageBoxW(window_.Window(),
                                 u"Parlen will be locked. To save power display will be switched "
                                 u"off. Press LEFT -> UP -> RIGHT -> DOWN to unlock.",
                                 nullptr, MB_OKCANCEL);
  if (answer == IDOK) SetDisplayLocked();
}

void HardwareButtons::SetDisplayLocked() {
  if (!window_.FullScreen()) window_.SetFullScreen(true);
  locked_ = true;
  unlockState_ = 0;
  twoPushes_ = 0;
  threePushes_ = 0;
  UnregisterOther();
  UnregisterSystem();
  RegisterLocked();
  SetDisplayPower(true);
}

void HardwareButtons::ClearLockState() {
  unlockState_ = 0;
  twoPushes_ = 0;
  threePushes_ = 0;
  locked_ = false;
}

void HardwareButtons::Unlock() {
  SetDisplayPower(false);
  ClearLockState();
  if (window_.FullScreen()) window_.SetFullScreen(false);
  UnregisterLocked();
  RegisterOther();
  RegisterSystem();
}

void HardwareButtons::OnKillFocus() {
  if (locked_) {
    ClearLockState();
    UnregisterLocked();
    RegisterSystem();
    // Unlocked with the display still dark would leave the user nothing to see.
    SetDisplayPower(false);
  } else {
    UnregisterOther();
  }
  if (window_.FullScreen()) window_.SetFullScreen(false);
}
