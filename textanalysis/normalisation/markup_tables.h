// Month names and fraction denominators for the markup readers.
#pragma once

#include <string>

class MonthNameTable {
 public:
  static constexpr int kFormCount = 6;
  static constexpr int kNominative = 0;
  static constexpr int kGenitive = 1;

  // The name of month 1-12 in form 0-5; "" outside.
  static std::string Name(int month, int form);
};

class DenominatorTable {
 public:
  static constexpr int kCount = 18;
  // "десятых" for one decimal place, "сотых" for two, ...; "" outside.
  static std::string ForPlaces(int places);
};
