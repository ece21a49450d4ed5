#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdarg>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "documents/buffers/mem_buffer.h"
#include "documents/buffers/xalloc.h"
#include "documents/common/output_limits.h"
#include "documents/converters.h"
#include "documents/rb/rb_book.h"
#include "platform/message_box.h"
#include "platform/unicode.h"

namespace {

namespace fs = std::filesystem;

struct Entry {
  std::string name;
  std::string data;
  int32_t flags = 0;
};

void Put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(v >> (8 * i)));
}

// Compressed entry data: chunk count, length, chunk sizes, chunks; each
// chunk a zlib stream of up to 4096 bytes (written with the default window).
std::string Compressed(const std::string& data) {
  std::vector<std::string> chunks;
  for (size_t at = 0; at < data.size(); at += 4096) {
    const std::string piece = data.substr(at, 4096);
    uLongf size = compressBound(piece.size());
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size,
              reinterpret_cast<const Bytef*>(piece.data()), piece.size(), 9);
    out.resize(size);
    chunks.push_back(out);
  }
  std::string result;
  Put32(result, static_cast<uint32_t>(chunks.size()));
  Put32(result, static_cast<uint32_t>(data.size()));
  for (const auto& c : chunks) Put32(result, static_cast<uint32_t>(c.size()));
  for (const auto& c : chunks) result += c;
  return result;
}

std::string Book(const std::vector<Entry>& entries) {
  std::string data;
  std::string toc;
  Put32(toc, static_cast<uint32_t>(entries.size()));
  const uint32_t dataStart = 32 + 4 + 44 * static_cast<uint32_t>(entries.size());
  for (const Entry& e : entries) {
    const std::string stored = (e.flags & 8) != 0 ? Compressed(e.data) : e.data;
    std::string name = e.name;
    name.resize(32, '\0');
    toc += name;
    Put32(toc, static_cast<uint32_t>(stored.size()));
    Put32(toc, dataStart + static_cast<uint32_t>(data.size()));
    Put32(toc, e.flags);
    data += stored;
  }
  std::string header("\xB0\x0C\xB0\x0C\x02\x00", 6);
  header.resize(24, '\0');
  Put32(header, 32);
  Put32(header, 0);
  return header + toc + data;
}

class RbBookTest : public testing::Test {
 protected:
  std::u16string Write(const std::string& name, const std::string& bytes) {
    const fs::path path = Dir() / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return Wide(path);
  }
  static fs::path Dir() {
    const fs::path dir = fs::path(testing::TempDir()) / "rb";
    fs::create_directories(dir);
    return dir;
  }
  static std::u16string Wide(const fs::path& path) {
    std::u16string wide;
    Utf8ToUtf16(path.string(), &wide);
    return wide;
  }
  static std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static std::vector<std::string> Names(RbBook* book) {
    std::vector<std::string> names;
    for (RbTocEntry* e = rb_first_entry(book); e != nullptr; e = rb_next_entry(e)) {
      names.push_back(rb_entry_name(e));
    }
    return names;
  }
};

TEST_F(RbBookTest, EntryTypesFromNames) {
  EXPECT_EQ(rb_name_type("x.HTM"), RB_HTML);
  EXPECT_EQ(rb_name_type("x.tar.gz"), RB_IGNORE);
  EXPECT_EQ(rb_name_type("noextension"), RB_MAYBE_HTML);
  EXPECT_EQ(rb_name_type("a.b/c"), RB_MAYBE_HTML);
  EXPECT_EQ(rb_name_type("x."), RB_MAYBE_HTML);
  EXPECT_EQ(rb_name_type("x.bin"), RB_UNKNOWN);
  EXPECT_EQ(rb_name_type("x.Jpeg"), RB_IMAGE);
  EXPECT_STREQ(rb_entry_type_name(RB_COVER_IMAGE), "COVER-IMAGE");
  EXPECT_EQ(RbTemporaryName("My Book!.html"), "My_Book_.html");
  EXPECT_EQ(RbTemporaryName("a@b#c-d+e.f/ж"), "a@b#c-d+e.f__");
}

TEST_F(RbBookTest, OpenOrdersAndFiltersEntries) {
  const auto path = Write("list.rb", Book({{"a.png", "p"},
                                           {"page.html", "<p>x</p>"},
                                           {"b.wav", "w"},
                                           {"c.png", "c", 2},
                                           {"d.info", "TITLE=t", 2},
                                           {"e.hidx", "i"}}));
  RbBook* book = rb_open(path.c_str(), "1.txt", 0);
  ASSERT_NE(book, nullptr);
  EXPECT_EQ(Names(book), (std::vector<std::string>{"d.info", "c.png", "page.html"}));
  rb_close(book);
  book = rb_open(path.c_str(), "1.txt", RB_KEEP_IMAGES | RB_KEEP_INDEXES);
  EXPECT_EQ(Names(book),
            (std::vector<std::string>{"d.info", "c.png", "a.png", "page.html", "e.hidx"}));
  rb_close(book);

  book = rb_open(Write("only.rb", Book({{"page.html", "x"}})).c_str(), "1.txt", 0);
  ASSERT_NE(book, nullptr);
  EXPECT_EQ(Names(book), (std::vector<std::string>{"bogus.info", "page.html"}));
  EXPECT_EQ(rb_entry_type_of(rb_first_entry(book)), RB_INFO);
  rb_close(book);
}

