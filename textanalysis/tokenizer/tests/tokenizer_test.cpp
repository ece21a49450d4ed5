// The tagged and the plain tokenizer: token texts, flags and positions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "textanalysis/tokenizer/plain_tokenizer.h"
#include "textanalysis/tokenizer/tagged_tokenizer.h"

namespace {

constexpr const char* kCyrillic =
    "ЙЦУКЕНГШЩЗХЪФЫВАПРОЛДЖЭЯЧСМИТЬБЮЁйцукенгшщзхъфывапролджэячсмитьбюё";

CharSet MakeSet(std::initializer_list<const char*> groups) {
  CharSet set;
  for (const char* group : groups) BuildCharSet(set, group);
  return set;
}

const CharSet& TaggedGroups() {
  static const CharSet set =
      MakeSet({kCyrillic, "QWERTYUIOPASDFGHJKLZXCVBNMqwertyuiopasdfghjklzxcvbnm", "1234567890",
               ",:;()!?-", ".", "+/*=<>%", "~`@#$^&|\\{}[]\""});
  return set;
}

struct Expected {
  std::string text;
  UI4 flags;
  UI8 start;
  UI4 size;
};

void ExpectTokens(const std::vector<TextToken>& tokens, const std::vector<Expected>& expected) {
  ASSERT_EQ(tokens.size(), expected.size());
  for (size_t i = 0; i < tokens.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(tokens[i].text, expected[i].text);
    EXPECT_EQ(tokens[i].flags, expected[i].flags);
    EXPECT_EQ(tokens[i].position.start, expected[i].start);
    EXPECT_EQ(tokens[i].position.size, expected[i].size);
  }
}

class TaggedTokenizerTest : public ::testing::Test {
 protected:
  TaggedTokenizerTest() {
    tokenizer_.SetCharSet(&TaggedGroups());
    tokenizer_.SetTextState(&tags_, &stresses_);
  }
  std::vector<TextToken> Tokenize(const std::string& text, UI8 start = 0) {
    std::vector<TextToken> tokens;
    tokenizer_.Tokenize(text, tokens, start);
    return tokens;
  }
  void Tag(const char* desc, UI8 start, UI4 size) { tags_.AddTag(TagRecord{desc, {start, size}}); }

