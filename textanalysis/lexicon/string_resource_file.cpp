#include "textanalysis/lexicon/string_resource_file.h"

#include "foundation/text_file.h"

namespace {

constexpr const char* kDefaultSection = "DefaultSectionName";
constexpr const char* kDefaultSubsection = "DefaultSubsectionName";

// The text between the brackets when the line is a header of that kind.
bool IsHeader(const std::string& line, char open, char close, std::string& name) {
  if (line.size() <= 2 || line.front() != open || line.back() != close) return false;
  name = line.substr(1, line.size() - 2);
  return true;
}

}  // namespace

bool StringResourceFile::Load(const std::u16string& path) {
  sections_.clear();
  std::vector<std::string> lines;
  ReadLines(path.c_str(), lines, '#');
  std::string section = kDefaultSection;
  std::string subsection = kDefaultSubsection;
  std::string name;
  for (const std::string& line : lines) {
    if (IsHeader(line, '[', ']', name)) {
      section = name;
      subsection = kDefaultSubsection;
    } else if (IsHeader(line, '{', '}', name)) {
      subsection = name;
    } else {
      sections_[section][subsection].push_back(line);
    }
  }
  return true;
}

std::vector<std::string> StringResourceFile::GetLines(const std::string& section,
                                                      const std::string& subsection) const {
  const auto s = sections_.find(section);
  if (s == sections_.end()) return {};
  const auto sub = s->second.find(subsection);
  if (sub == s->second.end()) return {};
  return sub->second;
}

std::vector<std::string> StringResourceFile::GetSubsections(const std::string& section) const {
  std::vector<std::string> names;
  if (const auto s = sections_.find(section); s != sections_.end())
    for (const auto& entry : s->second) names.push_back(entry.first);
  return names;
}

std::vector<std::string> StringResourceFile::GetSections() const {
  std::vector<std::string> names;
  for (const auto& entry : sections_) names.push_back(entry.first);
  return names;
}
