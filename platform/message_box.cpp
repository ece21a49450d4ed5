#include "platform/message_box.h"

#include "platform/cp1251.h"
#include "platform/unicode.h"

#include <cstdio>
#include <mutex>

namespace {

struct HandlerSlot {
  std::mutex lock;
  MessageBoxHandler handler;
  std::u16string default_caption = u"Error";
};

HandlerSlot& Slot() {
  static HandlerSlot* slot = new HandlerSlot;  // usable from static destructors too
  return *slot;
}

int ShowOnStandardError(HWND, const std::u16string& text, const std::u16string& caption,
                        UINT type) {
  std::string line = MessageBoxLine(text, caption) + '\n';
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
  return DefaultMessageBoxButton(type);
}

std::u16string FromWide(LPCWSTR s) { return s ? std::u16string(s) : std::u16string(); }

std::u16string From1251(LPCSTR s) {
  return s ? platform::Cp1251ToUtf16(s) : std::u16string();
}

}  // namespace

std::string MessageBoxLine(const std::u16string& text, const std::u16string& caption) {
  if (!caption.empty() && text.starts_with(caption + u":")) return Utf16ToUtf8(text);
  return Utf16ToUtf8(caption) + ": " + Utf16ToUtf8(text);
}

int DefaultMessageBoxButton(UINT type) {
  static constexpr int kButtons[6][3] = {
      {IDOK, IDOK, IDOK},
      {IDOK, IDCANCEL, IDCANCEL},
      {IDABORT, IDRETRY, IDIGNORE},
      {IDYES, IDNO, IDCANCEL},
      {IDYES, IDNO, IDNO},
      {IDRETRY, IDCANCEL, IDCANCEL},
  };
  UINT buttons = type & MB_TYPEMASK;
  if (buttons >= 6) return IDOK;
  UINT def = (type & MB_DEFMASK) >> 8;
  if (def >= 3) def = 0;
  return kButtons[buttons][def];
}

void SetDefaultMessageBoxCaption(const std::u16string& caption) {
  HandlerSlot& slot = Slot();
  std::lock_guard<std::mutex> guard(slot.lock);
  slot.default_caption = caption.empty() ? std::u16string(u"Error") : caption;
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  HandlerSlot& slot = Slot();
  std::lock_guard<std::mutex> guard(slot.lock);
  MessageBoxHandler previous = std::move(slot.handler);
  slot.handler = std::move(handler);
  return previous;
}

extern "C" int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  MessageBoxHandler handler;
  std::u16string c;
  {
    HandlerSlot& slot = Slot();
    std::lock_guard<std::mutex> guard(slot.lock);
    handler = slot.handler;
    c = caption ? std::u16string(caption) : slot.default_caption;
  }
  std::u16string t = FromWide(text);
  return handler ? handler(owner, t, c, type) : ShowOnStandardError(owner, t, c, type);
}

extern "C" int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  std::u16string t = From1251(text);
  if (caption == nullptr) return MessageBoxW(owner, t.c_str(), nullptr, type);
  std::u16string c = From1251(caption);
  return MessageBoxW(owner, t.c_str(), c.c_str(), type);
}

struct MessageBoxCapture::State {
  std::mutex lock;
  int answer;
  std::vector<Box> boxes;
};

MessageBoxCapture::MessageBoxCapture(int answer) : state_(std::make_shared<State>()) {
  state_->answer = answer;
  previous_ = SetMessageBoxHandler(
      [state = state_](HWND owner, const std::u16string& text, const std::u16string& caption,
                       UINT type) {
        std::lock_guard<std::mutex> guard(state->lock);
        state->boxes.push_back(Box{owner, text, caption, type});
        return state->answer != 0 ? state->answer : DefaultMessageBoxButton(type);
      });
}

MessageBoxCapture::~MessageBoxCapture() { SetMessageBoxHandler(std::move(previous_)); }

void MessageBoxCapture::SetAnswer(int answer) {
  std::lock_guard<std::mutex> guard(state_->lock);
  state_->answer = answer;
}

std::vector<MessageBoxCapture::Box> MessageBoxCapture::Boxes() const {
  std::lock_guard<std::mutex> guard(state_->lock);
  return state_->boxes;
}

std::vector<std::u16string> MessageBoxCapture::Texts() const {
  std::vector<std::u16string> texts;
  for (const Box& box : Boxes()) texts.push_back(box.text);
  return texts;
}

size_t MessageBoxCapture::Count() const {
  std::lock_guard<std::mutex> guard(state_->lock);
  return state_->boxes.size();
}

void MessageBoxCapture::Clear() {
  std::lock_guard<std::mutex> guard(state_->lock);
  state_->boxes.clear();
}
