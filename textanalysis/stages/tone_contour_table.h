// A table of tone contours keyed by syntagma context: loaded from a text
// file, looked up by syntagma counts, a text, four flags and a grade.
// Kept beside the tone marks; no stage consults it yet.
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

class ToneContourTable {
 public:
  // Contours of one key: six lists, each of "(...)" entries.
  using Entry = std::array<std::vector<std::string>, 6>;

  // Lines beginning "#" are comments. Every other line holds 13 fields
  // separated by blanks or tabs; the second is a number or a range "a-b".
  // False, with the table emptied, when the file cannot be read or a line
  // is malformed.
  bool Load(const std::u16string& path);
  bool LoadLines(const std::vector<std::string>& lines);
  void Clear() { entries_.clear(); }

  // The contour for the context, or "(.)" when the table has none.
  std::string Lookup(int before, int after, const std::string& text,
                     const std::array<bool, 4>& flags, int grade) const;

  size_t Size() const { return entries_.size(); }

 private:
  bool AddLine(const std::string& line);

  std::map<std::string, Entry> entries_;
};
