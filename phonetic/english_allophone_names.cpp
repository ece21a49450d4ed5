// Allophone names of the English phonetics: a vowel is named by the class
// of the consonant before it, a consonant by what follows it, and a few
// consonants by their own rules.
#include <set>

#include "phonetic/phonetic_eng.h"
#include "platform/message_box.h"

using namespace Sound;

namespace {

using Names = std::set<std::string>;

const Names kDarkLAfter = {"UU", "U", "O", "OO", "YU", "AU", "Y", "UY", "IY"};
const Names kFrontNgAfter = {"I", "II", "EI", "AI", "OI"};
const Names kFrontR = {"E", "I", "II", "EI", "EY", "IY"};
const Names kCentralR = {"AE", "A", "AA", "EY", "IY", "Y", "UY", "EE"};
const Names kBackR = {"O", "OO", "U", "UU", "AU", "YU"};
const Names kFrontVelar = {"I", "II", "E", "AE", "EI", "EE", "AI"};
const Names kClusters = {"TR", "DR", "KR", "PR", "FR", "BR", "TXR", "DL", "TL", "KL",
                         "GL", "BL", "PL", "SL", "DN", "TN", "KW", "TW", "KT", "PT",
                         "TP", "KP", "PK", "VN", "SN", "KN", "GR", "SP", "SK", "ST"};
const Names kJoinedWithVowel = {"M", "B", "D", "J", "H"};

bool Has(SoundDescription sd, SoundDescription bits) { return (sd & bits) != 0; }

// One word's phonemes with their marked descriptions; places outside the
// list are absent and have no marks.
class Word {
 public:
  Word(const std::vector<std::string>& names, std::vector<SoundDescription> marks)
      : names_(names), marks_(std::move(marks)) {}

  SoundDescription At(int64_t j) const {
    return j >= 0 && j < Size() ? marks_[static_cast<size_t>(j)] : 0;
  }
  const std::string& Name(int64_t j) const {
    static const std::string kAbsent;
    return j >= 0 && j < Size() ? names_[static_cast<size_t>(j)] : kAbsent;
  }
  // The name cut before its stress digit or mark.
  std::string Base(int64_t j) const {
    const std::string& name = Name(j);
    return name.substr(0, name.find_first_of("0125$^"));
  }
  int64_t Size() const { return static_cast<int64_t>(names_.size()); }

  bool IsPause(int64_t j) const { return Has(At(j), Space | Bit62); }
  bool IsEnd(int64_t j) const { return Has(At(j), Terminator); }
  bool IsVowel(int64_t j) const { return Has(At(j), Vowel); }
  bool IsConsonant(int64_t j) const { return Has(At(j), Consonant); }
  bool IsStressed(int64_t j) const { return Has(At(j), Stressed); }
  bool IsUnstressed(int64_t j) const { return Has(At(j), Unstressed); }

