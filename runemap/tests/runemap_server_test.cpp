// The letter-to-phoneme server as its client sees it: registered into the
// test's registry and created through CoCreateInstance.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "interfaces/runemap.h"
#include "platform/com.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/server.h"

namespace {

constexpr HRESULT kUnset = 0x7777;

struct Result {
  HRESULT hr = kUnset;
  std::string phonemes;
  bool isNull = true;
};

// Takes over a returned string.
Result Take(HRESULT hr, LPSTR phonemes) {
  Result r;
  r.hr = hr;
  r.isNull = phonemes == nullptr;
  if (phonemes != nullptr) {
    r.phonemes = phonemes;
    CoTaskMemFree(phonemes);
  }
  return r;
}

class RunemapServerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // never touch the user's registry when run outside CTest
    setenv("PARLEN_REGISTRY", "runemap_server_tests.reg", 0);
    void* library = dlopen(RUNEMAP_LIBRARY_PATH, RTLD_NOW);
    ASSERT_NE(library, nullptr) << dlerror();
    using Entry = HRESULT (*)();
    auto reg = reinterpret_cast<Entry>(dlsym(library, "DllRegisterServer"));
    ASSERT_NE(reg, nullptr);
    ASSERT_EQ(reg(), S_OK);
    getClassObject_ = reinterpret_cast<DllGetClassObjectFunc>(dlsym(library, "DllGetClassObject"));
  }

  void SetUp() override {
    ASSERT_EQ(CoCreateInstance(CLSID_RunemapRusSimpleSm, nullptr, CLSCTX_INPROC_SERVER,
                               IID_PPV_ARGS(&runemap_)),
              S_OK);
    ASSERT_EQ(runemap_->QueryInterface(IID_PPV_ARGS(&runemap2_)), S_OK);
    ASSERT_EQ(runemap_->QueryInterface(IID_PPV_ARGS(&lang_)), S_OK);
  }

  void TearDown() override {
    if (lang_ != nullptr) lang_->Release();
    if (runemap2_ != nullptr) runemap2_->Release();
    if (runemap_ != nullptr) runemap_->Release();
  }

  Result Convert(const char* letters) {
    LPSTR out = reinterpret_cast<LPSTR>(1);
    const HRESULT hr = runemap_->Convert(const_cast<LPSTR>(letters), &out);
    return Take(hr, out);
  }

  // A position refused by its sign leaves the out pointer untouched, so
  // this one starts out null.
  Result Convert2(const char* letters, INT full, std::vector<INT> parts = {}) {
    LPSTR out = nullptr;
    const HRESULT hr = runemap_->Convert2(const_cast<LPSTR>(letters), full, parts.data(),
                                          static_cast<INT>(parts.size()), &out);
    return Take(hr, out);
  }

  // Parameter bytes for `str`: main and secondary stresses by letter index.
  static std::vector<I1> Params(size_t letters, size_t parts, int main,
                                std::vector<int> secondary = {}) {
    std::vector<I1> params(2 * (letters + 1) + parts, 0);
    if (main >= 0) params[main] = 1;
    for (int s : secondary) params[letters + s] = 1;
    return params;
  }

  Result ConvertFlags(const char* str, std::vector<I1> params) {
    LPSTR out = reinterpret_cast<LPSTR>(1);
    const HRESULT hr = runemap2_->Convert(const_cast<LPSTR>(str), params.data(),
                                          static_cast<INT>(params.size()), &out);
    return Take(hr, out);
  }

  static inline DllGetClassObjectFunc getClassObject_ = nullptr;
  IRunemap* runemap_ = nullptr;
  IRunemap2* runemap2_ = nullptr;
  IRunemapLang* lang_ = nullptr;
};

struct ConvertCase {
  const char* input;
  HRESULT hr;
  const char* phonemes;  // null: no result string
};

void ExpectResult(const Result& r, const ConvertCase& t) {
  EXPECT_EQ(r.hr, t.hr) << t.input;
  if (t.phonemes == nullptr) {
    EXPECT_TRUE(r.isNull) << t.input;
  } else {
    EXPECT_EQ(r.phonemes, t.phonemes) << t.input;
  }
}

