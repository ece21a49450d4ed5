#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

#include "engine/audio_buffer.h"
#include "engine/tests/test_files.h"
#include "engine/tests/test_formats.h"

namespace {

AudioBuffer Sixteen(std::initializer_list<int16_t> samples, DWORD rate = 11025) {
  AudioBuffer buffer(Pcm(rate, 16, 1));
  for (int16_t s : samples) buffer.AppendBytes(&s, sizeof(s));
  return buffer;
}

AudioBuffer Eight(std::initializer_list<BYTE> samples) {
  AudioBuffer buffer(Pcm(8000, 8, 1));
  for (BYTE b : samples) buffer.AppendBytes(&b, 1);
  return buffer;
}

std::vector<BYTE> BytesOf(const AudioBuffer& buffer) {
  return std::vector<BYTE>(buffer.Data(), buffer.Data() + buffer.ByteCount());
}

TEST(AudioSilence, LengthFollowsRateDurationAndFrameSize) {
  AudioBuffer second = AudioBuffer::Silence(Pcm(11025, 16, 1), 1000);
  EXPECT_EQ(second.ByteCount(), 22050u);
  EXPECT_EQ(second.SampleCount(), 11025u);
  EXPECT_EQ(second.Peak(0, second.SampleCount()), 0u);
  // 1102.5 frames are truncated.
  EXPECT_EQ(AudioBuffer::Silence(Pcm(11025, 16, 1), 100).ByteCount(), 2204u);
  EXPECT_EQ(AudioBuffer::Silence(Pcm(22050, 16, 2), 10).ByteCount(), 880u);
  EXPECT_EQ(AudioBuffer::Silence(Pcm(11025, 16, 1), 0).ByteCount(), 0u);
  // 8-bit silence is the middle value.
  AudioBuffer eight = AudioBuffer::Silence(Pcm(8000, 8, 1), 5);
  EXPECT_EQ(BytesOf(eight), std::vector<BYTE>(40, 128));
  EXPECT_TRUE(eight.Format() == Pcm(8000, 8, 1));
}

TEST(AudioValues, SixteenBitFactorAndBackAreExact) {
  const AudioBuffer buffer = Sixteen({0, 1, -1, 16384, -32768, 32767});
  const std::vector<double> doubles = buffer.ToDoubles();
  const std::vector<double> expected = {0.0,  3.0517578125e-5, -3.0517578125e-5,
                                        0.5,  -1.0,            32767 * 3.0517578125e-5};
  EXPECT_EQ(doubles, expected);
  const std::vector<float> floats = buffer.ToFloats();
  ASSERT_EQ(floats.size(), 6u);
  EXPECT_EQ(floats[1], 3.0517578125e-5f);
  EXPECT_EQ(floats[4], -1.0f);

  AudioBuffer back(Pcm(11025, 16, 1));
  back.AssignDoubles(doubles);
  EXPECT_EQ(BytesOf(back), BytesOf(buffer));
  back.AssignFloats(floats);
  EXPECT_EQ(BytesOf(back), BytesOf(buffer));
  EXPECT_EQ(buffer.ToShorts(), (std::vector<int16_t>{0, 1, -1, 16384, -32768, 32767}));
}

TEST(AudioValues, BackConversionTruncatesAndHoldsTheRange) {
  AudioBuffer buffer(Pcm(11025, 16, 1));
  buffer.AssignDoubles({0.99999, -0.00004, 1.0, -1.5, 7.0, NAN});
  // 32767.67 -> 32767, -1.31 -> -1, 32768 held to 32767, below -1 held.
  EXPECT_EQ(buffer.ToShorts(), (std::vector<int16_t>{32767, -1, 32767, -32768, 32767, 0}));

  AudioBuffer eight(Pcm(8000, 8, 1));
  eight.AssignFloats({0.5f, -0.5f, -1.0f, 0.999f, 2.0f});
  EXPECT_EQ(BytesOf(eight), (std::vector<BYTE>{192, 64, 0, 255, 255}));
}

TEST(AudioValues, EightBitSamplesAreCentredAt128) {
  const AudioBuffer eight = Eight({128, 0, 255, 192});
  EXPECT_EQ(eight.ToDoubles(), (std::vector<double>{0.0, -1.0, 127.0 / 128, 0.5}));
  EXPECT_EQ(eight.ToShorts(), (std::vector<int16_t>{0, -32768, 32512, 16384}));
  AudioBuffer back(Pcm(8000, 8, 1));
  back.AssignShorts({0, -32768, 32512, 16384, 255, -255});
  EXPECT_EQ(BytesOf(back), (std::vector<BYTE>{128, 0, 255, 192, 128, 128}));
  back.AssignDoubles(eight.ToDoubles());
  EXPECT_EQ(BytesOf(back), BytesOf(eight));
}

TEST(AudioValues, ReformatConvertsTheDepthAndKeepsTheCount) {
  AudioBuffer buffer = Sixteen({0, 16384, -32768, 256, -257});
  ASSERT_TRUE(buffer.Reformat(Pcm(11025, 8, 1)));
  EXPECT_TRUE(buffer.Format() == Pcm(11025, 8, 1));
  // -257 / 256 = -1.004, truncated to -1.
  EXPECT_EQ(BytesOf(buffer), (std::vector<BYTE>{128, 192, 0, 129, 127}));
  ASSERT_TRUE(buffer.Reformat(Pcm(22050, 16, 1)));
  EXPECT_EQ(buffer.ToShorts(), (std::vector<int16_t>{0, 16384, -32768, 256, -256}));

  WaveFormat adpcm;
  WAVEFORMATEX record{2, 1, 11025, 5512, 256, 4, 0};
  adpcm.CopyFrom(&record);
  EXPECT_FALSE(buffer.Reformat(adpcm));
  EXPECT_FALSE(buffer.Reformat(Pcm(11025, 24, 1)));
  EXPECT_TRUE(buffer.Format() == Pcm(22050, 16, 1));
  EXPECT_EQ(buffer.SampleCount(), 5u);
}

TEST(AudioRanges, EraseInsertAndReadOneSample) {
  AudioBuffer buffer = Sixteen({1, 2, 3, 4, 5});
  buffer.EraseSamples(1, 2);
  EXPECT_EQ(buffer.ToShorts(), (std::vector<int16_t>{1, 4, 5}));
  buffer.EraseSamples(2, 100);
  EXPECT_EQ(buffer.ToShorts(), (std::vector<int16_t>{1, 4}));
  buffer.EraseSamples(5, 1);
  EXPECT_EQ(buffer.SampleCount(), 2u);

  ASSERT_TRUE(buffer.InsertSamples(1, Sixteen({7, 8})));
  ASSERT_TRUE(buffer.InsertSamples(4, Sixteen({9})));
  EXPECT_EQ(buffer.ToShorts(), (std::vector<int16_t>{1, 7, 8, 4, 9}));
  EXPECT_FALSE(buffer.InsertSamples(6, Sixteen({1})));
  EXPECT_FALSE(buffer.InsertSamples(0, Sixteen({1}, 22050)));
  EXPECT_EQ(buffer.SampleCount(), 5u);

  int value = 0;
  ASSERT_TRUE(buffer.GetSample(3, &value));
  EXPECT_EQ(value, 4);
  EXPECT_FALSE(buffer.GetSample(5, &value));
  AudioBuffer eight = Eight({100, 130});
  eight.EraseSamples(0, 1);
  ASSERT_TRUE(eight.GetSample(0, &value));
  EXPECT_EQ(value, 2);
}

TEST(AudioRanges, ConcatenationAdoptsTheOthersFormat) {
  AudioBuffer unformatted;
  unformatted.Append(Sixteen({5, 6}, 22050));
  EXPECT_TRUE(unformatted.Format() == Pcm(22050, 16, 1));
  unformatted.Append(Sixteen({7}));
  EXPECT_TRUE(unformatted.Format() == Pcm(22050, 16, 1));
  EXPECT_EQ(unformatted.ToShorts(), (std::vector<int16_t>{5, 6, 7}));
}

TEST(AudioRanges, HalvingKeepsEverySecondSampleOnlyFor22050Mono16) {
  AudioBuffer buffer = Sixteen({10, 11, 12, 13, 14, 15}, 22050);
  ASSERT_TRUE(buffer.HalveRate());
  EXPECT_EQ(buffer.ToShorts(), (std::vector<int16_t>{10, 12, 14}));
  EXPECT_EQ(buffer.Format().SamplesPerSec(), 11025u);
  AudioBuffer stereo(Pcm(22050, 16, 2));
  stereo.AppendZeros(8);
  EXPECT_FALSE(stereo.HalveRate());
  EXPECT_EQ(stereo.ByteCount(), 8u);
}

TEST(AudioArrays, ByteArrayInAndVariantOut) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 1, 4);
  ASSERT_NE(array, nullptr);
  void* data = nullptr;
  ASSERT_EQ(SafeArrayAccessData(array, &data), S_OK);
  std::memcpy(data, "\x01\x02\xFF\x7F", 4);
  SafeArrayUnaccessData(array);
  const AudioBuffer buffer(array, Pcm(11025, 16, 1));
  SafeArrayDestroy(array);
  EXPECT_EQ(buffer.ToShorts(), (std::vector<int16_t>{0x0201, 0x7FFF}));
  EXPECT_TRUE(buffer.Format() == Pcm(11025, 16, 1));

  VARIANT variant;
  ASSERT_EQ(buffer.ToVariant(&variant), S_OK);
  EXPECT_EQ(variant.vt, VT_ARRAY | VT_UI1);
  LONG lower = -1, upper = -1;
  ASSERT_EQ(SafeArrayGetLBound(variant.parray, 1, &lower), S_OK);
  ASSERT_EQ(SafeArrayGetUBound(variant.parray, 1, &upper), S_OK);
  EXPECT_EQ(lower, 0);
  EXPECT_EQ(upper, 3);
  ASSERT_EQ(SafeArrayAccessData(variant.parray, &data), S_OK);
  EXPECT_EQ(std::memcmp(data, "\x01\x02\xFF\x7F", 4), 0);
  SafeArrayUnaccessData(variant.parray);
  // And back again.
  const AudioBuffer again(variant.parray, buffer.Format());
  EXPECT_EQ(BytesOf(again), BytesOf(buffer));
  EXPECT_EQ(VariantClear(&variant), S_OK);
  EXPECT_EQ(buffer.ToVariant(nullptr), E_POINTER);

  // Only a vector of single bytes is taken.
  SAFEARRAY* words = SafeArrayCreateVector(VT_I2, 0, 4);
  EXPECT_EQ(AudioBuffer(words, Pcm(11025, 16, 1)).ByteCount(), 0u);
  SafeArrayDestroy(words);
  EXPECT_EQ(AudioBuffer(nullptr, Pcm(11025, 16, 1)).ByteCount(), 0u);
}

