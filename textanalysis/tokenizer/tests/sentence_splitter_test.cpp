// Sentence splitting of tokenized text, with a fake abbreviation dictionary.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "textanalysis/tokenizer/lazy_sentence_cutter.h"
#include "textanalysis/tokenizer/sentence_splitter.h"
#include "textanalysis/tokenizer/tagged_tokenizer.h"
#include "textanalysis/tokenizer/tests/varied_text.h"

namespace {

constexpr const char* kCyrillic =
    "ЙЦУКЕНГШЩЗХЪФЫВАПРОЛДЖЭЯЧСМИТЬБЮЁйцукенгшщзхъфывапролджэячсмитьбюё";

// Entries are token texts; the longest entry starting at the index wins.
class FakeAbbreviations : public AbbreviationLookup {
 public:
  struct Entry {
    std::vector<std::string> words;
    bool rightCondition;
    UI4 leftFlags = 0;  // all of them must be on the token before
  };
  std::vector<Entry> entries;
  mutable std::vector<int> askedAt;

  bool Match(const std::vector<TextToken>& tokens, int index, UI4 leftFlags, int& last,
             bool& rightCondition) const override {
    askedAt.push_back(index);
    bool found = false;
    for (const Entry& entry : entries) {
      if (index + entry.words.size() > tokens.size()) continue;
      if ((leftFlags & entry.leftFlags) != entry.leftFlags) continue;
      bool same = true;
      for (size_t k = 0; k < entry.words.size(); ++k)
        same = same && tokens[index + k].text == entry.words[k];
      const int end = index + static_cast<int>(entry.words.size()) - 1;
      if (same && (!found || end > last)) {
        found = true;
        last = end;
        rightCondition = entry.rightCondition;
      }
    }
    return found;
  }
};

class SentenceSplitterTest : public ::testing::Test {
 protected:
  SentenceSplitterTest() {
    for (const char* group :
         {kCyrillic, "QWERTYUIOPASDFGHJKLZXCVBNMqwertyuiopasdfghjklzxcvbnm", "1234567890",
          ",:;()!?-", ".", "+/*=<>%", "~`@#$^&|\\{}[]\""})
      BuildCharSet(groups_, group);
    tokenizer_.SetCharSet(&groups_);
    splitter_.SetAbbreviations(&abbreviations_);
  }

  // Each sentence as its token texts joined by "|".
  std::vector<std::string> Split(const std::string& text) {
    std::vector<TextToken> tokens;
    tokenizer_.Tokenize(text, tokens, 0);
    sentences_.clear();
    splitter_.Split(tokens, sentences_);
    std::vector<std::string> out;
    for (const Sentence& sentence : sentences_) {
      std::string joined;
      for (const TextToken& token : sentence.tokens) joined += (joined.empty() ? "" : "|") + token.text;
      out.push_back(joined);
    }
    return out;
  }

