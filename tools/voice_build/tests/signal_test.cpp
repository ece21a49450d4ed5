#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "tools/voice_build/alignment.h"
#include "tools/voice_build/pitch_marks.h"
#include "tools/voice_build/unit_cutter.h"

namespace {

PhoneLabel Label(const char* name, int32_t start, int32_t end) { return PhoneLabel{name, start, end}; }

TEST(AlignmentTest, PausesAtWordBoundariesAndMissingPhones) {
  // "кот идёт" said as k oo t pau y d oo t, with the soft d heard hard.
  const std::vector<std::string> phonemes = {"K", "O0", "T", "Y1", "D'", "O0", "T"};
  const std::vector<bool> boundary = {true, false, false, true, false, false, false, true};
  const std::vector<PhoneLabel> labels = {Label("pau", 0, 10), Label("k", 10, 20), Label("oo", 20, 30),
                                          Label("t", 30, 40),  Label("pau", 40, 50), Label("y", 50, 60),
                                          Label("d", 60, 70),  Label("oo", 70, 80), Label("t", 80, 90),
                                          Label("pau", 90, 100)};
  const Alignment a = AlignPhones(phonemes, boundary, labels);
  EXPECT_EQ(a.label, (std::vector<int>{1, 2, 3, 5, 6, 7, 8}));
  EXPECT_EQ(a.cost, (std::vector<int>{0, 0, 0, 0, 1, 0, 0}));
  EXPECT_EQ(a.total, 1);

  // A phoneme the speaker left out, and a pause inside a word.
  const std::vector<PhoneLabel> shorter = {Label("k", 0, 10), Label("oo", 10, 20), Label("pau", 20, 30),
                                           Label("y", 30, 40), Label("d", 40, 50), Label("oo", 50, 60),
                                           Label("t", 60, 70)};
  const Alignment b = AlignPhones(phonemes, boundary, shorter);
  EXPECT_EQ(b.label, (std::vector<int>{0, 1, -1, 3, 4, 5, 6}));
  EXPECT_EQ(b.total, kSkipCost + 1);
}

// A 125 Hz pulse train between two silences, at 16 kHz.
std::vector<int16_t> PulseTrain(int32_t silence, int32_t voiced) {
  std::vector<int16_t> x(silence + voiced + silence, 0);
  for (int32_t n = 0; n < voiced; ++n) {
    const int32_t phase = n % 128;
    x[silence + n] = static_cast<int16_t>(8000.0 * std::exp(-phase / 20.0) *
                                          std::cos(2 * std::numbers::pi * phase / 32.0));
  }
  return x;
}

TEST(PitchTest, TracksAndMarksVoicedAndUnvoicedParts) {
  const auto x = PulseTrain(4000, 8000);
  const PitchTrack track = TrackPitch(x, 16000);
  EXPECT_NEAR(track.At(8000), 125.0f, 1.5f);
  EXPECT_EQ(track.At(1000), 0.0f);
  const PitchMarks marks = FindPitchMarks(x, 16000, track, 100);
  ASSERT_EQ(marks.positions.size(), marks.voiced.size());
  int voiced = 0;
  for (size_t i = 1; i < marks.positions.size(); ++i) {
    const int32_t step = marks.positions[i] - marks.positions[i - 1];
    EXPECT_GT(step, 0);
    if (marks.voiced[i] && marks.voiced[i - 1]) {
      EXPECT_EQ(step, 128);
      EXPECT_EQ((marks.positions[i] - 4000) % 128, 0);  // on the pulses' peaks
      ++voiced;
    }
    if (marks.positions[i] < 3000) {
      EXPECT_NEAR(step, 100, 1);  // pseudo-marks in the silence
    }
  }
  EXPECT_GT(voiced, 50);
}

TEST(PitchTest, CutUnitKeepsLengthRespacesPeriodsAndFadesItsEdges) {
  const auto x = PulseTrain(4000, 8000);
  const PitchMarks marks = FindPitchMarks(x, 16000, TrackPitch(x, 16000), 100);
  CutOptions options;
  options.targetPeriod = 110;
  const CutUnit unit = CutFlattenedUnit(x, marks, 6000, 8000, options);
  EXPECT_NEAR(static_cast<double>(unit.samples.size()), 2000.0, 128.0);
  ASSERT_GT(unit.marks.size(), 10u);
  for (size_t i = 1; i < unit.marks.size(); ++i) EXPECT_EQ(unit.marks[i] - unit.marks[i - 1], 110);
  EXPECT_EQ(unit.samples.front(), 0);
  EXPECT_LT(std::abs(unit.samples.back()), 100);
}

}  // namespace
