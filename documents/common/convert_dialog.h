// The Convert dialog's logic: the user picks a method and a source, and the
// chosen converter writes the target. The window shows the controls below
// and calls these handlers; UpdateData moves values between the controls
// and the members as the window's data exchange does.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "documents/common/converter_table.h"
#include "documents/zip/zip_archive.h"

// What the open-file dialog reports when it ends with OK.
struct OpenFileChoice {
  std::u16string chosenPath;
  bool fromArchive = false;
  std::u16string archivePath;
  ZipEntry entry{-1, -1, -1};
  // The entry's path inside the archive: its folders and name joined by "/".
  std::u16string entryName;
};

class CConvertDlg {
 public:
  static constexpr int kDialogId = 187;
  static constexpr int kMethodListId = 1021;
  static constexpr int kSourceEditId = 1023;
  static constexpr int kOpenSourceId = 1024;
  static constexpr int kTargetEditId = 1044;
  static constexpr int kDeleteSourceId = 1055;
  static constexpr int kStartId = 1025;

  explicit CConvertDlg(std::span<const ConverterMethod> methods = ConverterMethodNames())
      : methods_(methods) {}

  // Controls.
  struct Controls {
    std::vector<std::string> methodList;
    int selectedMethod = -1;
    std::u16string sourceEdit;
    std::u16string targetEdit;
    bool deleteSourceCheck = false;
  };
  Controls controls;

  // Members.
  std::u16string sourcePath;
  std::u16string targetPath;
  bool deleteSource = false;
  std::u16string convertedPath;

  void UpdateData(bool fromControls);
  bool OnInitDialog();
  void OnOpenSource(const OpenFileChoice& choice);
  void OnStart();
  void RunConversion(const std::string& methodText, const std::u16string& source);

 private:
  std::span<const ConverterMethod> methods_;
};
