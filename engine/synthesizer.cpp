#include "engine/synthesizer.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/pause_markers.h"
#include "engine/scale_unit.h"
#include "foundation/string_utils.h"

namespace {

// Silence gets pseudo pitch marks at this period (1/150 s).
constexpr double kSilencePeriodSeconds = 0.006666667;
// Length of the fade at each end of a piece (150 samples at 11025 Hz).
constexpr double kFadeSeconds = 0.013605442176870748;

class MarkList {
 public:
  MarkList(float periodScale, float timeScale)
      : periodScale_(periodScale), timeScale_(timeScale) {
    marks_.push_back(Make(0));
  }

  // Marks never go backwards.
  void AddBeyondLast(int64_t position) {
    if (position > marks_.back().position) marks_.push_back(Make(static_cast<int32_t>(position)));
  }

  size_t Size() const { return marks_.size(); }
  const std::vector<PitchMark>& Marks() const { return marks_; }

 private:
  PitchMark Make(int32_t position) const { return {position, 0.0f, periodScale_, timeScale_}; }

  std::vector<PitchMark> marks_;
  float periodScale_;
  float timeScale_;
};

void AddSilenceMarks(MarkList& marks, int64_t pos, int64_t n, int sampleRate) {
  marks.AddBeyondLast(pos);
  const int64_t periods =
      std::max<int64_t>(1, static_cast<int64_t>(n / (sampleRate * kSilencePeriodSeconds)));
  const int64_t step = n / periods;
  for (int64_t k = 1; k < periods; ++k) marks.AddBeyondLast(pos + k * step);
  marks.AddBeyondLast(pos + n);
}

void Fade(std::vector<int16_t>& piece, size_t length, int sampleRate) {
  if (length == 0) return;
  const auto fade = std::min(static_cast<size_t>(std::max(0.0, sampleRate * kFadeSeconds)), length / 2);
  for (size_t i = 0; i < fade; ++i) {
    const float weight = static_cast<float>(i) / static_cast<float>(fade);
    int16_t& head = piece[i];
    int16_t& tail = piece[length - 1 - i];
    head = static_cast<int16_t>(weight * head);
    tail = static_cast<int16_t>(weight * tail);
  }
}

void ApplyVolume(std::vector<int16_t>& piece, int volume) {
  if (volume == 10) return;
  for (int16_t& sample : piece) {
    const double scaled = sample * volume * 0.1;
    sample = static_cast<int16_t>(std::clamp(static_cast<int>(scaled), -32768, 32767));
  }
}

// Finds the unit of a name, or of its substitute for a kind 1 voice.
bool FindUnitOrSubstitute(const Allobase& voice, const std::string& name,
                          const SubstituteLookup& substitute, UnitRecord& unit) {
  if (voice.FindUnit(name, unit)) return true;
  if (voice.VoiceKind() != 1 || !substitute) return false;
  const std::string other = substitute(name);
  return !other.empty() && voice.FindUnit(other, unit);
}

}  // namespace

bool Synthesize(Allobase& voice, const std::string& allophones, AudioBuffer& buffer,
                const SynthParams& params, const SubstituteLookup& substitute) {
  const int sampleRate = voice.SampleRate();
  WaveFormat format;
  format.Set(static_cast<DWORD>(sampleRate), 16, 1);
  buffer.Empty();
  buffer.SetFormat(format);

  float timeScale = 1.0f;
  if (params.rate != 0)
    timeScale = static_cast<float>(std::pow(1.117, params.rate * 10.0 / params.rateRange));
  const float periodScale =
      params.pitch != 0 ? static_cast<float>(std::pow(1.03, -params.pitch)) : 0.0f;
  const bool modify = params.rate != 0 || params.pitch != 0;
  // Pauses shrink with faster speech and keep their length with slower.
  const float pauseFactor = timeScale > 1.0f ? 1.0f / timeScale : 1.0f;

  MarkList marks(periodScale, timeScale);
  std::vector<int16_t> piece;
  std::vector<int32_t> unitMarks;
  size_t voicedLength = 0;

  for (std::string& name : SplitList(allophones)) {
    if (name.size() > 1 && name.back() == '\n') name.pop_back();
    const int64_t pos = static_cast<int64_t>(piece.size());

    const int ms = MarkerPauseLength(pauseFactor, name);
    if (ms >= 0) {
      const auto n = static_cast<int64_t>(sampleRate * static_cast<double>(ms) * 0.001);
      if (n > 0) {
        piece.resize(piece.size() + static_cast<size_t>(n), 0);
        if (modify) AddSilenceMarks(marks, pos, n, sampleRate);
      }
      continue;
    }

    UnitRecord unit;
    if (!FindUnitOrSubstitute(voice, name, substitute, unit)) continue;
    const auto appended = static_cast<int64_t>(voice.ReadSamples(unit, piece));
    if (modify) {
      voice.ReadMarks(unit, unitMarks);
      // A mark outside its unit would shift the windows of the next unit.
      for (int32_t mark : unitMarks) marks.AddBeyondLast(pos + std::clamp<int64_t>(mark, 0, appended));
    }
    voicedLength = piece.size();
  }

  Fade(piece, voicedLength, sampleRate);
  if (modify && marks.Size() > 2 && !piece.empty()) {
    marks.AddBeyondLast(static_cast<int64_t>(piece.size()));
    ScaleUnit(piece, marks.Marks());
  }
  ApplyVolume(piece, params.volume);
  buffer.AppendBytes(piece.data(), piece.size() * sizeof(int16_t));
  return true;
}
