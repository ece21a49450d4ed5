#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "documents/buffers/fold_compare.h"
#include "documents/buffers/mem_buffer.h"
#include "documents/buffers/replace_log.h"
#include "documents/buffers/xalloc.h"

namespace {

std::string Flattened(MemBuffer* buffer) {
  int32_t size = 0;
  char* block = membuf_flatten(buffer, &size);
  std::string text(block);
  xfree(block);
  return text;
}

int CountChunks(const MemBuffer* buffer) {
  int n = 0;
  for (const MemChunk* c = buffer->first; c != nullptr; c = c->next) ++n;
  return n;
}

TEST(MemBufferTest, GrowsInChunkSteps) {
  MemBuffer* one = membuf_new(0, 0);
  membuf_putc(one, 'x');
  EXPECT_EQ(one->capacity, 128);
  EXPECT_STREQ(one->first->data, "x");
  membuf_free(one);

  MemBuffer* many = membuf_new(0, 0);
  const std::string text(300, 'a');
  EXPECT_EQ(membuf_append(many, text.data(), 300), 300);
  EXPECT_EQ(many->capacity, 384);
  EXPECT_EQ(CountChunks(many), 1);
  membuf_free(many);
}

TEST(MemBufferTest, LimitBoundsEveryChunkAndContentSurvives) {
  MemBuffer* buffer = membuf_new(16, 40);
  std::string expected;
  for (int i = 0; i < 50; ++i) {
    const std::string piece = std::to_string(i) + ",";
    membuf_append_pieces(buffer, {{piece.c_str(), -1}, {"", 0}, {"|", 1}});
    expected += piece + "|";
  }
  EXPECT_EQ(membuf_length(buffer), static_cast<int32_t>(expected.size()));
  for (const MemChunk* c = buffer->first; c != nullptr; c = c->next) EXPECT_LE(c->used, 40);
  EXPECT_GT(CountChunks(buffer), 1);

  char line[8];
  EXPECT_EQ(membuf_read_bytes(buffer, line, 5), 5);
  EXPECT_EQ(std::string(line, 5), expected.substr(0, 5));
  EXPECT_EQ(membuf_seek(buffer, -3, 2), static_cast<int32_t>(expected.size()) - 3);
  EXPECT_EQ(membuf_peek_byte(buffer), static_cast<unsigned char>(expected[expected.size() - 3]));
  EXPECT_EQ(membuf_seek(buffer, -1, 0), -1);
  EXPECT_EQ(membuf_seek(buffer, 100000, 0), static_cast<int32_t>(expected.size()));
  EXPECT_EQ(membuf_peek_byte(buffer), -1);

  EXPECT_EQ(membuf_write_at(buffer, 38, "ABCDEFGH", 8), 8);
  expected.replace(38, 8, "ABCDEFGH");
  EXPECT_EQ(membuf_write_at(buffer, static_cast<int32_t>(expected.size()), "x", 1), -1);
  EXPECT_EQ(Flattened(buffer), expected);
}

TEST(MemBufferTest, TruncateKeepsTheCutAndClearsTheHint) {
  MemBuffer* buffer = membuf_new(8, 8);
  membuf_append_str(buffer, "abcdefghijklmnopqrstuvwxyz");
  membuf_set_size_hint(buffer, 1000);
  EXPECT_EQ(buffer->sizeHint, 1000);
  EXPECT_EQ(membuf_truncate(buffer, 26), 26);
  EXPECT_EQ(buffer->sizeHint, 0);
  EXPECT_EQ(membuf_truncate(buffer, 27), -1);
  membuf_seek(buffer, 20, 0);
  EXPECT_EQ(membuf_truncate(buffer, 10), 10);
  EXPECT_EQ(membuf_read_position(buffer), 0);
  EXPECT_EQ(buffer->capacity - buffer->length, 6);  // room left in the cut chunk
  membuf_append_str(buffer, "XYZ");
  EXPECT_EQ(Flattened(buffer), "abcdefghijXYZ");
}

TEST(MemBufferTest, FlattenEmptyAndReadLines) {
  int32_t size = 0;
  char* empty = membuf_flatten(membuf_new(0, 0), &size);
  EXPECT_EQ(size, 1);
  EXPECT_EQ(empty[0], '\0');
  xfree(empty);

  MemBuffer* buffer = membuf_new(4, 4);
  membuf_append_str(buffer, "one\r\ntwo\rthree\nfour");
  char line[64];
  std::string lines;
  while (membuf_read_line(buffer, line, sizeof line) > 0) lines += std::string(line) + "|";
  EXPECT_EQ(lines, "one\n|two\n|three\n|four\n|");
  membuf_seek(buffer, 0, 0);
  EXPECT_EQ(membuf_read_line(buffer, line, 3), 2);
  EXPECT_STREQ(line, "on");
  membuf_free(buffer);
}

TEST(MemBufferTest, AdoptMoveAndPrependLinkBlocks) {
  MemBuffer* buffer = membuf_new(0, 0);
  membuf_append_str(buffer, "middle");
  char* front = xstrdup("front-");
  membuf_prepend_block(buffer, front, 6);
  char* adopted = static_cast<char*>(xmalloc(10));
  std::memcpy(adopted, "-end", 4);
  membuf_adopt(buffer, adopted, 4, 10);
  MemBuffer* other = membuf_new(0, 0);
  membuf_append_str(other, "+more");
  membuf_move_from(buffer, other);
  EXPECT_EQ(membuf_length(buffer), 21);
  int32_t length = 100;
  char* at = membuf_pointer_at(buffer, 8, &length);
  ASSERT_NE(at, nullptr);
  EXPECT_EQ(std::string(at, length), "ddle");
  EXPECT_EQ(membuf_pointer_at(buffer, 21, &length), nullptr);
  EXPECT_EQ(Flattened(buffer), "front-middle-end+more");
}

TEST(IntListTest, PushSetGetAndWalk) {
  IntList* list = intlist_new(2, 0);
  for (int32_t v : {5, -7, 1 << 30, 42, 0, 9}) intlist_push(list, v);
  EXPECT_EQ(intlist_count(list), 6);
  intlist_set(list, 1, 77);
  EXPECT_EQ(intlist_get(list, 1), 77);
  EXPECT_EQ(intlist_get(list, 2), 1 << 30);
  EXPECT_EQ(intlist_get(list, 6), 0);
  EXPECT_EQ(intlist_seek(list, 3), 3);
  EXPECT_EQ(intlist_next(list), 42);
  EXPECT_EQ(intlist_next(list), 0);
  EXPECT_EQ(intlist_next(list), 9);
  EXPECT_EQ(intlist_next(list), 0);
  intlist_truncate(list, 2);
  EXPECT_EQ(intlist_count(list), 2);
  intlist_free(list);
}

TEST(ReplaceLogTest, AppliesGrowingAndShrinkingReplacementsInOnePass) {
  const std::string original = "The cat sat on the mat.";
  int32_t capacity = static_cast<int32_t>(original.size()) + 1;
  char* text = static_cast<char*>(xmalloc(static_cast<size_t>(capacity)));
  std::memcpy(text, original.c_str(), original.size() + 1);
  int32_t length = static_cast<int32_t>(original.size());

  replace_log_begin(true);
  replace_log_apply(&text, &length, &capacity);
  EXPECT_EQ(std::string(text, length), original);

  replace_log_begin(true);
  replace_log_record(text, 4, 3, "tiger", 5);  // cat -> tiger
  replace_log_record(text, 8, 3, "is", 2);     // sat -> is
  replace_log_record(text, 15, 3, "a", 1);     // the -> a
  replace_log_record(text, 19, 3, "carpet", 6);
  replace_log_apply(&text, &length, &capacity);
  EXPECT_EQ(std::string(text), "The tiger is on a carpet.");
  EXPECT_EQ(length, 25);
  EXPECT_EQ(capacity, 4097);
  xfree(text);
}

TEST(FoldCompareTest, FoldsAsciiCapitalsOnly) {
  EXPECT_EQ(fold_compare("HeLLo", "hello"), 0);
  EXPECT_EQ(fold_compare("[", "{"), 0);
  EXPECT_LT(fold_compare("abc", "abd"), 0);
  EXPECT_NE(fold_compare("\xC0", "\xE0"), 0);  // Cyrillic case is not folded
  EXPECT_EQ(fold_compare_n("ABCx", "abcy", 3), 0);
  EXPECT_EQ(fold_compare_n("a", "b", 0), 0);
}

}  // namespace
