// The word stages over small bases made by the tests: 'ё' variants, hyphen
// joining, stresses, clitic groups, "не было" and group stress.
#include <gtest/gtest.h>

#include "textanalysis/lexicon/service_word_lists.h"
#include "textanalysis/lexicon/string_resource_file.h"
#include "textanalysis/lexicon/tests/lexicon_files.h"
#include "textanalysis/stages/clitic_joiner.h"
#include "textanalysis/stages/group_stress.h"
#include "textanalysis/stages/hyphen_joiner.h"
#include "textanalysis/stages/stress_stage.h"
#include "textanalysis/stages/tests/stage_words.h"
#include "textanalysis/stages/yo_variant_stage.h"

namespace {

constexpr UI4 kHyphenAfter = TextToken::kHyphenAfter;
constexpr UI4 kHyphenBefore = TextToken::kHyphenBefore;

class WordStagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteWordFile(folder_ / "dict", "jog3.dat", 4, {"ёлка"});
    WriteWordFile(folder_ / "dict", "endsg3.dat", 3, {"ами"});
    WriteWordFile(folder_ / "dict", "wordsg3.dat", 4, {"бЫло", "кнИг"});
    WriteWordFile(folder_ / "dict", "wordsg3.dat", 5, {"кОшка", "слОво"});
    CompleteLexicon(folder_ / "dict");
    const std::u16string dict = NarrowToWide((folder_ / "dict").string() + "/");
    ASSERT_TRUE(dictionary_.Load(dict));
    ASSERT_TRUE(yoBase_.Load(dict));
    WriteBytes(folder_ / "user.txt", "замо+к\n");
    ASSERT_TRUE(userBase_.Load(NarrowToWide((folder_ / "user.txt").string())));
    WriteBytes(folder_ / "strings.txt",
               "[ServiceWords]\n"
               "{Вопросительные_слова}\nчто\n"
               "{Присоединяются_направо}\nв\nне\nнад\nсквозь\nчто\nиз-за\nиз-под\nнадо мной\n"
               "{Присоединяются_налево}\nже\nли\n"
               "{Присоединяются_и_сохраняют_ударение}\nнад\n");
    strings_.Load(NarrowToWide((folder_ / "strings.txt").string()));
    lists_.Load(strings_);

    ASSERT_TRUE(yo_.Init(&yoBase_));
    hyphens_.Init(&dictionary_, &userBase_);
    ASSERT_TRUE(stress_.Init(&tagStresses_, &dictionary_, &userBase_));
    clitics_.Init(&lists_);
  }

  // Hyphens, stresses, clitics, "не было" and group stress, as a run goes.
  std::vector<std::string> Groups(std::vector<StressedWord> words) {
    hyphens_.Run(words);
    stress_.Run(words);
    std::vector<std::string> out;
    for (WordGroup& group : clitics_.Run(words)) {
      ApplyNeByloRule(group);
      BuildGroupStress(group);
      out.push_back(Describe(group));
    }
    return out;
  }

  TestFolder folder_;
  StressDictionary dictionary_;
  YoVariantsBase yoBase_;
  UserStressBaseFile userBase_;
  StringResourceFile strings_;
  ServiceWordLists lists_;
  StressByPosition tagStresses_;
  YoVariantStage yo_;
  HyphenJoiner hyphens_;
  StressStage stress_;
  CliticJoiner clitics_;
};

TEST_F(WordStagesTest, YoStageLowersWordsAndRestoresKnownYo) {
  std::vector<TextToken> tokens = {MakeToken("ЕЛКА"), MakeToken("все"), MakeToken("Мама"),
                                   MakeToken("ЕЛКА")};
  yo_.Run(tokens, 0, 3);
  EXPECT_EQ(tokens[0].text, "ёлка");
  EXPECT_EQ(tokens[1].text, "все");
  EXPECT_EQ(tokens[2].text, "мама");
  EXPECT_EQ(tokens[3].text, "ЕЛКА");  // outside the run
}

