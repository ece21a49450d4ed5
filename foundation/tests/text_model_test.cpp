#include <gtest/gtest.h>

#include <list>
#include <string>
#include <vector>

#include "foundation/char_set.h"
#include "foundation/stress.h"
#include "foundation/syntagma.h"
#include "foundation/tag_table.h"
#include "foundation/text_token.h"

namespace {

using T = TextToken;

// --- Interval and TextToken --------------------------------------------------

TEST(TextTokenTest, PositionsAndEmptyToken) {
  EXPECT_EQ(sizeof(Interval), 16u);
  EXPECT_FALSE(IsValidPosition(0xFFFFFFFFFFFFFFFFull));
  EXPECT_TRUE(IsValidPosition(0xFFFFFFFFull));
  const T empty = T::MakeAt(0x100000000ull);
  EXPECT_EQ(empty.flags, 0u);
  EXPECT_TRUE(empty.IsTextEmpty());
  EXPECT_EQ(empty.position.start, 0x100000000ull);
  EXPECT_EQ(empty.position.size, 0u);
}

TEST(TextTokenTest, EndsDoNotWrapRound) {
  EXPECT_EQ(EndOf(Interval{10, 5}), 15u);
  EXPECT_EQ(EndOf(Interval{kNoPosition - 3, 3}), kNoPosition);
  EXPECT_EQ(EndOf(Interval{kNoPosition - 2, 5}), kNoPosition);
  EXPECT_EQ(EndOf(TextToken(0, "мама", Interval{1ull << 40, 4})), (1ull << 40) + 4);
}

TEST(TextTokenTest, SeparatorGroups) {
  T token;
  token.SetFlags(0xFFFFFFFF);
  EXPECT_EQ(token.LeftFlags(), 0x1003au);
  EXPECT_EQ(token.RightFlags(), 0x200c5u);
  EXPECT_EQ(token.SuffixFlags(), 0x1fc0000u);
  token.ClearLeftFlags();
  token.ClearRightFlags();
  EXPECT_EQ(token.flags, 0xFFFFFFFFu & ~0x1003au & ~0x200c5u);
  token.SetMarker();
  EXPECT_TRUE(token.IsMarked());
  token.ClearMarker();
  EXPECT_FALSE(token.IsMarked());
}

TEST(TextTokenTest, SeparatorPairTests) {
  T token;
  token.SetFlags(0x8 | 0x1);
  EXPECT_TRUE(token.HasLineBreakOrSpaceAround());
  token.SetFlags(0x10 | 0x4);
  EXPECT_FALSE(token.HasLineBreakOrSpaceBefore());
  EXPECT_TRUE(token.HasLineBreakOrSpaceAfter());
  EXPECT_TRUE(token.HasOuterSeparatorBefore());
  EXPECT_FALSE(token.HasOuterSeparatorAfter());
  token.SetFlags(0x80);
  EXPECT_TRUE(token.HasOuterSeparatorAfter());
}

TEST(TextTokenTest, MovingSeparatorsAcross) {
  const struct {
    UI4 flags, leftToRight, rightToLeft;
  } cases[] = {
      {0x10000 | 0x2, 0x20000, 0},  {0x20 | 0x2, 0x4, 0}, {0x8, 0x4, 0},
      {0x10, 0x1, 0},               {0x2, 0x1, 0},        {0x20000 | 0x1, 0, 0x10000},
      {0x80 | 0x1, 0, 0x8},         {0x4, 0, 0x8},        {0x40, 0, 0x2},
      {0x1, 0, 0x2},                {0x400, 0, 0},
  };
  for (const auto& c : cases) {
    const T token(c.flags, "x", {});
    EXPECT_EQ(token.LeftToRight(), c.leftToRight) << std::hex << c.flags;
    EXPECT_EQ(token.RightToLeft(), c.rightToLeft) << std::hex << c.flags;
  }
}

TEST(TextTokenTest, HasConsistentSeparators) {
  T token;
  EXPECT_TRUE(token.HasConsistentSeparators());
  token.SetFlags(0x2 | 0x4 | 0x10 | 0x20 | 0x40 | 0x80);
  EXPECT_TRUE(token.HasConsistentSeparators());
  token.SetFlags(0x2 | 0x8);
  EXPECT_FALSE(token.HasConsistentSeparators());
  token.SetFlags(0x8 | 0x10000);
  EXPECT_FALSE(token.HasConsistentSeparators());
  token.SetFlags(0x1 | 0x20000);
  EXPECT_FALSE(token.HasConsistentSeparators());
  token.SetFlags(0x4 | 0x1);
  EXPECT_FALSE(token.HasConsistentSeparators());
}

TEST(TextTokenTest, Suffixes) {
  T token;
  EXPECT_FALSE(token.HasSuffix());
  EXPECT_EQ(token.SuffixText(), "");
  token.SetFlags(0x400000);
  EXPECT_TRUE(token.HasSuffix());
  EXPECT_EQ(token.SuffixText(), "n't");
  const std::pair<UI4, const char*> texts[] = {{0x40000, "'s"},   {0x80000, "'ll"},
                                               {0x100000, "'ve"}, {0x200000, "'d"},
                                               {0x800000, "'re"}, {0x1000000, "'m"}};
  for (const auto& [bit, text] : texts) {
    token.SetFlags(bit | 0x1);
    EXPECT_EQ(token.SuffixText(), text);
    EXPECT_EQ(token.SuffixFlags(), bit);
  }
  // The first bit in table order wins.
  token.SetFlags(0x1000000 | 0x80000);
  EXPECT_EQ(token.SuffixText(), "'ll");
  token.AddFlags(0x400);
  token.ClearSuffix();
  EXPECT_EQ(token.flags, 0x400u);
}

TEST(TextTokenTest, WithSeparators) {
  T token(0x10 | 0x8 | 0x1, "я", {});
  EXPECT_EQ(token.WithSeparators(), " \nя ");
  EXPECT_EQ(token.WithLeftSeparators(), " \nя");
  EXPECT_EQ(token.WithRightSeparators(), "я ");
  token.SetFlags(0x20 | 0x2 | 0x4 | 0x80);
  EXPECT_EQ(token.WithSeparators(), "\n я\n\n");
  token.SetFlags(0x10000 | 0x20000 | 0x40);
  EXPECT_EQ(token.WithSeparators(), "-я- ");
  // Each side writes one inner and one outer separator at most.
  token.SetFlags(0x10 | 0x20 | 0x2 | 0x8 | 0x10000 | 0x4 | 0x1 | 0x20000 | 0x80 | 0x40);
  EXPECT_EQ(token.WithSeparators(), "  я\n\n");
  token.SetFlags(0);
  EXPECT_EQ(token.WithSeparators(), "я");
}

// --- Separator rule ----------------------------------------------------------

// A minimal tokenizer over the separator rule: every character that is not a
// separator is appended to the pending token.
std::vector<T> Tokenize(const std::string& text) {
  std::vector<T> emitted;
  T pending = T::MakeAt(0);
  for (size_t i = 0; i < text.size(); ++i) {
    if (ApplySeparatorChar(text[i], i, pending, emitted)) continue;
    if (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r') continue;
    pending.text.push_back(text[i]);
  }
  if (!pending.IsTextEmpty()) {
    pending.position.size = static_cast<UI4>(text.size() - pending.position.start);
    emitted.push_back(pending);
  }
  return emitted;
}

TEST(SeparatorRuleTest, CarriageReturnAndLineFeedAfterAWord) {
  const std::vector<T> tokens = Tokenize("слово\r\nдальше");
  ASSERT_EQ(tokens.size(), 2u);
  EXPECT_EQ(tokens[0].text, "слово");
  EXPECT_EQ(tokens[0].flags, 0x4u | 0x80u);
  EXPECT_EQ(tokens[1].text, "дальше");
  EXPECT_EQ(tokens[1].flags, 0x20u | 0x8u);
  EXPECT_EQ(tokens[0].position.start, 0u);
  EXPECT_EQ(tokens[0].position.size, 5u);
  EXPECT_EQ(tokens[1].position.start, 7u);
  EXPECT_EQ(tokens[1].position.size, 6u);
}

TEST(SeparatorRuleTest, BlanksLineEndsAndEmptyLines) {
  const struct {
    const char* text;
    std::vector<UI4> flags;
  } cases[] = {
      {"a  b\tc", {0x1, 0x2 | 0x1, 0x2}},
      {"a \nb", {0x1 | 0x40, 0x10 | 0x8}},
      {"a\n  b", {0x4, 0x20 | 0x2}},
      {"a\n\nb", {0x4 | 0x80, 0x20 | 0x8}},
      {" \nb", {0x10 | 0x8}},
      {"a\n", {0x4}},
  };
  for (const auto& c : cases) {
    std::vector<UI4> flags;
    for (const T& token : Tokenize(c.text)) flags.push_back(token.flags);
    EXPECT_EQ(flags, c.flags) << c.text;
  }
  std::vector<T> emitted;
  T pending(0x2, "ab", Interval{3, 0});
  EXPECT_FALSE(ApplySeparatorChar('x', 5, pending, emitted));
  EXPECT_TRUE(emitted.empty());
  EXPECT_EQ(pending.flags, 0x2u);
}

TEST(StressSpecTest, MatchPrefersTheMainPosition) {
  StressSpec spec;
  spec.main = 1;
  spec.positions = {1, 3};
  EXPECT_EQ(spec.Match(1), 1);
  EXPECT_EQ(spec.Match(3), 2);
  EXPECT_EQ(spec.Match(0), 0);
  spec.ClearMain();
  EXPECT_EQ(spec.Match(-1), 0);
  EXPECT_EQ(spec.Match(1), 2);
}

TEST(StressSpecTest, ResetKeepsExtraAndIsValid) {
  StressSpec spec;
  EXPECT_EQ(spec.extra, -1);
  const INT positions[] = {0, 4};
  spec.SetPositions(positions, 2);
  spec.main = 2;
  spec.extra = 9;
  EXPECT_EQ(spec.positions, (std::vector<INT>{0, 4}));
  spec.Reset();
  EXPECT_FALSE(spec.IsSet());
  EXPECT_TRUE(spec.positions.empty());
  EXPECT_EQ(spec.extra, 9);
  StressSpec valid;
  EXPECT_TRUE(valid.IsValid());
  valid.main = 100;
  valid.positions = {0, 7};
  EXPECT_TRUE(valid.IsValid());
  valid.main = -2;
  EXPECT_FALSE(valid.IsValid());
  valid.main = -1;
  valid.positions = {0, -1};
  EXPECT_FALSE(valid.IsValid());
}

TEST(StressedWordTest, StartsEmptyAndChecksRange) {
  StressedWord word;
  EXPECT_TRUE(word.token.IsTextEmpty());
  EXPECT_EQ(word.token.flags, 0u);
  EXPECT_FALSE(word.stress.IsSet());
  EXPECT_TRUE(word.StressInRange());
  word.token.text = "мама";
  word.stress.main = 3;
  word.stress.positions = {1};
  EXPECT_TRUE(word.StressInRange());
  word.stress.main = 4;
  EXPECT_FALSE(word.StressInRange());
  word.stress.main = 1;
  word.stress.positions = {-1};
  EXPECT_FALSE(word.StressInRange());
  word.stress.positions = {4};
  EXPECT_FALSE(word.StressInRange());
}

TEST(StressByPositionTest, SetFindContainsErase) {
  StressByPosition table;
  StressSpec spec;
  spec.main = 2;
  spec.positions = {0};
  spec.extra = 5;
  table.Set(0x100000001ull, spec);
  EXPECT_TRUE(table.Contains(0x100000001ull));
  EXPECT_FALSE(table.Contains(1));
  StressSpec out;
  out.main = 7;
  out.positions = {1, 2};
  EXPECT_FALSE(table.Find(1, out));
  EXPECT_EQ(out.main, -1);
  EXPECT_TRUE(out.positions.empty());
  ASSERT_TRUE(table.Find(0x100000001ull, out));
  EXPECT_EQ(out.main, 2);
  EXPECT_EQ(out.positions, std::vector<INT>{0});
  EXPECT_EQ(out.extra, 5);
  table.Erase(0x100000001ull);
  EXPECT_FALSE(table.Contains(0x100000001ull));
  EXPECT_TRUE(table.IsEmpty());
}

TEST(StressByPositionTest, IndexInsertsAnUnsetEntryAndKeysAreOrderedAs64Bits) {
  StressByPosition table;
  StressSpec& inserted = table[0x200000000ull];
  EXPECT_EQ(inserted.main, -1);
  EXPECT_TRUE(inserted.positions.empty());
  table[5].main = 1;
  table[0xFFFFFFFFull].main = 2;
  EXPECT_EQ(table.Size(), 3u);
  std::vector<UI8> keys;
  for (const auto& entry : table) keys.push_back(entry.first);
  EXPECT_EQ(keys, (std::vector<UI8>{5, 0xFFFFFFFFull, 0x200000000ull}));
  table.Clear();
  EXPECT_TRUE(table.IsEmpty());
}

// --- Word groups and syntagmas -------------------------------------------------

StressedWord Word(const std::string& text, INT main = -1) {
  StressedWord word;
  word.token.text = text;
  word.stress.main = main;
  return word;
}

WordGroup Group(const std::vector<std::string>& texts, INT main,
                const std::vector<INT>& positions = {}) {
  WordGroup group;
  for (const std::string& text : texts) group.words.push_back(Word(text));
  group.stress.main = main;
  group.stress.positions = positions;
  return group;
}

TEST(WordGroupTest, StressedTextMarksMainAndFurtherPositions) {
  std::string out = "stale";
  Group({"не", "было"}, 1, {1, 3, 10, -1}).StressedText(out);
  EXPECT_EQ(out, "не+бы-ло");
  Group({"мама"}, -1, {0}).StressedText(out);
  EXPECT_EQ(out, "м-ама");
  Group({}, 0).StressedText(out);
  EXPECT_EQ(out, "");
}

TEST(WordGroupTest, IsStressValidAndHasStress) {
  EXPECT_TRUE(Group({"не", "было"}, 5, {0}).IsStressValid());
  EXPECT_FALSE(Group({"не", "было"}, 6, {}).IsStressValid());
  EXPECT_FALSE(Group({"не", "было"}, 1, {6}).IsStressValid());
  EXPECT_FALSE(Group({"не", "было"}, 1, {1}).IsStressValid());
  EXPECT_FALSE(Group({"не"}, -1, {-1}).IsStressValid());
  EXPECT_TRUE(Group({"не"}, -1, {}).IsStressValid());
  EXPECT_TRUE(Group({"не"}, 1, {}).HasStress());
  EXPECT_TRUE(Group({"не"}, -1, {0}).HasStress());
  EXPECT_FALSE(Group({"не"}, -1, {}).HasStress());
}

TEST(WordGroupTest, SumTokenLengthsClampsItsCount) {
  const std::vector<StressedWord> words = {Word("ab"), Word("cde"), Word("f")};
  EXPECT_EQ(SumTokenLengths(words), 6);
  EXPECT_EQ(SumTokenLengths(words, 2), 5);
  EXPECT_EQ(SumTokenLengths(words, 3), 6);
  EXPECT_EQ(SumTokenLengths(words, 100), 6);
  EXPECT_EQ(SumTokenLengths(words, 0), 0);
  EXPECT_EQ(SumTokenLengths(words, -5), 0);
  EXPECT_EQ(SumTokenLengths({}, 3), 0);
}

TEST(WordGroupTest, JoinTexts) {
  const WordGroup group = Group({"из", "за", "угла"}, -1);
  std::string out = "stale";
  JoinWordTexts(group, out, " ");
  EXPECT_EQ(out, "из за угла");
  JoinWordTexts(group, out, "");
  EXPECT_EQ(out, "иззаугла");
  out = "<";
  JoinStressedWordTexts(group.words, out, "-", false);
  EXPECT_EQ(out, "<из-за-угла");
  JoinStressedWordTexts(group.words, out, ", ", true);
  EXPECT_EQ(out, "из, за, угла");
  JoinStressedWordTexts({}, out, ",", true);
  EXPECT_EQ(out, "");
}

SyntagmaRecord SampleSyntagma() {
  SyntagmaRecord syntagma;
  syntagma.type = 2;
  syntagma.endSign = 6;
  SyntagmaPart first;
  first.groups.push_back(Group({"мама"}, 1, {3}));
  first.groups.push_back(Group({"мы", "ла"}, 1));
  SyntagmaPart second;
  second.groups.push_back(Group({"раму"}, -1));
  syntagma.parts = {first, second};
  return syntagma;
}

TEST(SyntagmaTest, CountStressedGroups) {
  EXPECT_EQ(CountStressedGroups(SampleSyntagma()), 2);
  EXPECT_EQ(CountStressedGroups(SyntagmaRecord()), 0);
}

TEST(SyntagmaTest, ResetAndIsComplete) {
  SyntagmaRecord syntagma = SampleSyntagma();
  syntagma.position = Interval{3, 4};
  EXPECT_TRUE(syntagma.IsComplete());
  syntagma.endSign = 0;
  EXPECT_FALSE(syntagma.IsComplete());
  syntagma.endSign = 6;
  syntagma.type = 0;
  EXPECT_FALSE(syntagma.IsComplete());
  syntagma.type = 2;
  syntagma.parts.clear();
  EXPECT_FALSE(syntagma.IsComplete());
  syntagma = SampleSyntagma();
  syntagma.Reset();
  EXPECT_EQ(syntagma.type, 0);
  EXPECT_EQ(syntagma.endSign, 0);
  EXPECT_TRUE(syntagma.parts.empty());
  EXPECT_EQ(syntagma.position.start, 0u);
  EXPECT_EQ(syntagma.position.size, 0u);
}

TEST(SyntagmaTest, TypeNamesAndEndCodes) {
  EXPECT_EQ(SyntagmaTypeName(0), "Неизвестная");
  EXPECT_EQ(SyntagmaTypeName(1), "Короткая");
  EXPECT_EQ(SyntagmaTypeName(2), "Орфографическая");
  EXPECT_EQ(SyntagmaTypeName(3), "");
  const char* const expected[] = {"",   "!",  "!1", "?1", "?2", ".1", ".2", ".3", ".4", ".5",
                                  ",1", ",2", ",3", ",4", ",5", ",6", ",7", ",8", ""};
  for (INT sign = 0; sign <= 18; ++sign) EXPECT_EQ(SyntagmaEndCode(sign), expected[sign]) << sign;
  EXPECT_EQ(SyntagmaEndCode(-1), "");
}

TEST(SyntagmaTest, DumpSyntagmaText) {
  std::string out;
  DumpSyntagma(SampleSyntagma(), out);
  EXPECT_EQ(out, "Синтагма Орфографическая: ||  ма+ма- мы+ла ||  раму || .2");
  // The Russian text is Windows-1251 bytes.
  EXPECT_EQ(out.substr(0, 9), "\xD1\xE8\xED\xF2\xE0\xE3\xEC\xE0 ");
}

TEST(SyntagmaTest, DumpOfAOnePartSyntagma) {
  SyntagmaRecord syntagma;
  syntagma.type = 1;
  syntagma.endSign = 15;
  syntagma.parts.resize(1);
  syntagma.parts[0].groups.push_back(Group({"да"}, 1));
  std::string out = "stale";
  DumpSyntagma(syntagma, out);
  EXPECT_EQ(out, "Синтагма Короткая: ||  да+ || ,6");
}

TEST(SyntagmaTest, DumpOfAnEmptySyntagma) {
  std::string out;
  DumpSyntagma(SyntagmaRecord(), out);
  EXPECT_EQ(out, "Синтагма Неизвестная: || ");
}

// --- Tag table -----------------------------------------------------------------

TagRecord Tag(const std::string& desc, UI8 start, UI4 size) { return TagRecord{desc, {start, size}}; }

std::vector<std::string> Descs(const std::vector<TagRecord>& tags) {
  std::vector<std::string> out;
  for (const TagRecord& tag : tags) out.push_back(tag.desc);
  return out;
}

std::vector<std::string> Descs(const std::list<TagRecord>& tags) {
  return Descs(std::vector<TagRecord>(tags.begin(), tags.end()));
}

TEST(TagTableTest, AddSortsIntoIntervalAndPointTags) {
  TagTable table;
  EXPECT_TRUE(table.IsEmpty());
  const TagRecord tags[] = {Tag("a", 0, 5), Tag("p", 2, 0), Tag("b", 3, 1)};
  table.AddTags(tags, 3);
  EXPECT_FALSE(table.IsEmpty());
  EXPECT_EQ(Descs(table.IntervalTags()), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(Descs(table.PointTags()), (std::vector<std::string>{"p"}));
  table.Clear();
  EXPECT_TRUE(table.IsEmpty());
  table.AddTag(Tag("q", 1, 0));
  EXPECT_FALSE(table.IsEmpty());
}

TEST(TagTableTest, PointTagNeverCovers) {
  TagTable table;
  table.AddTag(Tag("Pron=x", 4, 0));
  EXPECT_FALSE(table.IsCovered(4));
  EXPECT_FALSE(table.HasTagCovering(4, "Pron=x"));
  EXPECT_TRUE(table.HasTagAt(4));
  EXPECT_TRUE(table.HasTagAt(4, "Pron=x"));
  EXPECT_FALSE(table.HasTagAt(4, "Pron=y"));
  EXPECT_FALSE(table.HasTagAt(3));
  EXPECT_FALSE(table.HasTagAt(5));
  std::vector<TagRecord> out;
  table.TagsCovering(4, out);
  EXPECT_TRUE(out.empty());
  table.PointTagsAt(4, out);
  EXPECT_EQ(Descs(out), std::vector<std::string>{"Pron=x"});
}

TEST(TagTableTest, IntervalCoversFromStartToBeforeEnd) {
  TagTable table;
  table.AddTag(Tag("Stress", 10, 5));
  EXPECT_FALSE(table.IsCovered(9));
  EXPECT_TRUE(table.IsCovered(10));
  EXPECT_TRUE(table.IsCovered(14));
  EXPECT_FALSE(table.IsCovered(15));
  EXPECT_TRUE(table.HasTagCovering(12, "Stress"));
  EXPECT_FALSE(table.HasTagCovering(12, "stress"));
  EXPECT_FALSE(table.HasTagAt(10));
}

TEST(TagTableTest, TagCrossing2To32CoversPositionsAbove) {
  TagTable table;
  table.AddTag(Tag("Context=fido", 0xFFFFFFF0ull, 0x20));
  EXPECT_TRUE(table.IsCovered(0xFFFFFFFFull));
  EXPECT_TRUE(table.IsCovered(0x100000000ull));
  EXPECT_TRUE(table.IsCovered(0x10000000Full));
  EXPECT_FALSE(table.IsCovered(0x100000010ull));
  EXPECT_FALSE(table.IsCovered(0x10ull));
  EXPECT_EQ(table.NextBoundary(0xFFFFFFF0ull), 0x100000010ull);
  table.DropBefore(0x10000000Full);
  EXPECT_FALSE(table.IsEmpty());
  table.DropBefore(0x100000010ull);
  EXPECT_TRUE(table.IsEmpty());
  // Starts above 2^32 are not confused with small positions.
  table.AddTag(Tag("x", 0x100000005ull, 2));
  table.AddTag(Tag("y", 0x100000005ull, 0));
  EXPECT_FALSE(table.IsCovered(5));
  EXPECT_FALSE(table.HasTagAt(5));
  EXPECT_TRUE(table.IsCovered(0x100000006ull));
  EXPECT_TRUE(table.HasTagAt(0x100000005ull));
}

TEST(TagTableTest, TagsAtListsCoveringTagsThenPointTags) {
  TagTable table;
  table.AddTag(Tag("p1", 5, 0));
  table.AddTag(Tag("i1", 0, 10));
  table.AddTag(Tag("i2", 5, 1));
  table.AddTag(Tag("p2", 5, 0));
  table.AddTag(Tag("i3", 6, 3));
  table.AddTag(Tag("p3", 6, 0));
  std::vector<TagRecord> out = {Tag("stale", 0, 0)};
  table.TagsAt(5, out);
  EXPECT_EQ(Descs(out), (std::vector<std::string>{"i1", "i2", "p1", "p2"}));
  table.TagsCovering(5, out);
  EXPECT_EQ(Descs(out), (std::vector<std::string>{"i1", "i2"}));
  table.PointTagsAt(5, out);
  EXPECT_EQ(Descs(out), (std::vector<std::string>{"p1", "p2"}));
  std::list<TagRecord> list = {Tag("stale", 0, 0)};
  table.TagsAtList(6, list);
  EXPECT_EQ(Descs(list), (std::vector<std::string>{"i1", "i3", "p3"}));
  table.TagsCoveringList(6, list);
  EXPECT_EQ(Descs(list), (std::vector<std::string>{"i1", "i3"}));
  table.PointTagsAtList(6, list);
  EXPECT_EQ(Descs(list), (std::vector<std::string>{"p3"}));
  table.PointTagsAtList(7, list);
  EXPECT_TRUE(list.empty());
}

TEST(TagTableTest, NextBoundary) {
  TagTable table;
  EXPECT_EQ(table.NextBoundary(0), kNoPosition);
  table.AddTag(Tag("a", 10, 5));
  table.AddTag(Tag("p", 12, 0));
  table.AddTag(Tag("b", 20, 1));
  EXPECT_EQ(table.NextBoundary(0), 10u);
  EXPECT_EQ(table.NextBoundary(10), 12u);
  EXPECT_EQ(table.NextBoundary(12), 15u);
  EXPECT_EQ(table.NextBoundary(15), 20u);
  EXPECT_EQ(table.NextBoundary(20), 21u);
  EXPECT_EQ(table.NextBoundary(21), 0xFFFFFFFFFFFFFFFFull);
  EXPECT_EQ(table.NextBoundary(1000), kNoPosition);
}

TEST(TagTableTest, DropBefore) {
  TagTable table;
  table.AddTag(Tag("a", 0, 5));
  table.AddTag(Tag("b", 3, 10));
  table.AddTag(Tag("p", 5, 0));
  table.AddTag(Tag("q", 6, 0));
  table.DropBefore(4);
  EXPECT_EQ(Descs(table.IntervalTags()), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(Descs(table.PointTags()), (std::vector<std::string>{"p", "q"}));
  table.DropBefore(5);
  EXPECT_EQ(Descs(table.IntervalTags()), std::vector<std::string>{"b"});
  EXPECT_EQ(Descs(table.PointTags()), std::vector<std::string>{"q"});
  table.DropBefore(6);
  EXPECT_EQ(Descs(table.IntervalTags()), std::vector<std::string>{"b"});
  EXPECT_TRUE(table.PointTags().empty());
  table.DropBefore(12);
  EXPECT_FALSE(table.IsEmpty());
  table.DropBefore(13);
  EXPECT_TRUE(table.IsEmpty());
}

// --- Character sets ------------------------------------------------------------

TEST(CharSetTest, BuildAndQuery) {
  CharSet set;
  EXPECT_TRUE(BuildCharSet(set, "абв"));
  EXPECT_TRUE(BuildCharSet(set, ",:;"));
  EXPECT_TRUE(BuildCharSet(set, "."));
  EXPECT_EQ(set.classes.size(), 3u);
  EXPECT_TRUE(set.Contains('\xE1'));  // б
  EXPECT_EQ(set.IndexOf('\xE1'), 0);
  EXPECT_EQ(set.IndexOf(';'), 1);
  EXPECT_EQ(set.IndexOf('.'), 2);
  EXPECT_EQ(set.IndexOf('x'), -1);
  EXPECT_FALSE(set.Contains('x'));
  EXPECT_TRUE(set.ContainsAll("ба,."));
  EXPECT_FALSE(set.ContainsAll("ба x"));
  EXPECT_TRUE(set.ContainsAll(""));
}

TEST(CharSetTest, SharedByteOrEmptyTextAddsNothing) {
  CharSet set;
  EXPECT_TRUE(BuildCharSet(set, "abc"));
  EXPECT_FALSE(BuildCharSet(set, "xyc"));
  EXPECT_EQ(set.classes.size(), 1u);
  EXPECT_FALSE(set.Contains('x'));
  EXPECT_FALSE(BuildCharSet(set, ""));
  EXPECT_EQ(set.classes.size(), 1u);
  EXPECT_TRUE(BuildCharSet(set, std::string("\0\xFF", 2)));
  EXPECT_EQ(set.IndexOf('\0'), 1);
  EXPECT_EQ(set.IndexOf('\xFF'), 1);
}

}  // namespace
