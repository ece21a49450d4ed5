// What a message box of a given type shows: its buttons (labels and
// answers, the default one), the answer of Escape and the close box, and
// its icon. The FLTK back end draws it; tests read it.
#pragma once

#include "platform/message_box.h"

#include <string>
#include <vector>

enum class MessageBoxIcon { None, Stop, Question, Exclamation, Information };

struct MessageBoxButton {
  std::u16string label;
  int answer = IDOK;
};

struct MessageBoxModel {
  std::vector<MessageBoxButton> buttons;
  size_t default_button = 0;
  int escape_answer = 0;  // 0: Escape and the close box do nothing
  MessageBoxIcon icon = MessageBoxIcon::None;
};

MessageBoxModel MakeMessageBoxModel(UINT type);
