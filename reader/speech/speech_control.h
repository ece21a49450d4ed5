// Reading aloud: the document goes to the engine in chunks cut at sentence
// ends, the engine's events turn the pages as speech passes them, and the
// end of a chunk starts the next until the document ends. The same engine
// speaks the clipboard and the user's text, which move no page.
#pragma once

#include <string>

#include "interfaces/orvox.h"
#include "platform/window/window_types.h"

// What speech needs of the main window and its open document.
class SpeechWindow {
 public:
  virtual ~SpeechWindow() = default;
  virtual HWND Window() = 0;
  // Null while speech is off.
  virtual ITTSEngine* Engine() = 0;
  // A document is open (its text may be empty).
  virtual bool HasDocument() = 0;
  virtual INT PageStart() = 0;
  virtual INT PageLength() = 0;
  virtual INT FileSize() = 0;
  virtual bool OnLastPage() = 0;
  // count bytes of the text file at from, in Windows-1251.
  virtual std::string ReadText(INT from, INT count) = 0;
  virtual void NextPage() = 0;
};

class SpeechControl {
 public:
  explicit SpeechControl(SpeechWindow& window) : window_(window) {}

  // The Speak, Pause and Stop commands (only with a document that has text
  // and an engine).
  void OnSpeak();
  void OnPause();
  void OnStop();
  // Stop from the other commands: only an engine is needed.
  void StopSpeech();
  void SpeakNextChunk();
  // The engine's notification message: drains and handles its events.
  void OnEngineNotify();
  // The wait for the end of stopped speech ran out (timer kSpeechWaitTimer).
  void OnWaitTimer();

  // Speaks text that is not the document; failures show "Error playing text".
  void SpeakClipboard();
  void SpeakUserText(const std::u16string& text);

  INT SpeechPosition() const { return position_; }
  const std::string& Chunk() const { return chunk_; }
  bool Stopped() const { return stopped_; }
  bool DocumentSpeech() const { return documentSpeech_; }
  // Stopped speech is still playing out; a Speak now waits for its end.
  bool AwaitingEnd() const { return awaitingEnd_; }

 private:
  bool CanSpeakDocument();
  void StartDocumentSpeech();
  void SpeakOtherText(const std::string& text);
  void SpeakOtherTextNow(const std::string& text);
  // Holds a Speak back until the stopped speech has ended.
  bool DeferWhileAwaitingEnd(bool document, const std::string& text);
  void RunDeferred();
  void OnSpeechEnd();
  void OnWordSpan(UINT end);

  SpeechWindow& window_;
  std::string chunk_;
  INT position_ = 0;
  bool stopped_ = false;
  bool documentSpeech_ = true;
  // The engine refuses new text (S_FALSE) until the piece in flight at a
  // Stop has played; the Speak asked for meanwhile waits here.
  bool awaitingEnd_ = false;
  enum class Deferred { kNone, kDocument, kText };
  Deferred deferred_ = Deferred::kNone;
  std::string deferredText_;
};

// How long a Speak waits for the end of stopped speech before it is tried
// anyway.
constexpr UINT kSpeechWaitMs = 3000;
