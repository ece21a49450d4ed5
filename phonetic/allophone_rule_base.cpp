#include "phonetic/allophone_rule_base.h"

#include <utility>

#include "phonetic/compiled_base_cursor.h"
#include "platform/message_box.h"

namespace {

class TableReader {
 public:
  TableReader(const unsigned char* data, size_t size, std::set<std::string, std::less<>>& pool)
      : cursor_(data, size), pool_(pool) {}

  CompiledBaseCursor& Cursor() { return cursor_; }

  bool ReadName(std::string_view& name) {
    std::string_view raw;
    if (!cursor_.ReadPString(raw)) return false;
    name = Intern(raw);
    return true;
  }

  bool ReadPairTable(std::map<std::string_view, std::string_view, std::less<>>& table) {
    int32_t count = 0;
    if (!cursor_.ReadCount(count)) return false;
    for (int32_t n = 0; n < count; ++n) {
      std::string_view key, value;
      if (!ReadName(key) || !ReadName(value)) return false;
      table.insert_or_assign(key, value);
    }
    return true;
  }

  bool ReadDistanceTables(std::map<int32_t, AllophoneRuleBase::LabelTable>& tables) {
    int32_t count = 0;
    if (!cursor_.ReadCount(count)) return false;
    for (int32_t n = 0; n < count; ++n) {
      int32_t distance = 0;
      if (!cursor_.ReadInt32(distance)) return false;
      AllophoneRuleBase::LabelTable& table = tables[distance];
      table.clear();
      if (!ReadPairTable(table)) return false;
    }
    return true;
  }

 private:
  std::string_view Intern(std::string_view text) {
    auto found = pool_.find(text);
    if (found == pool_.end()) found = pool_.emplace(text).first;
    return *found;
  }

  CompiledBaseCursor cursor_;
  std::set<std::string, std::less<>>& pool_;
};

}  // namespace

HRESULT AllophoneRuleBase::LoadRuleBaseOrReport(const std::u16string& path) {
  if (LoadCompiledRuleBase(path)) return S_OK;
  MessageBoxW(nullptr, u"NotLoadBase", u"Error", MB_OK | MB_ICONERROR);
  return E_FAIL;
}

bool AllophoneRuleBase::MapFileReadOnly(const std::u16string& path, ReadOnlyFileMapping& mapping) {
  switch (mapping.Map(path)) {
    case ReadOnlyFileMapping::Status::kMapped:
      return true;
    case ReadOnlyFileMapping::Status::kCannotOpen:
      MessageBoxW(nullptr, path.c_str(), u"StressBase cannot open file", MB_OK);
      return false;
    case ReadOnlyFileMapping::Status::kCannotMap:
      break;
  }
  return false;
}

bool AllophoneRuleBase::LoadCompiledRuleBase(const std::u16string& path) {
  ReadOnlyFileMapping mapping;
  if (!MapFileReadOnly(path, mapping)) return false;
  // One copy, so that the file changing under the view cannot change what
  // is being parsed.
  const std::vector<unsigned char> bytes(mapping.Data(), mapping.Data() + mapping.Size());
  mapping.Unmap();
  Tables fresh;
  if (!ReadTables(bytes.data(), bytes.size(), fresh)) return false;
  tables_ = std::move(fresh);
  return true;
}

