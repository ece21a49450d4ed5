#include "runemap/phoneme_rewrites.h"

#include <array>
#include <cstdint>

#include "foundation/string_utils.h"

namespace {

constexpr uint8_t kStress = 1;
constexpr uint8_t kFlags = 2;
constexpr uint8_t kText = 4;
constexpr uint8_t kAll = kStress | kFlags | kText;
constexpr uint8_t kWord = kStress | kFlags;

struct RewriteRow {
  std::string_view find;
  std::string_view replacement;
  uint8_t sets;
  // The word converter skips the rule for words containing these letters.
  std::string_view unlessLetters;
};

constexpr std::array<RewriteRow, 31> kRewrites{{
    {"S,J'", "S',J'", kAll, {}},
    {"S,N'", "S',N'", kStress, {}},
    {"F,S'", "F',S'", kAll, {}},
    {"D,D'", "D',D'", kAll, {}},
    {"S,S'", "S',S'", kAll, {}},
    {"T,T'", "T',T'", kAll, {}},
    {"Z,Z'", "Z',Z'", kAll, {}},
    {"N,N'", "N',N'", kAll, {}},
    {"P,P'", "P',P'", kAll, {}},
    {"R,R'", "R',R'", kAll, {}},
    {"G,G'", "G',G'", kAll, {}},
    {"K,K'", "K',K'", kAll, {}},
    {"SH,SH'", "SH',SH'", kAll, {}},
    {"ZH,ZH'", "ZH',ZH'", kAll, {}},
    {"V,V'", "V',V'", kAll, {}},
    {"B,B'", "B',B'", kAll, {}},
    {"F,F'", "F',F'", kAll, {}},
    {"M,M'", "M',M'", kAll, {}},
    {"L,L'", "L',L'", kAll, "лъл"},
    {"X,X'", "X',X'", kAll, {}},
    {"Z,N'", "Z',N'", kWord, "бизнес"},
    {"N,Z'", "N',Z'", kAll, {}},
    {"B,L'", "B',L'", kAll, {}},
    {"T',C", "C,C", kAll, {}},
    {"S,CH'", "SH'", kAll, {}},
    {"S,SH", "SH,SH", kAll, {}},
    {"Z,ZH", "ZH,ZH", kAll, {}},
    {"S,T,CH'", "SH'", kAll, {}},
    {"N,CH'", "N',CH'", kWord, {}},
    {"N,SH'", "N',SH'", kWord, {}},
    {"Z,CH'", "SH',SH'", kWord, {}},
}};

// One bit per character that occurs in phoneme names: most rules can be
// ruled out by the characters their pattern needs, without a search.
uint64_t CharMask(std::string_view text) {
  uint64_t mask = 0;
  for (char c : text) mask |= uint64_t{1} << (static_cast<unsigned char>(c) & 63);
  return mask;
}

uint8_t SetBit(RewriteSet set) {
  switch (set) {
    case RewriteSet::WordStress: return kStress;
    case RewriteSet::WordFlags: return kFlags;
    case RewriteSet::WholeText: return kText;
  }
  return 0;
}

}  // namespace

PhonemeRewriter::PhonemeRewriter(RewriteSet set) {
  const uint8_t bit = SetBit(set);
  // The whole-text converter knows no word exceptions.
  const bool wordConditions = set != RewriteSet::WholeText;
  for (const RewriteRow& row : kRewrites) {
    if ((row.sets & bit) == 0) continue;
    rules_.push_back({std::string(row.find), std::string(row.replacement),
                      wordConditions ? row.unlessLetters : std::string_view{},
                      CharMask(row.find)});
  }
}

void PhonemeRewriter::Apply(std::string& phonemes, std::string_view letters) const {
  uint64_t present = CharMask(phonemes);
  for (const Rule& rule : rules_) {
    if ((rule.needs & ~present) != 0) continue;
    if (phonemes.find(rule.find) == std::string::npos) continue;
    if (!rule.unlessLetters.empty() && letters.find(rule.unlessLetters) != std::string_view::npos)
      continue;
    ReplaceAll(phonemes, rule.find, rule.replacement);
    present = CharMask(phonemes);
  }
}
