#include "phonetic/phonetic_processor_core.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "phonetic/rule_base_compiler.h"
#include "phonetic/tests/registry_values.h"
#include "phonetic/tests/test_files.h"
#include "platform/message_box.h"

namespace {

const char* const kRules = R"(
{Phonemes
A V 0 1
A0 V 2 1
A2 V 4 1
M C 50 21
N C 60 19
S C 80 15
Q C 0 0
}
{Groups
Vow: A0,A2
Nasal: M,N
}
{Rules
M,N,S
_c
-Vow>_a
}
{Rules
A
_n
Nasal->_m
}
)";

class PhoneticProcessorCoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseTestRegistry();
    RemoveRussianValues();
    WriteBase("rus.bin", kRules);
  }
  void TearDown() override { RemoveRussianValues(); }

  void WriteBase(const std::string& name, const std::string& rules) {
    PhonemeAllophoneBase text;
    ASSERT_EQ(text.Load(dir_.Write("rules.txt", rules)), S_OK);
    CompiledRuleBaseImage image;
    std::vector<unsigned char> bytes;
    std::string error;
    ASSERT_TRUE(CompileRuleBase(text, image, error) && SerializeRuleBase(image, bytes, error)) << error;
    dir_.Write(name, std::string(bytes.begin(), bytes.end()));
  }

  void NameBase(const std::string& folder, const std::string& file) {
    SetRussianValue(u"Root", std::u16string(folder.begin(), folder.end()));
    SetRussianValue(u"PhTableRusPath", std::u16string(file.begin(), file.end()));
  }

  void ExpectConverted(const std::string& phonemes, const std::string& outPhonemes,
                       const std::string& allophones) {
    std::string out = "<untouched>", allophoneOut = "<untouched>";
    EXPECT_EQ(core_.ToAllophones(phonemes, out, allophoneOut), S_OK) << phonemes;
    EXPECT_EQ(out + " / " + allophoneOut, outPhonemes + " / " + allophones) << phonemes;
  }

  ScratchDir dir_;
  PhoneticProcessorCore core_;
  MessageBoxCapture boxes_;
};

TEST_F(PhoneticProcessorCoreTest, RussianLoadsOncePerChange) {
  // The folder gets a separator when it has none.
  NameBase(dir_.Folder().substr(0, dir_.Folder().size() - 1), "rus.bin");
  EXPECT_EQ(core_.SetLanguage(u"419"), S_OK);
  EXPECT_EQ(core_.RuleBasePath(), dir_.WidePath("rus.bin"));
  ExpectConverted("#,M,A0,#", "M,A0", "M_a,A0_m");

  // The same language again does not reload.
  std::filesystem::remove(dir_.Path("rus.bin"));
  EXPECT_EQ(core_.SetLanguage(u"419"), S_FALSE);
  ExpectConverted("#,M,A0,#", "M,A0", "M_a,A0_m");

  // Back from English, the base is read again.
  WriteBase("rus.bin", std::string(kRules) + "{Rules\nQ\n_q\n}\n");
  EXPECT_EQ(core_.SetLanguage(u"409"), S_OK);
  EXPECT_EQ(core_.SetLanguage(u"419"), S_OK);
  ExpectConverted("#,Q,#", "Q", "Q_q");
  EXPECT_EQ(boxes_.Count(), 0u);
}

TEST_F(PhoneticProcessorCoreTest, RussianWithoutItsBaseFailsUntilLoaded) {
  // English needs no data, and has no phonetics yet.
  std::string phonemes, allophones;
  EXPECT_EQ(core_.SetLanguage(u"409"), S_OK);
  EXPECT_EQ(core_.SetLanguage(u"409"), S_FALSE);
  EXPECT_EQ(core_.ToAllophones("#,HH,AH0,#", phonemes, allophones), E_FAIL);

  // No base path in the registry: Russian is set, and its words fail
  // without touching the outputs rather than taking the English way.
  const auto expectAborted = [&] {
    std::string out = "<untouched>", allophoneOut = "<untouched>";
    EXPECT_EQ(core_.ToAllophones("#,M,A0,#", out, allophoneOut), E_ABORT);
    EXPECT_EQ(out + " / " + allophoneOut, "<untouched> / <untouched>");
  };
  EXPECT_EQ(core_.SetLanguage(u"419"), E_FAIL);
  EXPECT_EQ(core_.GetLanguage(), u"419");
  expectAborted();
  EXPECT_EQ(boxes_.Count(), 0u);

  // A base that cannot be read: asked again, reported, still no base.
  NameBase(dir_.Folder(), "missing.bin");
  EXPECT_EQ(core_.SetLanguage(u"419"), E_FAIL);
  expectAborted();
  ASSERT_EQ(boxes_.Count(), 2u);
  EXPECT_EQ(boxes_.Boxes()[1].text, u"NotLoadBase");

  // Unknown languages are refused and change nothing.
  NameBase(dir_.Folder(), "rus.bin");
  EXPECT_EQ(core_.SetLanguage(u"407"), E_FAIL);
  EXPECT_EQ(core_.SetLanguage(std::nullopt), E_FAIL);
  EXPECT_EQ(core_.GetLanguage(), u"419");
  expectAborted();

  // Once the base is there, the same request loads it; then it is kept.
  EXPECT_EQ(core_.SetLanguage(u"419"), S_OK);
  EXPECT_EQ(core_.GetLanguage(), u"419");
  ExpectConverted("#,N,A2,#", "N,A2", "N_a,A2_m");
  EXPECT_EQ(core_.SetLanguage(u"419"), S_FALSE);
}

TEST_F(PhoneticProcessorCoreTest, RussianWordsStayInStep) {
  NameBase(dir_.Folder(), "rus.bin");
  ASSERT_EQ(core_.SetLanguage(u"419"), S_OK);
  // Marks only, or nothing at all.
  for (const char* marks : {"", "#", "#,#", "_", "_,_", ",,"}) ExpectConverted(marks, "", "");
  // Without marks around it a word keeps all its phonemes.
  ExpectConverted("M", "M", "M_c");
  ExpectConverted("_,M,A0,_", "M,A0", "M_a,A0_m");
  ExpectConverted("#,M,A0,_,S,A2,#", "M,A0,_,S,A2", "M_a,A0_m,_,S_a,A2_n");
  // A phoneme without rules leaves with its place.
  ExpectConverted("#,Q,A0,S,#", "A0,S", "A0_n,S_c");
  // Of two equal consonants the second stays; vowels are never merged.
  ExpectConverted("#,S,S,A0,#", "S,A0", "S_a,A0_n");
  ExpectConverted("#,M,A0,A0,#", "M,A0,A0", "M_a,A0_m,A0_n");
}

}  // namespace
