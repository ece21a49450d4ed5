#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "documents/common/converted_text.h"
#include "documents/common/file_reading.h"
#include "documents/common/output_file.h"
#include "documents/converters.h"
#include "documents/palmdoc/tcr.h"

namespace {

constexpr char kTcrSignature[] = "!!8-Bit!!";
constexpr size_t kSignatureSize = 9;
constexpr size_t kBodyBlock = 30000;
constexpr size_t kEntryStride = 256;
constexpr size_t kShortEntry = 16;

}  // namespace

bool IsTcrFile(const char16_t* path) {
  TextFile file(path, u"rb");
  char signature[kSignatureSize];
  return file.IsOpen() && ReadExactly(file, signature, kSignatureSize) &&
         std::memcmp(signature, kTcrSignature, kSignatureSize) == 0;
}

bool ConvertTcrToText(const char16_t* source, const char16_t* target) {
  if (!IsTcrFile(source)) return false;
  TextFile file(source, u"rb");
  OutputFile out;
  if (!file.IsOpen() || !out.Open(source, target)) return false;
  if (!file.Seek(static_cast<LONG>(kSignatureSize))) return false;
  // Entries at a fixed stride, so that a short one is copied as a whole
  // 16-byte word.
  std::vector<char> entries(256 * kEntryStride, '\0');
  std::array<uint8_t, 256> lengths{};
  for (size_t b = 0; b < 256; ++b) {
    if (!ReadExactly(file, &lengths[b], 1)) return false;
    if (!ReadExactly(file, &entries[b * kEntryStride], lengths[b])) return false;
  }
  std::vector<uint8_t> block(kBodyBlock);
  std::vector<char> text;
  for (;;) {
    const size_t n = file.Read(block.data(), kBodyBlock);
    if (n == 0) break;
    size_t total = 0;
    for (size_t i = 0; i < n; ++i) total += lengths[block[i]];
    text.resize(total + kShortEntry);
    char* put = text.data();
    for (size_t i = 0; i < n; ++i) {
      const char* entry = &entries[block[i] * kEntryStride];
      const size_t length = lengths[block[i]];
      if (length <= kShortEntry) {
        std::memcpy(put, entry, kShortEntry);
      } else {
        std::memcpy(put, entry, length);
      }
      put += length;
    }
    if (!out.Write(text.data(), total)) return false;
  }
  if (file.HasError()) return false;
  return out.Commit() && KeepConvertedText(target, "Its text holds no letter or digit.");
}