  using Texts = std::vector<std::string>;
  CharSet groups_;
  TaggedTokenizer tokenizer_;
  FakeAbbreviations abbreviations_;
  SentenceSplitter splitter_;
  std::vector<Sentence> sentences_;
};

TEST_F(SentenceSplitterTest, EndsAtStopsAndLineStarts) {
  EXPECT_EQ(Split("Привет.\nКак дела"), (Texts{"Привет|.", "Как|дела"}));
  EXPECT_EQ(Split("Да! Нет? Ну; и всё"), (Texts{"Да|!", "Нет|?", "Ну|;", "и|всё"}));
  EXPECT_EQ(Split("Дом. Сад."), (Texts{"Дом|.", "Сад|."}));
  EXPECT_EQ(Split("Дом. сад"), (Texts{"Дом|.|сад"}));
  EXPECT_EQ(Split("А. С. Пушкин"), (Texts{"А|.|С|.|Пушкин"}));
}

TEST_F(SentenceSplitterTest, StopsAtCapitalLineStartsWithSpans) {
  EXPECT_EQ(Split("Строка\nНовая строка"), (Texts{"Строка|.", "Новая|строка"}));
  EXPECT_EQ(sentences_[0].itvl.start, 0u);
  EXPECT_EQ(sentences_[0].itvl.size, 7u);
  EXPECT_EQ(sentences_[1].itvl.start, 7u);
  EXPECT_EQ(sentences_[1].itvl.size, 12u);

  EXPECT_EQ(Split("Строка \nНовая строка"), (Texts{"Строка|.", "Новая|строка"}));
  const TextToken& stop = sentences_[0].tokens[1];
  EXPECT_EQ(stop.flags, 0x1000u | 0x1 | 0x40 | 0x10 | 0x8);
  EXPECT_EQ(stop.position.start, 6u);
  EXPECT_EQ(stop.position.size, 1u);
  EXPECT_EQ(sentences_[1].itvl.start, 8u);
}

TEST_F(SentenceSplitterTest, AbbreviationsKeepTheirPeriod) {
  abbreviations_.entries = {{{"т", ".", "е", "."}, false}};
  EXPECT_EQ(Split("Это т.е. так"), (Texts{"Это|т|.|е|.|так"}));
  EXPECT_EQ(abbreviations_.askedAt, (std::vector<int>{1}));
  // Without a right-context condition a capital after it ends the sentence.
  EXPECT_EQ(Split("Это т.е. Так"), (Texts{"Это|т|.|е|.", "Так"}));
  abbreviations_.entries[0].rightCondition = true;
  EXPECT_EQ(Split("Это т.е. Так"), (Texts{"Это|т|.|е|.|Так"}));
}

TEST_F(SentenceSplitterTest, AbbreviationReachingTheLastTokenTakesItOnce) {
  abbreviations_.entries = {{{"см", ".", "рис"}, false}};
  EXPECT_EQ(Split("см. рис"), (Texts{"см|.|рис"}));
  // The look-back for the start of the period's run stops at the first
  // token.
  abbreviations_.askedAt.clear();
  EXPECT_EQ(Split("т.Е"), (Texts{"т|.|Е"}));
  EXPECT_TRUE(abbreviations_.askedAt.empty());
  EXPECT_EQ(Split("т. Е"), (Texts{"т|.", "Е"}));
  EXPECT_EQ(abbreviations_.askedAt, (std::vector<int>{0}));
}

// A long run becomes tokens of at most 128 characters that follow each other
// without a blank; a literal pronunciation is cut at 384.
TEST_F(SentenceSplitterTest, LongTokensAreSplit) {
  const std::string letters = "Д" + std::string(199, 'а');
  std::vector<TextToken> tokens;
  tokenizer_.Tokenize(letters + " " + std::string(300, '7') + ". Всё", tokens, 0);
  tokens.emplace_back(0x100, std::string(300, 'A'), Interval{600, 300});
  tokens.emplace_back(0x100, std::string(400, 'B'), Interval{900, 400});
  splitter_.Split(tokens, sentences_);
  ASSERT_EQ(sentences_.size(), 2u);
  const std::vector<TextToken>& first = sentences_[0].tokens;
  ASSERT_EQ(first.size(), 6u);
  EXPECT_EQ(first[0].text + first[1].text, letters);
  EXPECT_EQ(first[2].text + first[3].text + first[4].text, std::string(300, '7'));
  EXPECT_EQ(first[5].text, ".");
  const std::vector<std::pair<UI4, Interval>> expected = {
      {0x2402, {0, 128}}, {0x401, {128, 72}}, {0x202, {201, 128}}, {0x200, {329, 128}},
      {0x200, {457, 44}}, {0x1001, {501, 1}}};
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(first[i].flags, expected[i].first) << i;
    EXPECT_EQ(first[i].position.start, expected[i].second.start) << i;
    EXPECT_EQ(first[i].position.size, expected[i].second.size) << i;
  }
  const std::vector<TextToken>& second = sentences_[1].tokens;
  ASSERT_EQ(second.size(), 3u);
  EXPECT_EQ(second[1].text.size(), 300u);
  EXPECT_EQ(second[2].text.size(), 384u);
  EXPECT_EQ(sentences_[1].itvl.start, 503u);
  EXPECT_EQ(sentences_[1].itvl.size, 797u);
}

// Cut a few sentences at a time, a long text gives the very sentences (token
// texts, flags, positions, spans) that splitting it whole gives.
class LazyCuttingTest : public SentenceSplitterTest {
 protected:
  LazyCuttingTest() {
    abbreviations_.entries = {{{"т", ".", "е", "."}, false},
                              {{"г", "."}, true},
                              {{"т", ".", "е"}, false, TextToken::kSpaceBefore}};
  }

