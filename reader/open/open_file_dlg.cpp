#include "reader/open/open_file_dlg.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iterator>

#include "foundation/code_pages.h"
#include "platform/message_box.h"
#include "platform/unicode.h"
#include "platform/wait_cursor.h"
#include "platform/window/shell_icons.h"
#include "documents/common/document_kind.h"
#include "reader/open/archive_document.h"
#include "reader/open/folder_listing.h"

namespace {

constexpr int kReturnKeyId = 1;
constexpr int kLeftKeyId = 2;
constexpr int kRightKeyId = 3;
// The back ends give a dialog's keys to its first control, not to the list:
// Up and Down are taken as hot keys so that they always move the selection.
constexpr int kUpKeyId = 4;
constexpr int kDownKeyId = 5;

struct DialogKey {
  int id;
  UINT virtualKey;
};
constexpr DialogKey kDialogKeys[] = {{kReturnKeyId, VK_RETURN}, {kLeftKeyId, VK_LEFT},
                                     {kRightKeyId, VK_RIGHT},   {kUpKeyId, VK_UP},
                                     {kDownKeyId, VK_DOWN}};
constexpr const char16_t* kUp = u"..";

void ShowError(HWND owner, const char16_t* text) {
  MessageBoxW(owner, text, u"Error", MB_OK | MB_ICONERROR);
}

bool IsFolder(const std::u16string& path) {
  std::error_code error;
  return std::filesystem::is_directory(std::filesystem::path(Utf16ToUtf8(path)), error);
}

bool Exists(const std::u16string& path) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::path(Utf16ToUtf8(path)), error);
}

template <class Map>
auto Nth(const Map& map, size_t n) {
  return std::next(map.begin(), static_cast<std::ptrdiff_t>(n));
}

}  // namespace

COpenFileDlg::COpenFileDlg(CHardwareKeys keys) : Dialog(kDialogId, u"Открыть файл"), keys_(keys) {
  AddControl(kFolderComboId, ControlKind::ComboBox);
  AddControl(kFileListId, ControlKind::ListView, u"Name");
  AddControl(IDCANCEL, ControlKind::Button, u"Cancel");
  AddControl(kOpenId, ControlKind::Button, u"Open");
  AddControl(kDeleteId, ControlKind::Button, u"Удалить файл...");

  OnNotifyMessage(kFileListId, NM_CLICK, [this] { OnItemTap(); });
  OnNotifyMessage(kFileListId, NM_DBLCLK, [this] { OnItemDoubleTap(); });
  OnCommandMessage(kFolderComboId, CBN_SELCHANGE, [this] { OnFolderChosen(); });
  OnCommandMessage(kOpenId, BN_CLICKED, [this] { ActivateSelected(); });
  OnCommandMessage(kDeleteId, BN_CLICKED, [this] { OnDelete(); });
  OnWindowMessage(WM_HOTKEY, [this](WPARAM id, LPARAM) {
    OnHotKey(static_cast<int>(id));
    return LRESULT{0};
  });
  OnWindowMessage(WM_ACTIVATE, [this](WPARAM state, LPARAM) {
    OnActivate(LOWORD(state) != WA_INACTIVE);
    return LRESULT{0};
  });
}

COpenFileDlg::~COpenFileDlg() = default;

BOOL COpenFileDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  archiveRoot_.reset();
  archiveNode_ = nullptr;
  if (!startPath.empty() && Exists(startPath) && !IsFolder(startPath)) {
    currentFolder_ = FolderOfPath(startPath);
    ListCurrentFolder();
    const std::u16string name = startPath.substr(currentFolder_.size());
    SelectName(name);
    if (startArchive && IsZipFileName(startPath)) {
      ShowArchive(name, std::move(startArchive));
      if (!startEntry.empty()) ShowEntry(startEntry);
    }
  } else if (!startPath.empty() && IsFolder(startPath)) {
    currentFolder_ = startPath.back() == u'/' ? startPath : startPath + u'/';
    ListCurrentFolder();
  } else {
    currentFolder_ = u"/";
    ListCurrentFolder();
  }
  // Shown and active from here on.
  OnActivate(true);
  return TRUE;
}

