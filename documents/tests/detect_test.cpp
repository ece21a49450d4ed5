#include <gtest/gtest.h>

#include <filesystem>

#include "documents/common/document_kind.h"
#include "documents/common/path_names.h"
#include "documents/tests/test_files.h"

namespace {

DocumentKind KindOf(const std::string& name, const std::string& bytes = "text") {
  const std::string path = Scratch(name);
  WriteBytes(path, bytes);
  return DetectDocumentKind(Wide(path));
}

std::string PalmHeader(const char* type, const char* creator, uint16_t compression,
                       uint16_t count) {
  std::string h(78, '\0');
  h.replace(60, 4, type);
  h.replace(64, 4, creator);
  h[77] = 1;
  h += std::string("\0\0\0\x56\0\0\0\0", 8);  // record 0 at 86
  std::string r0(16, '\0');
  r0[0] = static_cast<char>(compression >> 8);
  r0[1] = static_cast<char>(compression & 0xFF);
  r0[9] = static_cast<char>(count);
  return h + r0;
}

TEST(DocumentKindTest, NamesAndContent) {
  EXPECT_EQ(KindOf("book.FB2"), kFb2);
  EXPECT_EQ(KindOf("book.fB2"), kFb2);
  EXPECT_EQ(KindOf("book.fb"), kPlainText);
  EXPECT_EQ(KindOf("page.HTML"), kXmlHtml);
  EXPECT_EQ(KindOf("data.xml"), kXmlHtml);
  EXPECT_EQ(KindOf("html"), kXmlHtml);  // no dot: the whole name is the extension
  EXPECT_EQ(KindOf("a.htmlx"), kPlainText);
  EXPECT_EQ(KindOf("C.ZIP"), kZipArchive);
  EXPECT_EQ(KindOf("x.Lit"), kLit);
  EXPECT_EQ(KindOf("x.rb"), kRb);
  EXPECT_EQ(KindOf("x.rtf"), kRtf);
  EXPECT_EQ(KindOf("fake.zip", "!!8-Bit!!rest"), kTcr);
  EXPECT_EQ(KindOf("pd.txt", PalmHeader("TEXt", "REAd", 2, 3)), kPalmDoc);
  EXPECT_EQ(KindOf("zero.txt", PalmHeader("TEXt", "REAd", 17480, 0)), kPalmDoc);
  EXPECT_EQ(KindOf("other.txt", PalmHeader("BOOK", "REAd", 2, 3)), kPlainText);
  EXPECT_EQ(KindOf("odd.txt", PalmHeader("TEXt", "REAd", 5, 3)), kPlainText);

  std::filesystem::create_directory(Scratch("folder.rtf"));
  EXPECT_EQ(DetectDocumentKind(Wide(Scratch("folder.rtf"))), kPlainText);
  EXPECT_FALSE(IsZipFileName(Wide(Scratch("missing.zip"))));
  EXPECT_FALSE(IsRbFileName(u".rb"));
}

// The shortest names that count: five characters, four for "rb", taken as
// given (a relative path in the current folder).
TEST(DocumentKindTest, ShortestNamesByLength) {
  const std::filesystem::path folder = Scratch("short");
  std::filesystem::create_directories(folder);
  for (const char* name : {"C.ZIP", ".zip", "a.rb", ".rb", "b.rtf", ".rtf", "c.lit", ".lit"}) {
    WriteBytes((folder / name).string(), "text");
  }
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  EXPECT_EQ(DetectDocumentKind(u"C.ZIP"), kZipArchive);
  EXPECT_EQ(DetectDocumentKind(u".zip"), kPlainText);
  EXPECT_EQ(DetectDocumentKind(u"a.rb"), kRb);
  EXPECT_EQ(DetectDocumentKind(u".rb"), kPlainText);
  EXPECT_EQ(DetectDocumentKind(u"b.rtf"), kRtf);
  EXPECT_EQ(DetectDocumentKind(u".rtf"), kPlainText);
  EXPECT_EQ(DetectDocumentKind(u"c.lit"), kLit);
  EXPECT_EQ(DetectDocumentKind(u".lit"), kPlainText);
  std::filesystem::current_path(before);
}

TEST(PathNamesTest, ExtensionFolderAndName) {
  EXPECT_EQ(GetPathExtension(u"/a/b/book.fb2"), u"fb2");
  EXPECT_EQ(GetPathExtension(u"\\My Documents\\a.b."), u"b");
  EXPECT_EQ(GetPathExtension(u"/dir.x/file"), u"file");
  EXPECT_EQ(GetPathExtension(u"/dir/"), u"");
  EXPECT_EQ(GetPathExtension(u""), u"");
  EXPECT_EQ(GetPathFolder(u"\\F\\book.txt"), u"/F/");
  EXPECT_EQ(GetPathFolder(u"/home/u/book.txt"), u"/home/u/");
  EXPECT_EQ(GetPathFolder(u"/book.txt"), u"/");
  EXPECT_EQ(GetPathFolder(u"book.txt"), u"");
  EXPECT_EQ(GetPathFolder(u"/home/"), u"/home/");
  EXPECT_EQ(GetPathFileName(u"/home/u/book.txt"), u"book.txt");
  EXPECT_EQ(GetPathFileName(u"/home/u/"), u"");
}

}  // namespace
