#include "documents/common/converted_text.h"

#include <unistd.h>

#include "documents/common/conversion_message.h"
#include "foundation/char_classes.h"
#include "foundation/text_file.h"
#include "platform/unicode.h"

namespace {

constexpr size_t kReadBlock = 1 << 16;

}  // namespace

bool HoldsLetterOrDigit(const char* bytes, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    const int c = static_cast<unsigned char>(bytes[i]);
    if (IsLatinLetter(c) || IsDigitChar(c) || IsRusLetter(c)) return true;
  }
  return false;
}

bool KeepConvertedText(const char16_t* target, std::string_view why) {
  {
    // A file that cannot be read back is kept as written.
    TextFile file(target, u"rb");
    if (!file.IsOpen()) return true;
    std::string block(kReadBlock, '\0');
    for (size_t n; (n = file.Read(block.data(), block.size())) > 0;) {
      if (HoldsLetterOrDigit(block.data(), n)) return true;
    }
    if (file.HasError()) return true;
  }
  unlink(Utf16ToUtf8(target).c_str());
  ShowNoTextTaken(why);
  return false;
}
