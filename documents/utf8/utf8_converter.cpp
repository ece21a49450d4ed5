#include <algorithm>
#include <string>

#include "documents/common/file_reading.h"
#include "documents/common/output_file.h"
#include "documents/converters.h"
#include "documents/utf8/malformed_utf8.h"
#include "foundation/code_pages.h"

namespace {

constexpr int64_t kBlockSize = 10000;
constexpr size_t kDetectSize = 1000;
constexpr size_t kFlushSize = 40000;

// The length of a block that is not the file's last: it ends before the lead
// byte of its last character, so no character is split between blocks. A
// block whose only possible lead byte is its first is taken whole, which
// keeps the walk moving.
int64_t CutBeforeLastLead(const std::string& block) {
  for (size_t j = block.size(); j-- > 1;) {
    if (IsPlausibleCyrillicByte(static_cast<unsigned char>(block[j]))) {
      return static_cast<int64_t>(j);
    }
  }
  return static_cast<int64_t>(block.size());
}

}  // namespace

bool IsUtf8TextFile(const char16_t* path) {
  TextFile file(path, u"rb");
  if (!file.IsOpen()) return false;
  const int64_t size = file.GetSize();
  // ASCII tells no code page from another: a book whose first kilobyte is
  // all ASCII (an FB2 prolog of comments or style sheets) is judged by the
  // bytes from its first letter outside ASCII, or its UTF-8 text would be
  // read as Windows-1251.
  int64_t start = FirstNonAsciiAt(file, size);
  if (start < static_cast<int64_t>(kDetectSize) || start == size) start = 0;
  std::string head(static_cast<size_t>(std::min<int64_t>(size - start, kDetectSize)), '\0');
  if (!ReadExactlyAt(file, start, head.data(), head.size())) return false;
  return DetectCodePage(GlobalCodePageConverter(), head) == kCodePageUtf8;
}

bool ConvertUtf8ToWin(const char16_t* source, const char16_t* target) {
  TextFile file(source, u"rb");
  OutputFile out;
  if (!file.IsOpen() || !out.Open(source, target)) return false;
  const int64_t size = file.GetSize();
  // NUL, which no text holds, and characters beyond 16 bits become blanks,
  // as Utf8ToWide makes them.
  const char defaultChar = static_cast<char>(GlobalCodePageConverter().DefaultChar());
  const Utf8Replacements with{defaultChar, ' ', ' '};
  std::string block;
  std::string output;
  for (int64_t offset = 0; offset < size;) {
    const int64_t n = std::min(size - offset, kBlockSize);
    block.resize(static_cast<size_t>(n));
    if (!ReadExactlyAt(file, offset, block.data(), block.size())) return false;
    int64_t used = n;
    if (offset + n < size) used = CutBeforeLastLead(block);
    block.resize(static_cast<size_t>(used));
    offset += used;
    BlankMalformedUtf8(block);
    AppendUtf8AsWindows1251(block.data(), block.size(), with, output);
    if (output.size() > kFlushSize) {
      if (!out.Write(output)) return false;
      output.clear();
    }
  }
  if (!out.Write(output)) return false;
  return out.Commit();
}
