// Text-analysis server: class, interfaces and the records that cross into
// the speech engine.
//
// Text is 8-bit Windows-1251. Input strings and tag arrays stay the
// caller's. Every array and string returned by PopSentence comes from
// CoTaskMemAlloc (one block for the syntagma array, one per syntagma for its
// words, one per string) and is freed by the caller with CoTaskMemFree; a
// missing string is a null pointer.
//
// Records have the natural layout of this machine (8-byte pointers, the
// 64-bit start aligned to 8).
#pragma once

#include <cstddef>

#include "foundation/text_token.h"
#include "platform/com.h"

// "RusTextTagsProcessor Class": ILMPrepToSpeak2, ILMPrepToSpeak4,
// ILMControl, ILMSubLang. ProgID "GlosselModule.RusTextTagsProcessor.1".
inline constexpr CLSID CLSID_RusTextTagsProcessor =
    GuidFromText("4DD57616-8871-43E7-9BBC-409CB0A6E00C");
// "GlosselModule 1.0 Type Library" (not built).
inline constexpr GUID LIBID_GlosselModule = GuidFromText("E6E05256-8D91-48A2-9CF5-46452F6F8400");

// Interval (start: character position in the text stream, size: length in
// characters) is the text data model's record, shared as it is.
static_assert(sizeof(Interval) == 16 && offsetof(Interval, start) == 0 &&
              offsetof(Interval, size) == 8);

enum _eLMSyntagmaType : INT {
  UnknownSyntagma = 0,
  ShortSyntagma = 1,
  OrthographicSyntagma = 2,
};

enum _eLMPosInSyntagma : INT {
  FirstInSyntagma = 0,
  MiddleInSyntagma = 1,
  LastInSyntagma = 2,
};

// The intonation sign at the end of a syntagma.
enum _eLMSyntagmaEnd : INT {
  SE_None = 0,
  SE_Exclamation = 1,
  SE_Exclamation1 = 2,
  SE_Question1 = 3,
  SE_Question2 = 4,
  SE_Stop1 = 5,
  SE_Stop2 = 6,
  SE_Stop3 = 7,
  SE_Stop4 = 8,
  SE_Stop5 = 9,
  SE_Comma1 = 10,
  SE_Comma2 = 11,
  SE_Comma3 = 12,
  SE_Comma4 = 13,
  SE_Comma5 = 14,
  SE_Comma6 = 15,
  SE_Comma7 = 16,
  SE_Comma8 = 17,
};

// One markup tag: its text (NUL-terminated) and the span it applies to.
struct MarkupInfo {
  char* desc;
  Interval tag_itvl;
};
static_assert(sizeof(MarkupInfo) == 24 && offsetof(MarkupInfo, tag_itvl) == 8);

struct SyntagmaWord2 {
  char* str;       // phoneme string
  char* raw_text;  // the word's letters
  _eLMPosInSyntagma synt_pos;
  Interval word_itvl;
};
static_assert(sizeof(SyntagmaWord2) == 40 && offsetof(SyntagmaWord2, raw_text) == 8 &&
              offsetof(SyntagmaWord2, synt_pos) == 16 &&
              offsetof(SyntagmaWord2, word_itvl) == 24);

struct Syntagma2 {
  _eLMSyntagmaType type;
  _eLMSyntagmaEnd inton_sign;
  SyntagmaWord2* words;
  INT num_words;
};
static_assert(sizeof(Syntagma2) == 24 && offsetof(Syntagma2, inton_sign) == 4 &&
              offsetof(Syntagma2, words) == 8 && offsetof(Syntagma2, num_words) == 16);

// Syntagma2 followed by the tone contour text.
struct Syntagma3 {
  _eLMSyntagmaType type;
  _eLMSyntagmaEnd inton_sign;
  SyntagmaWord2* words;
  INT num_words;
  char* tone_kont;
};
static_assert(sizeof(Syntagma3) == 32 && offsetof(Syntagma3, words) == 8 &&
              offsetof(Syntagma3, num_words) == 16 && offsetof(Syntagma3, tone_kont) == 24);

struct ILMPrepToSpeak2 : IUnknown {
  // Appends the sentences of Text (null = empty) to those held; the tags
  // are copied. Positions continue from the previous push. Always S_OK.
  virtual HRESULT PushText(LPSTR Text, MarkupInfo* pTags, INT NumTags) = 0;
  // The next sentence as syntagmas; *ppSints null and *NumSynts 0 when it
  // gives none or none is left; *bHasMore 1 while sentences remain after it.
  virtual HRESULT PopSentence(Syntagma2** ppSints, INT* NumSynts, I4* bHasMore) = 0;
  // Forgets the text and its tags; positions start again at 0.
  virtual HRESULT Reset() = 0;
  // ElementType "Sentence" only; the current index moves by NumToSkip,
  // clamped to [0, count]; *pNumSkipped is the signed distance moved.
  virtual HRESULT Skip(LPSTR ElementType, I4 NumToSkip, I4* pNumSkipped) = 0;
  virtual HRESULT get_CurPos(UI4* pVal) = 0;
  // S_FALSE (index set to the count) when newVal is above the count.
  virtual HRESULT put_CurPos(UI4 newVal) = 0;
  // Sentences held, popped ones included.
  virtual HRESULT get_SentenceCount(UI4* pVal) = 0;
  // As Reset, but later positions continue after the text already pushed.
  virtual HRESULT Clear() = 0;
  virtual HRESULT GetSentenceStamp(UI4 iSent, Interval* pSentItvl) = 0;
};
COM_INTERFACE_ID(ILMPrepToSpeak2, "A3275A9E-51A4-4FDB-8B7F-22BF37BF7802");

struct ILMPrepToSpeak4 : ILMPrepToSpeak2 {
  using ILMPrepToSpeak2::PopSentence;
  // As the Syntagma2 form, each syntagma with a copy of its tone contour.
  virtual HRESULT PopSentence(Syntagma3** ppSints, INT* NumSynts, I4* bHasMore) = 0;
};
COM_INTERFACE_ID(ILMPrepToSpeak4, "5B6BFFF2-0DCC-4C34-8527-6E3157A02670");

struct ILMControl : IUnknown {
  // Always 1251.
  virtual HRESULT GetCodePage(INT* CodePage) = 0;
  // Reloads the user stress base file; E_FAIL when that fails.
  virtual HRESULT ReloadUserBase() = 0;
};
COM_INTERFACE_ID(ILMControl, "A9C7A79D-CD6A-42A4-9205-517637A98B8F");

struct ILMSubLang : IUnknown {
  // The sub-language: 0 converts words by IRunemap::Convert2, 1 and 2 by
  // IRunemap2::Convert, other values give no phonemes.
  virtual HRESULT SetLang(INT Val) = 0;
};
COM_INTERFACE_ID(ILMSubLang, "D9581901-0955-44E0-A2C2-806C9D8DD38F");
