#include "reader/tests/xvfb/x_input.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dlfcn.h>

#include <vector>

XInput::XInput() {
  display_ = XOpenDisplay(nullptr);
  // Only the runtime library is installed, not its headers.
  library_ = dlopen("libXtst.so.6", RTLD_NOW);
  if (library_) {
    button_ = reinterpret_cast<FakeButton>(dlsym(library_, "XTestFakeButtonEvent"));
    motion_ = reinterpret_cast<FakeMotion>(dlsym(library_, "XTestFakeMotionEvent"));
    key_ = reinterpret_cast<FakeKey>(dlsym(library_, "XTestFakeKeyEvent"));
  }
}

XInput::~XInput() {
  if (own_window_) XDestroyWindow(display_, own_window_);
  if (display_) XCloseDisplay(display_);
  if (library_) dlclose(library_);
}

bool XInput::Ready() const { return display_ && button_ && motion_ && key_; }

void XInput::Click(POINT at) {
  motion_(display_, -1, at.x, at.y, CurrentTime);
  button_(display_, 1, True, CurrentTime);
  button_(display_, 1, False, CurrentTime);
  XSync(display_, False);
}

void XInput::Press(POINT at) {
  motion_(display_, -1, at.x, at.y, CurrentTime);
  button_(display_, 1, True, CurrentTime);
  XSync(display_, False);
}

void XInput::Release() {
  button_(display_, 1, False, CurrentTime);
  XSync(display_, False);
}

void XInput::Key(const std::string& name) {
  std::vector<KeyCode> codes;
  for (size_t from = 0, plus; from <= name.size(); from = plus + 1) {
    plus = name.find('+', from + 1);  // "plus" alone is a key too
    if (plus == std::string::npos) plus = name.size();
    codes.push_back(XKeysymToKeycode(display_, XStringToKeysym(name.substr(from, plus - from).c_str())));
  }
  for (KeyCode code : codes) key_(display_, code, True, CurrentTime);
  for (auto code = codes.rbegin(); code != codes.rend(); ++code) key_(display_, *code, False, CurrentTime);
  XSync(display_, False);
}

void XInput::Type(const std::string& text) {
  for (char c : text) Key(c == ' ' ? "space" : std::string(1, c));
}

bool XInput::CaptureScreen(Bitmap* picture) {
  const Window root = DefaultRootWindow(display_);
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display_, root, &attributes)) return false;
  XImage* image = XGetImage(display_, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  if (!image) return false;
  picture->Create(attributes.width, attributes.height);
  for (int y = 0; y < attributes.height; ++y)
    for (int x = 0; x < attributes.width; ++x) {
      const unsigned long pixel = XGetPixel(image, x, y);
      picture->SetPixel(x, y, RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
    }
  XDestroyImage(image);
  return true;
}

RECT XInput::TopWindow() {
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  RECT top{};
  if (!XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) return top;
  // Children come bottom first.
  for (unsigned i = count; i-- > 0;) {
    XWindowAttributes a{};
    if (XGetWindowAttributes(display_, children[i], &a) && a.map_state == IsViewable) {
      top = {a.x, a.y, a.x + a.width, a.y + a.height};
      break;
    }
  }
  if (children) XFree(children);
  return top;
}

void XInput::FocusOwnWindow() {
  if (!own_window_) {
    const int width = 120, height = 40;
    const Window root = DefaultRootWindow(display_);
    XWindowAttributes screen{};
    XGetWindowAttributes(display_, root, &screen);
    own_window_ = XCreateSimpleWindow(display_, root, screen.width - width, screen.height - height, width,
                                      height, 0, 0, 0);
    XSelectInput(display_, own_window_, StructureNotifyMask);
    XMapRaised(display_, own_window_);
    XEvent event;
    do XNextEvent(display_, &event);
    while (event.type != MapNotify);
  }
  XSetInputFocus(display_, own_window_, RevertToPointerRoot, CurrentTime);
  XSync(display_, False);
}

void XInput::FocusWindowAt(POINT at) {
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) return;
  for (unsigned i = count; i-- > 0;) {
    XWindowAttributes a{};
    if (XGetWindowAttributes(display_, children[i], &a) && a.map_state == IsViewable && at.x >= a.x &&
        at.y >= a.y && at.x < a.x + a.width && at.y < a.y + a.height) {
      XSetInputFocus(display_, children[i], RevertToPointerRoot, CurrentTime);
      break;
    }
  }
  if (children) XFree(children);
  XSync(display_, False);
}

void XInput::FocusFollowsPointer() {
  XSetInputFocus(display_, PointerRoot, RevertToPointerRoot, CurrentTime);
  XSync(display_, False);
}

void XInput::FocusRootWindow() {
  XSetInputFocus(display_, DefaultRootWindow(display_), RevertToPointerRoot, CurrentTime);
  XSync(display_, False);
}
