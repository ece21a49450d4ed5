// Message boxes. Without a window the text and caption go to standard error
// and the box answers its default button; a program with a window installs
// its own handler; tests capture the boxes.
#pragma once

#include "platform/types.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct HWND__;
using HWND = HWND__*;

// Buttons.
constexpr UINT MB_OK = 0x00000000u;
constexpr UINT MB_OKCANCEL = 0x00000001u;
constexpr UINT MB_ABORTRETRYIGNORE = 0x00000002u;
constexpr UINT MB_YESNOCANCEL = 0x00000003u;
constexpr UINT MB_YESNO = 0x00000004u;
constexpr UINT MB_RETRYCANCEL = 0x00000005u;
constexpr UINT MB_TYPEMASK = 0x0000000Fu;
// Icons.
constexpr UINT MB_ICONHAND = 0x00000010u;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x00000020u;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030u;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x00000040u;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONMASK = 0x000000F0u;
// Default button.
constexpr UINT MB_DEFBUTTON1 = 0x00000000u;
constexpr UINT MB_DEFBUTTON2 = 0x00000100u;
constexpr UINT MB_DEFBUTTON3 = 0x00000200u;
constexpr UINT MB_DEFMASK = 0x00000F00u;
// Modality and placement (recorded, otherwise without effect here).
constexpr UINT MB_APPLMODAL = 0x00000000u;
constexpr UINT MB_SYSTEMMODAL = 0x00001000u;
constexpr UINT MB_TASKMODAL = 0x00002000u;
constexpr UINT MB_SETFOREGROUND = 0x00010000u;
constexpr UINT MB_TOPMOST = 0x00040000u;

// Answers.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

extern "C" {
// A null caption shows the default caption (below).
PLATFORM_API int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
// The same with 8-bit Windows-1251 text and caption.
PLATFORM_API int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
}

// The caption of boxes asked without one: "Error" (as on Windows) until a
// program names itself here, as its framework would with its own name.
PLATFORM_API void SetDefaultMessageBoxCaption(const std::u16string& caption);

// The button a box of this type answers when nobody is asked (MB_DEFBUTTON*
// of its buttons; the first button when the default names none).
PLATFORM_API int DefaultMessageBoxButton(UINT type);

// A box as one line of a terminal (UTF-8, no line feed): "caption: text",
// or the text alone when it begins with its caption ("Warning: ...").
PLATFORM_API std::string MessageBoxLine(const std::u16string& text, const std::u16string& caption);

// Shows one box and returns the answer. Called on the thread that asked for
// the box; must not call MessageBoxW itself.
using MessageBoxHandler =
    std::function<int(HWND owner, const std::u16string& text, const std::u16string& caption,
                      UINT type)>;

// Installs the process-wide handler (an empty one restores the standard
// error handler) and returns the previous one.
PLATFORM_API MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// For tests: while it lives, every box of the process is recorded and
// answered with the chosen button (0: the box's default button).
class PLATFORM_API MessageBoxCapture {
 public:
  struct Box {
    HWND owner;
    std::u16string text;
    std::u16string caption;
    UINT type;
  };

  explicit MessageBoxCapture(int answer = 0);
  ~MessageBoxCapture();
  MessageBoxCapture(const MessageBoxCapture&) = delete;
  MessageBoxCapture& operator=(const MessageBoxCapture&) = delete;

  void SetAnswer(int answer);
  std::vector<Box> Boxes() const;
  // The boxes' texts, in order.
  std::vector<std::u16string> Texts() const;
  size_t Count() const;
  void Clear();

 private:
  struct State;
  // Shared with the installed handler, so a box still being shown on
  // another thread when the capture ends touches no freed memory.
  std::shared_ptr<State> state_;
  MessageBoxHandler previous_;
};
