// The {Rules-only reader of rule-base text and the comparison of its tables
// with those of a compiled base.
#include "phonetic/rule_table_check.h"

#include <gtest/gtest.h>

#include "phonetic/tests/test_files.h"
#include "platform/message_box.h"

namespace {

const char* const kFullText = R"(.Version 2
{Phonemes
A V 0 1
A0 V 2 1
A2 V 4 1
M C 50 21
N C 60 19
S C 80 15
}
{Groups
Vow: A0,A2
Nasal: M,N
}
{Rules
M,N,S
_c
-Vow>_a
Vow,*-Nasal>_x
}
{Rules
A
_n
Nasal->_m
}
)";

// The same rules with other sections that the reader passes over: their
// contents would change the tables if they were read.
const char* const kRulesOnly = R"(.Version 7
{PhonemeAttributes
M C 1 1
}
{Groups
Vow: M
}
{Rules
M,N,S
_c
-Vow>_a
Vow,*-Nasal>_x
}
{Notes
{Rules
Q
_q
}
{Rules
A
_n
Nasal->_m
}
)";

class RuleTableCheckTest : public ::testing::Test {
 protected:
  // Compiles the text into a file and loads that as the installed base.
  void LoadCompiled(const std::u16string& textPath) {
    PhonemeAllophoneBase text;
    ASSERT_EQ(text.Load(textPath), S_OK);
    CompiledRuleBaseImage image;
    std::vector<unsigned char> bytes;
    std::string error;
    ASSERT_TRUE(CompileRuleBase(text, image, error) && SerializeRuleBase(image, bytes, error)) << error;
    ASSERT_TRUE(compiled_.LoadCompiledRuleBase(dir_.Write("base.bin", std::string(bytes.begin(), bytes.end()))));
  }

  std::vector<std::string> Differences(const std::string& rules) {
    CompiledRuleBaseImage tables;
    EXPECT_TRUE(ReadTextRuleTables(dir_.Write("rules.txt", rules), compiled_, tables));
    return CompareRuleTables(compiled_, tables);
  }

  ScratchDir dir_;
  AllophoneRuleBase compiled_;
  MessageBoxCapture boxes_;
};

TEST_F(RuleTableCheckTest, RulesOfTheSourceTextMatchTheCompiledTables) {
  LoadCompiled(dir_.Write("full.txt", kFullText));
  EXPECT_EQ(Differences(kFullText), std::vector<std::string>{});
  EXPECT_EQ(Differences(kRulesOnly), std::vector<std::string>{});
  EXPECT_EQ(boxes_.Count(), 0u);  // unknown keys are not reported
}

TEST_F(RuleTableCheckTest, ChangedRulesAreNamed) {
  LoadCompiled(dir_.Write("full.txt", kFullText));
  std::string other = kRulesOnly;
  other.replace(other.find("-Vow>_a"), 7, "-Vow>_b");
  EXPECT_EQ(Differences(other), (std::vector<std::string>{"M", "N", "S"}));
  // Without the vowel rules, and with a rule that looks one phoneme further.
  other = kRulesOnly;
  other.erase(other.find("{Rules\nA\n"));
  EXPECT_EQ(Differences(other), (std::vector<std::string>{"A0", "A2"}));
  other = kRulesOnly;
  other.replace(other.find("Vow,*-Nasal>_x"), 14, "Vow-Nasal>_x");
  // (the labels at distance 1 no longer lead further)
  EXPECT_EQ(Differences(other), (std::vector<std::string>{"M", "N", "S", "flag *", "flag Vow"}));
}

TEST_F(RuleTableCheckTest, UnreadableTextFails) {
  CompiledRuleBaseImage tables;
  EXPECT_FALSE(ReadTextRuleTables(dir_.WidePath("missing.txt"), compiled_, tables));
  EXPECT_FALSE(ReadTextRuleTables(dir_.Write("bad.txt", "{Rules\nM\n_c\nVow_a\n}\n"), compiled_, tables));
  ASSERT_EQ(boxes_.Count(), 1u);
  EXPECT_EQ(boxes_.Boxes()[0].text, u"Syntax error in rule definition:\nVow_a");
  EXPECT_EQ(boxes_.Boxes()[0].caption, u"Error");
}

TEST_F(RuleTableCheckTest, InstalledRussianRulesMatchTheirSource) {
  std::u16string source;
  Utf8ToWide(RUSSIAN_RULES, source, u'?');
  LoadCompiled(source);
  CompiledRuleBaseImage tables;
  ASSERT_TRUE(ReadTextRuleTables(source, compiled_, tables));
  EXPECT_FALSE(tables.rules.empty());
  EXPECT_EQ(CompareRuleTables(compiled_, tables), std::vector<std::string>{});
}

}  // namespace
