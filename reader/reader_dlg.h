// CReaderDlg: the main window. It owns the open document and its page, the
// program settings, the speech engine and every command of the menu.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/window/font.h"
#include "platform/window/window_backend.h"
#include "reader/buttons/hardware_buttons.h"
#include "reader/command_ids.h"
#include "reader/engine_startup.h"
#include "reader/marks/text_search.h"
#include "reader/open/document_opener.h"
#include "reader/page_geometry.h"
#include "reader/page_model.h"
#include "reader/reader_settings.h"
#include "reader/settings_sheet/misc_params.h"
#include "reader/settings_sheet/voice_services.h"
#include "reader/settings_store.h"
#include "reader/speech/speech_control.h"
#include "reader/status_bitmaps.h"

class CReaderDlg {
 public:
  struct Environment {
    // The program settings file; empty when the installation has none.
    std::u16string settingsPath;
    // The document named on the command line: opened at start-up in place
    // of the last one of the settings, which is then not tried at all.
    std::u16string document;
    EngineServices engine = DefaultEngineServices();
  };

  CReaderDlg(WindowBackend& backend, Environment environment);
  ~CReaderDlg();
  CReaderDlg(const CReaderDlg&) = delete;
  CReaderDlg& operator=(const CReaderDlg&) = delete;

  // Start-up, the modal loop, shut-down. Returns the end code.
  int DoModal();
  // The pieces of DoModal, for callers that drive the loop themselves.
  bool OnInitDialog();
  void OnDestroy();

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Runs a menu command; false for an unknown id.
  bool OnCommand(UINT id);

  // Documents of every kind, read as text.
  void OpenDocument(const std::u16string& path);
  void CloseDocument();
  void LoadDocumentSettings();
  void SaveDocumentSettings();
  void LoadSettings();
  void SaveSettings();

  // Paging.
  void NextPage();
  void PrevPage();
  void RepaintPage();
  void GoToOffset(INT pos);
  void GoToPercent(double percent);
  INT GetPageNumber() const;
  INT GetPageCount() const;
  INT LinesPerPage() const { return page_.LinesPerPage(); }
  void BuildCharWidths();
  bool NoDocument() const { return documentPath_.empty() || page_.NoDocument(); }

  // Drawing.
  void OnPaint();
  void DrawStatusPane(DeviceContext& dc, RECT& pane);
  void DrawPageText(DeviceContext& dc);
  INT MeasureStatusText(const std::u16string& text) const;
  void OnLButtonDown(WPARAM flags, POINT point);
  void OnTimer(UINT_PTR id);

  // Commands of this window.
  void OnNextPage();
  void OnPrevPage();
  void OnAbout();
  void OnExit();
  // Leaves locked reading; OnUnlock only calls it and is on no menu or key.
  void Unlock();
  void OnUnlock();
  void OnFullScreen();
  void OnToolbar();
  void OnSettingChange(UINT flag);
  void OnInitMenuPopup(MenuItem* popup);
  void OnRecentFile(UINT id);
  void OnOpen();
  // A ZIP archive given as a document: its only document, or the Open
  // dialog inside it.
  void OpenArchive(const std::u16string& archive);
  void OnConvert();
  void StopSpeech();

  // Bookmarks, read marks, search and go to page.
  void OnAddBookmark();
  void OnBookmarks();
  bool PageHasBookmark() const;
  void OnMarkRead();
  void OnSetReadMark();
  void OnMarkUnread();
  void OnFind();
  void OnFindNext();
  bool StartSearch(const std::string& text, bool matchCase, bool backward);
  bool FindText();
  void ResetSearch();
  // The search text (lower case without match case) and the match-case flag.
  void GetFindSettings(std::string& text, bool& matchCase) const;
  void OnGoToPage();

  // The settings sheet, the user's own text and the user stress base.
  void OnSettings();
  void OnSpeakUserText();
  void OnUserStressBase();
  MiscParams GetMiscParams() const;
  void SetMiscParams(const MiscParams& params);

