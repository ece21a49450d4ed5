// Reads the text a "Context=" attribute marks: dates, times, numbers,
// telephone numbers, web and e-mail addresses and dollar amounts.
#pragma once

#include <string>
#include <vector>

#include "textanalysis/chain/text_processor.h"
#include "textanalysis/normalisation/letter_tables.h"

class ContextTagProcessor : public TextProcessor {
 public:
  ContextTagProcessor();
  void OnTag(const std::set<std::string>& tags) override;
  int Process(std::vector<TextToken>& tokens, int index, std::vector<TextToken>& out,
              int* consumed) override;

  bool IsActive() const { return active_; }
  const std::string& Value() const { return value_; }

  // The readers, over the texts of the marked tokens; false when the texts
  // do not have the form the value names.
  static bool ReadDate(const std::string& value, const std::vector<std::string>& texts,
                       std::string& text);
  static bool ReadTime(const std::vector<std::string>& texts, std::string& text);
  static bool ReadNumber(const std::string& value, const std::vector<std::string>& texts,
                         std::string& text);
  static bool ReadPhone(const std::vector<std::string>& texts, std::string& text);
  bool ReadAddress(const std::vector<std::string>& texts, std::string& text) const;

 private:
  bool Read(const std::vector<TextToken>& tokens, int index, int count, std::string& text) const;

  bool active_ = false;
  std::string value_;
  ByteTable letterMap_;
};
