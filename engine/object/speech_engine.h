// The speech engine behind TTSEngine: voice selection, the pipeline driver
// that turns analysed text into pieces of audio, double-buffered playback
// through the wave-out device or a client's pull buffer, and the event
// queue with its notify thread.
//
// Every public method returns an HRESULT and lets no exception out: a
// failing language component ends or skips what it was asked for, and
// speech still ends with its end event.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/allobase.h"
#include "engine/audio_buffer.h"
#include "engine/object/com_ptr.h"
#include "engine/object/critical_section.h"
#include "engine/object/engine_seams.h"
#include "engine/object/event_queue.h"
#include "engine/object/wave_out_device.h"
#include "engine/wave_format.h"
#include "interfaces/glossel.h"
#include "interfaces/orvox.h"
#include "interfaces/sonalik.h"
#include "interfaces/tonvar.h"
#include "phonetic/debug_log.h"

// The engine's copy of one analysed word.
struct WordEntry {
  // Phonemes; for voice kind 1 replaced by its allophones and pause marker.
  std::string str;
  std::string raw_text;
  INT synt_pos = 0;
  uint64_t start = 0;
  UINT size = 0;
};

struct SyntagmaEntry {
  // A deque: a long syntagma is spoken from its front.
  std::deque<WordEntry> words;
  INT type = 0;
  INT inton_sign = 0;
  std::string tone;
};

// A stretch of the spoken text, in bytes.
struct TextSpan {
  uint64_t start = 0;
  UINT size = 0;
};

class SpeechEngine : private BufferDoneSink {
 public:
  static constexpr INT kDefaultRateRange = 10;
  static constexpr INT kMaxPitch = 10;
  static constexpr UINT kMaxVolume = 10;

  explicit SpeechEngine(EngineSeams seams);
  // Signals shutdown and waits for both threads to end.
  ~SpeechEngine();
  SpeechEngine(const SpeechEngine&) = delete;
  SpeechEngine& operator=(const SpeechEngine&) = delete;

  // Starts the playback thread and the notify thread.
  HRESULT Start();
  // Where the pipeline reports the words it leaves out and the voice a
  // file that changed under it; the log must outlive the engine. Set before
  // Start.
  void SetDebugLog(DebugLog* log) {
    log_ = log;
    voice_.SetDebugLog(log);
  }

  HRESULT SetRateRange(INT range);
  HRESULT SetOutputFormat(UINT samplesPerSec, INT bits, INT channels);
  HRESULT IsSpeaking(INT* speaking);
  HRESULT Resume();
  HRESULT Nop();
  HRESULT Pause();
  HRESULT GetEvents(TTSEvent* events, UINT max, UINT* got);
  HRESULT Wait(UINT milliseconds);
  HRESULT IsPaused(INT* paused);
  HRESULT SetEventCallback(TTSEventCallback callback, LPVOID context);
  HRESULT GetFlag(I1* flag);
  HRESULT SetVoice(const char* voiceName);
  HRESULT SkipSentences(INT count, INT* skipped);
  HRESULT SetEventMask(UINT mask);
  HRESULT Stop();
  HRESULT SetNotifyWindow(HWND window, UINT message, DWORD cookie);
  HRESULT Speak(const char* text, UINT flags);
  HRESULT GetRate(I1* rate);
  HRESULT SetRate(I1 rate);
  HRESULT GetPitch(I1* pitch);
  HRESULT SetPitch(I1 pitch);
  HRESULT GetVolume(UI1* volume);
  HRESULT SetVolume(UI1 volume);

  HRESULT SetPullBuffer(SHORT* buffer, UINT samples);
  HRESULT RequestData();

  HRESULT ReloadUserBase();
  // The inner object that the text-analysis component answered for
  // IID_TTSAggregatedInner, AddRef'd, or E_NOINTERFACE.
  HRESULT QueryInner(REFIID iid, void** object);

  bool HasVoice();

