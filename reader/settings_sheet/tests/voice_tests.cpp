#include <gtest/gtest.h>

#include "platform/window/headless_backend.h"
#include "reader/settings_sheet/settings_sheet.h"
#include "reader/settings_sheet/tests/recording_engine.h"

namespace {

using Calls = std::vector<std::string>;

class VoiceTest : public ::testing::Test {
 protected:
  VoiceServices Services(std::vector<std::string> voices) {
    VoiceServices services;
    services.listVoices = [voices] { return voices; };
    services.voiceLang = [](const std::string& voice) {
      return voice == "Alan" ? std::string("409") : voice == "Ольга" ? "419.1" : "";
    };
    services.createEngine = [this](ITTSEngine** out) {
      ++created;
      createdWaiting = WaitCursorShown();
      if (failCreate) return E_FAIL;
      engine.AddRef();
      *out = &engine;
      return S_OK;
    };
    services.testWaitStepMs = 100;
    services.testTimeLimitMs = 300;
    return services;
  }
  HeadlessBackend backend;
  RecordingEngine engine;
  int created = 0;
  bool createdWaiting = false;
  bool failCreate = false;
};

TEST_F(VoiceTest, AVoiceThatIsNotInstalledSwitchesSpeechOff) {
  CCePropertySheet sheet(u"Settings");
  CVoicePage page(Services({"Alan", "Ольга"}));
  page.voice = "Пропавший";
  page.useSpeech = true;
  page.rate = -3;
  sheet.AddPage(&page);
  backend.ExpectSheet([&](SheetDriver& s) {
    DialogDriver d = s.Page();
    EXPECT_EQ(d.Find(CVoicePage::IDC_VOICE)->text, u"Alan");
    EXPECT_FALSE(d.Find(CVoicePage::IDC_ENABLE)->checked);
    EXPECT_FALSE(d.Find(CVoicePage::IDC_TEST)->enabled);
    EXPECT_EQ(d.Find(CVoicePage::IDC_TEST_TEXT)->text, u"This text is provided for test purposes.");
    EXPECT_EQ(d.Find(CVoicePage::IDC_RATE_VALUE)->text, u"-3");
    d.Click(CVoicePage::IDC_ENABLE);
    EXPECT_TRUE(d.Find(CVoicePage::IDC_TEST)->enabled);
    d.Select(CVoicePage::IDC_VOICE, 1);
    EXPECT_EQ(d.Find(CVoicePage::IDC_TEST_TEXT)->text,
              u"Текст для предварительного прослушивания голоса.");
    d.Slide(CVoicePage::IDC_VOLUME, 15);
    s.Ok();
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(page.voice, "Ольга");
  EXPECT_TRUE(page.useSpeech);
  EXPECT_EQ(page.volume, 10);
}

TEST_F(VoiceTest, WithoutVoicesSpeechCannotBeSwitchedOn) {
  CCePropertySheet sheet(u"Settings");
  CVoicePage page(Services({}));
  page.useSpeech = true;
  sheet.AddPage(&page);
  backend.ExpectSheet([](SheetDriver& s) {
    DialogDriver d = s.Page();
    d.Click(CVoicePage::IDC_ENABLE);
    EXPECT_FALSE(d.Find(CVoicePage::IDC_ENABLE)->checked);
    s.Ok();
  });
  sheet.DoModal();
  EXPECT_FALSE(page.useSpeech);
}

TEST_F(VoiceTest, TestSetsEachVoiceOnceAndWaitsWithALimit) {
  CCePropertySheet sheet(u"Settings");
  CVoicePage page(Services({"Alan", "Ольга"}));
  page.voice = "Ольга";
  page.useSpeech = true;
  page.rate = 15;  // beyond the slider, but kept while it is not moved
  page.pitch = -2;
  page.volume = 7;
  sheet.AddPage(&page);
  backend.ExpectSheet([&](SheetDriver& s) {
    DialogDriver d = s.Page();
    d.Type(CVoicePage::IDC_TEST_TEXT, u"Привет");
    engine.speakingPolls = 2;
    EXPECT_TRUE(page.OnTest());
    EXPECT_EQ(engine.calls, (Calls{"SetVoice Ольга", "SetRate 15", "SetRateRange 20", "SetPitch -2",
                                   "SetVolume 7", "Speak Привет 1", "Wait 100", "Wait 100"}));
    EXPECT_TRUE(createdWaiting);
    EXPECT_EQ(backend.WaitCursorChanges(), (std::vector<bool>{true, false}));
    engine.calls.clear();
    engine.speakingPolls = 1000;  // never ends: stopped at the limit
    EXPECT_FALSE(page.OnTest());
    EXPECT_EQ(engine.calls, (Calls{"SetRate 15", "SetRateRange 20", "SetPitch -2", "SetVolume 7",
                                   "Speak Привет 1", "Wait 100", "Wait 100", "Wait 100", "Stop"}));
    s.Ok();
  });
  sheet.DoModal();
  EXPECT_EQ(created, 1);
}

TEST_F(VoiceTest, TestCanBeCancelledAndDoesNothingWithoutAnEngine) {
  VoiceServices services = Services({"Ольга"});
  int asked = 0;
  services.testCancelled = [&asked] { return ++asked == 2; };
  CVoicePage page(services);
  page.voice = "Ольга";
  engine.speakingPolls = 1000;
  EXPECT_FALSE(page.OnTest());
  EXPECT_EQ(engine.calls.back(), "Stop");
  EXPECT_EQ(std::count(engine.calls.begin(), engine.calls.end(), "Wait 100"), 1);

  failCreate = true;
  CVoicePage second(Services({"Ольга"}));
  EXPECT_FALSE(second.OnTest());
  EXPECT_EQ(second.TestEngine(), nullptr);
}

TEST_F(VoiceTest, ApplyingTheVoicePageToTheMainEngine) {
  ReaderSettings settings;
  settings.voice = "Ольга";
  ComPtr<ITTSEngine> mainEngine;
  CVoicePage page(Services({"Ольга"}));
  page.useSpeech = true;
  page.voice = "Ольга";
  page.rate = 15;
  page.pitch = 1;
  page.volume = 4;
  const VoiceServices services = Services({"Ольга"});

  // On without an engine: created and fully set up.
  ASSERT_TRUE(ApplySpeechSettings(page, services, nullptr, 1, settings, mainEngine));
  EXPECT_EQ(mainEngine.Get(), &engine);
  EXPECT_EQ(engine.calls, (Calls{"SetEventMask 63", "SetNotifyWindow 1025 1", "SetVoice Ольга",
                                 "SetRate 15", "SetRateRange 20", "SetPitch 1", "SetVolume 4"}));
  EXPECT_TRUE(settings.useTts);
  EXPECT_EQ(settings.rate, 15);

  // Unchanged voice: reconfigured without setting the voice again.
  engine.calls.clear();
  ASSERT_TRUE(ApplySpeechSettings(page, services, nullptr, 1, settings, mainEngine));
  EXPECT_EQ(engine.calls, (Calls{"SetRate 15", "SetRateRange 20", "SetPitch 1", "SetVolume 4"}));

  // Off: released.
  page.useSpeech = false;
  const ULONG before = engine.refs;
  ASSERT_TRUE(ApplySpeechSettings(page, services, nullptr, 1, settings, mainEngine));
  EXPECT_FALSE(mainEngine);
  EXPECT_EQ(engine.refs, before - 1);
  EXPECT_FALSE(settings.useTts);

  // On again, but the engine cannot be created.
  failCreate = true;
  page.useSpeech = true;
  EXPECT_FALSE(ApplySpeechSettings(page, services, nullptr, 1, settings, mainEngine));
  ASSERT_EQ(backend.MessageBoxes().Count(), 1u);
  EXPECT_EQ(backend.MessageBoxes().Boxes()[0].text, u"Can't create TTS!!!");
  EXPECT_FALSE(settings.useTts);
}

TEST_F(VoiceTest, SheetFillsFivePagesAndTakesBackOnlyWhatTheyHold) {
  ReaderSettings settings;
  settings.actions[3] = "Find";
  settings.colorPresets = "Day\x02" "16777215\x02" "0";
  settings.colorPreset = "Day";
  settings.justify = false;
  CSettingsSheet sheet(Services({"Ольга"}));
  sheet.Fill(settings);
  ASSERT_EQ(sheet.Sheet().Pages().size(), 5u);
  EXPECT_EQ(sheet.Sheet().Pages()[0]->Caption(), u"Голос");
  EXPECT_EQ(sheet.Sheet().Pages()[4]->Caption(), u"Кнопки");
  backend.ExpectSheet([](SheetDriver& s) {
    s.SelectPage(3);
    s.Page().Select(CColorsPage::IDC_TARGET, 1);
    s.Page().Slide(CColorsPage::IDC_RED, 0);
    s.Ok();
  });
  ASSERT_EQ(sheet.DoModal(), IDOK);
  sheet.TakeBack(settings);
  EXPECT_EQ(settings.backColor, 0xFFFF00u);
  EXPECT_EQ(settings.colorPresets, "Day\x02" "16776960\x02" "0");
  EXPECT_EQ(settings.actions[3], "Find");
  EXPECT_FALSE(settings.justify);
}

}  // namespace
