// The built Russian data, read through the lexicon's own classes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "textanalysis/lexicon/linguistic_resources.h"
#include "textanalysis/lexicon/mask_base.h"
#include "textanalysis/lexicon/stress_dictionary.h"
#include "textanalysis/lexicon/string_resource_file.h"
#include "textanalysis/lexicon/word_file_set.h"

namespace {

// Build paths as UTF-16, whatever their letters.
const std::u16string kDataDir = u"" RUSSIAN_DATA_DIR;
const std::u16string kStressFolder = u"" RUSSIAN_DATA_DIR "/" RUSSIAN_STRESS_BASE "/";

std::vector<TextToken> Tokens(const std::vector<std::string>& texts) {
  std::vector<TextToken> tokens;
  for (const std::string& text : texts)
    tokens.emplace_back(TextToken::kRussianWord, text, Interval{});
  return tokens;
}

TEST(InstalledStressDictionary, GivesEveryKeptLexiconFormItsStress) {
  StressDictionary dictionary;
  ASSERT_TRUE(dictionary.Load(kStressFolder));
  std::ifstream forms(std::filesystem::path(u"" RUSSIAN_STRESS_FORMS), std::ios::binary);
  ASSERT_TRUE(forms.is_open());
  std::string word;
  int stress = 0;
  int count = 0;
  std::vector<std::string> wrong;
  while (forms >> word >> stress) {
    ++count;
    const int found = dictionary.Lookup(word);
    if (found != stress && wrong.size() < 20)
      wrong.push_back(word + " " + std::to_string(stress) + " -> " + std::to_string(found));
  }
  EXPECT_GT(count, 150000);
  EXPECT_TRUE(wrong.empty()) << ::testing::PrintToString(wrong);
}

// Forms the lexicon lacks, stressed from their lemma's pattern or ending.
TEST(InstalledStressDictionary, StressesFormsTheLexiconLacks) {
  StressDictionary dictionary;
  ASSERT_TRUE(dictionary.Load(kStressFolder));
  const std::pair<const char*, int> expected[] = {
      {"отменять", 5},      {"пылесосами", 5},    {"пылесосы", 5},
      {"законопроект", 9},  {"законопроекты", 9}, {"втулка", 2},
      {"втулками", 2},      {"газопроводами", 8}, {"переосмысление", 10},
      {"телефонами", 5},    {"подоконниками", 5}, {"маршрутизаторы", 9},
      {"сковородками", 6}};
  for (const auto& [word, stress] : expected) EXPECT_EQ(dictionary.Lookup(word), stress) << word;
}

// Common words whose lexicon mark is a slip its lemma's forms mend, whose
// preposition reading wins, or that the recorded utterances stress.
TEST(InstalledStressDictionary, StressesCommonWordsAsTextReadsThem) {
  StressDictionary dictionary;
  ASSERT_TRUE(dictionary.Load(kStressFolder));
  const std::pair<const char*, int> expected[] = {
      {"после", 1}, {"голову", 1}, {"лекарство", 3}, {"спешить", 4}, {"договор", 5},
      {"начало", 3}, {"силу", 1}, {"волна", 4}, {"моря", 1}};
  for (const auto& [word, stress] : expected) EXPECT_EQ(dictionary.Lookup(word), stress) << word;
}

TEST(InstalledYoVariants, HoldUnambiguousYoFormsOnly) {
  YoVariantsBase base;
  ASSERT_TRUE(base.Load(kStressFolder));
  for (const char* word : {"ещё", "её", "актёр", "зелёный", "решён", "берёза", "пётр"})
    EXPECT_TRUE(base.Find(word)) << word;
  // Ambiguous with a word spelled with 'е', a short form the language spells
  // with 'е', a form stressed elsewhere in the lexicon, two 'ё'.
  for (const char* word :
       {"всё", "нёбо", "осёл", "берёт", "чём", "решёна", "заключёны", "узнаём", "трёхзвёздный"})
    EXPECT_FALSE(base.Find(word)) << word;
}

class InstalledYoMasks : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { masks_.Load(u"" RUSSIAN_DATA_DIR "/" RUSSIAN_MASK_BASES); }

  // The decided position in word `index`, or -1.
  static int Decide(const std::vector<std::string>& words, int index) {
    int position = -1;
    return masks_.FindYoPosition(Tokens(words), index, position) ? position : -1;
  }

  static YoMaskBase masks_;
};

YoMaskBase InstalledYoMasks::masks_;

