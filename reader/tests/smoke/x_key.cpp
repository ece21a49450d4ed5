// Presses and releases one key in the window of a given title on the X
// display, as a user would: the window gets the input focus and the key
// goes through the XTest extension (a sent event when it is missing).
// With --own-window the key goes to a small window of x_key's own: another
// program in front.
//   x_key <window title | --own-window> <key name, e.g. Right>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace {

Window FindWindow(Display* display, Window window, const char* title) {
  char* name = nullptr;
  if (XFetchName(display, window, &name) && name != nullptr) {
    const bool match = std::strcmp(name, title) == 0;
    XFree(name);
    if (match) return window;
  }
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, window, &root, &parent, &children, &count)) return 0;
  Window found = 0;
  for (unsigned i = 0; i < count && found == 0; ++i) found = FindWindow(display, children[i], title);
  if (children != nullptr) XFree(children);
  return found;
}

// Mapped and shown before it takes the focus.
Window OwnWindow(Display* display) {
  const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 120, 40, 0, 0, 0);
  XStoreName(display, window, "x_key");
  XSelectInput(display, window, StructureNotifyMask);
  XMapRaised(display, window);
  XEvent event;
  do XNextEvent(display, &event);
  while (event.type != MapNotify);
  return window;
}

using FakeKey = int (*)(Display*, unsigned, Bool, unsigned long);

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: x_key <window title | --own-window> <key name>\n", stderr);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fputs("x_key: cannot open the display\n", stderr);
    return 2;
  }
  const bool own = std::strcmp(argv[1], "--own-window") == 0;
  const Window window = own ? OwnWindow(display) : FindWindow(display, DefaultRootWindow(display), argv[1]);
  const KeySym sym = XStringToKeysym(argv[2]);
  if (window == 0 || sym == NoSymbol) {
    std::fprintf(stderr, "x_key: no window \"%s\" or no key \"%s\"\n", argv[1], argv[2]);
    return 1;
  }
  const KeyCode code = XKeysymToKeycode(display, sym);
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  XSync(display, False);
  void* xtst = dlopen("libXtst.so.6", RTLD_NOW);
  auto fake = xtst ? reinterpret_cast<FakeKey>(dlsym(xtst, "XTestFakeKeyEvent")) : nullptr;
  if (fake != nullptr) {
    fake(display, code, True, CurrentTime);
    fake(display, code, False, CurrentTime);
  } else {
    XKeyEvent key{};
    key.display = display;
    key.window = window;
    key.root = DefaultRootWindow(display);
    key.keycode = code;
    key.same_screen = True;
    for (int type : {KeyPress, KeyRelease}) {
      key.type = type;
      XSendEvent(display, window, True, type == KeyPress ? KeyPressMask : KeyReleaseMask,
                 reinterpret_cast<XEvent*>(&key));
    }
  }
  XSync(display, False);
  XCloseDisplay(display);
  return 0;
}
