#include "tools/voice_build/corpus.h"

#include <atomic>
#include <cmath>
#include <thread>

#include "foundation/char_classes.h"
#include "tools/voice_build/alignment.h"
#include "tools/voice_build/phone_match.h"
#include "tools/voice_build/unit_names.h"

namespace {

// Our phonemes of an utterance in a row, with what each belongs to.
struct PhonemeRow {
  std::vector<std::string> phonemes;
  std::vector<std::string> allophones;  // "" where the syntagma was refused
  std::vector<bool> boundary;           // one more than phonemes
  std::vector<int> word;                // index into the flat word list
};

PhonemeRow Flatten(const std::vector<SpokenSyntagma>& syntagmas) {
  PhonemeRow row;
  int word = 0;
  for (const auto& syntagma : syntagmas) {
    for (const auto& w : syntagma.words) {
      for (size_t k = 0; k < w.phonemes.size(); ++k) {
        row.phonemes.push_back(w.phonemes[k]);
        row.allophones.push_back(syntagma.valid ? w.allophones[k] : std::string());
        row.boundary.push_back(k == 0);
        row.word.push_back(word);
      }
      ++word;
    }
  }
  row.boundary.push_back(true);
  return row;
}

bool IsStressedPhoneme(const std::string& phoneme) {
  return IsVowelPhoneme(phoneme) && (phoneme.back() == '0' || phoneme.back() == '5');
}

// Where the recording shows one stressed vowel in a word and the analysis
// stressed another, the text gets a stress mark after that vowel's letter
// (and loses the word's other marks): the recording is what the units must
// match.
bool StressFromLabels(std::string& text, const std::vector<SpokenSyntagma>& spoken,
                      const Alignment& alignment, const std::vector<PhoneLabel>& labels) {
  struct Respelling {
    size_t begin, end;
    std::string word;
  };
  std::vector<Respelling> changes;
  size_t at = 0;
  for (const auto& syntagma : spoken) {
    for (const auto& w : syntagma.words) {
      int vowels = 0, heard = -1, heardCount = 0;
      bool heardIsSaid = false;
      for (size_t k = 0; k < w.phonemes.size(); ++k, ++at) {
        if (!IsVowelPhoneme(w.phonemes[k])) continue;
        const int label = alignment.label[at];
        if (label >= 0 && IsStressedVowelLabel(labels[label].name)) {
          heard = vowels;
          heardIsSaid = IsStressedPhoneme(w.phonemes[k]);
          ++heardCount;
        }
        ++vowels;
      }
      const size_t begin = static_cast<size_t>(w.span.start);
      size_t end = begin + static_cast<size_t>(w.span.size);
      if (heardCount != 1 || heardIsSaid || end > text.size()) continue;
      if (end < text.size() && text[end] == '+') ++end;
      // The word's letters must be its vowels one for one.
      std::string word;
      int letterVowels = 0;
      for (size_t i = begin; i < end; ++i) {
        if (text[i] == '+') continue;
        word += text[i];
        if (!IsRusVowel(static_cast<unsigned char>(text[i]))) continue;
        if (letterVowels++ == heard) word += '+';
      }
      if (letterVowels == vowels) changes.push_back(Respelling{begin, end, std::move(word)});
    }
  }
  for (auto c = changes.rbegin(); c != changes.rend(); ++c) text.replace(c->begin, c->end - c->begin, c->word);
  return !changes.empty();
}

void Measure(UnitCandidate& c, const Utterance& u, const PitchTrack& track) {
  double sum = 0, logSum = 0, logSquares = 0;
  int voiced = 0, frames = 0;
  for (int32_t n = c.begin; n < c.end; ++n) sum += static_cast<double>(u.samples[n]) * u.samples[n];
  c.rmsDb = static_cast<float>(10.0 * std::log10(sum / std::max(1, c.end - c.begin) + 1.0));
  for (int32_t n = c.begin + track.hop / 2; n < c.end; n += track.hop) {
    ++frames;
    const float f = track.At(n);
    if (f <= 0) continue;
    ++voiced;
    logSum += std::log(f);
    logSquares += std::log(f) * std::log(f);
  }
  c.voicedShare = frames > 0 ? static_cast<float>(voiced) / frames : 0.0f;
  if (voiced > 0) {
    const double mean = logSum / voiced;
    c.f0 = static_cast<float>(std::exp(mean));
    c.f0Spread = static_cast<float>(std::sqrt(std::max(0.0, logSquares / voiced - mean * mean)));
  }
}

// The stretches whose phoneme and named context were both matched exactly
// and lie side by side in the labels.
void CollectCandidates(Utterance& u, const PhonemeRow& row, const Alignment& a,
                       const std::vector<PhoneLabel>& labels, const PitchTrack& track) {
  const int n = static_cast<int>(row.phonemes.size());
  auto exactAt = [&](int i) { return i >= 0 && i < n && a.cost[i] == 0; };
  auto pauseAt = [&](int label) {
    return label < 0 || label >= static_cast<int>(labels.size()) || IsPauseLabel(labels[label].name);
  };
  for (int i = 0; i < n; ++i) {
    const std::string& name = row.allophones[i];
    if (name.empty() || !exactAt(i)) continue;
    const int label = a.label[i];
    std::string phoneme, context;
    SplitUnitName(name, phoneme, context);
    bool clean = false;
    if (IsVowelPhoneme(phoneme)) {
      if (context == "#")
        clean = pauseAt(label - 1);
      else
        clean = exactAt(i - 1) && a.label[i - 1] == label - 1;
    } else if (context == "#") {
      clean = pauseAt(label + 1);
    } else if (context == "_") {
      clean = !pauseAt(label + 1);
    } else if (context.empty()) {
      clean = i + 1 < n && a.label[i + 1] == label + 1 && a.cost[i + 1] <= 1;
    } else {
      clean = exactAt(i + 1) && a.label[i + 1] == label + 1;
    }
    if (!clean) continue;
    UnitCandidate c;
    c.name = name;
    c.begin = labels[label].start;
    c.end = std::min<int32_t>(labels[label].end, static_cast<int32_t>(u.samples.size()));
    if (c.end - c.begin < 16) continue;
    Measure(c, u, track);
    u.candidates.push_back(std::move(c));
  }
}

void AnalyseOne(Utterance& u, const UtteranceText& prompt, const CorpusPaths& paths,
                const RussianFrontEnd& frontEnd, int32_t unvoicedPeriod, int32_t& sampleRate) {
  u.id = prompt.id;
  if (!ReadMonoWave(paths.waveDir + "/" + prompt.id + ".wav", u.samples, sampleRate)) return;
  const auto labels = ReadPhoneLabels(paths.labelDir + "/" + prompt.id + ".lab", sampleRate);
  if (labels.empty()) return;
  std::string text = StressMarksAfterVowels(prompt.text);
  std::vector<SpokenSyntagma> spoken = frontEnd.Analyze(text);
  PhonemeRow row = Flatten(spoken);
  Alignment alignment = AlignPhones(row.phonemes, row.boundary, labels);
  if (StressFromLabels(text, spoken, alignment, labels)) {
    spoken = frontEnd.Analyze(text);
    row = Flatten(spoken);
    alignment = AlignPhones(row.phonemes, row.boundary, labels);
  }
  u.phonemes = static_cast<int32_t>(row.phonemes.size());
  for (int c : alignment.cost) u.exact += c == 0;
  // An utterance whose text and labels disagree badly is left out.
  u.usable = u.phonemes > 0 && u.exact * 10 >= u.phonemes * 7;
  const PitchTrack track = TrackPitch(u.samples, sampleRate);
  u.marks = FindPitchMarks(u.samples, sampleRate, track, unvoicedPeriod);
  if (u.usable) CollectCandidates(u, row, alignment, labels, track);
}

}  // namespace

