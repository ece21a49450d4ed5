#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "documents/converters.h"
#include "documents/lit/lit_extract.h"
#include "documents/lit/lit_html_rebuild.h"
#include "documents/litlib/lit_writer.h"
#include "documents/litlib/tests/lit_test_support.h"
#include "platform/message_box.h"
#include "platform/unicode.h"

namespace {

namespace fs = std::filesystem;
const std::string kData = LIT_TEST_DATA;

int32_t Collect(void* handle, const char* bytes, int32_t count) {
  static_cast<std::string*>(handle)->append(bytes, count);
  return count;
}

// Tag streams are written as UTF-8 characters; u8 keeps them so.
std::string Rebuild(const std::u8string& stream, const lit_manifest* manifest, int32_t* rc,
                    bool package = false) {
  std::string out;
  *rc = lit_reconstruct_html(reinterpret_cast<const uint8_t*>(stream.data()), 0,
                             static_cast<uint32_t>(stream.size()), package, manifest, Collect,
                             &out);
  return out;
}

std::u8string S(std::initializer_list<char8_t> bytes) { return std::u8string(bytes); }

TEST(LitRebuild, TagsAttributesTextAndBlanks) {
  int32_t rc = 0;
  // <p>(block) "a  " <br/> "b" </p>; blanks stay before the tag that
  // follows them; a blank after a block's closing tag is dropped.
  const std::u8string stream = S({0, 5, 74, 0}) + u8"a  " + S({0, 3, 17, 0}) + u8"b" +
                               S({0, 2, 74}) + u8" c";
  EXPECT_EQ(Rebuild(stream, nullptr, &rc), "<p>\na  <br />b</p>\nc");
  EXPECT_EQ(rc, static_cast<int32_t>(stream.size()));
  // Blanks around inline elements stay: "with <b>bold </b> text <a>x</a>."
  const std::u8string inline_ = u8"with " + S({0, 1, 8, 0}) + u8"bold " + S({0, 2, 8}) +
                                u8" text " + S({0, 1, 3, 0}) + u8"x" + S({0, 2, 3}) + u8".";
  EXPECT_EQ(Rebuild(inline_, nullptr, &rc), "with <b>bold </b> text <a>x</a>.");
  EXPECT_EQ(rc, static_cast<int32_t>(inline_.size()));

  // Entities, code points above 127, a numeric value and an unknown tag.
  const std::u8string entities = S({0, 1, 120, 0x8F, 0x81}) + u8"\x03" + u8"\"&" + S({0}) +
                                 u8"<ё>" + S({0, 2, 120});
  // 0x8F 0x81... is not UTF-8: the stream is refused.
  EXPECT_EQ(Rebuild(entities, nullptr, &rc), "<?120?");
  EXPECT_EQ(rc, LIT_BAD_UTF8);
  const std::u8string good = S({0, 1, 3}) + u8"\u03EC\uFFFF" + S({43, 0}) + u8"<ё>\"" +
                             S({0, 2, 3});
  EXPECT_EQ(Rebuild(good, nullptr, &rc), "<a target=\"42\">&lt;&#1105;&gt;&quot;</a>");
}

TEST(LitRebuild, LinksCustomNamesAndFaults) {
  lit_manifest manifest;
  manifest.groups[2].push_back({"pic", "images/pic.png", "image/png", 0});
  int32_t rc = 0;
  // <a href="pic#top" custom="v">: href is attribute 1 of tag 3.
  const std::u8string stream = S({0, 1, 3, 1, 8}) + u8"pic#top" + u8"\u8000" + S({7}) +
                               u8"custom" + S({2}) + u8"v" + S({0}) + u8"x" + S({0, 2, 3});
  EXPECT_EQ(Rebuild(stream, &manifest, &rc),
            "<a href=\"images/pic.png#top\" custom=\"v\">x</a>");
  EXPECT_EQ(rc, static_cast<int32_t>(stream.size()));

  // Lengths running past the stream are refused.
  EXPECT_EQ(Rebuild(S({0, 1, 3, 1, 90}) + u8"pic", &manifest, &rc), "<a href=");
  EXPECT_EQ(rc, LIT_MALFORMED);
  Rebuild(S({0, 1}) + u8"\u8000" + S({60}) + u8"ab", nullptr, &rc);
  EXPECT_EQ(rc, LIT_MALFORMED);
  Rebuild(S({0, 1, 3}) + u8"\u8000" + S({30}) + u8"ab", nullptr, &rc);
  EXPECT_EQ(rc, LIT_MALFORMED);
  // A closing tag at the outermost level, bad flags, nesting too deep.
  Rebuild(S({0, 2, 3}), nullptr, &rc);
  EXPECT_EQ(rc, LIT_MALFORMED);
  Rebuild(S({0, 16, 3}), nullptr, &rc);
  EXPECT_EQ(rc, LIT_MALFORMED);
  std::u8string deep;
  for (int i = 0; i < 101; ++i) deep += S({0, 1, 31, 0});
  Rebuild(deep, nullptr, &rc);
  EXPECT_EQ(rc, -2);
  // Package mode: names from the package set, silent attributes.
  const std::u8string package = S({0, 1, 1, 3, 2}) + u8"g" + S({6, 2}) + u8"x" + S({0}) +
                                S({0, 2, 1});
  EXPECT_EQ(Rebuild(package, nullptr, &rc, true), "\n<package id=\"x\">\n</package>");
}

TEST(LitExtract, FileNamesKeepTheirLastComponent) {
  EXPECT_EQ(LitSafeFileName("text/part1.html"), "part1.html");
  EXPECT_EQ(LitSafeFileName("C:book?.html"), "book_.html");
  EXPECT_EQ(LitSafeFileName("/a\\b;c|d.htm"), "b_c_d.htm");
  EXPECT_EQ(LitSafeFileName("dir/.."), "");
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::u16string Wide(const fs::path& path) {
  std::u16string wide;
  Utf8ToUtf16(path.string(), &wide);
  return wide;
}

TEST(ConvertLitToText, CalibreBookBecomesText) {
  const fs::path dir = fs::path(testing::TempDir()) / "lit";
  fs::create_directories(dir);
  fs::copy_file(kData + "/book.lit", dir / "book.lit", fs::copy_options::overwrite_existing);
  const fs::path target = dir / "book.lit.auto";
  ASSERT_TRUE(ConvertLitToText(Wide(dir / "book.lit").c_str(), Wide(target).c_str()));
  EXPECT_EQ(ReadAll(target),
            "\nТестовая книга\n"
            "Глава первая\nМама мыла раму. Папа читал газету & пил чай.\n"
            "Second paragraph with bold text and a link.\n"
            "Ёлка стоит во дворе.\n");
  // Nothing is left beside the book.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);

  fs::copy_file(kData + "/book.lit", dir / "book.bin");
  EXPECT_FALSE(ConvertLitToText(Wide(dir / "book.bin").c_str(), Wide(dir / "x.txt").c_str()));
  EXPECT_FALSE(fs::exists(dir / "x.txt"));
}

// A container holding a manifest (documents in group 0, then group 1), the
// documents' tag streams, and a package when it is given.
struct BookDocument {
  std::string id;
  std::string fileName;
  std::u8string stream;  // empty: listed, but not stored
  int group = 0;
};

std::string Counted(const std::string& text) { return static_cast<char>(text.size()) + text; }

std::vector<uint8_t> WriteBook(const std::vector<BookDocument>& documents,
                               const std::u8string& package = {}) {
  std::string manifest = Counted("/");
  for (int group = 0; group < 4; ++group) {
    std::string items;
    uint32_t count = 0;
    for (const BookDocument& d : documents) {
      if (d.group != group) continue;
      ++count;
      items += std::string(4, '\0') + Counted(d.id) + Counted(d.fileName) +
               Counted("text/html") + '\0';
    }
    for (int i = 0; i < 4; ++i) manifest += static_cast<char>(count >> (8 * i));
    manifest += items;
  }
  manifest += '\0';
  lit_file book{};
  auto put = [&](const std::string& name, const void* bytes, size_t size) {
    EXPECT_EQ(lit_put_entry(&book, name.c_str(), static_cast<const uint8_t*>(bytes),
                            static_cast<uint32_t>(size)),
              0);
  };
  put("/manifest", manifest.data(), manifest.size());
  if (!package.empty()) put("/meta", package.data(), package.size());
  for (const BookDocument& d : documents) {
    if (!d.stream.empty()) put("/data/" + d.id + "/content", d.stream.data(), d.stream.size());
  }
  std::vector<uint8_t> written;
  book.handle = &written;
  book.write = WriteToVector;
  EXPECT_EQ(lit_write_file(&book), 0);
  lit_free_directory(&book);
  return written;
}

// <p>text</p>
std::u8string Paragraph(const std::u8string& text) {
  return S({0, 5, 74, 0}) + text + S({0, 2, 74});
}

// <package><spine><itemref idref="..." />...</spine></package>
std::u8string Spine(const std::vector<std::string>& idrefs) {
  std::u8string stream = S({0, 1, 1, 0, 0, 1, 18, 0});
  for (const std::string& idref : idrefs) {
    stream += S({0, 3, 19, 10, static_cast<char8_t>(idref.size() + 1)}) +
              std::u8string(idref.begin(), idref.end()) + S({0});
  }
  return stream + S({0, 2, 18, 0, 2, 1});
}

std::string ConvertBook(const std::vector<uint8_t>& bytes, const std::string& name) {
  const fs::path dir = fs::path(testing::TempDir()) / "chapters";
  fs::create_directories(dir);
  std::ofstream(dir / name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
  const fs::path target = dir / (name + ".auto");
  fs::remove(target);
  EXPECT_TRUE(ConvertLitToText(Wide(dir / name).c_str(), Wide(target).c_str())) << name;
  return ReadAll(target);
}

// A book of one document per chapter is read whole, in the order of its
// package's spine, or of its manifest when it has none; a document that
// cannot be read is named.
TEST(ConvertLitToText, EveryChapterInReadingOrder) {
  const std::vector<BookDocument> chapters = {
      {"c1", "text/chapter1.html", Paragraph(u8"Глава первая. Начало книги.")},
      {"c2", "chapter2.html", Paragraph(u8"Глава вторая.")},
      {"c3", "chapter3.html", Paragraph(u8"Глава третья. Конец.")}};
  MessageBoxCapture boxes;
  EXPECT_EQ(ConvertBook(WriteBook(chapters), "three.lit"),
            "Глава первая. Начало книги.\nГлава вторая.\nГлава третья. Конец.\n");
  EXPECT_EQ(ConvertBook(WriteBook(chapters, Spine({"c3", "c1", "nothing", "c2", "c3"})),
                        "spine.lit"),
            "Глава третья. Конец.\nГлава первая. Начало книги.\nГлава вторая.\n");
  EXPECT_EQ(boxes.Count(), 0u);

  // Group 1 follows group 0; a document not stored is left out and named.
  std::vector<BookDocument> damaged = chapters;
  damaged[0].group = 1;
  damaged.push_back({"c4", "notes.html", {}});
  EXPECT_EQ(ConvertBook(WriteBook(damaged), "damaged.lit"),
            "Глава вторая.\nГлава третья. Конец.\nГлава первая. Начало книги.\n");
  EXPECT_EQ(boxes.Texts(), (std::vector<std::u16string>{
                               u"Warning: documents of damaged.lit cannot be read and were left "
                               u"out: notes.html."}));

  // Of many, the first ten are named.
  for (int i = 0; i < 11; ++i) damaged.push_back({"n" + std::to_string(i), "n" + std::to_string(i), {}});
  boxes.Clear();
  ConvertBook(WriteBook(damaged), "many.lit");
  EXPECT_EQ(boxes.Texts(), (std::vector<std::u16string>{
                               u"Warning: documents of many.lit cannot be read and were left "
                               u"out: notes.html, n0, n1, n2, n3, n4, n5, n6, n7, n8 and 2 more."}));
}

TEST(ConvertLitToText, LongBookKeepsEveryParagraph) {
  const fs::path dir = fs::path(testing::TempDir()) / "long";
  fs::create_directories(dir);
  fs::copy_file(kData + "/long_book.lit", dir / "long.lit", fs::copy_options::overwrite_existing);
  ASSERT_TRUE(ConvertLitToText(Wide(dir / "long.lit").c_str(), Wide(dir / "long.txt").c_str()));
  // The paragraphs of make_long_book.py.
  const char* words[] = {"мама", "мыла", "раму", "папа", "читал", "газету", "кот",
                         "спал", "на",   "окне", "дом",  "стоял", "у",      "реки"};
  std::string expected;
  uint64_t state = 12345;
  for (int number = 0; number < 2400; ++number) {
    expected += std::to_string(number);
    for (int w = 0; w < 12; ++w) {
      state = (state * 1103515245 + 12345) % (uint64_t{1} << 31);
      expected += std::string(" ") + words[state % 14];
    }
    expected += ".\n";
  }
  EXPECT_EQ(ReadAll(dir / "long.txt"), "\nLong\n" + expected);
}

}  // namespace
