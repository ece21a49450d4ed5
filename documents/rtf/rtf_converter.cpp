#include <string>
#include <string_view>
#include <vector>

#include "documents/common/conversion_message.h"
#include "documents/common/converted_text.h"
#include "documents/common/output_file.h"
#include "documents/converters.h"
#include "documents/rtf/rtf_reader.h"
#include "foundation/text_file.h"

namespace {

constexpr int32_t kOutputSize = 50000;
constexpr int32_t kReadFault = 30;

int32_t ReadFromFile(RtfHandle* handle, void* buffer, int32_t n, int32_t* count) {
  *count = static_cast<int32_t>(handle->file->Read(buffer, static_cast<size_t>(n)));
  return handle->file->HasError() ? kReadFault : 0;
}

int64_t FileSize(RtfHandle* handle) { return handle->file->GetSize(); }

int64_t SeekFile(RtfHandle* handle, int64_t offset, int origin) {
  TextFile& file = *handle->file;
  int64_t base = 0;
  if (origin == 1) base = file.Tell();
  if (origin == 2) base = file.GetSize();
  const int64_t position = base + offset;
  if (position < 0 || position > 0x7fffffff || !file.Seek(static_cast<LONG>(position))) return -1;
  return position;
}

// An RTF document begins with "{\rtf" (blanks and line ends before it are
// tolerated).
bool BeginsAsRtf(TextFile& file) {
  constexpr std::string_view kStart = "{\\rtf";
  std::string head;
  file.ReadIntoString(head, 256);
  const size_t at = head.find_first_not_of(" \t\r\n");
  const bool rtf = at != std::string::npos && head.compare(at, kStart.size(), kStart) == 0;
  return file.Seek(0) && rtf;
}

// Why a document gave no text.
std::string NoTextReason(const RtfUnclosedGroup& unclosed) {
  if (unclosed.start < 0) return "Its body holds no letter or digit.";
  return "A group that holds no body text (a font table, a header, ...), beginning at byte " +
         std::to_string(unclosed.start) + ", is never closed and takes in the rest of it.";
}

void WarnResumed(const RtfUnclosedGroup& unclosed) {
  const std::string text =
      "Warning: a group that holds no body text (a font table, a header, ...), beginning at "
      "byte " + std::to_string(unclosed.start) +
      ", is never closed and would take in the rest of the document; the text from byte " +
      std::to_string(unclosed.resumedAt) + " on was read as if the group had closed there.";
  ShowConversionWarning(std::u16string(text.begin(), text.end()));
}

}  // namespace

bool ConvertRtfToText(const char16_t* source, const char16_t* target) {
  TextFile file(source, u"rb");
  if (!file.IsOpen()) return false;
  if (!BeginsAsRtf(file)) {
    ShowConversionStop("Conversion stopped: the file does not begin with \"{\\rtf\", "
                       "it is not an RTF document.");
    return false;
  }
  OutputFile out;
  if (!out.Open(source, target)) return false;
  RtfHandle handle{sizeof(RtfHandle), &file, nullptr, FileSize, SeekFile, ReadFromFile};
  if (RtfReaderCreate(&handle) != 0) return false;
  std::vector<char> text(kOutputSize);
  bool ok = true;
  for (;;) {
    int32_t count = 0;
    if (RtfParse(&handle, text.data(), kOutputSize, &count) != 0) {
      ok = false;
      break;
    }
    if (count == 0) break;
    if (!out.Write(text.data(), static_cast<size_t>(count))) {
      ok = false;
      break;
    }
  }
  const RtfUnclosedGroup unclosed = RtfFirstUnclosedGroup(&handle);
  RtfReaderFree(&handle);
  if (!ok || !out.Commit() || !KeepConvertedText(target, NoTextReason(unclosed))) return false;
  if (unclosed.resumedAt >= 0) WarnResumed(unclosed);
  return true;
}
