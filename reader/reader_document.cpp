// Opening and closing the document and its ".trc" settings file; the Open,
// Convert and recent-document commands.
#include <algorithm>
#include <optional>

#include "foundation/code_pages.h"
#include "foundation/string_utils.h"
#include "platform/message_box.h"
#include "reader/marks/bookmark_excerpt.h"
#include "documents/common/conversion_message.h"
#include "documents/common/document_kind.h"
#include "documents/common/path_names.h"
#include "reader/conversion_progress.h"
#include "reader/open/archive_document.h"
#include "reader/open/convert_window.h"
#include "reader/open/open_command.h"
#include "reader/open/open_file_dlg.h"
#include "reader/open/open_problem.h"
#include "reader/reader_menu.h"
#include "reader/reader_dlg.h"

namespace {

constexpr INT kExcerptBytes = 450;

std::u16string SettingsFileOf(const std::u16string& document) { return document + u".trc"; }

void ShowStop(const char16_t* text) { MessageBoxW(nullptr, text, nullptr, MB_OK | MB_ICONSTOP); }

// An entry taken out of an archive is found again through its ".trc": when
// that cannot be written, the entry is not opened, and the user learns why
// once (a full disk has said so already).
bool RememberedArchiveEntry(const OpenFileChoice& choice) {
  const int stopsBefore = ConversionStopsShown();
  if (RememberArchiveEntry(choice)) return true;
  if (ConversionStopsShown() == stopsBefore) {
    ShowStop((u"The archive entry " + GetPathFileName(choice.chosenPath) +
              u" cannot be opened: its settings file " + SettingsFileOf(choice.chosenPath) +
              u" cannot be written.")
                 .c_str());
  }
  return false;
}

}  // namespace

void CReaderDlg::CloseDocument() {
  documentPath_.clear();
  page_.Close();
  bookmarks_.clear();
  readMark_ = false;
}

void CReaderDlg::OpenDocument(const std::u16string& given) {
  const std::u16string path = AbsoluteDocumentPath(given);
  if (DetectDocumentKind(path) == kZipArchive) {
    OpenArchive(path);
    return;
  }
  const std::u16string problem = DocumentOpenProblem(path);
  if (!problem.empty()) {
    ShowStop(OpenFailureMessage(path, problem).c_str());
    return;
  }
  host_->SetWaitCursor(true);
  // The file read as text: the document itself or its converted ".auto".
  std::optional<std::u16string> text;
  const int stopsBefore = ConversionStopsShown();
  {
    ConversionProgress progress(*host_, TitleForPath(path));
    text = opener_.Prepare(path, documentPath_,
                           {[this] { SaveDocumentSettings(); }, [this] { page_.Close(); }});
  }
  if (!text) {
    host_->SetWaitCursor(false);
    switch (opener_.LastProblem()) {
      case DocumentOpener::Problem::kConversion:
        // The open document stays; the converter may have said why.
        if (ConversionStopsShown() == stopsBefore) ShowStop(ConversionFailureMessage(path).c_str());
        break;
      case DocumentOpener::Problem::kExtraction: break;  // the extraction said why
      default: ShowStop(OpenFailureMessage(path, MissingFileReason()).c_str()); break;
    }
    return;
  }
  CloseDocument();
  documentPath_ = path;
  switch (page_.Open(*text)) {
    case PageModel::OpenResult::kOpened: break;
    case PageModel::OpenResult::kTooLarge:
      CloseDocument();
      ShowStop(u"ERROR: file is too large to open!");
      host_->SetWaitCursor(false);
      RepaintPage();
      return;
    case PageModel::OpenResult::kCannotOpen:
      CloseDocument();
      ShowStop(u"ERROR: can't open file!");
      host_->SetWaitCursor(false);
      RepaintPage();
      return;
  }
  host_->SetTitle(TitleForPath(path));
  if (settings.codePage == kCodePageAuto) DetectCodePageMessage();
  AddRecentDocument(settings.recentFiles, path);

  UpdateLayout();
  INT start = 0;
  {
    CSettingsStore trc;
    trc.Load(SettingsFileOf(path));
    if (!trc.GetInt("Page", start)) start = 0;
  }
  LoadDocumentSettings();
  SaveSettings();
  page_.ShowPageAt(start);
  PageChanged();
  host_->SetWaitCursor(false);
}

void CReaderDlg::DetectCodePageMessage() {
  // Recoded text is known: a page with a few Russian words among English
  // ones would otherwise look like another code page.
  if (opener_.TextIsWindows1251()) {
    GlobalCodePageConverter().Select(kCodePageWin, 1);
    return;
  }
  std::string bytes;
  page_.File().Rewind();
  page_.File().ReadIntoString(bytes, static_cast<size_t>(std::min<INT>(1000, page_.FileSize())));
  page_.File().Rewind();
  const int32_t detected = DetectCodePage(GlobalCodePageConverter(), bytes);
  if (detected >= kCodePageWin && detected <= kCodePageIso) {
    GlobalCodePageConverter().Select(detected, 1);
    return;
  }
  MessageBoxW(nullptr,
              detected == kCodePageUtf8
                  ? u"UTF8 text detected! Make a UTF8 -> TXT conversion from Menu -> Convert!"
                  : u"Unable to detect code page! Select code page manually!",
              nullptr, MB_OK | MB_ICONSTOP);
  GlobalCodePageConverter().Select(kCodePageWin, 1);
}

