// The reader's actions a hardware button can run, in the order of the
// buttons page's list, and the buttons themselves.
#pragma once

#include <array>
#include <string_view>

#include "platform/window/window_types.h"

constexpr size_t kButtonActionCount = 25;
// "None" first: it stands for a button without an action.
extern const std::array<std::u16string_view, kButtonActionCount> kButtonActionNames;

// Hot-key ids 1..20 are the buttons; id 0 is never bound.
constexpr int kFirstButtonId = 1;
constexpr int kLastButtonId = 20;

struct HardwareButton {
  int id;
  UINT modifiers;
  UINT virtualKey;
};
// The button with the given hot-key id (1..20).
HardwareButton HardwareButtonOf(int id);
