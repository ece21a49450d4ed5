#include "phonetic/phonetic_eng.h"

#include "platform/message_box.h"

using namespace Sound;

namespace {

bool Has(SoundDescription sd, SoundDescription bits) { return (sd & bits) != 0; }

bool IsVowelLetter(char c) {
  return c == 'A' || c == 'I' || c == 'E' || c == 'Y' || c == 'U' || c == 'O';
}

}  // namespace

PhoneticEng::PhoneticEng() : tables_(EnglishPhoneticTables()) {}

SoundDescription PhoneticEng::GetSD(const std::string& name) const {
  const auto found = tables_.inventory.find(name);
  if (found != tables_.inventory.end()) return found->second;
  if (messageLevel_ > 0) {
    const std::string text = "Unknown phoneme " + name + " in GetSD";
    MessageBoxA(nullptr, text.c_str(), "Phonetic Module", MB_OK | MB_ICONERROR);
  }
  return 0;
}

int PhoneticEng::PlosivePlace(const std::string& name) const {
  const auto found = tables_.plosivePlaces.find(name);
  return found == tables_.plosivePlaces.end() ? 0 : found->second;
}

const std::string* PhoneticEng::ConsonantClass(const std::string& name) const {
  const auto found = tables_.consonantClasses.find(name);
  return found == tables_.consonantClasses.end() ? nullptr : &found->second;
}

std::string PhoneticEng::BasePhoneme(const std::string& allophone) {
  if (allophone == "#" || allophone == "_" || allophone == "=") return allophone;
  if (!allophone.empty() && IsVowelLetter(allophone[0])) {
    return allophone.substr(0, allophone.find('.'));
  }
  const std::string head = allophone.substr(0, 2);
  if (head == "HU" || head == "HI" || head == "HA") return "H";
  if (head == "LU") return "L";
  if (head == "RA" || head == "RI" || head == "RO") return "R";
  if (head == "NG" || head == "K'") return head;
  return allophone.substr(0, allophone.find_first_of("0123456789-^"));
}

int64_t FindStressed(const std::vector<SoundDescription>& descriptions, int64_t from, int64_t to) {
  for (int64_t i = from < 0 ? 0 : from; i <= to && i < static_cast<int64_t>(descriptions.size());
       ++i) {
    if (Has(descriptions[i], FullStressed)) return i;
  }
  return -1;
}

std::vector<PhoneticEng::AccentUnit> PhoneticEng::FindSyllables(
    const std::vector<std::string>& phonemes) const {
  std::vector<AccentUnit> units;
  AccentUnit unit;
  size_t start = 1;
  // The end of the list closes the last unit as a boundary would.
  for (size_t j = 1; j <= phonemes.size(); ++j) {
    const SoundDescription sd = j < phonemes.size() ? GetSD(phonemes[j]) : Terminator;
    if (Has(sd, Space | Terminator)) {
      if (Has(GetSD(phonemes[j - 1]), Consonant)) {
        // Consonants after the last vowel belong to the last syllable.
        if (unit.empty()) {
          unit.push_back({start, j - start});
        } else {
          unit.back().length = j - unit.back().first;
        }
      }
      if (!unit.empty()) units.push_back(std::move(unit));
      unit.clear();
      start = j + 1;
    } else if (Has(sd, Vowel)) {
      unit.push_back({start, j + 1 - start});
      start = j + 1;
    }
  }
  return units;
}

void PhoneticEng::MarkNeighbours(const std::vector<std::string>& phonemes,
                                 std::vector<SoundDescription>& marks) const {
  for (size_t j = 0; j < phonemes.size(); ++j) {
    const SoundDescription sd = marks[j];
    if (!Has(sd, Consonant) || Has(sd, None)) continue;
    const std::string& name = phonemes[j];
    const std::string* prev = j > 0 ? &phonemes[j - 1] : nullptr;
    const std::string* next = j + 1 < phonemes.size() ? &phonemes[j + 1] : nullptr;
    if (const int place = PlosivePlace(name); place != 0) {
      for (const std::string* neighbour : {prev, next}) {
        const int other = neighbour != nullptr ? PlosivePlace(*neighbour) : 0;
        if (other != 0) marks[j] |= other == place ? Homoorganic : NonHomoorganic;
      }
    }
    if (prev != nullptr && *prev == name) marks[j] |= SamePhoneme2;
    if (next != nullptr && *next == name) marks[j] |= SamePhoneme1;
  }
}

std::vector<SoundDescription> PhoneticEng::AssignStress(
    const std::vector<std::string>& phonemes) const {
  std::vector<SoundDescription> marks(phonemes.size());
  for (size_t j = 0; j < phonemes.size(); ++j) marks[j] = GetSD(phonemes[j]);
  MarkNeighbours(phonemes, marks);
  const std::vector<SoundDescription> own = marks;

  const std::vector<AccentUnit> units = FindSyllables(phonemes);
  for (size_t u = 0; u < units.size(); ++u) {
    const AccentUnit& unit = units[u];
    const size_t first = unit.front().first;
    const size_t last = unit.back().first + unit.back().length - 1;
    const int64_t stressed =
        FindStressed(own, static_cast<int64_t>(first), static_cast<int64_t>(last));
    const size_t count = unit.size();
    size_t s = count;  // the stressed syllable; count when there is none
    for (size_t k = 0; k < count && stressed >= 0; ++k) {
      const auto at = static_cast<size_t>(stressed);
      if (at >= unit[k].first && at < unit[k].first + unit[k].length) s = k;
    }
    const bool hasStress = s < count;

    SoundDescription unitBits;
    if (u + 1 == units.size()) {
      unitBits = LastAU;
    } else if (u == 0) {
      unitBits = FirstAU | Bit41;
    } else {
      unitBits = MidAU | Bit39 | Bit41;
    }
    if (hasStress) {
      unitBits |= s + 1 == count ? NoPosttonicSyl : HasPosttonicSyl;
      unitBits |= s != 0 ? HasPretonicSyl : NoPretonicSyl;
    } else {
      unitBits |= NoPretonicSyl | NoPosttonicSyl;
    }

    for (size_t k = 0; k < count; ++k) {
      SoundDescription bits;
      if (k + 1 == count) {
        bits = LastSyl | (Has(own[last], Consonant) ? Closed : Open);
      } else if (k == 0) {
        bits = FirstSyl | Bit29;
      } else {
        bits = MidSyl | Bit27 | Bit29;
      }
      if (!hasStress) {
        bits |= PretonicSyl | NonAdjoining | Bit48;
      } else if (k == s) {
        bits |= StressedSyl | Bit49;
      } else if (k < s) {
        bits |= PretonicSyl | Bit48 | (k + 1 == s ? Adjoining : NonAdjoining);
      } else {
        bits |= PosttonicSyl | Bit50 | (k == s + 1 ? Adjoining : NonAdjoining);
      }
      for (size_t j = unit[k].first; j < unit[k].first + unit[k].length; ++j) {
        marks[j] |= bits | unitBits;
        if (Has(own[j], PartialStressed)) {
          if (Has(bits, PretonicSyl)) marks[j] |= Pretonic;
          if (Has(bits, PosttonicSyl)) marks[j] |= Posttonic;
        }
      }
    }
  }
  return marks;
}