std::string CReaderDlg::GetBookmarkExcerpt(INT offset) {
  return ::GetBookmarkExcerpt(page_, offset, kExcerptBytes);
}

void CReaderDlg::LoadDocumentSettings() {
  if (NoDocument()) return;
  CSettingsStore trc;
  trc.Load(SettingsFileOf(documentPath_));
  std::string text;
  std::vector<std::string> pieces;
  bookmarks_.clear();
  if (trc.GetString("Bookmarks", text)) {
    SplitByChar(text, pieces, ';');
    for (const std::string& piece : pieces) {
      const INT offset = SettingsAtoi(piece);
      if (offset >= 0 && offset < page_.FileSize()) bookmarks_[offset] = GetBookmarkExcerpt(offset);
    }
  }
  INT mark = 0;
  trc.GetInt("ReadMark", mark);
  readMark_ = mark != 0;
}

void CReaderDlg::SaveDocumentSettings() {
  if (NoDocument()) return;
  CSettingsStore trc;
  trc.Load(SettingsFileOf(documentPath_));
  trc.SetInt("Page", page_.PageStart());
  // An empty list removes the key, so deleted bookmarks do not come back.
  std::string list;
  for (const auto& [offset, excerpt] : bookmarks_) list += IntToString(offset) + ";";
  trc.SetString("Bookmarks", list);
  trc.SetInt("ReadMark", readMark_ ? 1 : 0);
  if (trc.Save()) {
    documentSettingsFailed_.clear();
  } else if (documentSettingsFailed_ != documentPath_) {
    documentSettingsFailed_ = documentPath_;
    ShowStop(u"Can't save file specific settings");
  }
}

void CReaderDlg::OpenArchive(const std::u16string& archive) {
  std::optional<OpenFileChoice> sole;
  std::u16string problem;
  auto root = std::make_unique<ZipDirectory>();
  switch (ReadArchiveDocument(archive, *root, sole, problem)) {
    case ArchiveContents::kUnreadable:
      ShowStop(OpenFailureMessage(archive, u"It is not a readable ZIP archive.").c_str());
      return;
    case ArchiveContents::kEmpty:
      ShowStop(OpenFailureMessage(archive, u"It is an empty ZIP archive: it holds no file to open.")
                   .c_str());
      return;
    case ArchiveContents::kFiles: break;
  }
  if (!problem.empty()) {
    ShowStop(problem.c_str());
    return;
  }
  if (sole) {
    if (RememberedArchiveEntry(*sole)) OpenDocument(sole->chosenPath);
    return;
  }
  RunOpenDialog(archive, std::move(root));
}

void CReaderDlg::OnOpen() {
  StopSpeech();
  RunOpenDialog(OpenDialogStartPath(settings.recentFiles), nullptr);
}

void CReaderDlg::RunOpenDialog(const std::u16string& startPath,
                               std::unique_ptr<ZipDirectory> archive) {
  COpenFileDlg dialog;
  dialog.startPath = startPath;
  dialog.startArchive = std::move(archive);
  if (!documentPath_.empty()) dialog.protectedPaths = {documentPath_, documentPath_ + u".auto"};
  UnregisterSystemHotKeys();
  if (dialog.DoModal() == IDOK && !dialog.chosenPath.empty() &&
      (settings.recentFiles.empty() || dialog.chosenPath != settings.recentFiles.front())) {
    if (RememberedArchiveEntry(dialog.Choice())) OpenDocument(dialog.chosenPath);
  }
  RegisterHotKeyGroups();
}

void CReaderDlg::OnConvert() {
  StopSpeech();
  CConvertWindow dialog;
  dialog.sourcePath = documentPath_;
  UnregisterSystemHotKeys();
  dialog.DoModal();
  RegisterHotKeyGroups();
  if (!dialog.ConvertedPath().empty()) OpenDocument(dialog.ConvertedPath());
}

void CReaderDlg::OnInitMenuPopup(MenuItem* popup) {
  if (popup == nullptr || popup->items.size() <= kRecentSubmenuIndex) return;
  MenuItem& submenu = popup->items[kRecentSubmenuIndex];
  if (!submenu.IsPopup()) return;
  FillRecentMenu(submenu, settings.recentFiles);
}

void CReaderDlg::OnRecentFile(UINT id) {
  StopSpeech();
  const size_t k = id - ID_RECENT_FIRST;
  if (settings.recentFiles.size() > k) OpenDocument(std::u16string(settings.recentFiles[k]));
}

