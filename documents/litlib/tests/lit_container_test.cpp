#include <gtest/gtest.h>

#include <algorithm>

#include "documents/litlib/lit_file.h"
#include "documents/litlib/lit_lzx_section.h"
#include "documents/litlib/lit_manifest.h"
#include "documents/litlib/lit_writer.h"
#include "documents/litlib/tests/lit_test_support.h"
#include "documents/lzx/tests/lzx_stream_writer.h"

namespace {

const std::string kData = LIT_TEST_DATA;

class CalibreBook : public testing::Test {
 protected:
  void SetUp() override {
    bytes_ = ReadFixture(kData + "/book.lit");
    ASSERT_FALSE(bytes_.empty());
    lit_ = ReaderOver(bytes_);
    ASSERT_EQ(lit_read(&lit_), LIT_OK);
  }
  void TearDown() override { lit_free_directory(&lit_); }
  std::vector<uint8_t> bytes_;
  lit_file lit_;
};

TEST_F(CalibreBook, DirectoryManifestAndCompressedSection) {
  lit_manifest manifest;
  // Reading a book prints nothing: the reader's standard output is no log.
  testing::internal::CaptureStdout();
  const int read = lit_read_manifest(&lit_, &manifest);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  ASSERT_EQ(read, LIT_OK);
  ASSERT_EQ(manifest.groups[0].size(), 1u);
  EXPECT_EQ(manifest.groups[0][0].internalName, "html");
  EXPECT_EQ(manifest.groups[0][0].fileName, "book.html");
  EXPECT_EQ(manifest.groups[0][0].mimeType, "application/xhtml+xml");
  EXPECT_EQ(manifest.groups[2].size(), 4u);
  const std::string* file = lit_manifest_file_name(manifest, "page", 4);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(*file, "page_styles.css");

  int rc = 0;
  // Names compare without case; the section decodes once.
  const std::string content = GetText(&lit_, "/DATA/HTML/CONTENT", &rc);
  ASSERT_EQ(rc, LIT_OK);
  EXPECT_EQ(content.size(), 582u);
  EXPECT_NE(content.find("Second paragraph with "), std::string::npos);
  EXPECT_NE(content.find("\xD0\x9C\xD0\xB0\xD0\xBC\xD0\xB0 "), std::string::npos);  // "Мама "
  ASSERT_NE(lit_.sections, nullptr);
  ASSERT_NE(lit_.sections[1].data, nullptr);
  const uint8_t* decoded = lit_.sections[1].data;
  EXPECT_EQ(GetText(&lit_, "/data/contents/content", &rc).size(), 314u);
  EXPECT_EQ(lit_.sections[1].data, decoded);

  uint32_t size = 99;
  EXPECT_EQ(lit_get_file(&lit_, "/data/html/", nullptr, &size), LIT_OK);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(lit_get_file(&lit_, "/nothing", nullptr, &size), LIT_NOT_FOUND);
  // The encrypted section's transform is not LZX.
  EXPECT_EQ(GetText(&lit_, "/DRMStorage/ValidationStream", &rc), "");
  EXPECT_EQ(rc, LIT_TRANSFORM);
}

TEST(LitContainer, ShortAndDamagedHeadersFail) {
  std::vector<uint8_t> bytes = ReadFixture(kData + "/book.lit");
  std::vector<uint8_t> short39(bytes.begin(), bytes.begin() + 39);
  lit_file lit = ReaderOver(short39);
  EXPECT_EQ(lit_read(&lit), LIT_FORMAT);

  // Exactly the headers and the piece table: not larger than them.
  const uint32_t headers = 40 + 16 * 5 + ReadLittleEndian32(&bytes[20]);
  std::vector<uint8_t> headersOnly(bytes.begin(), bytes.begin() + headers);
  lit = ReaderOver(headersOnly);
  EXPECT_EQ(lit_read(&lit), LIT_FORMAT);

  std::vector<uint8_t> version = bytes;
  version[8] = 2;
  lit = ReaderOver(version);
  EXPECT_EQ(lit_read(&lit), LIT_VERSION);

  std::vector<uint8_t> highWord = bytes;
  highWord[40 + 16 + 4] = 1;  // piece 1 offset beyond 32 bits
  lit = ReaderOver(highWord);
  EXPECT_EQ(lit_read(&lit), LIT_TOO_BIG);

  lit_file noCallback{};
  EXPECT_EQ(lit_read(&noCallback), LIT_NO_CALLBACK);
}

// The name list says where the sections are; a directory that puts it in a
// section of its own would need it to find it (this used to recurse until
// the stack ran out).
TEST(LitContainer, NameListOutsideSectionZeroIsMalformed) {
  std::vector<uint8_t> bytes = ReadFixture(kData + "/book.lit");
  const std::string name = "::DataSpace/NameList";
  const auto at = std::search(bytes.begin(), bytes.end(), name.begin(), name.end());
  ASSERT_NE(at, bytes.end());
  ASSERT_EQ(at[name.size()], 0);  // its section, an encoded integer
  at[name.size()] = 1;
  lit_file lit = ReaderOver(bytes);
  ASSERT_EQ(lit_read(&lit), LIT_OK);
  int rc = 0;
  EXPECT_EQ(GetText(&lit, "/data/html/content", &rc), "");
  EXPECT_EQ(rc, LIT_MALFORMED);
  EXPECT_EQ(GetText(&lit, name.c_str(), &rc), "");
  EXPECT_EQ(rc, LIT_MALFORMED);
  // Section 0 still reads.
  EXPECT_EQ(GetText(&lit, "/manifest", &rc).empty(), false);
  EXPECT_EQ(rc, LIT_OK);
  lit_free_directory(&lit);
}

TEST(LitContainer, LongBookSpansSeveralWindows) {
  std::vector<uint8_t> bytes = ReadFixture(kData + "/long_book.lit");
  lit_file lit = ReaderOver(bytes);
  ASSERT_EQ(lit_read(&lit), LIT_OK);
  int rc = 0;
  const std::string content = GetText(&lit, "/data/html/content", &rc);
  ASSERT_EQ(rc, LIT_OK);
  ASSERT_EQ(content.size(), 302952u);  // more than two 128 KB windows
  EXPECT_NE(content.find("2399 "), std::string::npos);
  EXPECT_NE(content.find("1200 "), std::string::npos);
  lit_free_directory(&lit);
}

// A container written by the writer pieces and read back.
TEST(LitContainer, WrittenContainerReadsBack) {
  lit_file source{};
  ASSERT_EQ(lit_put_entry(&source, "/manifest", reinterpret_cast<const uint8_t*>("x"), 1), 0);
  const std::string page(5000, 'p');
  ASSERT_EQ(lit_put_entry(&source, "/data/page", reinterpret_cast<const uint8_t*>(page.data()),
                          static_cast<uint32_t>(page.size())),
            0);
  ASSERT_EQ(lit_put_entry(&source, "/empty", nullptr, 0), 0);
  ASSERT_EQ(lit_put_entry(&source, "/manifest", reinterpret_cast<const uint8_t*>("yz"), 2), 0);
  std::vector<uint8_t> written;
  source.handle = &written;
  source.write = WriteToVector;
  ASSERT_EQ(lit_write_file(&source), 0);

  lit_file copy = ReaderOver(written);
  ASSERT_EQ(lit_read(&copy), LIT_OK);
  int rc = 0;
  EXPECT_EQ(GetText(&copy, "/manifest", &rc), "yz");
  EXPECT_EQ(GetText(&copy, "/data/page", &rc), page);
  uint32_t size = 1;
  uint8_t* data = reinterpret_cast<uint8_t*>(&size);
  EXPECT_EQ(lit_get_file(&copy, "/empty", &data, &size), LIT_OK);
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(size, 0u);

  // A clone points back to its source; removal goes by prefix.
  lit_file clone{};
  ASSERT_EQ(lit_clone_directory(&clone, &copy), 0);
  EXPECT_EQ(lit_remove_entries(&clone, "/data/"), 1);
  EXPECT_EQ(GetText(&clone, "/manifest", &rc), "yz");
  EXPECT_EQ(lit_get_file(&clone, "/data/page", nullptr, &size), LIT_NOT_FOUND);
  lit_free_directory(&clone);
  lit_free_directory(&copy);
  lit_free_directory(&source);

  lit_file noWriter{};
  EXPECT_EQ(lit_write_entries(&noWriter), LIT_NO_CALLBACK);
}

TEST(LitContainer, DirectoryEntriesThatDoNotFitAreRefused) {
  uint8_t chunk[64] = {};
  uint32_t used = 48;
  auto* entry = static_cast<lit_entry*>(std::calloc(1, sizeof(lit_entry) + 20));
  entry->nameLength = 20;
  std::memset(entry->name, 'n', 20);
  EXPECT_EQ(lit_write_directory_entry(chunk, sizeof chunk, &used, entry), LIT_CHUNK_FULL);
  EXPECT_EQ(used, 48u);
  uint8_t small[2];
  EXPECT_EQ(lit_put_encint(small, 2, 1u << 20), LIT_ENTRY_FULL);
  EXPECT_EQ(lit_put_encint(small, 2, 300), 2);
  EXPECT_EQ(small[0], 0x82);
  EXPECT_EQ(small[1], 0x2C);
  std::free(entry);
}

std::vector<uint8_t> Control(uint32_t windowCode) {
  std::vector<uint8_t> control(32, 0);
  control[0] = 7;
  std::memcpy(&control[4], "LZXC", 4);
  control[12] = static_cast<uint8_t>(windowCode);
  return control;
}

std::vector<uint8_t> ResetTable(uint32_t total, const std::vector<uint32_t>& offsets) {
  std::vector<uint8_t> table(40, 0);
  table[12] = 40;
  for (int i = 0; i < 4; ++i) table[16 + i] = static_cast<uint8_t>(total >> (8 * i));
  table[33] = 0x80;  // blocks of 32768
  for (uint32_t offset : offsets) {
    for (int i = 0; i < 8; ++i) table.push_back(i < 4 ? static_cast<uint8_t>(offset >> (8 * i)) : 0);
  }
  return table;
}

TEST(LitLzxSection, WindowsAreDecodedBetweenResetPoints) {
  // Two 32 KB windows, each a stream of its own, then a short tail.
  std::vector<uint8_t> content;
  std::vector<uint32_t> offsets = {0};
  std::string expected;
  for (int w = 0; w < 3; ++w) {
    const size_t length = w < 2 ? 32768 : 100;
    std::vector<uint8_t> data(length, static_cast<uint8_t>('a' + w));
    LzxStreamWriter writer;
    writer.Header(0);
    writer.Uncompressed(data);
    const auto stream = writer.Take();
    content.insert(content.end(), stream.begin(), stream.end());
    offsets.push_back(static_cast<uint32_t>(content.size()));
    expected += std::string(data.begin(), data.end());
  }
  offsets.pop_back();
  const auto control = Control(1);
  const auto table = ResetTable(static_cast<uint32_t>(expected.size()), offsets);
  uint8_t* decoded = nullptr;
  uint32_t size = 0;
  ASSERT_EQ(lit_decode_lzx_content(control.data(), 32, content.data(),
                                   static_cast<uint32_t>(content.size()), table.data(),
                                   static_cast<uint32_t>(table.size()), &decoded, &size),
            0);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(decoded), size), expected);
  std::free(decoded);

  // An exact multiple of the window: the tail step has nothing to do.
  const auto exact = ResetTable(65536, {0, offsets[1]});
  ASSERT_EQ(lit_decode_lzx_content(control.data(), 32, content.data(), offsets[2], exact.data(),
                                   static_cast<uint32_t>(exact.size()), &decoded, &size),
            0);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(decoded), size), expected.substr(0, 65536));
  std::free(decoded);
}

