#include "reader/dialogs/folder_tree/file_open_tree_dlg.h"

#include <algorithm>
#include <filesystem>

#include "platform/message_box.h"
#include "platform/unicode.h"
#include "reader/dialogs/folder_tree/date_time_formatter.h"

namespace {

std::u16string Join(const std::u16string& folder, const std::u16string& name) {
  if (!folder.empty() && folder.back() == u'/') return folder + name;
  return folder + u"/" + name;
}

}  // namespace

CFileOpenTreeDlg::CFileOpenTreeDlg(std::u16string root)
    : CHeaderDlg(IDD, u"File Open", u"File Open"), root_(std::move(root)) {
  AddControl(IDC_TREE, ControlKind::ListBox);
  AddControl(IDC_FILES, ControlKind::ListView);
  AddControl(IDCANCEL, ControlKind::Button, u"Cancel");
  OnCommandMessage(IDC_TREE, LBN_SELCHANGE, [this] {
    const int row = GetDlgItem(IDC_TREE)->GetCurSel();
    if (row >= 0 && row < static_cast<int>(treeRows_.size())) SelectFolder(treeRows_[row]);
  });
  OnCommandMessage(IDC_TREE, LBN_DBLCLK, [this] {
    const int row = GetDlgItem(IDC_TREE)->GetCurSel();
    if (row >= 0 && row < static_cast<int>(treeRows_.size())) ExpandFolder(treeRows_[row]);
  });
  OnNotifyMessage(IDC_FILES, NM_DBLCLK, [this] {
    const int file = SelectedFile();
    if (file < 0) return;
    path = Join(folder_, files_[file].name);
    EndDialog(IDOK);
  });
  OnCommandMessage(ID_VIEW_MODE_0, BN_CLICKED, [this] { SetViewMode(0); });
  OnCommandMessage(ID_VIEW_MODE_1, BN_CLICKED, [this] { SetViewMode(1); });
  OnCommandMessage(ID_VIEW_MODE_2, BN_CLICKED, [this] { SetViewMode(2); });
  OnCommandMessage(ID_DELETE_FILE, BN_CLICKED, [this] { DeleteSelectedFile(); });
}

BOOL CFileOpenTreeDlg::OnInitDialog() {
  CHeaderDlg::OnInitDialog();
  datePicture_ = ShortDatePicture();
  nodes_.assign(1, TreeNode{DeviceName(), -1, 0, false});
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
  nodes_.insert(nodes_.begin() + insertAt, children.begin(), children.end());
  ShowTree();
}

void CFileOpenTreeDlg::ShowTree() {
  Control& tree = *GetDlgItem(IDC_TREE);
  tree.ResetContent();
  treeRows_.clear();
  for (size_t i = 0; i < nodes_.size(); ++i) {
    tree.AddString(std::u16string(2 * nodes_[i].depth, u' ') + nodes_[i].text);
    treeRows_.push_back(static_cast<int>(i));
  }
}

void CFileOpenTreeDlg::SelectFolder(int node) {
  if (node < 0 || node >= static_cast<int>(nodes_.size())) return;
  folder_ = FolderPath(node);
  files_ = ListFiles(folder_);
  SortFileRecords(files_, sort_);
  ShowFiles();
}

void CFileOpenTreeDlg::ShowFiles() {
  Control& list = *GetDlgItem(IDC_FILES);
  list.ResetContent();
  for (const FolderFileRecord& file : files_) list.AddString(file.name);
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
}

void CFileOpenTreeDlg::DragSplitter(int position) { splitter_ = std::max(position, 0); }

int CFileOpenTreeDlg::SelectedFile() const {
  const int file = GetDlgItem(IDC_FILES)->GetCurSel();
  return file >= 0 && file < static_cast<int>(files_.size()) ? file : -1;
}

bool CFileOpenTreeDlg::DeleteSelectedFile() {
  const int file = SelectedFile();
  if (file < 0) return false;
  const std::u16string question = u"Do You wish to delete \"" + files_[file].name + u"\"?";
  if (MessageBoxW(GetSafeHwnd(), question.c_str(), nullptr, MB_YESNO | MB_ICONQUESTION) != IDYES)
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
