#include "reader/page_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

std::u16string WriteFile(const std::string& name, const std::string& text) {
  const std::string path = testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << text;
  return std::u16string(path.begin(), path.end());
}

class PageModelTest : public testing::Test {
 protected:
  void SetUp() override {
    for (size_t i = 1; i < 256; ++i) widths_[i] = 10;
    layout_.widths = &widths_;
    layout_.textWidth = 200;  // 20 bytes a line
  }
  CharWidthTable widths_{};
  LineLayout layout_;
  PageModel page_;
};

TEST_F(PageModelTest, PageNumbersOfA2001ByteFile) {
  ASSERT_EQ(page_.Open(WriteFile("a.txt", std::string(2001, 'x'))), PageModel::OpenResult::kOpened);
  layout_.smartParagraphs = false;
  page_.SetLayout(layout_, 25);  // 500 bytes a page
  EXPECT_EQ(page_.GetPageCount(), 3);
  ASSERT_TRUE(page_.RepaintPage());
  EXPECT_EQ(page_.PageLength(), 500);
  int turns = 1;
  while (page_.NextPage()) ++turns;
  EXPECT_EQ(turns, 5);
  EXPECT_EQ(page_.PageStart(), 2000);
  EXPECT_EQ(page_.GetPageNumber(), 2);
  EXPECT_TRUE(page_.AtDocumentEnd());
  EXPECT_DOUBLE_EQ(page_.ProgressFraction(), 2000.0 / 2001.0);
}

TEST_F(PageModelTest, APageReadsOnAcrossBlocksAndEndsAtAWordBoundary) {
  std::string text;
  for (int i = 0; i < 199; ++i) text += "word ";
  text += "justified rest.";  // the first 1000-byte block ends after "justi"
  ASSERT_EQ(page_.Open(WriteFile("cut.txt", text)), PageModel::OpenResult::kOpened);
  page_.SetLayout(layout_, 1000);
  ASSERT_TRUE(page_.RepaintPage());
  // The block's lines leave room: the page goes on past the cut word.
  EXPECT_EQ(page_.PageLength(), static_cast<INT>(text.size()));
  EXPECT_EQ(page_.Lines().lines.back(), "justified rest.");
  EXPECT_TRUE(page_.AtDocumentEnd());

  // The most a page holds ends inside "justified": the page ends before it.
  text.clear();
  for (int i = 0; i < kMaxPageBytes / 5 - 1; ++i) text += "word ";
  text += "justified rest.";
  ASSERT_EQ(page_.Open(WriteFile("cut.txt", text)), PageModel::OpenResult::kOpened);
  layout_.textWidth = 2000;  // 200 bytes a line
  page_.SetLayout(layout_, 100000);
  ASSERT_TRUE(page_.RepaintPage());
  EXPECT_EQ(page_.PageLength(), kMaxPageBytes - 5);
  for (const std::string& line : page_.Lines().lines) EXPECT_EQ(line.find("justi"), std::string::npos);
  ASSERT_TRUE(page_.NextPage());
  EXPECT_EQ(page_.PageStart(), kMaxPageBytes - 5);
  EXPECT_EQ(page_.Lines().lines.front().substr(0, 9), "justified");
}

// Paragraphs of several justified, hyphenated lines, some hard-wrapped
// inside a sentence: their line breaks depend on where breaking starts.
std::string Prose() {
  const char* const words[] = {
      "\xEB\xE5\xF1",                                          // лес
      "\xF0\xEE\xE4\xE8\xEB\xE0\xF1\xFC",                 // родилась
      "\xB8\xEB\xEE\xF7\xEA\xE0",                           // ёлочка
      "\xE7\xE8\xEC\xEE\xE9",                                // зимой
      "\xE8",                                                 // и
      "\xF1\xF2\xF0\xEE\xE9\xED\xE0\xFF",                 // стройная
      "\xE7\xE5\xEB\xE5\xED\xE0\xFF",                      // зелёная
      "\xEF\xF0\xE0\xE7\xE4\xED\xE8\xEA\xE0\xEC\xE8",  // праздниками
      "\xED\xE0",                                            // на
  };
  std::string text;
  for (int paragraph = 0; paragraph < 40; ++paragraph) {
    text += "\xD2\xE0\xEC";  // Там
    const int count = 6 + (paragraph * 7) % 23;
    for (int i = 0; i < count; ++i) {
      text += (i + paragraph) % 11 == 5 ? "\r\n" : " ";
      text += words[(i * 5 + paragraph) % 9];
      if (i % 7 == 3 && i + 1 < count) text += ",";
    }
    text += ".\r\n";
  }
  return text;
}

