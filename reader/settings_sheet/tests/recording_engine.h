// An engine double that records the calls the pages and the sheet make.
#pragma once

#include <string>
#include <vector>

#include "interfaces/orvox.h"

class RecordingEngine : public ITTSEngine, public ITTSUserBase {
 public:
  std::vector<std::string> calls;
  ULONG refs = 1;
  bool released = false;
  HRESULT voiceResult = S_OK;
  HRESULT reloadResult = S_OK;
  bool userBase = true;
  // IsSpeaking answers "speaking" this many times, then "done".
  int speakingPolls = 0;

  HRESULT QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_ITTSUserBase && userBase) {
      *out = static_cast<ITTSUserBase*>(this);
      ++refs;
      return S_OK;
    }
    if (iid == IID_ITTSEngine || iid == IID_IUnknown) {
      *out = static_cast<ITTSEngine*>(this);
      ++refs;
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return ++refs; }
  ULONG Release() override {
    if (--refs == 0) released = true;
    return refs;
  }
  HRESULT ReloadUserBase() override { return Call("ReloadUserBase", reloadResult); }

  HRESULT SetRateRange(INT range) override { return Call("SetRateRange " + std::to_string(range)); }
  HRESULT SetOutputFormat(UINT, INT, INT) override { return Call("SetOutputFormat"); }
  HRESULT IsSpeaking(INT* speaking) override {
    *speaking = speakingPolls > 0 ? 1 : 0;
    if (speakingPolls > 0) --speakingPolls;
    return S_OK;
  }
  HRESULT Resume() override { return Call("Resume"); }
  HRESULT Nop() override { return S_OK; }
  HRESULT Pause() override { return Call("Pause"); }
  HRESULT GetEvents(TTSEvent*, UINT, UINT* got) override {
    *got = 0;
    return S_OK;
  }
  HRESULT Wait(UINT ms) override { return Call("Wait " + std::to_string(ms)); }
  HRESULT IsPaused(INT* paused) override {
    *paused = 0;
    return S_OK;
  }
  HRESULT SetEventCallback(TTSEventCallback, LPVOID) override { return S_OK; }
  HRESULT GetFlag(I1* flag) override {
    *flag = 0;
    return S_OK;
  }
  HRESULT SetVoice(LPCSTR voice) override { return Call("SetVoice " + std::string(voice), voiceResult); }
  HRESULT SkipSentences(INT, INT*) override { return S_OK; }
  HRESULT SetEventMask(UINT mask) override { return Call("SetEventMask " + std::to_string(mask)); }
  HRESULT Stop() override { return Call("Stop"); }
  HRESULT SetNotifyWindow(HWND, UINT message, DWORD cookie) override {
    return Call("SetNotifyWindow " + std::to_string(message) + " " + std::to_string(cookie));
  }
  HRESULT Speak(LPCSTR text, UINT flags) override {
    return Call("Speak " + std::string(text) + " " + std::to_string(flags));
  }
  HRESULT GetRate(I1* rate) override {
    *rate = 0;
    return S_OK;
  }
  HRESULT SetRate(I1 rate) override { return Call("SetRate " + std::to_string(rate)); }
  HRESULT GetPitch(I1* pitch) override {
    *pitch = 0;
    return S_OK;
  }
  HRESULT SetPitch(I1 pitch) override { return Call("SetPitch " + std::to_string(pitch)); }
  HRESULT GetVolume(UI1* volume) override {
    *volume = 0;
    return S_OK;
  }
  HRESULT SetVolume(UI1 volume) override { return Call("SetVolume " + std::to_string(volume)); }

 private:
  HRESULT Call(std::string call, HRESULT result = S_OK) {
    calls.push_back(std::move(call));
    return result;
  }
};