TEST(LitLzxSection, BadControlDataAndTablesFail) {
  const std::vector<uint8_t> content(64, 0);
  const auto table = ResetTable(10, {0});
  uint8_t* decoded = nullptr;
  uint32_t size = 0;
  auto decode = [&](const std::vector<uint8_t>& control, const std::vector<uint8_t>& t) {
    return lit_decode_lzx_content(control.data(), static_cast<uint32_t>(control.size()),
                                  content.data(), 64, t.data(), static_cast<uint32_t>(t.size()),
                                  &decoded, &size);
  };
  EXPECT_EQ(decode(Control(0), table), LIT_MALFORMED);
  EXPECT_EQ(decode(Control(128), table), LIT_MALFORMED);  // 22 bits
  std::vector<uint8_t> notLzx = Control(1);
  notLzx[4] = 'X';
  EXPECT_EQ(decode(notLzx, table), LIT_FORMAT);
  EXPECT_EQ(decode(Control(1), std::vector<uint8_t>(39, 0)), LIT_FORMAT);
  auto huge = ResetTable(0x7FFFFFFF, {0});  // far beyond what 64 bytes can hold
  EXPECT_EQ(decode(Control(1), huge), LIT_FORMAT);
  auto high = ResetTable(10, {0});
  high[20] = 1;
  EXPECT_EQ(decode(Control(1), high), LIT_TOO_BIG);
  EXPECT_EQ(decoded, nullptr);
}

}  // namespace
