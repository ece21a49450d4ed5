// The English letter-to-phoneme object through COM, with small rules files
// of the tests and with the installed rules file.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "foundation/code_pages.h"
#include "foundation/string_utils.h"
#include "interfaces/runemap.h"
#include "phonetic/phonetic_eng.h"
#include "platform/com.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/server.h"
#include "runemap/letter_rule_base.h"

namespace {

constexpr const char16_t* kEnglishKey = u"SOFTWARE\\Morvane\\English";

struct Result {
  HRESULT hr = E_UNEXPECTED;
  std::string phonemes;  // "<null>" for a null string
};

class RunemapEngTableTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("PARLEN_REGISTRY", "runemap_eng_table_tests.reg", 0);
    void* library = dlopen(RUNEMAP_LIBRARY_PATH, RTLD_NOW);
    ASSERT_NE(library, nullptr) << dlerror();
    auto reg = reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllRegisterServer"));
    ASSERT_NE(reg, nullptr);
    ASSERT_EQ(reg(), S_OK);
  }

  void TearDown() override {
    if (english_ != nullptr) english_->Release();
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kEnglishKey);
  }

  static void NameRulesFile(const std::string& folder, const std::string& name) {
    ASSERT_EQ(WriteRegistryString(HKEY_LOCAL_MACHINE, kEnglishKey, u"Root", NarrowToWide(folder)),
              ERROR_SUCCESS);
    ASSERT_EQ(WriteRegistryString(HKEY_LOCAL_MACHINE, kEnglishKey, u"EngFullTable",
                                  NarrowToWide(name)),
              ERROR_SUCCESS);
  }

  // A rules file of the test, named in the registry (the folder without a
  // trailing separator).
  static void UseRules(const std::string& text) {
    std::string folder = testing::TempDir();
    std::ofstream(folder + "test.rules", std::ios::binary) << text;
    while (!folder.empty() && folder.back() == '/') folder.pop_back();
    NameRulesFile(folder, "test.rules");
  }

  HRESULT Create() {
    return CoCreateInstance(CLSID_RunemapEngTable, nullptr, CLSCTX_INPROC_SERVER,
                            IID_PPV_ARGS(&english_));
  }

  Result Convert2(const char* letters, INT full, std::vector<INT> parts = {}) {
    LPSTR out = reinterpret_cast<LPSTR>(1);
    Result r;
    r.hr = english_->Convert2(const_cast<LPSTR>(letters), full, parts.data(),
                              static_cast<INT>(parts.size()), &out);
    if (out == reinterpret_cast<LPSTR>(1)) {
      r.phonemes = "<untouched>";
    } else if (out == nullptr) {
      r.phonemes = "<null>";
    } else {
      r.phonemes = out;
      CoTaskMemFree(out);
    }
    return r;
  }

  IRunemap* english_ = nullptr;
  MessageBoxCapture boxes_;
};

const char* const kSmallRules =
    "{Groups\n"
    "Vow: A0,A1,A2,E0,E1,E2,O0,O1,O2\n"
    "Edge: #,_\n"
    "}\n"
    "{Rules\n"
    "W W\n"
    "}\n"
    "{Rules\n"
    "H H\n"
    "}\n"
    "{Rules\n"
    "R R\n"
    "}\n"
    "{Rules\n"
    "T T\n"
    "}\n"
    "{Rules\n"
    "A0 AE0\n"
    "}\n"
    "{Rules\n"
    "A1 Y1\n"
    "}\n"
    "{Rules\n"
    "E2 ~\n"
    "}\n"
    "{Rules\n"
    "O0 YU0\n"
    "-Edge>O0\n"
    "}\n"
    "{Rules\n"
    "O2 O2\n";  // the last section is not closed

