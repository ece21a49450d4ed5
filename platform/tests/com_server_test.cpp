#include <dlfcn.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

#include "platform/registry.h"
#include "platform/server.h"
#include "platform/tests/test_server/test_interfaces.h"
#include "platform/unicode.h"

namespace {

using SelfRegisterFunc = HRESULT (*)();

std::u16string ReadString(const std::u16string& path, const char16_t* name = nullptr) {
  HKEY key;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return u"<no key>";
  char16_t buffer[512];
  DWORD size = sizeof buffer;
  LONG error = RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  return error == ERROR_SUCCESS ? std::u16string(buffer, size / 2 - 1) : u"<no value>";
}

bool KeyExists(const std::u16string& path) {
  HKEY key;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

void RegisterClassAt(const CLSID& clsid, const std::u16string& library) {
  ASSERT_EQ(WriteRegistryString(HKEY_CLASSES_ROOT, u"CLSID\\" + GuidToString(clsid) + u"\\InprocServer32", nullptr,
                                library),
            ERROR_SUCCESS);
}

std::u16string Wide(const char* text) {
  std::u16string wide;
  Utf8ToUtf16(text, &wide);
  return wide;
}

// The test server, loaded as any program would load it to register it.
class ComServerTest : public testing::Test {
 protected:
  void SetUp() override {
    library_ = dlopen(PLATFORM_TEST_SERVER, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library_, nullptr) << dlerror();
    ASSERT_EQ(Export("DllRegisterServer")(), S_OK);
  }
  SelfRegisterFunc Export(const char* name) { return reinterpret_cast<SelfRegisterFunc>(dlsym(library_, name)); }

  void* library_ = nullptr;
  const std::u16string clsidKey_ = u"CLSID\\" + GuidToString(CLSID_TestObject);
};

TEST_F(ComServerTest, RegistrationWritesTheClassAndProgIdKeys) {
  char real[PATH_MAX];
  ASSERT_NE(realpath(PLATFORM_TEST_SERVER, real), nullptr);
  const std::u16string clsid = GuidToString(CLSID_TestObject);
  EXPECT_EQ(ReadString(clsidKey_), u"TestObject Class");
  EXPECT_EQ(ReadString(clsidKey_ + u"\\ProgID"), u"PlatformTest.TestObject.1");
  EXPECT_EQ(ReadString(clsidKey_ + u"\\VersionIndependentProgID"), u"PlatformTest.TestObject");
  EXPECT_EQ(ReadString(clsidKey_ + u"\\InprocServer32"), Wide(real));
  EXPECT_EQ(ReadString(clsidKey_ + u"\\InprocServer32", u"ThreadingModel"), u"Both");
  EXPECT_TRUE(KeyExists(clsidKey_ + u"\\Implemented Categories\\{9D8C7B6A-5F4E-4D3C-8B2A-1F0E9D8C7B6A}"));
  EXPECT_EQ(ReadString(clsidKey_ + u"\\Properties", u"Name"), u"Русский");
  EXPECT_EQ(ReadString(u"PlatformTest.TestObject.1"), u"TestObject Class");
  EXPECT_EQ(ReadString(u"PlatformTest.TestObject.1\\CLSID"), clsid);
  EXPECT_EQ(ReadString(u"PlatformTest.TestObject\\CLSID"), clsid);
  EXPECT_EQ(ReadString(u"PlatformTest.TestObject\\CurVer"), u"PlatformTest.TestObject.1");
  EXPECT_FALSE(KeyExists(u"CLSID\\" + GuidToString(CLSID_FailingObject) + u"\\Implemented Categories"));

  // The type library: named by every class, registered under its libid.
  const std::u16string libid = u"{5A4B3C2D-1E0F-4A9B-8C7D-6E5F4A3B2C1D}";
  EXPECT_EQ(ReadString(clsidKey_ + u"\\TypeLib"), libid);
  EXPECT_EQ(ReadString(u"CLSID\\" + GuidToString(CLSID_FailingObject) + u"\\TypeLib"), libid);
  const std::u16string version = u"TypeLib\\" + libid + u"\\1.0";
  EXPECT_EQ(ReadString(version), u"PlatformTest 1.0 Type Library");
  EXPECT_EQ(ReadString(version + u"\\0\\win32"), Wide(real));
  EXPECT_EQ(ReadString(version + u"\\FLAGS"), u"0");
  std::string folder = real;
  folder.erase(folder.rfind('/'));
  EXPECT_EQ(ReadString(version + u"\\HELPDIR"), Wide(folder.c_str()));

  CLSID found;
  EXPECT_EQ(CLSIDFromProgID(u"PlatformTest.TestObject", &found), S_OK);
  EXPECT_EQ(found, CLSID_TestObject);
  EXPECT_EQ(CLSIDFromString(u"platformtest.testobject.1", &found), S_OK);
  EXPECT_EQ(found, CLSID_TestObject);
}

TEST_F(ComServerTest, UnregistrationRemovesThemAgain) {
  // A key left from an older registration goes when registering anew.
  ASSERT_EQ(WriteRegistryString(HKEY_CLASSES_ROOT, clsidKey_ + u"\\Stale", nullptr, u"old"), ERROR_SUCCESS);
  ASSERT_EQ(Export("DllRegisterServer")(), S_OK);
  EXPECT_FALSE(KeyExists(clsidKey_ + u"\\Stale"));

  ASSERT_EQ(Export("DllUnregisterServer")(), S_OK);
  for (const std::u16string& key : {clsidKey_, std::u16string(u"PlatformTest.TestObject"),
                                    std::u16string(u"PlatformTest.TestObject.1"),
                                    std::u16string(u"TypeLib\\{5A4B3C2D-1E0F-4A9B-8C7D-6E5F4A3B2C1D}"),
                                    u"CLSID\\" + GuidToString(CLSID_FailingObject)}) {
    EXPECT_FALSE(KeyExists(key)) << Utf16ToUtf8(key);
  }
  IUnknown* object = nullptr;
  EXPECT_EQ(CoCreateInstance(CLSID_TestObject, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&object)),
            REGDB_E_CLASSNOTREG);
  EXPECT_EQ(Export("DllUnregisterServer")(), S_OK);  // nothing left to remove
}

TEST_F(ComServerTest, CreatesThroughTheRegistryWithOneIdentity) {
  ITestCounter* counter = nullptr;
  ASSERT_EQ(CoCreateInstance(CLSID_TestObject, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&counter)), S_OK);
  ASSERT_NE(counter, nullptr);
  // The library CoCreateInstance loaded is the one loaded here: its object
  // keeps it from unloading.
  EXPECT_EQ(Export("DllCanUnloadNow")(), S_FALSE);
  LONG total = 0;
  EXPECT_EQ(counter->Add(5, &total), S_OK);
  EXPECT_EQ(total, 5);

