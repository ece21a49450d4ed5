// The main window's paging: layout of the text area, character widths and
// the page turns, each followed by a full repaint and the document's
// settings file.
#include "reader/reader_dlg.h"

void CReaderDlg::SetTextFont(const LOGFONTW& description) {
  FontPtr font = Font::Create(description);
  if (!font) return;
  settings.textFont = description;
  textFont_ = std::move(font);
  if (initialised_) BuildCharWidths();
}

void CReaderDlg::BuildCharWidths() {
  int widths[256] = {};
  if (textFont_) textFont_->CharWidths1251(widths);
  for (size_t i = 0; i < 256; ++i) charWidths_[i] = widths[i];
  charWidths_[0] = 0;
  UpdateLayout();
}

void CReaderDlg::UpdateLayout() {
  const LONG paneHeight = statusBitmaps_.GetSize("StatusBitmap").cy;
  const RECT area =
      TextArea(host_ ? host_->ClientRect() : RECT{}, settings.orientation, settings.paneShown, paneHeight);
  const LONG lfHeight = textFont_ ? textFont_->Description().lfHeight : 0;
  const INT step = LineStep(lfHeight < 0 ? -lfHeight : lfHeight);
  LineLayout layout;
  layout.widths = &charWidths_;
  layout.textWidth = area.Width();
  layout.hyphenate = settings.hyphenate;
  layout.justify = settings.justify;
  layout.smartParagraphs = settings.smartParagraphs;
  page_.SetLayout(layout, LinesPerPageFor(area.Height(), step));
}

void CReaderDlg::PageChanged() {
  paneOnly_ = false;
  host_->Invalidate();
  host_->Update();
  SaveDocumentSettings();
}

void CReaderDlg::NextPage() {
  if (NoDocument()) {
    host_->Invalidate();
    host_->Update();
    return;
  }
  if (page_.NextPage()) PageChanged();
}

void CReaderDlg::PrevPage() {
  if (NoDocument()) return;
  if (page_.PrevPage()) PageChanged();
}

void CReaderDlg::RepaintPage() {
  UpdateLayout();
  if (NoDocument()) {
    paneOnly_ = false;
    host_->Invalidate();
    return;
  }
  if (page_.RepaintPage()) PageChanged();
}

void CReaderDlg::GoToOffset(INT pos) {
  if (NoDocument()) return;
  UpdateLayout();
  if (page_.GoToOffset(pos)) PageChanged();
}

void CReaderDlg::GoToPercent(double percent) {
  if (NoDocument()) return;
  UpdateLayout();
  if (page_.GoToPercent(percent)) PageChanged();
}

INT CReaderDlg::GetPageNumber() const { return NoDocument() ? -1 : page_.GetPageNumber(); }
INT CReaderDlg::GetPageCount() const { return NoDocument() ? 0 : page_.GetPageCount(); }

void CReaderDlg::OnNextPage() {
  StopSpeech();
  NextPage();
  search_.SetPosition(page_.PageStart());
}

void CReaderDlg::OnPrevPage() {
  StopSpeech();
  PrevPage();
  search_.SetPosition(page_.PageStart());
}
