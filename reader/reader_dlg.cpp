#include "reader/reader_dlg.h"

#include <unistd.h>

#include <filesystem>

#include "foundation/code_pages.h"
#include "foundation/registry_string.h"
#include "platform/com.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/unicode.h"
#include "platform/window/dialog.h"
#include "platform/window/system_services.h"
#include "reader/dialogs/about_dlg.h"
#include "reader/dialogs/program_icon.h"
#include "reader/main_window_bars.h"
#include "reader/reader_menu.h"

namespace {

constexpr DWORD kEngineCookie = 1;
static_assert(kHotKeyCount == kButtonCount, "one action per hot-key id");

// The next whole minute.
UINT ClockPeriod() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return 60000 - 1000 * now.wSecond;
}

// A 9-point face at the screen's resolution.
LOGFONTW StatusFontDescription() {
  LOGFONTW font;
  font.lfHeight = -(9 * ScreenDpi() + 36) / 72;
  font.lfWeight = FW_NORMAL;
  SetFaceName(&font, u"Tahoma");
  return font;
}

}  // namespace

std::u16string InstalledSettingsPath() {
  std::string value;
  if (!ReadRegistryString(value, HKEY_LOCAL_MACHINE, "Software\\Morvane\\Parlen", "SavePath") ||
      value.empty())
    return {};
  const std::u16string wide = NarrowToWide(value);
  std::filesystem::path path(Utf16ToUtf8(wide));
  if (path.is_relative()) {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) path = program.parent_path() / path;
  }
  std::u16string out;
  Utf8ToUtf16(path.string(), &out);
  return out;
}

CReaderDlg::CReaderDlg(WindowBackend& backend, Environment environment)
    : backend_(backend), environment_(std::move(environment)) {
  comInitialised_ = SUCCEEDED(CoInitializeEx(nullptr, 0));
  settings.textFont = GetStockFontDescription();
  textFont_ = Font::Create(settings.textFont);
}

CReaderDlg::~CReaderDlg() {
  engine_.Reset();
  if (host_) DestroyWindowHandle(host_->Handle());
  if (comInitialised_) CoUninitialize();
}

int CReaderDlg::DoModal() {
  OnInitDialog();
  const int result = host_->Run();
  OnDestroy();
  return result;
}

bool CReaderDlg::OnInitDialog() {
  host_ = backend_.CreateMainWindow(u"Parlen 2");
  host_->SetProcedure([this](HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    return WindowProc(message, wParam, lParam);
  });
  host_->SetCommandBar(BuildCommandBar());
  host_->SetToolbar(BuildToolbar());
  host_->ShowToolbar(false);
  const HICON icon = LoadReaderIcon(IDI_PROGRAM);
  host_->SetIcon(icon, true);
  host_->SetIcon(icon, false);

  statusFont_ = Font::Create(StatusFontDescription());
  if (statusFont_) {
    statusFontHeight_ = -statusFont_->Description().lfHeight;
  } else {
    LOGFONTW fallback;
    fallback.lfHeight = -13;
    fallback.lfWeight = FW_NORMAL;
    fallback.lfPitchAndFamily = FF_SWISS;
    SetFaceName(&fallback, u"Tahoma");
    statusFont_ = Font::Create(fallback);
    statusFontHeight_ = 13;
  }

  LoadSettings();

  initialised_ = true;
  BuildCharWidths();
  RegisterHotKeyGroups();

  const std::u16string& first =
      environment_.document.empty() ? settings.lastFile : environment_.document;
  if (!first.empty()) OpenDocument(first);
  if (NoDocument()) UpdateLayout();

  host_->SetTimer(kClockTimer, ClockPeriod());
  taps_.Reset(UiTickCount());
  return true;
}

void CReaderDlg::OnDestroy() {
  host_->KillTimer(kClockTimer);
  SaveSettings();
  SaveDocumentSettings();
  UnregisterSystemHotKeys();
}

void CReaderDlg::LoadSettings() {
  const std::u16string& path = environment_.settingsPath;
  if (path.empty() || !FileExists(path.c_str())) return;
  store.Load(path);
  ReadDisplaySettings(store, settings);
  // A document named on the command line is opened in its place.
  if (environment_.document.empty() && !settings.lastFile.empty())
    host_->SetTitle(TitleForPath(settings.lastFile));
  if (settings.fontFromSettings) SetTextFont(settings.textFont);
  if (settings.toolbar) host_->ShowToolbar(true);

  bool useTts = false;
  store.GetBool("UseTTS", useTts);
  if (useTts) {
    std::string storedVoice;
    const bool hasVoice = store.GetString("Voice", storedVoice) != 0;
    std::string voice;
    CreateEngineWithVoice(environment_.engine, hasVoice ? &storedVoice : nullptr, engine_, voice);
    if (engine_) {
      settings.voice = voice;
      settings.useTts = true;
    }
  }
  if (settings.useTts && engine_ && !ConnectEngineOrTell(*engine_, host_->Handle(), kEngineCookie)) {
    engine_.Reset();
    settings.useTts = false;
    settings.voice.clear();
  }
  ReadSpeechValues(store, settings);
  if (settings.useTts && engine_)
    ApplyEngineValues(*engine_, settings.rate, settings.pitch, settings.volume);
  ReadCodePage(store, settings);
  if (settings.codePage != kCodePageAuto) GlobalCodePageConverter().Select(settings.codePage, 1);
}