bool IsVoicedPhoneme(const std::string& phoneme) {
  if (IsVowelPhoneme(phoneme)) return true;
  static const char* const kVoiced[] = {"B", "B'", "D", "D'", "G", "G'", "M", "M'", "N", "N'", "L",
                                        "L'", "V", "V'", "Z", "Z'", "ZH", "R", "R'", "J'"};
  for (const char* v : kVoiced)
    if (phoneme == v) return true;
  return false;
}

std::vector<Utterance> AnalyseCorpus(const CorpusPaths& paths, const RussianFrontEnd& frontEnd,
                                     int32_t unvoicedPeriod,
                                     int threads, int32_t& sampleRate) {
  const std::vector<UtteranceText> prompts = ReadPromptList(paths.promptList);
  std::vector<Utterance> corpus(prompts.size());
  std::vector<int32_t> rates(prompts.size(), 0);
  std::atomic<size_t> next{0};
  std::vector<std::thread> workers;
  for (int t = 0; t < std::max(1, threads); ++t) {
    workers.emplace_back([&] {
      for (size_t i = next++; i < prompts.size(); i = next++)
        AnalyseOne(corpus[i], prompts[i], paths, frontEnd, unvoicedPeriod, rates[i]);
    });
  }
  for (auto& w : workers) w.join();
  sampleRate = 0;
  for (int32_t r : rates)
    if (r > 0) sampleRate = r;
  for (size_t i = 0; i < corpus.size(); ++i)
    for (auto& c : corpus[i].candidates) c.utterance = static_cast<int32_t>(i);
  return corpus;
}