int COpenFileDlg::FirstNameIndex() const { return InsideArchive() || !AtRoot() ? 1 : 0; }

bool COpenFileDlg::IsFolderLike(int index) const {
  if (index < 0) return false;
  const int first = FirstNameIndex();
  if (index < first) return true;  // ".."
  const auto n = static_cast<size_t>(index - first);
  if (InsideArchive()) return n < archiveNode_->folders().size();
  return n < folderItems_.size();
}

void COpenFileDlg::ListCurrentFolder() {
  // A large folder takes a moment.
  CWaitCursor wait;
  Control& list = List();
  list.ResetContent();
  const FolderListing listing = ListFolder(currentFolder_);
  folderItems_ = listing.folders;
  fileItems_ = listing.files;
  // Archives show as folders, with the folder's icon.
  if (!AtRoot()) list.SetItemIcon(list.AddString(kUp), kShellIconFolder);
  for (const std::u16string& name : folderItems_)
    list.SetItemIcon(list.AddString(name), kShellIconFolder);
  for (const std::u16string& name : fileItems_)
    list.SetItemIcon(list.AddString(name), ShellIconFor(name, false));
  FillFolderCombo();
  SelectItem(0);
}

void COpenFileDlg::ListArchiveNode() {
  Control& list = List();
  list.ResetContent();
  list.SetItemIcon(list.AddString(kUp), kShellIconFolder);
  for (const auto& [name, node] : archiveNode_->folders())
    list.SetItemIcon(list.AddString(NarrowToWide(name)), kShellIconFolder);
  for (const auto& [name, entry] : archiveNode_->files()) {
    const std::u16string wide = NarrowToWide(name);
    list.SetItemIcon(list.AddString(wide), ShellIconFor(wide, false));
  }
  SelectItem(0);
}

void COpenFileDlg::FillFolderCombo() {
  Control& combo = *GetDlgItem(kFolderComboId);
  combo.ResetContent();
  combo.AddString(u"[+] /");
  size_t depth = 1;
  size_t from = 1;
  while (from < currentFolder_.size()) {
    const size_t slash = currentFolder_.find(u'/', from);
    if (slash == std::u16string::npos) break;
    combo.AddString(std::u16string(depth, u' ') + u"[+] " + currentFolder_.substr(from, slash - from));
    from = slash + 1;
    ++depth;
  }
  combo.SetCurSel(combo.GetCount() - 1);
}

void COpenFileDlg::SelectItem(int index) {
  Control& list = List();
  if (list.GetCount() == 0) return;
  list.SetCurSel(std::min(index, list.GetCount() - 1));
}

void COpenFileDlg::SelectName(const std::u16string& name) {
  const int first = FirstNameIndex();
  const std::vector<std::u16string>& group = IsZipName(name) ? folderItems_ : fileItems_;
  for (size_t i = 0; i < group.size(); ++i) {
    if (group[i] != name) continue;
    const size_t offset = &group == &fileItems_ ? folderItems_.size() : 0;
    SelectItem(first + static_cast<int>(offset + i));
    return;
  }
}

void COpenFileDlg::GoUp() {
  if (InsideArchive()) {
    const ZipDirectory* parent = archiveNode_->parent();
    if (parent == nullptr) {
      LeaveArchive();
      return;
    }
    // Select the item of the node we came from.
    int index = 1;
    for (const auto& [name, node] : parent->folders()) {
      if (node.get() == archiveNode_) break;
      ++index;
    }
    archiveNode_ = parent;
    ListArchiveNode();
    SelectItem(index);
    return;
  }
  if (AtRoot()) return;
  const std::u16string left = currentFolder_.substr(0, currentFolder_.size() - 1);
  currentFolder_ = FolderOfPath(left);
  ListCurrentFolder();
  const std::u16string name = left.substr(currentFolder_.size());
  for (size_t i = 0; i < folderItems_.size(); ++i) {
    if (folderItems_[i] == name) SelectItem(FirstNameIndex() + static_cast<int>(i));
  }
}

