#include "reader/dialogs/folder_tree/file_open_tree_dlg.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "platform/message_box.h"
#include "platform/unicode.h"
#include "platform/window/shell_icons.h"
#include "reader/dialogs/folder_tree/date_time_formatter.h"

namespace {

std::u16string Join(const std::u16string& folder, const std::u16string& name) {
  if (!folder.empty() && folder.back() == u'/') return folder + name;
  return folder + u"/" + name;
}

}  // namespace

CFileOpenTreeDlg::CFileOpenTreeDlg(std::u16string root)
    : CHeaderDlg(IDD, u"File Open", u"File Open"), root_(std::move(root)) {
  AddControl(ID_VIEW_MODE_0, ControlKind::CheckBox, u"List");
  AddControl(ID_VIEW_MODE_1, ControlKind::CheckBox, u"Sizes");
  AddControl(ID_VIEW_MODE_2, ControlKind::CheckBox, u"Details");
  AddControl(ID_STATE_BUTTON, ControlKind::Button, u"Up");
  AddControl(IDC_HEADER_NAME, ControlKind::Button);
  AddControl(IDC_HEADER_SIZE, ControlKind::Button);
  AddControl(IDC_HEADER_DATE, ControlKind::Button);
  // The tree stands beside the list, the splitter between them.
  AddControl(IDC_TREE, ControlKind::ListBox).split = kFirstSplitter;
  AddControl(IDC_FILES, ControlKind::ListView);
  AddControl(ID_DELETE_FILE, ControlKind::Button, u"Delete");
  AddControl(IDCANCEL, ControlKind::Button, u"Cancel");
  OnCommandMessage(IDC_TREE, LBN_SELCHANGE, [this] { SelectFolder(GetDlgItem(IDC_TREE)->GetCurSel()); });
  OnCommandMessage(IDC_TREE, LBN_DBLCLK, [this] { ToggleFolder(GetDlgItem(IDC_TREE)->GetCurSel()); });
  OnNotifyMessage(IDC_FILES, NM_DBLCLK, [this] {
    const int file = SelectedFile();
    if (file < 0) return;
    path = Join(folder_, files_[file].name);
    EndDialog(IDOK);
  });
  OnCommandMessage(IDC_HEADER_NAME, BN_CLICKED, [this] { SortBy(1); });
  OnCommandMessage(IDC_HEADER_SIZE, BN_CLICKED, [this] { SortBy(2); });
  OnCommandMessage(IDC_HEADER_DATE, BN_CLICKED, [this] { SortBy(3); });
  OnCommandMessage(ID_VIEW_MODE_0, BN_CLICKED, [this] { SetViewMode(0); });
  OnCommandMessage(ID_VIEW_MODE_1, BN_CLICKED, [this] { SetViewMode(1); });
  OnCommandMessage(ID_VIEW_MODE_2, BN_CLICKED, [this] { SetViewMode(2); });
  OnCommandMessage(ID_STATE_BUTTON, BN_CLICKED, [this] { SelectParentFolder(); });
  OnCommandMessage(ID_DELETE_FILE, BN_CLICKED, [this] { DeleteSelectedFile(); });
}

BOOL CFileOpenTreeDlg::OnInitDialog() {
  CHeaderDlg::OnInitDialog();
  datePicture_ = ShortDatePicture();
  nodes_.assign(1, TreeNode{DeviceName(), -1, 0, false});
  selected_ = 0;
  ExpandFolder(0);
  SelectFolder(0);
  return TRUE;
}

std::u16string CFileOpenTreeDlg::FolderPath(int node) const {
  std::vector<const std::u16string*> names;
  for (int at = node; at > 0; at = nodes_[at].parent) names.push_back(&nodes_[at].text);
  std::u16string path = root_;
  for (auto it = names.rbegin(); it != names.rend(); ++it) path = Join(path, **it);
  return path;
}

void CFileOpenTreeDlg::ExpandFolder(int node) {
  if (node < 0 || node >= static_cast<int>(nodes_.size()) || nodes_[node].expanded) return;
  nodes_[node].expanded = true;
  // Children go right after their parent's last descendant.
  int insertAt = node + 1;
  while (insertAt < static_cast<int>(nodes_.size()) && nodes_[insertAt].depth > nodes_[node].depth)
    ++insertAt;
  std::vector<TreeNode> children;
  for (const std::u16string& name : ListSubfolders(FolderPath(node)))
    children.push_back(TreeNode{name, node, nodes_[node].depth + 1, false});
  const int count = static_cast<int>(children.size());
  for (TreeNode& other : nodes_)
    if (other.parent >= insertAt) other.parent += count;
  if (selected_ >= insertAt) selected_ += count;
  nodes_.insert(nodes_.begin() + insertAt, children.begin(), children.end());
  ShowTree();
}

void CFileOpenTreeDlg::CollapseFolder(int node) {
  if (node < 0 || node >= static_cast<int>(nodes_.size()) || !nodes_[node].expanded) return;
  nodes_[node].expanded = false;
  int end = node + 1;
  while (end < static_cast<int>(nodes_.size()) && nodes_[end].depth > nodes_[node].depth) ++end;
  const int count = end - (node + 1);
  nodes_.erase(nodes_.begin() + node + 1, nodes_.begin() + end);
  for (TreeNode& other : nodes_)
    if (other.parent >= end) other.parent -= count;
  if (selected_ > node && selected_ < end) {
    ShowTree();
    SelectFolder(node);
    return;
  }
  if (selected_ >= end) selected_ -= count;
  ShowTree();
}

