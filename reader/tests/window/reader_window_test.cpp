#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "documents/common/output_limits.h"
#include "foundation/code_pages.h"
#include "platform/unicode.h"
#include "platform/window/headless_backend.h"
#include "reader/dialogs/program_icon.h"
#include "reader/offscreen_bitmap.h"
#include "reader/page_geometry.h"
#include "reader/reader_dlg.h"
#include "reader/tests/window/engine_double.h"

namespace {

std::string Scratch(const std::string& name) { return testing::TempDir() + name; }
std::u16string Wide(const std::string& s) { return std::u16string(s.begin(), s.end()); }
void WriteAll(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}
std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class ReaderWindowTest : public testing::Test {
 protected:
  CReaderDlg::Environment Environment(const std::string& settingsFile) {
    CReaderDlg::Environment environment;
    environment.settingsPath = settingsFile.empty() ? u"" : Wide(Scratch(settingsFile));
    environment.engine.create = [this](ITTSEngine** out) {
      if (!engineAvailable_) return E_FAIL;
      engine_.AddRef();
      *out = &engine_;
      return S_OK;
    };
    environment.engine.listVoices = [this] { return voices_; };
    return environment;
  }
  std::vector<std::u16string> BoxTexts() {
    return backend_.MessageBoxes().Texts();
  }

  HeadlessBackend backend_;
  RecordingEngine engine_;
  bool engineAvailable_ = true;
  std::vector<std::string> voices_{"Anna", "Boris"};
};

TEST_F(ReaderWindowTest, StartUpConfiguresTheEngineInOrder) {
  WriteAll(Scratch("start.ini"),
           "UseTTS=1\nVoice=Gone\nRate=15\nPitch=-3\nVolume=7\nTextParams=101\n"
           "Buttons=0,Next page,\nStatusParams=10021\nCodePage=KOI8R\n");
  CReaderDlg reader(backend_, Environment("start.ini"));
  reader.OnInitDialog();
  EXPECT_EQ(engine_.calls, (std::vector<std::string>{
                               "SetVoice Anna", "SetEventMask 63", "SetNotifyWindow 1025",
                               "SetRate 15", "SetRateRange 20", "SetPitch -3", "SetVolume 7"}));
  EXPECT_EQ(BoxTexts(), (std::vector<std::u16string>{u"Error: can't find last used voice. Use first instead."}));
  EXPECT_EQ(reader.settings.voice, "Anna");
  EXPECT_TRUE(reader.settings.useTts);
  // Values of the wrong shape change nothing.
  EXPECT_TRUE(reader.settings.hyphenate && reader.settings.justify && reader.settings.smartParagraphs);
  EXPECT_EQ(reader.settings.actions[1], "");
  EXPECT_EQ(reader.settings.pagesMode, 2);
  EXPECT_FALSE(reader.settings.progressBar);
  EXPECT_EQ(reader.settings.codePage, 3);
  EXPECT_EQ(static_cast<HeadlessHost&>(reader.Host()).Timers().count(kClockTimer), 1u);
  reader.OnDestroy();
  GlobalCodePageConverter().Select(1, 1);
}

TEST_F(ReaderWindowTest, EngineFailuresLeaveSpeechOff) {
  WriteAll(Scratch("fail.ini"), "UseTTS=1\nVoice=Boris\n");
  engine_.setVoiceResult = E_FAIL;
  {
    CReaderDlg reader(backend_, Environment("fail.ini"));
    reader.OnInitDialog();
    EXPECT_EQ(reader.Engine(), nullptr);
    EXPECT_FALSE(reader.settings.useTts);
    reader.OnDestroy();
  }
  EXPECT_EQ(engine_.references, 1u);
  // Speech was saved as off; turn it on again for an engine that cannot be made.
  EXPECT_NE(ReadAll(Scratch("fail.ini")).find("UseTTS=0\n"), std::string::npos);
  WriteAll(Scratch("fail.ini"), "UseTTS=1\n");
  engineAvailable_ = false;
  {
    CReaderDlg reader(backend_, Environment("fail.ini"));
    reader.OnInitDialog();
    reader.OnDestroy();
  }
  EXPECT_EQ(BoxTexts(), (std::vector<std::u16string>{
                            u"Error: can't set TTS voice. TTS feature will be disabled",
                            u"Error: Morvane TTS can not be created!"}));
}

TEST_F(ReaderWindowTest, SettingsAndDocumentSettingsRoundTrip) {
  const std::string doc = Scratch("book.txt");
  std::string text;
  for (int i = 0; i < 400; ++i) text += "Some words of a book. ";
  WriteAll(doc, text);
  WriteAll(Scratch("round.ini"), "TextOrientation=2\n");
  {
    CReaderDlg reader(backend_, Environment("round.ini"));
    reader.OnInitDialog();
    for (int i = 0; i < 12; ++i) {
      const std::string other = Scratch("other" + std::to_string(i) + ".txt");
      WriteAll(other, "x");
      reader.OpenDocument(Wide(other));
    }
    reader.OpenDocument(Wide(doc));
    reader.NextPage();
    reader.Bookmarks()[5] = "x";
    reader.SetReadMark(true);
    reader.settings.findText = "a;b";
    reader.OnDestroy();
    EXPECT_EQ(reader.settings.recentFiles.size(), 10u);
  }
  const std::string trc = ReadAll(doc + ".trc");
  EXPECT_NE(trc.find("Bookmarks=5;\n"), std::string::npos) << trc;
  EXPECT_NE(trc.find("ReadMark=1\n"), std::string::npos);
  CReaderDlg reader(backend_, Environment("round.ini"));
  reader.OnInitDialog();
  EXPECT_EQ(reader.DocumentPath(), Wide(doc));
  EXPECT_EQ(reader.settings.orientation, 2);
  EXPECT_EQ(reader.settings.findText, "a;b");
  EXPECT_EQ(reader.settings.recentFiles.size(), 10u);
  EXPECT_EQ(reader.settings.recentFiles[0], Wide(doc));
  EXPECT_GT(reader.Page().PageStart(), 0);
  EXPECT_TRUE(reader.ReadMark());
  EXPECT_EQ(reader.Bookmarks().count(5), 1u);
  reader.OnDestroy();

  // A document named at start-up opens in place of the last one, which is
  // not tried: a last document gone since shows no message.
  WriteAll(Scratch("named.ini"), "File=" + Scratch("gone.txt") + "\n");
  CReaderDlg::Environment named = Environment("named.ini");
  named.document = Wide(doc);
  CReaderDlg started(backend_, named);
  started.OnInitDialog();
  EXPECT_EQ(started.DocumentPath(), Wide(doc));
  EXPECT_EQ(BoxTexts(), std::vector<std::u16string>{});
  EXPECT_EQ(started.settings.recentFiles[0], Wide(doc));
  started.OnDestroy();
}

// The reader's own files are written on a card with 1 MB free (no
// conversion's budget holds them back); a file that truly cannot be written
// is said once, not at every page turn.
TEST_F(ReaderWindowTest, OwnFilesAreSavedOnAFullCardAndAFailureIsSaidOnce) {
  OutputLimits limits;
  limits.freeSpace = [](const std::string&) { return int64_t{1} << 20; };
  ScopedOutputLimits oneMegabyteFree(std::move(limits));
  std::string text;
  for (int i = 0; i < 400; ++i) text += "Some words of a book. ";
  const std::string doc = Scratch("card.txt");
  WriteAll(doc, text);
  const std::string ini = Scratch("card.ini");
  WriteAll(ini, "TextOrientation=0\n");
  {
    CReaderDlg reader(backend_, Environment("card.ini"));
    reader.OnInitDialog();
    reader.OpenDocument(Wide(doc));
    reader.NextPage();
    reader.OnDestroy();
    EXPECT_EQ(BoxTexts(), std::vector<std::u16string>{});
    EXPECT_EQ(ReadAll(doc + ".trc"), "Page=" + std::to_string(reader.Page().PageStart()) + "\nReadMark=0\n");
    EXPECT_NE(ReadAll(ini).find("\nFile=" + doc + "\n"), std::string::npos);
  }
  const std::string unsaved = Scratch("unsaved.txt");
  WriteAll(unsaved, text);
  std::filesystem::create_directory(unsaved + ".trc");
  CReaderDlg reader(backend_, Environment("card.ini"));
  reader.OnInitDialog();
  reader.OpenDocument(Wide(unsaved));
  reader.NextPage();
  reader.NextPage();
  std::filesystem::remove(ini);
  std::filesystem::create_directory(ini);
  reader.SaveSettings();
  reader.OnDestroy();
  EXPECT_EQ(BoxTexts(), (std::vector<std::u16string>{u"Can't save file specific settings",
                                                      u"Can't save settings"}));
  EXPECT_TRUE(std::filesystem::is_directory(unsaved + ".trc"));
}

// A document named outside Windows-1251 is the last and a recent one after
// a restart: the settings file keeps its name whole.
TEST_F(ReaderWindowTest, NamesOutsideWindows1251SurviveARestart) {
  // "naïve 文件 😀.txt" in UTF-8.
  const std::string doc = Scratch("na\xC3\xAFve \xE6\x96\x87\xE4\xBB\xB6 \xF0\x9F\x98\x80.txt");
  const std::string old = Scratch("old.txt");
  WriteAll(doc, "Some words.");
  WriteAll(old, "Old words.");
  WriteAll(Scratch("names.ini"), "MRU=" + old + ";\n");
  std::u16string wide;
  ASSERT_TRUE(Utf8ToUtf16(doc, &wide));
  {
    CReaderDlg reader(backend_, Environment("names.ini"));
    reader.OnInitDialog();
    reader.OpenDocument(wide);
    reader.OnDestroy();
  }
  const std::string stored =
      Scratch("na\x98" "00EFve \x98" "6587\x98" "4EF6 \x98" "D83D\x98" "DE00.txt");
  const std::string settings = ReadAll(Scratch("names.ini"));
  EXPECT_NE(settings.find("\nFile=" + stored + "\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("\nMRU=" + stored + ";" + old + ";\n"), std::string::npos) << settings;
  CReaderDlg reader(backend_, Environment("names.ini"));
  reader.OnInitDialog();
  EXPECT_EQ(reader.DocumentPath(), wide);
  EXPECT_EQ(reader.settings.recentFiles, (std::vector<std::u16string>{wide, Wide(old)}));
  EXPECT_EQ(BoxTexts(), std::vector<std::u16string>{});
  reader.OnDestroy();
}

// Frames: text in the text area, the pane at the (turned) bottom, and the
// bar's black share matching the page start.
TEST_F(ReaderWindowTest, FramesInEveryOrientation) {
  const std::string doc = Scratch("frame.txt");
  std::string text;
  for (int i = 0; i < 500; ++i) text += "Lorem ipsum dolor sit amet. ";
  WriteAll(doc, text);
  for (INT orientation = 0; orientation < 4; ++orientation) {
    CReaderDlg reader(backend_, Environment(""));
    reader.settings.showBattery = false;
    reader.settings.showTime = false;
    reader.settings.pagesMode = 0;
    reader.settings.orientation = orientation;
    reader.OnInitDialog();
    auto& host = static_cast<HeadlessHost&>(reader.Host());
    host.Resize(240, 320);
    reader.OpenDocument(Wide(doc));
    reader.GoToOffset(static_cast<INT>(text.size() / 2));
    host.Update();
    const Bitmap& screen = host.ScreenBitmap();
    ASSERT_EQ(screen.Width(), 240);
    const RECT bar = reader.ProgressBarRect();
    const LONG pane = reader.StatusBitmaps().GetSize("StatusBitmap").cy;
    // The bar lies along the turned bottom edge.
    switch (orientation) {
      case 0: EXPECT_EQ(bar, (RECT{0, 320 - pane, 240, 320})); break;
      case 1: EXPECT_EQ(bar, (RECT{240 - pane, 0, 240, 320})); break;
      case 2: EXPECT_EQ(bar, (RECT{0, 0, 240, pane})); break;
      case 3: EXPECT_EQ(bar, (RECT{0, 0, pane, 320})); break;
    }
    // Count black pixels along the bar's middle line, in page coordinates.
    const LONG length = (orientation % 2 == 0 ? 240 : 320);
    int black = 0;
    for (LONG a = 0; a < length; ++a) {
      const LONG mid = pane / 2;  // band row of the bar's second line
      POINT p;
      switch (orientation) {
        case 0: p = {a, 320 - pane + mid}; break;
        case 1: p = {240 - pane + mid, 319 - a}; break;
        case 2: p = {239 - a, pane - 1 - mid}; break;
        default: p = {pane - 1 - mid, a}; break;
      }
      if (screen.GetPixel(p.x, p.y) == 0) ++black;
    }
    const int expected = static_cast<int>(reader.Page().ProgressFraction() * (length - 6));
    EXPECT_NEAR(black, expected, 1) << "orientation " << orientation;
    // Text pixels (dark) exist in the text area and not in the margin.
    int dark = 0;
    for (int y = 0; y < screen.Height(); ++y)
      for (int x = 0; x < screen.Width(); ++x) {
        const bool inPane = bar.Contains(POINT{x, y});
        if (!inPane && screen.GetPixel(x, y) != 0xFFFFFF) ++dark;
      }
    EXPECT_GT(dark, 500) << "orientation " << orientation;
    // A tap on the bar's start half jumps to the first half of the document.
    POINT start;
    switch (orientation) {
      case 0: start = {10, 320 - pane / 2}; break;
      case 1: start = {240 - pane / 2, 310}; break;
      case 2: start = {230, pane / 2}; break;
      default: start = {pane / 2, 10}; break;
    }
    host.Tap(start.x, start.y);
    EXPECT_LT(reader.Page().PageStart(), static_cast<INT>(text.size() / 10)) << orientation;
    reader.OnDestroy();
  }
}

TEST_F(ReaderWindowTest, AFullScreenJustifiedPageKeepsToItsTextAreaAndHighlightsItsMatch) {
  const std::string doc = Scratch("justified.txt");
  std::string text;
  for (int i = 0; i < 120; ++i) {
    text += "Мы увидели маленькую избушку из брёвен, и в ней тихо горел огонь. ";
    if (i == 30) text += "\r\nПриметное слово стоит тут. ";
  }
  WriteAll(doc, text);
  CReaderDlg reader(backend_, Environment(""));
  reader.settings.showBattery = false;
  reader.settings.showTime = false;
  reader.settings.pagesMode = 0;
  reader.settings.textColor = RGB(0x20, 0x40, 0x80);
  reader.settings.backColor = RGB(0xFF, 0xFF, 0xFF);
  reader.OnInitDialog();
  auto& host = static_cast<HeadlessHost&>(reader.Host());
  host.Resize(800, 600);
  reader.OpenDocument(Wide(doc));
  host.Update();
  const Bitmap& screen = host.ScreenBitmap();
  ASSERT_EQ(screen.Width(), 800);
  const LONG pane = reader.StatusBitmaps().GetSize("StatusBitmap").cy;
  const RECT area = TextArea(RECT{0, 0, 800, 600}, 0, true, pane);
  const FontPtr font = Font::Create(reader.settings.textFont);
  const INT step = LineStep(-reader.settings.textFont.lfHeight);
  const INT perPage = reader.LinesPerPage();
  const auto ink = [&](LONG x, LONG y) { return screen.GetPixel(x, y) != 0xFFFFFF; };

  // The page reads on past its first block down to the pane.
  EXPECT_GT(reader.Page().PageLength(), kPageBlockBytes);
  ASSERT_GE(reader.Page().Lines().Count(), static_cast<size_t>(perPage));
  int lastLineInk = 0;
  for (LONG y = area.top + (perPage - 1) * step; y < area.top + perPage * step; ++y)
    for (LONG x = area.left; x < area.right; ++x) lastLineInk += ink(x, y);
  EXPECT_GT(lastLineInk, 200);
  // Justified lines end where they were fitted: nothing right of the area.
  for (LONG y = 0; y < area.bottom; ++y)
    for (LONG x = area.right; x < 800; ++x) ASSERT_FALSE(ink(x, y)) << x << "," << y;

  // The match starts a paragraph on this page: its inverted box covers
  // exactly its glyphs, not the indent before them.
  ASSERT_TRUE(reader.StartSearch("приметное", false, false));
  host.Update();
  const PageLines& lines = reader.Page().Lines();
  size_t row = lines.Count();
  size_t first = 0;
  for (size_t i = 0; i < lines.Count() && row == lines.Count(); ++i)
    for (size_t k = 0; k < lines.offsets[i].size(); ++k)
      if (lines.offsets[i][k] == reader.Page().HighlightStart() && lines.lines[i][k] != ' ') {
        row = i;
        first = k;
        break;
      }
  ASSERT_LT(row, lines.Count());
  const std::string& line = lines.lines[row];
  const LONG x0 = area.left + TextWidth(reader.CharWidths(), line.data(), first);
  const LONG x1 = x0 + TextWidth(reader.CharWidths(), line.data() + first, 9);
  const LONG top = area.top + static_cast<LONG>(row) * step;
  const LONG bottom = top + font->Metrics().tmHeight;
  for (LONG y = top; y < bottom; ++y) {
    // The box is filled; the blanks either side stay clear.
    for (LONG x = x0; x < x1; ++x) ASSERT_NE(screen.GetPixel(x, y), 0xFFFFFFu) << x << "," << y;
    for (LONG x = x0 - 2; x < x0; ++x) EXPECT_FALSE(ink(x, y)) << x << "," << y;
    for (LONG x = x1; x < x1 + 2; ++x) EXPECT_FALSE(ink(x, y)) << x << "," << y;
  }
  EXPECT_EQ(screen.GetPixel(x0, top), 0x000000u);
  EXPECT_EQ(screen.GetPixel(x1 - 1, top), 0x000000u);

  // Forward then back returns to the same full page.
  const INT start = reader.Page().PageStart();
  const INT length = reader.Page().PageLength();
  const auto pageLines = [&] {
    std::vector<std::string> shown = reader.Page().Lines().lines;
    shown.resize(std::min(shown.size(), static_cast<size_t>(perPage)));
    return shown;
  };
  const std::vector<std::string> shown = pageLines();
  reader.OnNextPage();
  EXPECT_EQ(reader.Page().PageStart(), start + length);
  reader.OnPrevPage();
  EXPECT_EQ(reader.Page().PageStart(), start);
  EXPECT_EQ(pageLines(), shown);
  reader.OnDestroy();
}

TEST(OffscreenBitmapTest, RowsAreWholeWordsBottomUpAndCopiesKeepThePicture) {
  COffscreenBitmap b;
  EXPECT_FALSE(b.Create(0, 3));
  EXPECT_EQ(b.GetDC(), nullptr);
  ASSERT_TRUE(b.Create(5, 3));
  EXPECT_EQ(b.Width(), 5);
  EXPECT_EQ(b.Height(), 3);
  EXPECT_EQ(b.RowWidth(), 8);
  EXPECT_EQ(b.Handle()->Stride(), 24);
  EXPECT_TRUE(b.Handle()->BottomUp());
  EXPECT_EQ(COffscreenBitmap::kPixelsPerMetre, 3780);
  // A top-down buffer of red, green, blue: rows reversed, red and blue exchanged.
  const BYTE rgb[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  ASSERT_TRUE(b.FromRGB(rgb, 2, 2));
  EXPECT_EQ(b.RowWidth(), 4);
  const std::vector<BYTE> expected{9, 8, 7, 12, 11, 10, 0, 0, 0, 0, 0, 0,
                                   3, 2, 1, 6,  5,  4,  0, 0, 0, 0, 0, 0};
  EXPECT_EQ(std::vector<BYTE>(b.Bits(), b.Bits() + 24), expected);
  EXPECT_EQ(b.Handle()->GetPixel(0, 0), RGB(1, 2, 3));
  std::unique_ptr<Bitmap> owned = COffscreenBitmap::CreateBitmapFromRGB(rgb, 2, 2);
  ASSERT_NE(owned, nullptr);
  EXPECT_EQ(std::vector<BYTE>(owned->Bits(), owned->Bits() + 24), expected);
  // The cached context draws into it; Draw, FromDC and FromBitmap copy it.
  DeviceContext* dc = b.GetDC();
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(b.GetDC(), dc);
  dc->FillSolidRect({1, 1, 2, 2}, RGB(50, 60, 70));
  Bitmap screen(6, 6);
  DeviceContext screenDc(&screen);
  b.Draw(screenDc, {3, 2});
  EXPECT_EQ(screen.GetPixel(3, 2), RGB(1, 2, 3));
  EXPECT_EQ(screen.GetPixel(4, 3), RGB(50, 60, 70));
  EXPECT_EQ(screen.GetPixel(5, 4), RGB(0, 0, 0));
  COffscreenBitmap area;
  ASSERT_TRUE(area.FromDC(screenDc, {3, 2, 5, 4}));
  EXPECT_EQ(area.Width(), 2);
  EXPECT_EQ(area.Handle()->GetPixel(1, 1), RGB(50, 60, 70));
  COffscreenBitmap whole;
  ASSERT_TRUE(whole.FromBitmap(screen));
  EXPECT_EQ(whole.RowWidth(), 8);
  EXPECT_EQ(whole.Handle()->GetPixel(4, 3), RGB(50, 60, 70));
  b.ReleaseDC();
  ASSERT_TRUE(b.Create(3, 1));
  b.GetDC()->FillSolidRect({0, 0, 3, 1}, RGB(9, 9, 9));
  EXPECT_EQ(b.Handle()->GetPixel(2, 0), RGB(9, 9, 9));
  // Fill stores blue, green, red: the colour shows as given, clipped.
  b.Fill(2, 5, RGB(1, 2, 3));
  const std::vector<BYTE> filled{3, 2, 1, 3, 2, 1, 9, 9, 9};
  EXPECT_EQ(std::vector<BYTE>(b.Bits(), b.Bits() + 9), filled);
}

TEST_F(ReaderWindowTest, DoubleTapTogglesFullScreenOnce) {
  CReaderDlg reader(backend_, Environment(""));
  reader.OnInitDialog();
  auto& host = static_cast<HeadlessHost&>(reader.Host());
  backend_.Advance(1000);
  host.Tap(100, 100);
  backend_.Advance(300);
  host.Tap(100, 100);
  EXPECT_TRUE(reader.settings.fullScreen);
  backend_.Advance(300);
  host.Tap(100, 100);
  EXPECT_TRUE(reader.settings.fullScreen);
  reader.OnDestroy();
}

TEST_F(ReaderWindowTest, TheWindowCarriesItsIconHidesThePanelOnFocusAndUnlocks) {
  CReaderDlg reader(backend_, Environment(""));
  reader.OnInitDialog();
  auto& host = static_cast<HeadlessHost&>(reader.Host());
  const HICON icon = LoadReaderIcon(IDI_PROGRAM);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->picture.Width(), 32);
  EXPECT_EQ(icon->picture.Height(), 32);
  EXPECT_EQ(LoadReaderIcon(129), nullptr);
  EXPECT_EQ(host.GetIcon(true), icon);
  EXPECT_EQ(host.GetIcon(false), icon);

  // The page needs the whole screen back when the reader gets the focus.
  backend_.Panel().Show(true);
  host.SetFocus(false);
  host.SetFocus(true);
  EXPECT_FALSE(backend_.Panel().IsOn());

  reader.Buttons().SetDisplayLocked();
  EXPECT_FALSE(host.DisplayOn());
  reader.OnUnlock();
  EXPECT_FALSE(reader.Locked());
  EXPECT_TRUE(host.DisplayOn());
  EXPECT_FALSE(reader.settings.fullScreen);
  reader.OnDestroy();
}

}  // namespace
