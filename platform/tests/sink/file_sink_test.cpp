// The file sink compiled into the test, so that its size limit can be
// driven without writing 4 GiB.
#include "platform/wave_sink.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
using platform::wave::kRiffDataLimit;
using platform::wave::OpenFileSink;

WAVEFORMATEX Mono16(DWORD rate) {
  return WAVEFORMATEX{WAVE_FORMAT_PCM, 1, rate, 2 * rate, 2, 16, 0};
}

std::string ScratchPath(const char* name) {
  return testing::TempDir() + std::to_string(getpid()) + "_" + name;
}

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t U32At(const Bytes& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

void PutU32(std::fstream& f, std::streamoff at, uint32_t v) {
  const char bytes[4] = {static_cast<char>(v), static_cast<char>(v >> 8),
                         static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
  f.seekp(at);
  f.write(bytes, 4);
}

TEST(FileSinkLimit, TheRiffLimitKeepsBothSizesIn32Bits) {
  // Chunk size 36 + data + pad byte at most 2^32 - 1, data even.
  EXPECT_EQ(kRiffDataLimit, 4294967258u);
  EXPECT_EQ(36 + kRiffDataLimit + 1, 0xFFFFFFFFu);
}

TEST(FileSinkLimit, StopsAtTheLimitWithWholeFramesAndATrueHeader) {
  const std::string path = ScratchPath("limit.wav");
  MMRESULT error = MMSYSERR_NOERROR;
  {
    auto sink = OpenFileSink(path, Mono16(8000), true, &error, 10);
    ASSERT_NE(sink, nullptr);
    const BYTE samples[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_TRUE(sink->Write(samples, 3));   // 6 bytes
    EXPECT_FALSE(sink->Write(samples, 3));  // 2 frames fit, the third does not
    EXPECT_FALSE(sink->Write(samples, 1));  // full
    EXPECT_EQ(sink->FailureText(),
              "the WAV file " + path + " has reached the 4 GiB limit of its format");
  }
  const Bytes file = ReadFile(path);
  ASSERT_EQ(file.size(), 54u);
  EXPECT_EQ(U32At(file, 4), 46u);
  EXPECT_EQ(U32At(file, 40), 10u);
  EXPECT_EQ(Bytes(file.begin() + 44, file.end()), (Bytes{1, 2, 3, 4, 5, 6, 1, 2, 3, 4}));
  std::remove(path.c_str());
}

// A writer killed between blocks leaves a file that plays what it holds.
TEST(FileSinkLimit, TheHeaderCountsEachBlockAsTheFileGrows) {
  const std::string path = ScratchPath("blocks.wav");
  MMRESULT error = MMSYSERR_NOERROR;
  {
    auto sink = OpenFileSink(path, Mono16(8000), true, &error, kRiffDataLimit, 8);
    ASSERT_NE(sink, nullptr);
    const BYTE samples[6] = {1, 2, 3, 4, 5, 6};
    EXPECT_TRUE(sink->Write(samples, 3));
    Bytes file = ReadFile(path);
    ASSERT_EQ(file.size(), 44u);  // the first block is not full yet
    EXPECT_EQ(U32At(file, 40), 0u);
    EXPECT_TRUE(sink->Write(samples, 2));
    file = ReadFile(path);
    ASSERT_EQ(file.size(), 54u);
    EXPECT_EQ(U32At(file, 4), 46u);
    EXPECT_EQ(U32At(file, 40), 10u);
    EXPECT_TRUE(sink->Write(samples, 1));
  }
  const Bytes file = ReadFile(path);
  ASSERT_EQ(file.size(), 56u);
  EXPECT_EQ(U32At(file, 40), 12u);
  EXPECT_EQ(Bytes(file.begin() + 44, file.end()), (Bytes{1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 1, 2}));
  std::remove(path.c_str());
}

// A file this process wrote and that has grown (sparsely) to just under the
// limit takes only the bytes that keep its header true; counting in 32 bits
// would have wrapped.
TEST(FileSinkLimit, AppendingNearFourGibibytesStopsBeforeTheLimit) {
  const std::string path = ScratchPath("near_limit.wav");
  MMRESULT error = MMSYSERR_NOERROR;
  ASSERT_NE(OpenFileSink(path, Mono16(8000), true, &error), nullptr);  // closed at once
  const uint32_t nearly = static_cast<uint32_t>(kRiffDataLimit - 6);
  if (truncate(path.c_str(), 44 + static_cast<off_t>(nearly)) != 0)
    GTEST_SKIP() << "no sparse 4 GiB file here";
  {
    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
    PutU32(f, 4, 36 + nearly);
    PutU32(f, 40, nearly);
  }
  {
    auto sink = OpenFileSink(path, Mono16(8000), true, &error);
    ASSERT_NE(sink, nullptr);
    const BYTE samples[100] = {9, 9, 9, 9, 9, 9, 9, 9};
    EXPECT_FALSE(sink->Write(samples, 50));
  }
  std::ifstream in(path, std::ios::binary);
  Bytes header(44);
  in.read(reinterpret_cast<char*>(header.data()), 44);
  EXPECT_EQ(U32At(header, 40), kRiffDataLimit);
  EXPECT_EQ(U32At(header, 4), 0xFFFFFFFFu - 1);
  in.seekg(44 + static_cast<std::streamoff>(nearly));
  Bytes tail(16, 0xEE);
  in.read(reinterpret_cast<char*>(tail.data()), 16);
  EXPECT_EQ(in.gcount(), 6);
  EXPECT_EQ(Bytes(tail.begin(), tail.begin() + 6), Bytes(6, 9));
  in.close();
  std::remove(path.c_str());
}

}  // namespace
