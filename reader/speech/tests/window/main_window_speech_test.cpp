// The main window with speech and the buttons wired in: a document read
// aloud through button presses, and locked reading.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/window/headless_backend.h"
#include "platform/window/system_services.h"
#include "reader/reader_dlg.h"
#include "reader/speech/tests/fake_engine.h"

namespace {

constexpr UINT kWin = 0x08;

std::string Scratch(const std::string& name) { return testing::TempDir() + name; }
std::u16string Wide(const std::string& s) { return std::u16string(s.begin(), s.end()); }
void WriteAll(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class MainWindowSpeechTest : public testing::Test {
 protected:
  MainWindowSpeechTest() {
    std::string text;
    for (int i = 0; i < 120; ++i) text += "Line " + std::to_string(i) + " of the book is read.\r\n";
    WriteAll(Scratch("book.txt"), text);
    std::string buttons = "0,Speak/pause,Lock & read (2 pushes to unlock),System stop,";
    for (int id = 4; id < 21; ++id) buttons += "0,";
    WriteAll(Scratch("parlen.ini"), "UseTTS=1\nVoice=Anna\nButtons=" + buttons +
                                        "\nFile=" + Scratch("book.txt") + "\n");
    CReaderDlg::Environment environment;
    environment.settingsPath = Wide(Scratch("parlen.ini"));
    environment.engine.create = [this](ITTSEngine** out) {
      *out = &engine_;
      return S_OK;
    };
    environment.engine.listVoices = [] { return std::vector<std::string>{"Anna"}; };
    reader_ = std::make_unique<CReaderDlg>(backend_, std::move(environment));
    reader_->OnInitDialog();
  }
  ~MainWindowSpeechTest() override { reader_->OnDestroy(); }

  HeadlessHost& Host() { return static_cast<HeadlessHost&>(reader_->Host()); }
  void Press(UINT appButton) { Host().PressKey(0xC0 + appButton, kWin); }
  void EngineSpeaks() {
    engine_.SpeakWords();
    PostMessageW(Host().Handle(), WM_ENGINE_NOTIFY, 1, 1);
    Host().PumpMessages();
  }

  HeadlessBackend backend_;
  FakeEngine engine_;
  std::unique_ptr<CReaderDlg> reader_;
};

TEST_F(MainWindowSpeechTest, ButtonsReadTheBookAndLockTheReader) {
  ASSERT_FALSE(reader_->NoDocument());
  ASSERT_EQ(reader_->Engine(), &engine_);
  Press(1);
  ASSERT_EQ(engine_.spoken.size(), 1u);
  EXPECT_EQ(Host().Timers().count(kKeepAwakeTimer), 1u);
  EngineSpeaks();
  EXPECT_EQ(engine_.spoken.size(), 2u);
  EXPECT_GT(reader_->Page().PageStart(), 0);

  Press(3);  // "System stop"
  EXPECT_EQ(engine_.calls, (std::vector<std::string>{"Stop"}));
  PostMessageW(Host().Handle(), WM_ENGINE_NOTIFY, 1, 1);
  Host().PumpMessages();
  EXPECT_EQ(engine_.spoken.size(), 2u);

  // Lock and read: display off, buttons captured, two pushes stop and unlock.
  Press(2);
  EXPECT_TRUE(reader_->Locked());
  EXPECT_EQ(engine_.spoken.size(), 3u);
  EXPECT_EQ(DisplayPowerState(), VideoPowerOff);
  EXPECT_TRUE(Host().IsFullScreen());
  Press(1);  // no action while locked
  EXPECT_EQ(engine_.calls.size(), 1u);
  Press(2);
  Press(2);
  EXPECT_FALSE(reader_->Locked());
  EXPECT_EQ(engine_.calls, (std::vector<std::string>{"Stop", "Stop"}));
  EXPECT_EQ(DisplayPowerState(), VideoPowerOn);
  EXPECT_FALSE(Host().IsFullScreen());
  EXPECT_EQ(Host().Timers().count(kKeepAwakeTimer), 0u);

  // Only the "System" button works while another program has the focus.
  Host().SetFocus(false);
  Press(1);
  EXPECT_EQ(engine_.spoken.size(), 3u);
  Press(3);
  EXPECT_EQ(engine_.calls.size(), 3u);
}

}  // namespace
