#include "documents/lzx/lzx_decoder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "documents/litlib/lit_lzx_section.h"
#include "documents/lzx/tests/chm_reader.h"
#include "documents/lzx/tests/lzx_stream_writer.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::vector<uint8_t> Decode(LzxDecoder& decoder, const std::vector<uint8_t>& input,
                            int32_t outputLength, int* rc) {
  std::vector<uint8_t> output(outputLength);
  *rc = decoder.Decompress(input.data(), output.data(), static_cast<int32_t>(input.size()),
                           outputLength);
  return output;
}

TEST(LzxDecoder, WindowBitsOutsideTheRangeAreRefused) {
  LzxDecoder decoder;
  EXPECT_EQ(decoder.Init(14), 1);
  EXPECT_EQ(decoder.Init(22), 1);
  EXPECT_EQ(decoder.Init(15), 0);
  EXPECT_EQ(decoder.WindowSize(), 32768);
  EXPECT_EQ(decoder.Init(21), 0);
  EXPECT_EQ(decoder.WindowSize(), 1 << 21);
}

TEST(LzxDecoder, UncompressedBlocksOfOddSizeKeepTheirPadding) {
  LzxStreamWriter writer;
  writer.Header(0);
  writer.Uncompressed(Bytes("hello"));  // odd: a pad byte follows
  writer.Uncompressed(Bytes(", world"));
  LzxDecoder decoder;
  ASSERT_EQ(decoder.Init(15), 0);
  int rc = -1;
  const auto out = Decode(decoder, writer.Take(), 12, &rc);
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(std::string(out.begin(), out.end()), "hello, world");
}

TEST(LzxDecoder, E8TranslationTurnsAbsoluteTargetsBackIntoRelativeOnes) {
  std::vector<uint8_t> data(32, 0x90);
  // At 5 an absolute 100 (relative 95); at 12 an absolute -3 (file size
  // 1000: relative 997); at 20 a value outside the file stays.
  const uint8_t calls[][5] = {{0xE8, 100, 0, 0, 0}, {0xE8, 0xFD, 0xFF, 0xFF, 0xFF},
                              {0xE8, 0xE8, 0x03, 0, 0}};
  const int at[] = {5, 12, 20};
  for (int i = 0; i < 3; ++i) std::copy(calls[i], calls[i] + 5, data.begin() + at[i]);
  LzxStreamWriter writer;
  writer.Header(1000);
  writer.Uncompressed(data);
  LzxDecoder decoder;
  ASSERT_EQ(decoder.Init(15), 0);
  int rc = -1;
  const auto out = Decode(decoder, writer.Take(), 32, &rc);
  ASSERT_EQ(rc, 0);
  auto value = [&](int i) {
    return static_cast<int32_t>(out[i] | (out[i + 1] << 8) | (out[i + 2] << 16) |
                                (uint32_t(out[i + 3]) << 24));
  };
  EXPECT_EQ(value(6), 95);
  EXPECT_EQ(value(13), 997);
  EXPECT_EQ(value(21), 1000);
}

TEST(LzxDecoder, ResetStartsAFreshStreamAtTheWindowStart) {
  LzxStreamWriter first;
  first.Header(0);
  first.Uncompressed(Bytes("abc"));
  LzxStreamWriter second;
  second.Header(0);
  second.Uncompressed(Bytes("xyz"));
  LzxDecoder decoder;
  ASSERT_EQ(decoder.Init(15), 0);
  int rc = -1;
  Decode(decoder, first.Take(), 3, &rc);
  ASSERT_EQ(rc, 0);
  decoder.Reset();
  const auto out = Decode(decoder, second.Take(), 3, &rc);
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(std::string(out.begin(), out.end()), "xyz");
}

