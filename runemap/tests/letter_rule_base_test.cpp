// The rules-file reader and the rule choice of the English letter rules.
#include "runemap/letter_rule_base.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "foundation/code_pages.h"
#include "platform/message_box.h"

namespace {

std::vector<std::string> Tokens(std::initializer_list<const char*> list) {
  return std::vector<std::string>(list.begin(), list.end());
}

class LetterRuleBaseTest : public ::testing::Test {
 protected:
  HRESULT Load(const std::string& text) {
    const std::string path = testing::TempDir() + "letters.rules";
    std::ofstream(path, std::ios::binary) << text;
    return base_.LoadRulesFile(NarrowToWide(path));
  }

  LetterRuleBase base_;
  MessageBoxCapture boxes_;
};

const char* const kRules =
    "// a small rules file\r\n"
    "{Groups\r\n"
    "  Vow : A0, A1 ,E2   // blanks inside do not count\r\n"
    "Edge: #,_,,\r\n"
    "Cons: B,C\r\n"
    "Vow: A0,A1,A2\r\n"
    "}\r\n"
    "{Notes\r\n"
    "{Rules\r\n"
    "skipped up to its end\r\n"
    "}\r\n"
    "{Rules\r\n"
    "C   K\r\n"
    "-Vow,Cons>S\r\n"
    "Cons,Cons-*>~\r\n"
    "Missing-Edge>Q\r\n"
    "Vow- Edge>X\r\n"
    "-Edge>\r\n"
    "}\r\n"
    "{Rules\r\n"
    "A0\r\n"
    "~\r\n"
    "Edge-Cons,Edge>EI0\r\n"
    "}\r\n"
    "{Rules\r\n"
    "B B // no closing line\r\n"
    "Vow-Vow>V,B\r\n";

TEST_F(LetterRuleBaseTest, LoadsGroupsAndRuleSets) {
  ASSERT_EQ(Load(kRules), S_OK);
  EXPECT_EQ(base_.Groups().at("Vow"), Tokens({"A0", "A1", "A2"}));  // the later group wins
  EXPECT_EQ(base_.Groups().at("Edge"), Tokens({"#", "_"}));

  const LetterRuleSet& c = base_.RuleSets().at("C");
  EXPECT_EQ(c.defaultResult, "K");
  ASSERT_EQ(c.rules.size(), 5u);
  EXPECT_TRUE(c.rules[0].left.empty());
  EXPECT_EQ(c.rules[0].right, Tokens({"Vow", "Cons"}));
  EXPECT_EQ(c.rules[1].left, Tokens({"Cons", "Cons"}));
  EXPECT_EQ(c.rules[4].result, "");
  // rule parts stand as written: the blank belongs to the name
  EXPECT_EQ(c.rules[3].right, Tokens({" Edge"}));

  // token and default on two lines; a last section without "}"
  EXPECT_EQ(base_.RuleSets().at("A0").defaultResult, "~");
  EXPECT_EQ(base_.RuleSets().at("B").rules.size(), 1u);
  EXPECT_EQ(base_.RuleSets().size(), 3u);
  EXPECT_EQ(boxes_.Count(), 0u);
}

TEST_F(LetterRuleBaseTest, FirstApplyingRuleGivesTheResult) {
  ASSERT_EQ(Load(kRules), S_OK);
  EXPECT_EQ(base_.ApplyRules(Tokens({"#", "C", "A1", "B", "#"}), 1), "S");
  // the left context needs two tokens; only the boundary is there
  EXPECT_EQ(base_.ApplyRules(Tokens({"#", "C", "#"}), 1), "K");  // empty result: default
  EXPECT_EQ(base_.ApplyRules(Tokens({"#", "B", "C", "C", "A0", "#"}), 3), "");
  // "*" needs a token there
  EXPECT_EQ(base_.ApplyRules(Tokens({"B", "C", "C"}), 2), "K");
  // an undefined group matches nothing; " Edge" is not "Edge"
  EXPECT_EQ(base_.ApplyRules(Tokens({"A0", "C", "_"}), 1), "K");
  EXPECT_EQ(base_.ApplyRules(Tokens({"#", "A0", "B", "#"}), 1), "EI0");
  // a default of "~" is silent
  EXPECT_EQ(base_.ApplyRules(Tokens({"#", "A0", "#"}), 1), "");
  EXPECT_EQ(base_.ApplyRules(Tokens({"A0", "B", "A1"}), 1), "V,B");
  // boundaries and letters without a section
  EXPECT_EQ(base_.ApplyRules(Tokens({"#", "_", "#"}), 1), "_");
  EXPECT_EQ(base_.ApplyRules(Tokens({"#", "_", "#"}), 0), "");
  EXPECT_EQ(base_.ApplyRules(Tokens({"#", "D", "#"}), 1), "");
}

TEST_F(LetterRuleBaseTest, SyntaxErrorsFailTheLoad) {
  ASSERT_EQ(Load(kRules), S_OK);
  EXPECT_EQ(Load("{Groups\nVow A0,A1\n}\n"), E_FAIL);
  EXPECT_EQ(Load("{Rules\nC K\nVow>S-\n}\n"), E_FAIL);
  EXPECT_EQ(Load("{Rules\nC K\nVow-S\n}\n"), E_FAIL);
  const auto shown = boxes_.Boxes();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].text, u"Syntax error in group definition:\nVowA0,A1");
  EXPECT_EQ(shown[1].text, u"Syntax error in rule definition:\nVow>S-");
  EXPECT_EQ(shown[2].text, u"Syntax error in rule definition:\nVow-S");
  for (const auto& box : shown) {
    EXPECT_EQ(box.caption, u"Error");
    EXPECT_EQ(box.type & MB_ICONMASK, MB_ICONERROR);
  }
  // the base keeps what it had
  EXPECT_EQ(base_.RuleSets().size(), 3u);
  EXPECT_EQ(base_.LoadRulesFile(u"/nonexistent/letters.rules"), E_FAIL);
}

}  // namespace
