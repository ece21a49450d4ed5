// Every word the normalisation processors can say must reach the stress
// stage with a stress: a "+" of its own, a record of the built stress
// dictionary, a single vowel or a 'ё'. A word that falls back on the
// dictionary's default rule would be spoken with a guessed stress.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "foundation/char_classes.h"
#include "foundation/code_pages.h"
#include "platform/unicode.h"
#include "textanalysis/lexicon/stress_dictionary.h"
#include "textanalysis/lexicon/string_resource_file.h"
#include "textanalysis/normalisation/context_tag_processor.h"
#include "textanalysis/normalisation/grammar_tables.h"
#include "textanalysis/normalisation/letter_tables.h"
#include "textanalysis/normalisation/markup_tables.h"
#include "textanalysis/normalisation/markup_tag_processors.h"
#include "textanalysis/normalisation/number_processors.h"
#include "textanalysis/normalisation/numeral_speller.h"
#include "textanalysis/normalisation/tests/test_tokens.h"
#include "textanalysis/normalisation/word_processors.h"

namespace {

const std::u16string kStressFolder = u"" RUSSIAN_DATA_DIR "/" RUSSIAN_STRESS_BASE "/";
const std::u16string kStringResources = u"" RUSSIAN_DATA_DIR "/" RUSSIAN_STRING_RESOURCES;

// Words as the stress stage sees them, each with the first text it came from.
class SaidWords {
 public:
  // Cuts a processor's text into words as the tokenizer would, lower case,
  // keeping the stress signs on their word.
  void Add(const std::string& text, const std::string& source) {
    std::string word;
    for (char c : text + " ") {
      const int byte = static_cast<unsigned char>(c);
      if (IsRusLetter(byte) || c == '+') {
        word += c;
        continue;
      }
      if (!word.empty()) {
        RusLowerString(word);
        words_.emplace(word, source);
      }
      word.clear();
    }
  }
  const std::map<std::string, std::string>& Words() const { return words_; }

