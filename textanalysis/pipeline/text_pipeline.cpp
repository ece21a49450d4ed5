#include "textanalysis/pipeline/text_pipeline.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "foundation/code_pages.h"
#include "foundation/registry_string.h"
#include "platform/message_box.h"
#include "textanalysis/pipeline/sentence_slices.h"
#include "textanalysis/stages/tone_marks.h"

namespace {

constexpr const char* kConfigKey = "SOFTWARE\\Morvane\\Russian";
// Any in-process or out-of-process server will do.
constexpr DWORD kConverterContext =
    CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

}  // namespace

TextPipeline::TextPipeline(NormaliserParts normaliser)
    : normaliser_(normaliser), resources_(normaliser.bases) {}

int TextPipeline::Init() {
  const int loaded = resources_.LoadAll();
  if (loaded != LinguisticResources::kLoaded) return loaded;

  if (!serviceWords_.Load(resources_.GetStringResources())) return kFailed;
  if (!stages_.Init(resources_, serviceWords_)) return kFailed;

  taggedTokenizer_.SetTextState(&resources_.GetTagTable(), &resources_.GetStressByPosition());
  taggedTokenizer_.SetCharSet(&resources_.GetCharSet1());
  untaggedTokenizer_.SetCharSet(&resources_.GetCharSet1());
  plainTokenizer_.SetCharSet(&resources_.GetCharSet2());
  splitter_.SetAbbreviations(normaliser_.abbreviations);

  chain_.Register(normaliser_.processors,
                  PhraseProcessingEnabled(resources_.GetStringResources()));
  if (!chain_.Init(&resources_)) return kFailed;

  return CreateLetterToPhoneme();
}

int TextPipeline::CreateLetterToPhoneme() {
  std::string text;
  if (!ReadRegistryString(text, HKEY_LOCAL_MACHINE, kConfigKey, "Runemap")) return kConfigMissing;
  CLSID clsid{};
  IRunemap* runemap = nullptr;
  const std::u16string wide = NarrowToWide(text);
  HRESULT hr = CLSIDFromString(wide.c_str(), &clsid);
  if (SUCCEEDED(hr))
    hr = CoCreateInstance(clsid, nullptr, kConverterContext, IID_PPV_ARGS(&runemap));
  if (FAILED(hr) || runemap == nullptr) {
    MessageBoxW(nullptr, u"Ошибка загрузки модуля преобразования буква-фонема",
                u"Glossel module", MB_OK | MB_ICONERROR);
    return kFailed;
  }
  IRunemap2* runemap2 = nullptr;
  if (FAILED(runemap->QueryInterface(IID_PPV_ARGS(&runemap2)))) runemap2 = nullptr;
  converter_.Attach(runemap, runemap2);
  return runemap2 != nullptr ? kReady : kFailed;
}

void TextPipeline::PushText(const char* text, const MarkupInfo* tags, int tagCount) {
  auto source = std::make_shared<const std::string>(text != nullptr ? text : "");
  TagTable& table = resources_.GetTagTable();
  for (int i = 0; tags != nullptr && i < tagCount; ++i)
    if (tags[i].desc != nullptr) table.AddTag(TagRecord{tags[i].desc, tags[i].tag_itvl});
  const bool tagged = !table.IsEmpty();
  const UI8 start = textPosition_;
  textPosition_ += source->size();
  // The sentences of earlier texts come first (kept text is cut without
  // the tag table, so the new tags do not change them).
  CutUntil(kNoPosition);
  if (!tagged) {
    keptTexts_.push_back(KeptText{
        LazySentenceCutter(untaggedTokenizer_, splitter_, std::move(source), start),
        sentences_.size(), SIZE_MAX, SIZE_MAX, {}});
    CutUntil(static_cast<UI8>(sentences_.size()) + 1);  // a short text at once
    return;
  }
  std::vector<TextToken> tokens;
  taggedTokenizer_.Tokenize(*source, tokens, start);
  splitter_.Split(std::move(tokens), sentences_);
}

void TextPipeline::CutUntil(UI8 count) {
  while (sentences_.size() < count && cutting_ < keptTexts_.size()) {
    KeptText& kept = keptTexts_[cutting_];
    if (!kept.cutter.Done() &&
        (kept.checkpoints.empty() || kept.cutter.BytesCut() >=
                                         kept.checkpoints.back().cutter.BytesCut() + kCheckpointBytes))
      kept.checkpoints.push_back(Checkpoint{kept.cutter, sentences_.size()});
    if (!kept.cutter.CutSome(sentences_)) {
      kept.end = sentences_.size();
      ++cutting_;
    }
  }
}

UI4 TextPipeline::SentenceCount() {
  // A push cuts the texts before it whole, so only the last may be cut in part.
  if (cutting_ >= keptTexts_.size()) return static_cast<UI4>(sentences_.size());
  KeptText& kept = keptTexts_[cutting_];
  if (kept.count == SIZE_MAX) {
    // On a copy of its cutter, each sentence let go as soon as it is cut.
    LazySentenceCutter counter = kept.cutter;
    std::vector<Sentence> cut;
    size_t rest = 0;
    while (counter.CutSome(cut)) {
      rest += cut.size();
      cut.clear();
    }
    kept.count = sentences_.size() - kept.first + rest;
  }
  return static_cast<UI4>(kept.first + kept.count);
}