TEST(LzxDecoder, MalformedStreamsFail) {
  LzxDecoder decoder;
  ASSERT_EQ(decoder.Init(15), 0);
  int rc = 0;
  {
    LzxStreamWriter writer;  // block type 0
    writer.Header(0);
    writer.BlockHeader(0, 10);
    Decode(decoder, writer.Take(), 10, &rc);
    EXPECT_NE(rc, 0);
  }
  {
    LzxStreamWriter writer;  // a pretree of twenty 1-bit codes
    writer.Header(0);
    writer.BlockHeader(1, 10);
    for (int i = 0; i < 20; ++i) writer.Bits(1, 4);
    writer.Bits(0, 32);
    decoder.Reset();
    Decode(decoder, writer.Take(), 10, &rc);
    EXPECT_NE(rc, 0);
  }
  {
    LzxStreamWriter writer;  // fewer bytes than the block announces
    writer.Header(0);
    writer.Uncompressed(Bytes("0123456789"));
    auto bytes = writer.Take();
    bytes.resize(bytes.size() - 4);
    decoder.Reset();
    Decode(decoder, bytes, 10, &rc);
    EXPECT_NE(rc, 0);
  }
  {
    LzxStreamWriter writer;  // asks for more than the stream holds
    writer.Header(0);
    writer.Uncompressed(Bytes("ab"));
    decoder.Reset();
    Decode(decoder, writer.Take(), 100, &rc);
    EXPECT_NE(rc, 0);
  }
}

// Compiled-help files keep their pages in one LZX section with the same
// reset table; chmcmd writes them with an encoder of its own.
class ChmSection : public testing::Test {
 protected:
  void SetUp() override {
    if (std::system("command -v chmcmd >/dev/null 2>&1") != 0) {
      GTEST_SKIP() << "chmcmd (Debian package fp-utils) is not installed";
    }
  }
};

TEST_F(ChmSection, DecodedBytesEqualThePagesGivenToChmcmd) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(testing::TempDir()) / "chm";
  fs::create_directories(dir);
  std::vector<std::string> pages;
  uint32_t state = 99;
  const char* words[] = {"alpha", "beta", "gamma", "delta", "epsilon", "zeta", "eta", "theta"};
  for (int page = 0; page < 3; ++page) {
    std::ostringstream html;
    html << "<html><head><title>Page " << page << "</title></head><body>\n";
    for (int p = 0; p < 900 * (page + 1); ++p) {
      html << "<p>" << p;
      for (int w = 0; w < 12; ++w) {
        state = state * 1103515245 + 12345;
        html << ' ' << words[(state >> 16) % 8];
      }
      html << "</p>\n";
    }
    html << "</body></html>\n";
    pages.push_back(html.str());
    std::ofstream(dir / ("page" + std::to_string(page) + ".html")) << pages.back();
  }
  std::ofstream(dir / "t.hhp") << "[OPTIONS]\nCompiled file=t.chm\nDefault topic=page0.html\n"
                                  "Title=T\n\n[FILES]\npage0.html\npage1.html\npage2.html\n";
  const std::string command = "cd '" + dir.string() + "' && chmcmd t.hhp >/dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream in(dir / "t.chm", std::ios::binary);
  ChmReader chm;
  ASSERT_TRUE(chm.Open({std::istreambuf_iterator<char>(in), {}}));

  const std::string storage = "::DataSpace/Storage/MSCompressed/";
  const auto content = chm.Stored(storage + "Content");
  auto control = chm.Stored(storage + "ControlData");
  const auto table = chm.Stored(storage +
      "Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable");
  ASSERT_FALSE(content.empty());
  ASSERT_GE(control.size(), 24u);
  // The help file's control block keeps its reset interval where a LIT
  // block keeps the window; the test needs them equal.
  ASSERT_EQ(control[12], control[16]);
  control.resize(32, 0);

  uint8_t* decoded = nullptr;
  uint32_t decodedSize = 0;
  ASSERT_EQ(lit_decode_lzx_content(control.data(), 32, content.data(),
                                   static_cast<uint32_t>(content.size()), table.data(),
                                   static_cast<uint32_t>(table.size()), &decoded, &decodedSize),
            0);
  ASSERT_GT(decodedSize, 3u * 65536);  // several windows and resets
  for (int page = 0; page < 3; ++page) {
    const ChmFile& file = chm.Files().at("/page" + std::to_string(page) + ".html");
    ASSERT_EQ(file.section, 1u);
    ASSERT_LE(file.offset + file.length, decodedSize);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(decoded) + file.offset, file.length),
              pages[page]);
  }
  std::free(decoded);
}

}  // namespace
