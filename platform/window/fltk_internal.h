// Inside the FLTK back end: shared between the main window and the dialogs.
#pragma once

#include "platform/window/dialog.h"
#include "platform/window/window_types.h"

#include <memory>
#include <string>
#include <vector>

class Fl_Window;
class Fl_RGB_Image;
struct Icon;

namespace fltk_backend {

// Dispatches what was posted to every window of the back end (main windows
// and open dialogs), as a modal loop does for all windows of its thread.
void PumpAll();
// Sends the message to every main window (not to the dialogs).
void SendToMainWindows(UINT message, WPARAM wParam, LPARAM lParam);
// Windows that PumpAll serves.
void AddPumpedWindow(HWND window);
void RemovePumpedWindow(HWND window);
// Wakes the loop from any thread.
void WakeLoop();

std::string ToUtf8(const std::u16string& text);
std::u16string FromUtf8(const char* text);

// Drawing and X11 calls, kept apart because X11's names clash with ours.
bool CanOpenDisplay();
// Handles the events the display has sent so far (after a round trip).
void TakeDisplayEvents();
// The icon as a picture with clear pixels, `indent` clear columns before it;
// the image owns its bytes.
std::unique_ptr<Fl_RGB_Image> MakeIconImage(const Icon& icon, int indent = 0);
// Shows the bitmap's top-left w x h pixels at (x, y) of the current window
// (black while the display is off).
void DrawScreen(const class Bitmap& bitmap, int x, int y, int w, int h, bool display_on);
// Reads back pixels of the current window.
bool ReadScreen(int x, int y, int w, int h, class Bitmap* pixels);
int LabelWidth(const char* text, int size = 14);
// The size of a text wrapped at `max_width` in the label font.
void MeasureWrapped(const char* text, int max_width, int* width, int* height);

// Windows of their own (message boxes) that tests may look at while open:
// pushed when shown, popped when closed; the loop runs the tests' action.
void PushOpenWindow(Fl_Window* window);
void PopOpenWindow();
void RunPendingAction(Fl_Window& window);
// Puts the open dialogs and boxes back on top, the active one last.
void RaiseOpenWindows();

// The FLTK keys that stand for a virtual key with modifiers (MapFltkKey
// the other way round).
std::vector<int> FltkKeysFor(UINT vk, UINT modifiers);
// A key pressed while another program has the keyboard: a hot key's owner
// gets it as WM_HOTKEY; any other key is dropped.
void PressFltkKey(int fltk_key);
// Takes hot keys from the whole desktop (X key grabs on the root window)
// while the back end lives.
void InstallDesktopKeys();
void RemoveDesktopKeys();

// Called with every button release before it is handled: the release that
// ends a long press in an edit field leaves the edit menu open.
void ReleaseEndsHold();

int RunFltkDialog(Dialog& dialog);
int RunFltkSheet(PropertySheet& sheet);

}  // namespace fltk_backend