TEST_F(RunemapEngTableTest, ConvertsWithTheNamedRules) {
  UseRules(kSmallRules);
  ASSERT_EQ(Create(), S_OK);
  EXPECT_EQ(Convert2("#tat#", 2).phonemes, "T,AE0,T");
  EXPECT_EQ(Convert2("_TAT_", 2).phonemes, "T,AE0,T");
  EXPECT_EQ(Convert2("#tat#", -1).phonemes, "T,Y1,T");
  // W before R is silent, before H it is not
  EXPECT_EQ(Convert2("#wrote#", 3).phonemes, "R,YU0,T");
  EXPECT_EQ(Convert2("#whot#", 3).phonemes, "W,H,YU0,T");
  // H before a consonant is silent; before a vowel and at the end it stays
  EXPECT_EQ(Convert2("#tahtoh#", 2).phonemes, "T,AE0,T,O2,H");
  EXPECT_EQ(Convert2("#hot#", 2).phonemes, "H,YU0,T");
  EXPECT_EQ(Convert2("#ho#", 2).phonemes, "H,O0");
  // letters without a section yield nothing and no comma
  EXPECT_EQ(Convert2("#tbat#", 3).phonemes, "T,AE0,T");
  const Result silent = Convert2("#be#", 1);
  EXPECT_EQ(silent.hr, S_FALSE);
  EXPECT_EQ(silent.phonemes, "<null>");
  // the stress digit belongs to vowels only
  EXPECT_EQ(Convert2("#tat#", 2, {1}).phonemes, "T,AE0,T");
  EXPECT_EQ(boxes_.Count(), 0u);
}

TEST_F(RunemapEngTableTest, ArgumentChecks) {
  UseRules(kSmallRules);
  ASSERT_EQ(Create(), S_OK);
  LPSTR out = nullptr;
  EXPECT_EQ(english_->Convert2(nullptr, 1, nullptr, 0, &out), E_INVALIDARG);
  EXPECT_EQ(english_->Convert2(const_cast<LPSTR>("#a#"), 1, nullptr, 0, nullptr), E_INVALIDARG);
  EXPECT_EQ(english_->Convert2(const_cast<LPSTR>("#a#"), 1, nullptr, -1, &out), E_INVALIDARG);
  EXPECT_EQ(english_->Convert(const_cast<LPSTR>("#a+#"), &out), E_NOTIMPL);
  EXPECT_EQ(Convert2("#tat#", -2).hr, E_INVALIDARG);
  EXPECT_EQ(Convert2("#tat#", 2, {0}).phonemes, "<untouched>");
  const Result empty = Convert2("", 1);
  EXPECT_EQ(empty.hr, S_FALSE);
  EXPECT_EQ(empty.phonemes, "<null>");
  for (const char* bad : {"##", "#t", "tat#", "#tat", "#t4t#", "#t-t#", "#тат#"}) {
    const Result r = Convert2(bad, -1);
    EXPECT_EQ(r.hr, E_INVALIDARG) << bad;
    EXPECT_EQ(r.phonemes, "<null>") << bad;
  }
  // stress positions beyond the letters, or a secondary one on the main
  // one, are not checked: they stress nothing
  EXPECT_EQ(Convert2("#tat#", 4).phonemes, "T,Y1,T");
  // (A5 has no rules here)
  EXPECT_EQ(Convert2("#tat#", 2, {4, 2}).phonemes, "T,T");
  EXPECT_EQ(Convert2("#tat#", 2, {40}).phonemes, "T,AE0,T");
  // a main stress on a consonant leaves every vowel before the stress
  EXPECT_EQ(Convert2("#tat#", 3).phonemes, "T,Y1,T");
  EXPECT_EQ(Convert2("#tat#", 1).phonemes, "T,Y1,T");
  EXPECT_EQ(Convert2("#tat#", 0).phonemes, "T,Y1,T");

  IRunemap2* second = nullptr;
  EXPECT_EQ(english_->QueryInterface(IID_PPV_ARGS(&second)), E_NOINTERFACE);
}

