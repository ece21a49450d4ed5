#define PCRE2_CODE_UNIT_WIDTH 8
#include "documents/booklib/rule_file.h"

#include <pcre2.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "documents/buffers/replace_log.h"

struct RuleRegex {
  pcre2_code* code = nullptr;
  uint32_t groups = 0;
};

namespace {

void FreeRegex(RuleRegex* regex) {
  if (regex == nullptr) return;
  pcre2_code_free(regex->code);
  delete regex;
}

class Parser {
 public:
  Parser(const char* text, RuleSet* rules) : p_(text), rules_(rules) {}
  // Items still waiting for their block when parsing stops are the
  // parser's to free.
  ~Parser() {
    for (::FileMatchItem& item : pending_) FreeRegex(item.regex);
  }
  Parser(const Parser&) = delete;
  Parser& operator=(const Parser&) = delete;
  std::string Run();

 private:
  void SkipSpace();
  std::string RestOfLine() const;
  // Reads a delimited part starting at the opening delimiter.
  bool Delimited(std::string* part, char* closing);
  std::string Compile(const std::string& pattern, uint32_t options, const char* what,
                      RuleRegex** out);
  std::string FileMatchItem();
  std::string Substitution();

  const char* p_;
  int line_ = 1;
  RuleSet* rules_;
  std::vector<::FileMatchItem> pending_;
};

void Parser::SkipSpace() {
  for (;;) {
    if (*p_ == '\n') {
      ++line_;
      ++p_;
    } else if (*p_ == ' ' || *p_ == '\t' || *p_ == '\r' || *p_ == ';') {
      ++p_;
    } else if (*p_ == '#') {
      while (*p_ != '\0' && *p_ != '\n') ++p_;
    } else {
      return;
    }
  }
}

std::string Parser::RestOfLine() const { return std::string(p_, std::strcspn(p_, "\r\n")); }

bool Parser::Delimited(std::string* part, char* closing) {
  const char open = *p_++;
  const char* brackets = "{([<";
  const char* closers = "})]>";
  const char* bracket = std::strchr(brackets, open);
  const char close = bracket != nullptr ? closers[bracket - brackets] : open;
  *closing = close;
  int depth = 0;
  part->clear();
  while (*p_ != '\0') {
    const char c = *p_;
    if (c == '\\' && p_[1] != '\0') {
      part->push_back(c);
      part->push_back(p_[1]);
      p_ += 2;
      continue;
    }
    if (bracket != nullptr && c == open) {
      ++depth;
    } else if (c == close) {
      if (depth == 0) {
        ++p_;
        return true;
      }
      --depth;
    }
    if (c == '\n') ++line_;
    part->push_back(c);
    ++p_;
  }
  return false;
}

std::string Parser::Compile(const std::string& pattern, uint32_t options, const char* what,
                            RuleRegex** out) {
  int error = 0;
  PCRE2_SIZE offset = 0;
  pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                                   options, &error, &offset, nullptr);
  if (code == nullptr) {
    PCRE2_UCHAR message[256];
    pcre2_get_error_message(error, message, sizeof message);
    return std::string("Invalid regex in ") + what + " (" + reinterpret_cast<char*>(message) +
           "): " + pattern;
  }
  *out = new RuleRegex{code, 0};
  pcre2_pattern_info(code, PCRE2_INFO_CAPTURECOUNT, &(*out)->groups);
  return {};
}

