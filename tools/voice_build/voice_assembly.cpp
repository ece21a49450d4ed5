#include "tools/voice_build/voice_assembly.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

#include "tools/voice_build/phone_match.h"
#include "tools/voice_build/unit_cutter.h"
#include "tools/voice_build/unit_names.h"

namespace {

float Median(std::vector<float> values) {
  if (values.empty()) return 0;
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

std::string PhonemeOf(const std::string& name) {
  std::string phoneme, context;
  SplitUnitName(name, phoneme, context);
  return phoneme;
}

// Lower is better: typical length, steady pitch near the speaker's usual
// one, typical loudness.
float Badness(const UnitCandidate& c, float typicalLength, float typicalDb, float targetF0,
              bool voiced) {
  const float length = static_cast<float>(c.end - c.begin);
  float cost = 2.0f * std::abs(std::log(length / typicalLength));
  cost += std::abs(c.rmsDb - typicalDb) / 4.0f;
  if (voiced) {
    cost += 2.0f * (1.0f - c.voicedShare);
    if (c.f0 > 0) cost += 3.0f * c.f0Spread * 10.0f + 2.0f * std::abs(std::log(c.f0 / targetF0));
  }
  return cost;
}

}  // namespace

double UnitRms(const std::vector<int16_t>& samples) {
  if (samples.empty()) return 0;
  double sum = 0;
  for (int16_t s : samples) sum += static_cast<double>(s) * s;
  return std::sqrt(sum / samples.size());
}

float MedianPitch(const std::vector<Utterance>& corpus) {
  std::vector<float> pitches;
  for (const auto& u : corpus)
    for (const auto& c : u.candidates)
      if (c.f0 > 0 && IsVowelPhoneme(PhonemeOf(c.name))) pitches.push_back(c.f0);
  return Median(std::move(pitches));
}

std::map<std::string, const UnitCandidate*> ChooseUnits(const std::vector<Utterance>& corpus,
                                                        float targetF0) {
  std::map<std::string, std::vector<const UnitCandidate*>> byName;
  std::map<std::string, std::vector<float>> lengthsByPhoneme, dbByPhoneme;
  for (const auto& u : corpus) {
    for (const auto& c : u.candidates) {
      byName[c.name].push_back(&c);
      const std::string phoneme = PhonemeOf(c.name);
      lengthsByPhoneme[phoneme].push_back(static_cast<float>(c.end - c.begin));
      dbByPhoneme[phoneme].push_back(c.rmsDb);
    }
  }
  std::map<std::string, const UnitCandidate*> chosen;
  for (const auto& [name, candidates] : byName) {
    const std::string phoneme = PhonemeOf(name);
    std::vector<float> lengths;
    for (const auto* c : candidates) lengths.push_back(static_cast<float>(c->end - c->begin));
    // Few instances say little about the typical length of a name.
    const float typicalLength = candidates.size() >= 5 ? Median(lengths) : Median(lengthsByPhoneme[phoneme]);
    const float typicalDb = Median(dbByPhoneme[phoneme]);
    const bool voiced = IsVoicedPhoneme(phoneme);
    const UnitCandidate* best = nullptr;
    float bestCost = 0;
    for (const auto* c : candidates) {
      const float cost = Badness(*c, typicalLength, typicalDb, targetF0, voiced);
      if (best == nullptr || cost < bestCost) best = c, bestCost = cost;
    }
    chosen[name] = best;
  }
  return chosen;
}

void EvenOutLoudness(std::vector<VoiceUnit>& units) {
  std::map<std::string, std::vector<float>> levels;
  std::vector<float> vowelLevels;
  for (const auto& unit : units) {
    const auto rms = static_cast<float>(UnitRms(unit.samples));
    const std::string phoneme = PhonemeOf(unit.name);
    if (IsVowelPhoneme(phoneme))
      vowelLevels.push_back(rms);
    else
      levels[phoneme].push_back(rms);
  }
  const float vowelTarget = Median(vowelLevels);
  std::map<std::string, float> targets;
  for (auto& [phoneme, values] : levels) targets[phoneme] = Median(values);
  for (auto& unit : units) {
    const std::string phoneme = PhonemeOf(unit.name);
    const float target = IsVowelPhoneme(phoneme) ? vowelTarget : targets[phoneme];
    const double rms = UnitRms(unit.samples);
    if (rms <= 0 || target <= 0) continue;
    int peak = 1;
    for (int16_t s : unit.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    const double gain = std::min({target / rms, 6.0, 32000.0 / peak});
    for (auto& s : unit.samples) s = static_cast<int16_t>(std::lround(s * std::max(gain, 0.25)));
  }
}

std::vector<VoiceUnit> AssembleUnits(const std::vector<Utterance>& corpus, int32_t sampleRate,
                                     int threads, AssemblyReport& report) {
  report.targetF0 = MedianPitch(corpus);
  const auto chosen = ChooseUnits(corpus, report.targetF0);
  std::vector<std::pair<std::string, const UnitCandidate*>> jobs(chosen.begin(), chosen.end());
  std::vector<VoiceUnit> recorded(jobs.size());
  CutOptions options;
  options.targetPeriod = static_cast<int32_t>(std::lround(sampleRate / report.targetF0));
  std::atomic<size_t> next{0};
  std::vector<std::thread> workers;
  for (int t = 0; t < std::max(1, threads); ++t) {
    workers.emplace_back([&] {
      for (size_t i = next++; i < jobs.size(); i = next++) {
        const UnitCandidate& c = *jobs[i].second;
        const Utterance& u = corpus[c.utterance];
        CutUnit cut = CutFlattenedUnit(u.samples, u.marks, c.begin, c.end, options);
        recorded[i] = VoiceUnit{jobs[i].first, std::move(cut.samples), std::move(cut.marks)};
      }
    });
  }
  for (auto& w : workers) w.join();
  EvenOutLoudness(recorded);
  report.recordedNames = recorded.size();

  std::map<std::string, size_t> have;
  for (size_t i = 0; i < recorded.size(); ++i) have[recorded[i].name] = i;
  std::vector<VoiceUnit> units = recorded;
  for (const auto& name : AllUnitNames()) {
    if (have.count(name)) continue;
    size_t best = 0;
    int bestDistance = -1;
    for (size_t i = 0; i < recorded.size(); ++i) {
      const int d = UnitNameDistance(name, recorded[i].name);
      if (bestDistance < 0 || d < bestDistance) best = i, bestDistance = d;
    }
    if (bestDistance < 0) continue;
    VoiceUnit copy = recorded[best];
    copy.name = name;
    report.fills[name] = recorded[best].name;
    units.push_back(std::move(copy));
  }
  report.filledNames = report.fills.size();
  return units;
}
