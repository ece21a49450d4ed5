#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reader/marks/bookmark_excerpt.h"
#include "reader/marks/page_jump.h"
#include "reader/marks/search_view.h"
#include "reader/marks/text_search.h"

namespace {

// The document as the search reads it; every read is checked to lie in it.
struct Document {
  std::string text;
  std::vector<std::pair<INT, INT>> reads;
  bool outside = false;

  SearchBlockReader Reader() {
    return [this](INT from, INT count) {
      reads.push_back({from, count});
      if (from < 0 || count < 0 || from + count > static_cast<INT>(text.size())) {
        outside = true;
        return std::string();
      }
      return text.substr(from, count);
    };
  }
  INT Size() const { return static_cast<INT>(text.size()); }
};

TEST(BookmarkExcerpt, DropsThePartialWordsAtBothEnds) {
  EXPECT_EQ(CleanBookmarkExcerpt("один два три"), "два");
  EXPECT_EQ(CleanBookmarkExcerpt("сл ово"), "ово");
  EXPECT_EQ(CleanBookmarkExcerpt("длинноеслово"), "длинноеслово");
  EXPECT_EQ(CleanBookmarkExcerpt("слово "), "No text");
  EXPECT_EQ(CleanBookmarkExcerpt(""), "No text");
  // Carriage returns go: the edit field shows them as stray marks.
  EXPECT_EQ(CleanBookmarkExcerpt("x первая\r\nвторая\nтретья y"), "первая\nвторая\nтретья");
}

TEST(TextSearch, ForwardFindsMatchesAcrossBlocksAndThenRestsAtTheEnd) {
  Document doc;
  doc.text = std::string(997, '.') + "иголка" + std::string(1500, '.') + "иголка" + "..";
  CTextSearch search;
  search.Start("иголка", true, false, 0);
  // Starts 3 bytes before the end of the first block.
  EXPECT_EQ(search.FindText(0, doc.Size(), doc.Reader()), 997);
  EXPECT_EQ(search.FindText(0, doc.Size(), doc.Reader()), 997 + 6 + 1500);
  EXPECT_EQ(search.FindText(0, doc.Size(), doc.Reader()), -1);
  EXPECT_EQ(search.Position(), doc.Size());
  EXPECT_EQ(search.FindText(0, doc.Size(), doc.Reader()), -1);
  EXPECT_FALSE(doc.outside);
}

TEST(TextSearch, BackwardFindsTheNearestEarlierMatch) {
  Document doc;
  doc.text = "ab" + std::string(1200, '.') + "ab" + std::string(998, '.') + "ab";
  CTextSearch search;
  // From the end of the file nothing is searched; from the last byte the
  // match at 1202 straddles the first block's start (1203).
  search.Start("ab", true, true, doc.Size());
  EXPECT_EQ(search.FindText(0, doc.Size(), doc.Reader()), -1);
  search.Start("ab", true, true, doc.Size() - 1);
  EXPECT_EQ(search.FindText(0, doc.Size(), doc.Reader()), 1202);
  EXPECT_EQ(search.FindText(0, doc.Size(), doc.Reader()), 0);
  EXPECT_EQ(search.FindText(0, doc.Size(), doc.Reader()), -1);
  EXPECT_FALSE(doc.outside);
}

TEST(TextSearch, CaseMattersOnlyWhenAskedFor) {
  Document doc;
  doc.text = "Вот МАМА и Papa.";
  CTextSearch search;
  search.Start("мама", false, false, 0);
  EXPECT_EQ(search.FindText(0, doc.Size(), doc.Reader()), 4);
  search.Start("PAPA", false, false, 0);
  EXPECT_EQ(search.Text(), "papa");
  EXPECT_EQ(search.FindText(0, doc.Size(), doc.Reader()), 11);
  search.Start("мама", true, false, 0);
  EXPECT_EQ(search.FindText(0, doc.Size(), doc.Reader()), -1);
}

TEST(TextSearch, NothingToFindWithoutTextFileOrRoomToSearch) {
  Document doc;
  doc.text = "abc";
  CTextSearch search;
  search.Start("", false, false, 0);
  EXPECT_EQ(search.FindText(0, doc.Size(), doc.Reader()), -1);
  search.Start("a", false, true, 0);
  EXPECT_EQ(search.FindText(0, doc.Size(), doc.Reader()), -1);
  search.Start("a", false, false, 0);
  EXPECT_EQ(search.FindText(0, 0, doc.Reader()), -1);
  EXPECT_TRUE(doc.reads.empty());
}

TEST(TextSearch, TextLongerThanABlockEndsAndReadsOnlyTheFile) {
  Document doc;
  const std::string needle(1500, 'x');
  doc.text = std::string(700, '.') + needle + std::string(2800, '.');
  CTextSearch search;
  search.Start(needle, true, false, 0);
  EXPECT_EQ(search.FindText(0, doc.Size(), doc.Reader()), 700);
  search.Start(needle + "y", true, false, 0);
  EXPECT_EQ(search.FindText(0, doc.Size(), doc.Reader()), -1);
  search.Start(needle, true, true, doc.Size() - 1);
  EXPECT_EQ(search.FindText(0, doc.Size(), doc.Reader()), 700);
  search.Start(needle + "y", true, true, doc.Size() - 1);
  EXPECT_EQ(search.FindText(0, doc.Size(), doc.Reader()), -1);
  EXPECT_FALSE(doc.outside);
}

TEST(TextSearch, FindNextBeforeAnyStartBeginsAtThePage) {
  Document doc;
  doc.text = "слово" + std::string(3000, ' ') + "слово";
  CTextSearch search;
  search.Restore("СЛОВО", false, true);  // as read from the settings
  EXPECT_EQ(search.FindText(2000, doc.Size(), doc.Reader()), 0);
  EXPECT_FALSE(doc.outside);

  CTextSearch forward;
  forward.Restore("слово", false, false);
  EXPECT_EQ(forward.FindText(2000, doc.Size(), doc.Reader()), 3005);
  EXPECT_FALSE(doc.outside);
}

struct FakeView : SearchPageView {
  INT start = 0;
  INT length = 100;
  std::vector<std::string> calls;
  INT PageStart() const override { return start; }
  INT PageLength() const override { return length; }
  void GoToOffset(INT offset) override {
    calls.push_back("go " + std::to_string(offset));
    start = offset;  // a page of `length` bytes from there
  }
  void ShowPageFrom(INT offset) override {
    calls.push_back("from " + std::to_string(offset));
    start = offset;
  }
  void SetHighlight(INT s, INT e) override {
    calls.push_back("highlight " + std::to_string(s) + " " + std::to_string(e));
  }
};

TEST(SearchView, MovesThePageOnlyWhenTheMatchIsNotWhollyOnIt) {
  FakeView on;
  on.start = 1000;
  ShowSearchMatch(on, 1010, 5);
  EXPECT_EQ(on.calls, (std::vector<std::string>{"highlight 10 15"}));

  FakeView off;
  ShowSearchMatch(off, 500, 5);
  EXPECT_EQ(off.calls, (std::vector<std::string>{"go 480", "highlight 20 25"}));

  FakeView nearStart;
  nearStart.start = 500;
  ShowSearchMatch(nearStart, 7, 5);
  EXPECT_EQ(nearStart.calls, (std::vector<std::string>{"go 0", "highlight 7 12"}));

  // Still past the page end after the move: the page starts at the match.
  FakeView longMatch;
  ShowSearchMatch(longMatch, 300, 90);
  EXPECT_EQ(longMatch.calls,
            (std::vector<std::string>{"go 280", "from 300", "highlight 0 90"}));
}

TEST(PageJump, DialogRangeAndOffsets) {
  PageJumpRange range = GoToPageRange(4, 4);  // past the last page
  EXPECT_EQ(range.page, 4);
  EXPECT_EQ(range.lastPage, 4);
  range = GoToPageRange(-1, 0);  // no pages
  EXPECT_EQ(range.page, 1);
  EXPECT_EQ(range.lastPage, 1);
  range = GoToPageRange(2, 10);
  EXPECT_EQ(range.page, 3);
  EXPECT_EQ(PageJumpOffset(1), 0);
  EXPECT_EQ(PageJumpOffset(3), 2000);
}

}  // namespace
