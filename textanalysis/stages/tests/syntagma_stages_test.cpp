// Syntagma cutting, the colloquial rewrites, the letter-to-phoneme calls and
// parameters, the corrections at word joints and the tone marks.
#include <gtest/gtest.h>

#include <map>

#include "textanalysis/stages/colloquial_rewrites.h"
#include "textanalysis/stages/cross_word_rules.h"
#include "textanalysis/stages/group_stress.h"
#include "textanalysis/stages/runemap_params.h"
#include "textanalysis/stages/syntagma_cutter.h"
#include "textanalysis/stages/syntagma_words.h"
#include "textanalysis/stages/tests/stage_words.h"
#include "textanalysis/stages/tone_marks.h"

namespace {

// One group per word, spaced as SpacedWords lays them out.
std::vector<WordGroup> SpacedGroups(const std::vector<std::string>& texts) {
  std::vector<WordGroup> groups;
  for (StressedWord& word : SpacedWords(texts)) {
    WordGroup group;
    group.words.push_back(std::move(word));
    BuildGroupStress(group);
    groups.push_back(std::move(group));
  }
  return groups;
}

std::vector<std::vector<std::string>> PartTexts(const std::vector<SyntagmaRecord>& syntagmas) {
  std::vector<std::vector<std::string>> out;
  for (const SyntagmaRecord& syntagma : syntagmas) {
    out.emplace_back();
    for (const SyntagmaPart& part : syntagma.parts) out.back().push_back(part.groups[0].words[0].token.text);
  }
  return out;
}

std::vector<INT> Signs(const std::vector<SyntagmaRecord>& syntagmas) {
  std::vector<INT> signs;
  for (const SyntagmaRecord& syntagma : syntagmas) signs.push_back(syntagma.endSign);
  return signs;
}

TEST(SyntagmaCutterTest, PunctuationEndsSyntagmasWithItsSign) {
  auto cut = CutSyntagmas(SpacedGroups({"он", "пришёл", ",", "а", "она", "ушла", "."}));
  EXPECT_EQ(PartTexts(cut), (std::vector<std::vector<std::string>>{{"он", "пришёл"},
                                                                   {"а", "она", "ушла"}}));
  EXPECT_EQ(Signs(cut), (std::vector<INT>{SE_Comma6, SE_Stop2}));
  for (const SyntagmaRecord& syntagma : cut) EXPECT_EQ(syntagma.type, OrthographicSyntagma);
  EXPECT_EQ(cut[0].position.start, 0u);
  EXPECT_EQ(cut[0].position.size, 9u);
  EXPECT_EQ(cut[1].position.start, 12u);
  EXPECT_EQ(cut[1].position.size, 10u);

  // A period before a line break or an empty line: SE_Stop1.
  for (UI4 flag : {TextToken::kLineEndAfter, TextToken::kOuterLineEndAfter}) {
    std::vector<WordGroup> groups = SpacedGroups({"он", "."});
    groups[1].words[0].token.AddFlags(flag);
    EXPECT_EQ(Signs(CutSyntagmas(groups)), (std::vector<INT>{SE_Stop1}));
  }
  // Marks with no words before them make nothing; a sentence without a
  // final mark ends with SE_Stop1.
  cut = CutSyntagmas(SpacedGroups({",", ",", "слово"}));
  EXPECT_EQ(PartTexts(cut), (std::vector<std::vector<std::string>>{{"слово"}}));
  EXPECT_EQ(Signs(cut), (std::vector<INT>{SE_Stop1}));
  EXPECT_TRUE(CutSyntagmas({}).empty());
}

TEST(SyntagmaCutterTest, EndSignTable) {
  EXPECT_EQ(Signs(CutSyntagmas(SpacedGroups({"стой", "!"}))), (std::vector<INT>{SE_Exclamation}));
  EXPECT_EQ(Signs(CutSyntagmas(SpacedGroups({"стой", "же", "!"}))),
            (std::vector<INT>{SE_Exclamation1}));
  EXPECT_EQ(Signs(CutSyntagmas(
                SpacedGroups({"а", ";", "б", ":", "в", "-", "г", "?", "д", "(", "е", ")", "ж", "\""}))),
            (std::vector<INT>{SE_Stop3, SE_Stop4, SE_Comma7, SE_Question1, SE_Comma8, SE_Stop5,
                              SE_Stop1}));
}

// The word after the rewrites, with the group's main stress.
std::string Rewritten(const std::string& text, INT main = -1, UI4 flags = 0) {
  WordGroup group;
  group.words.push_back(MakeWord(text, flags, 0, main));
  BuildGroupStress(group);
  RewriteGroupColloquially(group);
  return group.words[0].token.text + " " + std::to_string(group.stress.main);
}

TEST(ColloquialRewritesTest, EndingsAndClusters) {
  EXPECT_EQ(Rewritten("того", 1), "тово 1");
  EXPECT_EQ(Rewritten("его", 2), "ево 2");
  EXPECT_EQ(Rewritten("много", 1), "много 1");
  EXPECT_EQ(Rewritten("немного", 3), "немного 3");
  EXPECT_EQ(Rewritten("недорого", 5), "недорого 5");
  EXPECT_EQ(Rewritten("строго", 3), "строго 3");
  EXPECT_EQ(Rewritten("одевающегося", 4), "одевающевася 4");
  EXPECT_EQ(Rewritten("смеется", 4), "смеетса 4");
  EXPECT_EQ(Rewritten("учиться", 6), "учитса 5");
  EXPECT_EQ(Rewritten("двадцать", 2), "двацать 2");
  EXPECT_EQ(Rewritten("здравствуйте", 8), "здраствуйте 7");
  EXPECT_EQ(Rewritten("детский", 5), "децкий 4");
  EXPECT_EQ(Rewritten("городской", 7), "гороцкой 6");
  EXPECT_EQ(Rewritten("лучше", 1), "лутше 1");
  EXPECT_EQ(Rewritten("агентства", 8), "агенства 7");
}

TEST(ColloquialRewritesTest, DoubledConsonantsAndWholeWords) {
  EXPECT_EQ(Rewritten("касса", 1), "каса 1");
  EXPECT_EQ(Rewritten("массу", 4), "масу 3");
  EXPECT_EQ(Rewritten("ванна", 1), "вана 1");
  EXPECT_EQ(Rewritten("поддать", 4), "поддать 4");
  EXPECT_EQ(Rewritten("что", 2), "што 2");
  EXPECT_EQ(Rewritten("чтобы", 2), "штобы 2");
  EXPECT_EQ(Rewritten("сегодняшний", 3), "севодняшний 3");
  EXPECT_EQ(Rewritten("приезжай", 6), "приежжай 6");
  EXPECT_EQ(Rewritten("конечно", 3), "канешна 3");
  EXPECT_EQ(Rewritten("модель", 3), "мадэль 3");
  EXPECT_EQ(Rewritten("во"), "ва -1");
  EXPECT_EQ(Rewritten("по"), "па -1");
  EXPECT_EQ(Rewritten("тандема", 4), "тандэма 4");
  EXPECT_EQ(Rewritten("компьютеры", 7), "компьютэры 7");
  EXPECT_EQ(Rewritten("синтезатор", 7), "синтэзатор 7");
  EXPECT_EQ(Rewritten("интернета", 6), "интэрнэта 6");
  // Left alone: words with "внзар" and literal pronunciations.
  EXPECT_EQ(Rewritten("внзарного", 5), "внзарного 5");
  EXPECT_EQ(Rewritten("касса", 1, TextToken::kFromTag), "касса 1");
}

TEST(ColloquialRewritesTest, RemovedLettersMoveTheGroupStresses) {
  WordGroup group;
  group.words = {MakeWord("не", 0, 0, -1, {1}), MakeWord("учиться", 0, 3, 6),
                 MakeWord("касса", 0, 11, -1, {4})};
  BuildGroupStress(group);
  RewriteGroupColloquially(group);
  EXPECT_EQ(Describe(group), "не|учитса|каса 7 [1,11]");
}

TEST(CrossWordRulesTest, VoicingAndHardI) {
  struct Case {
    std::string previous, next, previousAfter, nextAfter;
  };
  const Case cases[] = {
      {"N,O0,S", "D,O0,M", "N,O0,Z", "D,O0,M"},
      {"N,O0,S", "D',E0,L,O2", "N,O0,S", "D',E0,L,O2"},  // soft onset: no
      {"S", "G,O0,R,A2", "Z", "G,O0,R,A2"},
      {"K,O0,SH", "V,ZH,A0,R,E2", "K,O0,ZH", "V,ZH,A0,R,E2"},
      {"R,O0,T", "V,D,O2,L,J',A0", "R,O0,D", "V,D,O2,L,J',A0"},
      {"S,T,E0,P'", "B,A0,B,A2", "S,T,E0,B'", "B,A0,B,A2"},
      {"K,O0,T", "V,A0,M", "K,O0,T", "V,A0,M"},               // "V" alone: no
      {"K,O0,T", "I0,D,J',O0,T", "K,O0,T", "Y0,D,J',O0,T"},  // "и" after hard "т"
      {"M,A0,T'", "I1,G,R,A0", "M,A0,T'", "I1,G,R,A0"},       // soft: stays
      {"S,A0,M", "I0,X", "S,A0,M", "Y0,X"},
      {"D,O0,M", "B,Y0,L", "D,O0,M", "B,Y0,L"},
  };
  for (const Case& c : cases) {
    std::string previous = c.previous, next = c.next;
    ApplyCrossWordRules(previous, next);
    EXPECT_EQ(previous + " " + next, c.previousAfter + " " + c.nextAfter) << c.previous << " " << c.next;
  }
}

std::vector<std::string> Tones(std::vector<_eLMSyntagmaEnd> signs) {
  std::vector<OutputSyntagma> syntagmas(signs.size());
  for (size_t i = 0; i < signs.size(); ++i) syntagmas[i].endSign = signs[i];
  SetToneMarks(syntagmas);
  std::vector<std::string> tones;
  for (const OutputSyntagma& syntagma : syntagmas) tones.push_back(syntagma.tone);
  return tones;
}

TEST(ToneMarksTest, LastSyntagmaFollowsTheFinalMark) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Tones({SE_Question1}), V{"(?.)|(?.)"});
  EXPECT_EQ(Tones({SE_Question2}), V{"(?)|(?)"});
  EXPECT_EQ(Tones({SE_Exclamation}), V{"(!.)|(!.)"});
  EXPECT_EQ(Tones({SE_Comma6, SE_Exclamation1}), (V{"(.)|(.)", "(!)|(!)"}));
  EXPECT_EQ(Tones({SE_Stop1}), V{"(.)|(.)"});
  EXPECT_EQ(Tones({SE_Comma6, SE_Stop2}), (V{"(.)|(.)", "(..)|(..)"}));
  EXPECT_EQ(Tones({SE_Question1, SE_Stop5}), (V{"(.)|(.)", "(.)|(.)"}));
  EXPECT_TRUE(Tones({}).empty());
}

