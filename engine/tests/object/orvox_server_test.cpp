// TTSEngine created through COM from the registered Orvox library.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include "engine/tests/object/engine_fixture.h"
#include "interfaces/orvox.h"
#include "platform/registry.h"
#include "platform/testing/test_registry.h"

namespace {

class OrvoxServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetTestRegistry();
    void* library = dlopen(ORVOX_LIBRARY, RTLD_NOW);
    ASSERT_NE(library, nullptr) << dlerror();
    auto registerServer = reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllRegisterServer"));
    ASSERT_NE(registerServer, nullptr);
    ASSERT_EQ(registerServer(), S_OK);
    ASSERT_EQ(CoCreateInstance(CLSID_TTSEngine, nullptr, 0x17, IID_ITTSEngine,
                               reinterpret_cast<void**>(&engine_)),
              S_OK);
  }
  void TearDown() override {
    if (engine_ != nullptr) engine_->Release();
  }

  ITTSEngine* engine_ = nullptr;
};

TEST_F(OrvoxServerTest, AnswersItsInterfacesWithOneIdentity) {
  IUnknown* identity = nullptr;
  ASSERT_EQ(engine_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
  ITTSAudioPull* pull = nullptr;
  ASSERT_EQ(engine_->QueryInterface(IID_ITTSAudioPull, reinterpret_cast<void**>(&pull)), S_OK);
  EXPECT_EQ(static_cast<IUnknown*>(pull), identity);
  ITTSEngine* alias = nullptr;
  ASSERT_EQ(engine_->QueryInterface(IID_ITTSEngineAlias, reinterpret_cast<void**>(&alias)), S_OK);
  EXPECT_EQ(alias, engine_);
  ITTSUserBase* userBase = nullptr;
  ASSERT_EQ(engine_->QueryInterface(IID_ITTSUserBase, reinterpret_cast<void**>(&userBase)), S_OK);
  EXPECT_EQ(userBase->ReloadUserBase(), S_FALSE);
  void* inner = nullptr;
  EXPECT_EQ(engine_->QueryInterface(IID_TTSAggregatedInner, &inner), E_NOINTERFACE);
  UINT zero = 5;
  EXPECT_EQ(pull->Reserved2(&zero), S_OK);
  EXPECT_EQ(zero, 0u);
  userBase->Release();
  alias->Release();
  pull->Release();
  identity->Release();

  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"Orvox.TTSEngine.1\\CLSID", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

// An outer object that hands every interface but IUnknown to its inner
// object, counting what reaches it.
class CountingOuter final : public IUnknown {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override {
    ++queries;
    if (iid == IID_IUnknown) {
      *object = static_cast<IUnknown*>(this);
      AddRef();
      return S_OK;
    }
    return inner->QueryInterface(iid, object);
  }
  ULONG AddRef() override { return ++refs; }
  ULONG Release() override { return --refs; }

  IUnknown* inner = nullptr;
  ULONG refs = 1;
  int queries = 0;
};

TEST_F(OrvoxServerTest, CreatedInsideAnOuterObjectItsInterfacesDelegate) {
  CountingOuter outer;
  ITTSEngine* refused = nullptr;
  EXPECT_EQ(CoCreateInstance(CLSID_TTSEngine, &outer, 0x17, IID_ITTSEngine,
                             reinterpret_cast<void**>(&refused)),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(refused, nullptr);
  ASSERT_EQ(CoCreateInstance(CLSID_TTSEngine, &outer, 0x17, IID_IUnknown,
                             reinterpret_cast<void**>(&outer.inner)),
            S_OK);
  EXPECT_NE(outer.inner, static_cast<IUnknown*>(&outer));
  EXPECT_EQ(outer.refs, 1u);

  // The inner unknown keeps its own identity and count.
  IUnknown* innerAgain = nullptr;
  ASSERT_EQ(outer.inner->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&innerAgain)),
            S_OK);
  EXPECT_EQ(innerAgain, outer.inner);
  EXPECT_EQ(innerAgain->Release(), 1u);

  // Interfaces got from it count on the outer object and ask it.
  ITTSEngine* engine = nullptr;
  ASSERT_EQ(outer.inner->QueryInterface(IID_ITTSEngine, reinterpret_cast<void**>(&engine)), S_OK);
  EXPECT_EQ(outer.refs, 2u);
  EXPECT_EQ(outer.queries, 0);
  IUnknown* identity = nullptr;
  ASSERT_EQ(engine->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
  EXPECT_EQ(identity, static_cast<IUnknown*>(&outer));
  EXPECT_EQ(outer.queries, 1);
  EXPECT_EQ(outer.refs, 3u);
  identity->Release();
  ITTSUserBase* userBase = nullptr;
  ASSERT_EQ(engine->QueryInterface(IID_ITTSUserBase, reinterpret_cast<void**>(&userBase)), S_OK);
  EXPECT_EQ(outer.queries, 2);
  EXPECT_EQ(userBase->ReloadUserBase(), S_FALSE);
  EXPECT_EQ(userBase->AddRef(), 4u);
  EXPECT_EQ(userBase->Release(), 3u);
  EXPECT_EQ(userBase->Release(), 2u);

  I1 rate = 5;
  EXPECT_EQ(engine->SetRate(100), S_OK);
  EXPECT_EQ(engine->GetRate(&rate), S_OK);
  EXPECT_EQ(rate, 10);
  EXPECT_EQ(engine->Release(), 1u);
  // The outer's one reference to the inner unknown was the last.
  EXPECT_EQ(outer.inner->Release(), 0u);
}

TEST_F(OrvoxServerTest, RefusesVoicesItCannotSetUp) {
  I1 flag = 1;
  EXPECT_EQ(engine_->GetFlag(&flag), S_OK);
  EXPECT_EQ(flag, 0);
  EXPECT_EQ(engine_->Speak("текст", 1), E_ABORT);
  EXPECT_EQ(engine_->SetVoice("nobody"), E_FAIL);
  EXPECT_EQ(engine_->SetVoice(nullptr), E_FAIL);

  // A kind 1 voice whose phonetics class is not registered.
  ScratchFile voiceFile("com_voice.dat");
  ASSERT_TRUE(WriteVoiceDatabase(voiceFile.Wide(), TestVoice(1)));
  RegisterVoice("v1", voiceFile.Narrow(), "419");
  WriteRegistryString(HKEY_LOCAL_MACHINE, u"Software\\Morvane\\Phonetic\\419", u"CLSID",
                      u"{0E5F1A10-0000-4000-8000-0000000000FF}");
  EXPECT_EQ(engine_->SetVoice("v1"), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(engine_->Stop(), E_ABORT);
}

}  // namespace
