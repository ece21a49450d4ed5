#include "engine/object/speech_engine.h"

#include <algorithm>

#include "engine/object/guarded_call.h"
#include "foundation/code_pages.h"

namespace {

constexpr UINT kOutputRate = 11025;
// Speak's stand-in when the text gives no audio at all.
constexpr double kSilenceSeconds = 0.3;
constexpr size_t kSilenceFallbackBytes = 5000;

HANDLE ManualEvent(bool signalled) { return CreateEventW(nullptr, TRUE, signalled, nullptr); }

}  // namespace

SpeechEngine::SpeechEngine(EngineSeams seams)
    : seams_(std::move(seams)), events_(seams_.post), device_(this) {
  device_.SetOpenDelay(seams_.deviceOpenDelayMs);
  waveFormat_.Set(kOutputRate, 16, 1);
  shutdown_ = ManualEvent(false);
  bufferDone_ = ManualEvent(false);
  restart_ = ManualEvent(false);
  pullRequest_ = ManualEvent(false);
  idle_ = ManualEvent(true);
}

SpeechEngine::~SpeechEngine() {
  inner_.Reset();
  SetEvent(shutdown_);
  // Both threads touch this object: wait until they are gone.
  for (HANDLE thread : {playbackThread_, notifyThread_}) {
    if (thread == nullptr) continue;
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
  }
  // Before the events go: a last completion still signals buffer done.
  device_.Close();
  for (HANDLE event : {shutdown_, bufferDone_, restart_, pullRequest_, idle_}) {
    if (event != nullptr) CloseHandle(event);
  }
}

HRESULT SpeechEngine::Start() {
  if (shutdown_ == nullptr || bufferDone_ == nullptr || restart_ == nullptr ||
      pullRequest_ == nullptr || idle_ == nullptr) {
    return E_OUTOFMEMORY;
  }
  playbackThread_ = CreateThread(nullptr, 0, &PlaybackThread, this, 0, nullptr);
  if (playbackThread_ == nullptr) return E_FAIL;
  notifyThread_ = CreateThread(nullptr, 0, &NotifyThread, this, 0, nullptr);
  if (notifyThread_ == nullptr) return E_FAIL;
  return S_OK;
}

bool SpeechEngine::HasVoice() {
  ScopedLock lock(stateLock_);
  return !voicePath_.empty();
}

HRESULT SpeechEngine::SetRateRange(INT range) {
  if (range < 1) return E_INVALIDARG;
  ScopedLock lock(stateLock_);
  rateRange_ = range;
  return S_OK;
}

HRESULT SpeechEngine::SetOutputFormat(UINT samplesPerSec, INT bits, INT channels) {
  WORD bitsPerSample = static_cast<BYTE>(bits);
  WORD channelCount = static_cast<BYTE>(channels);
  if ((bitsPerSample != 8 && bitsPerSample != 16) || (channelCount != 1 && channelCount != 2) ||
      samplesPerSec != kOutputRate) {
    return E_INVALIDARG;
  }
  ScopedLock lock(stateLock_);
  StopPipeline();
  waveFormat_.Set(samplesPerSec, bitsPerSample, channelCount);
  return S_OK;
}

HRESULT SpeechEngine::IsSpeaking(INT* speaking) {
  if (speaking == nullptr) return E_POINTER;
  ScopedLock lock(stateLock_);
  *speaking = playing_ && !paused_ ? 1 : 0;
  return S_OK;
}

HRESULT SpeechEngine::IsPaused(INT* paused) {
  if (paused == nullptr) return E_POINTER;
  ScopedLock lock(stateLock_);
  *paused = playing_ && paused_ ? 1 : 0;
  return S_OK;
}

HRESULT SpeechEngine::Resume() {
  ScopedLock lock(stateLock_);
  if (voicePath_.empty()) return E_ABORT;
  return ResumeLocked();
}

HRESULT SpeechEngine::ResumeLocked() {
  if (!paused_) return S_OK;
  paused_ = false;
  if (!PullMode()) device_.Restart();
  ReplaySetAside();
  return S_OK;
}

void SpeechEngine::ReplaySetAside() {
  if (doneWhilePaused_) SetEvent(bufferDone_);
  if (pullWhilePaused_) SetEvent(pullRequest_);
  doneWhilePaused_ = false;
  pullWhilePaused_ = false;
}

HRESULT SpeechEngine::Nop() {
  ScopedLock lock(stateLock_);
  return S_OK;
}

HRESULT SpeechEngine::Pause() {
  ScopedLock lock(stateLock_);
  if (voicePath_.empty()) return E_ABORT;
  if (paused_) return S_OK;
  paused_ = true;
  if (!PullMode()) device_.Pause();
  return S_OK;
}

HRESULT SpeechEngine::GetEvents(TTSEvent* events, UINT max, UINT* got) {
  return events_.Get(events, max, got);
}

HRESULT SpeechEngine::Wait(UINT milliseconds) {
  WaitForSingleObject(idle_, milliseconds);
  return S_OK;
}

HRESULT SpeechEngine::SetEventCallback(TTSEventCallback callback, LPVOID context) {
  events_.SetCallback(callback, context);
  return S_OK;
}

HRESULT SpeechEngine::SetEventMask(UINT mask) {
  events_.SetMask(mask);
  return S_OK;
}

HRESULT SpeechEngine::SetNotifyWindow(HWND window, UINT message, DWORD cookie) {
  events_.SetNotifyWindow(window, message, cookie);
  return S_OK;
}

