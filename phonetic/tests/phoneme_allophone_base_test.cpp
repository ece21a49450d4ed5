#include "phonetic/phoneme_allophone_base.h"

#include <gtest/gtest.h>

#include "foundation/code_pages.h"
#include "phonetic/tests/test_files.h"
#include "platform/message_box.h"

namespace {

const char* const kBase = R"(// a small base
.Version 2
{Phonemes
A V 0 1
A0 V 2 1     // stressed
A1 V 3 1
T C 90 19
N C 60 19
S C 80 15
}
{PhonemeAttributes
this section is skipped, even: a line like {Rules
}
{Groups
Vow: A0, A1,,
Nas: N
Edge: #,_
Stop: T
}
{Rules
T,N
_x
-Vow,Nas>_vn
-Vow>_v
Vow-*>_mid
Edge-> ~
}
{Rules
A
_n
*,Vow->_deep
Stop->
}
)";

std::vector<std::string> Tokens(std::initializer_list<const char*> list) {
  return std::vector<std::string>(list.begin(), list.end());
}

class PhonemeAllophoneBaseTest : public ::testing::Test {
 protected:
  HRESULT Load(const std::string& text) { return base_.Load(dir_.Write("base.rules", text)); }

  ScratchDir dir_;
  PhonemeAllophoneBase base_;
  MessageBoxCapture boxes_;
};

TEST_F(PhonemeAllophoneBaseTest, FindRuleTakesTheFirstMatchingRule) {
  ASSERT_EQ(Load(kBase), S_OK);
  EXPECT_EQ(base_.Groups().at("Vow"), Tokens({"A0", "A1"}));
  PhonemeInfo info;
  ASSERT_TRUE(base_.GetPhonemeInfo("A0", info));
  EXPECT_EQ(info.isVowel * 100 + info.phonemeCode * 10 + info.visemeCode, 121);
  ASSERT_TRUE(base_.GetPhonemeInfo("_", info));
  EXPECT_EQ(info.isVowel + info.phonemeCode + info.visemeCode, 0);
  EXPECT_FALSE(base_.GetPhonemeInfo("Q", info));
  EXPECT_EQ(base_.FindRule(Tokens({"T", "A0", "N"}), 0), "T_vn");
  EXPECT_EQ(base_.FindRule(Tokens({"N", "A1", "S"}), 0), "N_v");
  EXPECT_EQ(base_.FindRule(Tokens({"T"}), 0), "T_x");
  // "*" needs a token there, whatever it is.
  EXPECT_EQ(base_.FindRule(Tokens({"A0", "T", "S"}), 1), "T_mid");
  EXPECT_EQ(base_.FindRule(Tokens({"A0", "T"}), 1), "T_x");
  // "~" yields nothing; an empty result yields the default suffix.
  EXPECT_EQ(base_.FindRule(Tokens({"#", "T", "S"}), 1), "");
  EXPECT_EQ(base_.FindRule(Tokens({"S", "T", "A1"}), 2), "A1_n");
  // Rules of the bare vowel serve every stress; the digit stays.
  EXPECT_EQ(base_.FindRule(Tokens({"A1", "S", "A0"}), 2), "A0_deep");
  EXPECT_EQ(base_.FindRule(Tokens({"A1", "A0"}), 1), "A0_n");
  EXPECT_EQ(base_.FindRule(Tokens({"#", "_"}), 1), "_");
  EXPECT_EQ(base_.FindRule(Tokens({"#", "_"}), 0), "");
  EXPECT_EQ(boxes_.Count(), 0u);

  EXPECT_EQ(base_.FindRule(Tokens({"T", "S"}), 1), "S");
  ASSERT_EQ(boxes_.Count(), 1u);
  EXPECT_EQ(boxes_.Boxes()[0].text, u"Not found phoneme S");
  EXPECT_EQ(boxes_.Boxes()[0].caption, u"PhonemeAllophoneBase");
}

TEST_F(PhonemeAllophoneBaseTest, DirectivesAndUnknownNames) {
  EXPECT_EQ(Load("{Phonemes\nT C 1 1\n}\n"), S_OK);
  EXPECT_EQ(Load(".Version 3\n{Phonemes\nT C 1 1\n}\n"), E_FAIL);
  // A failed load keeps what was there.
  EXPECT_EQ(base_.Phonemes().count("T"), 1u);
  EXPECT_EQ(boxes_.Count(), 0u);

  EXPECT_EQ(Load("{Phonemes\nT C 1 1\n}\n{Groups\nG: T,Q\n}\n{Rules\nT,R\n_d\n}\n"), S_OK);
  const auto shown = boxes_.Boxes();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, u"Unknown phoneme Q in group G");
  EXPECT_EQ(shown[1].text, u"Unknown phoneme R in rules");
  EXPECT_EQ(shown[1].caption, u"PhonemeAllophoneBase");
  EXPECT_EQ(shown[1].type, MB_OK);
  EXPECT_EQ(base_.RuleSets().count("R"), 1u);
}

TEST_F(PhonemeAllophoneBaseTest, ErrorsFailTheLoadWithTheirMessage) {
  struct Case {
    std::string text;
    std::u16string message;
    std::u16string caption;
  };
  const Case cases[] = {
      {"{Phonemes\nT C 1 1\nT C 2 2\n}\n", u"Phoneme T is already defined", u"Error - Attribute"},
      {"{Phonemes\nT X 1 1\n}\n", u"Wrong phoneme type:X", u"Error - Attribute"},
      {"{Phonemes\nT C 1 22\n}\n", u"Wrong viseme code:22", u"Error - Attribute"},
      {"{Groups\nG T,N\n}\n", u"Syntax error in group definition:\nG T,N", u"Error"},
      {"{Phonemes\nT C 1 1\n}\n{Rules\nT\n_d\nA>B\n}\n", u"Syntax error in rule definition:\nA>B", u"Error"},
      {"{Phonemes\nT C 1 1\n}\n{Rules\nT\n_d\nA-B\n}\n", u"Syntax error in rule definition:\nA-B", u"Error"},
  };
  ASSERT_EQ(Load(kBase), S_OK);
  for (const Case& c : cases) {
    boxes_.Clear();
    EXPECT_EQ(Load(c.text), E_FAIL) << c.text;
    const auto shown = boxes_.Boxes();
    ASSERT_EQ(shown.size(), 1u) << c.text;
    EXPECT_EQ(shown[0].text, c.message);
    EXPECT_EQ(shown[0].caption, c.caption);
    EXPECT_EQ(shown[0].type, MB_OK | MB_ICONERROR);
  }
  EXPECT_EQ(base_.Phonemes().size(), 6u);
  EXPECT_EQ(base_.Load(dir_.WidePath("missing.rules")), E_FAIL);
}

}  // namespace