TEST_F(WordStagesTest, HyphenJoinerMarksPairsAndJoinsKnownLineEndWords) {
  // "кто-то", "пол-яблока": pairs, "пол" gets its hard sign.
  std::vector<StressedWord> words = {MakeWord("кто", 0, 0), MakeWord("-", 0, 3),
                                     MakeWord("то", TextToken::kSpaceAfter, 4),
                                     MakeWord("пол", TextToken::kSpaceBefore, 7),
                                     MakeWord("-", 0, 10), MakeWord("яблока", 0, 11)};
  hyphens_.Run(words);
  ASSERT_EQ(Texts(words), (std::vector<std::string>{"кто", "то", "полъ", "яблока"}));
  EXPECT_EQ(words[0].token.flags, TextToken::kRussianWord | kHyphenAfter);
  EXPECT_EQ(words[1].token.flags,
            TextToken::kRussianWord | kHyphenBefore | TextToken::kSpaceAfter);
  EXPECT_EQ(words[2].token.flags, TextToken::kRussianWord | TextToken::kSpaceBefore | kHyphenAfter);

  // "сло-" at a line end and "во" on the next line: known, so one word.
  words = {MakeWord("сло", TextToken::kSpaceBefore, 5, 2), MakeWord("-", TextToken::kLineEndAfter, 8),
           MakeWord("во", TextToken::kLineEndBefore | TextToken::kSpaceAfter, 10),
           MakeWord("ба", 0, 13), MakeWord("-", TextToken::kLineEndAfter, 15),
           MakeWord("бо", TextToken::kLineEndBefore, 17)};
  hyphens_.Run(words);
  ASSERT_EQ(Texts(words), (std::vector<std::string>{"слово", "ба", "бо"}));
  EXPECT_EQ(words[0].token.flags,
            TextToken::kRussianWord | TextToken::kSpaceBefore | TextToken::kSpaceAfter);
  EXPECT_EQ(words[0].token.position.start, 5u);
  EXPECT_EQ(words[0].token.position.size, 7u);
  EXPECT_EQ(words[0].stress.main, -1);
  // Unknown: a pair, the line end kept on the first half.
  EXPECT_EQ(words[1].token.flags,
            TextToken::kRussianWord | TextToken::kLineEndAfter | kHyphenAfter);
  EXPECT_EQ(words[2].token.flags,
            TextToken::kRussianWord | TextToken::kLineEndBefore | kHyphenBefore);

  // A leading hyphen goes; a spaced one stays a word of its own.
  words = SpacedWords({"-", "он", "-", "там"});
  hyphens_.Run(words);
  EXPECT_EQ(Texts(words), (std::vector<std::string>{"он", "-", "там"}));
  EXPECT_EQ(words[0].token.flags & (kHyphenAfter | kHyphenBefore), 0u);
}

TEST_F(WordStagesTest, StressComesFromYoMarksUserBaseDictionaryOrEveryVowel) {
  tagStresses_.Set(40, StressSpec{3, {}, 7});  // on the "а" of "рыба"
  tagStresses_.Set(50, StressSpec{1, {}, -1});  // on a consonant: ignored
  std::vector<StressedWord> words = {
      MakeWord("ёлка"),           MakeWord("кошка"),         MakeWord("замок"),
      MakeWord("вздр"),           MakeWord("мама", 0, 0, 3), MakeWord("мама", 0, 0, 9),
      MakeWord("рыба", 0, 40),    MakeWord("книгами", 0, 50), MakeWord(","),
      MakeWord("молоко")};
  stress_.Run(words);
  std::vector<std::pair<INT, std::vector<INT>>> got;
  for (const StressedWord& word : words) got.push_back({word.stress.main, word.stress.positions});
  EXPECT_EQ(got, (std::vector<std::pair<INT, std::vector<INT>>>{
                     {0, {}},         // 'ё'
                     {1, {}},         // dictionary
                     {3, {}},         // user base
                     {-1, {}},        // no vowel
                     {3, {}},         // a valid stress stays
                     {3, {}},         // out of the word: dictionary default
                     {3, {}},         // tag mark
                     {2, {}},         // stem + ending
                     {-1, {}},        // not a word
                     {3, {}}}));      // default: second of three vowels
  EXPECT_EQ(words[6].stress.extra, 7);
}

