#include <string>
#include <string_view>

#include "documents/converters.h"
#include "documents/html/markup_scanner.h"
#include "foundation/char_classes.h"

namespace {

bool IsLineBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool IsWhite(char c) { return IsLineBlank(c) || c == '\n'; }

// "br", "br/" and "br /".
bool IsLineBreakTag(std::string_view tag) {
  if (!tag.empty() && tag.back() == '/') {
    tag.remove_suffix(1);
    while (!tag.empty() && tag.back() == ' ') tag.remove_suffix(1);
  }
  return tag == "br";
}

// Tags after which the text goes on on a new line: paragraphs, headings,
// table rows.
bool IsBlockEndTag(std::string_view tag) {
  if (tag.size() == 3 && tag[0] == '/' && tag[1] == 'h' && tag[2] >= '1' && tag[2] <= '6') {
    return true;
  }
  return tag == "/p" || tag == "/div" || tag == "dd" || tag == "/li" || tag == "/title" ||
         tag == "title" || tag == "/tr";
}

// The element's name: the tag text up to white space or a slash after it,
// without the slash of an end tag.
std::string_view ElementName(std::string_view tag) {
  if (tag.starts_with('/')) tag.remove_prefix(1);
  return tag.substr(0, tag.find_first_of(" \t\r\n/"));
}

// Elements that start a block of their own in a browser: the words before
// and after one never run together, whether it is opened or closed and
// whether it is closed at all ("<li>one<li>two").
constexpr std::string_view kBlockElements[] = {
    "p", "div", "h1", "h2", "h3", "h4", "h5", "h6", "li", "dt", "dd", "tr", "td", "th", "br",
    "blockquote", "pre", "table", "ul", "ol", "dl", "section", "article", "header", "footer",
    "nav", "aside", "figure", "figcaption", "hr", "address"};

bool IsBlockElement(std::string_view name) {
  for (const std::string_view block : kBlockElements) {
    if (name == block) return true;
  }
  return false;
}

// Elements whose content is no text to read: style sheets and scripts.
bool IsHiddenElement(std::string_view name) { return name == "style" || name == "script"; }

class HtmlRules final : public MarkupRules {
 public:
  explicit HtmlRules(int32_t lineBreakMode) : mode_(lineBreakMode) {}

  // Lines of the source that hold only blanks are dropped; the line feeds of
  // the others are dropped too, but two words they separated stay apart,
  // whatever tags stand between them.
  void OnText(std::string& output, const char* first, const char* last) override {
    const char* line = first;
    for (const char* p = first; p != last; ++p) {
      if (*p != '\n') continue;
      bool blank = true;
      for (const char* q = line; q != p; ++q) blank = blank && IsLineBlank(*q);
      if (!blank) Append(output, line, p);
      wordBreakPending_ = true;
      line = p + 1;
    }
    Append(output, line, last);
  }

  bool OnTag(std::string& output, std::string& tag) override {
    LatinLowerString(tag);
    if (!hiddenElement_.empty()) {
      // The scanner skips the raw text: this is the element's own end tag.
      hiddenElement_.clear();
      return true;
    }
    if (IsLineBreakTag(tag)) {
      AppendLineFeed(output);
    } else if (IsBlockEndTag(tag)) {
      if (mode_ == 1 || !EndsInLineBreak(output)) AppendLineFeed(output);
    } else if (IsBlockElement(ElementName(tag))) {
      wordBreakPending_ = true;
    } else if (const std::string_view name = ElementName(tag);
               IsHiddenElement(name) && tag.front() != '/' && tag.back() != '/') {
      hiddenElement_ = name;
    }
    return true;
  }

  void OnEntity(std::string& output, char byte) override { Append(output, &byte, &byte + 1); }

  void BeforeWrite(std::string& output) override {
    if (output.empty()) return;
    nothingWritten_ = false;
    size_t i = output.size();
    while (i > 0 && IsWhite(output[i - 1])) --i;
    const bool tailHasLineFeed = output.find('\n', i) != std::string::npos;
    flushedTailLineFeed_ = tailHasLineFeed || (i == 0 && flushedTailLineFeed_);
    flushedLast_ = output.back();
  }

  std::string_view RawTextElement() const override { return hiddenElement_; }

  // Any bytes, none included, read as HTML.
  std::string_view Refusal(int64_t, bool) const override { return {}; }

 private:
  void Append(std::string& output, const char* first, const char* last) {
    if (first == last) return;
    if (wordBreakPending_ && !IsWhite(*first) && !IsWhite(LastByte(output))) output += ' ';
    wordBreakPending_ = false;
    output.append(first, last);
  }

  void AppendLineFeed(std::string& output) {
    output += '\n';
    wordBreakPending_ = false;
  }

  char LastByte(const std::string& output) const {
    return output.empty() ? (nothingWritten_ ? ' ' : flushedLast_) : output.back();
  }

  // Whether the output is empty or its trailing white run holds a line feed.
  bool EndsInLineBreak(const std::string& output) const {
    size_t i = output.size();
    while (i > 0 && IsWhite(output[i - 1])) {
      if (output[i - 1] == '\n') return true;
      --i;
    }
    if (i > 0 || nothingWritten_) return false;
    return flushedTailLineFeed_;
  }

  int32_t mode_;
  bool wordBreakPending_ = false;
  // The style or script element being skipped, or empty.
  std::string hiddenElement_;
  // What was already written: nothing at all, the last byte, and whether
  // its trailing white run holds a line feed.
  bool nothingWritten_ = true;
  char flushedLast_ = ' ';
  bool flushedTailLineFeed_ = false;
};

}  // namespace

bool ConvertHtmlToText(const char16_t* source, const char16_t* target, int32_t lineBreakMode) {
  HtmlRules rules(lineBreakMode);
  return ScanMarkupFile(source, target, rules);
}
