#include "textanalysis/normalisation/phrase_dictionary.h"

#include "foundation/char_classes.h"
#include "foundation/string_utils.h"
#include "textanalysis/normalisation/plural_form.h"
#include "textanalysis/normalisation/token_output.h"

namespace {

constexpr const char* kFieldBlanks = " \t\r\n";

struct Keyword {
  const char* word;
  bool left;
  UI4 bit;
};
constexpr Keyword kKeywords[] = {
    {"LEFT_CAPITAL", true, PhraseEntry::kCapital},  {"LEFT_NUMBER", true, PhraseEntry::kNumber},
    {"LEFT_LOWER", true, PhraseEntry::kLower},      {"RIGHT_CAPITAL", false, PhraseEntry::kCapital},
    {"RIGHT_NUMBER", false, PhraseEntry::kNumber},  {"RIGHT_LOWER", false, PhraseEntry::kLower},
    {"LEFT_ONE", true, PhraseEntry::kOne},          {"LEFT_FEW", true, PhraseEntry::kFew}};

void AddField(std::vector<std::string>& fields, const std::string& field) {
  const size_t first = field.find_first_not_of(kFieldBlanks);
  if (first == std::string::npos) return;
  const size_t last = field.find_last_not_of(kFieldBlanks);
  fields.push_back(field.substr(first, last - first + 1));
}

bool Contradicts(UI4 mask) {
  return (mask & PhraseEntry::kCapital) != 0 && (mask & PhraseEntry::kLower) != 0;
}

}  // namespace

bool NeighbourHolds(UI4 mask, UI4 flags) {
  if ((mask & PhraseEntry::kNumber) && !(flags & TextToken::kNumber)) return false;
  if ((mask & PhraseEntry::kCapital) && !(flags & TextToken::kCapitalFirst)) return false;
  if ((mask & PhraseEntry::kLower) &&
      ((flags & TextToken::kCapitalFirst) ||
       !(flags & (TextToken::kLatinWord | TextToken::kRussianWord))))
    return false;
  return true;
}

bool PluralHolds(UI4 mask, const TextToken* left, bool leftIsDecimal, bool leftInGenitive) {
  if ((mask & (PhraseEntry::kOne | PhraseEntry::kFew)) == 0) return true;
  if (left == nullptr || !left->IsNumber() || !IsDigitString(left->text)) return false;
  PluralForm form = leftIsDecimal ? PluralForm::kFew : PluralFormOf(left->text);
  // In the genitive one takes the form two takes elsewhere ("до одного
  // килограмма") and the rest that of five ("до трёх килограммов").
  if (leftInGenitive && !leftIsDecimal)
    form = form == PluralForm::kOne ? PluralForm::kFew : PluralForm::kMany;
  return form == ((mask & PhraseEntry::kOne) ? PluralForm::kOne : PluralForm::kFew);
}

bool PhraseDictionary::Load(const std::vector<std::string>& lines) {
  if (lines.empty() || lines[0].size() != 2) return false;
  const char separator = lines[0][0];
  const char stop = lines[0][1];
  for (size_t i = 1; i < lines.size(); ++i) AddLine(lines[i], separator, stop);
  return true;
}

bool PhraseDictionary::LoadText(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '#') {
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  lines.push_back(line);
  return Load(lines);
}

void PhraseDictionary::AddLine(const std::string& line, char separator, char stop) {
  std::vector<std::string> fields;
  std::string field;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == stop && i > 0 && line[i - 1] == stop) break;  // a doubled stop ends the line
    if (c == separator) {
      AddField(fields, field);
      field.clear();
    } else {
      field += c;
    }
  }
  AddField(fields, field);
  if (fields.size() < 2) return;

  PhraseEntry entry;
  entry.text = fields[1];
  bool preserveCase = false;
  for (size_t i = 2; i < fields.size(); ++i) {
    if (fields[i] == "PRESERVE_CASE") preserveCase = true;
    for (const Keyword& k : kKeywords)
      if (fields[i] == k.word) (k.left ? entry.leftMask : entry.rightMask) |= k.bit;
  }
  if (Contradicts(entry.leftMask) || Contradicts(entry.rightMask)) return;
  if (preserveCase) {
    Insert(fields[0], entry);
    return;
  }
  std::string lower = fields[0];
  LowerString(lower);
  std::string capitalised = lower;
  CapitalizeFirst(capitalised);
  Insert(lower, entry);
  if (capitalised != lower) Insert(capitalised, entry);
}

void PhraseDictionary::Insert(const std::string& key, const PhraseEntry& entry) {
  std::vector<TextToken> tokens;
  tokenizer_.Tokenize(key, tokens);
  if (tokens.empty()) return;
  Node* node = &root_;
  Record* record = nullptr;
  for (size_t i = 0; i < tokens.size(); ++i) {
    record = &node->words[tokens[i].text];
    if (i + 1 == tokens.size()) break;
    if (!record->child) record->child = std::make_unique<Node>();
    node = record->child.get();
  }
  record->entries.push_back(entry);
}

bool PhraseDictionary::Match(const std::vector<TextToken>& tokens, int index, UI4 leftFlags,
                             std::vector<PhraseEntry>& entries, int& last) const {
  entries.clear();
  if (index < 0) return false;
  const TextToken* left = index > 0 && index <= static_cast<int>(tokens.size())
                              ? &tokens[static_cast<size_t>(index) - 1]
                              : nullptr;
  const bool leftIsDecimal = IsDecimalFraction(tokens, index - 1);
  const bool leftInGenitive = IsNumberInGenitive(tokens, index - 1);
  return MatchFrom(root_, tokens, static_cast<size_t>(index), leftFlags, left, leftIsDecimal,
                   leftInGenitive, entries, last);
}

bool PhraseDictionary::MatchFrom(const Node& node, const std::vector<TextToken>& tokens,
                                 size_t depth, UI4 leftFlags, const TextToken* left,
                                 bool leftIsDecimal, bool leftInGenitive,
                                 std::vector<PhraseEntry>& entries, int& last) const {
  if (depth >= tokens.size() || node.words.empty()) return false;
  auto found = node.words.find(tokens[depth].text);
  if (found == node.words.end()) return false;
  const Record& record = found->second;
  if (record.child && MatchFrom(*record.child, tokens, depth + 1, leftFlags, left, leftIsDecimal,
                                leftInGenitive, entries, last))
    return true;
  const UI4 rightFlags = depth + 1 < tokens.size() ? tokens[depth + 1].flags : 0;
  for (const PhraseEntry& entry : record.entries)
    if (NeighbourHolds(entry.leftMask, leftFlags) &&
        PluralHolds(entry.leftMask, left, leftIsDecimal, leftInGenitive) &&
        NeighbourHolds(entry.rightMask, rightFlags))
      entries.push_back(entry);
  if (entries.empty()) return false;
  last = static_cast<int>(depth);
  return true;
}

bool PhraseAbbreviationLookup::Match(const std::vector<TextToken>& tokens, int index,
                                     UI4 leftFlags, int& last, bool& rightCondition) const {
  std::vector<PhraseEntry> entries;
  if (!dictionary_.Match(tokens, index, leftFlags, entries, last)) return false;
  rightCondition = entries.front().HasRightCondition();
  return true;
}
