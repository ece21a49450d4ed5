#include "textanalysis/stages/colloquial_rewrites.h"

#include <string>
#include <string_view>

#include "foundation/char_classes.h"

namespace {

// One word of a group being rewritten: a removed letter shifts the group's
// stresses at or after it down by one.
class WordEdit {
 public:
  WordEdit(std::string& text, StressSpec& groupStress, INT offset)
      : text_(text), stress_(groupStress), offset_(offset) {}

  std::string& Text() { return text_; }
  bool EndsWith(std::string_view tail) const {
    return text_.size() >= tail.size() && std::string_view(text_).substr(text_.size() - tail.size()) == tail;
  }
  void Remove(size_t index) {
    text_.erase(index, 1);
    const INT removed = offset_ + static_cast<INT>(index);
    if (stress_.main >= removed) --stress_.main;
    for (INT& position : stress_.positions)
      if (position >= removed) --position;
  }

 private:
  std::string& text_;
  StressSpec& stress_;
  INT offset_;
};

bool KeepsG(const std::string& word) {
  if (word == "много" || word == "немного") return false;
  if (word.size() < 6) return true;
  const std::string_view lastSix = std::string_view(word).substr(word.size() - 6);
  return lastSix != "дорого" && lastSix != "строго";
}

// Consonants that may stand doubled ("поддать", "въезд" ...).
bool MayDouble(char c) {
  for (char allowed : std::string_view("вджзйхъь"))
    if (c == allowed) return true;
  return false;
}

void ReplaceAt(std::string& text, size_t index, char c) { text[index] = c; }

// Whole words said otherwise; only the first rule that matches applies.
void RewriteWholeWord(std::string& word) {
  struct Whole {
    const char* from;
    const char* to;
  };
  static constexpr Whole kBefore[] = {{"что", "што"}, {"чтобы", "штобы"}};
  static constexpr Whole kAfter[] = {{"приезжай", "приежжай"}, {"конечно", "канешна"},
                                     {"модель", "мадэль"},     {"во", "ва"},
                                     {"по", "па"}};
  // Loan words: the 'е' at these offsets of the part is said 'э'.
  struct Loan {
    const char* part;
    size_t first;
    size_t second;  // 0: none
  };
  static constexpr Loan kLoans[] = {
      {"тандем", 4, 0}, {"компьютер", 7, 0}, {"синтез", 4, 0}, {"интернет", 3, 6}};

  for (const Whole& entry : kBefore)
    if (word == entry.from) {
      word = entry.to;
      return;
    }
  if (const size_t at = word.find("сегодня"); at != std::string::npos) {
    ReplaceAt(word, at + 2, '\xE2');  // 'в'
    return;
  }
  for (const Whole& entry : kAfter)
    if (word == entry.from) {
      word = entry.to;
      return;
    }
  for (const Loan& loan : kLoans) {
    const size_t at = word.find(loan.part);
    if (at == std::string::npos) continue;
    ReplaceAt(word, at + loan.first, '\xFD');  // 'э'
    if (loan.second != 0) ReplaceAt(word, at + loan.second, '\xFD');
    return;
  }
}

void RewriteWord(WordEdit& edit) {
  std::string& t = edit.Text();
  constexpr char kV = '\xE2';  // 'в'
  constexpr char kA = '\xE0';  // 'а'
  if (t.size() > 2 && (edit.EndsWith("ого") || edit.EndsWith("его")) && KeepsG(t))
    ReplaceAt(t, t.size() - 2, kV);
  if (const size_t at = t.find("егося"); at != std::string::npos && at + 5 == t.size()) {
    ReplaceAt(t, at + 1, kV);
    ReplaceAt(t, at + 2, kA);
  }
  if (t.size() > 2 && edit.EndsWith("тся")) ReplaceAt(t, t.size() - 1, kA);
  if (t.size() > 3 && edit.EndsWith("ться")) {
    edit.Remove(t.size() - 3);
    ReplaceAt(t, t.size() - 1, kA);
  }
  if (t.size() > 5 && edit.EndsWith("дцать")) ReplaceAt(t, t.size() - 5, '\xF6');  // 'ц'
  if (const size_t at = t.find("вств"); at != std::string::npos) edit.Remove(at);
  size_t at = t.find("тск");
  if (at == std::string::npos) at = t.find("дск");
  if (at != std::string::npos) {
    ReplaceAt(t, at, '\xF6');  // 'ц'
    edit.Remove(at + 1);
  }
  if (const size_t ch = t.find("чш"); ch != std::string::npos) ReplaceAt(t, ch, '\xF2');  // 'т'
  if (const size_t nt = t.find("нтств"); nt != std::string::npos) edit.Remove(nt + 1);
  for (size_t i = 1; i < t.size();) {
    const char c = t[i];
    if (c == t[i - 1] && IsRusConsonant(static_cast<unsigned char>(c)) && !MayDouble(c))
      edit.Remove(i);
    else
      ++i;
  }
  RewriteWholeWord(t);
}

}  // namespace

void RewriteGroupColloquially(WordGroup& group) {
  INT offset = 0;
  for (StressedWord& word : group.words) {
    std::string& text = word.token.text;
    if (!word.token.IsFromTag() && text.find("внзар") == std::string::npos) {
      WordEdit edit(text, group.stress, offset);
      RewriteWord(edit);
    }
    offset += static_cast<INT>(text.size());
  }
}

void RewriteSyntagmaColloquially(SyntagmaRecord& syntagma) {
  for (SyntagmaPart& part : syntagma.parts)
    for (WordGroup& group : part.groups) RewriteGroupColloquially(group);
}
