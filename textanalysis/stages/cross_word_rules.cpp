#include "textanalysis/stages/cross_word_rules.h"

#include <string_view>

namespace {

// Both strings are looked at wrapped as "#," + phonemes + ",#".
struct Voicing {
  std::string_view nextBegins;
  std::string_view previousEnds;
  std::string_view becomes;
};

// "В" between a final consonant and a voiced one passes the voicing on.
constexpr Voicing kThroughV[] = {
    {"#,V,B,", ",P,#", "B"},   {"#,V,B,", ",B,#", "B"},   {"#,V,D,", ",D,#", "D"},
    {"#,V,D,", ",T,#", "D"},   {"#,V,Z,", ",Z,#", "Z"},   {"#,V,Z,", ",S,#", "Z"},
    {"#,V,G,", ",G,#", "G"},   {"#,V,G,", ",K,#", "G"},   {"#,V,ZH,", ",ZH,#", "ZH"},
    {"#,V,ZH,", ",SH,#", "ZH"},
};

constexpr std::string_view kHardFinals[] = {",P,#", ",T,#", ",C,#", ",S,#", ",SH,#", ",F,#",
                                            ",K,#", ",X,#", ",G,#", ",B,#", ",D,#", ",Z,#",
                                            ",ZH,#", ",L,#", ",M,#", ",N,#", ",V,#", ",R,#"};

constexpr std::string_view kVoicedOnsets[] = {"#,B,", "#,Z,", "#,G,", "#,D,", "#,ZH,"};

struct Devoiced {
  std::string_view previousEnds;
  std::string_view becomes;
};

constexpr Devoiced kVoicedBefore[] = {
    {",P,#", "B"},   {",S,#", "Z"},   {",K,#", "G"},   {",T,#", "D"},   {",SH,#", "ZH"},
    {",P',#", "B'"}, {",S',#", "Z'"}, {",K',#", "G'"}, {",T',#", "D'"},
};

bool BeginsWith(const std::string& text, std::string_view head) {
  return std::string_view(text).substr(0, head.size()) == head;
}

bool EndsWith(const std::string& text, std::string_view tail) {
  return text.size() >= tail.size() && std::string_view(text).substr(text.size() - tail.size()) == tail;
}

void ReplaceLastPhoneme(std::string& phonemes, std::string_view by) {
  const size_t comma = phonemes.rfind(',');
  phonemes.replace(comma == std::string::npos ? 0 : comma + 1, std::string::npos, by);
}

bool IsVoicedOnset(const std::string& wrapped) {
  for (std::string_view onset : kVoicedOnsets)
    if (BeginsWith(wrapped, onset)) return true;
  return false;
}

}  // namespace

void ApplyCrossWordRules(std::string& previous, std::string& next) {
  const std::string r = "#," + previous + ",#";
  const std::string h = "#," + next + ",#";
  for (const Voicing& rule : kThroughV)
    if (BeginsWith(h, rule.nextBegins) && EndsWith(r, rule.previousEnds)) {
      ReplaceLastPhoneme(previous, rule.becomes);
      return;
    }
  if (BeginsWith(h, "#,I")) {
    for (std::string_view final : kHardFinals)
      if (EndsWith(r, final)) {
        next[0] = 'Y';
        return;
      }
  }
  if (!IsVoicedOnset(h)) return;
  for (const Devoiced& rule : kVoicedBefore)
    if (EndsWith(r, rule.previousEnds)) {
      ReplaceLastPhoneme(previous, rule.becomes);
      return;
    }
}
