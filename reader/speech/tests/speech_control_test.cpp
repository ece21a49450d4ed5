#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/window/clipboard.h"
#include "platform/window/headless_backend.h"
#include "reader/command_ids.h"
#include "reader/page_model.h"
#include "reader/speech/speech_chunk.h"
#include "reader/speech/speech_control.h"
#include "reader/speech/tests/fake_engine.h"

namespace {

std::u16string WriteDocument(const std::string& name, const std::string& bytes) {
  const std::string path = std::string(std::getenv("TEST_TMPDIR")) + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return std::u16string(path.begin(), path.end());
}

// Sentences of varying length with paragraph breaks, a NUL byte and a long
// run without any sentence end.
std::string MakeText() {
  std::string text;
  for (int i = 0; i < 60; ++i) {
    text += "Sentence number " + std::to_string(i) + " tells a little more";
    text += i % 3 == 0 ? "!\r\n" : ". ";
  }
  text += std::string("zero") + '\0' + "byte here. ";
  text += std::string(1200, 'x');
  text += " end.";
  return text;
}

class TestWindow : public SpeechWindow {
 public:
  TestWindow(HWND window, const std::u16string& path, INT linesPerPage = 8) : window_(window) {
    widths_.fill(8);
    widths_[0] = 0;
    page.Open(path);
    LineLayout layout;
    layout.widths = &widths_;
    layout.textWidth = 240;
    page.SetLayout(layout, linesPerPage);
    page.ShowPageAt(0);
  }
  HWND Window() override { return window_; }
  ITTSEngine* Engine() override { return engine; }
  bool HasDocument() override { return !page.NoDocument(); }
  INT PageStart() override { return page.PageStart(); }
  INT PageLength() override { return page.PageLength(); }
  INT FileSize() override { return page.FileSize(); }
  bool OnLastPage() override { return page.AtDocumentEnd(); }
  std::string ReadText(INT from, INT count) override { return page.ReadConverted(from, count); }
  void NextPage() override {
    page.NextPage();
    turns.push_back(page.PageStart());
  }

  PageModel page;
  ITTSEngine* engine = nullptr;
  std::vector<INT> turns;

 private:
  HWND window_;
  CharWidthTable widths_{};
};

class SpeechControlTest : public testing::Test {
 protected:
  SpeechControlTest()
      : host_(backend_.CreateMainWindow(u"Parlen 2")), text_(MakeText()),
        window_(host_->Handle(), WriteDocument("book.txt", text_)), speech_(window_) {
    window_.engine = &engine_;
  }

  HeadlessHost& Host() { return static_cast<HeadlessHost&>(*host_); }
  bool KeepAwakeRunning() { return Host().Timers().count(kKeepAwakeTimer) != 0; }
  // Lets the engine speak the rest of the current chunk and delivers its events.
  void FinishChunk() {
    engine_.SpeakWords();
    speech_.OnEngineNotify();
  }
  // The page starts a reader turning page after page meets.
  std::vector<INT> AllPageStarts(INT linesPerPage = 8) {
    TestWindow other(host_->Handle(), WriteDocument("book.txt", text_), linesPerPage);
    std::vector<INT> starts;
    while (!other.page.AtDocumentEnd()) {
      other.page.NextPage();
      starts.push_back(other.page.PageStart());
    }
    return starts;
  }

