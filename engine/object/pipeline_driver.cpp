// SynthesizeNext: analysed sentences -> syntagma queue -> allophones with
// pause markers -> the next piece of audio and the span it speaks.
#include "engine/object/speech_engine.h"

#include <algorithm>

#include "engine/com_error.h"
#include "engine/pause_markers.h"
#include "engine/phonetic_substitutes.h"
#include "engine/syntagma_phonemes.h"
#include "foundation/code_pages.h"
#include "foundation/string_utils.h"

namespace {

constexpr INT kVoiceKindRussianPhonetics = 1;
// Voice kind 1 speaks up to this many words of a syntagma in one piece.
constexpr size_t kWordsPerPiece = 6;

std::string TakeString(char* text) {
  std::string copy = text != nullptr ? text : "";
  CoTaskMemFree(text);
  return copy;
}

// Copies a popped sentence and frees every block the text analysis gave.
void TakeSyntagmas(Syntagma2* syntagmas, INT count, std::vector<SyntagmaEntry>& out) {
  if (syntagmas == nullptr) return;
  for (INT i = 0; i < count; ++i) {
    Syntagma2& source = syntagmas[i];
    SyntagmaEntry entry;
    entry.type = source.type;
    entry.inton_sign = source.inton_sign;
    for (INT w = 0; source.words != nullptr && w < source.num_words; ++w) {
      SyntagmaWord2& word = source.words[w];
      WordEntry copy;
      copy.str = TakeString(word.str);
      copy.raw_text = TakeString(word.raw_text);
      copy.synt_pos = word.synt_pos;
      copy.start = word.word_itvl.start;
      copy.size = static_cast<UINT>(word.word_itvl.size);
      entry.words.push_back(std::move(copy));
    }
    CoTaskMemFree(source.words);
    out.push_back(std::move(entry));
  }
  CoTaskMemFree(syntagmas);
}

// From the first word of the sentence to the end of its last word.
TextSpan SentenceSpanOf(const std::vector<SyntagmaEntry>& sentence) {
  const WordEntry* first = nullptr;
  const WordEntry* last = nullptr;
  for (const SyntagmaEntry& syntagma : sentence) {
    if (syntagma.words.empty()) continue;
    if (first == nullptr) first = &syntagma.words.front();
    last = &syntagma.words.back();
  }
  if (first == nullptr) return {};
  return TextSpan{first->start, static_cast<UINT>(last->start + last->size - first->start)};
}

}  // namespace

void SpeechEngine::StopPipeline() {
  paused_ = false;
  // A device left paused would never finish its piece, so the speech
  // would never end and the device never close.
  if (device_.IsPaused()) device_.Restart();
  ReplaySetAside();
  // Stopping must not fail: a text analysis that cannot reset is dropped
  // by the next Speak's own reset anyway.
  if (textAnalysis_) textAnalysis_->Reset();
  syntagmas_.clear();
  nextPiece_.Empty();
  // The end of a piece in the device ends the speech; without one (pull
  // mode) it ends now.
  if (!device_.IsOpen()) EndSpeech();
  playing_ = false;
  SetEvent(idle_);
}

bool SpeechEngine::NothingLeft() {
  if (!syntagmas_.empty()) return false;
  UI4 position = 0;
  if (FAILED(textAnalysis_->get_CurPos(&position))) return true;
  // Whether a sentence stands at the position: unlike the count, this cuts a
  // long text no further than that sentence.
  Interval stamp{};
  return FAILED(textAnalysis_->GetSentenceStamp(position, &stamp));
}

