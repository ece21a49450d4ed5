// Sentences through the text-analysis server as the speech engine sees them:
// both servers registered into the test's registry, created through
// CoCreateInstance over small data made here, words converted by the real
// letter-to-phoneme server.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "foundation/code_pages.h"
#include "foundation/registry_string.h"
#include "foundation/char_classes.h"
#include "interfaces/glossel.h"
#include "platform/registry.h"
#include "platform/server.h"
#include "textanalysis/lexicon/tests/lexicon_files.h"

namespace {

namespace fs = std::filesystem;

constexpr char16_t kConfigKey[] = u"SOFTWARE\\Morvane\\Russian";

void RegisterLibrary(const char* path) {
  void* library = dlopen(path, RTLD_NOW);
  ASSERT_NE(library, nullptr) << dlerror();
  auto reg = reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllRegisterServer"));
  ASSERT_NE(reg, nullptr);
  ASSERT_EQ(reg(), S_OK);
}

void SetConfig(const char16_t* name, const std::string& value) {
  ASSERT_EQ(WriteRegistryString(HKEY_LOCAL_MACHINE, kConfigKey, name, NarrowToWide(value)),
            ERROR_SUCCESS);
}

// One syntagma: "sign tone: letters=phonemes@position ...".
struct Syntagma {
  INT sign;
  std::string tone;
  std::vector<std::string> words;     // letters
  std::vector<std::string> phonemes;
  std::vector<INT> positions;
};

class GlosselStagesTest : public ::testing::Test {
 public:
  static void SetUpTestSuite() {
    RegisterLibrary(RUNEMAP_LIBRARY_PATH);
    RegisterLibrary(GLOSSEL_LIBRARY_PATH);
    const fs::path root = fs::path(::testing::TempDir()) / "stages-data";
    const fs::path dict = root / "dict";
    WriteWordFile(dict, "jog3.dat", 4, {"ёлка"});
    WriteWordFile(dict, "wordsg3.dat", 4, {"бЫло", "нАдо", "углА"});
    WriteWordFile(dict, "wordsg3.dat", 5, {"дОмик"});
    WriteWordFile(dict, "wordsg3.dat", 6, {"молокО"});
    WriteWordFile(dict, "wordsg3.dat", 7, {"учИться"});
    CompleteLexicon(dict);
    WriteBytes(root / "strings.txt",
               "[ServiceWords]\n"
               "{Вопросительные_слова}\nкто\n"
               "{Присоединяются_направо}\nв\nне\nиз-за\n"
               "{Присоединяются_налево}\nже\nли\n"
               "{Присоединяются_и_сохраняют_ударение}\n"
               "[Аббревиатуры]\n{Данные}\n|;\n");
    WriteBytes(root / "user.txt", "котё+нок\n");
    fs::create_directories(root / "masks");
    SetConfig(u"Root", root.string());
    SetConfig(u"NewStressBase", "dict");
    SetConfig(u"UserStressBase", "user.txt");
    SetConfig(u"StringResources", "strings.txt");
    SetConfig(u"MaskBases", "masks");
    SetConfig(u"Runemap", "{AAC0577E-969B-4545-BB63-054568E4C600}");
  }

 protected:
  void SetUp() override {
    ASSERT_EQ(CoCreateInstance(CLSID_RusTextTagsProcessor, nullptr, CLSCTX_INPROC_SERVER,
                               IID_PPV_ARGS(&prep_)),
              S_OK);
  }
  void TearDown() override {
    if (prep_ != nullptr) prep_->Release();
  }

  void SetLang(INT value) {
    ILMSubLang* lang = nullptr;
    ASSERT_EQ(prep_->QueryInterface(IID_PPV_ARGS(&lang)), S_OK);
    EXPECT_EQ(lang->SetLang(value), S_OK);
    lang->Release();
  }

  // Pushes the text and pops its first sentence.
  std::vector<Syntagma> Say(const char* text) {
    EXPECT_EQ(prep_->Reset(), S_OK);
    EXPECT_EQ(prep_->PushText(const_cast<LPSTR>(text), nullptr, 0), S_OK);
    return Pop();
  }

