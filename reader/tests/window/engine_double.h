// A test double of the speech engine that records the configuration calls.
#pragma once

#include <string>
#include <vector>

#include "interfaces/orvox.h"

class RecordingEngine : public ITTSEngine {
 public:
  std::vector<std::string> calls;
  HRESULT setVoiceResult = S_OK;
  ULONG references = 1;

  HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG AddRef() override { return ++references; }
  ULONG Release() override { return --references; }
  HRESULT SetRateRange(INT range) override { return Record("SetRateRange " + std::to_string(range)); }
  HRESULT SetOutputFormat(UINT, INT, INT) override { return Record("SetOutputFormat"); }
  HRESULT IsSpeaking(INT* v) override { *v = 0; return S_OK; }
  HRESULT Resume() override { return Record("Resume"); }
  HRESULT Nop() override { return S_OK; }
  HRESULT Pause() override { return Record("Pause"); }
  HRESULT GetEvents(TTSEvent*, UINT, UINT* got) override { *got = 0; return S_OK; }
  HRESULT Wait(UINT) override { return S_OK; }
  HRESULT IsPaused(INT* v) override { *v = 0; return S_OK; }
  HRESULT SetEventCallback(TTSEventCallback, LPVOID) override { return S_OK; }
  HRESULT GetFlag(I1* f) override { *f = 0; return S_OK; }
  HRESULT SetVoice(LPCSTR name) override {
    Record(std::string("SetVoice ") + name);
    return setVoiceResult;
  }
  HRESULT SkipSentences(INT, INT*) override { return S_OK; }
  HRESULT SetEventMask(UINT mask) override { return Record("SetEventMask " + std::to_string(mask)); }
  HRESULT Stop() override { return Record("Stop"); }
  HRESULT SetNotifyWindow(HWND, UINT message, DWORD) override {
    return Record("SetNotifyWindow " + std::to_string(message));
  }
  HRESULT Speak(LPCSTR, UINT) override { return Record("Speak"); }
  HRESULT GetRate(I1*) override { return S_OK; }
  HRESULT SetRate(I1 rate) override { return Record("SetRate " + std::to_string(rate)); }
  HRESULT GetPitch(I1*) override { return S_OK; }
  HRESULT SetPitch(I1 pitch) override { return Record("SetPitch " + std::to_string(pitch)); }
  HRESULT GetVolume(UI1*) override { return S_OK; }
  HRESULT SetVolume(UI1 volume) override { return Record("SetVolume " + std::to_string(volume)); }

 private:
  HRESULT Record(std::string call) {
    calls.push_back(std::move(call));
    return S_OK;
  }
};
