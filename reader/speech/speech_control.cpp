#include "reader/speech/speech_control.h"

#include <algorithm>

#include "foundation/code_pages.h"
#include "platform/message_box.h"
#include "platform/window/clipboard.h"
#include "platform/window/window_host.h"
#include "reader/command_ids.h"
#include "reader/buttons/keep_awake.h"
#include "reader/speech/speech_chunk.h"

namespace {

constexpr UINT kSpeakFlags = 1;

bool IsSet(HRESULT (ITTSEngine::*query)(INT*), ITTSEngine& engine) {
  INT value = 0;
  return SUCCEEDED((engine.*query)(&value)) && value == 1;
}

}  // namespace

bool SpeechControl::CanSpeakDocument() {
  return window_.HasDocument() && window_.FileSize() > 0 && window_.Engine() != nullptr;
}

void SpeechControl::OnSpeak() {
  if (!CanSpeakDocument()) return;
  ITTSEngine& engine = *window_.Engine();
  const INT pageStart = window_.PageStart();
  const INT fileSize = window_.FileSize();
  if (pageStart >= fileSize) return;
  if (IsSet(&ITTSEngine::IsPaused, engine)) {
    engine.Resume();
    return;
  }
  if (IsSet(&ITTSEngine::IsSpeaking, engine)) {
    engine.Pause();
    return;
  }
  if (DeferWhileAwaitingEnd(true, {})) return;
  StartDocumentSpeech();
}

void SpeechControl::StartDocumentSpeech() {
  const INT pageStart = window_.PageStart();
  const INT fileSize = window_.FileSize();
  if (pageStart >= fileSize) return;
  StartKeepAwake(window_.Window());
  const std::string before = pageStart > 0 ? window_.ReadText(pageStart - 1, 1) : std::string();
  const std::string head =
      window_.ReadText(pageStart, std::min(kPartialWordBytes, fileSize - pageStart));
  position_ = pageStart + SpeechStartSkip(pageStart, before.empty() ? ' ' : before[0], head);
  SpeakNextChunk();
}

void SpeechControl::SpeakNextChunk() {
  ITTSEngine* engine = window_.Engine();
  if (engine == nullptr) return;
  if (IsSet(&ITTSEngine::IsPaused, *engine)) {
    engine->Resume();
    return;
  }
  if (IsSet(&ITTSEngine::IsSpeaking, *engine)) return;
  const INT fileSize = window_.FileSize();
  if (position_ >= fileSize) {
    StopKeepAwake(window_.Window());
    return;
  }
  chunk_ = MakeSpeechChunk(window_.ReadText(position_, std::min(kSpeechChunkBytes, fileSize - position_)));
  documentSpeech_ = true;
  if (engine->Speak(chunk_.c_str(), kSpeakFlags) == S_OK) {
    stopped_ = false;
  } else {
    // Nothing will be spoken, so no end of speech will come to stop it.
    StopKeepAwake(window_.Window());
  }
}

void SpeechControl::OnStop() {
  if (!CanSpeakDocument()) return;
  StopSpeech();
}

void SpeechControl::StopSpeech() {
  ITTSEngine* engine = window_.Engine();
  if (engine == nullptr) return;
  const bool busy = IsSet(&ITTSEngine::IsSpeaking, *engine) || IsSet(&ITTSEngine::IsPaused, *engine);
  StopKeepAwake(window_.Window());
  stopped_ = true;
  deferred_ = Deferred::kNone;
  KillTimer(window_.Window(), kSpeechWaitTimer);
  engine->Stop();
  if (busy) awaitingEnd_ = true;
}

bool SpeechControl::DeferWhileAwaitingEnd(bool document, const std::string& text) {
  if (!awaitingEnd_) return false;
  deferred_ = document ? Deferred::kDocument : Deferred::kText;
  deferredText_ = text;
  SetTimer(window_.Window(), kSpeechWaitTimer, kSpeechWaitMs);
  return true;
}

