// CFileOpenTreeDlg: a file-open dialog with a folder tree beside a detailed
// file list. The reader opens files with its other open dialog; this one is
// kept complete but nothing runs it.
#pragma once

#include <string>
#include <vector>

#include "reader/dialogs/folder_tree/folder_listing.h"
#include "reader/dialogs/folder_tree/header_dlg.h"

class CFileOpenTreeDlg : public CHeaderDlg {
 public:
  static constexpr UINT IDD = 134;
  static constexpr int IDC_TREE = 1029;
  static constexpr int IDC_FILES = 1030;
  // The file list's column headers: name, size, date.
  static constexpr int IDC_HEADER_NAME = 1031;
  static constexpr int IDC_HEADER_SIZE = 1032;
  static constexpr int IDC_HEADER_DATE = 1033;
  // Toolbar buttons: the three view modes (names; names and sizes; names,
  // sizes and dates), and the parent folder, enabled below the root.
  static constexpr int ID_VIEW_MODE_0 = 32782;
  static constexpr int ID_VIEW_MODE_1 = 32783;
  static constexpr int ID_VIEW_MODE_2 = 59410;
  static constexpr int ID_STATE_BUTTON = 32780;
  static constexpr int ID_DELETE_FILE = 32836;
  static constexpr int kFirstSplitter = 150;

  // `root` is the folder the device name stands for.
  explicit CFileOpenTreeDlg(std::u16string root = u"/");

  // The chosen file after IDOK.
  std::u16string path;

  BOOL OnInitDialog() override;

  // The tree: node 0 is the root.
  struct TreeNode {
    std::u16string text;
    int parent = -1;
    int depth = 0;
    bool expanded = false;
  };
  const std::vector<TreeNode>& Nodes() const { return nodes_; }
  std::u16string FolderPath(int node) const;
  void ExpandFolder(int node);
  // Hides the folder's subtree again; a folder selected inside it gives
  // the selection to this one.
  void CollapseFolder(int node);
  // A double tap on a folder: expands it, or collapses it when expanded.
  void ToggleFolder(int node);
  void SelectFolder(int node);
  int SelectedFolder() const { return selected_; }
  // Button 32780: the parent of the selected folder.
  void SelectParentFolder();
  const std::u16string& Folder() const { return folder_; }

  const std::vector<FolderFileRecord>& Files() const { return files_; }
  // The columns of a listed file: name, size, date.
  std::vector<std::u16string> Columns(size_t index) const;
  // A tap on column 1..3: the same column again reverses the order.
  void SortBy(int column);
  int SortColumn() const { return sort_; }

  int ViewMode() const { return viewMode_; }
  void SetViewMode(int mode);
  // The tree's width: where the splitter between tree and list stands.
  int SplitterPosition() const;
  void DragSplitter(int position);
  bool DeleteSelectedFile();

 private:
  void ShowTree();
  void ShowFiles();
  void ShowHeader();
  void ShowToolbarState();
  int SelectedFile() const;

  std::u16string root_;
  std::u16string folder_;
  std::u16string filter_ = u"*";
  std::u16string datePicture_;
  std::vector<TreeNode> nodes_;
  std::vector<FolderFileRecord> files_;
  int selected_ = 0;
  int viewMode_ = 0;
  int sort_ = 1;
};
