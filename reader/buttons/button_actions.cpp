#include "reader/buttons/button_actions.h"

#include "reader/command_ids.h"

namespace {

using K = ButtonActionKind;

constexpr ButtonAction kActions[] = {
    {"Next page", K::kCommand, ID_NEXT_PAGE, false},
    {"Previous page", K::kCommand, ID_PREV_PAGE, false},
    {"Open file", K::kCommand, ID_OPEN, true},
    {"Speak/pause", K::kCommand, ID_SPEAK, false},
    {"Speak clipboard", K::kCommand, ID_SPEAK_CLIPBOARD, false},
    {"System speak clipboard", K::kCommand, ID_SPEAK_CLIPBOARD, false},
    {"Pause", K::kCommand, ID_PAUSE, false},
    {"System pause", K::kCommand, ID_PAUSE, false},
    {"Stop", K::kCommand, ID_STOP, false},
    {"System stop", K::kCommand, ID_STOP, false},
    {"Full-screen", K::kCommand, ID_FULL_SCREEN, false},
    {"Toolbar", K::kCommand, ID_TOOLBAR, true},
    {"Settings", K::kCommand, ID_SETTINGS, true},
    {"Find", K::kCommand, ID_FIND, true},
    {"Find next", K::kCommand, ID_FIND_NEXT, false},
    {"Add bookmark", K::kCommand, ID_ADD_BOOKMARK, false},
    {"All bookmarks", K::kCommand, ID_BOOKMARKS, true},
    {"Mark read", K::kCommand, ID_SET_READ_MARK, false},
    {"Mark unread", K::kCommand, ID_MARK_UNREAD, false},
    {"Lock", K::kLock, 0, false},
    {kLockOnePush, K::kLockRead, ID_SPEAK, false},
    {kLockTwoPushes, K::kLockRead, ID_SPEAK, false},
    {kLockThreePushes, K::kLockRead, ID_SPEAK, false},
    {"Exit", K::kCommand, ID_EXIT, false},
};

}  // namespace

std::span<const ButtonAction> ButtonActions() { return kActions; }

const ButtonAction* FindButtonAction(std::string_view name) {
  for (const ButtonAction& action : kActions) {
    if (action.name == name) return &action;
  }
  return nullptr;
}

bool IsUiAction(std::string_view name) {
  const ButtonAction* action = FindButtonAction(name);
  return action != nullptr && action->ui;
}

bool IsSystemAction(std::string_view name) { return name.starts_with("System"); }
