// Words read otherwise than written: the dictionary of transcriptions and
// the processor that would put them in.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "foundation/text_token.h"
#include "textanalysis/chain/text_processor.h"
#include "textanalysis/normalisation/letter_tables.h"

struct TranscriptionEntry {
  std::string word;                      // the key's first word, lower case
  std::vector<std::string> followWords;  // the key's further words
  std::string cyrillic;                  // "внзар" + key in Cyrillic + "внзар"
  std::string transcription;             // "#...#"
};

class TranscriptionDictionary {
 public:
  TranscriptionDictionary();

  // Lines of "word [words] #transcription#"; other lines are skipped.
  void Load(const std::vector<std::string>& lines);
  // False when the line is not an entry.
  bool ParseLine(const std::string& line, TranscriptionEntry& entry) const;
  // The key's letters in Cyrillic: Latin letters mapped, Cyrillic kept,
  // anything else dropped.
  std::string LatinToCyrillic(const std::string& text) const;

  // The entry whose words start at tokens[index]: its Cyrillic rendering and
  // the number of tokens it takes.
  bool Match(const std::vector<TextToken>& tokens, int index, std::string& cyrillic,
             int& count) const;

  size_t Size() const { return byWord_.size(); }

 private:
  ByteTable latinMap_;
  std::multimap<std::string, TranscriptionEntry> byWord_;
  std::map<std::string, TranscriptionEntry> byCyrillic_;
};

class TranscriptionProcessor : public TextProcessor {
 public:
  TranscriptionProcessor();
  int Init(LinguisticResources* resources) override;
  int Process(std::vector<TextToken>& tokens, int index, std::vector<TextToken>& out,
              int* consumed) override;

 private:
  const TranscriptionDictionary* dictionary_ = nullptr;
};
