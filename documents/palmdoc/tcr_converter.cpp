#include <array>
#include <cstring>
#include <string>

#include "documents/common/file_reading.h"
#include "documents/common/output_file.h"
#include "documents/converters.h"
#include "documents/palmdoc/tcr.h"

namespace {

constexpr char kTcrSignature[] = "!!8-Bit!!";
constexpr size_t kSignatureSize = 9;
constexpr size_t kBodyBlock = 30000;

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
  std::array<std::string, 256> dictionary;
  for (std::string& entry : dictionary) {
    uint8_t length = 0;
    if (!ReadExactly(file, &length, 1)) return false;
    entry.resize(length);
    if (!ReadExactly(file, entry.data(), length)) return false;
  }
  std::string block(kBodyBlock, '\0');
  std::string text;
  for (;;) {
    const size_t n = file.Read(block.data(), kBodyBlock);
    if (n == 0) break;
    text.clear();
    for (size_t i = 0; i < n; ++i) text += dictionary[static_cast<uint8_t>(block[i])];
    if (!out.Write(text)) return false;
  }
  if (file.HasError()) return false;
  return out.Commit();
}
