// The Convert dialog's window: the method list, the source and target
// edits, the delete-source box and the Open and Start buttons over the
// dialog's logic, with the open-file dialog to choose the source.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "documents/common/convert_dialog.h"
#include "platform/window/dialog.h"

class COpenFileDlg;

class CConvertWindow : public Dialog {
 public:
  // Makes the open-file dialog for the Open button (tests hand in theirs).
  using OpenFileDialogFactory = std::function<std::unique_ptr<COpenFileDlg>()>;

  explicit CConvertWindow(OpenFileDialogFactory openFileDialog = {});
  ~CConvertWindow() override;

  // Set by the caller before the run.
  std::u16string sourcePath;
  // After the run: the file written, or empty.
  const std::u16string& ConvertedPath() const { return logic_.convertedPath; }

  BOOL OnInitDialog() override;
  void OnOpenSource();
  void OnStart();

 private:
  // The logic's controls to the window's and back.
  void ShowControls();
  void ReadControls();

  CConvertDlg logic_;
  OpenFileDialogFactory openFileDialog_;
};
