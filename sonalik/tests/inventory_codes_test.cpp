#include "platform/registry.h"
#include "sonalik/tests/sonalik_fixture.h"

namespace {

using SonalikInventoryCodes = SonalikTest;

INT PhonemeCode(const std::string& name) {
  INT code = -1;
  EXPECT_EQ(SonalikTest::Phonetic()->GetPhonemeCode(In(name), &code), S_OK);
  return code;
}

INT VisemeCode(const std::string& name) {
  INT code = -1;
  EXPECT_EQ(SonalikTest::Phonetic()->GetVisemeCode(In(name), &code), S_OK);
  return code;
}

std::string PhonemeByCode(INT code) {
  LPSTR out = nullptr;
  const HRESULT hr = SonalikTest::Phonetic()->GetPhonemeByCode(code, &out);
  return SonalikTest::Take(hr, out);
}

using CodesCall = HRESULT (IPhonetic::*)(LPSTR, INT**, INT*);

std::vector<INT> Codes(CodesCall call, const std::string& names) {
  INT* codes = nullptr;
  INT num = -1;
  EXPECT_EQ((SonalikTest::Phonetic()->*call)(In(names), &codes, &num), S_OK);
  std::vector<INT> result(codes, codes + num);
  if (num == 0) {
    EXPECT_EQ(codes, nullptr);
  }
  CoTaskMemFree(codes);
  return result;
}

TEST_F(SonalikInventoryCodes, PhonemeCodesFollowNameOrder) {
  EXPECT_EQ(PhonemeCode("#"), 1);
  EXPECT_EQ(PhonemeCode("A0"), 2);
  EXPECT_EQ(PhonemeCode("A1"), 3);
  EXPECT_EQ(PhonemeCode("A2"), 4);
  EXPECT_EQ(PhonemeCode("A5"), 5);
  EXPECT_EQ(PhonemeCode("AA0"), 6);
  EXPECT_EQ(PhonemeCode("Z"), 100);
  EXPECT_EQ(PhonemeCode("Z'"), 101);
  EXPECT_EQ(PhonemeCode("ZH"), 102);
  EXPECT_EQ(PhonemeCode("_"), 103);
  EXPECT_EQ(PhonemeCode("O1"), 0);
  EXPECT_EQ(PhonemeCode(""), 0);

  EXPECT_EQ(PhonemeByCode(1), "#");
  EXPECT_EQ(PhonemeByCode(6), "AA0");
  EXPECT_EQ(PhonemeByCode(103), "_");
  EXPECT_EQ(PhonemeByCode(0), "");
  EXPECT_EQ(PhonemeByCode(104), "");
  EXPECT_EQ(PhonemeByCode(-1), "");

  EXPECT_EQ(Codes(&IPhonetic::GetPhonemesCodes, "#,A0,,Q,_"), (std::vector<INT>{1, 2, 0, 103}));
  EXPECT_EQ(Codes(&IPhonetic::GetPhonemesCodes, ""), std::vector<INT>{});
  EXPECT_EQ(Codes(&IPhonetic::GetPhonemesCodes, ",,"), std::vector<INT>{});
}

TEST_F(SonalikInventoryCodes, VisemeCodes) {
  EXPECT_EQ(VisemeCode("OJ'2"), 3);
  EXPECT_EQ(VisemeCode("J'"), 6);
  EXPECT_EQ(VisemeCode("CH'"), 16);
  EXPECT_EQ(VisemeCode("Q"), 0);
  EXPECT_EQ(Codes(&IPhonetic::GetVisemesCodes, "#,AJ'2,EU0,YJ'0,UU2,X',R,L',C,F',N',G,M',_"),
            (std::vector<INT>{0, 1, 4, 5, 7, 12, 13, 14, 15, 18, 19, 20, 21, 0}));
}

TEST_F(SonalikInventoryCodes, NullArgumentsAreRefused) {
  INT code = 0;
  INT* codes = nullptr;
  INT num = 0;
  LPSTR text = nullptr;
  EXPECT_EQ(Phonetic()->GetPhonemeCode(nullptr, &code), E_INVALIDARG);
  EXPECT_EQ(Phonetic()->GetPhonemeCode(In("A0"), nullptr), E_INVALIDARG);
  EXPECT_EQ(Phonetic()->GetVisemeCode(In("A0"), nullptr), E_INVALIDARG);
  EXPECT_EQ(Phonetic()->GetPhonemesCodes(In("A0"), nullptr, &num), E_INVALIDARG);
  EXPECT_EQ(Phonetic()->GetPhonemesCodes(In("A0"), &codes, nullptr), E_INVALIDARG);
  EXPECT_EQ(Phonetic()->GetVisemesCodes(nullptr, &codes, &num), E_INVALIDARG);
  EXPECT_EQ(Phonetic()->GetPhonemeByCode(1, nullptr), E_INVALIDARG);
  EXPECT_EQ(Phonetic()->EnumPhonemes(nullptr), E_INVALIDARG);
  EXPECT_EQ(Phonetic()->AllophoneToPhoneme(nullptr, &text), E_INVALIDARG);
  EXPECT_EQ(Phonetic()->GetBasicAllophone(In("A0"), nullptr), E_INVALIDARG);
  EXPECT_EQ(Phonetic()->GetSubstituteAllophone(nullptr, &text), E_INVALIDARG);
}

TEST_F(SonalikInventoryCodes, EnumerationListsEveryNameInOrder) {
  LPSTR out = nullptr;
  ASSERT_EQ(Phonetic()->EnumPhonemes(&out), S_OK);
  const std::string names = Take(S_OK, out);
  EXPECT_EQ(names.rfind("#,A0,A1,A2,A5,AA0,AA2,AE0,AE2,AJ'0,AJ'2,AU0,AU2,B,B',C,CH',D,", 0), 0u);
  EXPECT_TRUE(names.ends_with(",X,X',Y0,Y1,Y2,Y5,YA0,YA2,YE0,YE2,YJ'0,YJ'2,YU0,YU2,Z,Z',ZH,_"));
  std::vector<INT> codes = Codes(&IPhonetic::GetPhonemesCodes, names);
  ASSERT_EQ(codes.size(), 103u);
  for (INT i = 0; i < 103; ++i) EXPECT_EQ(codes[i], i + 1);
}

std::u16string ReadValue(const std::u16string& key, const char16_t* name) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != 0) return u"<no key>";
  char16_t buffer[256] = {};
  DWORD size = sizeof(buffer);
  DWORD type = 0;
  LONG status = RegQueryValueExW(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(handle);
  return status == 0 ? std::u16string(buffer) : u"<no value>";
}

TEST_F(SonalikInventoryCodes, RegistrationNamesLanguageAndCategory) {
  const std::u16string clsid = u"CLSID\\{B9D3E5A2-F1E1-4573-BA91-C66D5EE3E5DE}";
  EXPECT_EQ(ReadValue(clsid, nullptr), u"Morvane Sonalik Class");
  EXPECT_EQ(ReadValue(clsid + u"\\Properties", u"Name"), u"Russian");
  EXPECT_EQ(ReadValue(clsid + u"\\Properties", u"Lang"), u"419.1,419.2");
  EXPECT_EQ(ReadValue(clsid + u"\\InprocServer32", u"ThreadingModel"), u"Both");
  HKEY category = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT,
                          (clsid + u"\\Implemented Categories\\{1AB21F59-830C-4E96-9A6D-64360B0498F3}").c_str(),
                          0, KEY_READ, &category),
            0);
  RegCloseKey(category);
  EXPECT_EQ(ReadValue(u"Sonalik.Sonalik\\CurVer", nullptr), u"Sonalik.Sonalik.1");
}

}  // namespace
