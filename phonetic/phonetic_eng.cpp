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

std::string PhoneticEng::BasicAllophone(const std::string& allophone) {
  std::string phoneme = BasePhoneme(allophone);
  if (phoneme.empty() || !IsVowelLetter(phoneme[0]) || phoneme == "Y1" || phoneme == "Y$") {
    return phoneme;
  }
  const size_t digit = phoneme.find_first_of("0125");
  if (digit != std::string::npos) phoneme[digit] = '0';
  return phoneme;
}

std::string PhoneticEng::SubstituteAllophone(const std::string& allophone) {
  std::string result = allophone;
  const size_t five = result.find('5');
  if (five != std::string::npos && five < result.find('.')) result[five] = '0';
  return result;
}

std::vector<AccentUnit> PhoneticEng::FindSyllables(
    const std::vector<std::string>& phonemes) const {
  std::vector<SoundDescription> own(phonemes.size());
  for (size_t j = 0; j < phonemes.size(); ++j) own[j] = GetSD(phonemes[j]);
  return FindAccentUnits(own, true);
}

std::vector<SoundDescription> PhoneticEng::AssignStress(
    const std::vector<std::string>& phonemes) const {
  std::vector<SoundDescription> marks(phonemes.size());
  std::vector<int> places(phonemes.size());
  for (size_t j = 0; j < phonemes.size(); ++j) {
    marks[j] = GetSD(phonemes[j]);
    places[j] = PlosivePlace(phonemes[j]);
  }
  MarkNeighbours(phonemes, places, marks);
  const std::vector<SoundDescription> own = marks;
  MarkAccentUnits(FindAccentUnits(own, true), own, marks);
  return marks;
}
