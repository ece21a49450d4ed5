#include "reader/open/document_opener.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>

#include "documents/common/auto_conversion.h"
#include "documents/common/path_names.h"
#include "foundation/string_utils.h"
#include "foundation/text_file.h"
#include "platform/unicode.h"
#include "reader/settings_store.h"

namespace {

constexpr size_t kRecentMax = 10;
constexpr char kZipSeparator = '\x01';

void RemoveFile(const std::u16string& path) { unlink(Utf16ToUtf8(path).c_str()); }

bool IsWholeNumber(const std::string& text) {
  size_t i = text[0] == '-' ? 1 : 0;
  if (i == text.size()) return false;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  return true;
}

}  // namespace

std::string FormatZipSettings(const ZipEntry& entry) {
  return std::to_string(entry.compressedSize) + kZipSeparator + std::to_string(entry.dataOffset) +
         kZipSeparator + std::to_string(entry.uncompressedSize);
}

bool ParseZipSettings(const std::string& value, ZipEntry& entry) {
  std::vector<std::string> pieces;
  SplitByChar(value, pieces, kZipSeparator);
  if (pieces.size() != 3) return false;
  for (const std::string& piece : pieces) {
    if (!IsWholeNumber(piece)) return false;
  }
  entry.compressedSize = SettingsAtoi(pieces[0]);
  entry.dataOffset = SettingsAtoi(pieces[1]);
  entry.uncompressedSize = SettingsAtoi(pieces[2]);
  return true;
}

std::string FormatZipCrc(const ZipEntry& entry) {
  if (!entry.crcKnown) return {};
  char text[12];
  std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(entry.crc));
  return text;
}

void ParseZipCrc(const std::string& value, ZipEntry& entry) {
  entry.crcKnown = false;
  if (value.empty() || value.size() > 8) return;
  uint32_t crc = 0;
  const char* end = value.data() + value.size();
  const auto [stop, error] = std::from_chars(value.data(), end, crc, 16);
  if (error != std::errc() || stop != end) return;
  entry.crc = crc;
  entry.crcKnown = true;
}

std::u16string AbsoluteDocumentPath(const std::u16string& path) {
  if (path.empty()) return path;
  std::error_code error;
  const std::filesystem::path absolute =
      std::filesystem::absolute(std::filesystem::path(Utf16ToUtf8(path)), error);
  if (error) return path;
  std::u16string out;
  Utf8ToUtf16(absolute.lexically_normal().string(), &out);
  return out;
}

void AddRecentDocument(std::vector<std::u16string>& recent, const std::u16string& path) {
  std::erase(recent, path);
  recent.insert(recent.begin(), path);
  if (recent.size() > kRecentMax) recent.resize(kRecentMax);
}

DocumentOpener::Problem DocumentOpener::ExtractAgain(const std::u16string& path) {
  CSettingsStore trc;
  trc.Load(path + u".trc");
  std::u16string archive;
  std::string settings;
  ZipEntry entry{-1, -1, -1};
  if (!trc.GetPath("ZipPath", archive) || !FileExists(archive.c_str()) ||
      !trc.GetString("ZipSettings", settings) || !ParseZipSettings(settings, entry)) {
    return Problem::kMissing;
  }
  std::string crc;
  if (trc.GetString("ZipCrc", crc)) ParseZipCrc(crc, entry);
  // Only into the private extraction folder: a settings file must not make
  // the reader write over a file of the user's.
  if (path != ZipExtractionPath(archive, entry, GetPathFileName(path))) return Problem::kMissing;
  if (!ExtractZipEntry(archive.c_str(), entry, path.c_str())) {
    RemoveFile(path);
    return Problem::kExtraction;
  }
  NoteExtracted(path);
  return Problem::kNone;
}

void DocumentOpener::DeleteExtracted(const std::u16string& path) {
  if (WasExtracted(path)) {
    RemoveFile(path);
    extracted_.erase(path);
  }
}

void DocumentOpener::DeleteTemporariesOf(const std::u16string& previous) {
  if (previous.empty()) return;
  if (convertedOpen_) {
    RemoveFile(previous + u".auto");
  } else if (extractedTemporary_) {
    DeleteExtracted(previous);
  }
}

std::optional<std::u16string> DocumentOpener::Prepare(const std::u16string& path,
                                                      const std::u16string& previous,
                                                      const Hooks& hooks) {
  bool extracted = false;
  problem_ = Problem::kNone;
  if (!FileExists((path + u".auto").c_str()) && !FileExists(path.c_str())) {
    problem_ = ExtractAgain(path);
    if (problem_ != Problem::kNone) return std::nullopt;
    extracted = true;
  }
  if (hooks.saveDocumentSettings) hooks.saveDocumentSettings();
  const OpenedText text = ConvertForReading(path, converters_);
  if (text.failed) {
    // Its raw bytes are no text to read: the open document stays, and a
    // file taken out of an archive for nothing goes.
    if (extracted) DeleteExtracted(path);
    problem_ = Problem::kConversion;
    return std::nullopt;
  }
  if (hooks.closeTextFile) hooks.closeTextFile();
  // Reopening the open document keeps its files: they are the new ones.
  if (previous != path) DeleteTemporariesOf(previous);
  if (extracted && text.converted) DeleteExtracted(path);
  convertedOpen_ = text.converted;
  extractedTemporary_ = extracted;
  textIsWindows1251_ = text.windows1251;
  return text.path;
}
