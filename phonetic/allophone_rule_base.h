// The compiled Russian allophone rule base: the tables read from its binary
// file and the choice of an allophone for one phoneme of a word.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "phonetic/file_mapping.h"
#include "platform/types.h"

struct PhonemeAttributes {
  int32_t isVowel = 0;
  int32_t phonemeCode = 0;
  int32_t visemeCode = 0;
  int32_t reserved1 = 0;
  int32_t reserved2 = 0;
};

class AllophoneRuleBase {
 public:
  // Neighbour phoneme -> label, for one distance and direction.
  using LabelTable = std::map<std::string_view, std::string_view, std::less<>>;

  struct RuleRecord {
    std::string_view defaultSuffix;
    // Context key -> suffix.
    std::map<std::string_view, std::string_view, std::less<>> contexts;
    // Distance -> labels of the phonemes found at that distance.
    std::map<int32_t, LabelTable> right;
    std::map<int32_t, LabelTable> left;
  };

  // Loads the base; on failure shows "NotLoadBase" and returns E_FAIL.
  HRESULT LoadRuleBaseOrReport(const std::u16string& path);
  // Reads the file into fresh tables, which replace the current ones only
  // when the whole file was read; a failed load leaves the base as it was.
  bool LoadCompiledRuleBase(const std::u16string& path);
  // Maps the file; a file that cannot be opened is reported by a box that
  // names its path.
  static bool MapFileReadOnly(const std::u16string& path, ReadOnlyFileMapping& mapping);

  // The allophone of tokens[i]: the phoneme up to its first digit followed by
  // the suffix its neighbours select; empty for a phoneme without rules.
  std::string ApplyAllophoneRules(const std::vector<std::string>& tokens, size_t i) const;

  // Attributes of a phoneme, looked up under its whole name; null when the
  // base has none.
  const PhonemeAttributes* FindAttributes(std::string_view phoneme) const;

  void Clear();
  bool IsEmpty() const { return tables_.rules.empty() && tables_.attributes.empty(); }

  using RuleMap = std::map<std::string_view, RuleRecord, std::less<>>;
  using AttributeMap = std::map<std::string_view, PhonemeAttributes, std::less<>>;
  using GroupMap = std::map<std::string_view, std::vector<std::string_view>, std::less<>>;
  using FlagMap = std::map<std::string_view, uint8_t, std::less<>>;
  const RuleMap& Rules() const { return tables_.rules; }
  const AttributeMap& Attributes() const { return tables_.attributes; }
  const GroupMap& Groups() const { return tables_.groups; }
  const FlagMap& Flags() const { return tables_.flags; }

 private:
  struct Tables {
    // Every name and label once; the tables below point into it. Nodes of a
    // std::set never move, so the views stay valid when Tables is moved.
    std::set<std::string, std::less<>> pool;
    RuleMap rules;
    AttributeMap attributes;
    GroupMap groups;
    FlagMap flags;
  };

  static bool ReadTables(const unsigned char* data, size_t size, Tables& tables);
  bool IsFlagged(std::string_view label) const;

  Tables tables_;
};
