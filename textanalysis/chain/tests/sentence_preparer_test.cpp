// Running the chain over a sentence: acceptance of processor results, tag
// delivery and the working tokens made from the output.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "textanalysis/chain/sentence_preparer.h"

namespace {

constexpr const char* kCyrillic =
    "ЙЦУКЕНГШЩЗХЪФЫВАПРОЛДЖЭЯЧСМИТЬБЮЁйцукенгшщзхъфывапролджэячсмитьбюё";

using Rule = std::function<int(std::vector<TextToken>&, int, std::vector<TextToken>&, int*)>;

class FakeProcessor : public TextProcessor {
 public:
  FakeProcessor(float priority, Rule rule) : TextProcessor(priority), rule_(std::move(rule)) {}
  int Process(std::vector<TextToken>& tokens, int index, std::vector<TextToken>& out,
              int* consumed) override {
    ++calls;
    return rule_(tokens, index, out, consumed);
  }
  void OnTag(const std::set<std::string>& tags) override { tagLog.push_back(tags); }

  int calls = 0;
  std::vector<std::set<std::string>> tagLog;

 private:
  Rule rule_;
};

// Replaces the current token by `text` over `interval` (the token's own when
// none), consuming `count` tokens.
Rule Replace(std::string text, int count = 1, const Interval* interval = nullptr) {
  return [=](std::vector<TextToken>& tokens, int index, std::vector<TextToken>& out,
             int* consumed) {
    TextToken token = tokens[index];
    token.text = text;
    if (interval != nullptr) token.position = *interval;
    out.assign(1, token);
    *consumed = count;
    return TextProcessor::kHandled;
  };
}

class SentencePreparerTest : public ::testing::Test {
 protected:
  SentencePreparerTest() {
    for (const char* group : {kCyrillic, ",:;()!?-", ".", " \n\t", "+", "\""})
      BuildCharSet(outputChars_, group);
    tokenizer_.SetCharSet(&outputChars_);
  }

  void Chain(std::vector<FakeProcessor*> processors) {
    ChainProcessors slots{};
    for (size_t i = 0; i < processors.size(); ++i) slots[i] = processors[i];
    chain_.Register(slots, true);
    chain_.Init(nullptr);
  }

  void Prepare(const std::vector<TextToken>& tokens) {
    SentencePreparer(chain_, outputChars_, tokenizer_, &tags_).Prepare(tokens, prepared_);
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const TextToken& token : prepared_.tokens) texts.push_back(token.text);
    return texts;
  }

  CharSet outputChars_;
  PlainTokenizer tokenizer_;
  TagTable tags_;
  TextProcessorChain chain_;
  PreparedSentence prepared_;
};

const std::vector<TextToken> kTwoWords = {TextToken(0x402 | 0x1, "X5", {10, 2}),
                                          TextToken(0x402, "дом", {13, 3})};

TEST_F(SentencePreparerTest, RejectedResultsGoToTheNextProcessor) {
  const Interval wide{10, 6};  // beyond the consumed token
  FakeProcessor tooWide(3.0f, Replace("икс", 1, &wide));
  FakeProcessor latin(2.0f, Replace("iks"));
  FakeProcessor digits(1.5f, Replace("икс5"));
  FakeProcessor tooMany(1.2f, Replace("икс", 3));
  FakeProcessor fallback(1.0f, Replace("кс"));
  Chain({&tooWide, &latin, &digits, &tooMany, &fallback});
  Prepare(kTwoWords);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"кс", "кс"}));
  EXPECT_EQ(tooWide.calls, 2);  // for the second token its span fits
  EXPECT_EQ(fallback.calls, 2);
  EXPECT_EQ(prepared_.tokens[0].position.start, 10u);
  EXPECT_EQ(prepared_.tokens[0].position.size, 2u);
}

TEST_F(SentencePreparerTest, SpanOfSeveralTokensAndSharedInterval) {
  const Interval span{10, 6};
  FakeProcessor both(3.0f, Replace(" эф эс", 2, &span));
  Chain({&both});
  Prepare(kTwoWords);
  ASSERT_EQ(Texts(), (std::vector<std::string>{"эф", "эс"}));
  for (const TextToken& token : prepared_.tokens) {
    EXPECT_EQ(token.position.start, 10u);
    EXPECT_EQ(token.position.size, 6u);
    EXPECT_TRUE(token.IsRussianWord());
  }
  EXPECT_EQ(both.calls, 1);
}

TEST_F(SentencePreparerTest, StressSignsAndPunctuationRuns) {
  FakeProcessor marks(3.0f, Replace("ко+шка до\"м+ +сон\" ?! ... ,,"));
  Chain({&marks});
  Prepare({TextToken(0x400, "кошка", {0, 5})});
  // A run of marks keeps its last one, periods included.
  ASSERT_EQ(Texts(), (std::vector<std::string>{"кошка", "дом", "сон", "!", ".", ","}));
  EXPECT_EQ(prepared_.stresses[0].main, 1);
  EXPECT_TRUE(prepared_.stresses[0].positions.empty());
  // Only a sign right after a vowel is a stress; the others just go.
  EXPECT_EQ(prepared_.stresses[1].main, -1);
  EXPECT_EQ(prepared_.stresses[1].positions, (std::vector<INT>{1}));
  EXPECT_EQ(prepared_.stresses[2].main, -1);
  EXPECT_TRUE(prepared_.stresses[2].positions.empty());
  EXPECT_EQ(prepared_.stresses[3].main, -1);
}

TEST_F(SentencePreparerTest, PronunciationTokensPassUnchangedAndTagsAreDelivered) {
  tags_.AddTag(TagRecord{"Spell", {13, 3}});
  FakeProcessor any(3.0f, Replace("да"));
  Chain({&any});
  Prepare({TextToken(0x101, "D,A", {5, 0}), TextToken(0x400, "дом", {6, 3}),
           TextToken(0x400, "кот", {13, 3})});
  EXPECT_EQ(Texts(), (std::vector<std::string>{"D,A", "да", "да"}));
  EXPECT_EQ(prepared_.tokens[0].flags, 0x101u);
  EXPECT_EQ(any.calls, 2);
  ASSERT_EQ(any.tagLog.size(), 2u);
  EXPECT_TRUE(any.tagLog[0].empty());
  EXPECT_EQ(any.tagLog[1], (std::set<std::string>{"Spell"}));
}

TEST(AcceptanceTest, Rules) {
  CharSet chars;
  BuildCharSet(chars, kCyrillic);
  const std::vector<TextToken> tokens = {TextToken(0, "а", {0, 1}), TextToken(0, "б", {2, 1})};
  const std::vector<TextToken> inside = {TextToken(0, "вв", {0, 3})};
  EXPECT_TRUE(IsAcceptableResult(tokens, 0, TextProcessor::kHandled, inside, 2, chars));
  EXPECT_FALSE(IsAcceptableResult(tokens, 0, TextProcessor::kHandled, inside, 1, chars));
  EXPECT_FALSE(IsAcceptableResult(tokens, 0, TextProcessor::kNotApplicable, inside, 2, chars));
  EXPECT_FALSE(IsAcceptableResult(tokens, 1, TextProcessor::kHandled, inside, 2, chars));
  EXPECT_FALSE(IsAcceptableResult(tokens, 0, TextProcessor::kHandled, {}, 1, chars));
  EXPECT_FALSE(IsAcceptableResult(tokens, 0, TextProcessor::kHandled, inside, 0, chars));
}

}  // namespace
