// Stresses of the text data model: the stress of one word, a word with its
// stress, and the table of stresses recorded by text position.
#pragma once

#include <cstddef>
#include <map>
#include <vector>

#include "foundation/text_token.h"
#include "platform/types.h"

// Stressed positions of a word: byte offsets into its text.
struct StressSpec {
  // The main stress, -1 for none.
  INT main = -1;
  // Further (secondary) stressed positions.
  std::vector<INT> positions;
  INT extra = -1;

  bool IsSet() const { return main != -1; }
  void ClearMain() { main = -1; }
  void ClearPositions() { positions.clear(); }
  // Clears the main stress and the further positions (extra is kept).
  void Reset() {
    ClearMain();
    ClearPositions();
  }
  void SetPositions(const INT* values, size_t count) { positions.assign(values, values + count); }
  // 1 for the main position, 2 for one of the further positions, else 0.
  int Match(INT position) const;
  // Every further position >= 0 and main >= -1.
  bool IsValid() const;
};

// A token with its stress; created with an empty token and no stress.
struct StressedWord {
  TextToken token;
  StressSpec stress;

  // The main stress (when set) and every further position lie inside the
  // token's text.
  bool StressInRange() const;
};

// Stresses by 64-bit text position, in position order.
class StressByPosition {
 public:
  // Stores a copy of the stress under the position.
  void Set(UI8 position, const StressSpec& spec) { entries_[position] = spec; }
  bool Contains(UI8 position) const { return entries_.count(position) != 0; }
  // Resets out (main -1, no positions), then copies main, positions and extra
  // of the stored entry when there is one. Returns whether there was one.
  bool Find(UI8 position, StressSpec& out) const;
  void Erase(UI8 position) { entries_.erase(position); }
  // The entry at the position; a missing one is inserted unset.
  StressSpec& operator[](UI8 position) { return entries_[position]; }

  size_t Size() const { return entries_.size(); }
  bool IsEmpty() const { return entries_.empty(); }
  void Clear() { entries_.clear(); }
  std::map<UI8, StressSpec>::const_iterator begin() const { return entries_.begin(); }
  std::map<UI8, StressSpec>::const_iterator end() const { return entries_.end(); }

 private:
  std::map<UI8, StressSpec> entries_;
};
