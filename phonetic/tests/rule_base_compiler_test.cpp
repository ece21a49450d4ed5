#include "phonetic/rule_base_compiler.h"

#include <gtest/gtest.h>

#include "phonetic/allophone_rule_base.h"
#include "phonetic/tests/test_files.h"
#include "platform/message_box.h"

namespace {

// Rules that reach two steps in both directions, with "*" items.
const char* const kRules = R"(.Version 2
{Phonemes
A V 0 1
A0 V 2 1
A1 V 3 1
T C 90 19
N C 60 19
S C 80 15
}
{Groups
Vow: A0,A1
Nas: N
Stop: T
Edge: #,_
}
{Rules
T,N
_x
-Vow,Nas>_vn
-Vow>_v
Vow-*>_mid
Edge,*->_far
}
{Rules
A
_n
*,Vow->_deep
Stop->
-*,*>_two
}
)";

class RuleBaseCompilerTest : public ::testing::Test {
 protected:
  void Compile(const std::string& text) { CompileFile(dir_.Write("base.rules", text)); }

  void CompileFile(const std::u16string& path) {
    ASSERT_EQ(source_.Load(path), S_OK);
    std::string error;
    ASSERT_TRUE(CompileRuleBase(source_, image_, error)) << error;
    std::vector<unsigned char> bytes;
    ASSERT_TRUE(SerializeRuleBase(image_, bytes, error)) << error;
    ASSERT_TRUE(compiled_.LoadCompiledRuleBase(
        dir_.Write("base.bin", std::string(bytes.begin(), bytes.end()))));
  }

  // Every phoneme with rules, in every context of up to `width` tokens on
  // each side drawn from the alphabet, gets the same allophone both ways.
  void ExpectSameAllophones(const std::vector<std::string>& alphabet, size_t width) {
    std::vector<std::string> phonemes;
    for (const auto& [name, rule] : image_.rules) phonemes.push_back(name);
    std::vector<std::string> tokens;
    size_t compared = 0;
    for (size_t before = 0; before <= width; ++before) {
      for (size_t after = 0; after <= width; ++after) {
        const size_t length = before + 1 + after;
        size_t combinations = phonemes.size();
        for (size_t k = 1; k < length; ++k) combinations *= alphabet.size();
        for (size_t n = 0; n < combinations; ++n) {
          size_t code = n;
          tokens.assign(length, "");
          tokens[before] = phonemes[code % phonemes.size()];
          code /= phonemes.size();
          for (size_t k = 0; k < length; ++k) {
            if (k == before) continue;
            tokens[k] = alphabet[code % alphabet.size()];
            code /= alphabet.size();
          }
          ASSERT_EQ(compiled_.ApplyAllophoneRules(tokens, before), source_.FindRule(tokens, before))
              << ::testing::PrintToString(tokens) << " at " << before;
          ++compared;
        }
      }
    }
    EXPECT_GT(compared, 0u);
  }

  ScratchDir dir_;
  PhonemeAllophoneBase source_;
  CompiledRuleBaseImage image_;
  AllophoneRuleBase compiled_;
};

TEST_F(RuleBaseCompilerTest, CompiledBaseChoosesAsTheTextRules) {
  Compile(kRules);
  // The bare vowel only keys the rules of its stressed forms.
  EXPECT_EQ(image_.rules.count("A"), 0u);
  EXPECT_EQ(image_.rules.count("A0"), 1u);
  EXPECT_EQ(image_.rules.at("A1").defaultSuffix, "1_n");
  // Labels name the items a neighbour matches; flagged ones look further.
  EXPECT_EQ(image_.flags.at("*+Vow"), 1);
  EXPECT_EQ(image_.flags.at("Edge"), 1);
  EXPECT_EQ(image_.flags.at("Nas"), 0);
  EXPECT_EQ(AllophoneNames(image_),
            (std::set<std::string>{"A0_deep", "A0_n", "A0_two", "A1_deep", "A1_n", "A1_two",
                                   "N_far", "N_mid", "N_v", "N_vn", "N_x", "T_far", "T_mid",
                                   "T_v", "T_vn", "T_x"}));
  ExpectSameAllophones({"A0", "A1", "T", "N", "S", "#", "_"}, 2);
  const PhonemeAttributes* t = compiled_.FindAttributes("T");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->phonemeCode, 90);
}

TEST_F(RuleBaseCompilerTest, RussianBaseMatchesItsText) {
  std::u16string path;
  Utf8ToWide(RUSSIAN_RULES, path, u'?');
  CompileFile(path);
  EXPECT_EQ(image_.rules.size(), 60u);
  std::vector<std::string> alphabet{"#", "_"};
  for (const auto& [name, info] : source_.Phonemes()) alphabet.push_back(name);
  ExpectSameAllophones(alphabet, 1);
}

TEST_F(RuleBaseCompilerTest, DroppedPhonemesCannotBeCompiled) {
  ASSERT_EQ(source_.Load(dir_.Write("drop.rules", "{Phonemes\nT C 1 1\n}\n{Rules\nT\n_d\n-*>~\n}\n")), S_OK);
  std::string error;
  EXPECT_FALSE(CompileRuleBase(source_, image_, error));
  EXPECT_NE(error.find("~"), std::string::npos);
}

}  // namespace