TEST_F(PageModelTest, BackwardPagingRebuildsTheForwardPages) {
  std::string lineFeeds;
  for (int i = 0; i < 400; ++i) lineFeeds += "Line " + std::to_string(i) + " ends here.\n";
  // 7 lines: a page of part of a block; 90 lines: a page of several blocks.
  const struct {
    std::string text;
    size_t perPage;
  } cases[] = {{lineFeeds, 7}, {lineFeeds, 90}, {Prose(), 11}, {Prose(), 30}};
  for (const auto& [text, perPage] : cases) {
    SCOPED_TRACE(testing::Message() << perPage << " lines a page");
    ASSERT_EQ(page_.Open(WriteFile("b.txt", text)), PageModel::OpenResult::kOpened);
    page_.SetLayout(layout_, static_cast<INT>(perPage));
    ASSERT_TRUE(page_.ShowPageAt(0));
    std::vector<std::pair<INT, std::vector<std::string>>> forward;
    do {
      forward.push_back({page_.PageStart(), page_.Lines().lines});
      forward.back().second.resize(std::min(perPage, forward.back().second.size()));
    } while (page_.NextPage());
    ASSERT_GT(forward.size(), 3u);
    // Every page but the last is full.
    for (size_t k = 0; k + 1 < forward.size(); ++k)
      EXPECT_EQ(forward[k].second.size(), perPage) << "page " << k;
    // Back all the way, forward and back once more after each back.
    for (size_t k = forward.size() - 1; k-- > 0;) {
      ASSERT_TRUE(page_.PrevPage());
      EXPECT_EQ(page_.PageStart(), forward[k].first) << "page " << k;
      std::vector<std::string> shown = page_.Lines().lines;
      shown.resize(std::min(perPage, shown.size()));
      EXPECT_EQ(shown, forward[k].second) << "page " << k;
      ASSERT_TRUE(page_.NextPage());
      EXPECT_EQ(page_.PageStart(), forward[k + 1].first) << "page " << k + 1;
      ASSERT_TRUE(page_.PrevPage());
      EXPECT_EQ(page_.PageStart(), forward[k].first) << "page " << k;
    }
    EXPECT_FALSE(page_.PrevPage());
  }
}

TEST_F(PageModelTest, PagesBrokenBackwardsComeBackTheSame) {
  ASSERT_EQ(page_.Open(WriteFile("p.txt", Prose())), PageModel::OpenResult::kOpened);
  page_.SetLayout(layout_, 11);
  // After a jump nothing is remembered: the pages before are broken
  // backwards, and turning forward again shows them as they were.
  ASSERT_TRUE(page_.GoToOffset(page_.FileSize() / 2));
  const INT jumped = page_.PageStart();
  std::vector<std::pair<INT, std::vector<std::string>>> backward;
  for (int i = 0; i < 3; ++i) {
    const INT end = page_.PageStart();
    ASSERT_TRUE(page_.PrevPage());
    EXPECT_EQ(page_.PageStart() + page_.PageLength(), end);
    EXPECT_EQ(page_.Lines().Count(), 11u);
    backward.push_back({page_.PageStart(), page_.Lines().lines});
  }
  for (int i = 1; i >= 0; --i) {
    ASSERT_TRUE(page_.NextPage());
    EXPECT_EQ(page_.PageStart(), backward[i].first);
    EXPECT_EQ(page_.Lines().lines, backward[i].second);
  }
  ASSERT_TRUE(page_.NextPage());
  EXPECT_EQ(page_.PageStart(), jumped);
  ASSERT_TRUE(page_.PrevPage());
  EXPECT_EQ(page_.PageStart(), backward[0].first);
  EXPECT_EQ(page_.Lines().lines, backward[0].second);
  // Closing a dialog repaints the page as shown.
  ASSERT_TRUE(page_.RepaintPage());
  EXPECT_EQ(page_.PageStart(), backward[0].first);
  EXPECT_EQ(page_.Lines().lines, backward[0].second);

  // A new layout forgets the pages: the page before is a full one of the
  // new size, ending at the page start.
  ASSERT_TRUE(page_.NextPage());
  page_.SetLayout(layout_, 30);
  ASSERT_TRUE(page_.RepaintPage());
  ASSERT_TRUE(page_.PrevPage());
  EXPECT_EQ(page_.Lines().Count(), 30u);
  EXPECT_EQ(page_.PageStart() + page_.PageLength(), jumped);
}

