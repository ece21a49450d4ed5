#include "sonalik/accent_units.h"

using namespace Sound;

namespace {

bool Has(SoundDescription sd, SoundDescription bits) { return (sd & bits) != 0; }

SoundDescription SyllableBits(size_t k, size_t count, size_t stressed, bool closed) {
  SoundDescription bits;
  if (k + 1 == count) {
    bits = LastSyl | (closed ? Closed : Open);
  } else if (k == 0) {
    bits = FirstSyl | Bit29;
  } else {
    bits = MidSyl | Bit27 | Bit29;
  }
  if (stressed == count) return bits | PretonicSyl | NonAdjoining | Bit48;
  if (k == stressed) return bits | StressedSyl | Bit49;
  if (k < stressed)
    return bits | PretonicSyl | Bit48 | (k + 1 == stressed ? Adjoining : NonAdjoining);
  return bits | PosttonicSyl | Bit50 | (k == stressed + 1 ? Adjoining : NonAdjoining);
}

SoundDescription UnitBits(size_t u, size_t unitCount, size_t stressed, size_t count) {
  SoundDescription bits;
  if (u + 1 == unitCount) {
    bits = LastAU;
  } else if (u == 0) {
    bits = FirstAU | Bit41;
  } else {
    bits = MidAU | Bit39 | Bit41;
  }
  if (stressed == count) return bits | NoPretonicSyl | NoPosttonicSyl;
  bits |= stressed > 0 ? HasPretonicSyl : NoPretonicSyl;
  bits |= stressed + 1 == count ? NoPosttonicSyl : HasPosttonicSyl;
  return bits;
}

}  // namespace

int PlosivePlace(std::string_view name) {
  for (const PlosivePlaceRow& row : kPlosivePlaces) {
    const std::string_view names = row.names;
    for (size_t pos = 0; pos < names.size();) {
      size_t end = names.find(' ', pos);
      if (end == std::string_view::npos) end = names.size();
      if (names.substr(pos, end - pos) == name) return row.place;
      pos = end + 1;
    }
  }
  return 0;
}

void MarkNeighbours(const std::vector<std::string>& names, const std::vector<int>& places,
                    std::vector<SoundDescription>& marks) {
  const size_t n = names.size();
  for (size_t i = 0; i < n; ++i) {
    if (!Has(marks[i], Consonant) || Has(marks[i], None)) continue;
    if (places[i] != 0) {
      for (size_t j : {i - 1, i + 1}) {
        if (j >= n || places[j] == 0) continue;  // i - 1 wraps round at 0
        marks[i] |= places[j] == places[i] ? Homoorganic : NonHomoorganic;
      }
    }
    if (i > 0 && names[i - 1] == names[i]) marks[i] |= SamePhoneme2;
    if (i + 1 < n && names[i + 1] == names[i]) marks[i] |= SamePhoneme1;
  }
}

std::vector<AccentUnit> FindAccentUnits(const std::vector<SoundDescription>& own,
                                        bool closeAtEnd) {
  std::vector<AccentUnit> units;
  AccentUnit unit;
  size_t start = 1;
  const size_t end = closeAtEnd ? own.size() + 1 : own.size();
  for (size_t j = 1; j < end; ++j) {
    const SoundDescription sd = j < own.size() ? own[j] : Terminator;
    if (Has(sd, Space | Terminator)) {
      if (Has(own[j - 1], Consonant)) {
        if (!unit.empty()) {
          unit.back().length = j - unit.back().first;
        } else if (start < j) {
          unit.push_back({start, j - start});
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

void MarkAccentUnits(const std::vector<AccentUnit>& units, const std::vector<SoundDescription>& own,
                     std::vector<SoundDescription>& marks) {
  for (size_t u = 0; u < units.size(); ++u) {
    const AccentUnit& unit = units[u];
    const size_t count = unit.size();
    const size_t first = unit.front().first;
    const size_t last = unit.back().first + unit.back().length - 1;
    const int64_t at = FindStressed(own, static_cast<int64_t>(first), static_cast<int64_t>(last));
    size_t stressed = count;  // count when the unit has no stress
    for (size_t k = 0; k < count && at >= 0; ++k) {
      const auto i = static_cast<size_t>(at);
      if (i >= unit[k].first && i < unit[k].first + unit[k].length) stressed = k;
    }
    const SoundDescription unitBits = UnitBits(u, units.size(), stressed, count);
    const bool closed = Has(own[last], Consonant);
    for (size_t k = 0; k < count; ++k) {
      const SoundDescription bits = SyllableBits(k, count, stressed, closed) | unitBits;
      for (size_t i = unit[k].first; i < unit[k].first + unit[k].length; ++i) {
        marks[i] |= bits;
        if (Has(own[i], PartialStressed)) {
          if (Has(bits, PretonicSyl)) marks[i] |= Pretonic;
          if (Has(bits, PosttonicSyl)) marks[i] |= Posttonic;
        }
      }
    }
  }
}

int64_t FindStressed(const std::vector<SoundDescription>& descriptions, int64_t from, int64_t to) {
  for (int64_t i = from < 0 ? 0 : from; i <= to && i < static_cast<int64_t>(descriptions.size());
       ++i) {
    if (Has(descriptions[i], FullStressed)) return i;
  }
  return -1;
}
