// The playback thread (device completions, pull requests) and the notify
// thread.
#include "engine/object/speech_engine.h"

#include <cstring>

#include "engine/object/guarded_call.h"

namespace {

constexpr DWORD kPollMs = 5;

}  // namespace

DWORD SpeechEngine::PlaybackThread(LPVOID engine) {
  static_cast<SpeechEngine*>(engine)->PlaybackLoop();
  return 0;
}

DWORD SpeechEngine::NotifyThread(LPVOID engine) {
  static_cast<SpeechEngine*>(engine)->NotifyLoop();
  return 0;
}

void SpeechEngine::BufferDone() { SetEvent(bufferDone_); }

void SpeechEngine::PlaybackLoop() {
  const HANDLE waits[] = {shutdown_, bufferDone_, pullRequest_, restart_};
  for (;;) {
    DWORD signalled = WaitForMultipleObjects(4, waits, FALSE, kPollMs);
    if (signalled == WAIT_OBJECT_0) return;
    if (signalled == WAIT_TIMEOUT || signalled == WAIT_FAILED) continue;
    HANDLE event = waits[signalled - WAIT_OBJECT_0];
    ResetEvent(event);
    // A failure in one round must not end the thread.
    GuardedCall([&] {
      ScopedLock lock(stateLock_);
      if (event == bufferDone_) {
        OnBufferDone();
      } else if (event == pullRequest_) {
        OnPullRequest();
      } else {
        OnRestart();
      }
      return S_OK;
    });
  }
}

void SpeechEngine::NotifyLoop() {
  while (WaitForSingleObject(shutdown_, kPollMs) == WAIT_TIMEOUT) {
    events_.DispatchNotifications();
  }
}

void SpeechEngine::OnBufferDone() {
  if (paused_) {
    // Finished just as the client paused: handled on Resume.
    doneWhilePaused_ = true;
    return;
  }
  // A late completion after the end of speech has nothing to end.
  if (!device_.IsOpen()) return;
  if (!nextPiece_.IsEmpty()) QueueSpans();
  SubmitAudio();
  SynthesizeNext();
}

void SpeechEngine::OnRestart() {
  device_.Restart();
  device_.Reset();
  SubmitAudio();
}

void SpeechEngine::QueueSpans() {
  if (sentenceStarts_) {
    events_.Queue(TE_SentenceSpan, static_cast<UINT>(sentenceSpan_.start),
                  static_cast<UINT>(sentenceSpan_.start + sentenceSpan_.size));
  }
  events_.Queue(TE_WordSpan, static_cast<UINT>(wordSpan_.start),
                static_cast<UINT>(wordSpan_.start + wordSpan_.size));
}

void SpeechEngine::SubmitAudio() {
  if (nextPiece_.SampleCount() == 0 ||
      !device_.Write(nextPiece_.Data(), nextPiece_.ByteCount(), true)) {
    // Also when the device refuses the piece: no completion would come.
    device_.Close();
    EndSpeech();
    return;
  }
  nextPiece_.Empty();
  playing_ = true;
}

void SpeechEngine::StartSpeech() {
  ResetEvent(idle_);
  speechStarted_ = true;
  events_.Queue(TE_SpeechStart, 0, 0);
}

void SpeechEngine::EndSpeech() {
  playing_ = false;
  SetEvent(idle_);
  if (!speechStarted_) return;
  speechStarted_ = false;
  events_.Queue(TE_SpeechEnd, 0, 0);
}

void SpeechEngine::OnPullRequest() {
  if (paused_) {
    pullWhilePaused_ = true;
    return;
  }
  if (!PullMode()) return;
  if (nextPiece_.IsEmpty()) {
    // Speech that gave no audio at all still ends, once.
    EndSpeech();
    return;
  }
  playing_ = true;
  auto* target = reinterpret_cast<BYTE*>(pullBuffer_);
  const size_t capacity = static_cast<size_t>(pullSamples_) * 2;
  size_t copied = 0;
  for (;;) {
    size_t remaining = nextPiece_.ByteCount() - pullReadPos_;
    size_t space = capacity - copied;
    const BYTE* source = nextPiece_.Data() + pullReadPos_;
    if (remaining > space) {
      std::memcpy(target + copied, source, space);
      events_.Queue(TE_AudioDelivered, pullSamples_, 0);
      pullReadPos_ += space;
      return;
    }
    std::memcpy(target + copied, source, remaining);
    copied += remaining;
    events_.Queue(TE_AudioDelivered, static_cast<UINT>(copied / 2), 0);
    SynthesizeNext();
    if (nextPiece_.IsEmpty()) {
      EndSpeech();
      return;
    }
    if (copied == capacity) return;
  }
}
