#include "textanalysis/lexicon/mask_base.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "textanalysis/lexicon/tests/lexicon_files.h"

namespace {

std::vector<TextToken> Tokens(const std::vector<std::string>& texts) {
  std::vector<TextToken> tokens;
  for (const std::string& text : texts)
    tokens.emplace_back(TextToken::kRussianWord, text, Interval{});
  return tokens;
}

class MaskBaseTest : public ::testing::Test {
 protected:
  // The folder is given without a trailing separator; the base adds one.
  void Load() { ASSERT_TRUE(yo_.Load(NarrowToWide(folder_.Narrow()))); }

  void WriteRules(const std::string& text) { WriteBytes(folder_ / "lrmaskjb.dat", text); }

  // The position found for token `index`, or -1.
  int Yo(const std::vector<std::string>& texts, int index) const {
    int position = -1;
    return yo_.FindYoPosition(Tokens(texts), index, position) ? position : -1;
  }

  TestFolder folder_;
  YoMaskBase yo_;
};

TEST_F(MaskBaseTest, NoFilesDecidesNothing) {
  EXPECT_FALSE(yo_.IsReady());
  Load();
  EXPECT_TRUE(yo_.IsReady());
  EXPECT_EQ(Yo({"все"}, 0), -1);
}

TEST_F(MaskBaseTest, RuleDecidesOnlyAnE) {
  WriteRules("# all\nвсе|#|#|2\nнебо|#|#|1\n");
  Load();
  EXPECT_EQ(Yo({"все"}, 0), 2);
  EXPECT_EQ(Yo({"Все", "ушли"}, 0), 2);
  EXPECT_EQ(Yo({"небо"}, 0), 1);
  EXPECT_EQ(Yo({"все"}, 1), -1);
  EXPECT_EQ(Yo({"все"}, -1), -1);

  WriteRules("все|#|#|1\n");  // 'с'
  Load();
  EXPECT_EQ(Yo({"все"}, 0), -1);
}

TEST_F(MaskBaseTest, ContextsLeftAndRight) {
  WriteRules(
      "все|*&на|#|2\n"
      "небо|#|голубое+синее&небо|1\n"
      "*ел|#|#|0\n");
  Load();
  EXPECT_EQ(Yo({"на", "все"}, 1), -1);  // two words needed before
  EXPECT_EQ(Yo({"я", "на", "все"}, 2), 2);
  EXPECT_EQ(Yo({"я", "НА", "все"}, 2), 2);
  EXPECT_EQ(Yo({"на", "я", "все"}, 2), -1);
  EXPECT_EQ(Yo({"небо", "голубое"}, 0), 1);
  EXPECT_EQ(Yo({"небо", "синее", "небо"}, 0), 1);
  EXPECT_EQ(Yo({"небо", "синее"}, 0), -1);
  EXPECT_EQ(Yo({"небо"}, 0), -1);
  // Suffix pattern: the result counts from where "ел" matched, at the end
  // even when it occurs earlier too.
  EXPECT_EQ(Yo({"осел"}, 0), 2);
  EXPECT_EQ(Yo({"елозел"}, 0), 4);
}

TEST_F(MaskBaseTest, MalformedRulesAreSkipped) {
  WriteRules(
      "все|#|#|два\n"
      "все|#|#|\n"
      "все|#|2\n"
      "все|#|#|2\n");
  Load();
  EXPECT_EQ(Yo({"все"}, 0), 2);
}

TEST_F(MaskBaseTest, WordListsInOrderNeutralRightLeft) {
  WriteMaskList(folder_ / "", "nmaskjb", {{"все", "#|#", "2"}, {"всех", "#|#", "9"}});
  WriteMaskList(folder_ / "", "rmaskjb",
                {{"ве*", "#|#", "1"}, {"вег", "#|#", "0"}, {"вея", "#|#", "0"}});
  // Left list: patterns over the reversed word; "лес*" is a word ending "сел".
  WriteMaskList(folder_ / "", "lmaskjb", {{"лес*", "#|#", "1"}});
  WriteRules("все|#|#|1\n");
  Load();
  EXPECT_EQ(Yo({"все"}, 0), 2);   // the neutral list before the rules
  EXPECT_EQ(Yo({"осел"}, 0), 2);  // "сел" starts at 1 in the unreversed word
  EXPECT_EQ(Yo({"ОСЕЛ"}, 0), 2);
  // "веб" sorts before "вег": forwards "вег" fails, backwards "ве*" decides.
  EXPECT_EQ(Yo({"веб"}, 0), 1);
  // "вес" sorts after "вег": backwards "вег" fails first and ends the search.
  EXPECT_EQ(Yo({"вес"}, 0), -1);
}

TEST_F(MaskBaseTest, EntriesPastTheWordFileAreLeftOut) {
  std::string words;
  const auto counted = [&](const std::string& text) {
    words.push_back(static_cast<char>(text.size()));
    words += text;
  };
  counted("все");
  counted("#|#");
  counted("2");
  const size_t noContext = words.size();
  counted("всё");
  counted("#");  // one field only
  counted("0");
  const size_t cut = words.size();
  counted("вся");
  words.push_back(static_cast<char>(40));  // context longer than the file
  words += "#|";
  const std::string index = std::string("\x00\x00", 2) + static_cast<char>(noContext) + '\0' +
                            static_cast<char>(cut) + '\0' + "\xF4\x01";  // offset 500
  WriteBytes(folder_ / "nmaskjb.wds", words);
  WriteBytes(folder_ / "nmaskjb.idx", index + "\x07");  // odd trailing byte
  Load();
  EXPECT_EQ(Yo({"все"}, 0), 2);
  EXPECT_EQ(Yo({"всё"}, 0), -1);
  EXPECT_EQ(Yo({"вся"}, 0), -1);
}

TEST(StressMaskBaseTest, DecidesOnlyAVowelOverTokensAndWords) {
  TestFolder folder;
  WriteBytes(folder / "lrmasksb.dat", "замок|на+в|#|3\nзамок|#|#|1\nдом|#|#|0\n");
  StressMaskBase base;
  ASSERT_TRUE(base.Load(folder.Wide()));

  std::vector<StressedWord> words(2);
  words[0].token.text = "в";
  words[1].token.text = "замок";
  int position = -1;
  EXPECT_TRUE(base.FindStressPosition(words, 1, position));
  EXPECT_EQ(position, 3);
  EXPECT_TRUE(base.FindStressPosition(Tokens({"замок", "двери"}), 0, position));
  EXPECT_EQ(position, 1);
  EXPECT_FALSE(base.FindStressPosition(Tokens({"дом"}), 0, position));  // 'д'
}

}  // namespace
