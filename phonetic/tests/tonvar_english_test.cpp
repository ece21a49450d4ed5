// The English path of the phonetic processor as the engine sees it.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "foundation/code_pages.h"
#include "interfaces/tonvar.h"
#include "phonetic/tests/registry_values.h"

namespace {

BSTR In(const std::string& text) { return SysAllocString(NarrowToWide(text).c_str()); }

std::string Take(BSTR text) {
  const std::string narrow =
      text == nullptr ? "<null>" : WideToNarrow(std::u16string(text, SysStringLen(text)));
  SysFreeString(text);
  return narrow;
}

TEST(TonvarEnglishTest, AllophonesAndAttributes) {
  UseTestRegistry();
  void* library = dlopen(TONVAR_LIBRARY, RTLD_NOW);
  ASSERT_NE(library, nullptr) << dlerror();
  ASSERT_EQ(reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllRegisterServer"))(), S_OK);
  IPMControl* control = nullptr;
  ASSERT_EQ(CoCreateInstance(CLSID_PhoneticProcessor, nullptr, CLSCTX_INPROC_SERVER,
                             IID_PPV_ARGS(&control)),
            S_OK);
  IPMPhoneConverter* converter = nullptr;
  IPMPhoneAttribute* attributes = nullptr;
  ASSERT_EQ(control->QueryInterface(IID_PPV_ARGS(&converter)), S_OK);
  ASSERT_EQ(control->QueryInterface(IID_PPV_ARGS(&attributes)), S_OK);
  BSTR language = In("409");
  EXPECT_EQ(control->put_Language(language), S_OK);
  SysFreeString(language);

  BSTR phonemes = In("_,W,E0,L,_,D,UU0,N,#");
  BSTR out = nullptr, allophones = nullptr;
  EXPECT_EQ(converter->ToAllophones(phonemes, &out, &allophones), S_OK);
  EXPECT_EQ(Take(out), "_,W,E0,L,_,D,UU0,N,#");
  EXPECT_EQ(Take(allophones), "_,W1,E0.07,L0,_,D-UU0.08,UU0.08,N4,#");
  SysFreeString(phonemes);

  // a name outside the English inventory: no allophones at all
  phonemes = In("#,K,AH0,T,#");
  out = allophones = nullptr;
  EXPECT_EQ(converter->ToAllophones(phonemes, &out, &allophones), E_FAIL);
  SysFreeString(phonemes);

  for (const auto& [name, vowel] : {std::pair{"AE0", 1}, std::pair{"Y$", 1}, std::pair{"NG", 0},
                                    std::pair{"#", 0}, std::pair{"Q", 0}}) {
    BSTR text = In(name);
    I4 isVowel = -1;
    INT code = -1;
    EXPECT_EQ(attributes->IsVowel(text, &isVowel), S_OK);
    EXPECT_EQ(isVowel, vowel) << name;
    EXPECT_EQ(attributes->PhonemeCode(text, &code), S_OK);
    EXPECT_EQ(code, 0) << name;
    SysFreeString(text);
  }
  attributes->Release();
  converter->Release();
  control->Release();
}

}  // namespace