  std::vector<Syntagma> Pop() {
    Syntagma3* syntagmas = nullptr;
    INT count = 0;
    I4 more = 0;
    EXPECT_EQ(prep_->PopSentence(&syntagmas, &count, &more), S_OK);
    std::vector<Syntagma> out;
    for (INT s = 0; s < count; ++s) {
      Syntagma3& record = syntagmas[s];
      out.push_back({record.inton_sign, record.tone_kont, {}, {}, {}});
      for (INT w = 0; w < record.num_words; ++w) {
        SyntagmaWord2& word = record.words[w];
        out.back().words.push_back(word.raw_text);
        out.back().phonemes.push_back(word.str);
        out.back().positions.push_back(word.synt_pos);
        CoTaskMemFree(word.str);
        CoTaskMemFree(word.raw_text);
      }
      CoTaskMemFree(record.words);
      CoTaskMemFree(record.tone_kont);
    }
    CoTaskMemFree(syntagmas);
    return out;
  }

  // The phoneme strings of the sentence's words, in order.
  std::vector<std::string> Phonemes(const char* text) {
    std::vector<std::string> all;
    for (const Syntagma& syntagma : Say(text))
      all.insert(all.end(), syntagma.phonemes.begin(), syntagma.phonemes.end());
    return all;
  }

  ILMPrepToSpeak4* prep_ = nullptr;
};

using Texts = std::vector<std::string>;

TEST_F(GlosselStagesTest, SentencesAreCutIntoSyntagmasAtPunctuation) {
  std::vector<Syntagma> said = Say("Он пришёл, а она ушла.");
  ASSERT_EQ(said.size(), 2u);
  EXPECT_EQ(said[0].sign, SE_Comma6);
  EXPECT_EQ(said[0].words, (Texts{"он", "пришёл"}));
  EXPECT_EQ(said[0].positions, (std::vector<INT>{FirstInSyntagma, LastInSyntagma}));
  EXPECT_EQ(said[0].tone, "(.)|(.)");
  EXPECT_EQ(said[1].sign, SE_Stop2);
  EXPECT_EQ(said[1].words, (Texts{"а", "она", "ушла"}));
  EXPECT_EQ(said[1].positions,
            (std::vector<INT>{FirstInSyntagma, MiddleInSyntagma, LastInSyntagma}));
  EXPECT_EQ(said[1].tone, "(..)|(..)");

  said = Say("Он ушёл.\nДа.");
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(said[0].sign, SE_Stop1);
  EXPECT_EQ(said[0].tone, "(.)|(.)");

  // An ellipsis ends its sentence as a period does.
  said = Say("Он ушёл... Она пришла.");
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(said[0].words, (Texts{"он", "ушёл"}));
  EXPECT_EQ(said[0].sign, SE_Stop2);
  said = Say("Он ушёл...\nОна пришла.");
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(said[0].words, (Texts{"он", "ушёл"}));
  EXPECT_EQ(said[0].sign, SE_Stop1);

  said = Say("Кто там?");
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(said[0].sign, SE_Question1);
  EXPECT_EQ(said[0].tone, "(?.)|(?.)");

  said = Say("Стой!");
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(said[0].sign, SE_Exclamation);
  EXPECT_EQ(said[0].positions, (std::vector<INT>{LastInSyntagma}));
  EXPECT_EQ(said[0].tone, "(!.)|(!.)");
  said = Say("Иди домой!");
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(said[0].sign, SE_Exclamation1);
  EXPECT_EQ(said[0].tone, "(!)|(!)");

  // Leading marks make no syntagma.
  said = Say(", , слово");
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(said[0].words, (Texts{"слово"}));
  EXPECT_EQ(said[0].sign, SE_Stop1);
}

TEST_F(GlosselStagesTest, CliticsAndHyphenatedWordsAreOnePhoneticWord) {
  for (INT lang : {0, 2}) {
    SetLang(lang);
    std::vector<Syntagma> said = Say("Кто-то пришёл из-за угла.");
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].words, (Texts{"ктото", "пришёл", "иззаугла"}));
    // One main stress each: "то", "из" and "за" lose theirs.
    EXPECT_EQ(said[0].phonemes[0], "K,T,O0,T,A2");
    EXPECT_EQ(said[0].phonemes[2].substr(said[0].phonemes[2].size() - 9), "U1,G,L,A0");
  }
  // A hard sign between a final consonant and the vowel of the host; "не"
  // takes the stress of "не было"; 'ё' and the user base stress the rest.
  SetLang(2);
  std::vector<Syntagma> said = Say("В окне молоко, котёнок не было.");
  ASSERT_EQ(said.size(), 2u);
  EXPECT_EQ(said[0].words, (Texts{"въокне", "молоко"}));
  EXPECT_EQ(said[0].phonemes, (Texts{"V,A1,K,N',E0", "M,A1,L,A1,K,O0"}));
  EXPECT_EQ(said[1].words, (Texts{"котёнок", "небыло"}));
  EXPECT_EQ(said[1].phonemes, (Texts{"K,A1,T',O0,N,A2,K", "N',E0,B,Y2,L,A2"}));
  EXPECT_EQ(said[1].positions, (std::vector<INT>{FirstInSyntagma, LastInSyntagma}));
}

