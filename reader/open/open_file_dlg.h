// COpenFileDlg: the reader's own file browser. It lists one folder at a
// time, shows ZIP archives as folders whose entries can be chosen, hides
// the reader's side files, deletes files on request and follows the
// cursor buttons while it is active.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "documents/common/convert_dialog.h"
#include "documents/zip/zip_archive.h"
#include "platform/window/dialog.h"
#include "reader/buttons/hardware_keys.h"

class COpenFileDlg : public Dialog {
 public:
  static constexpr UINT kDialogId = 192;
  static constexpr int kFolderComboId = 1052;
  static constexpr int kFileListId = 1053;
  static constexpr int kOpenId = 32841;
  static constexpr int kDeleteId = 32840;

  explicit COpenFileDlg(CHardwareKeys keys = CHardwareKeys());
  ~COpenFileDlg() override;

  // Set by the caller: the file or folder shown first.
  std::u16string startPath;
  // The archive the start path names, read by the caller (its warnings
  // shown): the dialog shows its entries rather than the folder that holds
  // it.
  std::unique_ptr<ZipDirectory> startArchive;
  // With the start archive: the entry selected first (its path inside the
  // archive); its folder is shown.
  std::u16string startEntry;
  // Files the dialog must not delete (the open document and its text).
  std::set<std::u16string> protectedPaths;

  // The result after OK. For an entry of an archive the chosen path is
  // where the entry is to be extracted (a private folder of the reader).
  std::u16string chosenPath;
  bool chosenFromArchive = false;
  std::u16string archivePath;
  ZipEntry entry{-1, -1, -1};
  std::u16string entryName;
  OpenFileChoice Choice() const { return {chosenPath, chosenFromArchive, archivePath, entry, entryName}; }

  BOOL OnInitDialog() override;

  // The state shown.
  const std::u16string& CurrentFolder() const { return currentFolder_; }
  bool InsideArchive() const { return archiveRoot_ != nullptr; }
  // The shell icon of each item of the list.
  const std::vector<int>& ItemIcons() const { return GetDlgItem(kFileListId)->icons; }
  bool HotKeysRegistered() const { return hotKeysRegistered_; }

  // The user's actions (also reached through the message map).
  void ActivateSelected();
  void OnItemTap();
  void OnItemDoubleTap();
  void OnFolderChosen();
  void OnDelete();
  void OnHotKey(int id);
  void OnActivate(bool active);

 private:
  Control& List() { return *GetDlgItem(kFileListId); }
  bool AtRoot() const { return currentFolder_ == u"/"; }
  int FirstNameIndex() const;  // index of the first item after ".."
  bool IsFolderLike(int index) const;
  void ListCurrentFolder();
  void ListArchiveNode();
  void FillFolderCombo();
  void SelectItem(int index);
  void SelectName(const std::u16string& name);
  void GoUp();
  void EnterFolder(const std::u16string& name);
  void EnterArchive(const std::u16string& name);
  void ShowArchive(const std::u16string& name, std::unique_ptr<ZipDirectory> root);
  void ShowEntry(const std::u16string& inside);
  void LeaveArchive();
  void ChooseFile(const std::u16string& name);
  void ChooseEntry(const std::string& name);
  void RegisterKeys();
  void ReleaseKeys();

  CHardwareKeys keys_;
  std::u16string currentFolder_ = u"/";
  std::vector<std::u16string> folderItems_;
  std::vector<std::u16string> fileItems_;
  std::unique_ptr<ZipDirectory> archiveRoot_;
  const ZipDirectory* archiveNode_ = nullptr;
  std::u16string archiveName_;
  bool hotKeysRegistered_ = false;
};
