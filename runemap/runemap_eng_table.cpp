#include "runemap/runemap_eng_table.h"

#include <string>

#include "foundation/registry_string.h"
#include "platform/message_box.h"

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
  ReadRegistryString(root, HKEY_LOCAL_MACHINE, kEnglishKey, "Root");
  ReadRegistryString(fileName, HKEY_LOCAL_MACHINE, kEnglishKey, "EngFullTable");
  if (root.empty() || fileName.empty())
    return FailCreation(u"CRunemapEngTable::В реестре не прописан путь к файлу с правилами.");
  // This build carries no reader for the English rules file, so no rules
  // file can be loaded.
  return FailCreation(u"CRunemapEngTable::Невозможно загрузить файл с правилами.");
}

HRESULT CRunemapEngTable::Convert(LPSTR, LPSTR*) { return E_NOTIMPL; }

// Unreachable while creation fails; the English rules come with their reader.
HRESULT CRunemapEngTable::Convert2(LPSTR, INT, INT*, INT, LPSTR*) { return E_NOTIMPL; }
