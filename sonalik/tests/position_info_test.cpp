#include "platform/message_box.h"
#include "sonalik/tests/sonalik_fixture.h"

namespace {

using SonalikPositionDescriptions = SonalikTest;
using SonalikSoundDescriptions = SonalikTest;

// The phone features of a description: its first line of text.
std::string PhoneLine(I8 sd) {
  const std::string text = SonalikTest::TextOf(sd);
  return text.substr(0, text.find("\r\n"));
}

TEST_F(SonalikSoundDescriptions, InventoryValues) {
  EXPECT_EQ(SoundDescriptionOf("#"), static_cast<I8>(0x0400000000000001ull));
  EXPECT_EQ(SoundDescriptionOf("_"), static_cast<I8>(0x0200000000000001ull));
  EXPECT_EQ(SoundDescriptionOf("A0"), static_cast<I8>(0xA00000000000002Eull));
  EXPECT_EQ(SoundDescriptionOf("J'"), static_cast<I8>(0xA00000000004A602ull));
  EXPECT_EQ(SoundDescriptionOf("R'"), static_cast<I8>(0x000000000024A602ull));
  EXPECT_EQ(SoundDescriptionOf("Q"), 0);
  EXPECT_EQ(SoundDescriptionOf("a0"), 0);

  EXPECT_EQ(TextOf(SoundDescriptionOf("A5")), "Vowel Stressed PartialStressed Intonable \r\n");
  EXPECT_EQ(TextOf(SoundDescriptionOf("IJ'2")), "Vowel Unstressed Posttonic Intonable \r\n");
  EXPECT_EQ(TextOf(SoundDescriptionOf("CH'")), "Consonant Voiceless Affricate Soft \r\n");
  EXPECT_EQ(TextOf(SoundDescriptionOf("G")), "Consonant Voiced Occlusive Plosive Hard Intonable \r\n");

  I8 sd = 0;
  EXPECT_EQ(Phonetic()->GetSoundDescription(nullptr, &sd), E_INVALIDARG);
  EXPECT_EQ(Phonetic()->GetSoundDescription(In("A0"), nullptr), E_INVALIDARG);
}

TEST_F(SonalikSoundDescriptions, TextForm) {
  EXPECT_EQ(TextOf(0), "Error");
  EXPECT_EQ(TextOf(SoundDescriptionOf("#")), "None Terminator \r\n");
  // Unnamed bits write nothing.
  EXPECT_EQ(TextOf(0x2), "");
  EXPECT_EQ(TextOf(-1),
            "None Vowel Stressed Unstressed FullStressed PartialStressed Pretonic Posttonic "
            "Consonant Voiced Voiceless Occlusive Fricative Plosive Sonant Affricate Hard Soft "
            "Nasal Lateral Vibrant Homoorganic NonHomoorganic SamePhoneme1 SamePhoneme2 "
            "Diphthong Neutral Space Terminator Short Long Intonable \r\n"
            "Open Closed FirstSyl MidSyl LastSyl StressedSyl UnstressedSyl PretonicSyl "
            "PosttonicSyl Adjoining NonAdjoining \r\n"
            "FirstAU MidAU LastAU HasPretonicSyl NoPretonicSyl HasPosttonicSyl NoPosttonicSyl \r\n");
  EXPECT_EQ(Phonetic()->SDtoString(0, nullptr), E_INVALIDARG);
}

TEST_F(SonalikSoundDescriptions, UnknownNamesAreShownOnlyAboveMessageLevelZero) {
  MessageBoxCapture capture;
  EXPECT_EQ(SoundDescriptionOf("Q"), 0);
  EXPECT_EQ(capture.Count(), 0u);

  ASSERT_EQ(Phonetic()->SetDebugVerbosity(1), S_OK);
  EXPECT_EQ(SoundDescriptionOf("Q"), 0);
  EXPECT_EQ(Call(&IPhonetic::PhonemesToAllophones, "#,M,QQ,#"), kInvalidArg);
  ASSERT_EQ(Phonetic()->SetDebugVerbosity(0), S_OK);
  EXPECT_EQ(SoundDescriptionOf("Q"), 0);

  const auto boxes = capture.Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, u"Unknown phoneme Q in GetSD");
  EXPECT_EQ(boxes[0].caption, u"Phonetic Module");
  EXPECT_EQ(boxes[0].type & MB_ICONMASK, MB_ICONSTOP);
  EXPECT_EQ(boxes[1].text, u"Unknown phoneme QQ in GetSD");
}

