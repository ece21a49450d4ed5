#include "reader/line_breaker.h"

#include <cstdint>

#include "foundation/char_classes.h"

void PageLines::Clear() {
  lines.clear();
  ends.clear();
  offsets.clear();
}

bool IsBreakChar(unsigned char c) { return c == ' ' || c == '\t' || c == '\r'; }

bool IsBlankTextChar(unsigned char c) { return IsBreakChar(c) || c == '\n'; }

namespace {

bool IsLetter(unsigned char c) { return IsRusLetter(c) || IsLatinLetter(c); }
bool IsSmallLetter(unsigned char c) {
  return (IsRusLetter(c) && !IsRusUpper(c)) || (IsLatinLetter(c) && !IsLatinUpper(c));
}
bool EndsSentence(unsigned char c) { return c == '.' || c == '!' || c == '?' || c == ';'; }

constexpr unsigned char kSoftSign = 0xFC;
constexpr unsigned char kHardSign = 0xFA;

// A line under construction: its bytes and their source offsets.
struct Line {
  std::string text;
  std::vector<uint16_t> offsets;

  void Append(char c, uint16_t offset) {
    text.push_back(c);
    offsets.push_back(offset);
  }
  void Truncate(size_t n) {
    text.resize(n);
    offsets.resize(n);
  }
  void Erase(size_t first, size_t count) {
    text.erase(first, count);
    offsets.erase(offsets.begin() + first, offsets.begin() + first + count);
  }
  void Insert(size_t at, char c, uint16_t offset) {
    text.insert(text.begin() + at, c);
    offsets.insert(offsets.begin() + at, offset);
  }
};

uint16_t Offset(INT position) { return static_cast<uint16_t>(position); }

// Second pass over one line that does not end a paragraph: adds one blank
// per gap between words while the line still fits, scan after scan.
void Justify(Line& line, const LineLayout& layout) {
  const CharWidthTable& widths = *layout.widths;
  if (widths[' '] <= 0) return;  // blanks that add nothing would never fill the line
  INT width = TextWidth(widths, line.text.data(), line.text.size());
  for (;;) {
    bool inserted = false;
    size_t i = 1;
    while (i < line.text.size()) {
      const auto c = static_cast<unsigned char>(line.text[i]);
      const auto before = static_cast<unsigned char>(line.text[i - 1]);
      if (!IsBreakChar(c) || IsBreakChar(before)) {
        ++i;
        continue;
      }
      size_t runEnd = i;
      while (runEnd < line.text.size() && IsBreakChar(static_cast<unsigned char>(line.text[runEnd])))
        ++runEnd;
      if (runEnd == line.text.size()) break;
      if (width + widths[' '] > layout.textWidth) return;
      line.Insert(i, ' ', line.offsets[i]);
      width += widths[' '];
      inserted = true;
      i = runEnd + 2;
    }
    if (!inserted) return;
  }
}

void RemoveLeadingBreaks(Line& line) {
  size_t n = 0;
  while (n < line.text.size() && IsBreakChar(static_cast<unsigned char>(line.text[n]))) ++n;
  line.Erase(0, n);
}

}  // namespace

void UnwrapBlock(std::string& block) {
  const size_t size = block.size();
  int lastNonBlank = -1;  // byte value of the previous non-blank byte
  for (size_t i = 0; i < size; ++i) {
    const auto c = static_cast<unsigned char>(block[i]);
    if (c == '\n') {
      if (lastNonBlank >= 0 && !EndsSentence(static_cast<unsigned char>(lastNonBlank)) &&
          i + 1 < size) {
        const auto next = static_cast<unsigned char>(block[i + 1]);
        if (!IsBlankTextChar(next) && IsSmallLetter(next)) block[i] = ' ';
      }
    } else if (c == '\r') {
      block[i] = ' ';
    } else if (c == 0x1E) {
      block[i] = '-';
      lastNonBlank = '-';
    } else if (!IsBlankTextChar(c)) {
      lastNonBlank = c;
    }
  }
}

INT TextWidth(const CharWidthTable& widths, const char* text, size_t length) {
  INT sum = 0;
  for (size_t i = 0; i < length; ++i) sum += widths[static_cast<unsigned char>(text[i])];
  return sum;
}

