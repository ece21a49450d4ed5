// Which form a number takes: the noun after it and the preposition before it
// decide together.
#include "foundation/char_classes.h"
#include "foundation/string_utils.h"
#include "textanalysis/normalisation/grammar_tables.h"
#include "textanalysis/normalisation/plural_form.h"

namespace {

enum Case { kNominative, kGenitive, kDative, kAccusative, kInstrumental, kPrepositional };
constexpr int kMasculine = 1;
constexpr int kNeuter = 2;

constexpr unsigned Bit(int grammarCase) { return 1u << grammarCase; }
constexpr unsigned kGen = Bit(kGenitive);

// What a word before a number lets the number be: the cases it allows, the
// case a number with no noun of its own takes, and the case of a year read
// after it (-1: a number there is no year).
struct Governor {
  const char* word;
  unsigned cases;
  int bare;
  int year;
};
constexpr Governor kGovernors[] = {
    {"к", Bit(kDative), kDative, kDative},
    {"ко", Bit(kDative), kDative, kDative},
    {"в", Bit(kAccusative) | Bit(kPrepositional), kAccusative, kPrepositional},
    {"во", Bit(kAccusative) | Bit(kPrepositional), kAccusative, kPrepositional},
    {"на", Bit(kAccusative) | Bit(kPrepositional), kAccusative, -1},
    {"по", Bit(kDative) | Bit(kAccusative) | Bit(kPrepositional), kAccusative, kAccusative},
    {"за", Bit(kAccusative) | Bit(kInstrumental), kAccusative, -1},
    {"через", Bit(kAccusative), kAccusative, -1},
    {"про", Bit(kAccusative), kAccusative, -1},
    {"о", Bit(kPrepositional) | Bit(kAccusative), kPrepositional, -1},
    {"об", Bit(kPrepositional) | Bit(kAccusative), kPrepositional, -1},
    {"при", Bit(kPrepositional), kPrepositional, -1},
    {"с", kGen | Bit(kInstrumental), kGenitive, kGenitive},
    {"со", kGen | Bit(kInstrumental), kGenitive, kGenitive},
    {"между", Bit(kInstrumental) | kGen, kInstrumental, -1},
    {"перед", Bit(kInstrumental), kInstrumental, -1},
    {"над", Bit(kInstrumental), kInstrumental, -1},
    {"до", kGen, kGenitive, kGenitive},
    {"от", kGen, kGenitive, kGenitive},
    {"после", kGen, kGenitive, kGenitive},
    {"около", kGen, kGenitive, kGenitive},
    {"из", kGen, kGenitive, -1},
    {"у", kGen, kGenitive, -1},
    {"без", kGen, kGenitive, -1},
    {"для", kGen, kGenitive, -1},
    {"кроме", kGen, kGenitive, -1},
    {"вместо", kGen, kGenitive, -1},
    {"среди", kGen, kGenitive, -1},
    {"возле", kGen, kGenitive, -1},
    {"против", kGen, kGenitive, -1},
    {"свыше", kGen, kGenitive, -1},
    {"более", kGen, kGenitive, -1},
    {"менее", kGen, kGenitive, -1},
    {"больше", kGen, kGenitive, -1},
    {"меньше", kGen, kGenitive, -1},
    {"порядка", kGen, kGenitive, -1},
    {"выше", kGen, kGenitive, -1},
    {"ниже", kGen, kGenitive, -1},
    {"старше", kGen, kGenitive, -1},
    {"младше", kGen, kGenitive, -1},
    // "Сегодня 8 марта": the day in the nominative.
    {"сегодня", Bit(kNominative) | Bit(kAccusative), kNominative, -1},
    {"завтра", Bit(kNominative) | Bit(kAccusative), kNominative, -1},
    {"вчера", Bit(kNominative) | Bit(kAccusative), kNominative, -1},
    // "в течение 5 лет", "на протяжении 3 дней", "в возрасте 7 лет"
    {"течение", kGen, kGenitive, -1},
    {"протяжении", kGen, kGenitive, -1},
    {"возрасте", kGen, kGenitive, -1},
    {"размере", kGen, kGenitive, -1},
    {"количестве", kGen, kGenitive, -1},
};

const Governor* FindGovernor(const std::string& previous) {
  // A sentence begins with a capital: "К 5 часам" as "к 5 часам".
  std::string word = previous;
  LowerString(word);
  for (const Governor& governor : kGovernors)
    if (word == governor.word) return &governor;
  return nullptr;
}

bool IsOblique(int grammarCase) {
  return grammarCase == kDative || grammarCase == kInstrumental || grammarCase == kPrepositional;
}

// The plural class of the number: by its digits, or by its last word.
PluralForm ClassOf(const std::string& words, const std::string& digits) {
  if (!digits.empty()) return PluralFormOf(digits);
  const size_t blank = words.find_last_of(' ');
  const std::string last = blank == std::string::npos ? words : words.substr(blank + 1);
  if (last == "один" || last == "одна" || last == "одно") return PluralForm::kOne;
  if (last == "два" || last == "две" || last == "три" || last == "четыре") return PluralForm::kFew;
  return PluralForm::kMany;
}

// "1961", "2005": four digits from a thousand up to 2999.
bool LooksLikeYear(const std::string& digits) {
  return digits.size() == 4 && (digits[0] == '1' || digits[0] == '2');
}

// The case a cardinal takes before a noun in `noun`'s form, when the noun can
// follow that number at all; -1 when it cannot. A direct case (nominative or
// accusative) is given as the nominative.
int CardinalCaseBefore(const GrammarForm& noun, PluralForm kind, bool hasOrdinal,
                       bool afterGenitiveWord) {
  const bool one = kind == PluralForm::kOne;
  const bool plural = noun.number == 1;
  switch (noun.grammarCase) {
    case kNominative:
    case kAccusative:
      return one && !plural ? noun.grammarCase : -1;
    case kGenitive:
      if (!plural) {
        if (kind == PluralForm::kFew) return kNominative;  // "два часа"
        // "до 1 года"; a noun that also reads as an ordinal takes that.
        return one && !hasOrdinal ? kGenitive : -1;
      }
      if (one) return -1;
      // "пять часов", "до пяти часов", "двух кошек".
      return kind == PluralForm::kFew || afterGenitiveWord ? kGenitive : kNominative;
    default:
      return IsOblique(noun.grammarCase) && one != plural ? noun.grammarCase : -1;
  }
}

bool Allows(const Governor* governor, int grammarCase) {
  if (governor == nullptr) return true;
  // After a preposition the direct case is the accusative.
  if (grammarCase == kNominative) grammarCase = kAccusative;
  return (governor->cases & Bit(grammarCase)) != 0;
}

// A direct case after a preposition is the accusative ("на одну минуту").
int Settled(const Governor* governor, int grammarCase) {
  return governor != nullptr && grammarCase == kNominative ? kAccusative : grammarCase;
}

GrammarForm Cardinal(int gender, int grammarCase, PluralForm kind) {
  // The plural slots of the oblique cases hold "двух", "пяти"; the one
  // class and the direct cases read the singular slots ("одного", "две").
  const bool direct = grammarCase == kNominative || grammarCase == kAccusative;
  return GrammarForm{gender, kind != PluralForm::kOne && !direct ? 1 : 0, grammarCase, 0};
}

GrammarForm Ordinal(const GrammarForm& noun, int grammarCase) {
  return GrammarForm{noun.gender, noun.number, grammarCase, 1};
}

// An ordinal agrees with its noun; a day before a month name in the
// genitive ("12 апреля") takes the preposition's case instead ("к 12
// апреля", "на 12 апреля").
bool OrdinalCase(const GrammarForm& noun, const Governor* governor, int& grammarCase) {
  grammarCase = noun.grammarCase;
  if (Allows(governor, grammarCase)) return true;
  if (noun.gender == kNeuter && noun.grammarCase == kGenitive) {
    grammarCase = governor->bare;
    return true;
  }
  return false;
}

}  // namespace

