// The text-analysis object: takes 8-bit text with markup tags and gives it
// back sentence by sentence as syntagmas of words with phoneme strings.
#pragma once

#include "interfaces/glossel.h"
#include "platform/server.h"
#include "textanalysis/normalisation/normaliser.h"
#include "textanalysis/pipeline/text_pipeline.h"

class CRusTextTagsProcessor
    : public ComObject<ILMPrepToSpeak4, ILMPrepToSpeak2, ILMControl, ILMSubLang> {
 public:
  CRusTextTagsProcessor();

  // Loads everything; the object is not created when that fails.
  HRESULT FinalConstruct();

  // ILMPrepToSpeak2
  HRESULT PushText(LPSTR Text, MarkupInfo* pTags, INT NumTags) override;
  HRESULT PopSentence(Syntagma2** ppSints, INT* NumSynts, I4* bHasMore) override;
  HRESULT Reset() override;
  HRESULT Skip(LPSTR ElementType, I4 NumToSkip, I4* pNumSkipped) override;
  HRESULT get_CurPos(UI4* pVal) override;
  HRESULT put_CurPos(UI4 newVal) override;
  HRESULT get_SentenceCount(UI4* pVal) override;
  HRESULT Clear() override;
  HRESULT GetSentenceStamp(UI4 iSent, Interval* pSentItvl) override;
  // ILMPrepToSpeak4
  HRESULT PopSentence(Syntagma3** ppSints, INT* NumSynts, I4* bHasMore) override;
  // ILMControl
  HRESULT GetCodePage(INT* CodePage) override;
  HRESULT ReloadUserBase() override;
  // ILMSubLang
  HRESULT SetLang(INT Val) override;

 private:
  template <class Record>
  HRESULT Pop(Record** ppSints, INT* NumSynts, I4* bHasMore);

  // The normaliser is built before the pipeline that uses it.
  Normaliser normaliser_;
  TextPipeline pipeline_;
};
