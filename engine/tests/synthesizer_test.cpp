#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>

#include "engine/pause_markers.h"
#include "engine/scale_unit.h"
#include "engine/synthesizer.h"
#include "engine/tests/test_files.h"
#include "engine/voice_writer.h"

namespace {

constexpr int16_t kPulse = 12800;
constexpr int kPeriod = 128;

// Ten periods of 128 samples, one pulse at the start of each, marked.
VoiceUnit PulseTrain(const std::string& name) {
  VoiceUnit unit{name, std::vector<int16_t>(10 * kPeriod, 0), {}};
  for (int k = 0; k < 10; ++k) {
    unit.samples[k * kPeriod] = kPulse;
    unit.marks.push_back(k * kPeriod);
  }
  return unit;
}

VoiceData TestVoice(int kind) {
  VoiceData voice;
  voice.voiceKind = kind;
  voice.units.push_back({"A", std::vector<int16_t>(400, 1000), {}});
  voice.units.push_back({"B", std::vector<int16_t>(300, -2000), {}});
  voice.units.push_back({"C", std::vector<int16_t>(200, 1000), {}});
  voice.units.push_back(PulseTrain("P"));
  return voice;
}

std::vector<int16_t> SamplesOf(const AudioBuffer& buffer) {
  std::vector<int16_t> samples(buffer.SampleCount());
  if (!samples.empty()) std::memcpy(samples.data(), buffer.Data(), buffer.ByteCount());
  return samples;
}

// Positions of the samples louder than half a pulse.
std::vector<size_t> Peaks(const std::vector<int16_t>& samples) {
  std::vector<size_t> peaks;
  for (size_t i = 0; i < samples.size(); ++i)
    if (std::abs(samples[i]) > kPulse / 2) peaks.push_back(i);
  return peaks;
}

std::vector<size_t> Spaced(size_t count, size_t step) {
  std::vector<size_t> positions;
  for (size_t i = 0; i < count; ++i) positions.push_back(i * step);
  return positions;
}

class SynthesizerTest : public ::testing::Test {
 protected:
  void Use(const VoiceData& data) {
    ASSERT_TRUE(WriteVoiceDatabase(file_.Wide(), data));
    ASSERT_EQ(voice_.Load(file_.Wide()), S_OK);
  }

  std::vector<int16_t> Render(const std::string& piece, int rate = 0, int pitch = 0,
                              int volume = 10, const SubstituteLookup& substitute = {}) {
    SynthParams params;
    params.rate = rate;
    params.pitch = pitch;
    params.volume = volume;
    buffer_.AppendZeros(10);  // stale audio must not survive
    EXPECT_TRUE(Synthesize(voice_, piece, buffer_, params, substitute));
    return SamplesOf(buffer_);
  }

