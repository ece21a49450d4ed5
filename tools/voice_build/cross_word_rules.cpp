#include "tools/voice_build/cross_word_rules.h"

#include <string_view>

namespace {

struct VoicingRule {
  std::string_view onset;  // next word begins with this (framed by "#,")
  std::string_view finals[2];
  std::string_view becomes;
};

// "V" before a consonant passes that consonant's voicing back.
constexpr VoicingRule kThroughV[] = {
    {"#,V,B,", {",P,#", ",B,#"}, "B"},   {"#,V,D,", {",D,#", ",T,#"}, "D"},
    {"#,V,Z,", {",Z,#", ",S,#"}, "Z"},   {"#,V,G,", {",G,#", ",K,#"}, "G"},
    {"#,V,ZH,", {",ZH,#", ",SH,#"}, "ZH"},
};

constexpr std::string_view kHardFinals[] = {",P,#", ",T,#", ",C,#", ",S,#", ",SH,#", ",F,#",
                                            ",K,#", ",X,#", ",G,#", ",B,#", ",D,#", ",Z,#",
                                            ",ZH,#", ",L,#", ",M,#", ",N,#", ",V,#", ",R,#"};

constexpr std::string_view kVoicedOnsets[] = {"#,B,", "#,Z,", "#,G,", "#,D,", "#,ZH,"};

struct Voicing {
  std::string_view final;
  std::string_view becomes;
};
constexpr Voicing kVoicing[] = {{",P,#", "B"},  {",S,#", "Z"},   {",K,#", "G"},
                                {",T,#", "D"},  {",SH,#", "ZH"}, {",P',#", "B'"},
                                {",S',#", "Z'"}, {",K',#", "G'"}, {",T',#", "D'"}};

bool EndsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// Replaces the last phoneme of a framed string.
void ReplaceLast(std::string& framed, std::string_view phoneme) {
  const size_t end = framed.size() - 2;  // before ",#"
  const size_t start = framed.rfind(',', end - 1) + 1;
  framed.replace(start, end - start, phoneme);
}

}  // namespace

void ApplyCrossWordRules(std::string& previous, std::string& next) {
  std::string r = "#," + previous + ",#";
  std::string h = "#," + next + ",#";
  bool changed = false;
  for (const auto& rule : kThroughV) {
    if (h.starts_with(rule.onset)) {
      if (EndsWith(r, rule.finals[0]) || EndsWith(r, rule.finals[1])) {
        ReplaceLast(r, rule.becomes);
        changed = true;
      }
      break;
    }
  }
  if (!changed && h.starts_with("#,I")) {
    for (auto final : kHardFinals) {
      if (EndsWith(r, final)) {
        h[2] = 'Y';
        changed = true;
        break;
      }
    }
  }
  if (!changed) {
    for (auto onset : kVoicedOnsets) {
      if (!h.starts_with(onset)) continue;
      for (const auto& v : kVoicing) {
        if (EndsWith(r, v.final)) {
          ReplaceLast(r, v.becomes);
          break;
        }
      }
      break;
    }
  }
  previous = r.substr(2, r.size() - 4);
  next = h.substr(2, h.size() - 4);
}
