#include "reader/main_window_bars.h"

#include "reader/reader_dlg.h"

void LayOutBars(CSipLayout& layout, WindowHost& host) {
  layout.Init(host);
  if (host.ToolbarShown() && !host.IsFullScreen()) layout.Add(&host.ToolbarWindow());
}

RECT MainWindowPlace(const CSipLayout& layout, bool fullScreen) {
  if (fullScreen) return {0, 0, layout.ScreenWidth(), layout.ScreenHeight()};
  return {0, kNavigationBand, layout.ScreenWidth(), layout.StackTop()};
}

void PlaceBarsAndWindow(WindowHost& host, UINT flag) {
  CSipLayout layout;
  LayOutBars(layout, host);
  layout.OnSettingChange(flag);
  host.MoveWindow(MainWindowPlace(layout, host.IsFullScreen()));
}

// WM_SETTINGCHANGE: the soft input panel may have come or gone.
void CReaderDlg::OnSettingChange(UINT flag) {
  PlaceBarsAndWindow(*host_, flag);
  RepaintPage();
}
