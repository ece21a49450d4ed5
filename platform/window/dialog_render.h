// Draws a dialog's controls as laid out into a bitmap: the frames of tests
// and scripts (the headless back end has no screen of its own).
#pragma once

#include "platform/window/bitmap.h"
#include "platform/window/dialog_layout.h"

#include <string>

// Measures with the stock font, as the drawing does.
TextMeasure StockFontMeasure();

// A sample static (a control with its own font and colours) at w x h.
void RenderSample(const Control& sample, int w, int h, Bitmap* out);

// The band the dialog paints across its top (Dialog::PaintBand) at `width`.
void RenderBand(const Dialog& dialog, int width, Bitmap* out);
// The two lines of a splitter between two lists.
void DrawSplitter(Bitmap& out, const RECT& bar);

// The dialog at `width` (the height follows from its layout), with a title
// band carrying its caption.
void RenderDialog(const Dialog& dialog, int width, Bitmap* out);
// False when the file cannot be written.
bool SaveDialogPng(const Dialog& dialog, int width, const std::string& path);
