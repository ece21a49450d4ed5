#include <fnmatch.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "documents/booklib/annotations.h"
#include "documents/booklib/hash_table.h"
#include "documents/booklib/info_table.h"
#include "documents/booklib/rb_extras.h"
#include "documents/booklib/rule_file.h"
#include "documents/booklib/text_helpers.h"
#include "documents/buffers/mem_buffer.h"
#include "documents/buffers/xalloc.h"

namespace {

namespace fs = std::filesystem;

std::string Flatten(MemBuffer* buffer) {
  int32_t size = 0;
  char* block = membuf_flatten(buffer, &size);
  std::string text(block);
  xfree(block);
  return text;
}

TEST(Base64, Rfc4648Vectors) {
  const char* const vectors[][2] = {{"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},
                                    {"foo", "Zm9v"},  {"foob", "Zm9vYg=="},  {"fooba", "Zm9vYmE="},
                                    {"foobar", "Zm9vYmFy"}};
  for (const auto& v : vectors) {
    char buffer[16] = {};
    const int32_t n = static_cast<int32_t>(std::strlen(v[0]));
    std::memcpy(buffer, v[0], n);
    base64_encode(buffer, n);
    EXPECT_EQ(std::string(buffer, (n + 2) / 3 * 4), v[1]) << v[0];
  }
  char binary[8] = {'\xFF', '\xFE', '\x00', '\x80'};
  base64_encode(binary, 4);
  EXPECT_EQ(std::string(binary, 8), "//4AgA==");
}

TEST(Wildcard, AgreesWithFnmatch) {
  const char* const patterns[] = {"*",     "a*",    "*.txt", "?b?",    "[abc]x", "[^abc]x",
                                  "[a-c]*", "[]]x", "[^]]x", "a*b*c",  "*[0-9]", "[!a]x",
                                  "x[",    "**y",   "?",     "[z-a]"};
  const char* const names[] = {"",     "a",    "abc",  "ax",  "dx",  "]x",  "b.txt", "abbbc",
                               "file9", "x[",  "xy",   "bb",  "!x",  "a/b", "acb",   "ab"};
  for (const char* pattern : patterns) {
    for (const char* name : names) {
      // '!' opens a complement only for fnmatch; '^' for both.
      if (std::strstr(pattern, "[!") != nullptr) continue;
      EXPECT_EQ(wildcard_match(pattern, name), fnmatch(pattern, name, 0) == 0)
          << pattern << " / " << name;
    }
  }
  EXPECT_TRUE(wildcard_match("[!a]x", "!x"));  // '!' is a plain member here
  EXPECT_EQ(Flatten(wildcard_escape("a*b?[c]\\d")), "a\\*b\\?\\[c]\\\\d");
  EXPECT_STREQ(rtf_format_name(), "RTF");
}

TEST(HashTableTest, StoresReplacesWalksAndHashesUnsignedBytes) {
  HashTable* table = hash_new(101, true, true);
  EXPECT_EQ(hash_set(table, "ключ", "один"), nullptr);
  // Unsigned sum of the Windows-1251 bytes EA EB FE F7.
  EXPECT_EQ(hash_index(table, "ключ"), (0xEA + 0xEB + 0xFE + 0xF7) % 101);
  char* old = hash_set(table, "ключ", "два");
  EXPECT_STREQ(old, "один");
  xfree(old);
  EXPECT_STREQ(hash_get(table, "ключ"), "два");
  for (int i = 0; i < 1500; ++i) xfree(hash_set(table, std::to_string(i).c_str(), "v"));
  EXPECT_EQ(table->entryCount, 1501);
  hash_walk(table, [](const char* key, const char*, void*) { return key[0] == '1' ? -1 : 0; },
            nullptr);
  EXPECT_EQ(table->entryCount, 1501 - 611);  // 1, 10-19, 100-199, 1000-1499
  const char** keys = hash_keys(table);
  int count = 0;
  while (keys[count] != nullptr) ++count;
  EXPECT_EQ(count, table->entryCount);
  xfree(keys);
  char* removed = hash_remove(table, "ключ");
  EXPECT_STREQ(removed, "два");
  xfree(removed);
  EXPECT_EQ(hash_get(table, "ключ"), nullptr);
  hash_free(table);
  HashTable* single = hash_new(0, false, false);
  EXPECT_EQ(single->bucketCount, 1);
  hash_free(single);
}

TEST(HashTableTest, InvalidTableEndsTheProcess) {
  HashTable fake{};
  EXPECT_EXIT(hash_get(&fake, "x"), testing::ExitedWithCode(1), "Hash table is invalid.");
}

TEST(InfoTable, ReadsMergesAndWritesKnownKeysFirst) {
  MemBuffer* text = membuf_new(0, 0);
  membuf_append_str(text, "X=1\r\nTITLE=Книга  \nno equals\nAUTHOR=A=B\n\nURL=ebook:x\n");
  HashTable* table = info_table_read(text);
  membuf_free(text);
  EXPECT_STREQ(info_table_get(table, "AUTHOR"), "A=B");
  EXPECT_STREQ(info_table_get(table, "TITLE"), "Книга");
  HashTable* other = hash_new(101, true, true);
  xfree(hash_set(other, "TITLE", "other"));
  xfree(hash_set(other, "COMMENT", "c"));
  info_table_merge(table, other);
  hash_free(other);
  EXPECT_EQ(Flatten(info_table_text(table)),
            "COMMENT=c\nTITLE=Книга\nAUTHOR=A=B\nURL=ebook:x\nX=1\n");
  hash_free(table);
}

TEST(RuleFile, ParsesAndAppliesSubstitutions) {
  RuleSet rules;
  ASSERT_EQ(rule_file_parse("# comment\n"
                            "\"book.html\": m{ch\\d+\\.html}i:\n"
                            "{\n"
                            "  s/(\\w+)@(\\w+)/$2 at $1/g  # swap\n"
                            "  s{colou?r}{hue}i\n"
                            "}\n"
                            "/never/: { s/a/b/ }\n",
                            &rules),
            "");
  ASSERT_EQ(rules.blocks.size(), 2u);
  const char source[] = "me@home and you@work, Colour colour";
  int32_t length = static_cast<int32_t>(std::strlen(source));
  int32_t capacity = length + 1;
  char* text = static_cast<char*>(xmalloc(capacity));
  std::memcpy(text, source, capacity);
  EXPECT_EQ(rule_file_apply(rules, "CH12.HTML", &text, &length, &capacity), 3);
  EXPECT_STREQ(text, "home at me and work at you, hue colour");
  EXPECT_EQ(length, static_cast<int32_t>(std::strlen(text)));
  EXPECT_EQ(rule_file_apply(rules, "other.html", &text, &length, &capacity), 0);
  xfree(text);
}

TEST(RuleFile, FaultsAreReportedWithTheirMessages) {
  const char* const cases[][2] = {
      {"x", "Looking for file-match rule, found: x"},
      // Compiled items without a block: freed (the leak checker sees them).
      {"/a/: m{b}i:", "Looking for file-match rule, found: end of text"},
      {"/a/: /b/: x", "Looking for file-match rule, found: x"},
      {"{ s/a/b/ }", "No filename-match items found before opening brace on line 1"},
      {"\n\n{", "No filename-match items found before opening brace on line 3"},
      {"/a/: {\n s/a/b/\n", "Failed to find closing brace before EOF"},
      {"/a/: { t }", "Expecting substitution rule, found: t }"},
      {"/a/ {", "Failed to find ':' at end of file-match rule: /a/ "},
      {"/a/q:", "Invalid flag 'q' in file-match rule: /a/q"},
      {"/a/: { s/a/b/q }", "Invalid flag 'q' in substitution rule: s/a/b/q }"},
      {"/a/: { s/a/b", "Missing closing delimiter '/' before end of text in substitution rule: s/a/b"},
      {"/(/: {}", "Invalid regex in file-match rule (missing closing parenthesis): ("},
      {"/a/: { s/[/b/ }", "Invalid regex in substitution rule (missing terminating ] for character class): ["},
  };
  for (const auto& c : cases) {
    RuleSet rules;
    EXPECT_EQ(rule_file_parse(c[0], &rules), c[1]) << c[0];
  }
}

class Annotations : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = (fs::path(testing::TempDir()) / "notes").string() + "/";
    fs::create_directories(dir_);
    book_ = rb_new_book("book.rb");
    entry_ = static_cast<RbTocEntry*>(xcalloc(1, sizeof(RbTocEntry)));
    std::strcpy(entry_->name, "page.html");
    entry_->type = RB_HTML;
    book_->first = book_->last = entry_;
  }
  void TearDown() override { rb_close(book_); }
  std::string Read(const char* name) {
    std::ifstream in(dir_ + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::string dir_;
  RbBook* book_;
  RbTocEntry* entry_;
};

TEST_F(Annotations, OlderFilesRoundTrip) {
  annotation_add(book_, entry_, 'n', 0x20, 0x20, "note");
  annotation_add(book_, entry_, 'a', 0x10, 0x10, "mark");
  annotation_add(book_, entry_, 'h', 0x30, 0x38, "under");
  EXPECT_EQ(annotation_write(book_, dir_.c_str()), nullptr);
  EXPECT_EQ(Read("book.ra"), "REV=1\r\nByte=10\r\nMenu=mark\r\nBody=mark\r\n");
  EXPECT_EQ(Read("book.rn"), "REV=1\r\nByte=1f\r\nMenu=note\r\nBody=note\r\n");
  EXPECT_EQ(Read("book.rh"), "REV=2\r\nSTART=30 END=38 BODY=under\r\n");

  RbBook* copy = rb_new_book("book.rb");
  auto* page = static_cast<RbTocEntry*>(xcalloc(1, sizeof(RbTocEntry)));
  std::strcpy(page->name, "page.html");
  page->type = RB_HTML;
  copy->first = copy->last = page;
  annotation_read(copy, dir_.c_str());
  EXPECT_EQ(copy->bookmarks, 1);
  EXPECT_EQ(copy->notes, 1);
  EXPECT_EQ(copy->underlines, 1);
  std::string order;
  for (RbAnnotation* a = page->annotations; a != nullptr; a = a->next) {
    order += std::string(1, a->kind) + ":" + std::to_string(a->position) + ":" + a->text + " ";
  }
  EXPECT_EQ(order, "a:16:mark N:31:note H:48:under ");
  // Notes move to the next tag, underlines to the end of their word.
  const std::string text = std::string(31, 'x') + "  <b>" + std::string(12, 'y') + "word more";
  rb_fix_anchors(page, text.data(), static_cast<int32_t>(text.size()));
  order.clear();
  for (RbAnnotation* a = page->annotations; a != nullptr; a = a->next) {
    order += std::string(1, a->kind) + ":" + std::to_string(a->position) + " ";
  }
  EXPECT_EQ(order, "a:16 n:33 h:51 ");
  rb_close(copy);
  EXPECT_EQ(annotation_write(book_, "/nonexistent/"), std::string("Unable to write bookmark file"));
}

TEST_F(Annotations, CombinedFileAndItsFaults) {
  std::ofstream(dir_ + "book.an") << "<?xml version=\"1.0\"?>\n"
                                     "<bookmark file=\"page.html\" byte=\"1a\"/>\n"
                                     "<note file=\"page.html\" byte=\"2\">fish &amp;amp; chips</note>\n"
                                     "<underline file=\"page.html\" byte=\"3\" endbyte=\"9\">u</underline>\n";
  annotation_read(book_, dir_.c_str());
  ASSERT_NE(entry_->annotations, nullptr);
  EXPECT_EQ(entry_->notes, 1);
  EXPECT_STREQ(entry_->annotations->text, "fish &amp; chips");
  EXPECT_EQ(entry_->annotations->next->end, 9);
  EXPECT_EQ(entry_->annotations->next->next->position, 0x1a);

  std::string warnings;
  static std::string* sink;
  sink = &warnings;
  set_error_handlers(nullptr, [](const char* format, va_list args) {
    char text[256];
    std::vsnprintf(text, sizeof text, format, args);
    *sink += text;
  });
  std::ofstream(dir_ + "book.an") << "<?xml version=\"1.0\"?>\n<note file=\"page.html\">x</note>\n";
  annotation_read(book_, dir_.c_str());
  set_error_handlers(nullptr, nullptr);
  EXPECT_EQ(warnings, "Annotation file " + dir_ + "book.an is corrupt\n");
}

TEST(RbExtras, WriterOutputAndSmallRoutines) {
  const fs::path path = fs::path(testing::TempDir()) / "written.rb";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  RbTocEntry entry{};
  std::strcpy(entry.name, "a.html");
  entry.length = 0x0102;
  entry.offset = 0x03040506;
  entry.flags = 0x1FF;
  EXPECT_TRUE(rb_write_byte(file, 0xB0) && rb_write_repeated(file, 0, 2) &&
              rb_write_u16(file, 0xABCD) && rb_write_u32(file, 0x11223344) &&
              rb_write_string(file, "hi") && rb_write_block(file, "!", 1) &&
              rb_write_toc_entry(file, &entry));
  std::fclose(file);
  std::ifstream in(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), {}};
  std::string expected("\xB0\x00\x00\xCD\xAB\x44\x33\x22\x11hi!a.html", 18);
  expected.resize(18 + 26, '\0');
  expected += std::string("\x02\x01\x00\x00\x06\x05\x04\x03\xFF\x00\x00\x00", 12);
  EXPECT_EQ(bytes, expected);

  EXPECT_EQ(rb_url_type("http://x/a.HTML?q=1.txt#frag"), RB_HTML);
  EXPECT_EQ(rb_url_type("http://x/dir.d/file"), RB_MAYBE_HTML);
  EXPECT_EQ(rb_url_type("pic.png#x"), RB_IMAGE);
  rb_add_ignored_extension("epub");
  EXPECT_EQ(rb_name_type("book.EPUB"), RB_IGNORE);

  RbBook* book = rb_new_book("x");
  rb_set_writing(book, true);
  rb_close(book);  // left to its writer
  EXPECT_STREQ(book->name, "x");
  rb_set_writing(book, false);
  rb_close(book);
}

}  // namespace
