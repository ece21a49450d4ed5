// Drawing the page and the status pane into an off-screen frame, the turn
// of the frame to the screen, and taps.
#include "foundation/code_pages.h"
#include "platform/window/system_services.h"
#include "reader/offscreen_bitmap.h"
#include "reader/reader_dlg.h"
#include "reader/status_texts.h"

namespace {

constexpr COLORREF kBarGrey = 0xA2A2A2;
constexpr COLORREF kBlack = 0x000000;
constexpr LONG kBarInset = 3;
constexpr LONG kIconGap = 3;

std::optional<INT> BatteryPercent() {
  SYSTEM_POWER_STATUS_EX status;
  if (!GetSystemPowerStatusEx(&status, TRUE)) return std::nullopt;
  if (status.BatteryLifePercent > 100) return std::nullopt;
  return status.BatteryLifePercent;
}

}  // namespace

INT CReaderDlg::MeasureStatusText(const std::u16string& text) const {
  INT width = 0;
  if (statusFont_)
    for (char16_t c : text) width += statusFont_->CharWidth(c);
  return width;
}

void CReaderDlg::OnPaint() {
  const RECT client = host_->ClientRect();
  const RECT frameRect = FrameRect(client, settings.orientation);
  COffscreenBitmap frame;
  frame.Create(frameRect.Width(), frameRect.Height());
  DeviceContext measureOnly;
  DeviceContext& dc = frame.GetDC() != nullptr ? *frame.GetDC() : measureOnly;
  dc.SetBkMode(TRANSPARENT);
  dc.SelectFont(textFont_);
  dc.SetTextColor(settings.textColor);
  RECT pane{};
  const bool paneOnly = paneOnly_ && host_->ScreenBitmap().Width() == client.Width() &&
                        host_->ScreenBitmap().Height() == client.Height();
  dc.FillSolidRect(frameRect, settings.backColor);
  DrawStatusPane(dc, pane);
  if (!paneOnly) {
    DrawPageText(dc);
    pane = frameRect;
  }
  paneOnly_ = false;

  COffscreenBitmap turned;
  COffscreenBitmap* screenFrame = &frame;
  if (settings.orientation != 0 && frame.Handle() != nullptr) {
    turned.Create(client.Width(), client.Height());
    TurnFrame(*frame.Handle(), settings.orientation, *turned.Handle());
    screenFrame = &turned;
  }
  PaintScope paint(*host_);
  if (!paneOnly) {
    screenFrame->Draw(paint.Dc(), POINT{0, 0});
    return;
  }
  // Only the pane's band, in screen coordinates.
  const RECT shown = ProgressBarScreenRect(settings.orientation, frameRect.Width(),
                                           frameRect.Height(), pane.Height(), pane.Width());
  if (DeviceContext* source = screenFrame->GetDC())
    paint.Dc().BitBlt(shown.left, shown.top, shown.Width(), shown.Height(), *source, shown.left,
                      shown.top, SRCCOPY);
}

void CReaderDlg::DrawPageText(DeviceContext& dc) {
  const LONG paneHeight = statusBitmaps_.GetSize("StatusBitmap").cy;
  const RECT area =
      TextArea(host_->ClientRect(), settings.orientation, settings.paneShown, paneHeight);
  const LONG lfHeight = textFont_ ? textFont_->Description().lfHeight : 0;
  const INT step = LineStep(lfHeight < 0 ? -lfHeight : lfHeight);
  const PageLines& lines = page_.Lines();
  const size_t count = std::min<size_t>(static_cast<size_t>(page_.LinesPerPage()), lines.Count());
  const INT hs = page_.HighlightStart();
  const INT he = page_.HighlightEnd();
  // Each character goes where the line breaker measured it, so a justified
  // line is exactly as wide as fitted and the highlight sits on its glyphs.
  std::vector<int> advances;
  LONG y = area.top;
  for (size_t i = 0; i < count; ++i, y += step) {
    const std::string& line = lines.lines[i];
    advances.resize(line.size());
    for (size_t k = 0; k < line.size(); ++k)
      advances[k] = charWidths_[static_cast<unsigned char>(line[k])];
    dc.ExtTextOutW(area.left, y, 0, nullptr, NarrowToWide(line), advances.data());
    if (hs < 0 || he < 0) continue;
    const std::vector<uint16_t>& offsets = lines.offsets[i];
    size_t first = line.size();
    size_t last = 0;
    for (size_t k = 0; k < offsets.size() && k < line.size(); ++k) {
      if (hs <= offsets[k] && offsets[k] < he) {
        if (first == line.size()) first = k;
        last = k;
      }
    }
    if (first == line.size()) continue;
    // A paragraph's indent repeats the offset of its first letter; it is
    // no part of a match starting there.
    while (first < last && offsets[first + 1] == offsets[first]) ++first;
    const LONG x = area.left + TextWidth(charWidths_, line.data(), first);
    const int oldMode = dc.SetBkMode(OPAQUE);
    const COLORREF oldBack = dc.SetBkColor(~settings.backColor & 0xFFFFFF);
    const COLORREF oldText = dc.SetTextColor(~settings.textColor & 0xFFFFFF);
    dc.ExtTextOutW(x, y, 0, nullptr, NarrowToWide(line.substr(first, last - first + 1)),
                   advances.data() + first);
    dc.SetBkMode(oldMode);
    dc.SetBkColor(oldBack);
    dc.SetTextColor(oldText);
  }
}

