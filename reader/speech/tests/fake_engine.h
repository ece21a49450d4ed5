// A speech engine double: records what it is asked to speak and queues the
// events the real engine would, when the test says the speech has run.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "interfaces/orvox.h"

class FakeEngine : public ITTSEngine, public ITTSUserBase {
 public:
  HRESULT QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_ITTSUserBase && hasUserBase) {
      *out = static_cast<ITTSUserBase*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return 2; }
  ULONG Release() override { return 1; }

  // Settings and the unused calls accept anything.
  HRESULT SetRateRange(INT) override { return S_OK; }
  HRESULT SetOutputFormat(UINT, INT, INT) override { return S_OK; }
  HRESULT Nop() override { return S_OK; }
  HRESULT Wait(UINT) override { return S_OK; }
  HRESULT SetEventCallback(TTSEventCallback, LPVOID) override { return S_OK; }
  HRESULT GetFlag(I1*) override { return S_OK; }
  HRESULT SetVoice(LPCSTR) override { return S_OK; }
  HRESULT SkipSentences(INT, INT*) override { return S_OK; }
  HRESULT SetEventMask(UINT) override { return S_OK; }
  HRESULT SetNotifyWindow(HWND, UINT, DWORD) override { return S_OK; }
  HRESULT GetRate(I1*) override { return S_OK; }
  HRESULT SetRate(I1) override { return S_OK; }
  HRESULT GetPitch(I1*) override { return S_OK; }
  HRESULT SetPitch(I1) override { return S_OK; }
  HRESULT GetVolume(UI1*) override { return S_OK; }
  HRESULT SetVolume(UI1) override { return S_OK; }

  HRESULT IsSpeaking(INT* value) override {
    *value = speaking ? 1 : 0;
    return S_OK;
  }
  HRESULT Resume() override {
    calls.push_back("Resume");
    if (paused) speaking = true;
    paused = false;
    return S_OK;
  }
  HRESULT Pause() override {
    calls.push_back("Pause");
    if (speaking) paused = true;
    speaking = false;
    return S_OK;
  }
  HRESULT GetEvents(TTSEvent* events, UINT max, UINT* got) override {
    *got = 0;
    while (*got < max && !queue.empty()) {
      events[(*got)++] = queue.front();
      queue.pop_front();
    }
    return S_OK;
  }
  HRESULT IsPaused(INT* value) override {
    *value = paused ? 1 : 0;
    return S_OK;
  }
  HRESULT Stop() override {
    calls.push_back("Stop");
    if (speaking || paused) {
      if (playsOutAfterStop)
        playingOut = true;
      else
        queue.push_back({TE_SpeechEnd, 0, 0});
    }
    speaking = paused = false;
    return S_OK;
  }
  HRESULT Speak(LPCSTR text, UINT flags) override {
    if (speakResult != S_OK) return speakResult;
    if (playingOut) return S_FALSE;
    spoken.emplace_back(text);
    this->flags.push_back(flags);
    speaking = true;
    wordsSpoken = 0;
    return S_OK;
  }
  HRESULT ReloadUserBase() override { return S_OK; }

  // Queues the word spans of the next `count` words of the last text (all
  // that are left for -1), then the end of speech when none are left.
  void SpeakWords(int count = -1) {
    const std::string& text = spoken.back();
    size_t at = 0;
    int word = 0;
    while (at < text.size()) {
      while (at < text.size() && IsBlank(text[at])) ++at;
      const size_t start = at;
      while (at < text.size() && !IsBlank(text[at])) ++at;
      if (start == at) break;
      if (word++ < wordsSpoken) continue;
      if (count == 0) return;
      queue.push_back({TE_SentenceSpan, static_cast<UINT>(start), static_cast<UINT>(at)});
      queue.push_back({TE_WordSpan, static_cast<UINT>(start), static_cast<UINT>(at)});
      ++wordsSpoken;
      if (count > 0) --count;
    }
    queue.push_back({TE_SpeechEnd, 0, 0});
    speaking = false;
  }

  // As the real engine: the piece in flight at a Stop plays to its end,
  // and Speak answers S_FALSE until then.
  void PlayOutEnds() {
    playingOut = false;
    queue.push_back({TE_SpeechEnd, 0, 0});
  }

  bool playsOutAfterStop = false;
  bool playingOut = false;
  bool speaking = false;
  bool paused = false;
  bool hasUserBase = true;
  HRESULT speakResult = S_OK;
  int wordsSpoken = 0;
  std::vector<std::string> spoken;
  std::vector<UINT> flags;
  std::vector<std::string> calls;
  std::deque<TTSEvent> queue;

 private:
  static bool IsBlank(char c) { return c == ' ' || c == '\r' || c == '\n' || c == '\t'; }
};