TEST(RunemapParamsTest, SizedFromTheLettersAndPartsTheConverterCounts) {
  using B = std::vector<I1>;
  EXPECT_EQ(MakeRunemapParams({"в", "дом"}, 2, {}, true, false),
            (B{0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0}));
  EXPECT_EQ(MakeRunemapParams({"дом"}, -1, {1, 7, -1}, false, true),
            (B{0, 0, 0, 0, 1, 0, 0, 1, 0}));
  // Blanks at the ends of parts and empty parts do not count.
  EXPECT_EQ(MakeRunemapParams({" до", "м\n", ""}, 2, {0}, false, false),
            (B{0, 1, 0, 0, 0, 0, 0, 0, 0, 0}));
}

// Answers from a table; remembers every call.
class FakeConverter : public WordConverter {
 public:
  std::map<std::string, std::string> answers;
  mutable std::vector<std::string> calls;

  bool Convert2(const std::string& letters, INT fullStress, std::vector<INT> partStresses,
                std::string& phonemes) const override {
    std::string call = letters + " " + std::to_string(fullStress);
    for (INT s : partStresses) call += " " + std::to_string(s);
    calls.push_back(call);
    return Answer(letters, phonemes);
  }
  bool Convert(const std::string& word, std::vector<I1> params,
               std::string& phonemes) const override {
    std::string call = word + " ";
    for (I1 byte : params) call += static_cast<char>('0' + byte);
    calls.push_back(call);
    return Answer(word, phonemes);
  }

