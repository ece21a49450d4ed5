#include <algorithm>
#include <string_view>

#include "documents/converters.h"
#include "documents/fb2/fb2_tag_table.h"
#include "documents/html/markup_scanner.h"

namespace {

const Fb2TagRule* FindRule(std::string_view tag) {
  for (size_t i = 0; i < kFb2TagTableSize; ++i) {
    const Fb2TagRule& rule = kFb2TagTable[i];
    if (rule.contained ? tag.find(rule.key) != std::string_view::npos : tag == rule.key) {
      return &rule;
    }
  }
  return nullptr;
}

constexpr int64_t kBookTagReach = 16 * 1024;

bool IsTrailingWhite(char c) { return c == '\n' || c == '\r' || c == '\t' || c == ' '; }

class Fb2Rules final : public MarkupRules {
 public:
  void OnText(std::string& output, const char* first, const char* last) override {
    if (!sawBook_ && !sawForeign_) {
      sawForeign_ = std::any_of(first, last, [](char c) { return !IsTrailingWhite(c); });
    }
    output.append(first, last);
  }

  bool OnTag(std::string& output, std::string& tag) override {
    if (!sawBook_) TakeRootPrefix(tag);
    RemovePrefix(tag);
    if (tag.starts_with("binary")) return false;
    if (!sawBook_) {
      sawBook_ = IsBookTag(tag);
      // Declarations, style sheets, comments and a document type may come
      // first; any other element or text before the root is no book's.
      if (!sawBook_ && !tag.starts_with('?') && !tag.starts_with('!')) sawForeign_ = true;
    }
    const Fb2TagRule* rule = FindRule(tag);
    if (rule == nullptr) return true;
    const std::string_view text = rule->text;
    if (text == "\n" || text == "\x01\x01") {
      while (!output.empty() && IsTrailingWhite(output.back())) output.pop_back();
      if (!output.empty() && output.back() == kParagraphMark) return true;
    }
    output.append(text);
    return true;
  }

  void OnEntity(std::string& output, char byte) override { OnText(output, &byte, &byte + 1); }

  void BeforeWrite(std::string& output) override {
    std::replace(output.begin(), output.end(), kParagraphMark, '\n');
  }

  // A book's root element comes after at most a declaration, a style sheet
  // and comments: a file showing text or other elements in its first blocks
  // without it is no book, and the rest of it need not be read.
  std::string_view Refusal(int64_t scanned, bool atEnd) const override {
    if (sawBook_ || (!atEnd && (scanned < kBookTagReach || !sawForeign_))) return {};
    return "Conversion stopped: no FictionBook element, the file is not an FB2 book.";
  }

 private:
  // The opening tag of the book's root element, with or without attributes.
  static bool IsBookTag(std::string_view tag) {
    constexpr std::string_view kRoot = "FictionBook";
    if (!tag.starts_with(kRoot)) return false;
    const char next = tag.size() > kRoot.size() ? tag[kRoot.size()] : ' ';
    return next == ' ' || next == '\t' || next == '\r' || next == '\n' || next == '/';
  }

  // A root written with a namespace prefix ("fb:FictionBook") names the
  // book's elements with it: the prefix is remembered and taken off them.
  void TakeRootPrefix(std::string_view tag) {
    const size_t colon = tag.find(':');
    if (colon == std::string_view::npos || colon == 0) return;
    const std::string_view prefix = tag.substr(0, colon);
    if (prefix.find_first_of(" \t\r\n/?!") != std::string_view::npos) return;
    if (IsBookTag(tag.substr(colon + 1))) prefix_ = std::string(prefix) + ':';
  }

  void RemovePrefix(std::string& tag) const {
    if (prefix_.empty()) return;
    const size_t at = tag.starts_with('/') ? 1 : 0;
    if (tag.compare(at, prefix_.size(), prefix_) == 0) tag.erase(at, prefix_.size());
  }

  std::string prefix_;
  bool sawBook_ = false;
  bool sawForeign_ = false;
};

}  // namespace

bool ConvertFb2ToText(const char16_t* source, const char16_t* target) {
  Fb2Rules rules;
  return ScanMarkupFile(source, target, rules);
}
