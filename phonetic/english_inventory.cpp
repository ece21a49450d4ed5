#include "phonetic/english_inventory.h"

#include <utility>
#include <vector>

#include "foundation/string_utils.h"

namespace {

using namespace Sound;

struct Row {
  SoundDescription bits;
  const char* names;  // separated by blanks
};

constexpr SoundDescription kVowel = Bit1 | Vowel | Intonable;
constexpr SoundDescription kFull = kVowel | Stressed | FullStressed;
constexpr SoundDescription kPartial = kVowel | Stressed | PartialStressed;
constexpr SoundDescription kPretonic = kVowel | Unstressed | Pretonic;
constexpr SoundDescription kPosttonic = kVowel | Unstressed | Posttonic;
constexpr SoundDescription kConsonant = Bit1 | Consonant;

// Vowel names of the fully stressed rows; the partially stressed and the
// posttonic rows are the same names with "5" and "2" for the "0".
const Row kStressedRows[] = {
    {Short, "A0 AE0 A^0 AE^0 E0 E^0 I0 I^0 O0 O^0 U0 U^0"},
    {Long, "AA0 AA^0 EE0 EE^0 II0 II^0 OO0 OO^0 UU0 UU^0"},
    {Diphthong,
     "AI0 AU0 AI^0 AU^0 EI0 EY0 EI^0 EY^0 IY0 IY^0 OI0 OI^0 UY0 UY^0 YU0 YU^0"},
};

const Row kRows[] = {
    {kPretonic | Short, "A1 AE1 E1 I1 O1 U1"},
    {kPretonic | Long, "AA1 EE1 II1 OO1 UU1"},
    {kPretonic | Diphthong, "AI1 AU1 EI1 EY1 IY1 OI1 UY1 YU1"},
    {kPretonic | Neutral, "Y1"},
    {kPosttonic | Neutral, "Y$"},
    {kConsonant | Voiced | Occlusive | Plosive, "B D G G'"},
    {kConsonant | Voiced | Occlusive | Sonant | Lateral,
     "L DL TL KL GL BL PL SL LU^"},
    {kConsonant | Voiced | Occlusive | Sonant | Nasal,
     "DN M N NG TN KN VN SN NGI^"},
    {kConsonant | Voiced | Fricative, "ZH V Z ZX"},
    {kConsonant | Voiced | Fricative | Sonant, "J W KW TW"},
    {kConsonant | Voiced | Fricative | Sonant | Vibrant,
     "R TR DR KR PR BR FR GR TXR RA^ RI^ RO^"},
    {kConsonant | Voiced | Affricate, "DH"},
    {kConsonant | Voiceless | Affricate, "CH"},
    {kConsonant | Voiceless | Occlusive | Plosive,
     "K P T TX KT PT ST TP KP SP PK SK K'"},
    {kConsonant | Voiceless | Fricative, "F H S SH HA^ HI^ HU^"},
    {None | Terminator, "#"},
    {None | Space, "_"},
    {None | Bit62, "="},
};

const std::pair<const char*, const char*> kClasses[] = {
    {"01", "P V F TP KP SP"},
    {"02", "T S Z CH DH ZH SH KT PT ST"},
    {"03", "K PK SK"},
    {"04", "TX ZX"},
    {"05", "R KR PR FR TXR TR DR GR BR"},
    {"06", "J"},
    {"07", "W KW TW"},
    {"08", "D"},
    {"09", "B"},
    {"10", "N TN DN VN SN"},
    {"11", "M"},
    {"12", "L DL TL KL GL BL PL SL"},
    {"13", "G NG"},
    {"14", "H"},
};

std::string WithDigit(const std::string& name, char digit) {
  std::string changed = name;
  changed[changed.find('0')] = digit;
  return changed;
}

std::vector<std::string> Names(const char* list) {
  std::vector<std::string> names;
  SplitWords(list, names);
  return names;
}

EnglishTables BuildTables() {
  EnglishTables t;
  for (const Row& row : kStressedRows) {
    for (const std::string& name : Names(row.names)) {
      t.inventory[name] = kFull | row.bits;
      t.inventory[WithDigit(name, '5')] = kPartial | row.bits;
      t.inventory[WithDigit(name, '2')] = kPosttonic | row.bits;
    }
  }
  for (const Row& row : kRows) {
    for (const std::string& name : Names(row.names)) t.inventory[name] = row.bits;
  }
  for (const auto& [code, names] : kClasses) {
    for (const std::string& name : Names(names)) t.consonantClasses[name] = code;
  }
  return t;
}

}  // namespace

const EnglishTables& EnglishPhoneticTables() {
  static const EnglishTables tables = BuildTables();
  return tables;
}