size_t FittingCount(const CharWidthTable& widths, const char* text, size_t length, INT maxWidth) {
  INT sum = 0;
  for (size_t i = 0; i < length; ++i) {
    sum += widths[static_cast<unsigned char>(text[i])];
    if (sum > maxWidth) return i;
  }
  return length;
}

std::vector<int32_t> SyllableBreaks(const std::string& word, int32_t p) {
  const auto at = [&word](int32_t i) { return static_cast<unsigned char>(word[i]); };
  const auto size = static_cast<int32_t>(word.size());
  bool vowelAhead = false;
  for (int32_t i = p < 0 ? 0 : p; i < size; ++i) {
    if (IsRusVowel(at(i))) {
      vowelAhead = true;
      break;
    }
  }
  std::vector<int32_t> breaks;
  for (int32_t i = (p - 1 < size - 1 ? p - 1 : size - 1); i >= 1; --i) {
    if (IsRusVowel(at(i)) && i + 2 < size && IsRusLetter(at(i + 1)) && IsRusLetter(at(i + 2)) &&
        (IsRusVowel(at(i + 1)) || IsRusVowel(at(i + 2)))) {
      breaks.push_back(i + 1);
      vowelAhead = true;
      continue;
    }
    if (IsRusConsonant(at(i)) && i + 1 < size && IsRusConsonant(at(i + 1)) &&
        at(i + 1) != kSoftSign && at(i + 1) != kHardSign && IsRusVowel(at(i - 1)) && vowelAhead) {
      breaks.push_back(i + 1);
    }
  }
  return {breaks.rbegin(), breaks.rend()};
}

namespace {

// Where a line that reaches the block end inside a word stops: at a
// syllable break of that word (hyphen), else before it; the whole line
// when the word is all it holds.
struct WordCut {
  size_t at;
  bool hyphen;
};

WordCut CutBeforeLastWord(const std::string& text, size_t indent, bool hyphenate) {
  size_t wordStart = text.size();
  while (wordStart > indent && !IsBreakChar(static_cast<unsigned char>(text[wordStart - 1])))
    --wordStart;
  if (hyphenate) {
    const std::string word = text.substr(wordStart);
    const std::vector<int32_t> breaks = SyllableBreaks(word, static_cast<int32_t>(word.size()));
    if (!breaks.empty()) return {wordStart + static_cast<size_t>(breaks.back()), true};
  }
  for (size_t i = indent; i < wordStart; ++i) {
    if (!IsBreakChar(static_cast<unsigned char>(text[i]))) return {wordStart, false};
  }
  return {text.size(), false};
}

}  // namespace

