#include <gtest/gtest.h>

#include "foundation/code_pages.h"
#include "platform/window/device_context.h"
#include "platform/window/dialog_render.h"
#include "platform/window/headless_backend.h"
#include "reader/settings_sheet/ce_property_sheet.h"
#include "reader/settings_sheet/choose_font_page.h"
#include "reader/settings_sheet/colors_page.h"
#include "reader/settings_sheet/font_points.h"
#include "reader/settings_sheet/new_scheme_dlg.h"

namespace {

TEST(FontPoints, RoundsHalfUpAndNeverAwayFromZeroBelowIt) {
  EXPECT_EQ(HeightToPoints(-13, 96), 10);
  EXPECT_EQ(PointsToHeight(12, 96), -16);
  EXPECT_EQ(PointsToHeight(9, 96), -12);
  EXPECT_EQ(MulDivRound(7, 1, 2), 4);    // 3 r 1: 1 >= 1
  EXPECT_EQ(MulDivRound(-7, 1, 2), -3);  // truncated toward zero
  EXPECT_EQ(HeightToPoints(16, 96), -12);
}

class FontPage : public ::testing::Test {
 protected:
  FontPage() {
    SetScreenDpi(96);
    page.font.lfHeight = -13;
    SetFaceName(&page.font, u"Нет такого шрифта");
    sheet.AddPage(&page);
  }
  HeadlessBackend backend;
  CCePropertySheet sheet{u"Settings"};
  CChooseFontPage page;
};

TEST_F(FontPage, ShowsTheDescriptionAndStoresEveryChange) {
  backend.ExpectSheet([](SheetDriver& s) {
    DialogDriver d = s.Page();
    const Control* size = d.Find(CChooseFontPage::IDC_SIZE);
    EXPECT_EQ(size->items.size(), 13u);
    EXPECT_EQ(size->text, u"10");
    EXPECT_EQ(size->GetCurSel(), 4);
    // An unknown face stays in the edit field.
    EXPECT_EQ(d.Find(CChooseFontPage::IDC_FACE)->GetCurSel(), -1);
    EXPECT_EQ(d.Find(CChooseFontPage::IDC_FACE)->text, u"Нет такого шрифта");
    EXPECT_EQ(d.Find(CChooseFontPage::IDC_SAMPLE)->text, u"AaBbCcXxYyZz");

    d.Select(CChooseFontPage::IDC_SIZE, 6);  // "12"
    d.Type(CChooseFontPage::IDC_SIZE, u"0");  // ignored
    d.Type(CChooseFontPage::IDC_SIZE, u"abc");  // ignored
    d.Click(CChooseFontPage::IDC_BOLD);
    d.Click(CChooseFontPage::IDC_SMOOTHED);
    d.Click(CChooseFontPage::IDC_ITALIC);
    d.Type(CChooseFontPage::IDC_FACE, std::u16string(40, u'Ф'));
    s.Ok();
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(page.font.lfHeight, -16);
  EXPECT_EQ(page.font.lfWeight, FW_BOLD);
  EXPECT_EQ(page.font.lfItalic, 1);
  EXPECT_EQ(page.font.lfUnderline, 0);
  EXPECT_EQ(page.font.lfQuality, CLEARTYPE_QUALITY);
  EXPECT_EQ(FaceName(page.font), std::u16string(31, u'Ф'));
  EXPECT_EQ(CCePropertySheet::Title(), u"Settings");
}

TEST_F(FontPage, TheSampleShowsTheChosenFontAndFramesDrawIt) {
  const std::string frames = std::string(std::getenv("TEST_TMPDIR"));
  backend.ExpectSheet([&](SheetDriver& s) {
    DialogDriver d = s.Page();
    const Control* sample = d.Find(CChooseFontPage::IDC_SAMPLE);
    ASSERT_TRUE(sample->font.has_value());
    EXPECT_EQ(sample->font->lfHeight, -13);
    EXPECT_EQ(FaceName(*sample->font), u"Нет такого шрифта");
    d.Select(CChooseFontPage::IDC_SIZE, 12);  // "36"
    d.Click(CChooseFontPage::IDC_BOLD);
    EXPECT_EQ(sample->font->lfHeight, -48);
    EXPECT_EQ(sample->font->lfWeight, FW_BOLD);
    // The frame shows the sample in that font: taller than a plain line.
    Bitmap frame;
    RenderSample(*sample, 300, 80, &frame);
    int top = -1, bottom = -1;
    for (int y = 1; y < 79; ++y)
      for (int x = 1; x < 299; ++x)
        if (frame.GetPixel(x, y) == RGB(0, 0, 0)) {
          if (top < 0) top = y;
          bottom = y;
        }
    EXPECT_GT(bottom - top, 30);
    EXPECT_TRUE(SaveDialogPng(d.GetDialog(), 440, frames + "font-page.png"));
    s.Cancel();
  });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}

TEST_F(FontPage, DrawsAGreyRuleTwoPixelsBelowAControl) {
  const DialogLayout layout = LayoutDialog(page, 440, 1 << 20, false, StockFontMeasure());
  Bitmap picture(440, layout.height + 10);
  picture.Fill(RGB(255, 255, 255));
  DeviceContext dc(&picture);
  page.DrawLineBelow(dc, layout, 4711);  // no such control: nothing
  page.DrawLineBelow(dc, layout, CChooseFontPage::IDC_BOLD);
  const RECT bold = layout.controls[2];
  std::vector<POINT> grey;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x)
      if (picture.GetPixel(x, y) != RGB(255, 255, 255)) {
        EXPECT_EQ(picture.GetPixel(x, y), RGB(0xC0, 0xC0, 0xC0));
        grey.push_back({x, y});
      }
  ASSERT_EQ(grey.size(), static_cast<size_t>(bold.Width()));
  EXPECT_EQ(grey.front().x, bold.left);
  EXPECT_EQ(grey.front().y, bold.bottom + 2);
  EXPECT_EQ(grey.back().x, bold.right - 1);
  EXPECT_EQ(grey.back().y, bold.bottom + 2);
}

class ColorsPage : public ::testing::Test {
 protected:
  ColorsPage() { sheet.AddPage(&page); }
  // Runs the page with the script and OK.
  void Run(std::function<void(DialogDriver&)> script) {
    backend.ExpectSheet([script](SheetDriver& s) {
      DialogDriver d = s.Page();
      script(d);
      s.Ok();
    });
    ASSERT_EQ(sheet.DoModal(), IDOK);
  }
  std::vector<std::u16string> Schemes(DialogDriver& d) {
    return d.Find(CColorsPage::IDC_SCHEME)->items;
  }
  HeadlessBackend backend;
  CCePropertySheet sheet{u"Settings"};
  CColorsPage page;
};

TEST_F(ColorsPage, EmptySchemesTextOpensWithDefaultAndSavesIt) {
  page.presetName = "Default";
  Run([this](DialogDriver& d) {
    EXPECT_EQ(Schemes(d), (std::vector<std::u16string>{u"New...", u"Delete...", u"Default"}));
    EXPECT_EQ(d.Find(CColorsPage::IDC_SCHEME)->GetCurSel(), 2);
  });
  EXPECT_EQ(page.presets, "Default\x02" "16777215\x02" "0");
  EXPECT_EQ(page.presetName, "Default");
}

TEST_F(ColorsPage, SlidersChangeTheCurrentSchemeAndItsColour) {
  page.presets = "Ночь\x02" "0\x02" "12632256\x01" "битый\x01" "Day\x02" "16777215\x02" "0";
  page.presetName = "Ночь";
  page.textColor = 0xC0C0C0;
  page.backColor = 0;
  Run([this](DialogDriver& d) {
    EXPECT_EQ(Schemes(d),
              (std::vector<std::u16string>{u"New...", u"Delete...", u"Ночь", u"Day"}));
    EXPECT_EQ(d.Find(CColorsPage::IDC_RED_VALUE)->text, u"192");
    d.Select(CColorsPage::IDC_TARGET, 1);
    d.Slide(CColorsPage::IDC_BLUE, 128);
    EXPECT_EQ(d.Find(CColorsPage::IDC_BLUE_VALUE)->text, u"128");
  });
  EXPECT_EQ(page.backColor, 0x800000u);
  EXPECT_EQ(page.textColor, 0xC0C0C0u);
  EXPECT_EQ(page.presets, "Ночь\x02" "8388608\x02" "12632256\x01" "Day\x02" "16777215\x02" "0");
}

TEST_F(ColorsPage, TheSampleShowsTheChosenColours) {
  page.textColor = RGB(10, 20, 30);
  page.backColor = RGB(250, 240, 230);
  page.presets = "Default\x02" "16777215\x02" "0\x01" "Ночь\x02" "0\x02" "16777215";
  page.presetName = "Default";
  Run([](DialogDriver& d) {
    const Control* sample = d.Find(CColorsPage::IDC_SAMPLE);
    EXPECT_EQ(sample->text_colour, RGB(10, 20, 30));
    EXPECT_EQ(sample->back_colour, RGB(250, 240, 230));
    d.Slide(CColorsPage::IDC_RED, 200);  // the text colour
    EXPECT_EQ(sample->text_colour, RGB(200, 20, 30));
    d.Select(CColorsPage::IDC_TARGET, 1);
    d.Slide(CColorsPage::IDC_BLUE, 0);  // the background
    EXPECT_EQ(sample->back_colour, RGB(250, 240, 0));
    EXPECT_EQ(sample->text_colour, RGB(200, 20, 30));
    Bitmap frame;
    RenderSample(*sample, 100, 40, &frame);
    EXPECT_EQ(frame.GetPixel(2, 2), RGB(250, 240, 0));
    // Choosing a scheme shows its colours: white on black.
    d.Select(CColorsPage::IDC_SCHEME, CColorsPage::kFirstSchemeIndex + 1);
    EXPECT_EQ(sample->text_colour, RGB(255, 255, 255));
    EXPECT_EQ(sample->back_colour, RGB(0, 0, 0));
  });
}

TEST_F(ColorsPage, DeletingTheOnlySchemeLeavesDefault) {
  page.presets = "Ночь\x02" "0\x02" "16777215";
  page.presetName = "Ночь";
  Run([this](DialogDriver& d) {
    d.Select(CColorsPage::IDC_SCHEME, CColorsPage::kDeleteIndex);
    EXPECT_EQ(Schemes(d), (std::vector<std::u16string>{u"New...", u"Delete...", u"Default"}));
    EXPECT_EQ(d.Find(CColorsPage::IDC_SCHEME)->GetCurSel(), 2);
  });
  EXPECT_EQ(page.presets, "Default\x02" "16777215\x02" "0");
  EXPECT_EQ(page.textColor, 0u);
  EXPECT_EQ(page.backColor, 0xFFFFFFu);
}

TEST_F(ColorsPage, DeletingWithNoCurrentSchemeDoesNothing) {
  page.presets = "Day\x02" "16777215\x02" "0";
  page.presetName = "Пропавшая";
  page.textColor = 0x0000FF;
  Run([this](DialogDriver& d) {
    EXPECT_EQ(d.Find(CColorsPage::IDC_SCHEME)->GetCurSel(), -1);
    d.Select(CColorsPage::IDC_SCHEME, CColorsPage::kDeleteIndex);
    EXPECT_EQ(Schemes(d), (std::vector<std::u16string>{u"New...", u"Delete...", u"Day"}));
  });
  EXPECT_EQ(page.presets, "Day\x02" "16777215\x02" "0");
  EXPECT_EQ(page.presetName, "Пропавшая");
  EXPECT_EQ(page.textColor, 0x0000FFu);
}

TEST_F(ColorsPage, NewSchemesGoFirstAndAnExistingNameIsReused) {
  page.presets = "Day\x02" "16777215\x02" "0\x01" "Ночь\x02" "0\x02" "16777215";
  page.presetName = "Day";
  const auto name = [this](const std::u16string& text, bool ok) {
    backend.ExpectDialog([text, ok](DialogDriver& d) {
      EXPECT_EQ(d.GetDialog().Caption(), u"Новая цветовая схема");
      d.Type(CNewSchemeDlg::IDC_NAME, text);
      if (ok) d.Ok();
    });
  };
  name(u"Ночь", true);
  name(u"Сепия", true);
  name(u"плохое\x01имя", true);
  name(u"", false);
  Run([this](DialogDriver& d) {
    d.Select(CColorsPage::IDC_SCHEME, CColorsPage::kNewIndex);
    EXPECT_EQ(d.Find(CColorsPage::IDC_SCHEME)->GetCurSel(), 3);  // the existing "Ночь"
    EXPECT_EQ(Schemes(d).size(), 4u);
    d.Select(CColorsPage::IDC_SCHEME, CColorsPage::kNewIndex);
    EXPECT_EQ(Schemes(d), (std::vector<std::u16string>{u"New...", u"Delete...", u"Сепия", u"Day",
                                                        u"Ночь"}));
    EXPECT_EQ(d.Find(CColorsPage::IDC_SCHEME)->GetCurSel(), 2);
    // A name the settings file could not hold, then a cancelled dialog:
    // nothing is added and the first scheme is current.
    d.Select(CColorsPage::IDC_SCHEME, CColorsPage::kNewIndex);
    d.Select(CColorsPage::IDC_SCHEME, CColorsPage::kNewIndex);
    EXPECT_EQ(Schemes(d).size(), 5u);
    EXPECT_EQ(d.Find(CColorsPage::IDC_SCHEME)->GetCurSel(), 2);
  });
  EXPECT_EQ(page.presetName, "Сепия");
  EXPECT_EQ(page.presets, "Сепия\x02" "16777215\x02" "0\x01" "Day\x02" "16777215\x02" "0\x01"
                          "Ночь\x02" "0\x02" "16777215");
}

TEST(ColorSchemes, ParsesFormatsAndRefusesNamesThatWouldBreakTheFile) {
  const auto schemes = ParseColorSchemes(" A \x02 1 \x02 2\x01\x01" "B\x02" "3\x01" "C\x02" "4\x02" "5");
  ASSERT_EQ(schemes.size(), 2u);
  EXPECT_EQ(schemes[0].name, "A");
  EXPECT_EQ(schemes[0].background, 1u);
  EXPECT_EQ(schemes[1].text, 5u);
  EXPECT_EQ(FormatColorSchemes(schemes), "A\x02" "1\x02" "2\x01" "C\x02" "4\x02" "5");
  EXPECT_EQ(StorableSchemeName("  Ночь "), "Ночь");
  for (const char* bad : {"", "   ", "a=b", "a\x02" "b", "a\x01", "a\nb"})
    EXPECT_EQ(StorableSchemeName(bad), "") << bad;
}

}  // namespace
