// Cutting text into runs of one character group, with the separator flags
// that blanks and line breaks leave on the tokens around them. Shared by the
// tagged and the plain tokenizer.
#pragma once

#include <string>
#include <vector>

#include "foundation/char_set.h"
#include "foundation/text_token.h"

class TokenCutter {
 public:
  // Tokens go to `out`; the first pending token starts at `start`.
  TokenCutter(const CharSet& groups, std::vector<TextToken>& out, UI8 start);

  TextToken& Pending() { return pending_; }
  std::vector<TextToken>& Emitted() { return out_; }

  // A blank or tab at `position`. Returns whether a token was emitted.
  bool Blank(char c, UI8 position);
  // A line break of `length` characters ("\r\n" is one break of two) at
  // `position`. Returns whether a token was emitted.
  bool LineBreak(UI8 position, UI8 length);
  // Any other character: joins the pending token when that is empty or ends
  // in the same group, else the pending token is emitted first.
  void Character(char c, UI8 position);
  // Emits a non-empty pending token ending at `end` with extra flags; an
  // empty one stays. Returns whether a token was emitted.
  bool EmitPending(UI8 end, UI4 flags = 0);
  // Starts a new pending token at `position` with these flags.
  void Restart(UI8 position, UI4 flags);

 private:
  const CharSet& groups_;
  std::vector<TextToken>& out_;
  TextToken pending_;
};

// Length of the line break starting at text[i] (2 for "\r\n", 1 for a lone
// '\r' or '\n'), 0 when there is none.
size_t LineBreakLength(const std::string& text, size_t i);