TEST(AudioFiles, RiffRoundTripThroughTheFileConstructor) {
  ScratchFile file("round_trip.wav");
  AudioBuffer written(Pcm(11025, 16, 1));
  written.AppendZeros(1000);
  ASSERT_TRUE(written.WriteWaveFile(file.Wide()));
  std::ifstream in(file.Narrow(), std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_EQ(bytes.size(), 1044u);
  EXPECT_EQ(bytes.substr(4, 4), std::string("\x0C\x04\0\0", 4));  // 1036
  EXPECT_EQ(bytes.substr(40, 4), std::string("\xE8\x03\0\0", 4));  // 1000

  const AudioBuffer read(file.Wide());
  EXPECT_TRUE(read.Format() == written.Format());
  EXPECT_EQ(BytesOf(read), BytesOf(written));

  const AudioBuffer missing(u"/nonexistent-dir/none.wav");
  EXPECT_EQ(missing.ByteCount(), 0u);
  EXPECT_EQ(missing.Format().FormatTag(), 0);
}

TEST(AudioFiles, WriterReportsAFullDisk) {
  AudioBuffer buffer(Pcm(11025, 16, 1));
  buffer.AppendZeros(100);
  EXPECT_FALSE(buffer.WriteWaveFile(u"/dev/full"));
  EXPECT_FALSE(buffer.WriteWaveFile(u"/nonexistent-dir/x.wav"));
}

}  // namespace
