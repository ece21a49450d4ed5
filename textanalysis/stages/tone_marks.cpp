#include "textanalysis/stages/tone_marks.h"

#include <string_view>

namespace {

// The punctuation an end sign stands for.
std::string_view EndSignText(_eLMSyntagmaEnd sign) {
  switch (sign) {
    case SE_Exclamation:
    case SE_Exclamation1:
      return "!";
    case SE_Question1:
    case SE_Question2:
      return "?";
    case SE_Stop1:
    case SE_Stop2:
      return ".";
    case SE_Stop3:
      return ";";
    case SE_Stop4:
      return ":";
    case SE_Stop5:
      return ")";
    case SE_Comma4:
    case SE_Comma5:
    case SE_Comma6:
      return ",";
    case SE_Comma7:
      return "-";
    case SE_Comma8:
      return "(";
    default:
      return "";
  }
}

std::string_view FinalTone(const OutputSyntagma& last, size_t syntagmaCount) {
  const std::string_view mark = EndSignText(last.endSign);
  if (mark == ".") return syntagmaCount > 1 ? "(..)" : "(.)";
  if (mark == "?") return last.endSign == SE_Question1 ? "(?.)" : "(?)";
  if (mark == "!") return last.endSign == SE_Exclamation ? "(!.)" : "(!)";
  return "(.)";
}

std::string Doubled(std::string_view tone) {
  std::string out(tone);
  out += '|';
  out += tone;
  return out;
}

}  // namespace

void SetToneMarks(std::vector<OutputSyntagma>& syntagmas) {
  for (OutputSyntagma& syntagma : syntagmas) syntagma.tone = "(.)";
  if (!syntagmas.empty())
    syntagmas.back().tone = FinalTone(syntagmas.back(), syntagmas.size());
  for (OutputSyntagma& syntagma : syntagmas) syntagma.tone = Doubled(syntagma.tone);
}