std::string g_warnings;
void CaptureWarning(const char* format, va_list args) {
  char text[256];
  std::vsnprintf(text, sizeof text, format, args);
  g_warnings += text;
}

TEST_F(RbBookTest, DamagedBooksAreRefusedWithAWarning) {
  set_error_handlers(nullptr, CaptureWarning);
  g_warnings.clear();
  EXPECT_EQ(rb_open(Write("bad.rb", "not a book").c_str(), "1.txt", 0), nullptr);
  std::string huge = Book({{"page.html", "x"}});
  huge[32] = '\xFF';  // an entry count far beyond the file
  huge[35] = '\x7F';
  EXPECT_EQ(rb_open(Write("huge.rb", huge).c_str(), "1.txt", 0), nullptr);
  EXPECT_EQ(rb_open(Write("empty.rb", Book({{"a.png", "p"}})).c_str(), "1.txt", 0), nullptr);
  EXPECT_EQ(rb_open(Wide(Dir() / "missing.rb").c_str(), "1.txt", 0), nullptr);
  set_error_handlers(nullptr, nullptr);
  EXPECT_EQ(g_warnings,
            "1.txt is not in the proper format\n1.txt is not in the proper format\n"
            "1.txt has no contentsUnable to open 1.txt\n");
}

void RecordPiece(void* sink, const char* bytes, int32_t length) {
  auto* pieces = static_cast<std::vector<std::string>*>(sink);
  pieces->emplace_back(bytes, length);
}

TEST_F(RbBookTest, CompressedEntriesInflateChunkByChunk) {
  std::string text;
  for (int i = 0; text.size() < 10000; ++i) text += std::to_string(i) + ' ';
  text.resize(10000);
  RbBook* book = rb_open(Write("z.rb", Book({{"page.html", text, 8}})).c_str(), "1.txt", 0);
  ASSERT_NE(book, nullptr);
  RbTocEntry* page = rb_next_entry(rb_first_entry(book));
  std::vector<std::string> pieces;
  EXPECT_EQ(rb_read_entry(book, page, &pieces, RecordPiece), 0);
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0].size(), 4096u);
  EXPECT_EQ(pieces[1].size(), 4096u);
  EXPECT_EQ(pieces[2].size(), 1808u);
  EXPECT_EQ(pieces[0] + pieces[1] + pieces[2], text);

  MemBuffer* buffer = membuf_new(0, 0);
  rb_read_entry(book, page, buffer, nullptr);
  int32_t size = 0;
  char* flat = membuf_flatten(buffer, &size);
  EXPECT_EQ(std::string(flat), text);
  xfree(flat);
  rb_close(book);
}

TEST_F(RbBookTest, ChunkTablesLargerThanTheEntryDeliverNothing) {
  std::string bad = Book({{"page.html", "abc", 8}});
  // The chunk count of the only entry: far more chunks than bytes.
  const size_t data = 32 + 4 + 44;
  bad[data + 3] = '\x10';
  // ... and a stored length far beyond the file.
  bad[32 + 4 + 32 + 3] = '\x7F';
  RbBook* book = rb_open(Write("chunks.rb", bad).c_str(), "1.txt", 0);
  ASSERT_NE(book, nullptr);
  std::vector<std::string> pieces;
  rb_read_entry(book, rb_next_entry(rb_first_entry(book)), &pieces, RecordPiece);
  EXPECT_TRUE(pieces.empty());
  rb_close(book);
}

TEST_F(RbBookTest, JoinedPagesSplitIntoSlices) {
  const std::string joined =
      "<HTML><BODY><A NAME=\"one\">first\n<HR SIZE=0><A NAME=\"two\">second</BODY>";
  const auto path = Write("j.rb", Book({{"info.info", "TITLE=t", 2}, {"j1.html", joined, 8}}));
  RbBook* book = rb_open(path.c_str(), "1.txt", RB_SPLIT_JOINED);
  ASSERT_NE(book, nullptr);
  EXPECT_EQ(Names(book), (std::vector<std::string>{"info.info", "one.html", "two.html"}));
  RbTocEntry* two = rb_next_entry(rb_next_entry(rb_first_entry(book)));
  EXPECT_EQ(rb_entry_flags(two), 0x108);
  std::vector<std::string> pieces;
  rb_read_entry(book, two, &pieces, RecordPiece);
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_EQ(pieces[0], "\n<HR SIZE=0><A NAME=\"two\">second</BODY>");
  rb_close(book);
}

