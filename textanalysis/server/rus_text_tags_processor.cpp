#include "textanalysis/server/rus_text_tags_processor.h"

#include <cstring>
#include <new>

#include "textanalysis/server/syntagma_copy.h"

namespace {

NormaliserParts PartsOf(Normaliser& normaliser) {
  NormaliserParts parts;
  parts.bases = &normaliser;
  parts.processors = normaliser.Processors();
  parts.abbreviations = normaliser.Abbreviations();
  return parts;
}

}  // namespace

CRusTextTagsProcessor::CRusTextTagsProcessor() : pipeline_(PartsOf(normaliser_)) {}

HRESULT CRusTextTagsProcessor::FinalConstruct() {
  return pipeline_.Init() == TextPipeline::kReady ? S_OK : E_FAIL;
}

HRESULT CRusTextTagsProcessor::PushText(LPSTR Text, MarkupInfo* pTags, INT NumTags) {
  try {
    pipeline_.PushText(Text, pTags, NumTags);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

template <class Record>
HRESULT CRusTextTagsProcessor::Pop(Record** ppSints, INT* NumSynts, I4* bHasMore) {
  if (ppSints == nullptr || NumSynts == nullptr || bHasMore == nullptr) return E_POINTER;
  *ppSints = nullptr;
  *NumSynts = 0;
  *bHasMore = 0;
  try {
    const bool more = pipeline_.PopSentence();
    *bHasMore = more ? 1 : 0;
    return CopySyntagmas(pipeline_.Output(), ppSints, NumSynts);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

HRESULT CRusTextTagsProcessor::PopSentence(Syntagma2** ppSints, INT* NumSynts, I4* bHasMore) {
  return Pop(ppSints, NumSynts, bHasMore);
}

HRESULT CRusTextTagsProcessor::PopSentence(Syntagma3** ppSints, INT* NumSynts, I4* bHasMore) {
  return Pop(ppSints, NumSynts, bHasMore);
}

HRESULT CRusTextTagsProcessor::Reset() {
  pipeline_.Reset();
  return S_OK;
}

HRESULT CRusTextTagsProcessor::Skip(LPSTR ElementType, I4 NumToSkip, I4* pNumSkipped) {
  if (ElementType == nullptr || pNumSkipped == nullptr) return E_INVALIDARG;
  if (std::strcmp(ElementType, "Sentence") != 0) return E_NOTIMPL;
  *pNumSkipped = pipeline_.Skip(NumToSkip);
  return S_OK;
}

HRESULT CRusTextTagsProcessor::get_CurPos(UI4* pVal) {
  if (pVal == nullptr) return E_INVALIDARG;
  *pVal = pipeline_.CurrentIndex();
  return S_OK;
}

HRESULT CRusTextTagsProcessor::put_CurPos(UI4 newVal) {
  return pipeline_.SetCurrentIndex(newVal) ? S_OK : S_FALSE;
}

HRESULT CRusTextTagsProcessor::get_SentenceCount(UI4* pVal) {
  if (pVal == nullptr) return E_INVALIDARG;
  *pVal = pipeline_.SentenceCount();
  return S_OK;
}

HRESULT CRusTextTagsProcessor::Clear() {
  pipeline_.Clear();
  return S_OK;
}

HRESULT CRusTextTagsProcessor::GetSentenceStamp(UI4 iSent, Interval* pSentItvl) {
  if (pSentItvl == nullptr) return E_INVALIDARG;
  return pipeline_.GetSentenceStamp(iSent, *pSentItvl) ? S_OK : E_INVALIDARG;
}

HRESULT CRusTextTagsProcessor::GetCodePage(INT* CodePage) {
  if (CodePage == nullptr) return E_INVALIDARG;
  *CodePage = 1251;
  return S_OK;
}

HRESULT CRusTextTagsProcessor::ReloadUserBase() {
  return pipeline_.ReloadUserBase() ? S_OK : E_FAIL;
}

HRESULT CRusTextTagsProcessor::SetLang(INT Val) {
  return pipeline_.SetSubLanguage(Val) ? S_OK : E_FAIL;
}
