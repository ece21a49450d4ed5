// The server's class table and its four exports.
#include <iterator>

#include "interfaces/glossel.h"
#include "platform/server.h"
#include "textanalysis/server/rus_text_tags_processor.h"

namespace {

// The speech engine finds the text-analysis class of language 419 here. The
// keys stay on unregistration; only the value goes.
constexpr char16_t kLanguageKey[] = u"SOFTWARE\\Morvane\\Glossel Module\\419";

HRESULT RegisterLanguage(HKEY /*clsidKey*/, bool registering) {
  if (registering) {
    return WriteRegistryString(HKEY_LOCAL_MACHINE, kLanguageKey, u"CLSID",
                               GuidToString(CLSID_RusTextTagsProcessor)) == ERROR_SUCCESS
               ? S_OK
               : SELFREG_E_CLASS;
  }
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kLanguageKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
    RegDeleteValueW(key, u"CLSID");
    RegCloseKey(key);
  }
  return S_OK;
}

const ServerClass kGlosselClasses[] = {
    {.clsid = CLSID_RusTextTagsProcessor,
     .progId = u"GlosselModule.RusTextTagsProcessor",
     .description = u"RusTextTagsProcessor Class",
     .create = CreateComObject<CRusTextTagsProcessor>,
     .registryHook = RegisterLanguage},
};

constexpr ServerTypeLibrary kGlosselTypeLibrary = {
    .libid = GuidFromText("E6E05256-8D91-48A2-9CF5-46452F6F8400"),
    .helpString = u"GlosselModule 1.0 Type Library"};

}  // namespace

COM_SERVER_EXPORTS_WITH_TYPELIB(kGlosselClasses, &kGlosselTypeLibrary)