 private:
  // Voice selection.
  HRESULT SelectVoice(const std::string& name);
  HRESULT CreatePhoneticProcessor(const std::string& lang, bool newLanguage);
  HRESULT CreateRussianPhonetics(const std::string& lang);
  HRESULT CreateTextAnalysis(const CLSID& clsid);
  HRESULT SetSubLanguage(bool newLanguage);

  // Pipeline driver.
  void StopPipeline();
  void SynthesizeNext();
  bool NothingLeft();
  // Pops one sentence into the syntagma queue; false when the text analysis
  // has no more (or fails). `popped` is set when syntagmas came out.
  bool PopSentence(bool& popped, TextSpan& sentence);
  // Voice kind 1: the syntagma's words get their allophones and markers; a
  // word the phonetics refuse is left out (and logged); false when no word
  // is left (the syntagma is then dropped).
  bool ConvertSyntagma(SyntagmaEntry& syntagma);
  // False when the phonetics refuse the list.
  bool PhonemesToAllophones(std::string phonemes, std::string& allophones);
  // Drops the words whose phonemes the phonetics refuse on their own.
  void LeaveOutRefusedWords(SyntagmaEntry& syntagma, std::vector<std::string>& phonemes);
  // Replaces each vowel the phonetics do not hold by the nearest one held;
  // true when any changed.
  bool MapToHeldVowels(std::string& phonemes);
  const std::string& HeldNameFor(const std::string& name);
  std::string WordPiece(const SyntagmaEntry& syntagma, bool newSentence);
  std::string SyntagmaPiece(const SyntagmaEntry& syntagma) const;
  std::string ToAllophones(const std::string& phonemes);
  void Render(const std::string& piece);

  // Playback.
  static DWORD PlaybackThread(LPVOID engine);
  static DWORD NotifyThread(LPVOID engine);
  void PlaybackLoop();
  void NotifyLoop();
  void BufferDone() override;
  void OnBufferDone();
  void OnPullRequest();
  void OnRestart();
  void QueueSpans();
  void SubmitAudio();
  // The start event of accepted text, and the one end event that follows
  // it (EndSpeech queues nothing when no speech was started).
  void StartSpeech();
  void EndSpeech();
  // Signals again what the playback thread set aside while paused.
  void ReplaySetAside();
  bool PullMode() const { return pullBuffer_ != nullptr; }
  HRESULT ResumeLocked();

  EngineSeams seams_;
  CriticalSection stateLock_;
  EventQueue events_;
  WaveOutDevice device_;
  WaveFormat waveFormat_;

  ComPtr<ILMPrepToSpeak2> textAnalysis_;
  ComPtr<IPMPhoneConverter> phoneConverter_;
  ComPtr<IPhonetic> phonetic_;
  ComPtr<IUnknown> inner_;

  Allobase voice_;

  HANDLE shutdown_ = nullptr;
  HANDLE bufferDone_ = nullptr;
  HANDLE restart_ = nullptr;
  HANDLE pullRequest_ = nullptr;
  HANDLE idle_ = nullptr;

  bool paused_ = false;
  // Completions and pull requests that arrived while paused, handled on
  // Resume.
  bool doneWhilePaused_ = false;
  bool pullWhilePaused_ = false;
  AudioBuffer nextPiece_;
  HANDLE playbackThread_ = nullptr;
  HANDLE notifyThread_ = nullptr;
  std::string voicePath_;
  I1 flag_ = 0;
  bool playing_ = false;
  // A start event has been queued and its end event not yet.
  bool speechStarted_ = false;

  std::deque<SyntagmaEntry> syntagmas_;
  // Phoneme name -> the name spoken, for names the phonetics refused once.
  std::unordered_map<std::string, std::string> heldNames_;

  size_t pullReadPos_ = 0;
  SHORT* pullBuffer_ = nullptr;
  UINT pullSamples_ = 0;

  TextSpan wordSpan_;
  TextSpan sentenceSpan_;
  bool sentenceStarts_ = false;

  std::string language_;
  I1 rate_ = 0;
  I1 pitch_ = 0;
  UI1 volume_ = kMaxVolume;
  INT rateRange_ = kDefaultRateRange;
  DebugLog* log_ = nullptr;
};