std::string Parser::FileMatchItem() {
  const char* start = p_;
  ::FileMatchItem item;
  std::string pattern;
  char closing;
  if (*p_ == '"') {
    ++p_;
    const char* end = std::strchr(p_, '"');
    if (end == nullptr) return "Invalid syntax in file-match rule: " + std::string(start);
    item.name.assign(p_, end - p_);
    p_ = end + 1;
  } else {
    if (*p_ == 'm') {
      ++p_;
      if (*p_ == '\0' || *p_ == ' ' || *p_ == '\n') {
        return "Invalid syntax in file-match rule: " + std::string(start, std::strcspn(start, "\n"));
      }
    } else if (*p_ != '/') {
      return "Looking for file-match rule, found: " + RestOfLine();
    }
    if (!Delimited(&pattern, &closing)) {
      return std::string("Missing closing delimiter '") + closing +
             "' before end of text in file-match rule: " + std::string(start);
    }
  }
  uint32_t options = 0;
  for (; *p_ != ':'; ++p_) {
    if (*p_ == 'i') {
      options |= PCRE2_CASELESS;
    } else if (*p_ == 'u') {
      options |= PCRE2_UTF;
    } else if (*p_ == ' ' || *p_ == '\t') {
    } else if (*p_ == '\0' || *p_ == '\n' || *p_ == '{') {
      return "Failed to find ':' at end of file-match rule: " +
             std::string(start, p_ - start);
    } else {
      return std::string("Invalid flag '") + *p_ + "' in file-match rule: " +
             std::string(start, p_ - start + 1);
    }
  }
  ++p_;
  if (item.name.empty()) {
    std::string message = Compile(pattern, options, "file-match rule", &item.regex);
    if (!message.empty()) return message;
  }
  pending_.push_back(item);
  return {};
}

std::string Parser::Substitution() {
  const char* start = p_;
  const auto ruleText = [&] { return std::string(start, std::strcspn(start, "\n")); };
  if (*p_ != 's' || p_[1] == '\0' || p_[1] == ' ' || p_[1] == '\n') {
    return "Expecting substitution rule, found: " + RestOfLine();
  }
  ++p_;
  std::string pattern;
  std::string replacement;
  char closing;
  const bool bracketed = std::strchr("{([<", *p_) != nullptr;
  if (!Delimited(&pattern, &closing)) {
    return std::string("Missing middle delimiter '") + closing +
           "' before end of text in substitution rule: " + ruleText();
  }
  if (bracketed) {
    while (*p_ == ' ' || *p_ == '\t') ++p_;
    if (*p_ == '\0') {
      return "Missing closing delimiter before end of text in substitution rule: " + ruleText();
    }
    if (!Delimited(&replacement, &closing)) {
      return std::string("Missing closing delimiter '") + closing +
             "' before end of text in substitution rule: " + ruleText();
    }
  } else {
    --p_;  // the middle delimiter opens the replacement
    if (!Delimited(&replacement, &closing)) {
      return std::string("Missing closing delimiter '") + closing +
             "' before end of text in substitution rule: " + ruleText();
    }
  }
  SubstitutionRule rule;
  uint32_t options = 0;
  for (; *p_ != '\0' && *p_ != '\n' && *p_ != ';' && *p_ != ' ' && *p_ != '\t' && *p_ != '}' &&
         *p_ != '\r';
       ++p_) {
    switch (*p_) {
      case 'g': rule.global = true; break;
      case 'i': options |= PCRE2_CASELESS; break;
      case 'm': options |= PCRE2_MULTILINE; break;
      case 's': options |= PCRE2_DOTALL; break;
      case 'x': options |= PCRE2_EXTENDED; break;
      case 'u': options |= PCRE2_UTF; break;
      default:
        return std::string("Invalid flag '") + *p_ + "' in substitution rule: " + ruleText();
    }
  }
  rule.text = std::string(start, p_ - start);
  rule.replacement = replacement;
  std::string message = Compile(pattern, options, "substitution rule", &rule.regex);
  if (!message.empty()) return message;
  rules_->blocks.back().rules.push_back(rule);
  return {};
}

