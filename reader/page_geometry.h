// Where things go on the screen: the frame the page is composed in, the
// text area, line step, the progress bar's screen rectangle, the position
// of a tap along the bar, and the turn of the composed frame to the screen.
#pragma once

#include "platform/window/bitmap.h"
#include "platform/window/window_types.h"

// Margin of the text area on every side.
constexpr LONG kTextMargin = 3;

// The client rectangle, with width and height exchanged for orientations
// 1 and 3.
RECT FrameRect(const RECT& client, INT orientation);
// The frame less the margins and, when the pane is shown, the pane's height.
RECT TextArea(const RECT& client, INT orientation, bool paneShown, LONG paneHeight);
// Character height plus a quarter of it.
INT LineStep(INT fontHeight);
// Lines that fit the text height (0 when the step is not positive).
INT LinesPerPageFor(INT textHeight, INT lineStep);

// The bar's screen rectangle for a pane band of height paneHeight whose
// free part ends at barRight, in a frame of width x height.
RECT ProgressBarScreenRect(INT orientation, LONG frameWidth, LONG frameHeight, LONG paneHeight,
                           LONG barRight);
// Percent of the bar before the tap point, clamped to 0..100; the bar
// starts at the page's left edge wherever the turn put it.
double TapPercentAlongBar(const RECT& bar, INT orientation, POINT tap);

// The composed frame turned onto the screen: 1 turns it a quarter
// counter-clockwise (page top at the screen's left), 2 a half turn, 3 a
// quarter clockwise (page top at the screen's right); 0 copies. A screen
// bitmap already of the turned size keeps its storage.
void TurnFrame(const Bitmap& frame, INT orientation, Bitmap& screen);

// Double taps: a tap less than 500 ms after the previous one (in another
// tick) is a double tap; the remembered time is then set 500 ms back so a
// third tap does not count again.
class TapTimer {
 public:
  explicit TapTimer(DWORD now = 0) : last_(now) {}
  void Reset(DWORD now) { last_ = now; }
  bool IsDoubleTap(DWORD now);

 private:
  DWORD last_;
};
