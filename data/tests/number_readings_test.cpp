// Sentences with numbers read through the text analysis over the built
// data: the words the normaliser says for each sentence of
// number_readings.txt against the reading written there. A sentence marked
// as read otherwise today is counted, not checked; the share read exactly is
// printed by category (NUMBER_READINGS_REPORT=1 also prints each sentence
// read otherwise, with what was said).
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/code_pages.h"
#include "platform/unicode.h"
#include "textanalysis/normalisation/normaliser.h"
#include "textanalysis/pipeline/text_pipeline.h"

namespace {

namespace fs = std::filesystem;

struct Reading {
  int line = 0;
  std::string category;
  std::string sentence;  // UTF-8, as the data file has it
  std::string reading;
  bool knownMisread = false;
};

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Lines "[~] category | sentence | reading"; blank lines and "#" comments
// are skipped. A malformed line fails the test that reads the file.
std::vector<Reading> ReadSet(const char* path) {
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file) << "cannot read " << path;
  std::vector<Reading> set;
  std::string line;
  for (int number = 1; std::getline(file, line); ++number) {
    line = Trimmed(line);
    if (line.empty() || line[0] == '#') continue;
    Reading reading;
    reading.line = number;
    if (line[0] == '~') {
      reading.knownMisread = true;
      line = line.substr(1);
    }
    std::vector<std::string> fields;
    std::stringstream stream(line);
    for (std::string field; std::getline(stream, field, '|');) fields.push_back(Trimmed(field));
    if (fields.size() != 3 || fields[0].empty() || fields[1].empty() || fields[2].empty()) {
      ADD_FAILURE() << path << ":" << number << ": not \"category | sentence | reading\"";
      continue;
    }
    reading.category = fields[0];
    reading.sentence = fields[1];
    reading.reading = fields[2];
    set.push_back(reading);
  }
  return set;
}

// Small letters, 'ё' as 'е', words separated by single blanks.
std::u16string Comparable(const std::u16string& words) {
  std::u16string out;
  for (char16_t c : words) {
    if (c >= u'А' && c <= u'Я') c = static_cast<char16_t>(c + (u'а' - u'А'));
    if (c == u'Ё' || c == u'ё') c = u'е';
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + (u'a' - u'A'));
    if (c == u' ') {
      if (!out.empty() && out.back() != u' ') out += c;
      continue;
    }
    out += c;
  }
  while (!out.empty() && out.back() == u' ') out.pop_back();
  return out;
}

std::u16string FromUtf8(const std::string& text) {
  std::u16string wide;
  Utf8ToUtf16(text, &wide);
  return wide;
}

class NumberReadingsTest : public ::testing::Test {
 public:
  static void SetUpTestSuite() {
    // The letter-to-phoneme server the pipeline creates; the data entries
    // come with the registry the data fixture wrote.
    void* library = dlopen(RUNEMAP_LIBRARY_PATH, RTLD_NOW);
    ASSERT_NE(library, nullptr) << dlerror();
    auto reg = reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllRegisterServer"));
    ASSERT_NE(reg, nullptr);
    ASSERT_EQ(reg(), S_OK);
  }

 protected:
  void SetUp() override {
    if (!fs::exists(fs::path(RUSSIAN_DATA_DIR) / RUSSIAN_STRESS_BASE / "wordsg3.dat5"))
      GTEST_SKIP() << "no built data in " RUSSIAN_DATA_DIR " (build the russian-data target)";
    NormaliserParts parts;
    parts.bases = &normaliser_;
    parts.processors = normaliser_.Processors();
    parts.abbreviations = normaliser_.Abbreviations();
    pipeline_ = std::make_unique<TextPipeline>(parts);
    ASSERT_EQ(pipeline_->Init(), TextPipeline::kReady);
  }

  // The words the normaliser says for the text, every sentence of it.
  std::u16string Said(const std::string& utf8) {
    pipeline_->Reset();
    pipeline_->PushText(WideToNarrow(FromUtf8(utf8)).c_str(), nullptr, 0);
    std::u16string words;
    PreparedSentence prepared;
    while (pipeline_->PrepareSentence(prepared))
      for (const TextToken& token : prepared.tokens)
        if (!token.IsPunctuation()) words += NarrowToWide(token.text) + u" ";
    return Comparable(words);
  }

  Normaliser normaliser_;
  std::unique_ptr<TextPipeline> pipeline_;
};

struct Tally {
  int exact = 0;
  int total = 0;
};

void PrintShares(const std::vector<std::string>& order, const std::map<std::string, Tally>& tallies) {
  Tally all;
  std::printf("share read exactly, by category:\n");
  for (const std::string& category : order) {
    const Tally& tally = tallies.at(category);
    std::printf("  %-14s %4d/%-4d %6.1f%%\n", category.c_str(), tally.exact, tally.total,
                100.0 * tally.exact / tally.total);
    all.exact += tally.exact;
    all.total += tally.total;
  }
  std::printf("  %-14s %4d/%-4d %6.1f%%\n", "all", all.exact, all.total,
              all.total ? 100.0 * all.exact / all.total : 0.0);
}

TEST_F(NumberReadingsTest, SentencesWithNumbersReadAsWritten) {
  const std::vector<Reading> set = ReadSet(NUMBER_READINGS_FILE);
  ASSERT_GE(set.size(), 200u);
  const bool report = std::getenv("NUMBER_READINGS_REPORT") != nullptr;
  std::vector<std::string> order;
  std::map<std::string, Tally> tallies;
  std::vector<int> nowRight;
  for (const Reading& reading : set) {
    if (!tallies.count(reading.category)) order.push_back(reading.category);
    Tally& tally = tallies[reading.category];
    ++tally.total;
    const std::u16string said = Said(reading.sentence);
    const bool exact = said == Comparable(FromUtf8(reading.reading));
    tally.exact += exact;
    if (exact && reading.knownMisread) nowRight.push_back(reading.line);
    if (!exact && !reading.knownMisread)
      ADD_FAILURE() << "line " << reading.line << ": \"" << reading.sentence << "\"\n  said:     "
                    << Utf16ToUtf8(said) << "\n  expected: " << reading.reading;
    else if (!exact && report)
      std::printf("%s | %s\n  said:     %s\n  expected: %s\n", reading.category.c_str(),
                  reading.sentence.c_str(), Utf16ToUtf8(said).c_str(), reading.reading.c_str());
  }
  PrintShares(order, tallies);
  if (!nowRight.empty()) {
    std::printf("marked as misread but read right now, lines:");
    for (int line : nowRight) std::printf(" %d", line);
    std::printf("\n");
  }
}

}  // namespace
