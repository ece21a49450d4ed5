#include "tools/voice_build/voice_quality.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "engine/pause_markers.h"
#include "engine/synthesizer.h"
#include "foundation/string_utils.h"
#include "sonalik/allophone_rules.h"
#include "tools/voice_build/phone_match.h"
#include "tools/voice_build/voice_assembly.h"

namespace {

// Syntagma ends the builder gives: a comma inside, a full stop at the end.
constexpr int kCommaEnd = 13;
constexpr int kStopEnd = 5;

std::string SubstituteIfMissing(const std::string& name) {
  return AllophoneRuleProcessor::GetSubstituteAllophone(name);
}

std::vector<std::string> PieceOf(const std::vector<SpokenWord>& words, size_t first, size_t count,
                                 bool lastOfSentence, bool endsSyntagma) {
  std::vector<std::string> piece;
  for (size_t i = first; i < first + count; ++i) {
    for (const auto& name : words[i].allophones) piece.push_back(name);
    const bool last = endsSyntagma && i + 1 == first + count;
    piece.push_back(last ? SyntagmaEndMarker(lastOfSentence ? kStopEnd : kCommaEnd) : InterWordPauseMarker());
  }
  return piece;
}

std::vector<int16_t> Render(Allobase& voice, const std::vector<std::string>& piece) {
  AudioBuffer buffer;
  SynthParams params;
  params.volume = 10;
  Synthesize(voice, JoinList(piece), buffer, params, SubstituteIfMissing);
  std::vector<int16_t> samples(buffer.SampleCount());
  std::copy_n(reinterpret_cast<const int16_t*>(buffer.Data()), samples.size(), samples.data());
  return samples;
}

}  // namespace

JoinMeasure MeasureJoins(const std::vector<VoiceUnit>& units,
                         const std::vector<SpokenSyntagma>& syntagmas) {
  std::map<std::string, const VoiceUnit*> byName;
  for (const auto& unit : units) byName[unit.name] = &unit;
  auto find = [&](const std::string& name) -> const VoiceUnit* {
    auto it = byName.find(name);
    if (it == byName.end()) it = byName.find(SubstituteIfMissing(name));
    return it == byName.end() ? nullptr : it->second;
  };
  JoinMeasure m;
  std::vector<int> jumps;
  for (const auto& syntagma : syntagmas) {
    const VoiceUnit* previous = nullptr;
    for (const auto& word : syntagma.words) {
      for (const auto& name : word.allophones) {
        const VoiceUnit* unit = find(name);
        if (unit == nullptr || unit->samples.empty()) continue;
        if (previous != nullptr)
          jumps.push_back(std::abs(unit->samples.front() - previous->samples.back()));
        previous = unit;
      }
    }
  }
  m.joins = jumps.size();
  if (!jumps.empty()) {
    std::sort(jumps.begin(), jumps.end());
    m.largestJump = jumps.back();
    m.jumpP99 = jumps[jumps.size() * 99 / 100];
  }
  double loudest = 0, quietest = 1e9;
  for (const auto& unit : units) {
    for (size_t i = 1; i < unit.samples.size(); ++i)
      m.largestInnerStep = std::max(m.largestInnerStep, std::abs(unit.samples[i] - unit.samples[i - 1]));
    std::string phoneme = unit.name.substr(0, unit.name.find('-'));
    if (!IsVowelPhoneme(phoneme)) continue;
    const double db = 20.0 * std::log10(UnitRms(unit.samples) + 1.0);
    loudest = std::max(loudest, db);
    quietest = std::min(quietest, db);
  }
  if (loudest > 0) m.vowelLoudnessSpreadDb = loudest - quietest;
  return m;
}

std::vector<int16_t> SpeakSyntagmas(Allobase& voice, const std::vector<SpokenSyntagma>& syntagmas) {
  std::vector<int16_t> out;
  for (size_t s = 0; s < syntagmas.size(); ++s) {
    const auto& words = syntagmas[s].words;
    for (size_t first = 0; first < words.size(); first += 6) {
      const size_t count = std::min<size_t>(6, words.size() - first);
      const auto samples = Render(voice, PieceOf(words, first, count, s + 1 == syntagmas.size(),
                                                 first + count == words.size()));
      out.insert(out.end(), samples.begin(), samples.end());
    }
  }
  return out;
}

size_t CountSilentWords(Allobase& voice, const std::vector<SpokenSyntagma>& syntagmas, double floor) {
  size_t silent = 0;
  for (const auto& syntagma : syntagmas) {
    for (const auto& word : syntagma.words) {
      const auto samples = Render(voice, word.allophones);
      if (UnitRms(samples) < floor) ++silent;
    }
  }
  return silent;
}
