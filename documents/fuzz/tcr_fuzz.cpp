// libFuzzer target: arbitrary bytes as a TCR e-text. The first bytes become
// the signature so that the dictionary and the body are reached.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "documents/common/converted_text.h"
#include "documents/converters.h"
#include "documents/fuzz/fuzz_support.h"
#include "documents/palmdoc/tcr.h"

namespace {

constexpr char kSignature[] = "!!8-Bit!!";
constexpr size_t kSignatureSize = 9;

std::string Tcr(const std::string& body, bool identity) {
  std::string file = kSignature;
  for (int b = 0; b < 256; ++b) {
    if (identity) {
      file += std::string{'\x01', static_cast<char>(b)};
    } else {
      file += std::string{'\x02', static_cast<char>(b), ' '};
    }
  }
  return file + body;
}

std::vector<std::string> Seeds() {
  return {Tcr("plain body \xE0\xFF", true), Tcr("ab\0cd", false),
          std::string(kSignature) + "\x05short"};
}

// What the body should become: the dictionary entry of every body byte; false
// when the dictionary is cut short or the text holds no letter or digit (such
// a book is refused with a message).
bool Expected(const std::string& file, std::string& text) {
  std::string dictionary[256];
  size_t at = kSignatureSize;
  for (std::string& entry : dictionary) {
    if (at >= file.size()) return false;
    const size_t length = static_cast<uint8_t>(file[at++]);
    if (file.size() - at < length) return false;
    entry = file.substr(at, length);
    at += length;
  }
  for (; at < file.size(); ++at) text += dictionary[static_cast<uint8_t>(file[at])];
  std::replace(text.begin(), text.end(), '\0', ' ');  // text holds no NUL
  return HoldsLetterOrDigit(text.data(), text.size());
}

}  // namespace

FUZZ_TARGET_SEEDS(Seeds)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string file(reinterpret_cast<const char*>(data), size);
  if (file.size() >= kSignatureSize) std::memcpy(file.data(), kSignature, kSignatureSize);
  FuzzFiles files(reinterpret_cast<const uint8_t*>(file.data()), file.size(), "in.tcr");
  FUZZ_CHECK(IsTcrFile(files.source()) == (file.size() >= kSignatureSize));
  const bool converted = ConvertTcrToText(files.source(), files.target());
  std::string text;
  const bool complete = file.size() >= kSignatureSize && Expected(file, text);
  FUZZ_CHECK(converted == complete);
  if (converted) FUZZ_CHECK(files.Output() == text);
  return 0;
}