void BreakLines(const std::string& block, bool startsParagraph, bool continuesWord,
                const LineLayout& layout, PageLines& out, BlockEnd blockEnd) {
  out.Clear();
  const CharWidthTable& widths = *layout.widths;
  const auto size = static_cast<INT>(block.size());
  std::vector<Line> made;
  // The line cut before the word the block ends in, or the text's last
  // line: never justified.
  size_t unjustified = SIZE_MAX;
  INT pos = 0;
  while (pos < size) {
    INT e = pos;
    while (e < size && block[e] != '\n') ++e;
    if (e == pos) {
      made.push_back({});
      made.back().Append('\n', Offset(pos));
      out.ends.push_back(pos + 1);
      pos = e + 1;
      continue;
    }
    Line candidate;
    for (INT i = pos; i < e; ++i) candidate.Append(block[i], Offset(i));

    bool paragraph = startsParagraph;
    if (!made.empty() && !made.back().text.empty()) paragraph = made.back().text.back() == '\n';
    INT adj = 0;
    size_t indent = 0;
    if (paragraph && layout.smartParagraphs) {
      size_t removed = 0;
      while (removed < candidate.text.size() &&
             IsBreakChar(static_cast<unsigned char>(candidate.text[removed])))
        ++removed;
      candidate.Erase(0, removed);
      for (int k = 0; k < 3; ++k) candidate.Insert(0, ' ', Offset(pos));
      adj = static_cast<INT>(removed) - 3;
      indent = 3;
    }
    if (e == size && continuesWord && IsLetter(static_cast<unsigned char>(block[size - 1])))
      candidate.Append('-', candidate.offsets.back());

    const std::string& text = candidate.text;
    const size_t length = text.size();
    size_t f = FittingCount(widths, text.data(), length, layout.textWidth);
    Line line;
    INT next;
    if (f < length) {
      // A first glyph wider than the whole line still takes the line alone.
      if (f == 0) f = 1;
      const auto isBreak = [&text](size_t i) { return IsBreakChar(static_cast<unsigned char>(text[i])); };
      size_t wordStart = f - 1;
      size_t wordEnd = f - 1;
      if (!isBreak(f - 1)) {
        while (wordStart > 0 && !isBreak(wordStart - 1)) --wordStart;
        wordEnd = f;
        while (wordEnd < length && !isBreak(wordEnd)) ++wordEnd;
      }
      size_t cut = f;
      bool hyphen = false;
      if (wordStart != wordEnd && wordEnd != f && wordStart != 0) {
        cut = wordStart;
        if (layout.hyphenate) {
          const std::string word = text.substr(wordStart, wordEnd - wordStart);
          const std::vector<int32_t> breaks =
              SyllableBreaks(word, static_cast<int32_t>(f - wordStart - 1));
          const INT hyphenWidth = widths['-'];
          for (auto b = breaks.rbegin(); b != breaks.rend(); ++b) {
            const size_t at = wordStart + static_cast<size_t>(*b);
            if (TextWidth(widths, text.data(), at) + hyphenWidth <= layout.textWidth) {
              cut = at;
              hyphen = true;
              break;
            }
          }
        }
      }
      line = candidate;
      line.Truncate(cut);
      if (hyphen) line.Append('-', line.offsets.back());
      // A line made of the indent alone consumes nothing, but the next one
      // gets no indent, so the breaking still moves on.
      const INT consumed = static_cast<INT>(cut) + adj;
      next = pos + (consumed > 0 ? consumed : 0);
    } else if (e == size && blockEnd == BlockEnd::kInsideWord) {
      const WordCut cut = CutBeforeLastWord(candidate.text, indent, layout.hyphenate);
      // Nothing but the cut word, and the word begins on this line: it goes
      // whole to the next page (a page of lines before it moves on anyway).
      if (cut.at == candidate.text.size() && !made.empty() && pos > 0 &&
          IsBlankTextChar(static_cast<unsigned char>(block[pos - 1])))
        break;
      line = candidate;
      line.Truncate(cut.at);
      if (cut.hyphen) line.Append('-', line.offsets.back());
      const INT consumed = static_cast<INT>(cut.at) + adj;
      next = pos + (consumed > 0 ? consumed : 0);
      unjustified = made.size();
      made.push_back(std::move(line));
      out.ends.push_back(next);
      break;
    } else if (e == size) {
      if (blockEnd == BlockEnd::kDocumentEnd) unjustified = made.size();
      line = std::move(candidate);
      next = e;
    } else {
      line = std::move(candidate);
      line.Append('\n', Offset(e));
      next = e + 1;
    }
    made.push_back(std::move(line));
    out.ends.push_back(next);
    pos = next;
  }

  bool ended = startsParagraph;
  std::vector<INT> ends;
  for (size_t k = 0; k < made.size(); ++k) {
    Line& line = made[k];
    if (line.text.empty()) continue;
    if (line.text.back() != '\n') {
      size_t keep = line.text.size();
      while (keep > 0 && IsBreakChar(static_cast<unsigned char>(line.text[keep - 1]))) --keep;
      line.Truncate(keep);
      if (!ended) RemoveLeadingBreaks(line);
      if (layout.justify && k != unjustified) Justify(line, layout);
      ended = false;
    } else {
      if (!ended) RemoveLeadingBreaks(line);
      line.Truncate(line.text.size() - 1);
      ended = true;
    }
    out.lines.push_back(std::move(line.text));
    out.offsets.push_back(std::move(line.offsets));
    ends.push_back(out.ends[k]);
  }
  out.ends = std::move(ends);
}
