// Hot keys of the whole desktop on X: a passive grab of the key on the root
// window, with Caps Lock and Num Lock in each state, so that the key reaches
// this program while another one has the keyboard. With owner_events the
// key still goes its usual way when a window of ours has the focus. Kept
// apart from the back end for X11's clashing names.
#include "platform/window/fltk_internal.h"
#include "platform/window/hot_keys.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/keysym.h>

#include <algorithm>
#include <vector>

namespace fltk_backend {

namespace {

DesktopKeyGrabber g_previous;
bool g_refused = false;

// FLTK keys are X keysyms, except the media keys, which FLTK folds from
// the XF86 keysyms 0x1008FFxx to 0xEFxx.
KeySym KeysymOf(int fltk_key) {
  if ((fltk_key & 0xff00) == 0xef00) return 0x1008ff00 | static_cast<KeySym>(fltk_key & 0xff);
  return static_cast<KeySym>(fltk_key);
}

int FltkKeyOf(KeySym sym) {
  if ((sym & ~static_cast<KeySym>(0xff)) == 0x1008ff00) return 0xef00 | static_cast<int>(sym & 0xff);
  return static_cast<int>(sym);
}

Window Root() { return RootWindow(fl_display, fl_screen); }

unsigned NumLockMask() {
  const KeyCode num_lock = XKeysymToKeycode(fl_display, XK_Num_Lock);
  if (num_lock == 0) return 0;
  XModifierKeymap* map = XGetModifierMapping(fl_display);
  unsigned mask = 0;
  for (int modifier = 0; modifier < 8; ++modifier)
    for (int i = 0; i < map->max_keypermod; ++i)
      if (map->modifiermap[modifier * map->max_keypermod + i] == num_lock) mask = 1u << modifier;
  XFreeModifiermap(map);
  return mask;
}

// The same key whatever the state of Caps Lock and Num Lock.
std::vector<unsigned> LockStates() {
  const unsigned num_lock = NumLockMask();
  std::vector<unsigned> states{0, LockMask};
  if (num_lock != 0 && num_lock != LockMask) {
    states.push_back(num_lock);
    states.push_back(num_lock | LockMask);
  }
  return states;
}

std::vector<KeyCode> KeyCodesOf(UINT modifiers, UINT virtual_key) {
  std::vector<KeyCode> codes;
  for (int key : FltkKeysFor(virtual_key, modifiers)) {
    const KeyCode code = XKeysymToKeycode(fl_display, KeysymOf(key));
    if (code != 0 && std::find(codes.begin(), codes.end(), code) == codes.end()) codes.push_back(code);
  }
  return codes;
}

// A key another client holds already answers BadAccess.
int NoteRefusal(Display*, XErrorEvent*) {
  g_refused = true;
  return 0;
}

void Release(const std::vector<KeyCode>& codes) {
  const std::vector<unsigned> states = LockStates();
  for (KeyCode code : codes)
    for (unsigned state : states) XUngrabKey(fl_display, code, state, Root());
}

bool Take(UINT modifiers, UINT virtual_key) {
  fl_open_display();
  const std::vector<KeyCode> codes = KeyCodesOf(modifiers, virtual_key);
  if (codes.empty()) return false;
  XSync(fl_display, False);  // earlier errors are not the grab's
  g_refused = false;
  const auto previous = XSetErrorHandler(NoteRefusal);
  const std::vector<unsigned> states = LockStates();
  for (KeyCode code : codes)
    for (unsigned state : states)
      XGrabKey(fl_display, code, state, Root(), True, GrabModeAsync, GrabModeAsync);
  XSync(fl_display, False);
  if (g_refused) {
    Release(codes);
    XSync(fl_display, False);
  }
  XSetErrorHandler(previous);
  return !g_refused;
}

void GiveBack(UINT modifiers, UINT virtual_key) {
  if (fl_display == nullptr) return;
  Release(KeyCodesOf(modifiers, virtual_key));
  XFlush(fl_display);
}

// A grab taking the keyboard for a moment (a grabbed key pressed while our
// window has the focus) moves the focus away and back with these modes; the
// window never really lost it, so leaving full screen and releasing its
// keys would be wrong. Grabs of FLTK's own (menus) keep their events, and
// so does a real change of the focus.
bool g_hiding_grab = false;

bool HideGrabFocus(const XFocusChangeEvent& focus) {
  if (focus.mode != NotifyGrab && focus.mode != NotifyUngrab) {
    g_hiding_grab = false;
    return false;
  }
  if (!g_hiding_grab) {
    if (focus.type != FocusOut || focus.mode != NotifyGrab || Fl::grab() != nullptr) return false;
    g_hiding_grab = true;
    return true;
  }
  if (focus.type == FocusIn && focus.mode == NotifyUngrab) g_hiding_grab = false;
  return true;
}

// Keys grabbed on the root window arrive there while another program has
// the keyboard; FLTK knows no window for them.
int OnXEvent(void* event, void*) {
  auto* x = static_cast<XEvent*>(event);
  if (x->type == FocusIn || x->type == FocusOut) return HideGrabFocus(x->xfocus) ? 1 : 0;
  if ((x->type != KeyPress && x->type != KeyRelease) || x->xkey.window != Root()) return 0;
  if (x->type == KeyPress) PressFltkKey(FltkKeyOf(XLookupKeysym(&x->xkey, 0)));
  return 1;
}

}  // namespace

void InstallDesktopKeys() {
  g_previous = SetDesktopKeyGrabber({Take, GiveBack});
  Fl::add_system_handler(OnXEvent, nullptr);
}

void RemoveDesktopKeys() {
  Fl::remove_system_handler(OnXEvent);
  SetDesktopKeyGrabber(g_previous);
}

}  // namespace fltk_backend
