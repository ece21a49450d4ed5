// The actions a hardware button can be bound to, by the names kept in the
// `Buttons` setting, and the command each one runs.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/types.h"

enum class ButtonActionKind {
  kCommand,   // runs a menu command of the main window
  kLock,      // locks without asking
  kLockRead,  // locks, then speaks
};

struct ButtonAction {
  std::string_view name;
  ButtonActionKind kind;
  UINT command;  // for kCommand; ID_SPEAK for kLockRead
  // Leaves full screen first when pressed on a button: the command shows a window.
  bool ui;
};

// Every action, in the order the buttons page lists them.
std::span<const ButtonAction> ButtonActions();
// Exact comparison; null for an unknown or empty name.
const ButtonAction* FindButtonAction(std::string_view name);
bool IsUiAction(std::string_view name);
// Whether the action belongs to the "System" group: it begins with "System".
bool IsSystemAction(std::string_view name);

inline constexpr std::string_view kLockOnePush = "Lock & read (1 push to unlock)";
inline constexpr std::string_view kLockTwoPushes = "Lock & read (2 pushes to unlock)";
inline constexpr std::string_view kLockThreePushes = "Lock & read (3 pushes to unlock)";