TEST_F(InstalledYoMasks, DecideAmbiguousWordsByContext) {
  EXPECT_EQ(Decide({"все", "равно"}, 0), 2);
  EXPECT_EQ(Decide({"Все", "-", "таки"}, 0), 2);
  EXPECT_EQ(Decide({"вот", "и", "все"}, 2), 2);
  EXPECT_EQ(Decide({"это", "все", "."}, 1), 2);
  EXPECT_EQ(Decide({"думать", "о", "нем"}, 2), 1);
  EXPECT_EQ(Decide({"в", "чем", "дело"}, 1), 1);
  EXPECT_EQ(Decide({"мягкое", "небо"}, 1), 1);
  EXPECT_EQ(Decide({"яркие", "звезды"}, 1), 2);
  EXPECT_EQ(Decide({"новые", "колеса"}, 1), 3);
  EXPECT_EQ(Decide({"черт", "возьми"}, 0), 1);
}

TEST_F(InstalledYoMasks, LeaveOtherContextsAlone) {
  EXPECT_EQ(Decide({"все", "люди"}, 0), -1);
  EXPECT_EQ(Decide({"все", "равно"}, 1), -1);
  EXPECT_EQ(Decide({"больше", "чем"}, 1), -1);
  EXPECT_EQ(Decide({"небо", "голубое"}, 0), -1);
  EXPECT_EQ(Decide({"две", "звезды"}, 1), -1);
}

class InstalledStringResources : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    resources_.Load(u"" RUSSIAN_DATA_DIR "/" RUSSIAN_STRING_RESOURCES);
  }

  // The form of the numeral under the block header, or "" when absent.
  static std::string NumberForm(const std::string& header, const std::string& numeral) {
    const std::vector<std::string> lines = resources_.GetLines("Числовые_формы", "Данные");
    bool inBlock = false;
    for (const std::string& line : lines) {
      if (line[0] == '(' || line[0] == '@')
        inBlock = line == header;
      else if (inBlock && line.substr(0, numeral.size() + 1) == numeral + " ")
        return line.substr(numeral.size() + 1);
    }
    return "";
  }

  static StringResourceFile resources_;
};

StringResourceFile InstalledStringResources::resources_;

TEST_F(InstalledStringResources, HoldEverySectionTheServerReads) {
  EXPECT_EQ(resources_.GetLines("Разрешить_Обработку_Аббревиатур", "Данные"),
            std::vector<std::string>{"1"});
  const std::vector<std::string> phrases = resources_.GetLines("Аббревиатуры", "Данные");
  ASSERT_GT(phrases.size(), 50u);
  EXPECT_EQ(phrases[0], "|#");
  EXPECT_EQ(phrases[1], "т.е.|то есть");
  const std::vector<std::string> lists = resources_.GetSubsections("ServiceWords");
  for (const char* list : {"Вопросительные_слова", "Присоединяются_направо",
                           "Присоединяются_налево", "Присоединяются_и_сохраняют_ударение"})
    EXPECT_FALSE(resources_.GetLines("ServiceWords", list).empty()) << list;
  EXPECT_EQ(lists.size(), 4u);
  EXPECT_GT(resources_.GetLines("Транскрипция", "Слова").size(), 10u);
}

TEST_F(InstalledStringResources, NumberFormsFillTheSlotsTheReadersAsk) {
  EXPECT_EQ(NumberForm("(жен:числ:им:ед)", "один"), "одна");
  EXPECT_EQ(NumberForm("(сред:числ:им:ед)", "два"), "два");
  EXPECT_EQ(NumberForm("(муж:числ:род:мн)", "пять"), "пяти");
  EXPECT_EQ(NumberForm("(муж:числ:род:ед)", "один"), "одного");
  EXPECT_EQ(NumberForm("(муж:прил:предл:ед)", "девяносто"), "девяностом");
  EXPECT_EQ(NumberForm("(жен:прил:твор:ед)", "три"), "третьей");
  EXPECT_EQ(NumberForm("(сред:прил:род:ед)", "сорок"), "сорокового");
  EXPECT_EQ(NumberForm("(муж:прил:им:мн)", "тысяча"), "тысячные");
  // "двух тысяч", "пяти миллионам": the scale words' plural.
  EXPECT_EQ(NumberForm("(муж:числ:род:мн)", "тысяча"), "тысяч");
  EXPECT_EQ(NumberForm("(муж:числ:дат:мн)", "миллион"), "миллионам");
  int headers = 0;
  for (const std::string& line : resources_.GetLines("Числовые_формы", "Данные"))
    headers += line[0] == '(';
  EXPECT_EQ(headers, 72);
}

