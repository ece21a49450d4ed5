#include "reader/open/convert_window.h"

#include "reader/open/open_file_dlg.h"

namespace {

std::u16string Ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

std::string Narrow(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

}  // namespace

CConvertWindow::CConvertWindow(OpenFileDialogFactory openFileDialog)
    : Dialog(CConvertDlg::kDialogId, u"Конвертировать"), openFileDialog_(std::move(openFileDialog)) {
  if (!openFileDialog_) openFileDialog_ = [] { return std::make_unique<COpenFileDlg>(); };
  AddControl(0, ControlKind::Static, u"Способ:");
  AddControl(CConvertDlg::kMethodListId, ControlKind::ListBox);
  AddControl(0, ControlKind::Static, u"Исходный файл:");
  AddControl(CConvertDlg::kSourceEditId, ControlKind::Edit);
  AddControl(CConvertDlg::kOpenSourceId, ControlKind::Button, u"Открыть");
  AddControl(0, ControlKind::Static, u"Результирующий файл:");
  AddControl(CConvertDlg::kTargetEditId, ControlKind::Edit);
  AddControl(CConvertDlg::kDeleteSourceId, ControlKind::CheckBox, u"Удалить");
  AddControl(CConvertDlg::kStartId, ControlKind::Button, u"Начать");
  AddControl(IDCANCEL, ControlKind::Button, u"Отмена");
  OnCommandMessage(CConvertDlg::kOpenSourceId, BN_CLICKED, [this] { OnOpenSource(); });
  OnCommandMessage(CConvertDlg::kStartId, BN_CLICKED, [this] { OnStart(); });
}

CConvertWindow::~CConvertWindow() = default;

void CConvertWindow::ShowControls() {
  Control& list = *GetDlgItem(CConvertDlg::kMethodListId);
  list.ResetContent();
  for (const std::string& method : logic_.controls.methodList) list.AddString(Ascii(method));
  list.SetCurSel(logic_.controls.selectedMethod);
  SetDlgItemTextW(CConvertDlg::kSourceEditId, logic_.controls.sourceEdit);
  SetDlgItemTextW(CConvertDlg::kTargetEditId, logic_.controls.targetEdit);
  CheckDlgButton(CConvertDlg::kDeleteSourceId, logic_.controls.deleteSourceCheck);
}

void CConvertWindow::ReadControls() {
  const Control& list = *GetDlgItem(CConvertDlg::kMethodListId);
  logic_.controls.methodList.clear();
  for (const std::u16string& item : list.items) logic_.controls.methodList.push_back(Narrow(item));
  logic_.controls.selectedMethod = list.GetCurSel();
  logic_.controls.sourceEdit = GetDlgItemTextW(CConvertDlg::kSourceEditId);
  logic_.controls.targetEdit = GetDlgItemTextW(CConvertDlg::kTargetEditId);
  logic_.controls.deleteSourceCheck = IsDlgButtonChecked(CConvertDlg::kDeleteSourceId);
}

BOOL CConvertWindow::OnInitDialog() {
  Dialog::OnInitDialog();
  logic_.sourcePath = sourcePath;
  logic_.convertedPath.clear();
  logic_.OnInitDialog();
  ShowControls();
  return TRUE;
}

void CConvertWindow::OnOpenSource() {
  ReadControls();
  logic_.UpdateData(true);
  std::unique_ptr<COpenFileDlg> dialog = openFileDialog_();
  dialog->startPath = logic_.sourcePath;
  if (dialog->DoModal() != IDOK || dialog->chosenPath.empty()) return;
  logic_.OnOpenSource(dialog->Choice());
  ShowControls();
}

void CConvertWindow::OnStart() {
  ReadControls();
  logic_.OnStart();
  ShowControls();
}