  HeadlessBackend backend_;
  std::unique_ptr<WindowHost> host_;
  std::string text_;
  TestWindow window_;
  FakeEngine engine_;
  SpeechControl speech_;
};

TEST(SpeechChunkTest, CutsAfterTheLastSentenceEnd) {
  EXPECT_EQ(MakeSpeechChunk("One. Two! Three"), "One. Two! ");
  EXPECT_EQ(MakeSpeechChunk("One.\r\nTwo"), "One.\r\n");
  EXPECT_EQ(MakeSpeechChunk("One.\rTwo"), "One.\r");
  EXPECT_EQ(MakeSpeechChunk("Is it?\tYes"), "Is it?\t");
  EXPECT_EQ(MakeSpeechChunk("Yes. No."), "Yes. ");  // the last byte cannot end a sentence
  EXPECT_EQ(MakeSpeechChunk(std::string("a\0b. c", 6)), "a b. ");
  EXPECT_EQ(MakeSpeechChunk("3.14 and e.g"), "3.14 and e.g");
  EXPECT_EQ(MakeSpeechChunk(". x"), ". x");  // index 0 is never a cut
  const std::string block = std::string(999, 'w') + ".";
  EXPECT_EQ(MakeSpeechChunk(block), block);
}

TEST(SpeechChunkTest, StartSkipsAWordCutByThePage) {
  EXPECT_EQ(SpeechStartSkip(0, 'a', "word rest"), 0);
  EXPECT_EQ(SpeechStartSkip(10, ' ', "word rest"), 0);
  EXPECT_EQ(SpeechStartSkip(10, '\n', "word rest"), 0);
  EXPECT_EQ(SpeechStartSkip(10, 'o', "rd rest"), 3);
  EXPECT_EQ(SpeechStartSkip(10, 'o', "rdrest"), 0);
}

TEST_F(SpeechControlTest, ReadsTheDocumentToItsEndTurningEveryPage) {
  speech_.OnSpeak();
  ASSERT_TRUE(KeepAwakeRunning());
  EXPECT_EQ(Host().Timers().at(kKeepAwakeTimer).period, 59000u);
  for (int guard = 0; engine_.speaking && guard < 100; ++guard) FinishChunk();

  std::string spoken;
  for (const std::string& chunk : engine_.spoken) {
    EXPECT_LE(chunk.size(), 1000u);
    spoken += chunk;
  }
  std::string expected = text_;
  expected[expected.find('\0')] = ' ';
  EXPECT_EQ(spoken, expected);
  EXPECT_EQ(engine_.spoken[0], text_.substr(0, engine_.spoken[0].size()));
  EXPECT_EQ(engine_.spoken[0].substr(engine_.spoken[0].size() - 3), "!\r\n");
  EXPECT_EQ(engine_.flags, std::vector<UINT>(engine_.spoken.size(), 1));
  EXPECT_EQ(window_.turns, AllPageStarts());
  EXPECT_TRUE(window_.page.AtDocumentEnd());
  EXPECT_FALSE(KeepAwakeRunning());
}

TEST_F(SpeechControlTest, PagesLongerThanAChunkTurnWhereTheSpokenTextLeavesThem) {
  window_.page.SetLayout(window_.page.Layout(), 60);  // pages of several blocks
  window_.page.ShowPageAt(0);
  ASSERT_GT(window_.page.PageLength(), 1000);
  speech_.OnSpeak();
  const auto blank = [](char c) { return c == ' ' || c == '\r' || c == '\n' || c == '\t'; };
  INT chunkStart = 0;
  size_t chunks = 1;
  size_t at = 0;
  for (int guard = 0; engine_.speaking && guard < 10000; ++guard) {
    if (engine_.spoken.size() != chunks) {
      chunkStart += static_cast<INT>(engine_.spoken[chunks - 1].size());
      chunks = engine_.spoken.size();
      at = 0;
    }
    // Where the next word event (or the chunk's end) leaves speech.
    const std::string& chunk = engine_.spoken.back();
    while (at < chunk.size() && blank(chunk[at])) ++at;
    while (at < chunk.size() && !blank(chunk[at])) ++at;
    size_t rest = at;
    while (rest < chunk.size() && blank(chunk[rest])) ++rest;
    const INT reached = chunkStart + static_cast<INT>(rest == chunk.size() ? rest : at);
    const INT start = window_.page.PageStart();
    const INT end = start + window_.page.PageLength();
    const bool last = window_.page.AtDocumentEnd();
    engine_.SpeakWords(1);
    speech_.OnEngineNotify();
    EXPECT_EQ(window_.page.PageStart() != start, reached >= end && !last) << "speech at " << reached;
  }
  EXPECT_EQ(window_.turns, AllPageStarts(60));
  EXPECT_EQ(window_.turns.size(), 2u);
  EXPECT_TRUE(window_.page.AtDocumentEnd());
}

TEST_F(SpeechControlTest, PauseResumeStopAndSpeakAgain) {
  speech_.OnSpeak();
  speech_.OnSpeak();  // speaking: pauses
  speech_.OnSpeak();  // paused: resumes
  speech_.OnPause();
  speech_.OnPause();
  EXPECT_EQ(engine_.calls, (std::vector<std::string>{"Pause", "Resume", "Pause", "Resume"}));
  ASSERT_EQ(engine_.spoken.size(), 1u);

  // Speech runs past the first page, then the user stops it.
  engine_.SpeakWords(40);
  speech_.OnEngineNotify();
  ASSERT_EQ(window_.turns.size(), 1u);
  const INT page = window_.page.PageStart();
  speech_.OnStop();
  EXPECT_FALSE(KeepAwakeRunning());
  speech_.OnEngineNotify();  // the end of the stopped speech starts nothing
  EXPECT_EQ(engine_.spoken.size(), 1u);
  EXPECT_FALSE(speech_.Stopped());
  EXPECT_EQ(window_.page.PageStart(), page);

  // Speak again: from the page speech had reached, after its cut word.
  speech_.OnSpeak();
  ASSERT_EQ(engine_.spoken.size(), 2u);
  const char before = text_[static_cast<size_t>(page) - 1];
  INT start = page;
  if (before != ' ' && before != '\n' && before != '\r') start = static_cast<INT>(text_.find(' ', page)) + 1;
  EXPECT_EQ(speech_.SpeechPosition(), start);
  EXPECT_EQ(engine_.spoken[1], MakeSpeechChunk(text_.substr(static_cast<size_t>(start), 1000)));
  EXPECT_TRUE(KeepAwakeRunning());
}

TEST_F(SpeechControlTest, ChunkTheEngineRefusesStopsTheKeepAwakeTimer) {
  engine_.speakResult = E_FAIL;
  speech_.OnSpeak();
  EXPECT_TRUE(engine_.spoken.empty());
  EXPECT_FALSE(KeepAwakeRunning());
  engine_.speakResult = S_FALSE;
  speech_.OnSpeak();
  EXPECT_FALSE(KeepAwakeRunning());
}

TEST_F(SpeechControlTest, ClipboardSpeechMovesNoPage) {
  backend_.SetClipboard(u"Привет, мир.");
  speech_.SpeakClipboard();
  ASSERT_EQ(engine_.spoken.size(), 1u);
  EXPECT_EQ(engine_.spoken[0], "Привет, мир.");
  EXPECT_FALSE(speech_.DocumentSpeech());
  engine_.SpeakWords();
  speech_.OnEngineNotify();
  EXPECT_TRUE(window_.turns.empty());
  EXPECT_EQ(engine_.spoken.size(), 1u);

  speech_.SpeakUserText(u"Ещё текст");
  EXPECT_EQ(engine_.spoken.back(), "Ещё текст");
  engine_.speakResult = E_FAIL;
  speech_.SpeakUserText(u"x");
  ASSERT_EQ(backend_.MessageBoxes().Count(), 1u);
  EXPECT_EQ(backend_.MessageBoxes().Boxes()[0].text, u"Error playing text");
}

TEST_F(SpeechControlTest, SpeakAfterStopWaitsForTheEndOfTheStoppedSpeech) {
  engine_.playsOutAfterStop = true;
  speech_.OnSpeak();
  speech_.OnStop();
  EXPECT_TRUE(speech_.AwaitingEnd());
  speech_.OnSpeak();
  EXPECT_EQ(engine_.spoken.size(), 1u);
  ASSERT_EQ(Host().Timers().count(kSpeechWaitTimer), 1u);
  EXPECT_EQ(Host().Timers().at(kSpeechWaitTimer).period, kSpeechWaitMs);

  engine_.PlayOutEnds();
  speech_.OnEngineNotify();
  ASSERT_EQ(engine_.spoken.size(), 2u);
  EXPECT_EQ(engine_.spoken[1], engine_.spoken[0]);
  EXPECT_TRUE(speech_.DocumentSpeech());
  EXPECT_TRUE(KeepAwakeRunning());
  EXPECT_EQ(Host().Timers().count(kSpeechWaitTimer), 0u);
  EXPECT_EQ(backend_.MessageBoxes().Count(), 0u);
}

TEST_F(SpeechControlTest, ClipboardAndUserTextDuringReadingAreSpokenOnceTheReadingEnds) {
  engine_.playsOutAfterStop = true;
  speech_.OnSpeak();
  backend_.SetClipboard(u"Привет, мир.");
  speech_.SpeakClipboard();
  EXPECT_EQ(engine_.spoken.size(), 1u);
  engine_.PlayOutEnds();
  speech_.OnEngineNotify();
  ASSERT_EQ(engine_.spoken.size(), 2u);
  EXPECT_EQ(engine_.spoken[1], "Привет, мир.");
  EXPECT_FALSE(speech_.DocumentSpeech());
  EXPECT_TRUE(window_.turns.empty());

  // The user's text command stops speech before its dialog.
  speech_.StopSpeech();
  speech_.SpeakUserText(u"Ещё текст");
  EXPECT_EQ(engine_.spoken.size(), 2u);
  engine_.PlayOutEnds();
  speech_.OnEngineNotify();
  ASSERT_EQ(engine_.spoken.size(), 3u);
  EXPECT_EQ(engine_.spoken[2], "Ещё текст");
  EXPECT_EQ(backend_.MessageBoxes().Count(), 0u);
}

TEST_F(SpeechControlTest, TheWaitForStoppedSpeechIsBounded) {
  engine_.playsOutAfterStop = true;
  speech_.OnSpeak();
  speech_.OnStop();
  speech_.StopSpeech();
  speech_.SpeakUserText(u"Текст");
  EXPECT_EQ(backend_.MessageBoxes().Count(), 0u);
  // The engine never ends: the timer gives up waiting and tries anyway.
  speech_.OnWaitTimer();
  ASSERT_EQ(backend_.MessageBoxes().Count(), 1u);
  EXPECT_EQ(backend_.MessageBoxes().Boxes()[0].text, u"Error playing text");
  EXPECT_FALSE(speech_.AwaitingEnd());

  // A Stop while a Speak waits drops that Speak.
  engine_.playingOut = false;
  speech_.OnSpeak();
  speech_.OnStop();
  speech_.OnSpeak();
  speech_.OnStop();
  engine_.PlayOutEnds();
  speech_.OnEngineNotify();
  EXPECT_EQ(engine_.spoken.size(), 2u);
  EXPECT_EQ(Host().Timers().count(kSpeechWaitTimer), 0u);
}

}  // namespace
