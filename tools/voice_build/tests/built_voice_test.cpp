// Checks of the voice the data build made; skipped when it has not been
// built (configure with PARLEN_BUILD_VOICE=ON or build the russian-voice
// target).
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "engine/allobase.h"
#include "foundation/code_pages.h"
#include "platform/unicode.h"
#include "sonalik/allophone_rules.h"
#include "tools/voice_build/front_end.h"
#include "tools/voice_build/tests/text_analysis_setup.h"
#include "tools/voice_build/voice_assembly.h"
#include "tools/voice_build/voice_quality.h"

namespace {

class BuiltVoiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::ifstream(PARLEN_VOICE_FILE))
      GTEST_SKIP() << "no voice at " << PARLEN_VOICE_FILE << ": build the russian-voice target";
    std::u16string path;
    Utf8ToUtf16(PARLEN_VOICE_FILE, &path);
    ASSERT_EQ(voice_.Load(path), S_OK);
    if (!BuiltDataPresent()) GTEST_SKIP() << "no built data in " BUILT_DATA_DIR;
    ASSERT_TRUE(RegisterTextAnalysis());
  }

  bool Has(const std::string& name) {
    UnitRecord record;
    return voice_.FindUnit(name, record) ||
           voice_.FindUnit(AllophoneRuleProcessor::GetSubstituteAllophone(name), record);
  }

  static std::string Windows1251(const std::string& utf8) {
    std::u16string wide;
    Utf8ToWide(utf8, wide, u'?');
    return WideToNarrow(wide);
  }

  Allobase voice_;
};

TEST_F(BuiltVoiceTest, LoadsAsKindOneAndCoversCommonWords) {
  EXPECT_EQ(voice_.VoiceKind(), 1);
  EXPECT_FALSE(voice_.IsAdpcm());
  EXPECT_GT(voice_.UnitCount(), 1000u);
  const RussianFrontEnd frontEnd;
  std::ifstream in(PARLEN_COMMON_WORDS);
  std::string line, missing;
  size_t words = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream list(line);
    std::string word;
    while (list >> word) {
      for (const auto& syntagma : frontEnd.Analyze(Windows1251(word))) {
        ASSERT_TRUE(syntagma.valid) << word;
        for (const auto& w : syntagma.words) {
          ++words;
          for (const auto& name : w.allophones)
            if (!Has(name)) missing += " " + name;
        }
      }
    }
  }
  EXPECT_GT(words, 300u);
  EXPECT_EQ(missing, "");
}

TEST_F(BuiltVoiceTest, SentenceHasItsLengthAndNoSilentWord) {
  const RussianFrontEnd frontEnd;
  const auto syntagmas = frontEnd.Analyze("Мы долго шли по берегу реки, и солнце светило нам в спину.");
  ASSERT_EQ(syntagmas.size(), 2u);
  size_t units = 0;
  for (const auto& s : syntagmas)
    for (const auto& w : s.words) units += w.allophones.size();
  const auto samples = SpeakSyntagmas(voice_, syntagmas);
  const double seconds = static_cast<double>(samples.size()) / voice_.SampleRate();
  // About 50 to 130 ms a sound, plus the comma's 150 ms and the final 525 ms.
  EXPECT_GT(seconds, units * 0.05 + 0.6);
  EXPECT_LT(seconds, units * 0.13 + 0.7);
  EXPECT_EQ(CountSilentWords(voice_, syntagmas, 300.0), 0u);
  EXPECT_GT(UnitRms(samples), 1000.0);
}

}  // namespace