bool AllophoneRuleBase::ReadTables(const unsigned char* data, size_t size, Tables& tables) {
  TableReader reader(data, size, tables.pool);
  CompiledBaseCursor& cursor = reader.Cursor();

  int32_t count = 0;
  if (!cursor.ReadCount(count)) return false;
  for (int32_t n = 0; n < count; ++n) {
    std::string_view phoneme;
    if (!reader.ReadName(phoneme)) return false;
    RuleRecord record;
    if (!reader.ReadName(record.defaultSuffix) || !reader.ReadPairTable(record.contexts) ||
        !reader.ReadDistanceTables(record.right) || !reader.ReadDistanceTables(record.left)) {
      return false;
    }
    tables.rules.insert_or_assign(phoneme, std::move(record));
  }

  if (!cursor.ReadCount(count)) return false;
  for (int32_t n = 0; n < count; ++n) {
    std::string_view phoneme;
    PhonemeAttributes attributes;
    if (!reader.ReadName(phoneme) || !cursor.ReadInt32(attributes.isVowel) ||
        !cursor.ReadInt32(attributes.phonemeCode) || !cursor.ReadInt32(attributes.visemeCode) ||
        !cursor.ReadInt32(attributes.reserved1) || !cursor.ReadInt32(attributes.reserved2)) {
      return false;
    }
    tables.attributes.insert_or_assign(phoneme, attributes);
  }

  if (!cursor.ReadCount(count)) return false;
  for (int32_t n = 0; n < count; ++n) {
    std::string_view name;
    int32_t memberCount = 0;
    if (!reader.ReadName(name) || !cursor.ReadCount(memberCount)) return false;
    std::vector<std::string_view> members;
    for (int32_t m = 0; m < memberCount; ++m) {
      std::string_view member;
      if (!reader.ReadName(member)) return false;
      members.push_back(member);
    }
    tables.groups.insert_or_assign(name, std::move(members));
  }

  if (!cursor.ReadCount(count)) return false;
  for (int32_t n = 0; n < count; ++n) {
    std::string_view label;
    uint8_t flag = 0;
    if (!reader.ReadName(label) || !cursor.ReadByte(flag)) return false;
    tables.flags.insert_or_assign(label, flag);
  }
  return true;
}

bool AllophoneRuleBase::IsFlagged(std::string_view label) const {
  const auto found = tables_.flags.find(label);
  return found != tables_.flags.end() && found->second != 0;
}

std::string AllophoneRuleBase::ApplyAllophoneRules(const std::vector<std::string>& tokens,
                                                   size_t i) const {
  if (i >= tokens.size()) return {};
  const std::string& phoneme = tokens[i];
  const auto rule = tables_.rules.find(std::string_view(phoneme));
  if (rule == tables_.rules.end()) return {};
  const RuleRecord& record = rule->second;

  // Labels nearest first; a flagged label lets the look go one step further.
  std::string rightKey;
  for (size_t k = 1; i + k < tokens.size(); ++k) {
    std::string_view label;
    const auto table = record.right.find(static_cast<int32_t>(k));
    if (table != record.right.end()) {
      const auto found = table->second.find(std::string_view(tokens[i + k]));
      if (found != table->second.end()) {
        label = found->second;
        rightKey += ',';
        rightKey += label;
      }
    }
    if (!IsFlagged(label)) break;
  }
  if (!rightKey.empty()) rightKey.erase(0, 1);

  // Farthest first on the left.
  std::string leftKey;
  for (size_t k = 1; k <= i; ++k) {
    std::string_view label;
    const auto table = record.left.find(static_cast<int32_t>(k));
    if (table != record.left.end()) {
      const auto found = table->second.find(std::string_view(tokens[i - k]));
      if (found != table->second.end()) {
        label = found->second;
        leftKey.insert(0, 1, ',');
        leftKey.insert(0, label);
      }
    }
    if (!IsFlagged(label)) break;
  }
  if (!leftKey.empty()) leftKey.pop_back();

  const std::string key = leftKey + "-" + rightKey;
  std::string_view suffix;
  const auto context = record.contexts.find(std::string_view(key));
  if (context != record.contexts.end()) suffix = context->second;
  if (suffix.empty()) {
    suffix = record.defaultSuffix;
    if (!suffix.empty() && suffix.back() == '\n') suffix.remove_suffix(1);
  }

  std::string allophone = phoneme.substr(0, phoneme.find_first_of("0123456789"));
  allophone += suffix;
  return allophone;
}

const PhonemeAttributes* AllophoneRuleBase::FindAttributes(std::string_view phoneme) const {
  const auto found = tables_.attributes.find(phoneme);
  return found == tables_.attributes.end() ? nullptr : &found->second;
}

void AllophoneRuleBase::Clear() { tables_ = Tables(); }