  ITestEcho2* echo2 = nullptr;
  ITestEcho* echo = nullptr;
  IUnknown* viaCounter = nullptr;
  IUnknown* viaEcho = nullptr;
  ASSERT_EQ(counter->QueryInterface(IID_PPV_ARGS(&echo2)), S_OK);
  ASSERT_EQ(counter->QueryInterface(IID_PPV_ARGS(&echo)), S_OK);
  EXPECT_EQ(static_cast<ITestEcho*>(echo2), echo);
  ASSERT_EQ(counter->QueryInterface(IID_PPV_ARGS(&viaCounter)), S_OK);
  ASSERT_EQ(echo->QueryInterface(IID_PPV_ARGS(&viaEcho)), S_OK);
  EXPECT_EQ(viaCounter, viaEcho);
  ITestCounter* counterAgain = nullptr;
  ASSERT_EQ(echo->QueryInterface(IID_PPV_ARGS(&counterAgain)), S_OK);
  EXPECT_EQ(counterAgain, counter);
  EXPECT_EQ(counterAgain->Add(1, &total), S_OK);
  EXPECT_EQ(total, 6);

  IClassFactory* notThere = reinterpret_cast<IClassFactory*>(counter);
  EXPECT_EQ(counter->QueryInterface(IID_PPV_ARGS(&notThere)), E_NOINTERFACE);
  EXPECT_EQ(notThere, nullptr);

  // One reference from creation and five from the successful queries.
  EXPECT_EQ(counter->AddRef(), 7u);
  for (IUnknown* p : std::initializer_list<IUnknown*>{counterAgain, viaEcho, viaCounter, echo, echo2, counter}) {
    p->Release();
  }
  EXPECT_EQ(Export("DllCanUnloadNow")(), S_FALSE);
  EXPECT_EQ(counter->Release(), 0u);
  EXPECT_EQ(Export("DllCanUnloadNow")(), S_OK);
}