TEST_F(RunemapServerTest, RegisteredUnderBothProgIds) {
  CLSID clsid{};
  EXPECT_EQ(CLSIDFromProgID(u"Runemap.RunemapRusSimpleSm.1", &clsid), S_OK);
  EXPECT_EQ(clsid, CLSID_RunemapRusSimpleSm);
  EXPECT_EQ(CLSIDFromProgID(u"Runemap.RunemapRusSimpleSm", &clsid), S_OK);
  EXPECT_EQ(clsid, CLSID_RunemapRusSimpleSm);
  EXPECT_EQ(CLSIDFromProgID(u"Runemap.RunemapEngTable.1", &clsid), S_OK);
  EXPECT_EQ(clsid, CLSID_RunemapEngTable);
}

TEST_F(RunemapServerTest, MarkedLetters) {
  const std::vector<ConvertCase> cases = {
      {"#молоко+#", S_OK, "M,A2,L,A1,K,O0"},
      {"_молоко+_", S_OK, "M,A2,L,A1,K,O0"},
      {"#молоко+_", S_OK, "M,A2,L,A1,K,O0"},
      {"#МОЛОКО+#", S_OK, "M,A2,L,A1,K,O0"},
      {"#ё+лка#", S_OK, "J',O0,L,K,A2"},
      {"#сча+стье#", S_OK, "SH',A0,S',T',J',E2"},
      {"#вокза+л#", S_OK, "V,A1,G,Z,A0,L"},
      {"#мо-ло-ко+#", S_OK, "M,O5,L,O5,K,O0"},
      {"#мама#", S_OK, "M,A2,M,A2"},
      {"", S_FALSE, nullptr},
      {"#ъ#", S_FALSE, nullptr},
      {"#", E_INVALIDARG, nullptr},
      {"##", E_INVALIDARG, nullptr},
      {"#+молоко#", E_INVALIDARG, nullptr},
      {"#-молоко#", E_INVALIDARG, nullptr},
      {"#мо+локо+#", E_INVALIDARG, nullptr},
      {"#м+олоко#", E_INVALIDARG, nullptr},
      {"#мо+-локо#", E_INVALIDARG, nullptr},
      {"#мо--локо#", E_INVALIDARG, nullptr},
      {"#мол1око#", E_INVALIDARG, nullptr},
      {"#мол око#", E_INVALIDARG, nullptr},
      {"#mama#", E_INVALIDARG, nullptr},
      {"молоко+#", E_INVALIDARG, nullptr},
      {"#молоко+", E_INVALIDARG, nullptr},
  };
  for (const ConvertCase& t : cases) ExpectResult(Convert(t.input), t);

  LPSTR out = nullptr;
  EXPECT_EQ(runemap_->Convert(nullptr, &out), E_INVALIDARG);
  EXPECT_EQ(runemap_->Convert(const_cast<LPSTR>("#мама#"), nullptr), E_INVALIDARG);
}

