// The clipboard, opened by one window at a time; its text comes from the
// back end (the X11 clipboard under FLTK, a store in tests).
#pragma once

#include "platform/window/window_types.h"

#include <string>

// FALSE when another window has it open.
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
// CF_TEXT: 8-bit text was put (only programs of this process put it);
// CF_UNICODETEXT: any text is there.
BOOL IsClipboardFormatAvailable(UINT format);
// Read while open; false when the format is not there. CF_TEXT is
// Windows-1251 bytes.
bool GetClipboardText(std::string* text);
bool GetClipboardUnicodeText(std::u16string* text);
// Put while open (after EmptyClipboard).
bool SetClipboardText(const std::string& text);
bool SetClipboardUnicodeText(const std::u16string& text);