std::string Parser::Run() {
  for (;;) {
    SkipSpace();
    if (*p_ == '\0') {
      if (!pending_.empty()) return "Looking for file-match rule, found: end of text";
      return {};
    }
    if (*p_ == '{') {
      if (pending_.empty()) {
        return "No filename-match items found before opening brace on line " +
               std::to_string(line_);
      }
      ++p_;
      rules_->blocks.emplace_back();
      rules_->blocks.back().items = std::move(pending_);
      pending_.clear();
      for (;;) {
        SkipSpace();
        if (*p_ == '\0') return "Failed to find closing brace before EOF";
        if (*p_ == '}') {
          ++p_;
          break;
        }
        std::string message = Substitution();
        if (!message.empty()) return message;
      }
      continue;
    }
    std::string message = FileMatchItem();
    if (!message.empty()) return message;
  }
}

bool Matches(const RuleRegex* regex, const char* text, size_t length) {
  pcre2_match_data* data = pcre2_match_data_create_from_pattern(regex->code, nullptr);
  const int rc = pcre2_match(regex->code, reinterpret_cast<PCRE2_SPTR>(text), length, 0, 0, data,
                             nullptr);
  pcre2_match_data_free(data);
  return rc >= 0;
}

std::string Expand(const SubstitutionRule& rule, const char* text, const PCRE2_SIZE* ovector,
                   int groups) {
  std::string out;
  const std::string& r = rule.replacement;
  for (size_t i = 0; i < r.size(); ++i) {
    if ((r[i] == '$' || r[i] == '\\') && i + 1 < r.size() && r[i + 1] >= '0' && r[i + 1] <= '9') {
      const int group = r[i + 1] - '0';
      if (group < groups && ovector[2 * group] != PCRE2_UNSET) {
        out.append(text + ovector[2 * group], ovector[2 * group + 1] - ovector[2 * group]);
      }
      ++i;
    } else if (r[i] == '\\' && i + 1 < r.size()) {
      out.push_back(r[++i]);
    } else {
      out.push_back(r[i]);
    }
  }
  return out;
}

}  // namespace

RuleSet::~RuleSet() {
  for (RuleBlock& block : blocks) {
    for (FileMatchItem& item : block.items) FreeRegex(item.regex);
    for (SubstitutionRule& rule : block.rules) FreeRegex(rule.regex);
  }
}

std::string rule_file_parse(const char* text, RuleSet* rules) {
  Parser parser(text, rules);
  return parser.Run();
}

std::string rule_file_read(const char* path, RuleSet* rules) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::string("Unable to read rule file ") + path;
  std::stringstream content;
  content << in.rdbuf();
  return rule_file_parse(content.str().c_str(), rules);
}

int32_t rule_file_apply(const RuleSet& rules, const char* fileName, char** text, int32_t* length,
                        int32_t* capacity) {
  int32_t made = 0;
  const size_t nameLength = std::strlen(fileName);
  for (const RuleBlock& block : rules.blocks) {
    bool selected = false;
    for (const FileMatchItem& item : block.items) {
      selected = item.regex != nullptr ? Matches(item.regex, fileName, nameLength)
                                       : item.name == fileName;
      if (selected) break;
    }
    if (!selected) continue;
    for (const SubstitutionRule& rule : block.rules) {
      pcre2_match_data* data = pcre2_match_data_create_from_pattern(rule.regex->code, nullptr);
      replace_log_begin(true);
      bool any = false;
      PCRE2_SIZE from = 0;
      while (from <= static_cast<PCRE2_SIZE>(*length)) {
        const int rc = pcre2_match(rule.regex->code, reinterpret_cast<PCRE2_SPTR>(*text), *length,
                                   from, 0, data, nullptr);
        if (rc < 0) break;
        const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data);
        const std::string replacement = Expand(rule, *text, ovector, rc);
        replace_log_record(*text, static_cast<int32_t>(ovector[0]),
                           static_cast<int32_t>(ovector[1] - ovector[0]), replacement.data(),
                           static_cast<int32_t>(replacement.size()));
        any = true;
        ++made;
        if (!rule.global) break;
        from = ovector[1] > ovector[0] ? ovector[1] : ovector[1] + 1;
      }
      pcre2_match_data_free(data);
      if (any) replace_log_apply(text, length, capacity);
    }
  }
  return made;
}