  TagTable tags_;
  StressByPosition stresses_;
  TaggedTokenizer tokenizer_;
};

TEST_F(TaggedTokenizerTest, SeparatorsKindsAndStopBeforeCapitalLine) {
  ExpectTokens(Tokenize("Мама  мыла\nРаму."), {{"Мама", 0x2403, 0, 4},
                                                 {"мыла", 0x406, 6, 4},
                                                 {".", 0x1004, 10, 1},
                                                 {"Раму", 0x2408, 11, 4},
                                                 {".", 0x1000, 15, 1}});
  ExpectTokens(Tokenize("IBM Linux 42x"), {{"IBM", 0x6803, 0, 3},
                                           {"Linux", 0x2803, 4, 5},
                                           {"42", 0x202, 10, 2},
                                           {"x", 0x800, 12, 1}});
  // No stop after punctuation, before a small letter, or when a blank ended
  // the word before the break.
  ExpectTokens(Tokenize("да.\nНет\nещё \nОн"), {{"да", 0x402, 0, 2},
                                                {".", 0x1004, 2, 1},
                                                {"Нет", 0x240c, 4, 3},
                                                {"ещё", 0x449, 8, 3},
                                                {"Он", 0x2418, 13, 2}});
}

TEST_F(TaggedTokenizerTest, CarriageReturnLineFeedIsOneBreak) {
  ExpectTokens(Tokenize("слово\r\nдругое"), {{"слово", 0x406, 0, 5}, {"другое", 0x408, 7, 6}});
  ExpectTokens(Tokenize("слово\r\n\r\nдругое"),
               {{"слово", 0x486, 0, 5}, {"другое", 0x428, 9, 6}});
  ExpectTokens(Tokenize("да\rнет"), {{"да", 0x406, 0, 2}, {"нет", 0x408, 3, 3}});
}

TEST_F(TaggedTokenizerTest, EmDashIsAHyphenToken) {
  ExpectTokens(Tokenize("да—нет"), {{"да", 0x402, 0, 2}, {"-", 0x1000, 2, 1}, {"нет", 0x400, 3, 3}});
}

TEST_F(TaggedTokenizerTest, PronunciationTags) {
  Tag("Pron=S,L,O", 3, 5);
  ExpectTokens(Tokenize("мы слово тут"),
               {{"мы", 0x403, 0, 2}, {"S,L,O", 0x103, 3, 5}, {"тут", 0x402, 9, 3}});
  tags_.Clear();
  Tag("Pron=X", 2, 0);
  ExpectTokens(Tokenize("мыты"), {{"мы", 0x403, 0, 2}, {"X", 0x101, 2, 0}, {"ты", 0x402, 2, 2}});
  tags_.Clear();
  Tag("About", 0, 0);
  ExpectTokens(Tokenize("да"), {{" ", 0x1, 0, 0}, {"да", 0x402, 0, 2}});
}

TEST_F(TaggedTokenizerTest, PointTagOnTheLineFeedOfACarriageReturnPair) {
  // The tag on the break's last character comes out as it does on a lone LF.
  Tag("Pron=K,O0,T", 4, 0);
  ExpectTokens(Tokenize("пёс.\nидёт."), {{"пёс", 0x402, 0, 3},
                                          {".", 0x1001, 3, 1},
                                          {"K,O0,T", 0x141, 4, 0},
                                          {"идёт", 0x418, 5, 4},
                                          {".", 0x1000, 9, 1}});
  tags_.Clear();
  Tag("Pron=K,O0,T", 5, 0);
  ExpectTokens(Tokenize("пёс.\r\nидёт."), {{"пёс", 0x402, 0, 3},
                                            {".", 0x1004, 3, 1},
                                            {"K,O0,T", 0x101, 5, 0},
                                            {"идёт", 0x40a, 6, 4},
                                            {".", 0x1000, 10, 1}});
  // On the CR it stays where it was.
  tags_.Clear();
  Tag("Pron=K,O0,T", 4, 0);
  ExpectTokens(Tokenize("пёс.\r\nидёт."), {{"пёс", 0x402, 0, 3},
                                            {".", 0x1001, 3, 1},
                                            {"K,O0,T", 0x141, 4, 0},
                                            {"идёт", 0x418, 6, 4},
                                            {".", 0x1000, 10, 1}});
}

TEST_F(TaggedTokenizerTest, StressMarksOnlyUnderStressTag) {
  ExpectTokens(Tokenize("соба+ка"),
               {{"соба", 0x402, 0, 4}, {"+", 0, 4, 1}, {"ка", 0x400, 5, 2}});
  EXPECT_TRUE(stresses_.IsEmpty());
  Tag("Stress", 100, 20);
  ExpectTokens(Tokenize("соба+ка +да", 100), {{"собака", 0x403, 100, 7}, {"да", 0x402, 109, 2}});
  StressSpec spec;
  ASSERT_TRUE(stresses_.Find(100, spec));
  EXPECT_EQ(spec.main, 3);
  EXPECT_EQ(stresses_.Size(), 1u);
}

TEST_F(TaggedTokenizerTest, FidoLettersStayInsideTheText) {
  // The stretch runs from the tag start to the end of the text (clamped),
  // counted from the start of this text.
  Tag("Context=fido", 104, 1000);
  ExpectTokens(Tokenize("Hос pаз дk", 100),
               {{"H", 0x6802, 100, 1},
                {"ос", 0x401, 101, 2},
                {"раз", 0x403, 104, 3},
                {"дк", 0x402, 108, 2}});
}

TEST(FidoLettersTest, NeighboursInsideTheStretchOnly) {
  std::string text = "pа yk дp";
  ApplyFidoLetters(text, 0, 100);
  EXPECT_EQ(text, "ра yk др");
  text = "аp";
  ApplyFidoLetters(text, 1, 2);  // one character: no neighbour to look at
  EXPECT_EQ(text, "аp");
}

TEST(PlainTokenizerTest, CutsByOutputGroups) {
  const CharSet set = MakeSet({kCyrillic, ",:;()!?-", ".", " \n\t", "+", "\""});
  PlainTokenizer tokenizer(&set);
  std::vector<TextToken> tokens;
  tokenizer.Tokenize(" ко+шка...?!\r\nдом", tokens);
  ExpectTokens(tokens, {{"ко", 0x402, 1, 2},
                        {"+", 0, 3, 1},
                        {"шка", 0x400, 4, 3},
                        {"...", 0x1000, 7, 3},
                        {"?!", 0x1004, 10, 2},
                        {"дом", 0x408, 14, 3}});
}

}  // namespace