 private:
  std::map<std::string, std::string> words_;
};

std::string Repeat(const std::string& text, int count) {
  std::string result;
  for (int i = 0; i < count; ++i) result += text;
  return result;
}

void AddTable(SaidWords& said, const ByteTable& table, const char* source) {
  for (const std::string& name : table) said.Add(name, source);
}

void AddLetterAndSymbolNames(SaidWords& said) {
  AddTable(said, MakeLetterNames(), "letter name");
  AddTable(said, MakeCyrillicCapitalNames(), "Cyrillic abbreviation");
  AddTable(said, MakeLatinCapitalNames(), "Latin abbreviation");
  AddTable(said, MakeSymbolNames(), "symbol name");
  SymbolNameProcessor symbols;
  for (const char* text : {"1$", "3$", "5$", "1%", "3%", "5%"})
    said.Add(Said(symbols, text, 1), text);
  CardinalNumberProcessor signs;
  for (const char* text : {"а -5", "а +5"}) said.Add(Said(signs, text, 1), text);
}

// Numbers that use every unit, teen, ten, hundred and scale word in every
// form, and the ones that agree in the feminine.
std::vector<std::string> SampleNumbers() {
  std::vector<std::string> numbers;
  for (int n = 0; n <= 1000; ++n) numbers.push_back(std::to_string(n));
  for (int zeros = 3; zeros <= 21; zeros += 3)
    for (const char* head : {"1", "2", "5", "11", "21"})
      numbers.push_back(head + Repeat("0", zeros));
  return numbers;
}

void AddCardinals(SaidWords& said) {
  for (const std::string& digits : SampleNumbers())
    for (int gender : {NumeralSpeller::kMasculine, NumeralSpeller::kFeminine}) {
      std::string words;
      NumeralSpeller::Number(digits, words, gender);
      said.Add(words, "number " + digits);
    }
  for (const char* group : {"1", "2", "5"})
    said.Add(NumeralSpeller::ScaleWord(group, NumeralSpeller::kWholeUnitPosition),
             "whole-number unit");
  RomanNumeralProcessor roman;
  for (const char* numeral : {"II", "IV", "IX", "XIV", "XIX", "XXIV", "XXXVIII", "XXXIX"}) {
    std::vector<TextToken> tokens = Tokens(numeral);
    RunProcessor(roman, tokens);
    std::string words;
    NumeralSpeller::NumberWithZeros(tokens[0].text, words);
    said.Add(words, numeral);
  }
}

void AddOrdinals(SaidWords& said) {
  const char* kWritten[] = {"ая", "ое", "ей", "ему", "ею", "ие", "ий", "ими", "их", "ою",
                            "ого", "ой", "ому", "ую", "ый", "ые", "ым", "ыми", "ых", "юю",
                            "яя", "ии", "й",  "е",  "я",  "ю",  "ми", "му", "м",  "х",
                            "го", "и",  "ом", "а",  "о"};
  OrdinalNumberProcessor ordinals;
  for (const std::string& digits : SampleNumbers())
    for (const char* written : kWritten) {
      const std::string text = digits + "-" + written;
      const std::string words = Said(ordinals, text);
      if (words != "<none>") said.Add(words, text);
    }
}

// Every form the grammar tables of the built string resources can put a
// numeral into.
void AddNumeralForms(SaidWords& said, const StringResourceFile& resources) {
  GrammarTables grammar;
  grammar.LoadNumeralForms(resources.GetLines("Числовые_формы", "Данные"));
  std::set<std::string> keys;
  for (const char* group : {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"})
    for (const std::string& digits : {std::string(group), "1" + std::string(group),
                                      std::string(group) + "0", std::string(group) + "00"})
      keys.insert(NumeralSpeller::Cardinal(digits, 1));
  for (int position : {4, 7, 10, 13}) keys.insert(NumeralSpeller::ScaleWord("1", position));
  for (const std::string& key : keys)
    for (int gender = 0; gender < GrammarTables::kGenderCount; ++gender)
      for (int grammarCase = 0; grammarCase < GrammarTables::kCaseCount; ++grammarCase)
        for (int part : {0, 1})
          for (int number : {0, 1})
            said.Add(grammar.FormOf(key, GrammarForm{gender, number, grammarCase, part}),
                     "numeral form of " + key);
}

void AddCurrency(SaidWords& said) {
  for (const char* dollars : {"1", "2", "5", "11"})
    for (const char* cents : {"01", "02", "05", "11"}) {
      std::string text;
      SpellDollarAmount(dollars, cents, text);
      said.Add(text, "currency");
    }
}

// The phrase dictionary's texts to say, from the built string resources.
void AddPhrases(SaidWords& said, const StringResourceFile& resources) {
  const std::vector<std::string> lines = resources.GetLines("Аббревиатуры", "Данные");
  if (lines.empty() || lines[0].size() != 2) return;
  const char separator = lines[0][0];
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const size_t first = line.find(separator);
    if (first == std::string::npos) continue;
    const size_t second = line.find(separator, first + 1);
    said.Add(line.substr(first + 1, second == std::string::npos ? std::string::npos
                                                                : second - first - 1),
             "phrase " + line.substr(0, first));
  }
}

// The markup readers: dates, times, numbers, addresses and names.
void AddMarkupReadings(SaidWords& said) {
  for (int month = 1; month <= 12; ++month)
    for (int form = 0; form < MonthNameTable::kFormCount; ++form)
      said.Add(MonthNameTable::Name(month, form), "month");
  for (int places = 1; places <= DenominatorTable::kCount; ++places)
    said.Add(DenominatorTable::ForPlaces(places), "denominator");
  std::string text;
  for (int year = 1; year <= 2100; ++year)
    for (const char* value : {"date_year", "date_dmy"}) {
      const std::string y = std::to_string(year);
      const std::vector<std::string> texts =
          value[5] == 'y' ? std::vector<std::string>{y}
                          : std::vector<std::string>{std::to_string(year % 31 + 1), ".",
                                                     std::to_string(year % 12 + 1), ".", y};
      if (ContextTagProcessor::ReadDate(value, texts, text)) said.Add(text, "date " + y);
    }
  for (const char* digits : {"1", "2", "5", "11", "21"})
    if (ContextTagProcessor::ReadTime({digits, ":", digits, ":", digits}, text))
      said.Add(text, "time");
  for (const std::string& denominator : SampleNumbers())
    for (const char* numerator : {"1", "2", "5"})
      if (ContextTagProcessor::ReadNumber("number_fraction", {"-", numerator, "/", denominator},
                                          text))
        said.Add(text, std::string("fraction ") + numerator + "/" + denominator);
  for (const char* separator : {".", ","}) {
    if (ContextTagProcessor::ReadNumber("number_decimal", {"+", "1", separator, "5"}, text))
      said.Add(text, "decimal");
    if (ContextTagProcessor::ReadNumber("number_decimal", {"2", separator, "25"}, text))
      said.Add(text, "decimal");
    if (ContextTagProcessor::ReadNumber("number_decimal_detailed", {"2", separator, "05"}, text))
      said.Add(text, "decimal");
  }
  ContextTagProcessor context;
  if (context.ReadAddress({"http", "www", "ftp", "file", "about", "@", ".", "-", "+", "_", "/"},
                          text))
    said.Add(text, "address");

  AboutTagProcessor about;
  about.OnTag({"About"});
  said.Add(Said(about, "а"), "about tag");
  PuncTagProcessor punc;
  SpellTagProcessor spell;
  punc.OnTag({"Punc"});
  spell.OnTag({"Spell"});
  for (TextProcessor* names : {static_cast<TextProcessor*>(&punc),
                               static_cast<TextProcessor*>(&spell)}) {
    std::vector<std::string> texts = {"..."};
    for (int byte = 1; byte < 256; ++byte) texts.emplace_back(1, static_cast<char>(byte));
    for (const std::string& t : texts) {
      std::vector<TextToken> tokens = {TextToken(0, t, Interval{})};
      const ProcessResult r = RunProcessor(*names, tokens);
      if (r.result == TextProcessor::kHandled) said.Add(r.Text(), "character name");
    }
  }
}

int VowelCount(const std::string& word) {
  int count = 0;
  for (char c : word) count += IsRusVowel(static_cast<unsigned char>(c)) ? 1 : 0;
  return count;
}

// "" when the word is spoken with a known stress, else why not. A word is
// known to the dictionary when a record gives its stress, or when the
// dictionary holds it as a form whose stress the default rule already gives.
std::string StressProblem(const std::string& word, const StressDictionary& dictionary,
                          const std::set<std::string>& forms) {
  if (word.find('+') != std::string::npos) {
    for (size_t i = 0; i < word.size(); ++i)
      if (word[i] == '+' && (i == 0 || !IsRusVowel(static_cast<unsigned char>(word[i - 1]))))
        return "stress sign after a non-vowel";
    return "";
  }
  if (VowelCount(word) <= 1 || word.find('\xB8') != std::string::npos) return "";
  return dictionary.Contains(word) || forms.count(word) != 0 ? ""
                                                            : "no stress in the dictionary";
}

class SpokenWords : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ifstream forms(std::filesystem::path(u"" RUSSIAN_STRESS_FORMS), std::ios::binary);
    if (!dictionary_.Load(kStressFolder) || !resources_.Load(kStringResources) ||
        !forms.is_open())
      GTEST_SKIP() << "No built Russian data in " RUSSIAN_DATA_DIR
                      "; build the target russian-data first.";
    std::string word;
    int stress = 0;
    while (forms >> word >> stress) forms_.insert(word);
  }

