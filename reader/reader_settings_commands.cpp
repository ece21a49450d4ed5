// The main window's Settings and stress-base commands.
#include "foundation/code_pages.h"
#include "reader/reader_dlg.h"
#include "reader/settings_sheet/settings_sheet.h"
#include "reader/settings_sheet/user_stress_base_dlg.h"

namespace {

constexpr DWORD kSettingsEngineCookie = 1;

}  // namespace

VoiceServices CReaderDlg::SheetVoiceServices() const {
  VoiceServices services = DefaultVoiceServices();
  if (environment_.engine.create) services.createEngine = environment_.engine.create;
  if (environment_.engine.listVoices) services.listVoices = environment_.engine.listVoices;
  return services;
}

MiscParams CReaderDlg::GetMiscParams() const { return ::GetMiscParams(settings); }

void CReaderDlg::SetMiscParams(const MiscParams& params) {
  const INT before = settings.codePage;
  ::SetMiscParams(params, settings);
  if (before != kCodePageAuto && settings.codePage == kCodePageAuto && !NoDocument())
    DetectCodePageMessage();
  else if (settings.codePage != kCodePageAuto)
    GlobalCodePageConverter().Select(settings.codePage, 1);
}

void CReaderDlg::OnSettings() {
  StopSpeech();
  const VoiceServices services = SheetVoiceServices();
  CSettingsSheet sheet(services, host_->Handle());
  sheet.Fill(settings);
  UnregisterSystemHotKeys();
  if (sheet.DoModal() != IDOK) {
    RegisterHotKeyGroups();
    return;
  }
  paneOnly_ = false;
  host_->Invalidate();
  host_->Update();
  host_->SetWaitCursor(true);

  const MiscParams params = sheet.MiscPage().params;
  ReaderSettings taken = settings;
  sheet.TakeBack(taken);
  settings.actions = taken.actions;
  settings.backColor = taken.backColor;
  settings.textColor = taken.textColor;
  settings.colorPreset = taken.colorPreset;
  settings.colorPresets = taken.colorPresets;
  SetMiscParams(params);
  ApplySpeechSettings(sheet.VoicePage(), services, host_->Handle(), kSettingsEngineCookie, settings,
                      engine_);
  SetTextFont(taken.textFont);
  RepaintPage();

  RegisterHotKeyGroups();
  host_->SetWaitCursor(false);
}

void CReaderDlg::OnUserStressBase() {
  StopSpeech();
  UnregisterSystemHotKeys();
  RunUserStressBaseSheet(engine_.Get());
  RegisterHotKeyGroups();
}