const TextPipeline::KeptText* TextPipeline::KeptTextOf(size_t index) const {
  for (const KeptText& kept : keptTexts_)
    if (index >= kept.first && index < kept.end) return &kept;
  return nullptr;
}

void TextPipeline::ReleaseTokens(size_t index) {
  if (KeptTextOf(index) != nullptr) std::vector<TextToken>().swap(sentences_[index].tokens);
}

void TextPipeline::RestoreTokens(size_t index) {
  if (!sentences_[index].tokens.empty()) return;
  const KeptText* kept = KeptTextOf(index);
  if (kept == nullptr) return;
  // Cut again from the nearest checkpoint at or before it; the sentences
  // that follow it are given back too, for they are likely to be asked for
  // next.
  constexpr size_t kRestored = 64;
  const auto after =
      std::upper_bound(kept->checkpoints.begin(), kept->checkpoints.end(), index,
                       [](size_t i, const Checkpoint& checkpoint) { return i < checkpoint.sentence; });
  const Checkpoint& from = *std::prev(after);
  LazySentenceCutter again = from.cutter;
  std::vector<Sentence> cut;
  const size_t last = std::min(index + kRestored, sentences_.size());
  while (from.sentence + cut.size() < last && again.CutSome(cut)) {
  }
  for (size_t i = index; i < last && i - from.sentence < cut.size(); ++i)
    if (sentences_[i].tokens.empty() && i >= current_)
      sentences_[i].tokens = std::move(cut[i - from.sentence].tokens);
}

bool TextPipeline::PopSentence() {
  output_.clear();
  SliceEnd slice{};
  if (!PrepareSlice(working_, &slice)) return false;
  stages_.Run(working_, converter_, subLanguage_, output_);
  working_.Clear();
  if (sliceStart_ != 0) {
    // The sentence goes on: the current index stays until its last slice.
    // A slice cut between two words pauses as at a comma, not as at its end.
    if (!slice.atPunctuation && !output_.empty()) {
      output_.back().endSign = SE_Comma6;
      SetToneMarks(output_);
    }
    return true;
  }
  return current_ != sentences_.size();
}

bool TextPipeline::PrepareSentence(PreparedSentence& prepared) {
  SliceEnd slice{};
  return PrepareSlice(prepared, &slice);
}

bool TextPipeline::PrepareSlice(PreparedSentence& prepared, SliceEnd* slice) {
  CutUntil(static_cast<UI8>(current_) + 1);
  if (current_ >= sentences_.size()) return false;
  RestoreTokens(current_);
  const SentencePreparer preparer(chain_, resources_.GetCharSet2(), plainTokenizer_,
                                  &resources_.GetTagTable());
  const std::vector<TextToken>& tokens = sentences_[current_].tokens;
  *slice = EndOfSlice(tokens, sliceStart_);
  if (sliceStart_ == 0 && slice->end == tokens.size()) {
    preparer.Prepare(tokens, prepared);
  } else {
    const auto first = tokens.begin() + static_cast<std::ptrdiff_t>(sliceStart_);
    preparer.Prepare(
        std::vector<TextToken>(first, tokens.begin() + static_cast<std::ptrdiff_t>(slice->end)),
        prepared);
  }
  if (slice->end < tokens.size()) {
    sliceStart_ = slice->end;
    return true;
  }
  sliceStart_ = 0;
  ReleaseTokens(current_);
  ++current_;
  CutUntil(static_cast<UI8>(current_) + 1);
  return true;
}

void TextPipeline::ForgetText() {
  resources_.ResetTextState();
  sentences_.clear();
  keptTexts_.clear();
  cutting_ = 0;
  working_.Clear();
  output_.clear();
  current_ = 0;
  sliceStart_ = 0;
}

void TextPipeline::Reset() {
  ForgetText();
  textPosition_ = 0;
}

void TextPipeline::Clear() { ForgetText(); }

I4 TextPipeline::Skip(I4 count) {
  sliceStart_ = 0;
  if (count > 0) CutUntil(static_cast<UI8>(current_) + static_cast<UI8>(count));
  const I8 target = std::clamp<I8>(static_cast<I8>(current_) + count, 0,
                                   static_cast<I8>(sentences_.size()));
  const I4 moved = static_cast<I4>(target - static_cast<I8>(current_));
  current_ = static_cast<UI4>(target);
  CutUntil(static_cast<UI8>(current_) + 1);
  return moved;
}

bool TextPipeline::SetCurrentIndex(UI4 index) {
  sliceStart_ = 0;
  CutUntil(index);
  if (index > sentences_.size()) {
    current_ = SentenceCount();
    return false;
  }
  current_ = index;
  CutUntil(static_cast<UI8>(current_) + 1);
  return true;
}

bool TextPipeline::GetSentenceStamp(UI4 index, Interval& itvl) {
  CutUntil(static_cast<UI8>(index) + 1);
  if (index >= sentences_.size()) return false;
  itvl = sentences_[index].itvl;
  return true;
}

bool TextPipeline::SetSubLanguage(INT value) {
  subLanguage_ = value;
  IRunemap* runemap = converter_.Runemap();
  IRunemapLang* lang = nullptr;
  if (runemap == nullptr || FAILED(runemap->QueryInterface(IID_PPV_ARGS(&lang))) ||
      lang == nullptr)
    return false;
  lang->SetLang(value);
  lang->Release();
  return true;
}
