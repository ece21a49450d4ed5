// Numbers written with a mark inside: decimals ("1,5"), fractions ("3/4"),
// times of day ("10:30") and dates ("12.05.2023"), read in the case a preposition before them
// asks for (the nominative when `grammarCase` is 0 or the tables are null).
#pragma once

#include <string>

class GrammarTables;

// "одна целая пять десятых", "три целых четырнадцать сотых"; "полтора" or
// "полторы" (`feminineNoun`) for 1,5 before a noun. False for a fraction part
// of more than six digits, which has no denominator word.
bool SpellDecimal(const std::string& whole, const std::string& fraction, bool beforeNoun,
                  bool feminineNoun, int grammarCase, const GrammarTables* grammar,
                  std::string& words);

// "одна вторая", "три четвёртых". False unless both are digits.
bool SpellFraction(const std::string& numerator, const std::string& denominator,
                   int grammarCase, const GrammarTables* grammar, std::string& words);

// "десять тридцать", "до десяти ноль пяти". False unless hours are 0 to 24
// and minutes two digits below 60.
bool SpellTime(const std::string& hours, const std::string& minutes, int grammarCase,
               const GrammarTables* grammar, std::string& words);

// "двенадцатое мая две тысячи двадцать третьего года" (the day in the case).
// False unless a day 1 to 31, a month 1 to 12 and a year of four digits.
bool SpellDate(const std::string& day, const std::string& month, const std::string& year,
               int grammarCase, std::string& words);
