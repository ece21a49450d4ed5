#include "textanalysis/server/syntagma_copy.h"

#include <cstring>
#include <string>

namespace {

char* CopyString(const std::string& text) {
  auto* copy = static_cast<char*>(CoTaskMemAlloc(text.size() + 1));
  if (copy != nullptr) std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

void FreeWords(SyntagmaWord2* words, INT count) {
  if (words == nullptr) return;
  for (INT i = 0; i < count; ++i) {
    CoTaskMemFree(words[i].str);
    CoTaskMemFree(words[i].raw_text);
  }
  CoTaskMemFree(words);
}

template <class Record>
void FreeRecords(Record* records, INT count) {
  if (records == nullptr) return;
  for (INT i = 0; i < count; ++i) {
    FreeWords(records[i].words, records[i].num_words);
    if constexpr (requires { records[i].tone_kont; }) CoTaskMemFree(records[i].tone_kont);
  }
  CoTaskMemFree(records);
}

// Zeroed, so that a partly filled array can be freed as a whole.
template <class T>
T* AllocateZeroed(size_t count) {
  auto* block = static_cast<T*>(CoTaskMemAlloc(count * sizeof(T)));
  if (block != nullptr) std::memset(static_cast<void*>(block), 0, count * sizeof(T));
  return block;
}

bool FillWords(const OutputSyntagma& syntagma, SyntagmaWord2*& words, INT& count) {
  count = static_cast<INT>(syntagma.words.size());
  words = nullptr;
  if (count == 0) return true;
  words = AllocateZeroed<SyntagmaWord2>(syntagma.words.size());
  if (words == nullptr) return false;
  for (INT i = 0; i < count; ++i) {
    const OutputWord& word = syntagma.words[i];
    words[i].synt_pos = word.position;
    words[i].word_itvl = word.itvl;
    words[i].str = CopyString(word.phonemes);
    words[i].raw_text = CopyString(word.letters);
    if (words[i].str == nullptr || words[i].raw_text == nullptr) return false;
  }
  return true;
}

template <class Record>
HRESULT CopyRecords(const std::vector<OutputSyntagma>& syntagmas, Record** out, INT* count) {
  *out = nullptr;
  *count = 0;
  if (syntagmas.empty()) return S_OK;
  const INT n = static_cast<INT>(syntagmas.size());
  Record* records = AllocateZeroed<Record>(syntagmas.size());
  if (records == nullptr) return E_OUTOFMEMORY;
  for (INT i = 0; i < n; ++i) {
    const OutputSyntagma& syntagma = syntagmas[i];
    records[i].type = syntagma.type;
    records[i].inton_sign = syntagma.endSign;
    bool ok = FillWords(syntagma, records[i].words, records[i].num_words);
    if constexpr (requires { records[i].tone_kont; }) {
      if (ok) {
        records[i].tone_kont = CopyString(syntagma.tone);
        ok = records[i].tone_kont != nullptr;
      }
    }
    if (!ok) {
      FreeRecords(records, n);
      return E_OUTOFMEMORY;
    }
  }
  *out = records;
  *count = n;
  return S_OK;
}

}  // namespace

HRESULT CopySyntagmas(const std::vector<OutputSyntagma>& syntagmas, Syntagma2** records,
                      INT* count) {
  return CopyRecords(syntagmas, records, count);
}

HRESULT CopySyntagmas(const std::vector<OutputSyntagma>& syntagmas, Syntagma3** records,
                      INT* count) {
  return CopyRecords(syntagmas, records, count);
}

void FreeSyntagmas(Syntagma2* records, INT count) { FreeRecords(records, count); }
void FreeSyntagmas(Syntagma3* records, INT count) { FreeRecords(records, count); }
