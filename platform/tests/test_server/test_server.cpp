// A server for the platform's tests: what any server shell looks like.
#include <algorithm>

#include "platform/server.h"
#include "platform/tests/test_server/test_interfaces.h"

namespace {

class TestObject final : public ComObject<ITestCounter, ITestEcho2, ITestEcho> {
 public:
  HRESULT Add(LONG delta, LONG* total) override {
    if (total == nullptr) return E_POINTER;
    *total = (count_ += delta);
    return S_OK;
  }
  HRESULT Reverse(BSTR text, BSTR* reversed) override {
    if (reversed == nullptr) return E_POINTER;
    std::u16string copy(text, SysStringLen(text));
    std::reverse(copy.begin(), copy.end());
    *reversed = SysAllocStringLen(copy.data(), static_cast<UINT>(copy.size()));
    return *reversed != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT Length(BSTR text, LONG* chars) override {
    if (chars == nullptr) return E_POINTER;
    *chars = static_cast<LONG>(SysStringLen(text));
    return S_OK;
  }

 private:
  LONG count_ = 0;
};

class FailingObject final : public ComObject<ITestCounter> {
 public:
  HRESULT FinalConstruct() { return E_ABORT; }
  HRESULT Add(LONG, LONG*) override { return E_UNEXPECTED; }
};

HRESULT WriteProperties(HKEY clsidKey, bool registering) {
  if (!registering) return S_OK;  // they go with the class key
  HKEY properties;
  if (RegCreateKeyExW(clsidKey, u"Properties", 0, nullptr, 0, KEY_WRITE, nullptr, &properties, nullptr) !=
      ERROR_SUCCESS) {
    return SELFREG_E_CLASS;
  }
  RegCloseKey(properties);
  LONG error = WriteRegistryString(HKEY_CLASSES_ROOT, u"CLSID\\" + GuidToString(CLSID_TestObject) + u"\\Properties",
                                   u"Name", u"Русский");
  return error == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

const ServerClass kTestClasses[] = {
    {.clsid = CLSID_TestObject,
     .progId = u"PlatformTest.TestObject",
     .description = u"TestObject Class",
     .create = CreateComObject<TestObject>,
     .category = CATID_TestCategory,
     .registryHook = WriteProperties},
    {.clsid = CLSID_FailingObject,
     .progId = u"PlatformTest.FailingObject",
     .description = u"FailingObject Class",
     .create = CreateComObject<FailingObject>},
};

constexpr ServerTypeLibrary kTestTypeLibrary = {
    .libid = GuidFromText("5A4B3C2D-1E0F-4A9B-8C7D-6E5F4A3B2C1D"),
    .helpString = u"PlatformTest 1.0 Type Library"};

constexpr StringResource kTestStrings[] = {{100, u"PlatformTest"}, {101, u"Строка"}, {102, u""}};

}  // namespace

COM_SERVER_STRINGS(kTestStrings)
COM_SERVER_EXPORTS_WITH_TYPELIB(kTestClasses, &kTestTypeLibrary)