void CReaderDlg::DrawStatusPane(DeviceContext& dc, RECT& pane) {
  progressBar_ = RECT{};
  pane = RECT{};
  if (!settings.paneShown) return;
  const Bitmap* target = dc.Target();
  const LONG width = target != nullptr ? target->Width() : 0;
  const LONG height = target != nullptr ? target->Height() : 0;

  const std::u16string battery = settings.showBattery ? BatteryText(BatteryPercent()) : u"";
  const std::u16string pages =
      PagesText(settings.pagesMode, GetPageNumber(), GetPageCount(), page_.PageStart(),
                page_.PageLength(), page_.FileSize());
  std::u16string time;
  if (settings.showTime) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    time = TimeText(now.wHour, now.wMinute);
  }
  const std::u16string text = PaneText(battery, pages, time);

  const Bitmap& band = statusBitmaps_.Get("StatusBitmap");
  const LONG p = band.Height();
  pane = RECT{0, height - p, width, height};
  DeviceContext bandDc(const_cast<Bitmap*>(&band));
  for (LONG x = 0; x < width && band.Width() > 0; x += band.Width())
    dc.BitBlt(x, pane.top, band.Width(), p, bandDc, 0, 0, SRCCOPY);

  LONG right = width;
  if (!text.empty()) {
    const INT textWidth = MeasureStatusText(text);
    const LONG y = pane.bottom - (p - statusFontHeight_) / 2 - statusFontHeight_ - 2;
    FontPtr previous = dc.SelectFont(statusFont_);
    const COLORREF oldText = dc.SetTextColor(kBlack);
    dc.ExtTextOutW(width - textWidth, y, 0, nullptr, text);
    dc.SetTextColor(oldText);
    dc.SelectFont(previous);
    right -= textWidth;
  }

  const auto drawIcon = [&](const char* name, const char* mask) {
    const Bitmap& icon = statusBitmaps_.Get(name);
    const Bitmap& iconMask = statusBitmaps_.Get(mask);
    const LONG x = right - kIconGap - icon.Width();
    const LONG y = pane.top + (p - icon.Height()) / 2;
    DeviceContext iconDc(const_cast<Bitmap*>(&icon));
    dc.MaskBlt(x, y, icon.Width(), icon.Height(), iconDc, 0, 0, iconMask, 0, 0,
               MASKBLT_SRC_OVER_DEST);
    right -= kIconGap + icon.Width();
  };
  const INT start = page_.PageStart();
  const auto mark = bookmarks_.lower_bound(start);
  if (mark != bookmarks_.end() && mark->first <= start + page_.PageLength() - 1)
    drawIcon("StatusBookmark", "StatusBookmarki");
  if (readMark_) drawIcon("StatusReadmark", "StatusReadmarki");

  if (!settings.progressBar) return;
  const LONG middle = pane.top + p / 2 - 1;
  if (right - kBarInset > kBarInset)
    dc.FillSolidRect(RECT{kBarInset, middle, right - kBarInset, middle + 2}, kBarGrey);
  if (page_.FileSize() > 0 && !NoDocument()) {
    const LONG length = std::max<LONG>(right - 2 * kBarInset, 0);
    const LONG filled = static_cast<LONG>(page_.ProgressFraction() * length);
    if (filled > 0)
      dc.FillSolidRect(RECT{kBarInset, middle, kBarInset + filled, middle + 2}, kBlack);
  }
  progressBar_ = ProgressBarScreenRect(settings.orientation, width, height, p, right);
}

void CReaderDlg::OnLButtonDown(WPARAM flags, POINT point) {
  if ((flags & MK_LBUTTON) == 0 || locked_) return;
  if (!progressBar_.IsEmpty() && progressBar_.Contains(point)) {
    StopSpeech();
    GoToPercent(TapPercentAlongBar(progressBar_, settings.orientation, point));
    return;
  }
  if (taps_.IsDoubleTap(UiTickCount())) OnFullScreen();
}
