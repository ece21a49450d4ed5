#include "reader/open/open_command.h"

#include "foundation/text_file.h"
#include "reader/open/archive_document.h"
#include "reader/open/document_opener.h"
#include "reader/settings_store.h"

namespace {
// The entry's path inside its archive, beside `ZipPath`.
constexpr char kEntryNameKey[] = "ZipName";
}  // namespace

OpenDialogStart OpenDialogStartPath(const std::vector<std::u16string>& recent) {
  if (recent.empty()) return {};
  const std::u16string& first = recent.front();
  OpenDialogStart start;
  if (SplitArchiveEntryPath(first, start.path, start.entry)) return start;
  CSettingsStore trc;
  trc.Load(first + u".trc");
  if (trc.GetPath("ZipPath", start.path) && FileExists(start.path.c_str())) {
    trc.GetPath(kEntryNameKey, start.entry);
    return start;
  }
  if (FileExists(first.c_str())) return {first, {}};
  return {};
}

bool RememberArchiveEntry(const OpenFileChoice& choice) {
  if (!choice.fromArchive) return true;
  CSettingsStore trc;
  trc.Load(choice.chosenPath + u".trc");
  if (!trc.SetPath("ZipPath", choice.archivePath)) return false;
  trc.SetString("ZipSettings", FormatZipSettings(choice.entry));
  trc.SetString("ZipCrc", FormatZipCrc(choice.entry));
  trc.SetPath(kEntryNameKey, choice.entryName);
  return trc.Save() != 0;
}

std::u16string FiledDocumentPath(const CSettingsStore& trc, const std::u16string& document) {
  OpenFileChoice choice;
  choice.chosenPath = document;
  choice.fromArchive = true;
  if (!trc.GetPath("ZipPath", choice.archivePath) || !trc.GetPath(kEntryNameKey, choice.entryName))
    return document;
  return FiledPath(choice);
}