void CReaderDlg::SaveSettings() {
  if (!WriteSettings(settings, documentPath_, store)) {
    MessageBoxW(nullptr,
                (u"The path " + documentPath_ + u" is too long to be kept in the settings.").c_str(),
                nullptr, MB_OK | MB_ICONSTOP);
  }
  const bool saved = store.Save() != 0 || store.Path().empty();
  if (!saved && !settingsFailed_) MessageBoxW(nullptr, u"Can't save settings", nullptr, MB_OK | MB_ICONSTOP);
  settingsFailed_ = !saved;
}

LRESULT CReaderDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return TRUE;
    case WM_SIZE: RepaintPage(); return 0;
    case WM_LBUTTONDOWN:
      OnLButtonDown(wParam, POINT{static_cast<LONG>(static_cast<int16_t>(LOWORD(lParam))),
                                  static_cast<LONG>(static_cast<int16_t>(HIWORD(lParam)))});
      return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_INITMENUPOPUP: OnInitMenuPopup(reinterpret_cast<MenuItem*>(wParam)); return 0;
    case WM_SETFOCUS:
      paneOnly_ = false;
      ShowSip(FALSE);
      if (initialised_) buttons_.OnSetFocus();
      host_->Invalidate();
      return 0;
    case WM_KILLFOCUS: buttons_.OnKillFocus(); return 0;
    case WM_ACTIVATE:
      if (initialised_) buttons_.OnActivate(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_HOTKEY: buttons_.OnHotKey(static_cast<UINT>(wParam)); return 0;
    case WM_SETTINGCHANGE: OnSettingChange(static_cast<UINT>(wParam)); return 0;
    case WM_CLOSE: OnExit(); return 0;
    case WM_ENGINE_NOTIFY: OnEngineNotify(wParam, lParam); return 0;
    default: return 0;
  }
}

bool CReaderDlg::OnCommand(UINT id) {
  switch (id) {
    case ID_NEXT_PAGE: OnNextPage(); return true;
    case ID_PREV_PAGE: OnPrevPage(); return true;
    case ID_FULL_SCREEN: OnFullScreen(); return true;
    case ID_TOOLBAR: OnToolbar(); return true;
    case ID_ABOUT: OnAbout(); return true;
    case ID_EXIT: OnExit(); return true;
    case ID_STOP: speech_.OnStop(); return true;
    case ID_SPEAK: speech_.OnSpeak(); return true;
    case ID_PAUSE: speech_.OnPause(); return true;
    case ID_SPEAK_CLIPBOARD: speech_.SpeakClipboard(); return true;
    case ID_LOCK: buttons_.OnLock(); return true;
    case ID_OPEN: OnOpen(); return true;
    case ID_CONVERT: OnConvert(); return true;
    case ID_SETTINGS: OnSettings(); return true;
    case ID_FIND: OnFind(); return true;
    case ID_FIND_NEXT: OnFindNext(); return true;
    case ID_ADD_BOOKMARK: OnAddBookmark(); return true;
    case ID_BOOKMARKS: OnBookmarks(); return true;
    case ID_MARK_READ: OnMarkRead(); return true;
    case ID_SET_READ_MARK: OnSetReadMark(); return true;
    case ID_MARK_UNREAD: OnMarkUnread(); return true;
    case ID_GO_TO_PAGE: OnGoToPage(); return true;
    case ID_SPEAK_USER_TEXT: OnSpeakUserText(); return true;
    case ID_USER_STRESS_BASE: OnUserStressBase(); return true;
    default: break;
  }
  if (id > ID_RECENT_FIRST && id <= ID_RECENT_LAST) {
    OnRecentFile(id);
    return true;
  }
  return false;
}

HWND CReaderDlg::SpeechSeam::Window() { return dlg_.host_ ? dlg_.host_->Handle() : nullptr; }
HWND CReaderDlg::ButtonSeam::Window() { return dlg_.host_ ? dlg_.host_->Handle() : nullptr; }

// The "other" and "System" hot-key groups of the button table.
void CReaderDlg::RegisterHotKeyGroups() { buttons_.RegisterUnlockedGroups(); }
// Around dialogs and at the end: a dialog takes the cursor buttons, so the
// "other" group goes as well (as it does when the dialog takes the focus).
void CReaderDlg::UnregisterSystemHotKeys() { buttons_.UnregisterForDialog(); }

void CReaderDlg::OnAbout() {
  StopSpeech();
  UnregisterSystemHotKeys();
  CAboutDlg about;
  about.DoModal();
  RegisterHotKeyGroups();
}

void CReaderDlg::OnExit() {
  StopSpeech();
  host_->EndModal(IDOK);
}

void CReaderDlg::Unlock() { buttons_.Unlock(); }

void CReaderDlg::OnUnlock() { Unlock(); }

void CReaderDlg::OnFullScreen() {
  settings.fullScreen = !settings.fullScreen;
  host_->SetFullScreen(settings.fullScreen);
  PlaceBarsAndWindow(*host_, SPI_SETSIPINFO);
  RepaintPage();
}

void CReaderDlg::OnToolbar() {
  settings.toolbar = !settings.toolbar;
  host_->ShowToolbar(settings.toolbar);
  PlaceBarsAndWindow(*host_, SPI_SETSIPINFO);
  RepaintPage();
}

void CReaderDlg::OnTimer(UINT_PTR id) {
  if (id == kClockTimer) {
    paneOnly_ = true;
    host_->Invalidate();
    host_->Update();
    host_->KillTimer(kClockTimer);
    host_->SetTimer(kClockTimer, ClockPeriod());
  } else if (id == kKeepAwakeTimer) {
    SystemIdleTimerReset();
  } else if (id == kSpeechWaitTimer) {
    speech_.OnWaitTimer();
  }
}
