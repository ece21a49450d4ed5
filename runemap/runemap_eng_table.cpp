#include "runemap/runemap_eng_table.h"

#include "foundation/code_pages.h"
#include "foundation/registry_string.h"
#include "foundation/string_utils.h"
#include "platform/message_box.h"
#include "runemap/english_tokens.h"
#include "runemap/phoneme_result.h"

namespace {

constexpr const char* kEnglishKey = "SOFTWARE\\Morvane\\English";
constexpr const char16_t* kErrorCaption = u"Ошибка";

HRESULT FailCreation(const char16_t* text) {
  MessageBoxW(nullptr, text, kErrorCaption, MB_OK);
  return E_FAIL;
}


}  // namespace

HRESULT CRunemapEngTable::FinalConstruct() {
  std::string root;
  std::string fileName;
  if (!ReadRegistryString(root, HKEY_LOCAL_MACHINE, kEnglishKey, "Root") ||
      !ReadRegistryString(fileName, HKEY_LOCAL_MACHINE, kEnglishKey, "EngFullTable") ||
      fileName.empty())
    return FailCreation(u"CRunemapEngTable::В реестре не прописан путь к файлу с правилами.");
  if (rules_.LoadRulesFile(NarrowToWide(JoinPath(root, fileName))) != S_OK)
    return FailCreation(u"CRunemapEngTable::Невозможно загрузить файл с правилами.");
  return S_OK;
}

HRESULT CRunemapEngTable::Convert(LPSTR, LPSTR*) { return E_NOTIMPL; }

HRESULT CRunemapEngTable::Convert2(LPSTR Letters, INT FullStress, INT* PartStresses,
                                   INT NumPartStresses, LPSTR* Phonemes) {
  if (Letters == nullptr || Phonemes == nullptr) return E_INVALIDARG;
  // The positions are 1-based letter positions, checked for their signs
  // only; those beyond the letters stress nothing.
  if (const HRESULT hr = CheckStressPositions(FullStress, PartStresses, NumPartStresses, stressed_);
      hr != S_OK)
    return hr;
  *Phonemes = nullptr;
  if (const HRESULT hr = TakeFramedLetters(Letters, stressed_); hr != S_OK) return hr;
  framed_ = Letters;
  if (!BuildLetterTokens(framed_, tokens_)) return E_INVALIDARG;
  AssignStressDigits(tokens_, stressed_.mainStress, stressed_.secondary);
  RemoveSilentLetters(tokens_);
  phonemes_ = ConvertLetterTokens(rules_, tokens_);
  return ReturnPhonemes(phonemes_, Phonemes);
}