TEST_F(RunemapEngTableTest, CreationFailures) {
  // no registry values
  EXPECT_EQ(Create(), E_FAIL);
  // a syntax error fails the creation instead of ending the process
  UseRules("{Rules\nT T\nEdge T\n}\n");
  EXPECT_EQ(Create(), E_FAIL);
  UseRules("{Groups\nEdge #,_\n}\n");
  EXPECT_EQ(Create(), E_FAIL);
  EXPECT_EQ(english_, nullptr);

  const auto shown = boxes_.Boxes();
  ASSERT_EQ(shown.size(), 5u);
  EXPECT_EQ(shown[0].text, u"CRunemapEngTable::В реестре не прописан путь к файлу с правилами.");
  EXPECT_EQ(shown[0].caption, u"Ошибка");
  EXPECT_EQ(shown[1].text, u"Syntax error in rule definition:\nEdge T");
  EXPECT_EQ(shown[1].caption, u"Error");
  EXPECT_EQ(shown[2].text, u"CRunemapEngTable::Невозможно загрузить файл с правилами.");
  EXPECT_EQ(shown[2].caption, u"Ошибка");
  EXPECT_EQ(shown[3].text, u"Syntax error in group definition:\nEdge#,_");
  EXPECT_EQ(shown[4].text, u"CRunemapEngTable::Невозможно загрузить файл с правилами.");
}

// Common words with the installed rules file; the stress is on the first
// letter of the stressed vowel's spelling. Expected strings follow the
// words' southern British dictionary pronunciations.
TEST_F(RunemapEngTableTest, InstalledRulesSpeakCommonWords) {
  NameRulesFile(ENGLISH_RULES_DIR, "english.rules");
  ASSERT_EQ(Create(), S_OK);
  struct Word {
    const char* letters;
    INT stress;
    const char* phonemes;
  };
  const Word words[] = {
      {"#cat#", 2, "K,AE0,T"},
      {"#make#", 2, "M,EI0,K"},
      {"#car#", 2, "K,AA0"},
      {"#care#", 2, "K,EY0"},
      {"#air#", 1, "EY0"},
      {"#water#", 2, "W,OO0,T,Y$"},
      {"#what#", 3, "W,O0,T"},
      {"#was#", 2, "W,O0,Z"},
      {"#have#", 2, "H,AE0,V"},
      {"#father#", 2, "F,AA0,ZX,Y$"},
      {"#the#", 3, "ZX,II0"},
      {"#these#", 3, "ZX,II0,Z"},
      {"#there#", 3, "ZX,EY0"},
      {"#here#", 2, "H,IY0"},
      {"#head#", 2, "H,E0,D"},
      {"#see#", 2, "S,II0"},
      {"#very#", 2, "V,E0,R,I2"},
      {"#her#", 2, "H,EE0"},
      {"#time#", 2, "T,AI0,M"},
      {"#give#", 2, "G,I0,V"},
      {"#night#", 2, "N,AI0,T"},
      {"#first#", 2, "F,EE0,S,T"},
      {"#field#", 2, "F,II0,L,D"},
      {"#fire#", 2, "F,AI0,Y$"},
      {"#home#", 2, "H,YU0,M"},
      {"#come#", 2, "K,A0,M"},
      {"#one#", 1, "W,A0,N"},
      {"#go#", 2, "G,YU0"},
      {"#who#", 3, "H,UU0"},
      {"#house#", 2, "H,AU0,S"},
      {"#thought#", 3, "TX,OO0,T"},
      {"#book#", 2, "B,U0,K"},
      {"#food#", 2, "F,UU0,D"},
      {"#boy#", 2, "B,OI0"},
      {"#now#", 2, "N,AU0"},
      {"#know#", 3, "N,YU0"},
      {"#but#", 2, "B,A0,T"},
      {"#put#", 2, "P,U0,T"},
      {"#my#", 2, "M,AI0"},
      {"#yes#", 2, "J,E0,S"},
      {"#you#", 2, "J,UU0"},
      {"#happy#", 2, "H,AE0,P,I2"},
      {"#system#", 2, "S,I0,S,T,Y$,M"},
      {"#nation#", 2, "N,EI0,SH,Y$,N"},
      {"#question#", 3, "K,W,E0,S,CH,Y$,N"},
      {"#people#", 2, "P,II0,P,L"},
      {"#think#", 3, "TX,I0,NG,K"},
      {"#finger#", 2, "F,I0,NG,G,Y$"},
      {"#change#", 3, "CH,EI0,N,DH"},
      {"#write#", 3, "R,AI0,T"},
      {"#laugh#", 2, "L,AA0,F"},
      {"#enough#", 3, "I1,N,A0,F"},
      {"#walked#", 2, "W,OO0,K,T"},
      {"#wanted#", 2, "W,O0,N,T,I2,D"},
      {"#dogs#", 2, "D,O0,G,Z"},
      {"#cats#", 2, "K,AE0,T,S"},
      {"#boxes#", 2, "B,O0,K,S,I2,Z"},
      {"#this#", 3, "ZX,I0,S"},
      {"#with#", 2, "W,I0,ZX"},
      {"#mother#", 2, "M,A0,ZX,Y$"},
      {"#school#", 4, "S,K,UU0,L"},
      {"#phone#", 3, "F,YU0,N"},
      {"#queen#", 3, "K,W,II0,N"},
      {"#exam#", 3, "I1,G,Z,AE0,M"},
      {"#judge#", 2, "DH,A0,DH"},
      {"#computer#", 5, "K,Y1,M,P,J,UU0,T,Y$"},
      {"#about#", 3, "Y1,B,AU0,T"},
      {"#music#", 2, "M,J,UU0,Z,I2,K"},
      {"#world#", 2, "W,EE0,L,D"},
      {"#table#", 2, "T,EI0,B,L"},
      {"#children#", 3, "CH,I0,L,D,R,Y$,N"},
      {"#friend#", 3, "F,R,E0,N,D"},
      {"#new#", 2, "N,J,UU0"},
      {"#blue#", 3, "B,L,UU0"},
      {"#money#", 2, "M,A0,N,I2"},
      {"#special#", 3, "S,P,E0,SH,Y$,L"},
      {"#picture#", 2, "P,I0,K,CH,Y$"},
      {"#sure#", 2, "SH,UY0"},
      {"#because#", 4, "B,I1,K,OO0,Z"},
      {"#year#", 2, "J,IY0"},
      {"#learn#", 2, "L,EE0,N"},
      {"#million#", 2, "M,I0,L,J,Y$,N"},
  };
  for (const Word& word : words) {
    const Result r = Convert2(word.letters, word.stress);
    EXPECT_EQ(r.hr, S_OK) << word.letters;
    EXPECT_EQ(r.phonemes, word.phonemes) << word.letters;
  }
  EXPECT_EQ(boxes_.Count(), 0u);
}