  ScratchFile file_{"synthesizer_test.voice"};
  Allobase voice_;
  AudioBuffer buffer_;
};

TEST(PauseMarkerTest, NamesAndLengths) {
  EXPECT_EQ(SyntagmaEndMarker(5), "SEST1");
  EXPECT_EQ(SyntagmaEndMarker(17), "SECO8");
  EXPECT_EQ(SyntagmaEndMarker(18), "");
  EXPECT_EQ(MarkerPauseLength(1.0f, "SEST3"), 405);
  EXPECT_EQ(MarkerPauseLength(1.0f, InterWordPauseMarker()), 0);
  EXPECT_EQ(MarkerPauseLength(1.0f, "A0"), -1);
  const float fastest = static_cast<float>(1.0 / std::pow(1.117, 10.0));
  EXPECT_EQ(MarkerPauseLength(fastest, "SEST1"), 173);
}

TEST_F(SynthesizerTest, UnitsAndPausesInOrderWithFades) {
  Use(TestVoice(1));
  std::vector<int16_t> s = Render("A,SECO4,B,INWOP");
  // 400 + int(11025 × 0.150) + 300
  ASSERT_EQ(s.size(), 2353u);
  EXPECT_EQ(buffer_.Format().SamplesPerSec(), 11025u);
  EXPECT_EQ(s[0], 0);
  EXPECT_EQ(s[75], 500);
  EXPECT_EQ(s[149], 993);
  for (size_t i = 150; i < 400; ++i) ASSERT_EQ(s[i], 1000) << i;
  for (size_t i = 400; i < 2053; ++i) ASSERT_EQ(s[i], 0) << i;
  for (size_t i = 2053; i < 2203; ++i) ASSERT_EQ(s[i], -2000) << i;
  EXPECT_EQ(s[2203], -1986);
  EXPECT_EQ(s[2277], -1000);
  EXPECT_EQ(s[2352], 0);

  // Pause samples after the last unit are not part of its fade.
  s = Render("A,SEST5\n");
  ASSERT_EQ(s.size(), 400u + 1984u);
  EXPECT_EQ(s[399], 0);
  EXPECT_EQ(s[325], 493);
  EXPECT_EQ(s[249], 1000);
  EXPECT_EQ(s[250], 993);

  EXPECT_EQ(Render("SEST1"), std::vector<int16_t>(5788, 0));
  EXPECT_TRUE(Render("INWOP").empty());
  EXPECT_TRUE(Render("").empty());
}

TEST_F(SynthesizerTest, ShortPieceFadesOverHalfAndVolumeScales) {
  Use(TestVoice(1));
  std::vector<int16_t> s = Render("C");
  ASSERT_EQ(s.size(), 200u);
  EXPECT_EQ(s[50], 500);
  EXPECT_EQ(s[99], 990);
  EXPECT_EQ(s[100], 990);
  EXPECT_EQ(s[199], 0);

  s = Render("A,B", 0, 0, 5);
  ASSERT_EQ(s.size(), 700u);
  EXPECT_EQ(s[75], 250);
  EXPECT_EQ(s[200], 500);
  EXPECT_EQ(s[500], -1000);
  EXPECT_EQ(s[698], -6);  // int(int(1/150 × -2000) × 0.5)
  EXPECT_EQ(Render("A,B", 0, 0, 0), std::vector<int16_t>(700, 0));
}

TEST_F(SynthesizerTest, MissingUnitsAreSkippedOrSubstitutedForKindOne) {
  std::map<std::string, std::string> table = {{"X", "A"}, {"Y", "Z"}, {"W", ""}};
  int asked = 0;
  const SubstituteLookup lookup = [&](const std::string& name) {
    ++asked;
    return table[name];
  };

  Use(TestVoice(0));
  EXPECT_EQ(Render("X,C,Y", 0, 0, 10, lookup).size(), 200u);
  EXPECT_EQ(asked, 0);

  Use(TestVoice(1));
  EXPECT_EQ(Render("X,C", 0, 0, 10, lookup).size(), 600u);
  EXPECT_EQ(Render("Y,W,C", 0, 0, 10, lookup).size(), 200u);
  EXPECT_EQ(asked, 3);
  EXPECT_EQ(Render("X,C").size(), 200u);
}

// Pitch changes the spacing of the output periods and keeps the duration;
// rate skips or repeats periods.
TEST_F(SynthesizerTest, PitchAndRateMoveThePeriods) {
  Use(TestVoice(1));
  // Period 128 × 1.03^-10 = 95.24: windows every 95 samples until the
  // input time passes the last inner mark.
  std::vector<int16_t> s = Render("P", 0, 10);
  EXPECT_EQ(s.size(), 12u * 95 + 128);
  EXPECT_EQ(Peaks(s), Spaced(13, 95));
  // 128 × 1.03^5 = 148.39.
  s = Render("P", 0, -5);
  EXPECT_EQ(s.size(), 7u * 148 + 128);
  EXPECT_EQ(Peaks(s), Spaced(8, 148));

  // r = 1.117^10: the input time runs 387 samples per output period.
  s = Render("P", 10);
  EXPECT_EQ(s.size(), 2u * 128 + 128);
  EXPECT_EQ(Peaks(s), Spaced(3, 128));
  // r = 1.117^-10: 42.3 input samples per output period.
  s = Render("P", -10);
  EXPECT_EQ(s.size(), 27u * 128 + 128);
  EXPECT_EQ(Peaks(s), Spaced(28, 128));
}

TEST_F(SynthesizerTest, MarksBeyondTheirUnitAreClamped) {
  VoiceData bad = TestVoice(1);
  VoiceData good = TestVoice(1);
  VoiceUnit q{"Q", std::vector<int16_t>(256, 0), {}};
  q.samples[0] = q.samples[128] = kPulse;
  q.marks = {-3, 128, 5000};
  bad.units.push_back(q);
  q.marks = {0, 128, 256};
  good.units.push_back(q);

  Use(good);
  const std::vector<int16_t> expected = Render("Q,P", 0, 5);
  Use(bad);
  EXPECT_EQ(Render("Q,P", 0, 5), expected);
  EXPECT_EQ(Peaks(expected).size(), 13u);
}

std::vector<PitchMark> EveryPeriod(size_t periods, float periodScale, float timeScale) {
  std::vector<PitchMark> marks;
  for (size_t k = 0; k <= periods; ++k)
    marks.push_back({static_cast<int32_t>(k * kPeriod), 0.0f, periodScale, timeScale});
  return marks;
}

TEST(ScaleUnitTest, UnchangedRateRebuildsTheInnerPeriodsExactly) {
  std::vector<int16_t> input(10 * kPeriod);
  for (size_t i = 0; i < input.size(); ++i) input[i] = static_cast<int16_t>(static_cast<int>((i * 7919) % 20001) - 10000);
  std::vector<int16_t> samples = input;
  ScaleUnit(samples, EveryPeriod(10, 0.0f, 1.0f));
  ASSERT_EQ(samples.size(), input.size());
  // The first period mixes two periods, the last one only fades out.
  for (size_t i = kPeriod; i < input.size() - kPeriod; ++i) ASSERT_EQ(samples[i], input[i]) << i;
}

TEST(ScaleUnitTest, OverlappingWindowsSaturate) {
  for (int16_t level : {int16_t(30000), int16_t(-30000)}) {
    std::vector<int16_t> samples(10 * kPeriod, level);
    ScaleUnit(samples, EveryPeriod(10, 0.5f, 1.0f));
    ASSERT_FALSE(samples.empty());
    int low = 32767;
    int high = -32768;
    for (int16_t s : samples) {
      low = std::min<int>(low, s);
      high = std::max<int>(high, s);
    }
    if (level > 0) {
      EXPECT_GE(low, 0);
      EXPECT_EQ(high, 32767);
    } else {
      EXPECT_EQ(low, -32768);
      EXPECT_LE(high, 0);
    }
  }
}

}  // namespace
