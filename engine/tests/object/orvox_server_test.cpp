// TTSEngine created through COM from the registered Orvox library.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include "engine/tests/object/engine_fixture.h"
#include "interfaces/orvox.h"
#include "platform/registry.h"

namespace {

class OrvoxServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
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
