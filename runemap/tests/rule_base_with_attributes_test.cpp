// Letter rules with a {PhonemeAttributes section.
#include "runemap/rule_base_with_attributes.h"

#include <gtest/gtest.h>

#include <fstream>

#include "foundation/code_pages.h"
#include "platform/message_box.h"

namespace {

class RuleBaseWithAttributesTest : public ::testing::Test {
 protected:
  HRESULT Load(const std::string& text) {
    const std::string path = testing::TempDir() + "attributes.rules";
    std::ofstream(path, std::ios::binary) << text;
    return base_.LoadRulesFile(NarrowToWide(path));
  }

  std::string LastBox() const {
    if (boxes_.Count() == 0) return "<none>";
    const auto box = boxes_.Boxes().back();
    return WideToNarrow(box.caption) + ": " + WideToNarrow(box.text);
  }

  RuleBaseWithAttributes base_;
  MessageBoxCapture boxes_;
};

const char* const kRules =
    "{PhonemeAttributes // tokens and their kinds\n"
    "A0\tV 12 1\n"
    "  B   C\t40  21\n"
    "\n"
    "K C 7\n"
    "}\n"
    "{Groups\n"
    "Vow : A0\n"
    "}\n"
    "{Rules\n"
    "B P\n"
    "Vow->B\n"
    "}\n";

TEST_F(RuleBaseWithAttributesTest, ReadsAttributesBesideGroupsAndRules) {
  ASSERT_EQ(Load(kRules), S_OK);
  const TokenAttributeMap& attributes = base_.Attributes();
  ASSERT_EQ(attributes.size(), 3u);
  EXPECT_EQ(attributes.at("A0").isVowel, 1);
  EXPECT_EQ(attributes.at("A0").code, 12);
  EXPECT_EQ(attributes.at("A0").viseme, 1);
  EXPECT_EQ(attributes.at("B").isVowel, 0);
  EXPECT_EQ(attributes.at("B").code, 40);
  EXPECT_EQ(attributes.at("B").viseme, 21);
  EXPECT_EQ(attributes.at("K").viseme, 0);
  EXPECT_EQ(base_.Groups().at("Vow"), (std::vector<std::string>{"A0"}));
  EXPECT_EQ(base_.ApplyRules({"#", "A0", "B", "#"}, 2), "B");
  EXPECT_EQ(base_.ApplyRules({"#", "B", "#"}, 1), "P");
  EXPECT_EQ(boxes_.Count(), 0u);

  // The plain letter rules pass the section over.
  LetterRuleBase plain;
  const std::string path = testing::TempDir() + "attributes.rules";
  ASSERT_EQ(plain.LoadRulesFile(NarrowToWide(path)), S_OK);
  EXPECT_EQ(plain.ApplyRules({"#", "B", "#"}, 1), "P");
}

TEST_F(RuleBaseWithAttributesTest, BadAttributesFailTheLoad) {
  ASSERT_EQ(Load(kRules), S_OK);
  const struct {
    const char* line;
    const char* box;
  } cases[] = {
      {"B C 1 2", "Error - Attribute: Token B already defined"},
      {"X Q 1 2", "Error - Attribute: Wrong phoneme type:Q"},
      {"X", "Error - Attribute: Wrong phoneme type:"},
      {"X V 1 22", "Error - Attribute: Wrong viseme code:22"},
      {"X V 1 -1", "Error - Attribute: Wrong viseme code:-1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Load(std::string("{PhonemeAttributes\nB C 1 2\n") + c.line + "\n}\n"), E_FAIL) << c.line;
    EXPECT_EQ(LastBox(), c.box);
    // What was loaded before stays.
    EXPECT_EQ(base_.Attributes().size(), 3u);
    EXPECT_EQ(base_.ApplyRules({"#", "B", "#"}, 1), "P");
  }
  EXPECT_EQ(Load("{Rules\nB P\nno rule here\n}\n"), E_FAIL);
  EXPECT_EQ(LastBox(), "Error: Syntax error in rule definition:\nno rule here");
  EXPECT_EQ(Load("{Groups\nVow\n}\n"), E_FAIL);
  EXPECT_EQ(LastBox(), "Error: Syntax error in group definition:\nVow");
  EXPECT_EQ(base_.Attributes().size(), 3u);
}

}  // namespace
