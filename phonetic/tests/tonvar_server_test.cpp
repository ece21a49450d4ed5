#include <dlfcn.h>
#include <gtest/gtest.h>

#include "foundation/code_pages.h"
#include "foundation/string_utils.h"
#include "interfaces/tonvar.h"
#include "phonetic/rule_base_compiler.h"
#include "phonetic/tests/registry_values.h"
#include "phonetic/tests/test_files.h"

namespace {

BSTR In(const std::string& text) { return SysAllocString(NarrowToWide(text).c_str()); }

// Narrows and frees a returned string.
std::string Take(BSTR text) {
  const std::string narrow =
      text == nullptr ? "<null>" : WideToNarrow(std::u16string(text, SysStringLen(text)));
  SysFreeString(text);
  return narrow;
}

class TonvarServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseTestRegistry();
    RemoveRussianValues();
    void* library = dlopen(TONVAR_LIBRARY, RTLD_NOW);
    ASSERT_NE(library, nullptr) << dlerror();
    auto registerServer = reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllRegisterServer"));
    ASSERT_EQ(registerServer(), S_OK);
    ASSERT_EQ(CoCreateInstance(CLSID_PhoneticProcessor, nullptr, CLSCTX_INPROC_SERVER,
                               IID_PPV_ARGS(&control_)),
              S_OK);
    ASSERT_EQ(control_->QueryInterface(IID_PPV_ARGS(&converter_)), S_OK);
    ASSERT_EQ(control_->QueryInterface(IID_PPV_ARGS(&attributes_)), S_OK);
  }

  void TearDown() override {
    for (IUnknown* object : {static_cast<IUnknown*>(control_), static_cast<IUnknown*>(converter_),
                             static_cast<IUnknown*>(attributes_)}) {
      if (object != nullptr) object->Release();
    }
    RemoveRussianValues();
  }

  // The installed Russian rules, compiled into the scratch folder and named
  // in the registry.
  void InstallRussianBase() {
    PhonemeAllophoneBase text;
    std::u16string rules;
    Utf8ToWide(RUSSIAN_RULES, rules, u'?');
    ASSERT_EQ(text.Load(rules), S_OK);
    std::vector<unsigned char> bytes;
    std::string error;
    ASSERT_TRUE(CompileRuleBase(text, image_, error) && SerializeRuleBase(image_, bytes, error));
    dir_.Write("phtable_rus.dat", std::string(bytes.begin(), bytes.end()));
    SetRussianValue(u"Root", NarrowToWide(dir_.Folder()));
    SetRussianValue(u"PhTableRusPath", u"phtable_rus.dat");
  }

  HRESULT PutLanguage(const char* language) {
    BSTR value = In(language);
    const HRESULT hr = control_->put_Language(value);
    SysFreeString(value);
    return hr;
  }

  std::string Convert(const std::string& phonemes, std::string* outPhonemes = nullptr) {
    BSTR in = In(phonemes), out = nullptr, allophones = nullptr;
    EXPECT_EQ(converter_->ToAllophones(in, &out, &allophones), S_OK) << phonemes;
    SysFreeString(in);
    const std::string taken = Take(out);
    if (outPhonemes != nullptr) *outPhonemes = taken;
    return Take(allophones);
  }

  ScratchDir dir_;
  CompiledRuleBaseImage image_;
  IPMControl* control_ = nullptr;
  IPMPhoneConverter* converter_ = nullptr;
  IPMPhoneAttribute* attributes_ = nullptr;
};

TEST_F(TonvarServerTest, RussianSentencesBecomeKnownAllophones) {
  InstallRussianBase();
  ASSERT_EQ(PutLanguage("419"), S_OK);
  std::string phonemes;
  EXPECT_EQ(Convert("#,M,A0,M,A2,_", &phonemes), "M_a,A0_b,M_a,A2_b");
  EXPECT_EQ(phonemes, "M,A0,M,A2");
  EXPECT_EQ(Convert("_,ZH,ZH,O0,T,_", &phonemes), "ZH_o,O0_zh,T_p");
  EXPECT_EQ(phonemes, "ZH,O0,T");
  EXPECT_EQ(Convert("_,J',E0,S',T',#"), "J'_e,E0_j,S'_c,T'_p");

  // "Мама мыла раму. Привет, как дела? Сегодня жжёт солнце. Счастье есть."
  const std::vector<std::vector<std::string>> sentences = {
      {"M,A0,M,A2", "M,Y0,L,A2", "R,A0,M,U2"},
      {"P,R',I1,V',E0,T", "K,A0,K", "D',E1,L,A0"},
      {"S',E1,G,O0,D,N',A2", "ZH,ZH,O0,T", "S,O0,L,N,C,E2"},
      {"SH',A0,S',T',J',E2", "J',E0,S',T'"},
  };
  const std::set<std::string> known = AllophoneNames(image_);
  for (const auto& words : sentences) {
    for (size_t w = 0; w < words.size(); ++w) {
      const std::string framed =
          (w == 0 ? "#," : "_,") + words[w] + (w + 1 == words.size() ? ",#" : ",_");
      const std::vector<std::string> names = SplitList(Convert(framed, &phonemes));
      EXPECT_EQ(names.size(), SplitList(phonemes).size()) << framed;
      for (const std::string& name : names) EXPECT_EQ(known.count(name), 1u) << name;
    }
  }
}

TEST_F(TonvarServerTest, PhonemeAttributes) {
  INT code = -1;
  BSTR zh = In("ZH");
  EXPECT_EQ(attributes_->IsVowel(zh, nullptr), E_INVALIDARG);
  EXPECT_EQ(attributes_->VisemeCode(zh, nullptr), E_INVALIDARG);
  InstallRussianBase();
  ASSERT_EQ(PutLanguage("419"), S_OK);
  EXPECT_EQ(attributes_->PhonemeCode(zh, &code), S_OK);
  EXPECT_EQ(code, 102);
  EXPECT_EQ(attributes_->VisemeCode(zh, &code), S_OK);
  EXPECT_EQ(code, 16);
  SysFreeString(zh);
}

}  // namespace
