#include "sonalik/sound_inventory.h"

#include "sonalik/accent_units.h"

#include <algorithm>
#include <iterator>

namespace {

using namespace Sound;

struct InventoryRow {
  SoundDescription sd;
  const char* names;  // blank-separated
};

constexpr SoundDescription kStressedVowel = Bit1 | Vowel | Stressed | FullStressed | Intonable | Bit63;
constexpr SoundDescription kPartialVowel = Bit1 | Vowel | Stressed | PartialStressed | Intonable | Bit63;
constexpr SoundDescription kPretonicVowel = Bit1 | Vowel | Unstressed | Pretonic | Intonable | Bit63;
constexpr SoundDescription kPosttonicVowel = Bit1 | Vowel | Unstressed | Posttonic | Intonable | Bit63;
constexpr SoundDescription kPlosive = Bit1 | Consonant | Occlusive | Plosive;
constexpr SoundDescription kOcclusiveSonant = Bit1 | Consonant | Voiced | Occlusive | Sonant | Intonable | Bit63;
constexpr SoundDescription kVoicedFricative = Bit1 | Consonant | Voiced | Fricative;
constexpr SoundDescription kVoicelessFricative = Bit1 | Consonant | Voiceless | Fricative;
constexpr SoundDescription kTrill = Bit1 | Consonant | Voiced | Fricative | Sonant | Vibrant;

constexpr InventoryRow kInventory[] = {
    {None | Terminator, "#"},
    {None | Space, "_"},
    {kStressedVowel,
     "U0 I0 O0 A0 E0 Y0 AA0 AE0 AU0 UA0 UE0 UU0 IA0 IE0 IU0 YA0 YE0 YU0 EA0 EE0 EU0 OE0 "
     "AJ'0 EJ'0 YJ'0 IJ'0 OJ'0 UJ'0"},
    {kPartialVowel, "U5 I5 O5 A5 E5 Y5"},
    {kPretonicVowel, "U1 I1 A1 E1 Y1"},
    {kPosttonicVowel,
     "U2 I2 A2 E2 Y2 AA2 AE2 AU2 UA2 UE2 UU2 IA2 IE2 IU2 YA2 YE2 YU2 EA2 EE2 EU2 "
     "AJ'2 EJ'2 YJ'2 IJ'2 OJ'2 UJ'2"},
    {kPlosive | Voiced | Hard | Intonable, "B D G"},
    {kPlosive | Voiced | Soft | Intonable, "B' D' G'"},
    {kPlosive | Voiceless | Hard, "P T K"},
    {kPlosive | Voiceless | Soft, "P' T' K'"},
    {kOcclusiveSonant | Hard, "M N L"},
    {kOcclusiveSonant | Soft, "M' N' L'"},
    {kVoicedFricative | Hard | Intonable | Bit63, "V"},
    {kVoicedFricative | Soft | Intonable | Bit63, "V'"},
    {kVoicedFricative | Hard | Intonable, "Z ZH"},
    {kVoicedFricative | Soft | Intonable, "Z'"},
    {kTrill | Hard, "R"},
    {kTrill | Soft, "R'"},
    {kVoicedFricative | Sonant | Soft | Intonable | Bit63, "J'"},
    {kVoicelessFricative | Hard, "F S SH X"},
    {kVoicelessFricative | Soft, "F' S' SH' X'"},
    {Bit1 | Consonant | Voiceless | Affricate | Hard, "C"},
    {Bit1 | Consonant | Voiceless | Affricate | Soft, "CH'"},
};

struct CodeRow {
  int code;
  const char* names;  // blank-separated
};

constexpr CodeRow kVisemes[] = {
    {0, "# _"},
    {1, "A0 A1 A2 A5 AA0 AE0 AU0 AJ'0 AA2 AE2 AU2 AJ'2"},
    {3, "O0 O5 OE0 OJ'0 OJ'2"},
    {4, "E0 E1 E2 E5 EA0 EE0 EU0 EJ'0 EA2 EE2 EU2 EJ'2"},
    {5, "Y0 Y1 Y2 Y5 YA0 YE0 YU0 YJ'0 YA2 YE2 YU2 YJ'2"},
    {6, "I0 I1 I2 I5 IA0 IE0 IU0 IJ'0 IA2 IE2 IU2 IJ'2 J'"},
    {7, "U0 U1 U2 U5 UA0 UE0 UU0 UJ'0 UA2 UE2 UU2 UJ'2"},
    {12, "X X'"},
    {13, "R R'"},
    {14, "L L'"},
    {15, "Z Z' S S' C"},
    {16, "ZH SH SH' CH'"},
    {18, "V V' F F'"},
    {19, "D D' N N' T T'"},
    {20, "G G' K K'"},
    {21, "B B' P P' M M'"},
};

template <typename Visit>
void ForEachName(std::string_view names, Visit visit) {
  size_t pos = 0;
  while (pos < names.size()) {
    size_t end = names.find(' ', pos);
    if (end == std::string_view::npos) end = names.size();
    if (end > pos) visit(names.substr(pos, end - pos));
    pos = end + 1;
  }
}

constexpr size_t kMaxNameLength = 4;

// 0 for a name that cannot be in the inventory.
uint32_t PackName(std::string_view name) {
  if (name.empty() || name.size() > kMaxNameLength) return 0;
  uint32_t key = 0;
  for (size_t i = 0; i < kMaxNameLength; ++i) {
    key = key << 8 | (i < name.size() ? static_cast<uint8_t>(name[i]) : 0u);
  }
  return key;
}

}  // namespace

