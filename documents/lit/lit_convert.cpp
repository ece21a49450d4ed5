// LIT e-book to text: the book's documents are rebuilt as HTML and joined in
// a private temporary folder, and converted from there.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "documents/common/conversion_message.h"
#include "documents/common/converted_text.h"
#include "documents/common/document_kind.h"
#include "documents/common/path_names.h"
#include "documents/common/private_folder.h"
#include "documents/converters.h"
#include "documents/lit/lit_extract.h"
#include "documents/litlib/lit_file.h"
#include "platform/unicode.h"

namespace {

uint8_t* ReadAt(void* handle, uint32_t offset, uint32_t size) {
  std::FILE* file = static_cast<std::FILE*>(handle);
  uint8_t* buffer = static_cast<uint8_t*>(std::malloc(size == 0 ? 1 : size));
  if (buffer == nullptr) return nullptr;
  if (std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0 ||
      std::fread(buffer, 1, size, file) != size) {
    std::free(buffer);
    return nullptr;
  }
  return buffer;
}

// The file names of the documents left out, as they can be shown.
std::vector<std::u16string> Shown(const std::vector<std::string>& unread) {
  std::vector<std::u16string> names;
  for (const std::string& name : unread) {
    std::u16string wide;
    names.push_back(Utf8ToUtf16(name, &wide) ? wide : u"?");
  }
  return names;
}

}  // namespace

bool ConvertLitToText(const char16_t* source, const char16_t* target) {
  if (source == nullptr || target == nullptr || !IsLitFileName(source)) return false;
  std::FILE* file = std::fopen(Utf16ToUtf8(source).c_str(), "rb");
  if (file == nullptr) return false;
  lit_file lit{};
  lit.handle = file;
  lit.readAt = ReadAt;
  long size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
  if (size < 0 || size > 0xFFFFFFFFL) {
    std::fclose(file);
    return false;
  }
  lit.fileSize = static_cast<uint32_t>(size);

  PrivateFolder folder(kLitFolderPrefix);
  std::u16string mainPath;
  std::vector<std::string> unread;
  const bool opened = lit_read(&lit) == LIT_OK && folder.Ok();
  const bool extracted =
      opened && LitExtractBook(&lit, source, folder.WithSeparator(), &mainPath, &unread) == 0;
  lit_free_directory(&lit);
  std::fclose(file);
  if (!extracted) {
    if (!unread.empty()) ShowNoTextTaken("None of its documents could be read.");
    return false;
  }
  if (!ConvertHtmlToText(mainPath.c_str(), target, 1) ||
      !KeepConvertedText(target, "Its documents hold no letter or digit.")) {
    return false;
  }
  if (!unread.empty()) ShowPartsLeftOut(u"documents", GetPathFileName(source), Shown(unread));
  return true;
}
