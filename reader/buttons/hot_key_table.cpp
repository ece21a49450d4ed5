#include "reader/buttons/hot_key_table.h"

namespace {

std::array<ButtonHotKey, kButtonCount> MakeHotKeys() {
  std::array<ButtonHotKey, kButtonCount> table{};
  for (UINT id = 1; id <= 5; ++id) table[id] = {id, MOD_WIN, VK_APP1 - 1 + id};
  table[kButtonUp] = {kButtonUp, 0, VK_UP};
  table[kButtonDown] = {kButtonDown, 0, VK_DOWN};
  table[kButtonLeft] = {kButtonLeft, 0, VK_LEFT};
  table[kButtonRight] = {kButtonRight, 0, VK_RIGHT};
  table[kButtonAction] = {kButtonAction, 0, VK_RETURN};
  for (UINT id = 11; id <= kLastButtonId; ++id) table[id] = {id, MOD_WIN, VK_APP1 + 5 + (id - 11)};
  return table;
}

}  // namespace

const std::array<ButtonHotKey, kButtonCount>& ButtonHotKeys() {
  static const std::array<ButtonHotKey, kButtonCount> table = MakeHotKeys();
  return table;
}
