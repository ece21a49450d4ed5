// Breaking a block of Windows-1251 text into screen lines by the pixel
// widths of the text font: unwrapping of hard-wrapped lines, paragraph
// indent, syllable hyphenation and justification.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

// Width in pixels of each byte in the text font; byte 0 has width 0.
using CharWidthTable = std::array<INT, 256>;

// The lines made from one block.
struct PageLines {
  std::vector<std::string> lines;
  // Offset after each line, relative to the block it was broken from.
  std::vector<INT> ends;
  // For each line, the source offset of each character; an inserted
  // character repeats the offset of its neighbour.
  std::vector<std::vector<uint16_t>> offsets;

  void Clear();
  size_t Count() const { return lines.size(); }
};

struct LineLayout {
  const CharWidthTable* widths = nullptr;
  INT textWidth = 0;
  bool hyphenate = true;
  bool justify = true;
  bool smartParagraphs = true;
};

// ' ', tab and carriage return; a line feed ends a paragraph instead.
bool IsBreakChar(unsigned char c);
// The break characters and the line feed.
bool IsBlankTextChar(unsigned char c);

// Joins hard-wrapped lines (a line feed inside a sentence before a small
// letter becomes a blank), turns carriage returns into blanks and the byte
// 0x1E into '-'.
void UnwrapBlock(std::string& block);

// Width of the text in pixels.
INT TextWidth(const CharWidthTable& widths, const char* text, size_t length);
// Number of leading bytes whose running width does not exceed maxWidth.
size_t FittingCount(const CharWidthTable& widths, const char* text, size_t length, INT maxWidth);

// Syllable breaks of a word, looked for before index p, ascending; each is
// the index of the first byte after the break.
std::vector<int32_t> SyllableBreaks(const std::string& word, int32_t p);

// Breaks the block into lines. startsParagraph: the block begins a
// paragraph; continuesWord: the block ends inside a word (a '-' is put at
// its end). Every line takes at least one byte of the block, so the
// breaking always ends, whatever the widths.
// blockEnd: what follows the block. kInsideWord: the text goes on inside
// the block's last word; the line that reaches the block end stops before
// that word (or at one of its syllable breaks, with '-'), is not justified,
// and is the last line made; a line that would hold nothing but that word
// is not made at all. kDocumentEnd: the block ends the text; its last line
// ends the last paragraph and is not justified.
enum class BlockEnd { kText, kInsideWord, kDocumentEnd };
void BreakLines(const std::string& block, bool startsParagraph, bool continuesWord,
                const LineLayout& layout, PageLines& out, BlockEnd blockEnd = BlockEnd::kText);
