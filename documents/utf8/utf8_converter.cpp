#include <algorithm>
#include <string>

#include "documents/common/file_reading.h"
#include "documents/common/output_file.h"
#include "documents/converters.h"
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

// The Windows-1251 byte of a decoded character: its table byte, the default
// character where it has none; a blank for NUL, which no text holds, and for
// characters beyond 16 bits, as Utf8ToWide makes them. The rare cases stay
// off the common path.
inline char WinByte(uint32_t code, char defaultChar) {
  if (code >= static_cast<uint32_t>(kReverseTableSize)) return code < 0x10000 ? defaultChar : ' ';
  const uint8_t byte = kWin1251ReverseTable[code];
  if (byte != 0) return static_cast<char>(byte);
  return code == 0 ? ' ' : defaultChar;
}

// Decodes the block as Utf8ToWide does and appends the characters as
// FromWideToBuffer writes them, in one pass without the intermediate
// strings.
void AppendAsWin1251(const std::string& block, char defaultChar, std::string& output) {
  const auto* p = reinterpret_cast<const unsigned char*>(block.data());
  const size_t n = block.size();
  const size_t start = output.size();
  output.resize(start + n);  // never more than one byte per input byte
  char* out = output.data() + start;
  size_t i = 0;
  while (i < n) {
    // ASCII but NUL stands for itself in Windows-1251: the common case
    // skips the decoder and the table.
    if (p[i] - 1u < 0x7Fu) {
      *out++ = static_cast<char>(p[i++]);
      continue;
    }
    *out++ = WinByte(Utf8DecodeAt(p, n, i), defaultChar);
  }
  output.resize(static_cast<size_t>(out - output.data()));
}

}  // namespace

bool IsUtf8TextFile(const char16_t* path) {
  TextFile file(path, u"rb");
  if (!file.IsOpen()) return false;
  std::string head;
  file.ReadIntoString(head, std::min<size_t>(file.GetSize(), kDetectSize));
  return DetectCodePage(GlobalCodePageConverter(), head) == kCodePageUtf8;
}

bool ConvertUtf8ToWin(const char16_t* source, const char16_t* target) {
  TextFile file(source, u"rb");
  OutputFile out;
  if (!file.IsOpen() || !out.Open(source, target)) return false;
  const int64_t size = file.GetSize();
  const char defaultChar = static_cast<char>(GlobalCodePageConverter().DefaultChar());
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
    AppendAsWin1251(block, defaultChar, output);
    if (output.size() > kFlushSize) {
      if (!out.Write(output)) return false;
      output.clear();
    }
  }
  if (!out.Write(output)) return false;
  return out.Commit();
}
