// Puts the last words of a number phrase into the case, gender and number
// that the context asks for, from the numeral forms and the word forms of
// the string resources.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct GrammarForm {
  int32_t gender = 1;       // 0 feminine, 1 masculine, 2 neuter
  int32_t number = 0;       // 0 singular, 1 plural
  int32_t grammarCase = 0;  // им род дат вин твор предл зват
  int32_t part = 0;         // 0 numeral, 1 adjective (ordinal)
};

class GrammarTables {
 public:
  static constexpr int kGenderCount = 3;
  static constexpr int kCaseCount = 7;
  // Every case of every gender has its own slots.
  static constexpr int kSlotCount = kGenderCount * kCaseCount * 2 * 2;

  GrammarTables();

  // "Словарные_формы": word:gender:part:case:number. Always true.
  bool LoadWordForms(const std::vector<std::string>& lines);
  // "Числовые_формы": blocks of a "(gender:part:case:number)" header and
  // "key form" lines, ended by a line starting with "@". Always true.
  bool LoadNumeralForms(const std::vector<std::string>& lines);

  // The last one or two words of `words` put into the form.
  void InflectNumber(std::string& words, const GrammarForm& form) const;
  // A cardinal put into a case: in the oblique cases every word declines
  // ("двух тысяч пятисот"), in the nominative and accusative only the last
  // word takes the gender ("двадцать одна", "одну").
  void InflectCardinal(std::string& words, const GrammarForm& form) const;
  // The form a number (`words`, from `digits` when known) takes before the
  // word `next` after the word `previous`: the noun and the preposition
  // together decide; false when neither says.
  bool ChooseForm(const std::string& words, const std::string& digits, const std::string& next,
                  const std::string& previous, GrammarForm& form) const;
  // The words put into the form ChooseForm gives; unchanged when none.
  void InflectNumberPhrase(std::string& words, const std::string& next,
                           const std::string& previous,
                           const std::string& digits = std::string()) const;
  // The case a preposition (or "более", "около", ...) gives a number with
  // no noun to agree with; -1 when the word governs none.
  static int PrepositionCase(const std::string& previous);
  // The case of the year `digits` after the word ("к 2020 году", "по 2020
  // год"); -1 when the digits are no year or the word gives none.
  static int YearCase(const std::string& previous, const std::string& digits);

  // Letters only (Russian or Latin), as a word of the forms is.
  static bool IsWordText(const std::string& text);
  // The slot of a form, -1 when a field is out of range.
  static int Slot(const GrammarForm& form);
  // The form of a numeral word at the slot; the word itself when none.
  std::string FormOf(const std::string& word, const GrammarForm& form) const;
  // The first word form of a lower-case word, null when unknown.
  const GrammarForm* WordForm(const std::string& word) const;
  // Every form a lower-case word may stand in, in the order of the lines.
  const std::vector<GrammarForm>* WordForms(const std::string& word) const;
  // The forms of a word as written in a text (any capitals); null when it is
  // no word of letters or unknown.
  const std::vector<GrammarForm>* TextForms(const std::string& text) const;

 private:
  // The form of a numeral word at the slot; "" when none.
  std::string StoredForm(const std::string& word, const GrammarForm& form) const;

  std::map<std::string, std::vector<GrammarForm>> wordForms_;
  std::map<std::string, std::vector<std::string>> numeralForms_;
};