 private:
  const std::vector<std::string>& names_;
  std::vector<SoundDescription> marks_;
};

// The code of a consonant at c followed by a consonant at c + 1; "" when
// what comes after that one does not decide.
std::string ClusterCode(const Word& w, int64_t c, bool pauseIsMarkerToo) {
  const int64_t after = c + 1;
  const bool pause = pauseIsMarkerToo ? w.IsPause(after) : Has(w.At(after), Space);
  if (pause) return "30";
  if (w.IsEnd(after)) return "34";
  if (w.IsStressed(after)) return "31";
  if (w.IsUnstressed(after) || w.IsConsonant(after)) return "32";
  return {};
}

// What follows a consonant at j.
std::string FollowerCode(const Word& w, int64_t j) {
  const int64_t next = j + 1;
  if (w.IsEnd(next)) return "4";
  if (Has(w.At(next), Space)) return "0";
  if (w.IsVowel(next) && w.IsStressed(next)) return "1";
  if (w.IsUnstressed(next)) return "2";
  if (w.IsConsonant(next)) return ClusterCode(w, next, true);
  if (Has(w.At(next), Bit62)) {
    if (w.IsVowel(next + 1)) return "0";
    if (w.IsConsonant(next + 1)) {
      const std::string code = ClusterCode(w, next + 1, false);
      return code.empty() ? "0" : code;
    }
    return "0";
  }
  return {};
}

// The name of a particular consonant by its own rule, over the name the
// general rule gave it (empty when it gave none).
std::string ParticularName(const Word& w, int64_t j, const std::string& general) {
  const std::string& name = w.Name(j);
  const std::string prev = w.Base(j - 1);
  const std::string next = w.Base(j + 1);
  const bool pause = w.IsPause(j + 1);
  const bool end = w.IsEnd(j + 1);
  const auto in = [](const Names& names, const std::string& base) {
    return names.count(base) != 0;
  };
  const auto orUnnamed = [&general](const std::string& fallback) {
    return general.empty() ? fallback : general;
  };

  if (name == "L" || name == "NG") {
    const bool coloured = in(name == "L" ? kDarkLAfter : kFrontNgAfter, prev);
    const std::string mark = name == "L" ? "U^" : "I^";
    if (end) return name + (coloured ? mark + "4" : "4");
    if (pause) return name + (coloured ? mark + "0" : "0");
    return orUnnamed(name + "2");
  }
  if (name == "R") {
    for (const auto& [names, letter] :
         {std::pair{&kFrontR, "I^"}, std::pair{&kCentralR, "A^"}, std::pair{&kBackR, "O^"}}) {
      if (!in(*names, prev)) continue;
      if (pause) return name + letter + "0";
      if (w.IsStressed(j + 1)) return name + letter + "1";
      if (w.IsUnstressed(j + 1)) return name + letter + "2";
      break;
    }
    return orUnnamed(name + "0");
  }
  if (name == "K") {
    if (in(kFrontVelar, prev) && end) return "K'4";
    if (in(kFrontVelar, prev) && pause) return "K'0";
    if (in(kFrontVelar, next)) return w.IsStressed(j + 1) ? "K'1" : "K'2";
    if (w.IsConsonant(j + 1) && w.IsPause(j + 2)) return "K'30";
    if (w.IsConsonant(j + 1) && w.IsEnd(j + 2)) return "K'34";
    return orUnnamed("K2");
  }
  if (name == "G") {
    if (in(kFrontVelar, next)) return w.IsStressed(j + 1) ? "G'1" : "G'2";
    return orUnnamed("G2");
  }
  if (kClusters.count(name) != 0) {
    if (w.IsConsonant(j + 1)) return name + "3";
    return orUnnamed(name + "2");
  }
  return general;
}

// A vowel's suffix: the class of the consonant before it.
std::string VowelName(const Word& w, int64_t j, const EnglishTables& tables) {
  const auto classOf = [&](int64_t at) -> const std::string* {
    const auto found = tables.consonantClasses.find(w.Name(at));
    return found == tables.consonantClasses.end() ? nullptr : &found->second;
  };
  const std::string& name = w.Name(j);
  const bool afterVowel = w.IsVowel(j - 1) || w.IsEnd(j - 1);

  if (name != "Y$") {
    if (afterVowel) return name + ".00";
    if (Has(w.At(j - 1), Bit62)) {
      if (const std::string* code = classOf(j - 2)) return name + "." + *code;
    }
    const std::string* code = classOf(j - 1);
    return name + "." + (code != nullptr ? *code : "00");
  }

  std::string left = "00";
  if (!afterVowel) {
    const std::string* code = classOf(j - 1);
    left = code != nullptr ? *code : "02";
  }
  std::string right;
  const int64_t next = j + 1;
  if (w.IsPause(next) && w.IsVowel(next + 1)) {
    right = "2";
  } else if (w.Name(next) == "Z" && w.IsEnd(next + 1)) {
    right = "4";
  } else if (w.Name(next) == "Z") {
    right = "2";
  } else if (w.Name(next) == "R" && w.IsPause(next + 1) && w.IsVowel(next + 2)) {
    right = "2";
  } else if (w.IsEnd(next)) {
    right = "4";
  } else {
    right = "3";
    for (int64_t p = next; p < w.Size(); ++p) {
      if (w.IsVowel(p)) break;
      if (w.IsPause(p)) break;
      if (w.IsEnd(p)) {
        right = "5";
        break;
      }
    }
  }
  return name + "." + right + "." + left;
}

}  // namespace

std::vector<std::string> PhoneticEng::PhonemesToAllophones(
    const std::vector<std::string>& phonemes) const {
  const Word w(phonemes, AssignStress(phonemes));
  std::vector<std::string> names(phonemes.size());
  for (int64_t j = 0; j < w.Size(); ++j) {
    const SoundDescription sd = w.At(j);
    std::string& out = names[static_cast<size_t>(j)];
    if (Has(sd, Space | Terminator | Bit62)) {
      out = w.Name(j);
    } else if (Has(sd, Vowel)) {
      out = VowelName(w, j, tables_);
    } else if (Has(sd, Consonant)) {
      std::string general = FollowerCode(w, j);
      if (!general.empty()) general = w.Name(j) + general;
      out = ParticularName(w, j, general);
    }
  }
  for (int64_t j = 0; j + 1 < w.Size(); ++j) {
    if (kJoinedWithVowel.count(w.Name(j)) != 0 && w.IsVowel(j + 1)) {
      names[static_cast<size_t>(j)] = w.Name(j) + "-" + names[static_cast<size_t>(j + 1)];
    }
  }

  // Every phoneme must have its allophone, or the word has none.
  for (const std::string& name : names) {
    if (!name.empty()) continue;
    if (messageLevel_ > 0) {
      MessageBoxA(nullptr, "Error in PhonemesToAllophones: allophones.size() != phonemes.size()",
                  "PhoneticEng", MB_OK | MB_ICONERROR);
    }
    return {};
  }
  return names;
}
