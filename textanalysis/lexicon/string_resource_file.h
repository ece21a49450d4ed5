// The string-resource file: a text file of "[section]" and "{subsection}"
// headers with lists of lines under them, which holds the small word lists
// and tables of the text-analysis server.
#pragma once

#include <map>
#include <string>
#include <vector>

class StringResourceFile {
 public:
  // Empties the content, then reads the file; an unreadable file leaves it
  // empty. Always true.
  bool Load(const std::u16string& path);

  // A copy of the lines of (section, subsection); empty when absent.
  std::vector<std::string> GetLines(const std::string& section,
                                    const std::string& subsection) const;
  // The subsection names of a section, in byte order; empty when absent.
  std::vector<std::string> GetSubsections(const std::string& section) const;
  std::vector<std::string> GetSections() const;

 private:
  using Section = std::map<std::string, std::vector<std::string>>;
  std::map<std::string, Section> sections_;
};
