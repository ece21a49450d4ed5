// The user stress base: a text file of words and "*" patterns with "+"
// after the stressed vowel, which the user edits to fix stresses the
// dictionaries get wrong. A line without "+" removes its key; later lines
// override earlier ones, and changes are only ever appended.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "textanalysis/lexicon/star_pattern.h"

class UserStressBaseFile {
 public:
  // The stress offset meaning "no stress": what Find answers for an
  // unknown word, and what Add takes to remove a word.
  static constexpr int kNoStress = 127;

  // Empties the tables, keeps the path and applies every line of the file
  // (a missing file has no lines). False only for an empty path.
  bool Load(const std::u16string& path);
  const std::u16string& Path() const { return path_; }

  // The stressed letter of the word (compared lower-cased): an exact entry,
  // else a prefix pattern, else the suffix patterns, else the infix
  // patterns in key order; kNoStress when none matches. Prefix patterns
  // that the sorted search passes over and suffix cores that also occur
  // earlier in the word are tried last.
  int Find(std::string_view word) const;

  // Stores the word ("+" removed, lower-cased) with the stressed letter at
  // `stress` and appends its line to the file; kNoStress removes it (and
  // appends the bare key when some table held it). False, with nothing
  // changed or written, when the stress is not on a Cyrillic vowel of the
  // word, when the same stress is stored already, or when the file could not
  // give the line back as written (a reload would drop or change it).
  bool Add(const std::string& word, int stress);
  bool Remove(const std::string& word) { return Add(word, kNoStress); }
  // A text with "+" right after its stressed vowel; false without "+".
  bool AddMarked(const std::string& text);

  // Every key of the infix, suffix, prefix and exact tables.
  const std::set<std::string>& ListEntries();
  // The same keys, each with the index of its stressed letter in the key
  // (a pattern's leading "*" counted), for showing the entries as lines.
  std::map<std::string, int> ListStresses() const;

  // Adds 1 to the REG_DWORD `UserStressBaseGeneration` under
  // HKEY_LOCAL_MACHINE "Software\Morvane\Glossel Module\419" (created when
  // missing); registry failures are ignored.
  static void BumpUserStressBaseGeneration();

 private:
  // Byte-wise key order; string views look keys up without a copy.
  using Table = std::map<std::string, int8_t, std::less<>>;

  Table& TableOf(std::string_view key);
  void ApplyLine(const std::string& line);
  // Appends one line, starting a new line first when the file's last line
  // has no line end.
  void AppendLine(const std::string& line) const;

  std::u16string path_;
  Table exact_;
  Table prefix_;  // «core*»
  Table suffix_;  // «*core»
  Table infix_;   // «*core*»
  std::set<std::string> listed_;
};
