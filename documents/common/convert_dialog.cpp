#include "documents/common/convert_dialog.h"

#include <unistd.h>

#include "documents/common/conversion_mark.h"
#include "foundation/text_file.h"
#include "platform/message_box.h"
#include "platform/unicode.h"
#include "platform/wait_cursor.h"

namespace {

constexpr const char16_t* kCaption = u"Конвертировать";

// The methods offered in the list: every one but LIT.
constexpr const char* kOfferedMethods[] = {
    "From XML/HTML to TXT", "From FB2 to TXT", "From UTF8 to WIN", "From PRC/PDB to TXT",
    "From TCR to TXT",      "From Rb to TXT",  "From RTF to TXT",
};

}  // namespace

void CConvertDlg::UpdateData(bool fromControls) {
  if (fromControls) {
    sourcePath = controls.sourceEdit;
    targetPath = controls.targetEdit;
    deleteSource = controls.deleteSourceCheck;
  } else {
    controls.sourceEdit = sourcePath;
    controls.targetEdit = targetPath;
    controls.deleteSourceCheck = deleteSource;
  }
}

bool CConvertDlg::OnInitDialog() {
  controls.methodList.assign(std::begin(kOfferedMethods), std::end(kOfferedMethods));
  controls.selectedMethod = 0;
  if (!sourcePath.empty()) targetPath = sourcePath + u".txt";
  UpdateData(false);
  return true;
}

void CConvertDlg::OnOpenSource(const OpenFileChoice& choice) {
  if (choice.chosenPath.empty()) return;
  if (choice.fromArchive &&
      !ExtractZipEntry(choice.archivePath.c_str(), choice.entry, choice.chosenPath.c_str())) {
    return;
  }
  sourcePath = choice.chosenPath;
  targetPath = sourcePath + u".txt";
  UpdateData(false);
}

void CConvertDlg::OnStart() {
  UpdateData(true);
  if (sourcePath.empty() || !FileExists(sourcePath.c_str())) return;
  const int selected = controls.selectedMethod;
  if (selected < 0 || selected >= static_cast<int>(controls.methodList.size())) return;
  RunConversion(controls.methodList[static_cast<size_t>(selected)], sourcePath);
}

void CConvertDlg::RunConversion(const std::string& methodText, const std::u16string& source) {
  bool converted = false;
  {
    CWaitCursor wait;
    // Its temporaries are named for a later run, should this one be killed.
    const ConversionMark mark;
    for (const ConverterMethod& method : methods_) {
      if (method.name == methodText) {
        converted = method.convert(source.c_str(), targetPath.c_str());
        break;
      }
    }
  }
  // The boxes come with the arrow back: the user is asked to act.
  if (!converted) {
    MessageBoxW(nullptr, u"Conversion FAILED!", kCaption, MB_OK | MB_ICONERROR);
    return;
  }
  UpdateData(true);
  if (deleteSource) {
    unlink(Utf16ToUtf8(source).c_str());
    controls.sourceEdit.clear();
    controls.targetEdit.clear();
    UpdateData(true);
  }
  convertedPath = targetPath;
  MessageBoxW(nullptr, u"File was successfully converted!", kCaption, MB_OK);
}
