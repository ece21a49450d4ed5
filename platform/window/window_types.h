// Types, messages and key codes of the reader's window services, with the
// Windows names and values the reader's code is written against.
#pragma once

#include "platform/message_box.h"
#include "platform/types.h"

#include <cstdint>

using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using UINT_PTR = uintptr_t;
using COLORREF = DWORD;  // 0x00BBGGRR

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
  return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) |
         (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }

constexpr WORD LOWORD(uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) {
  return static_cast<WPARAM>(lo) | (static_cast<WPARAM>(hi) << 16);
}
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) {
  return static_cast<LPARAM>(static_cast<uint32_t>(lo) | (static_cast<uint32_t>(hi) << 16));
}

struct POINT {
  LONG x = 0;
  LONG y = 0;
};

struct SIZE {
  LONG cx = 0;
  LONG cy = 0;
};

struct RECT {
  LONG left = 0;
  LONG top = 0;
  LONG right = 0;
  LONG bottom = 0;

  LONG Width() const { return right - left; }
  LONG Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  // Right and bottom edges are outside, as on Windows.
  bool Contains(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  bool operator==(const RECT&) const = default;
};

struct SYSTEMTIME {
  WORD wYear = 0;
  WORD wMonth = 0;
  WORD wDayOfWeek = 0;
  WORD wDay = 0;
  WORD wHour = 0;
  WORD wMinute = 0;
  WORD wSecond = 0;
  WORD wMilliseconds = 0;
};

// A posted or sent message.
struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// Window messages.
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;          // lParam MAKELPARAM(client width, height)
constexpr UINT WM_ACTIVATE = 0x0006;      // LOWORD(wParam): WA_INACTIVE or WA_ACTIVE
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_ERASEBKGND = 0x0014;
constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT WM_SETTINGCHANGE = 0x001A;  // wParam the changed setting (SPI_*)
constexpr UINT WM_NOTIFY = 0x004E;         // wParam control id, lParam the NMHDR*
constexpr UINT WM_KEYDOWN = 0x0100;        // wParam virtual key
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;        // wParam MAKEWPARAM(id, notification code)
constexpr UINT WM_TIMER = 0x0113;          // wParam timer id
constexpr UINT WM_HSCROLL = 0x0114;        // sliders: LOWORD(wParam) TB_* code, HIWORD position, lParam control id
constexpr UINT WM_INITMENUPOPUP = 0x0117;  // wParam the MenuItem* being opened, lParam its index
constexpr UINT WM_CTLCOLORSTATIC = 0x0138;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;    // wParam MK_* flags, lParam MAKELPARAM(x, y) in client pixels
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_CUT = 0x0300;
constexpr UINT WM_COPY = 0x0301;
constexpr UINT WM_PASTE = 0x0302;
constexpr UINT WM_HOTKEY = 0x0312;         // wParam hot-key id, lParam MAKELPARAM(modifiers, virtual key)
constexpr UINT WM_USER = 0x0400;

constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WORD WA_INACTIVE = 0;
constexpr WORD WA_ACTIVE = 1;

// Control notification codes (HIWORD of WM_COMMAND's wParam).
constexpr WORD BN_CLICKED = 0;
constexpr WORD CBN_SELCHANGE = 1;
constexpr WORD CBN_DBLCLK = 2;
constexpr WORD CBN_EDITCHANGE = 5;
constexpr WORD LBN_SELCHANGE = 1;
constexpr WORD LBN_DBLCLK = 2;
constexpr WORD EN_CHANGE = 0x0300;
// WM_NOTIFY codes of list views.
constexpr int NM_CLICK = -2;
constexpr int NM_DBLCLK = -3;
constexpr int LVN_ITEMCHANGED = -101;
// Slider codes (LOWORD of WM_HSCROLL's wParam).
constexpr WORD TB_THUMBPOSITION = 4;
constexpr WORD TB_THUMBTRACK = 5;
constexpr WORD TB_ENDTRACK = 8;

struct NMHDR {
  HWND hwndFrom = nullptr;
  UINT_PTR idFrom = 0;
  int code = 0;
};

// Hot-key modifiers.
constexpr UINT MOD_ALT = 0x0001;
constexpr UINT MOD_CONTROL = 0x0002;
constexpr UINT MOD_SHIFT = 0x0004;
constexpr UINT MOD_WIN = 0x0008;
constexpr UINT MOD_KEYUP = 0x1000;

// Virtual keys (Windows values).
constexpr UINT VK_BACK = 0x08;
constexpr UINT VK_TAB = 0x09;
constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_SHIFT = 0x10;
constexpr UINT VK_CONTROL = 0x11;
constexpr UINT VK_MENU = 0x12;
constexpr UINT VK_ESCAPE = 0x1B;
constexpr UINT VK_SPACE = 0x20;
constexpr UINT VK_PRIOR = 0x21;
constexpr UINT VK_NEXT = 0x22;
constexpr UINT VK_END = 0x23;
constexpr UINT VK_HOME = 0x24;
constexpr UINT VK_LEFT = 0x25;
constexpr UINT VK_UP = 0x26;
constexpr UINT VK_RIGHT = 0x27;
constexpr UINT VK_DOWN = 0x28;
constexpr UINT VK_DELETE = 0x2E;
constexpr UINT VK_F1 = 0x70;
constexpr UINT VK_F12 = 0x7B;
constexpr UINT VK_VOLUME_MUTE = 0xAD;
constexpr UINT VK_VOLUME_DOWN = 0xAE;
constexpr UINT VK_VOLUME_UP = 0xAF;
constexpr UINT VK_MEDIA_NEXT_TRACK = 0xB0;
constexpr UINT VK_MEDIA_PREV_TRACK = 0xB1;
constexpr UINT VK_MEDIA_STOP = 0xB2;
constexpr UINT VK_MEDIA_PLAY_PAUSE = 0xB3;
// The handheld's application buttons: 0xC1 .. 0xCF, pressed with MOD_WIN.
constexpr UINT VK_APP1 = 0xC1;
constexpr UINT VK_APP15 = 0xCF;

// Clipboard formats.
constexpr UINT CF_TEXT = 1;          // 8-bit Windows-1251 text
constexpr UINT CF_UNICODETEXT = 13;  // UTF-16 text

// Background modes of a device context.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
// ExtTextOutW options.
constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;
// Raster operations.
constexpr DWORD SRCCOPY = 0x00CC0020;
// MaskBlt: the source where the mask is set, the destination elsewhere.
constexpr DWORD MASKBLT_SRC_OVER_DEST = 0xCCAA0000;

// Font weights and qualities.
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE DRAFT_QUALITY = 1;
constexpr BYTE PROOF_QUALITY = 2;
constexpr BYTE NONANTIALIASED_QUALITY = 3;
constexpr BYTE ANTIALIASED_QUALITY = 4;
constexpr BYTE CLEARTYPE_QUALITY = 5;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE RUSSIAN_CHARSET = 204;
constexpr BYTE FF_SWISS = 0x20;
constexpr int LF_FACESIZE = 32;

// A font's description. Negative heights are character heights in pixels,
// positive ones cell heights (ascent + descent). Escapement and orientation
// are kept but not drawn: the reader turns whole bitmaps instead.
struct LOGFONTW {
  LONG lfHeight = 0;
  LONG lfWidth = 0;
  LONG lfEscapement = 0;
  LONG lfOrientation = 0;
  LONG lfWeight = FW_NORMAL;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = DEFAULT_CHARSET;
  BYTE lfOutPrecision = 0;
  BYTE lfClipPrecision = 0;
  BYTE lfQuality = DEFAULT_QUALITY;
  BYTE lfPitchAndFamily = 0;
  WCHAR lfFaceName[LF_FACESIZE] = {};
};

struct TEXTMETRICW {
  LONG tmHeight = 0;   // ascent + descent
  LONG tmAscent = 0;
  LONG tmDescent = 0;
  LONG tmInternalLeading = 0;
  LONG tmExternalLeading = 0;
  LONG tmAveCharWidth = 0;
  LONG tmMaxCharWidth = 0;
  LONG tmWeight = 0;
  BYTE tmItalic = 0;
  BYTE tmUnderlined = 0;
};

// GetDeviceCaps indexes.
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;

// SystemParametersInfoW actions (idle time-outs in seconds into a DWORD).
constexpr UINT SPI_GETBATTERYIDLETIMEOUT = 252;
constexpr UINT SPI_GETEXTERNALIDLETIMEOUT = 254;
constexpr UINT SPI_GETWAKEUPIDLETIMEOUT = 256;
constexpr UINT SPI_SETSIPINFO = 224;

// Display power escapes.
constexpr int QUERYESCSUPPORT = 8;
constexpr int SETPOWERMANAGEMENT = 0x1803;
constexpr ULONG VideoPowerOn = 1;
constexpr ULONG VideoPowerOff = 4;
struct VIDEO_POWER_MANAGEMENT {
  ULONG Length = 12;
  ULONG DPMSVersion = 1;
  ULONG PowerState = VideoPowerOn;
};
static_assert(sizeof(VIDEO_POWER_MANAGEMENT) == 12);
