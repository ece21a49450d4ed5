// Class table, registration and exports of the Russian phonetics server.
#include "interfaces/sonalik.h"
#include "platform/server.h"
#include "sonalik/sonalik_object.h"

namespace {

constexpr GUID kPhoneticCategory = GuidFromText("1AB21F59-830C-4E96-9A6D-64360B0498F3");

// Clients that pick a phonetics class by language read these.
HRESULT WriteProperties(HKEY clsidKey, bool registering) {
  if (!clsidKey) return S_OK;
  if (!registering) {
    RegDeleteKeyW(clsidKey, u"Properties");
    return S_OK;
  }
  if (WriteRegistryString(clsidKey, u"Properties", u"Name", u"Russian") != 0 ||
      WriteRegistryString(clsidKey, u"Properties", u"Lang", u"419.1,419.2") != 0) {
    return SELFREG_E_CLASS;
  }
  return S_OK;
}

const ServerClass kSonalikClasses[] = {
    {.clsid = CLSID_Sonalik,
     .progId = u"Sonalik.Sonalik",
     .description = u"Morvane Sonalik Class",
     .create = CreateComObject<CSonalik>,
     .category = kPhoneticCategory,
     .registryHook = WriteProperties},
};

constexpr ServerTypeLibrary kSonalikTypeLibrary = {
    .libid = GuidFromText("08FE6A97-9B16-4210-B852-EBB864F0039D"),
    .helpString = u"Morvane Sonalik 1.0 Type Library"};

constexpr StringResource kSonalikStrings[] = {{100, u"Sonalik"}, {101, u"Dad-Ara"}};

}  // namespace

COM_SERVER_STRINGS(kSonalikStrings)
COM_SERVER_EXPORTS_WITH_TYPELIB(kSonalikClasses, &kSonalikTypeLibrary)
