#include "textanalysis/normalisation/token_output.h"

#include "textanalysis/chain/text_processor.h"
#include "textanalysis/normalisation/grammar_tables.h"

TextToken WithText(const TextToken& token, std::string text) {
  TextToken copy = token;
  copy.text = std::move(text);
  return copy;
}

TextToken SpanToken(const std::vector<TextToken>& tokens, int first, int last, std::string text,
                    UI4 extraFlags) {
  const TextToken& head = tokens[first];
  const TextToken& tail = tokens[last];
  const UI8 end = tail.position.start + tail.position.size;
  const Interval span{head.position.start, static_cast<UI4>(end - head.position.start)};
  return TextToken(head.LeftFlags() | tail.RightFlags() | extraFlags, std::move(text), span);
}

int Decline(std::vector<TextToken>& out, int* consumed) {
  out.clear();
  if (consumed != nullptr) *consumed = 0;
  return TextProcessor::kNotApplicable;
}

int Handle(std::vector<TextToken>& out, int* consumed, TextToken token, int count) {
  out.clear();
  out.push_back(std::move(token));
  if (consumed != nullptr) *consumed = count;
  return TextProcessor::kHandled;
}

bool IsDigitString(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

bool IsDecimalFraction(const std::vector<TextToken>& tokens, int index) {
  if (index < 2 || index >= static_cast<int>(tokens.size())) return false;
  const TextToken& mark = tokens[index - 1];
  return tokens[index].IsNumber() && (mark.text == "," || mark.text == ".") &&
         tokens[index - 2].IsNumber() && !tokens[index - 2].HasLineBreakOrSpaceAfter() &&
         !mark.HasLineBreakOrSpaceAfter();
}

bool IsNumberInGenitive(const std::vector<TextToken>& tokens, int index) {
  constexpr int kGenitive = 1;  // as GrammarForm numbers the cases
  return index >= 1 && index < static_cast<int>(tokens.size()) && tokens[index].IsNumber() &&
         GrammarTables::PrepositionCase(tokens[index - 1].text) == kGenitive;
}