// Every phoneme the installed rules can yield is a phoneme of the English
// phonetics, so the phonetic processor has allophones for it.
TEST(InstalledEnglishRulesTest, YieldOnlyEnglishPhonemes) {
  LetterRuleBase rules;
  ASSERT_EQ(rules.LoadRulesFile(NarrowToWide(std::string(ENGLISH_RULES_DIR) + "english.rules")),
            S_OK);
  const PhoneticEng phonetics;
  std::set<std::string> results;
  for (const auto& [token, set] : rules.RuleSets()) {
    results.insert(set.defaultResult);
    for (const LetterRule& rule : set.rules) {
      results.insert(rule.result);
      for (const auto* items : {&rule.left, &rule.right}) {
        for (const std::string& item : *items) {
          EXPECT_TRUE(item == "*" || rules.Groups().count(item) != 0) << token << ": " << item;
        }
      }
    }
  }
  for (const std::string& result : results) {
    if (result.empty() || result == "~") continue;
    for (const std::string& phoneme : SplitList(result)) {
      EXPECT_NE(phonetics.GetSD(phoneme), 0u) << phoneme;
    }
  }
  // a rule set for every letter and every stressed or unstressed vowel
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    if (std::string("AEIOUY").find(letter) == std::string::npos) {
      EXPECT_EQ(rules.RuleSets().count(std::string(1, letter)), 1u) << letter;
      continue;
    }
    for (char digit : std::string("0125")) {
      EXPECT_EQ(rules.RuleSets().count(std::string{letter, digit}), 1u) << letter << digit;
    }
  }
}

}  // namespace