TEST_F(RunemapServerTest, StressPositions) {
  const struct {
    const char* letters;
    INT full;
    std::vector<INT> parts;
    ConvertCase expected;
  } cases[] = {
      {"#молоко#", 6, {}, {"main 6", S_OK, "M,A2,L,A1,K,O0"}},
      {"_МОЛОКО_", 6, {}, {"capitals", S_OK, "M,A2,L,A1,K,O0"}},
      {"#молоко#", 0, {}, {"main 0", S_OK, "M,A2,L,A2,K,A2"}},
      {"#молоко#", -1, {}, {"main -1", S_OK, "M,A2,L,A2,K,A2"}},
      {"#молоко#", 6, {2}, {"secondary 2", S_OK, "M,O5,L,A1,K,O0"}},
      // letters between the boundaries are not checked
      {"#моло1ко#", 7, {}, {"digit", S_OK, "M,A2,L,A1,K,O0"}},
      {"#молоко#", 7, {}, {"main 7", E_INVALIDARG, nullptr}},
      {"#молоко#", -2, {}, {"main -2", E_INVALIDARG, nullptr}},
      {"#молоко#", 6, {0}, {"secondary 0", E_INVALIDARG, nullptr}},
      {"#молоко#", 6, {6}, {"secondary = main", E_INVALIDARG, nullptr}},
      {"#молоко#", 6, {7}, {"secondary 7", E_INVALIDARG, nullptr}},
      {"#молоко#", INT32_MIN, {}, {"main INT_MIN", E_INVALIDARG, nullptr}},
      {"", 1, {}, {"empty", S_FALSE, nullptr}},
      {"#а", -1, {}, {"short", E_INVALIDARG, nullptr}},
      {"#ъ#", -1, {}, {"no phoneme", S_FALSE, nullptr}},
      {"мама#", -1, {}, {"no boundary", E_INVALIDARG, nullptr}},
  };
  for (const auto& t : cases) ExpectResult(Convert2(t.letters, t.full, t.parts), t.expected);

  LPSTR out = nullptr;
  INT part = 2;
  EXPECT_EQ(runemap_->Convert2(const_cast<LPSTR>("#мама#"), 2, &part, -1, &out), E_INVALIDARG);
  EXPECT_EQ(runemap_->Convert2(nullptr, 2, nullptr, 0, &out), E_INVALIDARG);
  EXPECT_EQ(runemap_->Convert2(const_cast<LPSTR>("#мама#"), 2, nullptr, 0, nullptr),
            E_INVALIDARG);
  // a positive count needs the positions
  EXPECT_EQ(runemap_->Convert2(const_cast<LPSTR>("#мама#"), 2, nullptr, 1, &out), E_INVALIDARG);
  EXPECT_EQ(runemap_->Convert2(const_cast<LPSTR>("#мама#"), 2, nullptr, 0, &out), S_OK);
  EXPECT_EQ(std::string(out), "M,A0,M,A2");
  CoTaskMemFree(out);
}

TEST_F(RunemapServerTest, ParameterBytes) {
  const struct {
    const char* str;
    std::vector<I1> params;
    ConvertCase expected;
  } cases[] = {
      {"молоко", Params(6, 1, 5), {"main 5", S_OK, "M,A1,L,A1,K,O0"}},
      {"молоко", Params(6, 1, 5, {1}), {"secondary 1", S_OK, "M,O5,L,A1,K,O0"}},
      {"паро+ход", Params(7, 2, 5), {"two parts", S_OK, "P,A1,R,A1,X,O0,T"}},
      {" паро\t+ ход\n", Params(7, 2, 5), {"trimmed parts", S_OK, "P,A1,R,A1,X,O0,T"}},
      {"паро++ход+", Params(7, 2, 5), {"empty parts", S_OK, "P,A1,R,A1,X,O0,T"}},
      {"водо+пад", Params(7, 2, 5), {"stress in part 2", S_OK, "V,A1,D,A1,P,A0,T"}},
      {"во+допад", Params(7, 2, 1), {"stress in part 1", S_OK, "V,O0,D,A2,P,A2,T"}},
      {"ъ", Params(1, 1, -1), {"no phoneme", S_FALSE, nullptr}},
      {"молоко", std::vector<I1>(14, 0), {"one byte short", E_INVALIDARG, nullptr}},
      {"молоко", std::vector<I1>(16, 0), {"one byte long", E_INVALIDARG, nullptr}},
      {"паро++ход", std::vector<I1>(19, 0), {"size counts formed parts", E_INVALIDARG, nullptr}},
      {"+", std::vector<I1>(3, 0), {"no parts", E_INVALIDARG, nullptr}},
      {"", std::vector<I1>(3, 0), {"empty", E_INVALIDARG, nullptr}},
  };
  for (const auto& t : cases) ExpectResult(ConvertFlags(t.str, t.params), t.expected);

  // only the value 1 marks a stress; the part byte changes nothing
  std::vector<I1> params = Params(6, 1, -1);
  params[5] = 2;
  params[14] = 1;
  ExpectResult(ConvertFlags("молоко", params), {"byte 2", S_OK, "M,A1,L,A1,K,A1"});

  LPSTR out = nullptr;
  I1 bytes[15] = {};
  EXPECT_EQ(runemap2_->Convert(nullptr, bytes, 15, &out), E_INVALIDARG);
  EXPECT_EQ(runemap2_->Convert(const_cast<LPSTR>("молоко"), nullptr, 15, &out), E_INVALIDARG);
  EXPECT_EQ(runemap2_->Convert(const_cast<LPSTR>("молоко"), bytes, 0, &out), E_INVALIDARG);
  EXPECT_EQ(runemap2_->Convert(const_cast<LPSTR>("молоко"), bytes, 15, nullptr), E_INVALIDARG);
}