void SpeechEngine::SynthesizeNext() {
  nextPiece_.Empty();
  pullReadPos_ = 0;
  if (!textAnalysis_ || NothingLeft()) return;

  bool hasMore = true;
  for (bool firstPass = true; nextPiece_.IsEmpty(); firstPass = false) {
    if (!firstPass && !hasMore && syntagmas_.empty()) break;
    TextSpan sentence;
    bool newSentence = false;
    if (syntagmas_.empty()) hasMore = PopSentence(newSentence, sentence);
    if (syntagmas_.empty()) continue;

    SyntagmaEntry& front = syntagmas_.front();
    if (front.words.empty()) {
      syntagmas_.pop_front();
      continue;
    }
    TextSpan span;
    if (voice_.VoiceKind() == kVoiceKindRussianPhonetics) {
      Render(SyntagmaPiece(front));
      size_t count = std::min(kWordsPerPiece, front.words.size());
      const WordEntry& last = front.words[count - 1];
      span = TextSpan{front.words[0].start,
                      static_cast<UINT>(last.start + last.size - front.words[0].start)};
      front.words.erase(front.words.begin(), front.words.begin() + static_cast<ptrdiff_t>(count));
    } else {
      Render(WordPiece(front, newSentence));
      span = TextSpan{front.words[0].start, front.words[0].size};
      front.words.erase(front.words.begin());
    }
    if (!nextPiece_.IsEmpty()) {
      wordSpan_ = span;
      sentenceSpan_ = sentence;
      sentenceStarts_ = newSentence;
    }
  }
}

bool SpeechEngine::PopSentence(bool& popped, TextSpan& sentence) {
  Syntagma2* array = nullptr;
  INT count = 0;
  I4 hasMore = 0;
  HRESULT result = textAnalysis_->PopSentence(&array, &count, &hasMore);
  std::vector<SyntagmaEntry> copied;
  TakeSyntagmas(array, count, copied);
  // A text analysis that fails has nothing more to give: speech ends.
  if (FAILED(result)) return false;
  popped = !copied.empty();
  if (!popped) return hasMore != 0;
  sentence = SentenceSpanOf(copied);
  for (SyntagmaEntry& syntagma : copied) {
    if (voice_.VoiceKind() == kVoiceKindRussianPhonetics && !ConvertSyntagma(syntagma)) continue;
    syntagmas_.push_back(std::move(syntagma));
  }
  return hasMore != 0;
}

std::string SpeechEngine::WordPiece(const SyntagmaEntry& syntagma, bool newSentence) {
  bool lastWord = syntagma.words.size() == 1;
  std::string phonemes = std::string(newSentence ? "#," : "_,") + syntagma.words[0].str +
                         (lastWord ? ",#" : ",_");
  std::string piece = ToAllophones(phonemes);
  StripEdgeMarks(piece);
  ReplaceAll(piece, ",_,", "," + InterWordPauseMarker() + ",");
  piece += "," + (lastWord ? SyntagmaEndMarker(syntagma.inton_sign) : InterWordPauseMarker());
  return piece;
}

std::string SpeechEngine::SyntagmaPiece(const SyntagmaEntry& syntagma) const {
  std::string piece = syntagma.words[0].str;
  size_t count = std::min(kWordsPerPiece, syntagma.words.size());
  for (size_t i = 1; i < count; ++i) piece += "," + syntagma.words[i].str;
  return piece;
}

std::string SpeechEngine::ToAllophones(const std::string& phonemes) {
  if (!phoneConverter_) return {};
  BSTR input = SysAllocString(NarrowToWide(phonemes).c_str());
  BSTR outPhonemes = nullptr;
  BSTR allophones = nullptr;
  phoneConverter_->ToAllophones(input, &outPhonemes, &allophones);
  std::string result =
      allophones != nullptr ? WideToNarrow(std::u16string(allophones, SysStringLen(allophones)))
                            : std::string();
  SysFreeString(input);
  SysFreeString(outPhonemes);
  SysFreeString(allophones);
  return result;
}

void SpeechEngine::Render(const std::string& piece) {
  SynthParams params;
  params.rate = rate_;
  params.rateRange = rateRange_;
  params.pitch = pitch_;
  params.volume = volume_;
  try {
    Synthesize(voice_, piece, nextPiece_, params, phonetic_.Get());
  } catch (const ComError&) {
    // A failing substitute lookup: the words are skipped, speech goes on.
    nextPiece_.Empty();
  }
}