TEST_F(ComServerTest, BstrsCrossTheServerIntact) {
  ITestEcho2* echo = nullptr;
  ASSERT_EQ(CoCreateInstance(CLSID_TestObject, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&echo)), S_OK);
  BSTR text = SysAllocString(u"Ёжик, мир!");
  BSTR reversed = nullptr;
  ASSERT_EQ(echo->Reverse(text, &reversed), S_OK);
  EXPECT_EQ(std::u16string(reversed, SysStringLen(reversed)), u"!рим ,кижЁ");
  EXPECT_EQ(SysStringByteLen(reversed), 20u);
  SysFreeString(reversed);
  SysFreeString(text);

  const OLECHAR withNul[] = {u'а', u'\0', u'б'};
  text = SysAllocStringLen(withNul, 3);
  LONG chars = 0;
  EXPECT_EQ(echo->Length(text, &chars), S_OK);
  EXPECT_EQ(chars, 3);
  SysFreeString(text);
  echo->Release();
}

TEST_F(ComServerTest, FailedCreationLeavesNoObject) {
  ITestCounter* counter = reinterpret_cast<ITestCounter*>(this);
  EXPECT_EQ(CoCreateInstance(CLSID_FailingObject, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&counter)), E_ABORT);
  EXPECT_EQ(counter, nullptr);
  EXPECT_EQ(CoCreateInstance(CLSID_TestObject, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&counter)), S_OK);
  ITestCounter* outerLess = nullptr;
  EXPECT_EQ(CoCreateInstance(CLSID_TestObject, counter, CLSCTX_ALL, IID_PPV_ARGS(&outerLess)), CLASS_E_NOAGGREGATION);
  IClassFactory* factory = nullptr;
  ASSERT_EQ(CoGetClassObject(CLSID_TestObject, CLSCTX_INPROC_SERVER, nullptr, IID_PPV_ARGS(&factory)), S_OK);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, reinterpret_cast<void**>(&outerLess)), E_NOINTERFACE);
  EXPECT_EQ(outerLess, nullptr);
  counter->Release();
  EXPECT_EQ(Export("DllCanUnloadNow")(), S_FALSE);  // the factory is alive
  factory->LockServer(TRUE);
  factory->Release();
  EXPECT_EQ(Export("DllCanUnloadNow")(), S_FALSE);  // locked
  ASSERT_EQ(CoGetClassObject(CLSID_TestObject, CLSCTX_INPROC_SERVER, nullptr, IID_PPV_ARGS(&factory)), S_OK);
  factory->LockServer(FALSE);
  factory->Release();
  EXPECT_EQ(Export("DllCanUnloadNow")(), S_OK);
}

TEST_F(ComServerTest, CreationErrors) {
  constexpr CLSID kUnknown = GuidFromText("{00112233-4455-6677-8899-AABBCCDDEEFF}");
  constexpr CLSID kMissingFile = GuidFromText("{10112233-4455-6677-8899-AABBCCDDEEFF}");
  constexpr CLSID kNoExport = GuidFromText("{20112233-4455-6677-8899-AABBCCDDEEFF}");
  constexpr CLSID kNotServed = GuidFromText("{30112233-4455-6677-8899-AABBCCDDEEFF}");
  RegisterClassAt(kMissingFile, u"/nonexistent/libNothing.so");
  RegisterClassAt(kNoExport, Wide(PLATFORM_LIBRARY));
  RegisterClassAt(kNotServed, Wide(PLATFORM_TEST_SERVER));

  IUnknown* object = reinterpret_cast<IUnknown*>(this);
  EXPECT_EQ(CoCreateInstance(kUnknown, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&object)), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(object, nullptr);
  testing::internal::CaptureStderr();
  EXPECT_EQ(CoCreateInstance(kMissingFile, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&object)), CO_E_DLLNOTFOUND);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("/nonexistent/libNothing.so"), std::string::npos);
  EXPECT_EQ(CoCreateInstance(kNoExport, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&object)), CO_E_ERRORINDLL);
  EXPECT_EQ(CoCreateInstance(kNotServed, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&object)), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(CoCreateInstance(CLSID_TestObject, nullptr, CLSCTX_LOCAL_SERVER, IID_PPV_ARGS(&object)),
            REGDB_E_CLASSNOTREG);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(CoCreateInstance(CLSID_TestObject, nullptr, CLSCTX_ALL, IID_IUnknown, nullptr), E_POINTER);
}