  // State, public as the other windows and the tests read it.
  ReaderSettings settings;
  CSettingsStore store;
  PageModel& Page() { return page_; }
  const PageModel& Page() const { return page_; }
  const std::u16string& DocumentPath() const { return documentPath_; }
  WindowHost& Host() { return *host_; }
  ITTSEngine* Engine() const { return engine_.Get(); }
  const CharWidthTable& CharWidths() const { return charWidths_; }
  const RECT& ProgressBarRect() const { return progressBar_; }
  const CStatusBitmaps& StatusBitmaps() const { return statusBitmaps_; }
  bool ReadMark() const { return readMark_; }
  void SetReadMark(bool on) { readMark_ = on; }
  std::map<INT, std::string>& Bookmarks() { return bookmarks_; }
  bool PaneOnly() const { return paneOnly_; }
  bool Locked() const { return locked_; }
  SpeechControl& Speech() { return speech_; }
  HardwareButtons& Buttons() { return buttons_; }
  // The fonts in use.
  const FontPtr& TextFont() const { return textFont_; }
  void SetTextFont(const LOGFONTW& description);

 private:
  void UpdateLayout();
  void PageChanged();
  // With the archive that startPath names, read already, the dialog shows
  // its entries.
  void RunOpenDialog(const std::u16string& startPath, std::unique_ptr<ZipDirectory> archive);
  // The text of a bookmark: up to 450 bytes at the offset.
  std::string GetBookmarkExcerpt(INT offset);
  // The hot-key groups around dialogs, and the engine's notification.
  void RegisterHotKeyGroups();
  void UnregisterSystemHotKeys();
  void OnEngineNotify(WPARAM count, LPARAM cookie);
  void ChangeReadMark(bool on);
  void ShowNotFound();
  VoiceServices SheetVoiceServices() const;
  // Detects the open text's code page again, with the messages of opening.
  void DetectCodePageMessage();

  WindowBackend& backend_;
  Environment environment_;
  std::unique_ptr<WindowHost> host_;
  bool comInitialised_ = false;
  bool initialised_ = false;

  FontPtr textFont_;
  FontPtr statusFont_;
  INT statusFontHeight_ = 13;
  CStatusBitmaps statusBitmaps_;
  CharWidthTable charWidths_{};
  bool paneOnly_ = false;
  RECT progressBar_{};
  TapTimer taps_;

  std::u16string documentPath_;
  PageModel page_;
  // A file that cannot be written is said once, not at every page turn:
  // the document whose ".trc" last failed, and whether the settings file
  // did.
  std::u16string documentSettingsFailed_;
  bool settingsFailed_ = false;

  bool readMark_ = false;
  std::map<INT, std::string> bookmarks_;
  CTextSearch search_;

  ComPtr<ITTSEngine> engine_;

  // The views of this window that speech and the buttons work through.
  class SpeechSeam : public SpeechWindow {
   public:
    explicit SpeechSeam(CReaderDlg& dlg) : dlg_(dlg) {}
    HWND Window() override;
    ITTSEngine* Engine() override { return dlg_.engine_.Get(); }
    bool HasDocument() override { return !dlg_.NoDocument(); }
    INT PageStart() override { return dlg_.page_.PageStart(); }
    INT PageLength() override { return dlg_.page_.PageLength(); }
    INT FileSize() override { return dlg_.page_.FileSize(); }
    bool OnLastPage() override { return dlg_.page_.AtDocumentEnd(); }
    std::string ReadText(INT from, INT count) override { return dlg_.page_.ReadConverted(from, count); }
    void NextPage() override { dlg_.NextPage(); }

   private:
    CReaderDlg& dlg_;
  };
  class ButtonSeam : public ButtonWindow {
   public:
    explicit ButtonSeam(CReaderDlg& dlg) : dlg_(dlg) {}
    HWND Window() override;
    bool FullScreen() override { return dlg_.settings.fullScreen; }
    void SetFullScreen(bool on) override {
      if (dlg_.settings.fullScreen != on) dlg_.OnFullScreen();
    }
    void RunCommand(UINT command) override { dlg_.OnCommand(command); }

   private:
    CReaderDlg& dlg_;
  };
  SpeechSeam speechSeam_{*this};
  ButtonSeam buttonSeam_{*this};
  SpeechControl speech_{speechSeam_};
  HardwareButtons buttons_{buttonSeam_, settings.actions};
  const bool& locked_ = buttons_.LockedFlag();
  DocumentOpener opener_;
};

// The settings file of the installation: the `SavePath` value under
// Software\Morvane\Parlen, taken relative to the folder of the program file
// (an absolute value as it is). Empty when the value is missing.
std::u16string InstalledSettingsPath();
