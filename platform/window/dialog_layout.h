// Where each control of a dialog goes: one layout for both back ends, so the
// real window and the test frames show the same dialog. Controls flow top to
// bottom in declaration order; a label ending in ':' shares its row with the
// one-line control after it, a slider's value text sits at the slider's
// right, a list with a split width stands beside the next control with a
// splitter between them, other buttons share rows, and IDOK/IDCANCEL end the dialog in a
// right-aligned row. Lists shrink when the dialog would not fit its height.
#pragma once

#include "platform/window/dialog.h"

#include <functional>
#include <string_view>
#include <vector>

// Width in pixels of a text in the back end's control font.
using TextMeasure = std::function<int(std::u16string_view)>;

// Between two lists side by side: the bar the user drags, with its lines.
struct SplitterPlace {
  int control = 0;  // index of the list on its left
  RECT bar{};
  int min_split = 0;  // the narrowest and widest the left list may be
  int max_split = 0;
};
constexpr int kSplitterWidth = 8;
constexpr int kSplitterLineGap = 6;  // between its two lines

struct DialogLayout {
  std::vector<RECT> controls;  // one per control, in declaration order
  std::vector<SplitterPlace> splitters;
  RECT implicit_ok{};          // the OK button a dialog without IDOK and IDCANCEL gets (when asked)
  int width = 0;               // client size
  int height = 0;
};

constexpr int kDialogMargin = 10;
constexpr int kDialogGap = 6;

// `width` is the client width; `max_height` the most the client may take.
// The dialog's band, if any, is above the controls.
DialogLayout LayoutDialog(const Dialog& dialog, int width, int max_height, bool with_ok,
                          const TextMeasure& measure);

// The client size a dialog gets on a screen: at most 440 wide, a margin of
// 20 pixels from the screen's edges (title bar included).
SIZE DialogSizeLimit(SIZE screen);
