#include "platform/window/device_context.h"
#include "platform/window/dialog_layout.h"
#include "platform/window/dialog_render.h"
#include "platform/window/shell_icons.h"
#include "platform/window/tests/icon_search.h"
#include "platform/window/window_host.h"

#include <gtest/gtest.h>

namespace {

// Every character 10 pixels wide: the rectangles below are exact.
int TenEach(std::u16string_view text) { return static_cast<int>(text.size()) * 10; }

class VoiceLikeDialog : public Dialog {
 public:
  VoiceLikeDialog() : Dialog(189, u"Голос") {
    AddControl(-1, ControlKind::Static, u"Голос:");     // 0
    AddControl(1034, ControlKind::ComboBox);             // 1
    AddControl(-1, ControlKind::Static, u"Скорость:");  // 2
    AddControl(1035, ControlKind::Slider);               // 3
    AddControl(1042, ControlKind::Static);               // 4: value text
    AddControl(1038, ControlKind::Edit);                 // 5
    AddControl(1039, ControlKind::Button, u"Тест");      // 6
    AddControl(1044, ControlKind::Button, u"Ещё");       // 7
    AddControl(1043, ControlKind::CheckBox, u"Вкл");     // 8
    AddControl(IDOK, ControlKind::Button, u"OK");        // 9
    AddControl(IDCANCEL, ControlKind::Button, u"Отмена");  // 10
  }
};

bool Overlap(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(DialogLayoutTest, LabelsShareRowsSliderValuesSitRightButtonsGroupAndCloseTheDialog) {
  VoiceLikeDialog d;
  const DialogLayout l = LayoutDialog(d, 400, 1000, true, TenEach);
  // The widest label ("Скорость:", 90 + 8) makes the label column.
  EXPECT_EQ(l.controls[0], (RECT{10, 10, 108, 36}));
  EXPECT_EQ(l.controls[1], (RECT{114, 10, 390, 36}));
  EXPECT_EQ(l.controls[2], (RECT{10, 42, 108, 66}));
  EXPECT_EQ(l.controls[3], (RECT{114, 42, 344, 66}));
  EXPECT_EQ(l.controls[4], (RECT{350, 42, 390, 66}));
  EXPECT_EQ(l.controls[5], (RECT{10, 72, 390, 98}));
  EXPECT_EQ(l.controls[6], (RECT{10, 104, 90, 130}));   // buttons of at least 80
  EXPECT_EQ(l.controls[7], (RECT{96, 104, 176, 130}));  // on the same row
  EXPECT_EQ(l.controls[8], (RECT{10, 136, 390, 160}));
  // OK and Cancel end the dialog, right-aligned; no implicit OK is needed.
  EXPECT_EQ(l.controls[9], (RECT{220, 166, 300, 192}));
  EXPECT_EQ(l.controls[10], (RECT{306, 166, 390, 192}));  // 60 + 24 wide
  EXPECT_TRUE(l.implicit_ok.IsEmpty());
  EXPECT_EQ(l.width, 400);
  EXPECT_EQ(l.height, 202);
  for (size_t i = 0; i < l.controls.size(); ++i)
    for (size_t j = i + 1; j < l.controls.size(); ++j)
      EXPECT_FALSE(Overlap(l.controls[i], l.controls[j])) << i << " and " << j;
}

TEST(DialogLayoutTest, EveryLabelKeepsItsOwnPlaceAndListsShrinkToFitTheHeight) {
  Dialog d(183, u"Закладки");
  d.AddControl(-1, ControlKind::Static, u"Страница:");
  d.AddControl(1014, ControlKind::ListBox);
  d.AddControl(-1, ControlKind::Static, u"Текст:");
  d.AddControl(1015, ControlKind::Edit).multi_line = true;
  const DialogLayout tall = LayoutDialog(d, 300, 1000, true, TenEach);
  EXPECT_EQ(tall.controls[1].Height(), 130);
  EXPECT_EQ(tall.controls[3].Height(), 80);
  EXPECT_EQ(tall.implicit_ok, (RECT{210, 288, 290, 314}));
  EXPECT_EQ(tall.height, 324);
  // 100 pixels too tall: the list gives up 70 (down to 60), the edit 30.
  const DialogLayout fitted = LayoutDialog(d, 300, 224, true, TenEach);
  EXPECT_EQ(fitted.controls[1].Height(), 60);
  EXPECT_EQ(fitted.controls[3].Height(), 50);
  EXPECT_EQ(fitted.height, 224);
  EXPECT_EQ(fitted.controls[0], (RECT{10, 10, 290, 32}));
  EXPECT_EQ(fitted.controls[2], (RECT{10, 104, 290, 126}));
  // A long text wraps: three lines at 280 pixels.
  Dialog note(1, u"x");
  note.AddControl(-1, ControlKind::Static, std::u16string(70, u'ж'));
  EXPECT_EQ(LayoutDialog(note, 300, 1000, false, TenEach).controls[0], (RECT{10, 10, 290, 68}));
}

TEST(DialogLayoutTest, DialogsAndTheMainWindowFitTheScreen) {
  EXPECT_EQ(DialogSizeLimit({800, 600}).cx, 440);
  EXPECT_EQ(DialogSizeLimit({800, 600}).cy, 540);
  EXPECT_EQ(DialogSizeLimit({320, 240}).cx, 300);
  // 480 x 640 where it fits with a frame, else as large as the work area allows.
  EXPECT_EQ(FitMainWindowSize({1024, 768}).cx, 480);
  EXPECT_EQ(FitMainWindowSize({1024, 768}).cy, 640);
  EXPECT_EQ(FitMainWindowSize({800, 600}).cx, 480);
  EXPECT_EQ(FitMainWindowSize({800, 600}).cy, 570);
  EXPECT_EQ(FitMainWindowSize({400, 300}).cx, 400);
  EXPECT_EQ(FitMainWindowSize({400, 300}).cy, 270);
}

// A band of 23 pixels over a tree beside a file list.
class BandedDialog : public Dialog {
 public:
  BandedDialog() : Dialog(134, u"File Open") {
    AddControl(1029, ControlKind::ListBox).split = 150;
    AddControl(1030, ControlKind::ListView, u"Name");
    AddControl(IDCANCEL, ControlKind::Button, u"Cancel");
  }
  int BandHeight() const override { return 23; }
  void PaintBand(DeviceContext& dc, int width) const override {
    dc.FillSolidRect({0, 0, width, 23}, RGB(0, 0, 0x9C));
  }
};

TEST(DialogLayoutTest, ABandPushesControlsDownAndASplitListStandsBesideTheNext) {
  BandedDialog d;
  DialogLayout layout = LayoutDialog(d, 440, 1000, false, TenEach);
  EXPECT_EQ(layout.controls[0], (RECT{10, 33, 160, 163}));
  EXPECT_EQ(layout.controls[1], (RECT{168, 33, 430, 163}));
  ASSERT_EQ(layout.splitters.size(), 1u);
  EXPECT_EQ(layout.splitters[0].control, 0);
  EXPECT_EQ(layout.splitters[0].bar, (RECT{160, 33, 168, 163}));
  EXPECT_EQ(layout.controls[2].top, 169);
  // A drag beyond either end leaves each list its narrowest width.
  DialogDriver(d).DragSplitter(1029, 1000);
  layout = LayoutDialog(d, 440, 1000, false, TenEach);
  EXPECT_EQ(layout.controls[0], (RECT{10, 33, 382, 163}));
  EXPECT_EQ(layout.controls[1], (RECT{390, 33, 430, 163}));
  DialogDriver(d).DragSplitter(1029, 5);
  EXPECT_EQ(LayoutDialog(d, 440, 1000, false, TenEach).controls[0].right, 50);

  // The frame: the band, the splitter's two lines 6 apart, each item's icon.
  d.GetDlgItem(1029)->SetSplit(150);
  Control& files = *d.GetDlgItem(1030);
  files.SetItemIcon(files.AddString(u"tales.fb2"), kShellIconMarkup);
  files.AddString(u"plain");
  files.InsertString(0, u"books");
  files.SetItemIcon(0, kShellIconFolder);
  EXPECT_EQ(files.icons, (std::vector<int>{kShellIconFolder, kShellIconMarkup, -1}));
  // A tree's level: the item's blanks move its icon right.
  Control& tree = *d.GetDlgItem(1029);
  tree.SetItemIcon(tree.AddString(u"  Tales"), kShellIconFolder);
  Bitmap picture;
  RenderDialog(d, 440, &picture);
  const int title = picture.Height() - LayoutDialog(d, 440, 1 << 20, false, StockFontMeasure()).height;
  EXPECT_EQ(picture.GetPixel(5, title), RGB(0, 0, 0x9C));
  EXPECT_EQ(picture.GetPixel(5, title + 22), RGB(0, 0, 0x9C));
  const RECT bar = LayoutDialog(d, 440, 1 << 20, false, StockFontMeasure()).splitters[0].bar;
  for (int x = bar.left; x < bar.right; ++x)
    EXPECT_EQ(picture.GetPixel(x, title + bar.top + 40) == RGB(0x80, 0x80, 0x80),
              x == bar.left + 1 || x == bar.left + 7)
        << x;
  std::vector<POINT> folder = FindShellIcon(picture, kShellIconFolder);
  const std::vector<POINT> markup = FindShellIcon(picture, kShellIconMarkup);
  ASSERT_EQ(folder.size(), 2u);
  ASSERT_EQ(markup.size(), 1u);
  EXPECT_EQ(folder[0].x, 10 + 4 + 2 * kIconIndentPerBlank);
  folder.erase(folder.begin());
  EXPECT_EQ(folder[0].x, 168 + 4);
  EXPECT_EQ(markup[0].x, 168 + 4);
  const int step = std::max(DeviceContext().GetTextMetricsW().tmHeight + 2, kShellIconSize + 2);
  EXPECT_EQ(markup[0].y - folder[0].y, step);  // one item below
  EXPECT_TRUE(FindShellIcon(picture, kShellIconFile).empty());
  // The column header above the items, on the dialog's face.
  EXPECT_EQ(picture.GetPixel(170, title + 34), RGB(0xE0, 0xE0, 0xE0));
  EXPECT_GT(folder[0].y, title + 34 + 10);
}

TEST(DialogRenderTest, SamplesShowTheirOwnFontAndColours) {
  Dialog d(151, u"Цвета");
  Control& sample = d.AddControl(1009, ControlKind::Static, u"АаБбВв");
  sample.SetColours(RGB(200, 0, 0), RGB(0, 0, 120));
  Bitmap picture;
  RenderSample(*d.GetDlgItem(1009), 120, 40, &picture);
  EXPECT_EQ(picture.GetPixel(3, 3), RGB(0, 0, 120));  // the background colour
  bool red_ink = false;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 120; ++x) red_ink |= picture.GetPixel(x, y) == RGB(200, 0, 0);
  EXPECT_TRUE(red_ink);
  // A larger font inks more rows.
  auto ink_rows = [&](LONG height) {
    LOGFONTW f = GetStockFontDescription();
    f.lfHeight = height;
    d.GetDlgItem(1009)->SetFont(f);
    RenderSample(*d.GetDlgItem(1009), 200, 80, &picture);
    int rows = 0;
    for (int y = 0; y < 80; ++y) {
      bool ink = false;
      for (int x = 2; x < 198; ++x) ink |= picture.GetPixel(x, y) != RGB(0, 0, 120) &&
                                           picture.GetPixel(x, y) != RGB(0x80, 0x80, 0x80);
      rows += ink ? 1 : 0;
    }
    return rows;
  };
  const int small = ink_rows(-12);
  const int large = ink_rows(-36);
  EXPECT_GT(large, small * 2);
  // The whole dialog frame shows the sample too.
  RenderDialog(d, 200, &picture);
  EXPECT_EQ(picture.Width(), 200);
  EXPECT_EQ(picture.GetPixel(12, 24 + 12), RGB(0, 0, 120));
}

}  // namespace