void COpenFileDlg::EnterFolder(const std::u16string& name) {
  currentFolder_ += name + u'/';
  ListCurrentFolder();
}

void COpenFileDlg::EnterArchive(const std::u16string& name) {
  CWaitCursor wait;
  auto root = std::make_unique<ZipDirectory>();
  if (ReadZipArchive((currentFolder_ + name).c_str(), *root)) ShowArchive(name, std::move(root));
}

void COpenFileDlg::ShowArchive(const std::u16string& name, std::unique_ptr<ZipDirectory> root) {
  archiveRoot_ = std::move(root);
  archiveNode_ = archiveRoot_.get();
  archiveName_ = name;
  ListArchiveNode();
}

void COpenFileDlg::ShowEntry(const std::u16string& inside) {
  const ZipDirectory* folder = nullptr;
  const ZipEntry* shown = FindArchiveEntry(*archiveRoot_, inside, &folder);
  if (shown == nullptr) return;
  archiveNode_ = folder;
  ListArchiveNode();
  int index = FirstNameIndex() + static_cast<int>(folder->folders().size());
  for (const auto& [name, each] : folder->files()) {
    if (&each == shown) break;
    ++index;
  }
  SelectItem(index);
}

void COpenFileDlg::LeaveArchive() {
  archiveRoot_.reset();
  archiveNode_ = nullptr;
  ListCurrentFolder();
  SelectName(archiveName_);
}

void COpenFileDlg::ChooseFile(const std::u16string& name) {
  chosenPath = currentFolder_ + name;
  chosenFromArchive = false;
  archivePath.clear();
  entry = ZipEntry{-1, -1, -1};
  entryName.clear();
  EndDialog(IDOK);
}

void COpenFileDlg::ChooseEntry(const std::string& name) {
  const std::u16string archive = currentFolder_ + archiveName_;
  // Out of the user's folders: the entry must not land on a file of theirs.
  const ZipEntry& chosen = archiveNode_->files().at(name);
  std::u16string problem;
  const std::u16string target = ZipExtractionPath(archive, chosen, NarrowToWide(name), &problem);
  if (target.empty()) {
    ShowError(GetSafeHwnd(), problem.c_str());
    return;
  }
  chosenFromArchive = true;
  entry = chosen;
  archivePath = archive;
  entryName = PathInArchive(*archiveNode_, name);
  chosenPath = target;
  EndDialog(IDOK);
}

void COpenFileDlg::ActivateSelected() {
  const int index = List().GetCurSel();
  if (index < 0) return;
  const int first = FirstNameIndex();
  if (index < first) {
    GoUp();
    return;
  }
  const auto n = static_cast<size_t>(index - first);
  if (InsideArchive()) {
    const auto& folders = archiveNode_->folders();
    if (n < folders.size()) {
      archiveNode_ = Nth(folders, n)->second.get();
      ListArchiveNode();
    } else if (n - folders.size() < archiveNode_->files().size()) {
      ChooseEntry(Nth(archiveNode_->files(), n - folders.size())->first);
    }
    return;
  }
  if (n < folderItems_.size()) {
    const std::u16string name = folderItems_[n];
    if (IsFolder(currentFolder_ + name)) {
      EnterFolder(name);
    } else {
      EnterArchive(name);
    }
  } else if (n - folderItems_.size() < fileItems_.size()) {
    ChooseFile(fileItems_[n - folderItems_.size()]);
  }
}