HRESULT SpeechEngine::GetFlag(I1* flag) {
  if (flag == nullptr) return E_POINTER;
  ScopedLock lock(stateLock_);
  *flag = flag_;
  return S_OK;
}

HRESULT SpeechEngine::SkipSentences(INT count, INT* skipped) {
  if (skipped == nullptr) return E_POINTER;
  return GuardedCall([&] {
    ScopedLock lock(stateLock_);
    HRESULT result = S_OK;
    if (textAnalysis_) {
      I4 moved = 0;
      char element[] = "Sentence";
      result = textAnalysis_->Skip(element, count, &moved);
      if (SUCCEEDED(result)) *skipped = moved;
    }
    SynthesizeNext();
    return FAILED(result) ? result : S_OK;
  });
}

HRESULT SpeechEngine::Stop() {
  return GuardedCall([&] {
    ScopedLock lock(stateLock_);
    if (voicePath_.empty()) return E_ABORT;
    ResumeLocked();
    StopPipeline();
    return S_OK;
  });
}

HRESULT SpeechEngine::GetRate(I1* rate) {
  if (rate == nullptr) return E_POINTER;
  ScopedLock lock(stateLock_);
  *rate = rate_;
  return S_OK;
}

HRESULT SpeechEngine::SetRate(I1 rate) {
  ScopedLock lock(stateLock_);
  rate_ = static_cast<I1>(std::clamp<INT>(rate, -rateRange_, rateRange_));
  return S_OK;
}

HRESULT SpeechEngine::GetPitch(I1* pitch) {
  if (pitch == nullptr) return E_POINTER;
  ScopedLock lock(stateLock_);
  *pitch = pitch_;
  return S_OK;
}

HRESULT SpeechEngine::SetPitch(I1 pitch) {
  ScopedLock lock(stateLock_);
  pitch_ = static_cast<I1>(std::clamp<INT>(pitch, -kMaxPitch, kMaxPitch));
  return S_OK;
}

HRESULT SpeechEngine::GetVolume(UI1* volume) {
  if (volume == nullptr) return E_POINTER;
  ScopedLock lock(stateLock_);
  *volume = volume_;
  return S_OK;
}

HRESULT SpeechEngine::SetVolume(UI1 volume) {
  ScopedLock lock(stateLock_);
  volume_ = static_cast<UI1>(std::min<UINT>(volume, kMaxVolume));
  return S_OK;
}

HRESULT SpeechEngine::SetPullBuffer(SHORT* buffer, UINT samples) {
  // The playback thread copies into this buffer under the same lock.
  ScopedLock lock(stateLock_);
  if (buffer != nullptr && samples != 0) {
    pullBuffer_ = buffer;
    pullSamples_ = samples;
  } else {
    pullBuffer_ = nullptr;
    pullSamples_ = 0;
  }
  return S_OK;
}

HRESULT SpeechEngine::RequestData() {
  SetEvent(pullRequest_);
  return S_OK;
}

HRESULT SpeechEngine::ReloadUserBase() {
  return GuardedCall([&] {
    // Under the state lock: the text analysis keeps no lock of its own and
    // the playback thread may be using it.
    ScopedLock lock(stateLock_);
    if (!textAnalysis_ || voice_.VoiceKind() == 2) return S_FALSE;
    ComPtr<ILMControl> control;
    if (FAILED(textAnalysis_.As(control))) return S_FALSE;
    return control->ReloadUserBase();
  });
}

HRESULT SpeechEngine::QueryInner(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (!(iid == IID_TTSAggregatedInner)) return E_NOINTERFACE;
  ScopedLock lock(stateLock_);
  if (!inner_) return E_NOINTERFACE;
  inner_->AddRef();
  *object = inner_.Get();
  return S_OK;
}

HRESULT SpeechEngine::Speak(const char* text, UINT /*flags*/) {
  return GuardedCall([&] {
    ScopedLock lock(stateLock_);
    if (voicePath_.empty()) return E_ABORT;
    StopPipeline();
    std::string input = text != nullptr ? text : "";

    if (PullMode()) {
      StartSpeech();
      if (textAnalysis_) textAnalysis_->PushText(input.data(), nullptr, 0);
      SynthesizeNext();
      pullReadPos_ = 0;
      SetEvent(pullRequest_);
      return S_OK;
    }

    // The piece left by Stop is still playing; its end closes the device.
    // The text is refused, so no start event comes that no end would
    // follow.
    if (device_.IsOpen()) return S_FALSE;
    waveFormat_.Set(static_cast<DWORD>(voice_.SampleRate()), 16, 1);
    if (!device_.Open(waveFormat_)) return E_FAIL;
    StartSpeech();
    try {
      if (textAnalysis_) textAnalysis_->PushText(input.data(), nullptr, 0);
      SynthesizeNext();
    } catch (...) {
      // Nothing reached the device: the speech ends here.
      device_.Close();
      EndSpeech();
      throw;
    }

    if (nextPiece_.IsEmpty() && !input.empty()) {
      wordSpan_ = TextSpan{0, static_cast<UINT>(input.size())};
      sentenceSpan_ = wordSpan_;
      sentenceStarts_ = false;
      size_t bytes = static_cast<size_t>(static_cast<INT>(voice_.SampleRate() * kSilenceSeconds)) * 2;
      nextPiece_.SetFormat(waveFormat_);
      nextPiece_.AppendZeros(bytes != 0 ? bytes : kSilenceFallbackBytes);
    }
    if (!nextPiece_.IsEmpty()) QueueSpans();
    SubmitAudio();
    SynthesizeNext();
    return S_OK;
  });
}