int GrammarTables::PrepositionCase(const std::string& previous) {
  const Governor* governor = FindGovernor(previous);
  return governor == nullptr ? -1 : governor->bare;
}

int GrammarTables::YearCase(const std::string& previous, const std::string& digits) {
  const Governor* governor = FindGovernor(previous);
  return governor == nullptr || !LooksLikeYear(digits) ? -1 : governor->year;
}

bool GrammarTables::ChooseForm(const std::string& words, const std::string& digits,
                               const std::string& next, const std::string& previous,
                               GrammarForm& form) const {
  const Governor* governor = FindGovernor(previous);
  const PluralForm kind = ClassOf(words, digits);
  const std::vector<GrammarForm>* readings = TextForms(next);
  if (readings == nullptr) {
    if (governor == nullptr) return false;
    if (governor->year >= 0 && LooksLikeYear(digits))
      form = GrammarForm{kMasculine, 0, governor->year, 1};
    else
      form = Cardinal(kMasculine, governor->bare, kind);
    return true;
  }
  bool hasOrdinal = false;
  for (const GrammarForm& noun : *readings) hasOrdinal = hasOrdinal || noun.part == 1;
  const bool afterGenitiveWord = governor != nullptr && (governor->cases & kGen) != 0;
  int grammarCase = 0;

  // "1961 год", "в 2005 году": a year before a noun of years.
  if (hasOrdinal && LooksLikeYear(digits))
    for (const GrammarForm& noun : *readings)
      if (noun.part == 1 && OrdinalCase(noun, governor, grammarCase)) {
        form = Ordinal(noun, grammarCase);
        return true;
      }
  for (const GrammarForm& noun : *readings) {
    if (noun.part == 1) {
      if (OrdinalCase(noun, governor, grammarCase)) {
        form = Ordinal(noun, grammarCase);
        return true;
      }
      continue;
    }
    grammarCase = CardinalCaseBefore(noun, kind, hasOrdinal, afterGenitiveWord);
    if (grammarCase >= 0 && Allows(governor, grammarCase)) {
      form = Cardinal(noun.gender, Settled(governor, grammarCase), kind);
      return true;
    }
  }
  // A singular noun after a number that cannot count it is ordered by it:
  // "5 день", "на 10 минуте"; but a genitive tells the time of day ("в 11
  // ночи", "до 5 вечера") and leaves the number a cardinal.
  bool genitiveSingular = false;
  for (const GrammarForm& noun : *readings)
    genitiveSingular = genitiveSingular ||
                       (noun.grammarCase == kGenitive && noun.number == 0 && noun.part == 0);
  if (kind != PluralForm::kOne && !genitiveSingular)
    for (const GrammarForm& noun : *readings)
      if (noun.number == 0 && Allows(governor, noun.grammarCase)) {
        form = Ordinal(noun, Settled(governor, noun.grammarCase));
        return true;
      }
  const GrammarForm& noun = readings->front();
  if (noun.part == 1) {
    form = Ordinal(noun, noun.grammarCase);
    return true;
  }
  form = Cardinal(noun.gender, governor != nullptr ? governor->bare : kNominative, kind);
  return true;
}
