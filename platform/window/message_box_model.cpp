#include "platform/window/message_box_model.h"

MessageBoxModel MakeMessageBoxModel(UINT type) {
  MessageBoxModel m;
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      m.buttons = {{u"OK", IDOK}, {u"Cancel", IDCANCEL}};
      m.escape_answer = IDCANCEL;
      break;
    case MB_ABORTRETRYIGNORE:
      m.buttons = {{u"Abort", IDABORT}, {u"Retry", IDRETRY}, {u"Ignore", IDIGNORE}};
      break;
    case MB_YESNOCANCEL:
      m.buttons = {{u"Yes", IDYES}, {u"No", IDNO}, {u"Cancel", IDCANCEL}};
      m.escape_answer = IDCANCEL;
      break;
    case MB_YESNO:
      m.buttons = {{u"Yes", IDYES}, {u"No", IDNO}};
      break;
    case MB_RETRYCANCEL:
      m.buttons = {{u"Retry", IDRETRY}, {u"Cancel", IDCANCEL}};
      m.escape_answer = IDCANCEL;
      break;
    default:
      m.buttons = {{u"OK", IDOK}};
      m.escape_answer = IDOK;
      break;
  }
  const int answer = DefaultMessageBoxButton(type);
  for (size_t i = 0; i < m.buttons.size(); ++i)
    if (m.buttons[i].answer == answer) m.default_button = i;
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND: m.icon = MessageBoxIcon::Stop; break;
    case MB_ICONQUESTION: m.icon = MessageBoxIcon::Question; break;
    case MB_ICONEXCLAMATION: m.icon = MessageBoxIcon::Exclamation; break;
    case MB_ICONASTERISK: m.icon = MessageBoxIcon::Information; break;
    default: break;
  }
  return m;
}
