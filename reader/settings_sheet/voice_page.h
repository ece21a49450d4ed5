// CVoicePage: speech on or off, the voice, rate, pitch and volume, and a
// Test button that speaks the test text with a second engine of its own.
#pragma once

#include <string>

#include "platform/window/dialog.h"
#include "reader/com_ptr.h"
#include "reader/settings_sheet/voice_services.h"

class CVoicePage : public PropertyPage {
 public:
  static constexpr UINT IDD = 189;
  static constexpr int IDC_VOICE = 1034;
  static constexpr int IDC_RATE = 1035;
  static constexpr int IDC_PITCH = 1036;
  static constexpr int IDC_VOLUME = 1037;
  static constexpr int IDC_TEST_TEXT = 1038;
  static constexpr int IDC_TEST = 1039;
  static constexpr int IDC_VOLUME_VALUE = 1040;
  static constexpr int IDC_PITCH_VALUE = 1041;
  static constexpr int IDC_RATE_VALUE = 1042;
  static constexpr int IDC_ENABLE = 1043;

  explicit CVoicePage(VoiceServices services = DefaultVoiceServices());
  ~CVoicePage() override;

  // Filled before the run, read back after OK.
  std::string voice;  // Windows-1251
  signed char rate = 0;
  signed char pitch = 0;
  unsigned char volume = 10;
  bool useSpeech = false;

  ITTSEngine* TestEngine() const { return engine_.Get(); }

  BOOL OnInitDialog() override;
  // Test; false when nothing was spoken to its end.
  bool OnTest();

 private:
  void EnableControls(bool on);
  void WriteValues();
  void ShowTestText();
  void OnSlider();
  void OnVoice();
  void OnEnable();

  VoiceServices services_;
  ComPtr<ITTSEngine> engine_;
  std::string engineVoice_;
  bool engineHasVoice_ = false;
};