TEST_F(PageModelTest, ExactLinesOfAPage) {
  const std::string text =
      "\xCC\xE0\xEC\xE0 \xEC\xFB\xEB\xE0\n\xF0\xE0\xEC\xF3 \xE8 \xEF\xEE\xEB. "
      "\xD1\xEE\xE1\xE0\xEA\xE0 \xEB\xE0\xFF\xEB\xE0 \xE3\xF0\xEE\xEC\xEA\xEE.\r\n"
      "\xCA\xEE\xED\xE5\xF6.";
  ASSERT_EQ(page_.Open(WriteFile("c.txt", text)), PageModel::OpenResult::kOpened);
  page_.SetLayout(layout_, 10);
  ASSERT_TRUE(page_.RepaintPage());
  // "Мама мыла раму и пол. Собака лаяла громко." joined across the line
  // feed before "раму", justified; the line ending the paragraph keeps its
  // blank from the carriage return and is not justified.
  EXPECT_EQ(page_.Lines().lines,
            (std::vector<std::string>{
                "   \xCC\xE0\xEC\xE0  \xEC\xFB\xEB\xE0 \xF0\xE0\xEC\xF3 \xE8",
                "\xEF\xEE\xEB.   \xD1\xEE\xE1\xE0\xEA\xE0  \xEB\xE0\xFF\xEB\xE0",
                "\xE3\xF0\xEE\xEC\xEA\xEE. ",
                "   \xCA\xEE\xED\xE5\xF6.",
            }));
  EXPECT_EQ(page_.PageLength(), static_cast<INT>(text.size()));
}

TEST_F(PageModelTest, JumpsAndStaleStarts) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "word" + std::to_string(i % 10) + " ";
  ASSERT_EQ(page_.Open(WriteFile("d.txt", text)), PageModel::OpenResult::kOpened);
  page_.SetLayout(layout_, 5);
  ASSERT_TRUE(page_.GoToOffset(1004));  // inside "word7 " at 1002..1007
  EXPECT_EQ(page_.PageStart(), 1002);
  ASSERT_TRUE(page_.GoToPercent(50.0));  // offset 900, a word start
  EXPECT_EQ(page_.PageStart(), 900);
  ASSERT_TRUE(page_.GoToPercent(-20.0));  // clamped to the start
  EXPECT_EQ(page_.PageStart(), 0);
  EXPECT_FALSE(page_.GoToOffset(-1));
  // A start beyond the file shows the last page instead of reading past the end.
  ASSERT_TRUE(page_.ShowPageAt(1 << 30));
  EXPECT_EQ(page_.PageStart() + page_.PageLength(), static_cast<INT>(text.size()));
  EXPECT_GT(page_.PageLength(), 0);
  // Zero lines per page still moves forward.
  page_.SetLayout(layout_, 0);
  ASSERT_TRUE(page_.ShowPageAt(0));
  EXPECT_GT(page_.PageLength(), 0);
}

TEST_F(PageModelTest, RefusesMissingAndHugeFiles) {
  EXPECT_EQ(page_.Open(u"/nonexistent/file.txt"), PageModel::OpenResult::kCannotOpen);
  const std::string path = testing::TempDir() + "huge.txt";
  { std::ofstream(path, std::ios::binary) << "x"; }
  std::filesystem::resize_file(path, (uint64_t{1} << 31) + 5);  // sparse
  EXPECT_EQ(page_.Open(std::u16string(path.begin(), path.end())), PageModel::OpenResult::kTooLarge);
  EXPECT_TRUE(page_.NoDocument());
  std::filesystem::remove(path);
}

}  // namespace
