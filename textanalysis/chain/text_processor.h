// The text processor: one rewriting step of the normalisation chain, which
// turns what cannot be spoken as written into Russian words.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "foundation/stress.h"
#include "foundation/tag_table.h"
#include "foundation/text_token.h"

class LinguisticResources;

class TextProcessor {
 public:
  // Process results.
  static constexpr int kHandled = 0;
  static constexpr int kNotApplicable = 1;

  // Processors with a higher priority are tried first.
  explicit TextProcessor(float priority) : priority_(priority) {}
  TextProcessor(const TextProcessor&) = delete;
  TextProcessor& operator=(const TextProcessor&) = delete;

  // Rewrites tokens from `index` on: kHandled with the replacement in `out`
  // and the number of input tokens it replaces in *consumed, or
  // kNotApplicable with `out` empty and *consumed 0.
  virtual int Process(std::vector<TextToken>& tokens, int index, std::vector<TextToken>& out,
                      int* consumed) = 0;
  // Takes the resources (and the per-text stress map and tag table from
  // them); a processor that needs more fetches it here. 1 ready, 0 failed.
  virtual int Init(LinguisticResources* resources);
  // The descriptions of the markup tags in force at the current token.
  virtual void OnTag(const std::set<std::string>& tags);
  virtual ~TextProcessor() = default;

  float Priority() const { return priority_; }
  static bool HigherPriority(const TextProcessor* a, const TextProcessor* b) {
    return a->Priority() > b->Priority();
  }

 protected:
  float priority_;
  LinguisticResources* resources_ = nullptr;
  StressByPosition* tagMap_ = nullptr;
  TagTable* tagTable_ = nullptr;
};
