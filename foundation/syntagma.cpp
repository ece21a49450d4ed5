#include "foundation/syntagma.h"

#include <algorithm>

namespace {

size_t JoinedLength(const std::vector<StressedWord>& words) {
  size_t length = 0;
  for (const StressedWord& word : words) length += word.token.text.size();
  return length;
}

}  // namespace

void WordGroup::StressedText(std::string& out) const {
  out.clear();
  size_t i = 0;
  for (const StressedWord& word : words) {
    for (const char c : word.token.text) {
      out.push_back(c);
      switch (stress.Match(static_cast<INT>(i))) {
        case 1: out.push_back('+'); break;
        case 2: out.push_back('-'); break;
        default: break;
      }
      ++i;
    }
  }
}

bool WordGroup::IsStressValid() const {
  const size_t length = JoinedLength(words);
  const auto inText = [length](INT p) { return p >= 0 && static_cast<size_t>(p) < length; };
  if (stress.IsSet() && !inText(stress.main)) return false;
  if (!std::all_of(stress.positions.begin(), stress.positions.end(), inText)) return false;
  return std::find(stress.positions.begin(), stress.positions.end(), stress.main) ==
         stress.positions.end();
}

void SyntagmaRecord::Reset() {
  type = 0;
  endSign = 0;
  parts.clear();
  position = Interval();
}

INT SumTokenLengths(const std::vector<StressedWord>& words, INT count) {
  if (count <= 0) return 0;
  const size_t n = std::min(static_cast<size_t>(count), words.size());
  size_t sum = 0;
  for (size_t i = 0; i < n; ++i) sum += words[i].token.text.size();
  return static_cast<INT>(sum);
}

INT SumTokenLengths(const std::vector<StressedWord>& words) {
  return static_cast<INT>(JoinedLength(words));
}

void JoinStressedWordTexts(const std::vector<StressedWord>& words, std::string& out,
                           const std::string& separator, bool clearFirst) {
  if (clearFirst) out.clear();
  for (size_t i = 0; i < words.size(); ++i) {
    if (i > 0) out += separator;
    out += words[i].token.text;
  }
}

void JoinWordTexts(const WordGroup& group, std::string& out, const std::string& separator) {
  JoinStressedWordTexts(group.words, out, separator, true);
}

INT CountStressedGroups(const SyntagmaRecord& syntagma) {
  INT count = 0;
  for (const SyntagmaPart& part : syntagma.parts)
    for (const WordGroup& group : part.groups)
      if (group.stress.IsSet()) ++count;
  return count;
}

std::string SyntagmaTypeName(INT type) {
  switch (type) {
    case 0: return "Неизвестная";
    case 1: return "Короткая";
    case 2: return "Орфографическая";
    default: return std::string();
  }
}

std::string SyntagmaEndCode(INT endSign) {
  switch (endSign) {
    case 1: return "!";
    case 2: return "!1";
    case 3: return "?1";
    case 4: return "?2";
    default: break;
  }
  if (endSign >= 5 && endSign <= 9) return "." + std::to_string(endSign - 4);
  if (endSign >= 10 && endSign <= 17) return "," + std::to_string(endSign - 9);
  return std::string();
}

void DumpSyntagma(const SyntagmaRecord& syntagma, std::string& out) {
  out = "Синтагма " + SyntagmaTypeName(syntagma.type) + ": || ";
  std::string text;
  for (const SyntagmaPart& part : syntagma.parts) {
    for (const WordGroup& group : part.groups) {
      group.StressedText(text);
      out += ' ';
      out += text;
    }
    out += " || ";
  }
  out += SyntagmaEndCode(syntagma.endSign);
}