TEST_F(SonalikPositionDescriptions, OneClosedSyllable) {
  const std::vector<I8> sds = DescribePositions("#,K,O0,T,#");
  ASSERT_EQ(sds.size(), 5u);
  EXPECT_EQ(sds[0], static_cast<I8>(0x0400000000000001ull));
  EXPECT_EQ(sds[1], static_cast<I8>(0x0002284044825A02ull));
  EXPECT_EQ(sds[2], static_cast<I8>(0xA00228404480002Eull));
  EXPECT_EQ(sds[3], static_cast<I8>(0x0002284044825A02ull));
  EXPECT_EQ(sds[4], static_cast<I8>(0x0400000000000001ull));
  EXPECT_EQ(TextOf(sds[2]),
            "Vowel Stressed FullStressed Intonable \r\n"
            "Closed LastSyl StressedSyl \r\n"
            "LastAU NoPretonicSyl NoPosttonicSyl \r\n");
}

TEST_F(SonalikPositionDescriptions, WordsAndTheirStressedSyllables) {
  const std::vector<I8> sds = DescribePositions("#,M,A1,M,A0,_,D,O0,M,#");
  ASSERT_EQ(sds.size(), 10u);
  EXPECT_EQ(TextOf(sds[1]),
            "Consonant Voiced Occlusive Sonant Hard Intonable \r\n"
            "FirstSyl PretonicSyl Adjoining \r\n"
            "FirstAU HasPretonicSyl NoPosttonicSyl \r\n");
  EXPECT_EQ(TextOf(sds[4]),
            "Vowel Stressed FullStressed Intonable \r\n"
            "Open LastSyl StressedSyl \r\n"
            "FirstAU HasPretonicSyl NoPosttonicSyl \r\n");
  EXPECT_EQ(TextOf(sds[5]), "None Space \r\n");
  // Consonants after the last vowel close its syllable.
  EXPECT_EQ(TextOf(sds[8]),
            "Consonant Voiced Occlusive Sonant Hard Intonable \r\n"
            "Closed LastSyl StressedSyl \r\n"
            "LastAU NoPretonicSyl NoPosttonicSyl \r\n");

  const std::vector<I8> three = DescribePositions("#,A0,_,A0,_,A0,#");
  ASSERT_EQ(three.size(), 7u);
  EXPECT_EQ(three[1], static_cast<I8>(0xA0022A104440002Eull));
  EXPECT_EQ(three[3], static_cast<I8>(0xA0022AA04440002Eull));
}

TEST_F(SonalikPositionDescriptions, SyllablesAroundTheStress) {
  const std::vector<I8> sds = DescribePositions("#,A5,M,A1,M,A0,M,A2,M,A2,#");
  ASSERT_EQ(sds.size(), 11u);
  EXPECT_EQ(TextOf(sds[1]),
            "Vowel Stressed PartialStressed Pretonic Intonable \r\n"
            "FirstSyl PretonicSyl NonAdjoining \r\n"
            "LastAU HasPretonicSyl HasPosttonicSyl \r\n");
  EXPECT_EQ(TextOf(sds[5]),
            "Vowel Stressed FullStressed Intonable \r\n"
            "MidSyl StressedSyl \r\n"
            "LastAU HasPretonicSyl HasPosttonicSyl \r\n");
  EXPECT_EQ(TextOf(sds[6]),
            "Consonant Voiced Occlusive Sonant Hard Intonable \r\n"
            "MidSyl PosttonicSyl Adjoining \r\n"
            "LastAU HasPretonicSyl HasPosttonicSyl \r\n");
  EXPECT_EQ(TextOf(sds[9]),
            "Vowel Unstressed Posttonic Intonable \r\n"
            "Open LastSyl PosttonicSyl NonAdjoining \r\n"
            "LastAU HasPretonicSyl HasPosttonicSyl \r\n");

  const std::vector<I8> after = DescribePositions("#,M,A0,M,A5,#");
  ASSERT_EQ(after.size(), 6u);
  EXPECT_EQ(PhoneLine(after[4]), "Vowel Stressed PartialStressed Posttonic Intonable ");
}

