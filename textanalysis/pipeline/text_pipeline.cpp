#include "textanalysis/pipeline/text_pipeline.h"

#include <algorithm>
#include <cstring>

#include "foundation/code_pages.h"
#include "foundation/registry_string.h"
#include "platform/message_box.h"

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
  if (tags != nullptr && tagCount > 0) {
    TagTable& table = resources_.GetTagTable();
    for (int i = 0; i < tagCount; ++i) {
      if (tags[i].desc == nullptr) continue;
      table.AddTag(TagRecord{tags[i].desc, tags[i].tag_itvl});
    }
  }
  const std::string source = text != nullptr ? text : "";
  std::vector<TextToken> tokens;
  taggedTokenizer_.Tokenize(source, tokens, textPosition_);
  textPosition_ += source.size();
  splitter_.Split(std::move(tokens), sentences_);
}

bool TextPipeline::PopSentence() {
  output_.clear();
  if (current_ >= sentences_.size()) return false;
  const SentencePreparer preparer(chain_, resources_.GetCharSet2(), plainTokenizer_,
                                  &resources_.GetTagTable());
  preparer.Prepare(sentences_[current_].tokens, working_);
  stages_.Run(working_, converter_, subLanguage_, output_);
  ++current_;
  working_.Clear();
  return current_ != sentences_.size();
}

void TextPipeline::ForgetText() {
  resources_.ResetTextState();
  sentences_.clear();
  working_.Clear();
  output_.clear();
  current_ = 0;
}

void TextPipeline::Reset() {
  ForgetText();
  textPosition_ = 0;
}

void TextPipeline::Clear() { ForgetText(); }

I4 TextPipeline::Skip(I4 count) {
  const I8 target = std::clamp<I8>(static_cast<I8>(current_) + count, 0,
                                   static_cast<I8>(sentences_.size()));
  const I4 moved = static_cast<I4>(target - static_cast<I8>(current_));
  current_ = static_cast<UI4>(target);
  return moved;
}

bool TextPipeline::SetCurrentIndex(UI4 index) {
  if (index > sentences_.size()) {
    current_ = SentenceCount();
    return false;
  }
  current_ = index;
  return true;
}

bool TextPipeline::GetSentenceStamp(UI4 index, Interval& itvl) const {
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
