// The main window's speech commands that are not the engine's own: stopping
// speech, the engine's notification and the user's own text.
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

void CReaderDlg::OnEngineNotify(WPARAM, LPARAM) { speech_.OnEngineNotify(); }

void CReaderDlg::StopSpeech() { speech_.StopSpeech(); }

