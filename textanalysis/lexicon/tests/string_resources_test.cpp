#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "textanalysis/lexicon/service_word_lists.h"
#include "textanalysis/lexicon/string_resource_file.h"
#include "textanalysis/lexicon/tests/lexicon_files.h"

namespace {

using Lines = std::vector<std::string>;

TEST(StringResourceFileTest, SectionsAndSubsections) {
  TestFolder folder;
  WriteBytes(folder / "strings.txt",
             "before any header\n"
             "# comment\n"
             "[Аббревиатуры]\n"
             "{Данные}\n"
             "  |#  \n"
             "\n"
             "т.е.|то есть\r\n"
             "[]\n"
             "{}\n"
             "[Числовые_формы]\n"
             "no subsection\n"
             "{Данные}\n"
             "один\n"
             "{Другие}\n"
             "x # not a comment\n");
  StringResourceFile file;
  ASSERT_TRUE(file.Load(NarrowToWide((folder / "strings.txt").string())));

  EXPECT_EQ(file.GetLines("DefaultSectionName", "DefaultSubsectionName"),
            Lines{"before any header"});
  // Too short to be headers: "[]" and "{}" are data lines.
  EXPECT_EQ(file.GetLines("Аббревиатуры", "Данные"), (Lines{"|#", "т.е.|то есть", "[]", "{}"}));
  EXPECT_EQ(file.GetLines("Числовые_формы", "DefaultSubsectionName"), Lines{"no subsection"});
  EXPECT_EQ(file.GetLines("Числовые_формы", "Данные"), Lines{"один"});
  EXPECT_EQ(file.GetLines("Числовые_формы", "Другие"), Lines{"x # not a comment"});
  EXPECT_EQ(file.GetSubsections("Числовые_формы"),
            (Lines{"DefaultSubsectionName", "Данные", "Другие"}));
  EXPECT_EQ(file.GetSections(), (Lines{"DefaultSectionName", "Аббревиатуры", "Числовые_формы"}));

  EXPECT_TRUE(file.GetLines("Аббревиатуры", "Нет").empty());
  EXPECT_TRUE(file.GetSubsections("Нет").empty());

  // A reload starts empty; a missing file leaves it empty.
  ASSERT_TRUE(file.Load(NarrowToWide((folder / "missing.txt").string())));
  EXPECT_TRUE(file.GetSections().empty());
}

class ServiceWordListsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(folder_ / "strings.txt",
               "[ServiceWords]\n"
               "{Присоединяются_направо}\n"
               "в\n"
               "в течение\n"
               "в\tтечение  всего\n"
               "из-за\n"
               "по - над\n"
               "{Вопросительные_слова}\n"
               "где\n"
               "[Other]\n"
               "{Присоединяются_налево}\n"
               "же\n");
    ASSERT_TRUE(resources_.Load(NarrowToWide((folder_ / "strings.txt").string())));
    ASSERT_TRUE(lists_.Load(resources_));
  }

  // The last word of the longest match, or -1.
  int Last(const std::string& list, const Lines& texts, int from, int to) const {
    std::vector<TextToken> tokens;
    for (const std::string& text : texts) tokens.emplace_back(0, text, Interval{});
    int last = -1;
    return lists_.Find(list, tokens, from, to, last) ? last : -1;
  }

  TestFolder folder_;
  StringResourceFile resources_;
  ServiceWordLists lists_;
};

TEST_F(ServiceWordListsTest, LongestEntryWithinTheRange) {
  const std::string right = "Присоединяются_направо";
  const Lines text = {"в", "течение", "всего", "дня"};
  EXPECT_EQ(Last(right, text, 0, 4), 2);
  EXPECT_EQ(Last(right, text, 0, 2), 1);
  EXPECT_EQ(Last(right, text, 0, 1), 0);
  EXPECT_EQ(Last(right, {"в", "течение", "дня"}, 0, 3), 1);
  EXPECT_EQ(Last(right, {"в", "дом"}, 0, 2), 0);
  EXPECT_EQ(Last(right, {"течение"}, 0, 1), -1);  // inside an entry only
  EXPECT_EQ(Last(right, {"В"}, 0, 1), -1);        // byte for byte
  // Hyphens cut entries into words.
  EXPECT_EQ(Last(right, {"из", "за", "угла"}, 0, 3), 1);
  EXPECT_EQ(Last(right, {"по", "над"}, 0, 2), 1);
  EXPECT_EQ(Last(right, {"из-за"}, 0, 1), -1);
  EXPECT_EQ(Last("Вопросительные_слова", {"а", "где"}, 1, 2), 1);
}

TEST_F(ServiceWordListsTest, RefusesBadRangesAndUnknownLists) {
  const std::string right = "Присоединяются_направо";
  for (const auto& [from, to] : {std::pair{-1, 2}, {2, 2}, {1, 1}, {0, 3}})
    EXPECT_EQ(Last(right, {"в", "течение"}, from, to), -1) << from << " " << to;
  // Only the "ServiceWords" section makes lists.
  EXPECT_EQ(Last("Присоединяются_налево", {"же"}, 0, 1), -1);

  std::vector<StressedWord> words(2);
  words[0].token.text = "в";
  words[1].token.text = "течение";
  int last = -1;
  EXPECT_TRUE(lists_.Find(right, words, 0, 2, last));
  EXPECT_EQ(last, 1);
}

}  // namespace