 private:
  bool Answer(const std::string& key, std::string& phonemes) const {
    const auto found = answers.find(key);
    phonemes = found != answers.end() ? found->second : "";
    return !phonemes.empty();
  }
};

SyntagmaRecord ThreeWords() {
  SyntagmaRecord syntagma;
  syntagma.type = OrthographicSyntagma;
  syntagma.endSign = SE_Stop2;
  std::vector<std::vector<StressedWord>> groups = {
      {MakeWord("нос", 0, 0, 1, {1})},  // secondary on the main one is dropped
      {MakeWord("в", 0, 4), MakeWord("дом", 0, 6, -1, {1})},
      {MakeWord("кот", 0, 10, 1)}};
  for (auto& words : groups) {
    WordGroup group;
    group.words = words;
    BuildGroupStress(group);
    syntagma.parts.emplace_back().groups.push_back(std::move(group));
  }
  return syntagma;
}

TEST(SyntagmaWordsTest, SubLanguageZeroFramesTheLettersForConvert2) {
  FakeConverter converter;
  converter.answers = {{"#нос_", "N,O0,T"}, {"_вдом_", "V,D,O5,M"}, {"_кот#", "K,O0,T"}};
  const OutputSyntagma out = BuildSyntagmaWords(ThreeWords(), converter, 0);
  EXPECT_EQ(converter.calls, (std::vector<std::string>{"#нос_ 2", "_вдом_ -1 3", "_кот# 2"}));
  EXPECT_EQ(out.type, OrthographicSyntagma);
  EXPECT_EQ(out.endSign, SE_Stop2);
  ASSERT_EQ(out.words.size(), 3u);
  EXPECT_EQ(out.words[0].phonemes, "N,O0,D");  // voiced through "V" before "D"
  EXPECT_EQ(out.words[1].letters, "вдом");
  EXPECT_EQ(out.words[1].itvl.start, 4u);
  EXPECT_EQ(out.words[1].itvl.size, 5u);
  EXPECT_EQ(out.words[2].phonemes, "K,O0,T");
}

