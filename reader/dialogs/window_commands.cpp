// The main window's command that speaks a text the user types.
#include "reader/dialogs/user_text_dlg.h"
#include "reader/reader_dlg.h"

void CReaderDlg::OnSpeakUserText() {
  if (!engine_) return;
  StopSpeech();
  CUserTextDlg dialog;
  UnregisterSystemHotKeys();
  if (dialog.DoModal() == IDOK) speech_.SpeakUserText(dialog.text);
  RegisterHotKeyGroups();
}
