// voice_build: builds the Russian voice database of kind 1 from a recorded
// corpus with phone labels (festvox-ru's layout) and reports its coverage
// and quality.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <thread>

#include "engine/allobase.h"
#include "engine/audio_buffer.h"
#include "foundation/code_pages.h"
#include "platform/unicode.h"
#include "tools/voice_build/corpus.h"
#include "tools/voice_build/coverage.h"
#include "tools/voice_build/voice_assembly.h"
#include "tools/voice_build/voice_quality.h"

namespace {

constexpr const char* kUsage =
    "Usage: voice_build --corpus DIR --out VOICE [--report FILE] [--sentences FILE]\n"
    "                   [--samples DIR] [--threads N]\n"
    "  --corpus DIR      the recorded voice: dict/, etc/txt.done.data, wav/, lab/\n"
    "  --out VOICE       the voice database to write\n"
    "  --report FILE     coverage and quality report (default VOICE.report.txt)\n"
    "  --sentences FILE  test sentences, UTF-8, one a line\n"
    "  --samples DIR     where to write the test sentences spoken by the voice\n"
    "  --threads N       worker threads (default: all cores)\n";

std::string ToUtf8(const std::string& windows1251) { return Utf16ToUtf8(NarrowToWide(windows1251)); }

std::vector<std::string> ReadSentences(const std::string& path) {
  std::vector<std::string> out;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::u16string wide;
    Utf8ToWide(line, wide, u'?');
    out.push_back(WideToNarrow(wide));
  }
  return out;
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main(int argc, char** argv) {
  std::string corpusDir, outPath, reportPath, sentencesPath, samplesDir;
  int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  for (int i = 1; i < argc; ++i) {
    auto value = [&](std::string& into) {
      if (i + 1 >= argc) return false;
      into = argv[++i];
      return true;
    };
    std::string number;
    const std::string arg = argv[i];
    bool ok = true;
    if (arg == "--corpus") ok = value(corpusDir);
    else if (arg == "--out") ok = value(outPath);
    else if (arg == "--report") ok = value(reportPath);
    else if (arg == "--sentences") ok = value(sentencesPath);
    else if (arg == "--samples") ok = value(samplesDir);
    else if (arg == "--threads" && (ok = value(number))) threads = std::max(1, std::atoi(number.c_str()));
    else ok = false;
    if (!ok) {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  if (corpusDir.empty() || outPath.empty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (reportPath.empty()) reportPath = outPath + ".report.txt";
  const auto started = std::chrono::steady_clock::now();

  StressLexicon lexicon;
  std::string error;
  if (!lexicon.Load(corpusDir + "/dict/msu_ru_nsh_dict.scm", error)) {
    std::fprintf(stderr, "voice_build: %s\n", error.c_str());
    return 1;
  }
  const RussianFrontEnd frontEnd;
  if (!frontEnd.Ready()) {
    std::fprintf(stderr, "voice_build: cannot create the text-analysis object\n");
    return 1;
  }
  const CorpusPaths paths{corpusDir + "/etc/txt.done.data", corpusDir + "/wav", corpusDir + "/lab"};
  int32_t sampleRate = 0;
  // Pseudo-marks every 8 ms where the voice is silent or unvoiced.
  constexpr int32_t kUnvoicedPeriod = 128;
  const std::vector<Utterance> corpus = AnalyseCorpus(paths, frontEnd, kUnvoicedPeriod, threads, sampleRate);
  size_t usable = 0, phonemes = 0, exact = 0, candidates = 0;
  for (const auto& u : corpus) {
    usable += u.usable;
    phonemes += u.phonemes;
    exact += u.exact;
    candidates += u.candidates.size();
  }
  if (usable == 0 || sampleRate <= 0) {
    std::fprintf(stderr, "voice_build: no usable recording under %s\n", corpusDir.c_str());
    return 1;
  }

  AssemblyReport assembly;
  VoiceData voice;
  voice.description1 = "Russian male voice, recorded by Nickolay V. Shmyrev (festvox-ru msu_ru_nsh)";
  voice.description2 = "Allophone units of sub-language 1";
  voice.voiceKind = 1;
  voice.sampleRate = sampleRate;
  voice.units = AssembleUnits(corpus, sampleRate, threads, assembly);
  std::u16string widePath;
  Utf8ToUtf16(outPath, &widePath);
  if (!WriteVoiceDatabase(widePath, voice)) {
    std::fprintf(stderr, "voice_build: cannot write %s\n", outPath.c_str());
    return 1;
  }

  std::set<std::string> names;
  for (const auto& unit : voice.units) names.insert(unit.name);
  const auto sentences = ReadSentences(sentencesPath);
  const CoverageReport coverage = MeasureCoverage(
      frontEnd, lexicon, sentences, [&](const std::string& name) { return names.count(name) > 0; });

  std::vector<SpokenSyntagma> spoken;
  for (const auto& sentence : sentences)
    for (auto& syntagma : frontEnd.Analyze(sentence)) spoken.push_back(std::move(syntagma));
  const JoinMeasure joins = MeasureJoins(voice.units, spoken);

  Allobase check;
  size_t silentWords = 0;
  double spokenSeconds = 0;
  if (check.Load(widePath) == S_OK) {
    silentWords = CountSilentWords(check, spoken, 200.0);
    for (size_t i = 0; i < sentences.size(); ++i) {
      const auto samples = SpeakSyntagmas(check, frontEnd.Analyze(sentences[i]));
      spokenSeconds += static_cast<double>(samples.size()) / sampleRate;
      if (samplesDir.empty()) continue;
      WaveFormat format;
      format.Set(sampleRate, 16, 1);
      AudioBuffer buffer(format);
      buffer.AppendBytes(samples.data(), samples.size() * 2);
      char name[48];
      std::snprintf(name, sizeof name, "/sentence_%02zu.wav", i + 1);
      std::u16string wavePath;
      Utf8ToUtf16(samplesDir + name, &wavePath);
      buffer.WriteWaveFile(wavePath);
    }
  }

  char text[1024];
  std::string report;
  std::snprintf(text, sizeof text,
                "Voice %s: %zu units (%zu recorded, %zu filled from the nearest context), %d Hz\n"
                "Recordings: %zu of %zu usable; %zu of %zu phonemes matched their labels exactly; "
                "%zu unit instances\n"
                "Pitch flattened to %.1f Hz\n",
                outPath.c_str(), voice.units.size(), assembly.recordedNames, assembly.filledNames,
                sampleRate, usable, corpus.size(), exact, phonemes, candidates, assembly.targetF0);
  report += text;
  report += ToUtf8(FormatCoverage(coverage));
  std::snprintf(text, sizeof text,
                "Joins in the test sentences: %zu; largest sample jump %d, 99th percentile %d "
                "(largest step inside a unit %d)\n"
                "Vowel unit loudness spread: %.1f dB\n"
                "Test sentences: %zu, %.1f s of speech, %zu silent words\n"
                "Build time: %.1f s\n",
                joins.joins, joins.largestJump, joins.jumpP99, joins.largestInnerStep,
                joins.vowelLoudnessSpreadDb, sentences.size(), spokenSeconds, silentWords,
                Seconds(started));
  report += text;
  report += "\nFilled names (name <- recorded unit):\n";
  for (const auto& [name, from] : assembly.fills) report += "  " + name + " <- " + from + "\n";
  std::ofstream(reportPath) << report;
  std::fwrite(report.data(), 1, report.find("\nFilled names"), stdout);
  std::fputs("\n", stdout);
  return 0;
}
