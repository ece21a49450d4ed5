#include "reader/open/open_command.h"

#include "foundation/text_file.h"
#include "reader/open/document_opener.h"
#include "reader/settings_store.h"

std::u16string OpenDialogStartPath(const std::vector<std::u16string>& recent) {
  if (recent.empty()) return {};
  const std::u16string& first = recent.front();
  if (FileExists(first.c_str())) return first;
  CSettingsStore trc;
  trc.Load(first + u".trc");
  std::u16string archive;
  if (trc.GetPath("ZipPath", archive) && FileExists(archive.c_str())) return archive;
  return {};
}

bool RememberArchiveEntry(const OpenFileChoice& choice) {
  if (!choice.fromArchive) return true;
  CSettingsStore trc;
  trc.Load(choice.chosenPath + u".trc");
  if (!trc.SetPath("ZipPath", choice.archivePath)) return false;
  trc.SetString("ZipSettings", FormatZipSettings(choice.entry));
  trc.SetString("ZipCrc", FormatZipCrc(choice.entry));
  return trc.Save() != 0;
}