SoundInventory::SoundInventory() {
  for (const InventoryRow& row : kInventory) {
    ForEachName(row.names, [&](std::string_view name) {
      entries_.push_back(SoundEntry{std::string(name), row.sd});
    });
  }
  std::sort(entries_.begin(), entries_.end(),
            [](const SoundEntry& a, const SoundEntry& b) { return a.name < b.name; });
  for (size_t i = 0; i < entries_.size(); ++i) {
    entries_[i].phonemeCode = static_cast<INT>(i + 1);
    keys_.push_back(PackName(entries_[i].name));
  }

  auto assign = [this](const CodeRow* rows, size_t count, auto field) {
    for (size_t r = 0; r < count; ++r) {
      ForEachName(rows[r].names, [&](std::string_view name) {
        int index = IndexOf(name);
        if (index >= 0) entries_[index].*field = rows[r].code;
      });
    }
  };
  assign(kVisemes, std::size(kVisemes), &SoundEntry::visemeCode);
  for (SoundEntry& entry : entries_) entry.placeClass = PlosivePlace(entry.name);
}

int SoundInventory::IndexOf(std::string_view name) const {
  const uint32_t key = PackName(name);
  // A NUL inside the name would pack like a shorter one.
  if (key == 0 || name.find('\0') != std::string_view::npos) return -1;
  auto it = std::lower_bound(keys_.begin(), keys_.end(), key);
  if (it == keys_.end() || *it != key) return -1;
  return static_cast<int>(it - keys_.begin());
}

const SoundEntry* SoundInventory::Find(std::string_view name) const {
  int index = IndexOf(name);
  return index < 0 ? nullptr : &entries_[index];
}

SoundDescription SoundInventory::GetSD(std::string_view name) const {
  const SoundEntry* entry = Find(name);
  return entry ? entry->sd : 0;
}

INT SoundInventory::PhonemeCode(std::string_view name) const {
  const SoundEntry* entry = Find(name);
  return entry ? entry->phonemeCode : 0;
}

INT SoundInventory::VisemeCode(std::string_view name) const {
  const SoundEntry* entry = Find(name);
  return entry ? entry->visemeCode : 0;
}

const SoundEntry* SoundInventory::ByPhonemeCode(INT code) const {
  if (code < 1 || code > Size()) return nullptr;
  return &entries_[code - 1];
}
