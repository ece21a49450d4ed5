// The pipeline driver and playback seen from outside: what the phonetic
// components are asked, which samples come out and which events tell of
// them, for the three voice kinds, in wave-out and pull mode.
#include "engine/tests/object/engine_fixture.h"

#include "platform/message_box.h"

namespace {

using Events = std::vector<TTSEvent>;

TEST_F(EngineTest, KindZeroSendsEachWordFramedAndSpeaksItsUnitsInOrder) {
  script_ = {{{SE_Stop1, {{"A", 0, 3}, {"B,C", 4, 5}}}}, {{SE_Comma1, {{"D", 10, 2}}}}};
  MakeEngine(TestVoice(0));
  ASSERT_EQ(engine_->SetVoice("test"), S_OK);
  EXPECT_EQ(converter_->language, u"419");
  EXPECT_EQ(textAnalysis_->subLanguages, std::vector<INT>{0});

  std::vector<int16_t> played = SpeakToFile("abc bcdef dd");
  EXPECT_EQ(converter_->inputs, (std::vector<std::u16string>{u"#,A,_", u"_,B,C,#", u"#,D,#"}));
  EXPECT_EQ(played, Rendered({"A,INWOP", "B,C,SEST1", "D,SECO1"}));
  EXPECT_EQ(events_, (Events{{TE_VoiceChanged, 0, 0},
                             {TE_SpeechStart, 0, 0},
                             {TE_SentenceSpan, 0, 9},
                             {TE_WordSpan, 0, 3},
                             {TE_WordSpan, 4, 9},
                             {TE_SentenceSpan, 10, 12},
                             {TE_WordSpan, 10, 12},
                             {TE_SpeechEnd, 0, 0}}));
  EXPECT_EQ(textAnalysis_->pushed, std::vector<std::string>{"abc bcdef dd"});
}

TEST_F(EngineTest, KindOneSpeaksSixWordsOfASyntagmaAtATime) {
  ScriptSyntagma seven{SE_Stop1, {}};
  const char* units[] = {"A", "B", "C", "D", "A", "B", "C"};
  for (uint32_t i = 0; i < 7; ++i) seven.words.push_back({units[i], 2 * i, 1});
  script_ = {{seven}};
  MakeEngine(TestVoice(1));
  ASSERT_EQ(engine_->SetVoice("test"), S_OK);
  EXPECT_EQ(textAnalysis_->subLanguages, std::vector<INT>{1});

  std::vector<int16_t> played = SpeakToFile("a b c d a b c");
  EXPECT_EQ(phonetic_->inputs, std::vector<std::string>{"#,A,_,B,_,C,_,D,_,A,_,B,_,C,#"});
  EXPECT_EQ(played, Rendered({"A,INWOP,B,INWOP,C,INWOP,D,INWOP,A,INWOP,B,INWOP", "C,SEST1"}));
  EXPECT_EQ(events_, (Events{{TE_VoiceChanged, 0, 0},
                             {TE_SpeechStart, 0, 0},
                             {TE_SentenceSpan, 0, 13},
                             {TE_WordSpan, 0, 11},
                             {TE_WordSpan, 12, 13},
                             {TE_SpeechEnd, 0, 0}}));
}

TEST_F(EngineTest, KindTwoHasNoSubLanguageAndSpeaksWordByWord) {
  script_ = {{{SE_Stop5, {{"D", 0, 1}, {"A", 2, 1}}}}};
  MakeEngine(TestVoice(2));
  ASSERT_EQ(engine_->SetVoice("test"), S_OK);
  EXPECT_TRUE(textAnalysis_->subLanguages.empty());
  EXPECT_EQ(SpeakToFile("d a"), Rendered({"D,INWOP", "A,SEST5"}));
  EXPECT_EQ(converter_->inputs, (std::vector<std::u16string>{u"#,D,_", u"_,A,#"}));
}

TEST_F(EngineTest, RefusedWordIsLeftOutAloneAndSpeechStillEnds) {
  // "O1" is outside the phonetics' inventory and spoken as "O5"; "FAIL" is
  // refused whatever its neighbours, and only it is left out.
  script_ = {{{SE_Comma4, {{"A", 0, 1}}}, {SE_Stop1, {{"C", 2, 1}, {"FAIL", 4, 4}, {"O1", 9, 1}}}},
             {{SE_Stop2, {{"B", 12, 1}}}, {SE_Stop1, {{"FAIL", 14, 4}}}}};
  VoiceData voice = TestVoice(1);
  voice.units.push_back(voice.units[3]);
  voice.units.back().name = "O5";
  MakeEngine(voice);
  ASSERT_EQ(engine_->SetVoice("test"), S_OK);
  EXPECT_EQ(SpeakToFile("a c fail o. b fail"),
            Rendered({"A,SECO4", "C,INWOP,O5,SEST1", "B,SEST2"}));
  EXPECT_EQ(phonetic_->inputs,
            (std::vector<std::string>{"#,A,#", "#,C,_,FAIL,_,O1,#", "#,C,_,FAIL,_,O5,#", "#,C,#",
                                      "#,FAIL,#", "#,O5,#", "#,C,_,O5,#", "#,B,#", "#,FAIL,#",
                                      "#,FAIL,#"}));
  EXPECT_EQ(events_, (Events{{TE_VoiceChanged, 0, 0},
                             {TE_SpeechStart, 0, 0},
                             {TE_SentenceSpan, 0, 10},
                             {TE_WordSpan, 0, 1},
                             {TE_WordSpan, 2, 10},
                             {TE_SentenceSpan, 12, 18},
                             {TE_WordSpan, 12, 13},
                             {TE_SpeechEnd, 0, 0}}));
}

TEST_F(EngineTest, TextWithoutAudioGivesOneSpanOverItAndSilence) {
  MakeEngine(TestVoice(0));
  ASSERT_EQ(engine_->SetVoice("test"), S_OK);
  EXPECT_EQ(SpeakToFile("?!"), std::vector<int16_t>(3307, 0));
  EXPECT_EQ(events_, (Events{{TE_VoiceChanged, 0, 0},
                             {TE_SpeechStart, 0, 0},
                             {TE_WordSpan, 0, 2},
                             {TE_SpeechEnd, 0, 0}}));
  EXPECT_EQ(engine_->Wait(INFINITE), S_OK);
}

TEST_F(EngineTest, PullModeFillsTheClientBufferAcrossPieces) {
  VoiceData voice = TestVoice(0);
  voice.units[0].samples.assign(2500, 1234);
  script_ = {{{SE_Stop5, {{"A", 0, 1}, {"A", 2, 1}, {"A", 4, 1}}}}};
  MakeEngine(voice);
  ASSERT_EQ(engine_->SetVoice("test"), S_OK);
  std::vector<int16_t> buffer(1000);
  ASSERT_EQ(engine_->SetPullBuffer(buffer.data(), 1000), S_OK);

  std::vector<int16_t> pulled;
  std::vector<UINT> delivered;
  ASSERT_EQ(engine_->Speak("a a a", 1), S_OK);
  size_t seen = 0;
  for (int requests = 0; requests < 100; ++requests) {
    // A request is complete when the buffer is full or speech has ended.
    UINT last = 0;
    bool full = false;
    bool ended = false;
    while (!full && !ended) {
      Drain();
      for (; seen < events_.size(); ++seen) {
        const TTSEvent& event = events_[seen];
        if (event.type == TE_AudioDelivered) {
          delivered.push_back(event.param1);
          last = event.param1;
          full = last == 1000;
        }
        ended = ended || event.type == TE_SpeechEnd;
      }
      if (!full && !ended) Sleep(1);
    }
    pulled.insert(pulled.end(), buffer.begin(), buffer.begin() + last);
    if (ended) break;
    engine_->RequestData();
  }
  EXPECT_EQ(pulled, Rendered({"A,INWOP", "A,INWOP", "A,SEST5"}));
  // 2500 + 2500 + (2500 + 1984 pause) samples.
  EXPECT_EQ(delivered, (std::vector<UINT>{1000, 1000, 500, 1000, 1000, 1000, 1000, 1000, 1000,
                                          1000, 484}));
  EXPECT_EQ(events_.front().type, TE_VoiceChanged);
  EXPECT_EQ(events_[1].type, TE_SpeechStart);
  EXPECT_EQ(engine_->Wait(INFINITE), S_OK);
}

TEST_F(EngineTest, StopLetsThePieceInTheDevicePlayOutAndEndsOnce) {
  VoiceData voice = TestVoice(0);
  voice.units[0].samples.assign(5000, 700);
  script_ = {{{SE_Stop1, {{"A", 0, 1}, {"A", 2, 1}, {"A", 4, 1}}}}};
  MakeEngine(voice);
  ASSERT_EQ(engine_->SetVoice("test"), S_OK);
  setenv("PARLEN_AUDIO", "null", 1);
  unsetenv("PARLEN_AUDIO_FAST");
  ASSERT_EQ(engine_->Speak("a a a", 1), S_OK);
  ASSERT_EQ(engine_->Stop(), S_OK);
  INT speaking = 1;
  EXPECT_EQ(engine_->IsSpeaking(&speaking), S_OK);
  EXPECT_EQ(speaking, 0);
  // The first piece is still in the device: the text is refused.
  EXPECT_EQ(engine_->Speak("a", 1), S_FALSE);
  EXPECT_EQ(engine_->Wait(INFINITE), S_OK);
  EXPECT_EQ(EventsUntil(TE_SpeechEnd), (Events{{TE_VoiceChanged, 0, 0},
                                               {TE_SpeechStart, 0, 0},
                                               {TE_SentenceSpan, 0, 5},
                                               {TE_WordSpan, 0, 1},
                                               {TE_SpeechEnd, 0, 0}}));
}

TEST_F(EngineTest, PauseHoldsPullDeliveryUntilResume) {
  script_ = {{{SE_Stop1, {{"A", 0, 1}}}}};
  MakeEngine(TestVoice(0));
  ASSERT_EQ(engine_->SetVoice("test"), S_OK);
  std::vector<int16_t> buffer(100);
  ASSERT_EQ(engine_->SetPullBuffer(buffer.data(), 100), S_OK);
  ASSERT_EQ(engine_->Pause(), S_OK);
  // Speak restarts the pipeline, which clears the pause.
  ASSERT_EQ(engine_->Speak("a", 1), S_OK);
  EventsUntil(TE_AudioDelivered);
  ASSERT_EQ(engine_->Pause(), S_OK);
  INT paused = 0;
  EXPECT_EQ(engine_->IsPaused(&paused), S_OK);
  EXPECT_EQ(paused, 1);
  engine_->RequestData();
  // Handled while paused: set aside, not lost.
  Sleep(20);
  ASSERT_EQ(engine_->Resume(), S_OK);
  for (int round = 0; round < 5000 && events_.size() < 4; ++round) {
    Drain();
    Sleep(1);
  }
  ASSERT_EQ(events_.size(), 4u);
  EXPECT_EQ(events_[2].type, TE_AudioDelivered);
  EXPECT_EQ(events_[3].type, TE_AudioDelivered);
  EXPECT_EQ(engine_->Stop(), S_OK);
}

TEST_F(EngineTest, SpeakFailsWhenNoDeviceOpens) {
  script_ = {{{SE_Stop1, {{"A", 0, 1}}}}};
  MakeEngine(TestVoice(0));
  ASSERT_EQ(engine_->SetVoice("test"), S_OK);
  setenv("PARLEN_AUDIO", "file:/nonexistent-folder/out.wav", 1);
  EXPECT_EQ(engine_->Speak("a", 1), E_FAIL);
  EXPECT_EQ(engine_->Wait(INFINITE), S_OK);
  TTSEvent events[4];
  UINT got = 9;
  EXPECT_EQ(engine_->GetEvents(events, 4, &got), S_OK);
  ASSERT_EQ(got, 1u);
  EXPECT_EQ(events[0].type, TE_VoiceChanged);
}

TEST_F(EngineTest, SetVoiceFailuresLeaveNoVoice) {
  MakeEngine(TestVoice(1), {kFakePhoneticClass});
  EXPECT_EQ(engine_->SetVoice("nobody"), E_FAIL);
  EXPECT_EQ(engine_->Speak("a", 1), E_ABORT);
  EXPECT_EQ(engine_->Stop(), E_ABORT);
  EXPECT_EQ(engine_->ReloadUserBase(), S_FALSE);
  // A kind 1 voice whose phonetics cannot be created is refused.
  EXPECT_EQ(engine_->SetVoice("test"), REGDB_E_CLASSNOTREG);
  EXPECT_FALSE(engine_->HasVoice());
  EXPECT_EQ(engine_->Pause(), E_ABORT);

  ScratchFile bad("bad.dat");
  {
    TextFile file(bad.Wide().c_str(), u"wb");
    file.WriteString(std::string("\x06" "abs.08", 7));
  }
  WriteVoice("bad", bad.Narrow(), "419");
  MessageBoxCapture boxes;
  EXPECT_EQ(engine_->SetVoice("bad"), E_ABORT);
  EXPECT_EQ(boxes.Count(), 1u);
  EXPECT_FALSE(engine_->HasVoice());
}

TEST_F(EngineTest, SetVoiceFailsWithoutThePhoneticProcessor) {
  MakeEngine(TestVoice(0), {CLSID_PhoneticProcessor});
  EXPECT_EQ(engine_->SetVoice("test"), REGDB_E_CLASSNOTREG);
  EXPECT_FALSE(engine_->HasVoice());
}

TEST_F(EngineTest, RatePitchAndVolumeAreClamped) {
  MakeEngine(TestVoice(0));
  I1 rate = 0, pitch = 0;
  UI1 volume = 0;
  engine_->SetRate(100);
  engine_->GetRate(&rate);
  EXPECT_EQ(rate, 10);
  engine_->SetRate(-100);
  engine_->GetRate(&rate);
  EXPECT_EQ(rate, -10);
  EXPECT_EQ(engine_->SetRateRange(0), E_INVALIDARG);
  EXPECT_EQ(engine_->SetRateRange(20), S_OK);
  engine_->SetRate(15);
  engine_->GetRate(&rate);
  EXPECT_EQ(rate, 15);
  engine_->SetPitch(-12);
  engine_->GetPitch(&pitch);
  EXPECT_EQ(pitch, -10);
  engine_->SetVolume(200);
  engine_->GetVolume(&volume);
  EXPECT_EQ(volume, 10);
  EXPECT_EQ(engine_->SetOutputFormat(22050, 16, 1), E_INVALIDARG);
  EXPECT_EQ(engine_->SetOutputFormat(11025, 0x108, 2), S_OK);
  EXPECT_EQ(engine_->GetRate(nullptr), E_POINTER);
}

}  // namespace
