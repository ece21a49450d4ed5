// Numbers, abbreviations, letters and symbols read through the server, over
// small data files with a phrase dictionary and grammar forms.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "foundation/code_pages.h"
#include "foundation/registry_string.h"
#include "interfaces/glossel.h"
#include "platform/registry.h"
#include "platform/server.h"

namespace {

namespace fs = std::filesystem;

constexpr char16_t kConfigKey[] = u"SOFTWARE\\Morvane\\Russian";

constexpr const char* kStrings =
    "[Аббревиатуры]\n{Данные}\n|#\n"
    "т.е.|то есть\n"
    "г.|году|LEFT_NUMBER\n"
    "руб.|рубля|LEFT_NUMBER|LEFT_FEW\n"
    "руб.|рублей|LEFT_NUMBER\n"
    "США|сэ шэ а+|PRESERVE_CASE\n"
    "ул.|у+лица|RIGHT_CAPITAL\n"
    "[ServiceWords]\n{Присоединяются_направо}\nа\n"
    "[Разрешить_Обработку_Аббревиатур]\n{Данные}\n1\n"
    "[Словарные_формы]\n{Данные}\nгоду:муж:прил:предл:ед\nвек:муж:прил:им:ед\n"
    "[Числовые_формы]\n{Данные}\n"
    "(муж:прил:предл:ед)\nодин первом\nдевять девятом\n@\n"
    "(муж:прил:им:ед)\nдевятнадцать девятнадцатый\n@\n"
    "(жен:числ:им:ед)\nодин одна\n@\n";

void RegisterLibrary(const char* path) {
  void* library = dlopen(path, RTLD_NOW);
  ASSERT_NE(library, nullptr) << dlerror();
  auto reg = reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllRegisterServer"));
  ASSERT_NE(reg, nullptr);
  ASSERT_EQ(reg(), S_OK);
}

void WriteEmptyWordFiles(const fs::path& folder, const char* stem, int from, int to) {
  for (int n = from; n <= to; ++n) {
    std::ofstream file(folder / (stem + std::to_string(n)), std::ios::binary);
    file.write("\0\0\0\0", 4);
  }
}

void SetConfig(const char16_t* name, const std::string& value) {
  ASSERT_EQ(WriteRegistryString(HKEY_LOCAL_MACHINE, kConfigKey, name, NarrowToWide(value)),
            ERROR_SUCCESS);
}

class NormalisationServerTest : public ::testing::Test {
 public:
  static void SetUpTestSuite() {
    setenv("PARLEN_REGISTRY", "glossel_normalisation_tests.reg", 0);
    RegisterLibrary(RUNEMAP_LIBRARY_PATH);
    RegisterLibrary(GLOSSEL_LIBRARY_PATH);
    const fs::path root = fs::path(::testing::TempDir()) / "data";
    fs::create_directories(root / "stress");
    fs::create_directories(root / "masks");
    WriteEmptyWordFiles(root / "stress", "endsg3.dat", 1, 19);
    WriteEmptyWordFiles(root / "stress", "wordsg3.dat", 2, 24);
    WriteEmptyWordFiles(root / "stress", "jog3.dat", 1, 21);
    std::ofstream(root / "strings.txt") << kStrings;
    SetConfig(u"Root", root.string());
    SetConfig(u"NewStressBase", "stress");
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

  // The words of the first sentence of the text, joined by blanks; the
  // span of each word in `spans` when given.
  std::string Said(const char* text, std::vector<Interval>* spans = nullptr,
                   std::vector<MarkupInfo> tags = {}) {
    EXPECT_EQ(prep_->PushText(const_cast<LPSTR>(text), tags.empty() ? nullptr : tags.data(),
                              static_cast<INT>(tags.size())),
              S_OK);
    Syntagma2* syntagmas = nullptr;
    INT count = 0;
    I4 more = 0;
    EXPECT_EQ(prep_->PopSentence(&syntagmas, &count, &more), S_OK);
    std::string said;
    for (INT s = 0; s < count; ++s) {
      for (INT w = 0; w < syntagmas[s].num_words; ++w) {
        const SyntagmaWord2& word = syntagmas[s].words[w];
        if (!said.empty()) said += ' ';
        said += word.raw_text;
        if (spans != nullptr) spans->push_back(word.word_itvl);
        CoTaskMemFree(word.str);
        CoTaskMemFree(word.raw_text);
      }
      CoTaskMemFree(syntagmas[s].words);
    }
    CoTaskMemFree(syntagmas);
    EXPECT_EQ(prep_->Reset(), S_OK);
    return said;
  }

  ILMPrepToSpeak4* prep_ = nullptr;
};

// The words come back after the colloquial rewrites ("двацать", "долар").
TEST_F(NormalisationServerTest, Numbers) {
  EXPECT_EQ(Said("Их было 21000."), "их было двацать одна тысяча");
  EXPECT_EQ(Said("Это 21-й раз."), "это двацать первый раз");
  EXPECT_EQ(Said("Рост 25% за год."), "рост двацать пять процентов за год");
  EXPECT_EQ(Said("Цена $21."), "цена двацать один долар");
  EXPECT_EQ(Said("Цена 5.05$."), "цена пять доларов пять центов");
  EXPECT_EQ(Said("Это XIX век."), "это девятнадцатый век");
  EXPECT_EQ(Said("В 1999 году."), "в тысяча девятьсот девяносто девятом году");
  EXPECT_EQ(Said("Было -5 и 3,05."), "было минус пять и три целых пять сотых");
}

TEST_F(NormalisationServerTest, LettersAbbreviationsSymbols) {
  EXPECT_EQ(Said("Компания IBM и ФСБ."), "компания ай би эм и эф эс бэ");
  EXPECT_EQ(Said("Б."), "бэ");
  EXPECT_EQ(Said("Работает Linux."), "работает линукс");
  EXPECT_EQ(Said("Пиши @ и #."), "пиши собака и диез");
}

TEST_F(NormalisationServerTest, Phrases) {
  EXPECT_EQ(Said("Это т.е. то."), "это то есть то");
  EXPECT_EQ(Said("Это в 1999 г. было."), "это в тысяча девятьсот девяносто девятом году было");
  EXPECT_EQ(Said("Это 5 руб."), "это пять рублей");
  std::vector<Interval> spans;
  EXPECT_EQ(Said("На ул. Мира.", &spans), "на улица мира");
  ASSERT_EQ(spans.size(), 3u);
  EXPECT_EQ(spans[1].start, 3u);
  EXPECT_EQ(spans[1].size, 3u);
}

// Units agree with their number, signs that have names are said, a dash
// between numbers is no minus, and the letters of a spelled
// abbreviation do not lean on the next word.
TEST_F(NormalisationServerTest, UnitsSignsRangesAndSpelledLetters) {
  EXPECT_EQ(Said("Стоит 3 руб. за штуку."), "стоит три рубля за штуку");
  EXPECT_EQ(Said("Было 5\xB0 тепла."), "было пять градусов тепла");
  EXPECT_EQ(Said("Точность \xB1" "2 и \xA7 5 за 10 \x88."),
            "точность плюс минус два и параграф пять за десять евро");
  EXPECT_EQ(Said("Будет 10 - 3 потом."), "будет десять три потом");
  EXPECT_EQ(Said("Шла 1941 - 1945."),
            "шла тысяча девятьсот сорок один тысяча девятьсот сорок пять");
  EXPECT_EQ(Said("Через 2-3 дня."), "через два три дня");
  EXPECT_EQ(Said("США выступил, а он нет."), "сэ шэ а выступил аон нет");
}

TEST_F(NormalisationServerTest, GenderTagAppliesToItsSpan) {
  MarkupInfo tag{};
  tag.desc = const_cast<LPSTR>("Context=gender_feminine");
  tag.tag_itvl = Interval{0, 2};
  EXPECT_EQ(Said("1 и 1.", nullptr, {tag}), "одна и один");
}

}  // namespace