  // The dictionary's stressed letter, shown with a "+" after it.
  std::string Stressed(const std::string& word) const {
    const int index = dictionary_.Lookup(word);
    if (index < 0 || index >= static_cast<int>(word.size())) return word + " (none)";
    return word.substr(0, index + 1) + "+" + word.substr(index + 1);
  }

  StressDictionary dictionary_;
  StringResourceFile resources_;
  std::set<std::string> forms_;  // every form the dictionary was built from
};

TEST_F(SpokenWords, EveryProcessorWordHasAKnownStress) {
  SaidWords said;
  AddLetterAndSymbolNames(said);
  AddCardinals(said);
  AddOrdinals(said);
  AddNumeralForms(said, resources_);
  AddCurrency(said);
  AddPhrases(said, resources_);
  AddMarkupReadings(said);
  ASSERT_GT(said.Words().size(), 500u);

  std::vector<std::string> failures;
  for (const auto& [word, source] : said.Words()) {
    const std::string problem = StressProblem(word, dictionary_, forms_);
    if (!problem.empty()) failures.push_back(word + " (" + source + "): " + problem);
  }
  std::string list;
  for (const std::string& failure : failures) list += "\n  " + failure;
  EXPECT_TRUE(failures.empty()) << failures.size() << " words without a known stress:"
                                << Utf16ToUtf8(NarrowToWide(list));
}

// Number, unit and month words as the built dictionary must stress them.
TEST_F(SpokenWords, NumberAndUnitWordsTakeTheirRightStress) {
  for (const char* word :
       {"два+дцать", "три+дцать", "пятьдеся+т", "шестьдеся+т", "девяно+сто", "оди+ннадцать",
        "четы+рнадцать", "двухсо+т", "пятисо+т", "тре+тий", "тре+тьего",
        "пя+того", "второ+го", "шесто+й", "седьмо+го", "восьмо+й", "сороково+го",
        "сороковы+х", "девяно+стый", "пятидеся+тый", "ты+сяча", "ты+сячу", "ты+сячного",
        "миллио+н", "миллио+на", "миллио+нов", "миллиа+рд", "миллиа+рдов", "триллио+н",
        "до+ллар", "до+лларов", "проце+нт", "проце+нтов", "це+нтов", "января+", "февраля+",
        "сентября+", "октя+брь", "со+тых", "деся+тых", "ты+сячных", "миллио+нных",
        "одного+", "одно+й", "двумя+", "пятью+", "девяно+ста", "ноля+", "тре+тего",
        "пя+той", "ти+льда"}) {
    std::string plain = word;
    std::erase(plain, '+');
    EXPECT_EQ(Utf16ToUtf8(NarrowToWide(Stressed(plain))), Utf16ToUtf8(NarrowToWide(word)));
  }
}

}  // namespace