void COpenFileDlg::OnItemTap() {
  if (IsFolderLike(List().GetCurSel())) ActivateSelected();
}

void COpenFileDlg::OnItemDoubleTap() {
  // The first tap of the two has already opened a folder-like item.
  const int index = List().GetCurSel();
  if (index >= 0 && !IsFolderLike(index)) ActivateSelected();
}

void COpenFileDlg::OnFolderChosen() {
  Control& combo = *GetDlgItem(kFolderComboId);
  const int chosen = combo.GetCurSel();
  if (chosen < 0 || (chosen == combo.GetCount() - 1 && !InsideArchive())) return;
  archiveRoot_.reset();
  archiveNode_ = nullptr;
  size_t end = 0;
  for (int depth = 0; depth < chosen; ++depth) end = currentFolder_.find(u'/', end + 1);
  currentFolder_ = currentFolder_.substr(0, end + 1);
  ListCurrentFolder();
}

void COpenFileDlg::OnDelete() {
  const HWND owner = GetSafeHwnd();
  if (InsideArchive()) {
    ShowError(owner, u"Can't delete from ZIP archive!");
    return;
  }
  const int index = List().GetCurSel();
  if (index < 0) return;
  const int first = FirstNameIndex();
  if (index < first) {
    ShowError(owner, u"Can't delete virtual directory!");
    return;
  }
  const auto n = static_cast<size_t>(index - first);
  std::vector<std::u16string>* group = nullptr;
  size_t at = 0;
  if (n < folderItems_.size()) {
    if (IsFolder(currentFolder_ + folderItems_[n])) {
      ShowError(owner, u"Can't delete directory!");
      return;
    }
    group = &folderItems_;
    at = n;
  } else if (n - folderItems_.size() < fileItems_.size()) {
    group = &fileItems_;
    at = n - folderItems_.size();
  } else {
    ShowError(owner, u"Internal error!");
    return;
  }
  const std::u16string name = (*group)[at];
  const std::u16string question = u"Do You wish to delete \"" + name + u"\"?";
  if (MessageBoxW(owner, question.c_str(), u"Confirm.", MB_OKCANCEL) != IDOK) return;
  const std::u16string path = currentFolder_ + name;
  if (protectedPaths.count(path) != 0 || unlink(Utf16ToUtf8(path).c_str()) != 0) {
    ShowError(owner, u"Can't delete file! It is possibly opened by Parlen or another app.");
    return;
  }
  group->erase(group->begin() + static_cast<std::ptrdiff_t>(at));
  List().DeleteString(index);
  SelectItem(index);
}

void COpenFileDlg::OnHotKey(int id) {
  if (id == kReturnKeyId || id == kRightKeyId) {
    const int index = List().GetCurSel();
    if (index >= 0) ActivateSelected();
  } else if (id == kLeftKeyId) {
    SelectItem(0);
    if (!InsideArchive() && !AtRoot()) GoUp();
  } else if (id == kUpKeyId) {
    SelectItem(std::max(List().GetCurSel() - 1, 0));
  } else if (id == kDownKeyId) {
    SelectItem(List().GetCurSel() + 1);
  }
}

void COpenFileDlg::RegisterKeys() {
  if (hotKeysRegistered_ || GetSafeHwnd() == nullptr) return;
  bool all = true;
  for (const DialogKey& key : kDialogKeys) {
    if (!keys_.Register(GetSafeHwnd(), key.id, 0, key.virtualKey)) all = false;
  }
  hotKeysRegistered_ = all;
}

void COpenFileDlg::ReleaseKeys() {
  if (!hotKeysRegistered_) return;
  for (const DialogKey& key : kDialogKeys) keys_.Release(GetSafeHwnd(), key.id);
  hotKeysRegistered_ = false;
}

void COpenFileDlg::OnActivate(bool active) {
  if (active) {
    RegisterKeys();
  } else {
    ReleaseKeys();
  }
}
