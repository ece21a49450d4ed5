#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "engine/audio_buffer.h"
#include "engine/tests/test_files.h"
#include "engine/tests/test_formats.h"
#include "platform/message_box.h"

namespace {

TEST(WaveFormatTest, SetCompareAndCopy) {
  const WaveFormat mono = Pcm(11025, 16, 1);
  EXPECT_EQ(mono.FormatTag(), 1);
  EXPECT_EQ(mono.BlockAlign(), 2);
  EXPECT_EQ(mono.AvgBytesPerSec(), 22050u);
  EXPECT_TRUE(mono == Pcm(11025, 16, 1));
  EXPECT_FALSE(mono == Pcm(22050, 16, 1));

  // PCM copies drop a stray extra size; an oversized extra part is refused.
  WaveFormat copy;
  WAVEFORMATEX pcm{1, 1, 11025, 22050, 2, 16, 5};
  ASSERT_TRUE(copy.CopyFrom(&pcm));
  EXPECT_TRUE(copy == mono);
  MessageBoxCapture boxes;
  WAVEFORMATEX tooLong{2, 1, 11025, 5512, 256, 4, 233};
  EXPECT_FALSE(copy.CopyFrom(&tooLong));
  EXPECT_TRUE(copy == mono);
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text,
            u"Неправильный размер структуры WAVEFTORMATEX - больше MAX_ACMFMT_LEN байт");
  EXPECT_EQ(boxes.Boxes()[0].caption, u"Error");
}

TEST(AudioBufferTest, SampleCountFollowsBitsPerSample) {
  AudioBuffer eight(Pcm(8000, 8, 1));
  eight.AppendZeros(100);
  EXPECT_EQ(eight.SampleCount(), 100u);
  AudioBuffer sixteen(Pcm(8000, 16, 1));
  sixteen.AppendZeros(100);
  EXPECT_EQ(sixteen.SampleCount(), 50u);
  sixteen.Empty();
  EXPECT_TRUE(sixteen.IsEmpty());
  EXPECT_TRUE(sixteen.Format() == Pcm(8000, 16, 1));
}

TEST(AudioBufferTest, MeasuresHalvesAndTimesSamples) {
  const BYTE centred[] = {128, 20, 250, 128};
  AudioBuffer eight(Pcm(8000, 8, 1));
  eight.AppendBytes(centred, sizeof(centred));
  EXPECT_EQ(eight.Peak(0, 4), 122u);
  EXPECT_EQ(eight.Peak(3, 1), 0u);
  EXPECT_EQ(eight.DurationMs(4000), 500u);
  EXPECT_EQ(eight.Format().SamplesToText(8000 * 61 + 4000), "1:1.500");

  const int16_t samples[] = {1, -2, 3, -4, 5};
  AudioBuffer buffer(Pcm(22050, 16, 1));
  buffer.AppendBytes(samples, sizeof(samples));
  ASSERT_TRUE(buffer.HalveRate());
  const int16_t kept[] = {1, 3, 5};
  ASSERT_EQ(buffer.ByteCount(), sizeof(kept));
  EXPECT_EQ(std::memcmp(buffer.Data(), kept, sizeof(kept)), 0);
  EXPECT_TRUE(buffer.Format() == Pcm(11025, 16, 1));
  EXPECT_FALSE(buffer.HalveRate());
}

TEST(AudioBufferTest, WaveFileHasCanonicalHeaderAndReadsBack) {
  ScratchFile file("wave_file_test.wav");
  const int16_t samples[] = {0x0102, -2, 0x7FFF};
  AudioBuffer buffer(Pcm(11025, 16, 1));
  buffer.AppendBytes(samples, sizeof(samples));
  ASSERT_TRUE(buffer.WriteWaveFile(file.Wide()));
  std::ifstream in(file.Narrow(), std::ios::binary);
  const std::string written{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_EQ(written,
            std::string("RIFF\x2A\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x11\x2B\0\0\x22\x56\0\0"
                        "\x02\0\x10\0data\x06\0\0\0\x02\x01\xFE\xFF\xFF\x7F",
                        50));

  AudioBuffer read;
  ASSERT_TRUE(read.ReadWaveFile(file.Wide()));
  EXPECT_TRUE(read.Format() == buffer.Format());
  ASSERT_EQ(read.ByteCount(), sizeof(samples));
  EXPECT_EQ(std::memcmp(read.Data(), samples, sizeof(samples)), 0);

  std::ofstream(file.Narrow(), std::ios::binary) << "RIFF";
  EXPECT_FALSE(read.ReadWaveFile(file.Wide()));
}

}  // namespace
