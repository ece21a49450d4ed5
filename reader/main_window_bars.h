// The main window's bars over the soft input panel. The toolbar, while shown
// and out of full screen, is the one bar of the layout: it sits above the
// menu bar band, or above the panel while that is on. The window takes what
// lies between the navigation band at the top and the bars; in full screen,
// the whole screen. On a desktop the window manager places the window and
// the back end lays out its own bars.
#pragma once

#include "platform/window/sip_layout.h"
#include "platform/window/window_host.h"

// The navigation bar's band at the top of a handheld's screen.
constexpr int kNavigationBand = 26;

// The layout of the host's bars as they stand now.
void LayOutBars(CSipLayout& layout, WindowHost& host);
// Where the window goes for that layout.
RECT MainWindowPlace(const CSipLayout& layout, bool fullScreen);
// A setting changed (flag: SPI_*): the bars take the change and the window
// is moved to its place.
void PlaceBarsAndWindow(WindowHost& host, UINT flag);