TEST_F(ComServerTest, StringTableServedWhileLoaded) {
  const HINSTANCE instance = ModuleInstance(reinterpret_cast<const void*>(Export("DllRegisterServer")));
  ASSERT_NE(instance, nullptr);
  char16_t buffer[16];
  EXPECT_EQ(LoadStringW(instance, 100, buffer, 16), 12);
  EXPECT_EQ(std::u16string(buffer), u"PlatformTest");
  // Cut to the buffer, always terminated.
  EXPECT_EQ(LoadStringW(instance, 101, buffer, 4), 3);
  EXPECT_EQ(std::u16string(buffer), u"Стр");
  EXPECT_EQ(LoadStringW(instance, 101, buffer, 1), 0);
  EXPECT_EQ(buffer[0], u'\0');
  // Missing strings, or no such module: nothing.
  buffer[0] = u'x';
  EXPECT_EQ(LoadStringW(instance, 102, buffer, 16), 0);
  EXPECT_EQ(buffer[0], u'\0');
  EXPECT_EQ(LoadStringW(instance, 103, buffer, 16), 0);
  EXPECT_EQ(LoadStringW(instance, 100, buffer, 0), 0);
  EXPECT_EQ(LoadStringW(instance, 100, nullptr, 16), 0);
  EXPECT_EQ(LoadStringW(ModuleInstance(&buffer), 100, buffer, 16), 0);
  EXPECT_EQ(ModuleInstance(nullptr), nullptr);
}

TEST_F(ComServerTest, ExportsOnlyTheFourEntryPoints) {
  for (const char* name : {"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer", "DllUnregisterServer"}) {
    EXPECT_NE(dlsym(library_, name), nullptr) << name;
  }
  // Anything else of the server is hidden, its own lock count among it.
  EXPECT_EQ(dlsym(library_, "_Z15ServerLockCountv"), nullptr);
}

// The same machinery inside this program, without a server in between.
int g_destroyed = 0;

class LocalObject : public ComObject<ITestEcho2, ITestCounter, ITestEcho> {
 public:
  ~LocalObject() override { ++g_destroyed; }
  HRESULT Reverse(BSTR, BSTR*) override { return E_NOTIMPL; }
  HRESULT Length(BSTR, LONG*) override { return E_NOTIMPL; }
  HRESULT Add(LONG, LONG*) override { return E_NOTIMPL; }

 protected:
  HRESULT QueryOtherInterface(REFIID riid, void** ppv) override {
    if (!(riid == IID_IClassFactory) || inner_ == nullptr) return E_NOINTERFACE;
    *ppv = inner_;
    inner_->AddRef();
    return S_OK;
  }

 public:
  IClassFactory* inner_ = nullptr;
};

class FailsToConstruct : public ComObject<ITestCounter> {
 public:
  ~FailsToConstruct() override { ++g_destroyed; }
  HRESULT FinalConstruct() { return E_FAIL; }
  HRESULT Add(LONG, LONG*) override { return E_NOTIMPL; }
};

TEST(ComObject, LifetimeAndOtherInterfaces) {
  g_destroyed = 0;
  LONG before = ServerLockCount();
  ITestEcho* echo = nullptr;
  ASSERT_EQ(CreateComObject<LocalObject>(IID_PPV_ARGS(&echo)), S_OK);
  EXPECT_EQ(ServerLockCount(), before + 1);
  ServerClassFactory* inner = new ServerClassFactory(CreateComObject<FailsToConstruct>);
  inner->AddRef();
  static_cast<LocalObject*>(static_cast<ITestEcho2*>(echo))->inner_ = inner;
  IClassFactory* answered = nullptr;
  ASSERT_EQ(echo->QueryInterface(IID_PPV_ARGS(&answered)), S_OK);
  EXPECT_EQ(answered, inner);
  ITestCounter* failing = nullptr;
  EXPECT_EQ(answered->CreateInstance(nullptr, IID_PPV_ARGS(&failing)), E_FAIL);
  EXPECT_EQ(failing, nullptr);
  EXPECT_EQ(g_destroyed, 1);
  EXPECT_EQ(answered->Release(), 1u);
  EXPECT_EQ(inner->Release(), 0u);

  ITestCounter* notAsked = nullptr;
  EXPECT_EQ(CreateComObject<LocalObject>(IID_IClassFactory, reinterpret_cast<void**>(&notAsked)), E_NOINTERFACE);
  EXPECT_EQ(g_destroyed, 2);
  EXPECT_EQ(echo->Release(), 0u);
  EXPECT_EQ(g_destroyed, 3);
  EXPECT_EQ(ServerLockCount(), before);
}

}  // namespace
