#include "runemap/devoicing.h"

namespace {

// One phoneme name of a comma-joined list.
struct Phoneme {
  bool present = false;
  std::string_view name;
  size_t end = 0;  // position just past the name and its comma
};

Phoneme PhonemeAt(std::string_view list, size_t pos) {
  Phoneme p;
  if (pos >= list.size()) return p;
  const size_t comma = list.find(',', pos);
  p.present = true;
  p.name = list.substr(pos, comma == std::string_view::npos ? std::string_view::npos : comma - pos);
  p.end = comma == std::string_view::npos ? list.size() : comma + 1;
  return p;
}

}  // namespace

void DevoiceZ(std::string& phonemes, const DevoicingRules& rules) {
  constexpr std::string_view kFind = ",Z,";
  size_t pos = phonemes.find(kFind);
  while (pos != std::string::npos) {
    const Phoneme next = PhonemeAt(phonemes, pos + kFind.size());
    if (next.present && rules.zNext(next.name)) {
      const Phoneme afterNext = PhonemeAt(phonemes, next.end);
      const bool devoice = afterNext.present ? rules.zAfterNext(afterNext.name)
                                             : rules.zAfterNextMayBeMissing;
      if (devoice) phonemes[pos + 1] = 'S';
    }
    // The closing comma may open the next occurrence.
    pos = phonemes.find(kFind, pos + kFind.size() - 1);
  }
}

void DevoiceZh(std::string& phonemes, const DevoicingRules& rules) {
  constexpr std::string_view kFind = ",ZH,";
  size_t pos = phonemes.find(kFind);
  while (pos != std::string::npos) {
    const Phoneme next = PhonemeAt(phonemes, pos + kFind.size());
    if (next.present && rules.zhNext(next.name)) {
      phonemes[pos + 1] = 'S';
    }
    pos = phonemes.find(kFind, pos + kFind.size() - 1);
  }
}