TEST(SyntagmaWordsTest, OtherSubLanguagesJoinPartsForConvert) {
  FakeConverter converter;
  converter.answers = {{"в+дом", "V,D,O0,M"}, {"кот", "K,O0,T"}};
  const OutputSyntagma out = BuildSyntagmaWords(ThreeWords(), converter, 2);
  // The last secondary stress stands in for a missing main one.
  EXPECT_EQ(converter.calls, (std::vector<std::string>{"нос 010010100", "в+дом 001000000000",
                                                       "кот 010000010"}));
  ASSERT_EQ(out.words.size(), 2u);  // "нос" got nothing
  EXPECT_EQ(out.words[0].letters, "вдом");
  EXPECT_EQ(out.words[1].phonemes, "K,O0,T");

  converter.calls.clear();
  EXPECT_TRUE(BuildSyntagmaWords(ThreeWords(), converter, 3).words.empty());
  EXPECT_TRUE(converter.calls.empty());
}

TEST(SyntagmaWordsTest, LiteralPronunciationIsTakenAsItIs) {
  SyntagmaRecord syntagma;
  WordGroup group;
  group.words.push_back(MakeWord("S,A0,T", TextToken::kFromTag, 3));
  group.words[0].token.position.size = 2;
  BuildGroupStress(group);
  syntagma.parts.emplace_back().groups.push_back(group);
  group.words[0] = MakeWord("дом", 0, 6);
  BuildGroupStress(group);
  syntagma.parts.emplace_back().groups.push_back(group);
  FakeConverter converter;
  converter.answers = {{"_дом#", "D,O0,M"}};
  const OutputSyntagma out = BuildSyntagmaWords(syntagma, converter, 0);
  ASSERT_EQ(out.words.size(), 2u);
  EXPECT_EQ(out.words[0].letters, "S,A0,T");
  EXPECT_EQ(out.words[0].phonemes, "S,A0,D");
  EXPECT_EQ(out.words[0].itvl.size, 2u);
  EXPECT_EQ(converter.calls, (std::vector<std::string>{"_дом# -1"}));
}

}  // namespace