  void ExpectCutAsWhole(const std::string& source, std::vector<size_t> chunks) {
    const auto text = std::make_shared<const std::string>(source);
    std::vector<TextToken> tokens;
    tokenizer_.Tokenize(*text, tokens, 1000);
    std::vector<Sentence> whole;
    splitter_.Split(tokens, whole);
    ASSERT_GT(whole.size(), 500u);

    for (size_t chunk : chunks) {
      SCOPED_TRACE(chunk);
      LazySentenceCutter cutter(tokenizer_, splitter_, text, 1000, chunk);
      std::vector<Sentence> cut;
      ASSERT_TRUE(cutter.CutSome(cut));
      EXPECT_LT(cut.size(), whole.size() / 4);  // not the whole text at once
      // Text tokenized to hand out the next sentences stays short, however
      // long a sentence is.
      size_t held = 0;
      for (UI8 handedOut = EndOf(cut.back().itvl); cutter.CutSome(cut);
           handedOut = EndOf(cut.back().itvl))
        held = std::max<size_t>(held, 1000 + cutter.BytesCut() - handedOut);
      EXPECT_LT(held, 200000u);
      EXPECT_TRUE(cutter.Done());
      ASSERT_EQ(cut.size(), whole.size());
      for (size_t i = 0; i < whole.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(cut[i].itvl.start, whole[i].itvl.start);
        EXPECT_EQ(cut[i].itvl.size, whole[i].itvl.size);
        ASSERT_EQ(cut[i].tokens.size(), whole[i].tokens.size());
        for (size_t k = 0; k < whole[i].tokens.size(); ++k) {
          const TextToken& a = cut[i].tokens[k];
          const TextToken& b = whole[i].tokens[k];
          EXPECT_EQ(a.text, b.text);
          EXPECT_EQ(a.flags, b.flags);
          EXPECT_EQ(a.position.start, b.position.start);
          EXPECT_EQ(a.position.size, b.position.size);
        }
      }
    }
  }
};

TEST_F(LazyCuttingTest, CuttingAsAskedGivesTheSentencesOfTheWholeText) {
  ExpectCutAsWhole(VariedText(60000), {1, 700, LazySentenceCutter::kChunkBytes});
}

// Runs of sentence ends longer than a token may be (separator lines of dots,
// "!!!...") are cut into several tokens, and the last one of a hand-out
// starts the next batch.
TEST_F(LazyCuttingTest, LongRunsOfSentenceEndsAreHandedOutOnce) {
  const std::string marks = ".!?;";
  const size_t runs[] = {128, 129, 1000};
  const char* const separators[] = {" ", "\n", " \n", "\n\n"};
  std::string text;
  for (size_t line = 0; text.size() < 300000; ++line) {
    text += line % 2 == 0 ? "Мама мыла раму" : "папа пилил дрова";
    text += std::string(runs[line % 3], marks[line / 3 % marks.size()]);
    text += separators[line / 12 % 4];
  }
  ExpectCutAsWhole(text, {1, 700, LazySentenceCutter::kChunkBytes});

  // 2 MB of prose with a separator line of 150 dots every ten lines.
  std::string book;
  for (size_t line = 0; book.size() < 2000000; ++line) {
    book += line % 10 == 9 ? std::string(150, '.')
                           : "Мама мыла раму, а папа пилил дрова. Вечером все пили чай";
    book += line % 10 == 9 ? "\n" : ".\n";
  }
  ExpectCutAsWhole(book, {LazySentenceCutter::kChunkBytes});
}

// A text without sentence ends (a log, a poem in small letters) is cut into
// sentences of a bounded number of tokens, at blanks, the same way whole and
// lazily.
TEST_F(LazyCuttingTest, ASentenceWithoutEndIsCutToBoundedLength) {
  std::string endless;
  while (endless.size() < 1000000) endless += "мама мыла раму и папа,пилил,дрова\n";
  const std::string prose = VariedText(60000);
  const std::string text = prose + "!\n" + endless + prose;
  ExpectCutAsWhole(text, {700, LazySentenceCutter::kChunkBytes});

  std::vector<TextToken> tokens;
  tokenizer_.Tokenize(text, tokens, 0);
  std::vector<Sentence> whole;
  splitter_.Split(tokens, whole);
  // 29,412 lines of nine tokens, cut at the first token with a blank or
  // break before it from the 4,097th on (none before ",", "пилил", "дрова").
  // No sentence ends at punctuation, so each is handed out at its cut.
  std::map<size_t, size_t> lengths;
  for (const Sentence& sentence : whole)
    if (sentence.tokens.size() >= SentenceSplitter::kMaxSentenceTokens)
      ++lengths[sentence.tokens.size()];
  EXPECT_EQ(lengths, (std::map<size_t, size_t>{{4096, 52}, {4100, 12}}));
}

}  // namespace
