// The speech engine server Orvox: class TTSEngine with ITTSAudioPull (its
// primary interface), ITTSEngine and ITTSUserBase, and the event record.
// Text is 8-bit Windows-1251, zero-terminated; input stays the caller's.
#pragma once

#include "platform/com.h"

struct HWND__;
using HWND = HWND__*;

inline constexpr CLSID CLSID_TTSEngine = GuidFromText("47B6AC0E-9D44-44FD-BC81-72D64BEE2DE0");
// Declared by the server's type library only; it cannot be created.
inline constexpr CLSID CLSID_TTSManage = GuidFromText("B8EC87FD-1F8B-4D52-8BBF-27353E2710C8");
// A second IID under which the engine answers with its ITTSEngine pointer.
inline constexpr IID IID_ITTSEngineAlias = GuidFromText("120B1D11-3847-4777-B28D-C3D2E5E3BDF6");
// Passed on to an inner object of the text-analysis component.
inline constexpr IID IID_TTSAggregatedInner = GuidFromText("5EFD9B00-650E-4891-A0E1-8B80ACE1E45E");

// Event types (one bit each) and the mask of all of them.
enum TTSEventType : UINT {
  TE_SpeechStart = 1,
  TE_SpeechEnd = 2,
  TE_VoiceChanged = 4,
  // param1 start, param2 exclusive end: byte positions in the spoken text.
  TE_WordSpan = 8,
  TE_SentenceSpan = 16,
  // param1: samples delivered so far in the current pull request.
  TE_AudioDelivered = 32,
};

struct TTSEvent {
  UINT type;
  UINT param1;
  UINT param2;
};
static_assert(sizeof(TTSEvent) == 12);

// Called on the engine's notify thread with the number of new events.
using TTSEventCallback = void (*)(UINT newEvents, LPVOID context);

struct ITTSAudioPull : IUnknown {
  virtual HRESULT Reserved1() = 0;
  virtual HRESULT Reserved2(UINT* value) = 0;
  virtual HRESULT Reserved3() = 0;
  virtual HRESULT Reserved4(UINT value, UINT* out) = 0;
  // Samples go into buffer (size samples) instead of the sound device while
  // both are non-zero; zero switches back to the device.
  virtual HRESULT SetPullBuffer(SHORT* buffer, UINT size) = 0;
  // Asks for the next bufferful; TE_AudioDelivered tells when it is there.
  virtual HRESULT RequestData() = 0;
};
COM_INTERFACE_ID(ITTSAudioPull, "83BB692F-421B-4CF3-856B-D615AE1B058C");

struct ITTSEngine : IUnknown {
  virtual HRESULT SetRateRange(INT range) = 0;
  virtual HRESULT SetOutputFormat(UINT samplesPerSec, INT bits, INT channels) = 0;
  virtual HRESULT IsSpeaking(INT* speaking) = 0;
  virtual HRESULT Resume() = 0;
  virtual HRESULT Nop() = 0;
  virtual HRESULT Pause() = 0;
  virtual HRESULT GetEvents(TTSEvent* events, UINT max, UINT* got) = 0;
  virtual HRESULT Wait(UINT milliseconds) = 0;
  virtual HRESULT IsPaused(INT* paused) = 0;
  virtual HRESULT SetEventCallback(TTSEventCallback callback, LPVOID context) = 0;
  virtual HRESULT GetFlag(I1* flag) = 0;
  virtual HRESULT SetVoice(LPCSTR voiceName) = 0;
  virtual HRESULT SkipSentences(INT count, INT* skipped) = 0;
  virtual HRESULT SetEventMask(UINT mask) = 0;
  virtual HRESULT Stop() = 0;
  // The window gets `message` with (new event count, cookie).
  virtual HRESULT SetNotifyWindow(HWND window, UINT message, DWORD cookie) = 0;
  virtual HRESULT Speak(LPCSTR text, UINT flags) = 0;
  virtual HRESULT GetRate(I1* rate) = 0;
  virtual HRESULT SetRate(I1 rate) = 0;
  virtual HRESULT GetPitch(I1* pitch) = 0;
  virtual HRESULT SetPitch(I1 pitch) = 0;
  virtual HRESULT GetVolume(UI1* volume) = 0;
  virtual HRESULT SetVolume(UI1 volume) = 0;
};
COM_INTERFACE_ID(ITTSEngine, "32026236-99E3-4248-BAEA-466BB2C94A4D");

struct ITTSUserBase : IUnknown {
  virtual HRESULT ReloadUserBase() = 0;
};
COM_INTERFACE_ID(ITTSUserBase, "B5FC9564-0EB5-4DA5-8724-25179E7BEBD3");