TEST_F(WordStagesTest, YoTakesTheStressBeforeAnyMark) {
  // The stress stage gives the first 'ё' the main stress before it looks at
  // what was marked: a "+" from normalisation («трёхсо+т») and a "Stress"
  // tag mark both give way.
  tagStresses_.Set(60, StressSpec{5, {}, -1});
  std::vector<StressedWord> words = {MakeWord("трёхсот", 0, 0, 5), MakeWord("трёхсот", 0, 60),
                                     MakeWord("четырёхсот", 0, 0, 8, {3})};
  stress_.Run(words);
  EXPECT_EQ(words[0].stress.main, 2);
  EXPECT_EQ(words[1].stress.main, 2);
  EXPECT_EQ(words[2].stress.main, 5);
  EXPECT_EQ(words[2].stress.positions, (std::vector<INT>{3}));
}

TEST_F(WordStagesTest, WordsWithoutAnyStressGetEveryVowelAsSecondary) {
  StressDictionary empty;  // not loaded: no dictionary answer
  StressStage stage;
  EXPECT_FALSE(stage.Init(nullptr, &empty, nullptr));
  std::vector<StressedWord> words = {MakeWord("молоко")};
  stage.Run(words);
  EXPECT_EQ(words[0].stress.main, -1);
  EXPECT_EQ(words[0].stress.positions, (std::vector<INT>{1, 3, 5}));
}

TEST_F(WordStagesTest, CliticsJoinTheWordTheyLeanOn) {
  // Compound preposition: both halves unstressed, joined to the noun.
  std::vector<StressedWord> words = {MakeWord("из", 0, 0), MakeWord("-", 0, 2),
                                     MakeWord("за", TextToken::kSpaceAfter, 3),
                                     MakeWord("угла", TextToken::kSpaceBefore, 6)};
  EXPECT_EQ(Groups(words), (std::vector<std::string>{"из|за|угла 7 []"}));

  words = {MakeWord("кто", 0, 0), MakeWord("-", 0, 3), MakeWord("то", 0, 4)};
  EXPECT_EQ(Groups(words), (std::vector<std::string>{"кто|то 2 []"}));
  words = {MakeWord("какой", 0, 0), MakeWord("-", 0, 5), MakeWord("нибудь", 0, 6)};
  EXPECT_EQ(Groups(words), (std::vector<std::string>{"какой|нибудь 3 []"}));
  // Any other pair: the first half's stress becomes secondary; "полъ" ends in
  // a sign, so the group joins it with one more.
  words = {MakeWord("пол", 0, 0), MakeWord("-", 0, 3), MakeWord("яблока", 0, 4)};
  EXPECT_EQ(Groups(words), (std::vector<std::string>{"полъъ|яблока 8 [1]"}));

  // Proclitics: dropped, or demoted when they keep their stress; a hard sign
  // before a vowel; enclitics lean left.
  EXPECT_EQ(Groups(SpacedWords({"в", "окно", "над", "озером", "он", "же", "ли", "там"})),
            (std::vector<std::string>{"въ|окно 5 []", "надъ|озером 6 [1]", "он|же|ли 0 []",
                                      "там 1 []"}));
  // An entry that ends with its host: "надо" leans on "мной" and the
  // group closes there; alone, "надо" is a word of its own.
  EXPECT_EQ(Groups(SpacedWords({"надо", "мной", "кошка", "надо", "в", "окно"})),
            (std::vector<std::string>{"надо|мной 6 []", "кошка 1 []", "надо 3 []",
                                      "въ|окно 5 []"}));
  // A word ending in a soft sign gets the hard sign as well.
  EXPECT_EQ(Groups(SpacedWords({"сквозь", "окно"})), (std::vector<std::string>{"сквозьъ|окно 10 []"}));
  // An enclitic with nothing to lean on stands alone; so does a stranded
  // proclitic, with its stress.
  EXPECT_EQ(Groups(SpacedWords({"же", ",", "не", ",", "над"})),
            (std::vector<std::string>{"же 1 []", ", -1 []", "не 1 []", ", -1 []", "над 1 []"}));
}