TEST_F(InstalledStringResources, DictionaryFormsUseKnownLabels) {
  const std::set<std::string> genders{"муж", "жен", "сред"}, parts{"числ", "прил"},
      cases{"им", "род", "дат", "вин", "твор", "предл"}, numbers{"ед", "мн"};
  const std::vector<std::string> lines = resources_.GetLines("Словарные_формы", "Данные");
  ASSERT_FALSE(lines.empty());
  for (const std::string& line : lines) {
    std::vector<std::string> fields;
    std::stringstream stream(line);
    for (std::string field; std::getline(stream, field, ':');) fields.push_back(field);
    ASSERT_EQ(fields.size(), 5u) << line;
    EXPECT_TRUE(genders.count(fields[1]) && parts.count(fields[2]) && cases.count(fields[3]) &&
                numbers.count(fields[4]))
        << line;
  }
  // Every form of a counted noun, in case order, with and without 'ё'; the
  // count of a spelling before its order ("2 страницы", "5 г" before the
  // year's "1945 г.").
  auto at = [&lines](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) - lines.begin();
  };
  const auto absent = static_cast<std::ptrdiff_t>(lines.size());
  for (const char* line : {"часов:муж:числ:род:мн", "часам:муж:числ:дат:мн",
                           "минуты:жен:числ:род:ед", "минуты:жен:числ:им:мн",
                           "ребёнка:муж:числ:род:ед", "ребенка:муж:числ:род:ед",
                           "книгу:жен:числ:вин:ед", "тыс:жен:числ:род:мн", "лет:муж:числ:род:мн"})
    EXPECT_LT(at(line), absent) << line;
  EXPECT_LT(at("страницы:жен:числ:род:ед"), at("страницы:жен:прил:род:ед"));
  EXPECT_LT(at("страницы:жен:прил:род:ед"), absent);
  EXPECT_LT(at("г:муж:числ:им:ед"), at("г:муж:прил:род:ед"));
  EXPECT_LT(at("г:муж:прил:род:ед"), absent);
}

// The installation's registry values (written into this test's own registry
// file by the fixture that runs the installation step) let the server's
// resources load the whole data.
std::u16string ReadRegistryText(const char16_t* key, const char16_t* name) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return u"";
  char16_t buffer[1024] = {};
  DWORD size = sizeof buffer - sizeof(char16_t);
  DWORD type = 0;
  const LONG result =
      RegQueryValueExW(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(handle);
  return result == ERROR_SUCCESS && type == REG_SZ ? std::u16string(buffer) : u"?";
}

TEST(InstalledRegistry, NamesTheDataForServerPhoneticsAndReader) {
  const char16_t* russian = u"SOFTWARE\\Morvane\\Russian";
  const char16_t* module = u"Software\\Morvane\\Glossel Module\\419";
  EXPECT_EQ(ReadRegistryText(russian, u"Root"), kDataDir);
  EXPECT_EQ(ReadRegistryText(russian, u"NewStressBase"), u"Dict");
  EXPECT_EQ(ReadRegistryText(russian, u"UserStressBase"), u"userstress.txt");
  EXPECT_EQ(ReadRegistryText(russian, u"StringResources"), u"resources.txt");
  EXPECT_EQ(ReadRegistryText(russian, u"MaskBases"), u"Masks");
  EXPECT_EQ(ReadRegistryText(russian, u"PhTableRusPath"), u"phtable_rus.dat");
  EXPECT_EQ(ReadRegistryText(russian, u"Runemap"), u"{AAC0577E-969B-4545-BB63-054568E4C600}");
  EXPECT_EQ(ReadRegistryText(module, u"UserStressBase"), kDataDir + u"/userstress.txt");

  HKEY handle = nullptr;
  DWORD generation = 0xFFFFFFFF, size = sizeof generation, type = 0;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, module, 0, KEY_READ, &handle), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExW(handle, u"UserStressBaseGeneration", nullptr, &type,
                             reinterpret_cast<BYTE*>(&generation), &size),
            ERROR_SUCCESS);
  RegCloseKey(handle);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));

  LinguisticResources resources;
  EXPECT_EQ(resources.LoadAll(), LinguisticResources::kLoaded);
  EXPECT_TRUE(resources.GetStressDictionary().IsLoaded());
  EXPECT_TRUE(resources.GetYoVariants().IsLoaded());
}

}  // namespace