TEST_F(RbBookTest, ConvertJoinsEntriesInOrder) {
  const auto source = Write("conv.rb", Book({{"info.info", "TITLE=t ", 2},
                                             {"a b.html", "<p>one</p>", 8},
                                             {"a!b.html",
                                              "<script>for(i=0;i<n;i++){}</script><p>two</p>"},
                                             {"skip.html", "<p>never</p>", 9},
                                             {"pic.png", "PNG"},
                                             {"img.html",
                                              "<img src=\"data:image/png;base64," +
                                                  std::string(20000, 'Q') + "\">three",
                                              8}}));
  const fs::path target = Dir() / "conv.rb.auto";
  ASSERT_TRUE(ConvertRbToText(source.c_str(), Wide(target).c_str()));
  // Both entries whose names sanitize alike are kept; a page's script is
  // no text, and what follows it is; an image's data is no text however
  // long.
  EXPECT_EQ(ReadAll(target), "TITLE=t one\ntwo\nthree");
  for (const auto& item : fs::directory_iterator(Dir())) {
    EXPECT_EQ(item.path().filename().string().find("zzz"), std::string::npos);
    EXPECT_NE(item.path().filename(), "a_b.html");
  }
  EXPECT_FALSE(ConvertRbToText(Write("broken.rb", "xx").c_str(), Wide(Dir() / "b.txt").c_str()));
  EXPECT_FALSE(fs::exists(Dir() / "b.txt"));
}

// A damaged book says once why it gives no text, or which of its entries
// were left out, naming the user's document and nothing else.
TEST_F(RbBookTest, DamagedBooksSayWhyNamingTheDocument) {
  MessageBoxCapture boxes;
  testing::internal::CaptureStderr();
  const fs::path target = Dir() / "damaged.txt";
  auto convert = [&](const std::string& name, const std::string& bytes) {
    return ConvertRbToText(Write(name, bytes).c_str(), Wide(target).c_str());
  };
  EXPECT_FALSE(convert("broken.rb", "not a book at all, not even a header"));
  EXPECT_FALSE(convert("pictures.rb", Book({{"a.png", "p"}})));
  EXPECT_FALSE(convert("blank.rb", Book({{"i.info", " \t ", 2}, {"p.html", "<p> . , </p>"}})));
  EXPECT_FALSE(fs::exists(target));
  // The page lies past the end of the file: the info entry is read, and
  // the page said to be missing.
  std::string cut = Book({{"info.info", "TITLE=t", 2}, {"page.html", "<p>text</p>"}});
  cut.resize(cut.size() - 11);
  EXPECT_TRUE(convert("cut.rb", cut));
  EXPECT_EQ(ReadAll(target), "TITLE=t");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  const std::u16string stop = u"Conversion stopped: no text could be taken out of the book. ";
  EXPECT_EQ(boxes.Texts(),
            (std::vector<std::u16string>{
                u"Conversion stopped: broken.rb is not in the proper format: it is no RB book, "
                u"or its header or table of contents is damaged.",
                stop + u"pictures.rb has no contents: its table of contents lists no entry to "
                       u"read.",
                stop + u"None of its entries holds a letter or digit.",
                u"Warning: entries of cut.rb cannot be read and were left out: page.html (it "
                u"lies past the end of the file)."}));
}

// A small book whose entries decode to more than the largest document the
// reader opens stops the conversion and leaves nothing behind.
TEST_F(RbBookTest, EntriesBeyondTheOutputLimitStopTheConversion) {
  const std::string text(3 << 20, 'a');
  const auto source = Write("bomb.rb", Book({{"page.html", text, 8}}));
  ASSERT_LT(fs::file_size(Dir() / "bomb.rb"), 100000u);
  const fs::path target = Dir() / "bomb.txt";
  MessageBoxCapture boxes;
  OutputLimits limits;
  limits.largestFile = 2 << 20;
  {
    ScopedOutputLimits scoped(limits);
    EXPECT_FALSE(ConvertRbToText(source.c_str(), Wide(target).c_str()));
  }
  EXPECT_FALSE(fs::exists(target));
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text,
            u"Stopped: the file would be larger than 2 MB, the largest document the reader "
            u"opens. Nothing was kept.");
  limits.largestFile = 4 << 20;
  ScopedOutputLimits scoped(limits);
  ASSERT_TRUE(ConvertRbToText(source.c_str(), Wide(target).c_str()));
  EXPECT_EQ(ReadAll(target), text);
}

TEST_F(RbBookTest, CalibreBookBecomesText) {
  const fs::path target = Dir() / "book.txt";
  const std::u16string source = Wide(fs::path(RB_TEST_DATA) / "book.rb");
  ASSERT_TRUE(ConvertRbToText(source.c_str(), Wide(target).c_str()));
  EXPECT_EQ(ReadAll(target),
            "TYPE=2 TITLE=Test book AUTHOR=Unknown GENERATOR=calibre - 6.13.0 PARSE=1 OUTPUT=1 "
            "BODY=index.html\n\nГлава первая\nМама мыла раму. Папа читал газету & пил чай.\n"
            "Second paragraph with bold text and a link.\nЁлка стоит во дворе.\n");
}

}  // namespace
