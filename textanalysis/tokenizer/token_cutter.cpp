#include "textanalysis/tokenizer/token_cutter.h"

#include <utility>

TokenCutter::TokenCutter(const CharSet& groups, std::vector<TextToken>& out, UI8 start)
    : groups_(groups), out_(out), pending_(TextToken::MakeAt(start)) {}

bool TokenCutter::Blank(char c, UI8 position) {
  return ApplySeparatorChar(c, position, pending_, out_);
}

bool TokenCutter::LineBreak(UI8 position, UI8 length) {
  // The separator rule sees one '\n'; the pending token then starts after
  // the whole break.
  const bool emitted = ApplySeparatorChar('\n', position, pending_, out_);
  pending_.position.start = position + length;
  return emitted;
}

void TokenCutter::Character(char c, UI8 position) {
  if (!pending_.text.empty() && groups_.IndexOf(pending_.text.back()) != groups_.IndexOf(c)) {
    EmitPending(position);
    pending_.position.start = position;
  }
  if (pending_.text.empty()) pending_.position.start = position;
  pending_.text.push_back(c);
}

bool TokenCutter::EmitPending(UI8 end, UI4 flags) {
  if (pending_.text.empty()) return false;
  pending_.AddFlags(flags);
  pending_.position.size = static_cast<UI4>(end - pending_.position.start);
  out_.push_back(std::move(pending_));
  pending_ = TextToken::MakeAt(end);
  return true;
}

void TokenCutter::Restart(UI8 position, UI4 flags) {
  pending_ = TextToken::MakeAt(position);
  pending_.flags = flags;
}

size_t LineBreakLength(const std::string& text, size_t i) {
  if (text[i] == '\r') return i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
  return text[i] == '\n' ? 1 : 0;
}