TEST_F(GlosselStagesTest, ColloquialRewritesReachTheConverter) {
  std::vector<Syntagma> said = Say("Того касса. Учиться надо.");
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(said[0].words, (Texts{"тово", "каса"}));
  EXPECT_EQ(said[0].phonemes[0], "T,A1,V,O0");
  said = Pop();
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(said[0].words, (Texts{"учитса", "надо"}));
  EXPECT_EQ(said[0].phonemes, (Texts{"U1,CH',I0,T,S,A2", "N,A0,D,A2"}));
}

TEST_F(GlosselStagesTest, WordJointsVoiceAndHardenTheNeighbours) {
  for (INT lang : {0, 2}) {
    SetLang(lang);
    EXPECT_EQ(Phonemes("Нос дом, нос день, кот идёт."),
              (Texts{"N,O0,Z", "D,O0,M", "N,O0,S", "D',E0,N'", "K,O0,T", "Y1,D',O0,T"}));
  }
}

// The letters with the vowel that the phonemes stress (digit "0") in
// capitals: each vowel letter gives one vowel phoneme.
std::string ShowStress(const std::string& letters, const std::string& phonemes) {
  int stressed = -1;
  int vowel = 0;
  for (size_t i = 0; i < phonemes.size(); ++i) {
    if (phonemes[i] < '0' || phonemes[i] > '9') continue;
    if (phonemes[i] == '0') stressed = vowel;
    ++vowel;
  }
  std::string out = letters;
  vowel = 0;
  for (char& c : out) {
    if (!IsRusVowel(static_cast<unsigned char>(c))) continue;
    if (vowel++ == stressed) c = static_cast<char>(RusToUpper(static_cast<unsigned char>(c)));
  }
  return out;
}

// The installed data as the data build leaves it in the build tree.
class BuiltDataTest : public GlosselStagesTest {
 public:
  static void SetUpTestSuite() {
    GlosselStagesTest::SetUpTestSuite();
    SetConfig(u"Root", BUILT_DATA_DIR);
    SetConfig(u"NewStressBase", "Dict");
    SetConfig(u"UserStressBase", "userstress.txt");
    SetConfig(u"StringResources", "resources.txt");
    SetConfig(u"MaskBases", "Masks");
  }

 protected:
  void SetUp() override {
    if (!fs::exists(fs::path(BUILT_DATA_DIR) / "Dict" / "wordsg3.dat5"))
      GTEST_SKIP() << "no built data in " BUILT_DATA_DIR " (build the russian-data target)";
    GlosselStagesTest::SetUp();
  }
};

TEST_F(BuiltDataTest, ProseComesOutWithDictionaryStresses) {
  EXPECT_EQ(prep_->PushText(const_cast<LPSTR>(
                "Утром мы вышли из дома и пошли к реке. Солнце светило ярко, "
                "а в траве пели птицы. Мой брат нёс удочки, а я несла корзину с хлебом."),
                nullptr, 0),
            S_OK);
  std::vector<std::string> words;
  for (int sentence = 0; sentence < 3; ++sentence)
    for (const Syntagma& syntagma : Pop())
      for (size_t w = 0; w < syntagma.words.size(); ++w)
        words.push_back(ShowStress(syntagma.words[w], syntagma.phonemes[w]));
  EXPECT_EQ(words, (Texts{"Утром", "мЫ", "вЫшли", "издОма", "ипошлИ", "крекЕ", "сОлнце",
                          "светИло", "Ярко", "автравЕ", "пЕли", "птИцы", "мОй", "брАт", "нЁс",
                          "Удочки", "аЯ", "неслА", "корзИну", "схлЕбом"}));

  // "надо" is a word of its own but before the pronoun it leans on.
  words.clear();
  EXPECT_EQ(prep_->PushText(const_cast<LPSTR>("Мне надо идти. Он смеялся надо мной."), nullptr,
                            0),
            S_OK);
  for (int sentence = 0; sentence < 2; ++sentence)
    for (const Syntagma& syntagma : Pop())
      for (size_t w = 0; w < syntagma.words.size(); ++w)
        words.push_back(ShowStress(syntagma.words[w], syntagma.phonemes[w]));
  EXPECT_EQ(words, (Texts{"мнЕ", "нАдо", "идтИ", "Он", "смеЯлся", "надомнОй"}));
}

}  // namespace