TEST_F(RunemapServerTest, SubLanguageModes) {
  EXPECT_EQ(lang_->SetLang(1), S_OK);
  ExpectResult(Convert("#молоко+#"), {"mode 1", S_OK, "M,A1,L,A1,K,O0"});
  ExpectResult(Convert("#мо-локо+#"), {"mode 1 secondary", S_OK, "M,O0,L,A1,K,O0"});
  ExpectResult(ConvertFlags("мой", Params(3, 1, 1)), {"mode 1 glide", S_OK, "M,O0,J'"});
  EXPECT_EQ(lang_->SetLang(2), S_OK);
  ExpectResult(ConvertFlags("мой", Params(3, 1, 1)), {"mode 2 glide", S_OK, "M,OJ'0"});
  ExpectResult(ConvertFlags("новая", Params(5, 1, 1)), {"mode 2 vowels", S_OK, "N,O0,V,AA2"});
  EXPECT_EQ(lang_->SetLang(0), S_OK);
  ExpectResult(Convert("#молоко+#"), {"mode 0", S_OK, "M,A2,L,A1,K,O0"});
}

TEST_F(RunemapServerTest, PhoneticId) {
  IRunemapInfo* info = nullptr;
  ASSERT_EQ(runemap2_->QueryInterface(IID_PPV_ARGS(&info)), S_OK);
  I2 id = 0;
  EXPECT_EQ(info->get_PhoneticId(&id), S_OK);
  EXPECT_EQ(id, 3);
  EXPECT_EQ(info->get_PhoneticId(nullptr), E_POINTER);
  info->Release();
}

TEST_F(RunemapServerTest, ClassesWithoutObjects) {
  for (const CLSID& clsid : {CLSID_RunemapRusSimple, CLSID_RunemapRusTable,
                             CLSID_RunemapBlrTable, CLSID_RunemapRusTableSm}) {
    void* factory = nullptr;
    EXPECT_EQ(getClassObject_(clsid, IID_IClassFactory, &factory), CLASS_E_CLASSNOTAVAILABLE);
    IUnknown* object = nullptr;
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&object)),
              REGDB_E_CLASSNOTREG);
  }
}

TEST_F(RunemapServerTest, EnglishObjectNeedsItsRulesFile) {
  const char16_t* key = u"SOFTWARE\\Morvane\\English";
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, key);
  MessageBoxCapture boxes;
  IRunemap* english = nullptr;
  EXPECT_EQ(CoCreateInstance(CLSID_RunemapEngTable, nullptr, CLSCTX_INPROC_SERVER,
                             IID_PPV_ARGS(&english)),
            E_FAIL);
  EXPECT_EQ(english, nullptr);

  ASSERT_EQ(WriteRegistryString(HKEY_LOCAL_MACHINE, key, u"Root", u"/nonexistent/english/"),
            ERROR_SUCCESS);
  ASSERT_EQ(WriteRegistryString(HKEY_LOCAL_MACHINE, key, u"EngFullTable", u"eng.rules"),
            ERROR_SUCCESS);
  EXPECT_EQ(CoCreateInstance(CLSID_RunemapEngTable, nullptr, CLSCTX_INPROC_SERVER,
                             IID_PPV_ARGS(&english)),
            E_FAIL);
  EXPECT_EQ(english, nullptr);
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, key);

  const auto shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, u"CRunemapEngTable::В реестре не прописан путь к файлу с правилами.");
  EXPECT_EQ(shown[0].caption, u"Ошибка");
  EXPECT_EQ(shown[1].text, u"CRunemapEngTable::Невозможно загрузить файл с правилами.");
  EXPECT_EQ(shown[1].caption, u"Ошибка");
}

}  // namespace