void CFileOpenTreeDlg::ToggleFolder(int node) {
  if (node < 0 || node >= static_cast<int>(nodes_.size())) return;
  if (nodes_[node].expanded)
    CollapseFolder(node);
  else
    ExpandFolder(node);
}

void CFileOpenTreeDlg::ShowTree() {
  Control& tree = *GetDlgItem(IDC_TREE);
  tree.ResetContent();
  for (const TreeNode& node : nodes_) {
    const int item = tree.AddString(std::u16string(2 * node.depth, u' ') +
                                    (node.expanded ? u"[-] " : u"[+] ") + node.text);
    tree.SetItemIcon(item, kShellIconFolder);
  }
  tree.SetCurSel(selected_);
}

void CFileOpenTreeDlg::SelectFolder(int node) {
  if (node < 0 || node >= static_cast<int>(nodes_.size())) return;
  selected_ = node;
  GetDlgItem(IDC_TREE)->SetCurSel(node);
  folder_ = FolderPath(node);
  files_ = ListFiles(folder_);
  SortFileRecords(files_, sort_);
  ShowFiles();
  ShowToolbarState();
}

void CFileOpenTreeDlg::SelectParentFolder() {
  if (selected_ > 0) SelectFolder(nodes_[selected_].parent);
}

void CFileOpenTreeDlg::ShowFiles() {
  Control& list = *GetDlgItem(IDC_FILES);
  list.ResetContent();
  for (size_t i = 0; i < files_.size(); ++i) {
    std::u16string row = files_[i].name;
    if (viewMode_ != 0) {
      const std::vector<std::u16string> columns = Columns(i);
      row += u"   " + columns[1];
      if (viewMode_ == 2) row += u"   " + columns[2];
    }
    list.SetItemIcon(list.AddString(std::move(row)), ShellIconFor(files_[i].name, false));
  }
  ShowHeader();
}

// The sort arrow stands on the header of the column the list is sorted by.
void CFileOpenTreeDlg::ShowHeader() {
  const char16_t* arrow = sort_ > 0 ? u" \u25B2" : u" \u25BC";
  const int column = sort_ > 0 ? sort_ : -sort_;
  const std::pair<int, const char16_t*> headers[] = {
      {IDC_HEADER_NAME, u"Name"}, {IDC_HEADER_SIZE, u"Size"}, {IDC_HEADER_DATE, u"Date"}};
  for (int i = 0; i < 3; ++i) {
    std::u16string text = headers[i].second;
    if (column == i + 1) text += arrow;
    SetDlgItemTextW(headers[i].first, text);
  }
}

void CFileOpenTreeDlg::ShowToolbarState() {
  CheckDlgButton(ID_VIEW_MODE_0, viewMode_ == 0);
  CheckDlgButton(ID_VIEW_MODE_1, viewMode_ == 1);
  CheckDlgButton(ID_VIEW_MODE_2, viewMode_ == 2);
  EnableDlgItem(ID_STATE_BUTTON, selected_ > 0);
}

std::vector<std::u16string> CFileOpenTreeDlg::Columns(size_t index) const {
  if (index >= files_.size()) return {};
  const FolderFileRecord& file = files_[index];
  CDateTimeFormatter date(file.modified);
  return {file.name, FormatFileSize(file.size), date.Format(datePicture_)};
}

void CFileOpenTreeDlg::SortBy(int column) {
  if (column < 1 || column > 3) return;
  sort_ = (sort_ == column) ? -column : column;
  SortFileRecords(files_, sort_);
  ShowFiles();
}

void CFileOpenTreeDlg::SetViewMode(int mode) {
  if (mode >= 0 && mode <= 2) viewMode_ = mode;
  ShowFiles();
  ShowToolbarState();
}

int CFileOpenTreeDlg::SplitterPosition() const { return GetDlgItem(IDC_TREE)->split; }

void CFileOpenTreeDlg::DragSplitter(int position) { GetDlgItem(IDC_TREE)->SetSplit(position); }

int CFileOpenTreeDlg::SelectedFile() const {
  const int file = GetDlgItem(IDC_FILES)->GetCurSel();
  return file >= 0 && file < static_cast<int>(files_.size()) ? file : -1;
}

bool CFileOpenTreeDlg::DeleteSelectedFile() {
  const int file = SelectedFile();
  if (file < 0) return false;
  const std::u16string question = u"Do You wish to delete \"" + files_[file].name + u"\"?";
  // OK and Cancel, as the open-file dialog asks it: Escape answers too.
  if (MessageBoxW(GetSafeHwnd(), question.c_str(), nullptr, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
    return false;
  std::error_code error;
  if (!std::filesystem::remove(Utf16ToUtf8(Join(folder_, files_[file].name)), error) || error) {
    MessageBoxW(GetSafeHwnd(), u"Can't delete file! It is probably opened by Parlen or another app.",
                nullptr, MB_OK | MB_ICONSTOP);
    return false;
  }
  files_.erase(files_.begin() + file);
  ShowFiles();
  return true;
}
