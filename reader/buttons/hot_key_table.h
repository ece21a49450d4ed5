// The hot-key table: which key each button id stands for.
#pragma once

#include <array>

#include "platform/window/window_types.h"

struct ButtonHotKey {
  UINT id;
  UINT modifiers;
  UINT virtualKey;
};

// Ids 0..20; id 0 is never bound.
constexpr size_t kButtonCount = 21;
constexpr UINT kFirstButtonId = 1;
constexpr UINT kLastButtonId = 20;

constexpr UINT kButtonUp = 6;
constexpr UINT kButtonDown = 7;
constexpr UINT kButtonLeft = 8;
constexpr UINT kButtonRight = 9;
constexpr UINT kButtonAction = 10;

// Ids 1-5 and 11-20 are the application buttons with the Windows modifier,
// 6-9 the direction pad, 10 its action button.
const std::array<ButtonHotKey, kButtonCount>& ButtonHotKeys();