void SpeechControl::RunDeferred() {
  awaitingEnd_ = false;
  KillTimer(window_.Window(), kSpeechWaitTimer);
  const Deferred deferred = deferred_;
  deferred_ = Deferred::kNone;
  if (window_.Engine() == nullptr) return;
  if (deferred == Deferred::kDocument && CanSpeakDocument()) {
    StartDocumentSpeech();
  } else if (deferred == Deferred::kText) {
    SpeakOtherTextNow(deferredText_);
  }
}

void SpeechControl::OnWaitTimer() { RunDeferred(); }

void SpeechControl::OnPause() {
  if (!CanSpeakDocument()) return;
  ITTSEngine& engine = *window_.Engine();
  if (IsSet(&ITTSEngine::IsSpeaking, engine)) {
    engine.Pause();
  } else if (IsSet(&ITTSEngine::IsPaused, engine)) {
    engine.Resume();
  }
}

void SpeechControl::OnEngineNotify() {
  ITTSEngine* engine = window_.Engine();
  if (engine == nullptr) return;
  std::vector<TTSEvent> events;
  for (;;) {
    TTSEvent event{};
    UINT got = 0;
    if (FAILED(engine->GetEvents(&event, 1, &got)) || got < 1) break;
    events.push_back(event);
  }
  for (const TTSEvent& event : events) {
    if (event.type == TE_SpeechEnd && awaitingEnd_) {
      // The end of the stopped speech: it starts nothing of its own.
      stopped_ = false;
      RunDeferred();
      continue;
    }
    if (!documentSpeech_) continue;
    if (event.type == TE_SpeechEnd) {
      OnSpeechEnd();
    } else if (event.type == TE_WordSpan) {
      OnWordSpan(event.param2);
    }
  }
}

void SpeechControl::OnSpeechEnd() {
  if (!stopped_) {
    const INT chunkEnd = position_ + static_cast<INT>(chunk_.size());
    while (chunkEnd >= window_.PageStart() + window_.PageLength() && !window_.OnLastPage()) {
      const INT before = window_.PageStart();
      window_.NextPage();
      if (window_.PageStart() == before) break;  // no progress: a page that cannot turn
    }
    position_ = chunkEnd;
    SpeakNextChunk();
  }
  stopped_ = false;
}

void SpeechControl::OnWordSpan(UINT end) {
  if (position_ + static_cast<INT>(end) >= window_.PageStart() + window_.PageLength() &&
      !window_.OnLastPage()) {
    window_.NextPage();
  }
}

void SpeechControl::SpeakOtherText(const std::string& text) {
  if (DeferWhileAwaitingEnd(false, text)) return;
  SpeakOtherTextNow(text);
}

void SpeechControl::SpeakOtherTextNow(const std::string& text) {
  documentSpeech_ = false;
  if (window_.Engine()->Speak(text.c_str(), kSpeakFlags) != S_OK) {
    MessageBoxW(window_.Window(), u"Error playing text", nullptr, MB_OK);
  }
}

void SpeechControl::SpeakClipboard() {
  if (window_.Engine() == nullptr) return;
  StopSpeech();
  if (!OpenClipboard(window_.Window())) {
    MessageBoxW(window_.Window(), u"Cannot open the Clipboard", nullptr, MB_OK);
    return;
  }
  std::string text;
  std::u16string wide;
  if (IsClipboardFormatAvailable(CF_TEXT) && GetClipboardText(&text)) {
    SpeakOtherText(text);
  } else if (IsClipboardFormatAvailable(CF_UNICODETEXT) && GetClipboardUnicodeText(&wide)) {
    SpeakOtherText(WideToNarrow(wide));
  }
  CloseClipboard();
}

void SpeechControl::SpeakUserText(const std::u16string& text) {
  if (window_.Engine() == nullptr || text.empty()) return;
  SpeakOtherText(WideToNarrow(text));
}