// Words made of one stretch of text (a spelled abbreviation) share its span:
// a clitic among them leans on its own words only.
TEST_F(WordStagesTest, CliticsOfOneRewriteStayInsideIt) {
  const auto spelled = [](const char* text, UI4 separators) {
    StressedWord word = MakeWord(text, separators, 0);
    word.token.position = Interval{0, 3};
    return word;
  };
  // "тэ вэ в" for a three-letter abbreviation, then "окно ли".
  std::vector<StressedWord> words = {
      spelled("тэ", TextToken::kSpaceAfter), spelled("в", TextToken::kSpaceBefore),
      MakeWord("окно", TextToken::kSpaceBefore | TextToken::kSpaceAfter, 4),
      MakeWord("ли", TextToken::kSpaceBefore, 9)};
  EXPECT_EQ(Groups(words), (std::vector<std::string>{"тэ 1 []", "в -1 []", "окно|ли 3 []"}));
  // Inside the span it still leans on the next word; a left clitic of a
  // rewrite does not lean out of it either.
  words = {spelled("в", TextToken::kSpaceAfter), spelled("тэ", TextToken::kSpaceBefore),
           MakeWord("окно", TextToken::kSpaceBefore, 4)};
  EXPECT_EQ(Groups(words), (std::vector<std::string>{"в|тэ 2 []", "окно 3 []"}));
  words = {MakeWord("окно", TextToken::kSpaceAfter, 0), spelled("ли", TextToken::kSpaceBefore),
           spelled("тэ", TextToken::kSpaceBefore)};
  words[1].token.position.start = words[2].token.position.start = 5;
  EXPECT_EQ(Groups(words), (std::vector<std::string>{"окно 3 []", "ли 1 []", "тэ 1 []"}));
}

TEST_F(WordStagesTest, QuestionWordsStandAloneOnlyInQuestions) {
  EXPECT_EQ(Groups(SpacedWords({"что", "там", "?"})),
            (std::vector<std::string>{"что 2 []", "там 1 []", "? -1 []"}));
  EXPECT_EQ(Groups(SpacedWords({"что", "там", "."})),
            (std::vector<std::string>{"что|там 4 []", ". -1 []"}));
  // Standing alone does not keep an enclitic off it.
  EXPECT_EQ(Groups(SpacedWords({"что", "же", "?"})),
            (std::vector<std::string>{"что|же 2 []", "? -1 []"}));
}

TEST_F(WordStagesTest, NeByloTakesTheStressOnNe) {
  EXPECT_EQ(Groups(SpacedWords({"не", "было", "не", "кошка"})),
            (std::vector<std::string>{"не|было 1 []", "не|кошка 3 []"}));
}

TEST_F(WordStagesTest, GroupStressCountsOverTheJoinedTexts) {
  WordGroup group;
  group.words = {MakeWord("раз", 0, 10, 1, {}), MakeWord("два", 0, 4, 2, {0}),
                 MakeWord("три", 0, 20, -1, {2, 0})};
  group.words[0].stress.extra = 5;
  BuildGroupStress(group);
  EXPECT_EQ(group.stress.main, 5);
  EXPECT_EQ(group.stress.positions, (std::vector<INT>{1, 3, 6, 8}));
  EXPECT_EQ(group.stress.extra, 5);
  EXPECT_EQ(group.position.start, 4u);
  EXPECT_EQ(group.position.size, 19u);
}

}  // namespace
