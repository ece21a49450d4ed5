#include "platform/window/clipboard.h"

#include "foundation/code_pages.h"
#include "platform/window/window_backend.h"

#include <mutex>
#include <optional>

namespace {

std::mutex g_lock;
bool g_open = false;
HWND g_owner = nullptr;
// 8-bit text this process put, and the UTF-16 text it gave the back end for
// it: the 8-bit form stays valid while the clipboard still holds that text.
std::optional<std::string> g_narrow;
std::u16string g_narrow_as_wide;

bool ReadWide(std::u16string* text) {
  WindowBackend* backend = CurrentWindowBackend();
  return backend && backend->ReadClipboardText(text);
}

bool NarrowValid() {
  if (!g_narrow) return false;
  std::u16string now;
  return ReadWide(&now) && now == g_narrow_as_wide;
}

}  // namespace

BOOL OpenClipboard(HWND owner) {
  std::lock_guard<std::mutex> guard(g_lock);
  if (g_open && g_owner != owner) return FALSE;
  g_open = true;
  g_owner = owner;
  return TRUE;
}

BOOL CloseClipboard() {
  std::lock_guard<std::mutex> guard(g_lock);
  if (!g_open) return FALSE;
  g_open = false;
  g_owner = nullptr;
  return TRUE;
}

BOOL EmptyClipboard() {
  std::lock_guard<std::mutex> guard(g_lock);
  if (!g_open) return FALSE;
  g_narrow.reset();
  g_narrow_as_wide.clear();
  if (WindowBackend* backend = CurrentWindowBackend()) backend->WriteClipboardText(u"");
  return TRUE;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  std::lock_guard<std::mutex> guard(g_lock);
  if (format == CF_TEXT) return NarrowValid() ? TRUE : FALSE;
  if (format == CF_UNICODETEXT) {
    std::u16string text;
    return ReadWide(&text) && !text.empty() ? TRUE : FALSE;
  }
  return FALSE;
}

bool GetClipboardText(std::string* text) {
  std::lock_guard<std::mutex> guard(g_lock);
  if (!g_open || !NarrowValid()) return false;
  *text = *g_narrow;
  return true;
}

bool GetClipboardUnicodeText(std::u16string* text) {
  std::lock_guard<std::mutex> guard(g_lock);
  if (!g_open) return false;
  return ReadWide(text) && !text->empty();
}

bool SetClipboardText(const std::string& text) {
  std::lock_guard<std::mutex> guard(g_lock);
  WindowBackend* backend = CurrentWindowBackend();
  if (!g_open || !backend) return false;
  std::u16string wide;
  wide.reserve(text.size());
  for (unsigned char b : text) wide.push_back(static_cast<char16_t>(kWin1251Table[b]));
  if (!backend->WriteClipboardText(wide)) return false;
  g_narrow = text;
  g_narrow_as_wide = std::move(wide);
  return true;
}

bool SetClipboardUnicodeText(const std::u16string& text) {
  std::lock_guard<std::mutex> guard(g_lock);
  WindowBackend* backend = CurrentWindowBackend();
  if (!g_open || !backend) return false;
  g_narrow.reset();
  return backend->WriteClipboardText(text);
}