TEST_F(SonalikPositionDescriptions, WordsWithoutStressOrVowel) {
  const std::vector<I8> unstressed = DescribePositions("#,M,A1,M,A1,#");
  ASSERT_EQ(unstressed.size(), 6u);
  EXPECT_EQ(TextOf(unstressed[4]),
            "Vowel Unstressed Pretonic Intonable \r\n"
            "Open LastSyl PretonicSyl NonAdjoining \r\n"
            "LastAU NoPretonicSyl NoPosttonicSyl \r\n");

  const std::vector<I8> preposition = DescribePositions("#,S,_,K,O0,T,#");
  ASSERT_EQ(preposition.size(), 7u);
  EXPECT_EQ(TextOf(preposition[1]),
            "Consonant Voiceless Fricative Hard \r\n"
            "Closed LastSyl PretonicSyl NonAdjoining \r\n"
            "FirstAU NoPretonicSyl NoPosttonicSyl \r\n");
}

TEST_F(SonalikPositionDescriptions, NeighbouringConsonants) {
  const std::vector<I8> td = DescribePositions("#,T,D,A0,#");
  ASSERT_EQ(td.size(), 5u);
  EXPECT_EQ(PhoneLine(td[1]), "Consonant Voiceless Occlusive Plosive Hard Homoorganic ");
  EXPECT_EQ(PhoneLine(td[2]), "Consonant Voiced Occlusive Plosive Hard Homoorganic Intonable ");

  const std::vector<I8> mixed = DescribePositions("#,T,T',K,A0,#");
  ASSERT_EQ(mixed.size(), 6u);
  EXPECT_EQ(PhoneLine(mixed[2]),
            "Consonant Voiceless Occlusive Plosive Soft Homoorganic NonHomoorganic ");
  EXPECT_EQ(PhoneLine(mixed[3]), "Consonant Voiceless Occlusive Plosive Hard NonHomoorganic ");

  const std::vector<I8> ss = DescribePositions("#,S,S,A0,#");
  ASSERT_EQ(ss.size(), 5u);
  EXPECT_EQ(PhoneLine(ss[1]), "Consonant Voiceless Fricative Hard SamePhoneme1 ");
  EXPECT_EQ(PhoneLine(ss[2]), "Consonant Voiceless Fricative Hard SamePhoneme2 ");

  const std::vector<I8> nn = DescribePositions("#,N,N',A0,#");
  ASSERT_EQ(nn.size(), 5u);
  EXPECT_EQ(PhoneLine(nn[1]), "Consonant Voiced Occlusive Sonant Hard Intonable ");
}

TEST_F(SonalikPositionDescriptions, UnframedListHasNoClosedWord) {
  // No boundary closes a word, so each sound keeps its own description and
  // its neighbour marks; nothing is read past either end.
  const std::vector<I8> sds = DescribePositions("T,A0,T");
  ASSERT_EQ(sds.size(), 3u);
  EXPECT_EQ(TextOf(sds[0]), "Consonant Voiceless Occlusive Plosive Hard \r\n");
  EXPECT_EQ(sds[1], SoundDescriptionOf("A0"));
  EXPECT_EQ(sds[2], SoundDescriptionOf("T"));
}

TEST_F(SonalikPositionDescriptions, OnlyValidListsAreDescribed) {
  I8* sds = reinterpret_cast<I8*>(1);
  INT num = -1;
  EXPECT_EQ(Phonetic()->GetSoundDescriptions(In("#,A0"), &sds, &num), E_INVALIDARG);
  EXPECT_EQ(sds, nullptr);
  EXPECT_EQ(Phonetic()->GetSoundDescriptions(In("A0,#"), &sds, &num), E_INVALIDARG);
  EXPECT_EQ(Phonetic()->GetSoundDescriptions(In("#,_,A0,#"), &sds, &num), E_INVALIDARG);
  EXPECT_EQ(Phonetic()->GetSoundDescriptions(In("#,Q,#"), &sds, &num), E_INVALIDARG);
  EXPECT_EQ(Phonetic()->GetSoundDescriptions(In("#,A0,#"), nullptr, &num), E_INVALIDARG);
  EXPECT_EQ(Phonetic()->GetSoundDescriptions(In("#,A0,#"), &sds, nullptr), E_INVALIDARG);
  EXPECT_EQ(Phonetic()->GetSoundDescriptions(nullptr, &sds, &num), E_INVALIDARG);
}

}  // namespace
