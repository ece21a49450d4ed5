#include "reader/settings_sheet/voice_page.h"

#include "foundation/code_pages.h"
#include "foundation/string_utils.h"
#include "platform/wait_cursor.h"

namespace {

const int kVoiceControls[] = {CVoicePage::IDC_VOICE,     CVoicePage::IDC_RATE,
                              CVoicePage::IDC_PITCH,     CVoicePage::IDC_VOLUME,
                              CVoicePage::IDC_TEST_TEXT, CVoicePage::IDC_TEST};

}  // namespace

CVoicePage::CVoicePage(VoiceServices services)
    : PropertyPage(IDD, u"Голос"), services_(std::move(services)) {
  AddControl(-1, ControlKind::Static, u"Голос:");
  AddControl(IDC_VOICE, ControlKind::ComboBox);
  AddControl(-1, ControlKind::Static, u"Скорость:");
  AddControl(IDC_RATE, ControlKind::Slider);
  AddControl(IDC_RATE_VALUE, ControlKind::Static);
  AddControl(-1, ControlKind::Static, u"Тон:");
  AddControl(IDC_PITCH, ControlKind::Slider);
  AddControl(IDC_PITCH_VALUE, ControlKind::Static);
  AddControl(-1, ControlKind::Static, u"Громкость:");
  AddControl(IDC_VOLUME, ControlKind::Slider);
  AddControl(IDC_VOLUME_VALUE, ControlKind::Static);
  AddControl(IDC_TEST_TEXT, ControlKind::Edit);
  AddControl(IDC_TEST, ControlKind::Button, u"Тест");
  AddControl(IDC_ENABLE, ControlKind::CheckBox, u"Включить систему озвучивания");

  OnWindowMessage(WM_HSCROLL, [this](WPARAM, LPARAM) -> LRESULT {
    OnSlider();
    return 0;
  });
  OnCommandMessage(IDC_VOICE, CBN_SELCHANGE, [this] { OnVoice(); });
  OnCommandMessage(IDC_ENABLE, BN_CLICKED, [this] { OnEnable(); });
  OnCommandMessage(IDC_TEST, BN_CLICKED, [this] { OnTest(); });
}

CVoicePage::~CVoicePage() = default;

BOOL CVoicePage::OnInitDialog() {
  PropertyPage::OnInitDialog();
  GetDlgItem(IDC_RATE)->SetRange(-10, 10);
  GetDlgItem(IDC_PITCH)->SetRange(-10, 10);
  GetDlgItem(IDC_VOLUME)->SetRange(0, 10);
  GetDlgItem(IDC_RATE)->SetPos(rate);
  GetDlgItem(IDC_PITCH)->SetPos(pitch);
  GetDlgItem(IDC_VOLUME)->SetPos(volume);
  WriteValues();

  Control& voices = *GetDlgItem(IDC_VOICE);
  voices.ResetContent();
  int found = -1;
  if (services_.listVoices) {
    for (const std::string& name : services_.listVoices()) {
      const int index = voices.AddString(NarrowToWide(name));
      if (found < 0 && name == voice) found = index;
    }
  }
  if (found >= 0) {
    voices.SetCurSel(found);
  } else {
    useSpeech = false;
    if (voices.GetCount() > 0) {
      voices.SetCurSel(0);
      voice = WideToNarrow(voices.GetItemText(0));
    }
  }
  CheckDlgButton(IDC_ENABLE, useSpeech);
  EnableControls(useSpeech);
  ShowTestText();
  return TRUE;
}

void CVoicePage::EnableControls(bool on) {
  for (int id : kVoiceControls) EnableDlgItem(id, on);
}

void CVoicePage::WriteValues() {
  SetDlgItemTextW(IDC_RATE_VALUE, NarrowToWide(IntToString(GetDlgItem(IDC_RATE)->GetPos())));
  SetDlgItemTextW(IDC_PITCH_VALUE, NarrowToWide(IntToString(GetDlgItem(IDC_PITCH)->GetPos())));
  SetDlgItemTextW(IDC_VOLUME_VALUE, NarrowToWide(IntToString(GetDlgItem(IDC_VOLUME)->GetPos())));
}

void CVoicePage::ShowTestText() {
  if (GetDlgItem(IDC_VOICE)->GetCurSel() < 0 || !services_.voiceLang) return;
  const std::string lang = services_.voiceLang(voice);
  if (lang == "419" || lang == "419.1")
    SetDlgItemTextW(IDC_TEST_TEXT, u"Текст для предварительного прослушивания голоса.");
  else if (lang == "409")
    SetDlgItemTextW(IDC_TEST_TEXT, u"This text is provided for test purposes.");
}

void CVoicePage::OnSlider() {
  rate = static_cast<signed char>(GetDlgItem(IDC_RATE)->GetPos());
  pitch = static_cast<signed char>(GetDlgItem(IDC_PITCH)->GetPos());
  volume = static_cast<unsigned char>(GetDlgItem(IDC_VOLUME)->GetPos());
  WriteValues();
}

void CVoicePage::OnVoice() {
  const Control& voices = *GetDlgItem(IDC_VOICE);
  if (voices.GetCurSel() < 0) return;
  voice = WideToNarrow(voices.GetItemText(voices.GetCurSel()));
  ShowTestText();
}

void CVoicePage::OnEnable() {
  if (IsDlgButtonChecked(IDC_ENABLE)) {
    if (GetDlgItem(IDC_VOICE)->GetCount() == 0) {
      CheckDlgButton(IDC_ENABLE, false);
      useSpeech = false;
      return;
    }
    EnableControls(true);
    useSpeech = true;
  } else {
    EnableControls(false);
    useSpeech = false;
  }
}

bool CVoicePage::OnTest() {
  CWaitCursor wait;
  if (!engine_) {
    if (!services_.createEngine || FAILED(services_.createEngine(engine_.Receive())) || !engine_) {
      engine_.Reset();
      return false;
    }
  }
  if (!engineHasVoice_ || engineVoice_ != voice) {
    if (FAILED(engine_->SetVoice(voice.c_str()))) return false;
    engineVoice_ = voice;
    engineHasVoice_ = true;
  }
  engine_->SetRate(rate);
  engine_->SetRateRange(kReaderRateRange);
  engine_->SetPitch(pitch);
  engine_->SetVolume(volume);

  const std::string text = WideToNarrow(GetDlgItemTextW(IDC_TEST_TEXT));
  if (FAILED(engine_->Speak(text.c_str(), 1))) return false;
  // Waits in steps, so that a voice that never ends cannot hold the page.
  const UINT step = services_.testWaitStepMs > 0 ? services_.testWaitStepMs : 1;
  for (UINT waited = 0;; waited += step) {
    INT speaking = 0;
    if (FAILED(engine_->IsSpeaking(&speaking)) || !speaking) return true;
    if (waited >= services_.testTimeLimitMs || (services_.testCancelled && services_.testCancelled())) {
      engine_->Stop();
      return false;
    }
    engine_->Wait(step);
  }
}
