#include "platform/window/device_context.h"
#include "platform/window/png_file.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

LOGFONTW Face(const std::u16string& name, LONG height) {
  LOGFONTW d;
  d.lfHeight = height;
  SetFaceName(&d, name);
  return d;
}

// The bounding box of the pixels that differ from `background`.
RECT InkBox(const Bitmap& b, COLORREF background) {
  RECT box{b.Width(), b.Height(), -1, -1};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.GetPixel(x, y) != background) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  return box;
}

TEST(FontTest, CharWidthsOfWindows1251AreConsistent) {
  FontPtr font = Font::Create(Face(u"DejaVu Sans", -16));
  ASSERT_NE(font, nullptr);
  int widths[256];
  font->CharWidths1251(widths);
  EXPECT_EQ(widths[0], 0);
  for (int b = 1; b < 256; ++b) EXPECT_GT(widths[b], 0) << "byte " << b;
  EXPECT_EQ(widths[0xC0], font->CharWidth(u'А'));
  EXPECT_EQ(widths[0xFF], font->CharWidth(u'я'));
  EXPECT_EQ(widths[0xA8], font->CharWidth(u'Ё'));
  EXPECT_GT(widths['W'], widths['i']);
  // Control characters take a blank's room.
  EXPECT_EQ(widths['\t'], widths[' ']);
  // Bigger fonts are wider.
  FontPtr big = Font::Create(Face(u"DejaVu Sans", -32));
  EXPECT_GT(big->CharWidth(u'Ж'), font->CharWidth(u'Ж'));

  DeviceContext dc;
  dc.SelectFont(font);
  const std::u16string text = u"Жили-были";
  int partial[9];
  int fit = -1;
  SIZE size = dc.GetTextExtentExPointW(text, font->TextWidth(u"Жи"), &fit, partial);
  EXPECT_EQ(fit, 2);
  EXPECT_EQ(size.cx, font->TextWidth(text));
  EXPECT_EQ(partial[8], size.cx);
  EXPECT_EQ(size.cy, font->Metrics().tmHeight);
  EXPECT_EQ(dc.GetTextExtentPoint32W(text).cx, size.cx);
}

TEST(FontTest, UnknownFaceFallsBackToAFaceWithCyrillic) {
  FontPtr font = Font::Create(Face(u"No Such Face At All", -20));
  ASSERT_NE(font, nullptr);
  Bitmap bitmap(100, 40);
  bitmap.Fill(RGB(255, 255, 255));
  DeviceContext dc(&bitmap);
  dc.SelectFont(font);
  dc.SetBkMode(TRANSPARENT);
  dc.TextOutW(5, 5, u"Ж");
  RECT ink = InkBox(bitmap, RGB(255, 255, 255));
  EXPECT_FALSE(ink.IsEmpty());
  EXPECT_EQ(FaceName(font->Description()), u"No Such Face At All");
}

TEST(DeviceContextTest, TextGoesInsideItsCellOnly) {
  LOGFONTW plain = Face(u"DejaVu Sans", -16);
  plain.lfQuality = NONANTIALIASED_QUALITY;
  FontPtr font = Font::Create(plain);
  Bitmap bitmap(200, 60);
  bitmap.Fill(RGB(255, 255, 255));
  DeviceContext dc(&bitmap);
  dc.SelectFont(font);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(0, 0, 0));
  dc.TextOutW(20, 10, u"ЖЖЖ");
  const int width = font->TextWidth(u"ЖЖЖ");
  const int height = font->Metrics().tmHeight;
  RECT ink = InkBox(bitmap, RGB(255, 255, 255));
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_GE(ink.left, 20);
  EXPECT_LE(ink.right, 20 + width);
  EXPECT_GE(ink.top, 10);
  EXPECT_LE(ink.bottom, 10 + height);
  // Asked for plain pixels, every ink pixel is the text colour.
  for (int y = ink.top; y < ink.bottom; ++y)
    for (int x = ink.left; x < ink.right; ++x) {
      COLORREF c = bitmap.GetPixel(x, y);
      EXPECT_TRUE(c == RGB(0, 0, 0) || c == RGB(255, 255, 255));
    }

  // Opaque mode fills exactly the cell with the background colour.
  bitmap.Fill(RGB(255, 255, 255));
  dc.SetBkMode(OPAQUE);
  dc.SetBkColor(RGB(0, 0, 255));
  dc.SetTextColor(RGB(255, 255, 0));
  dc.TextOutW(20, 10, u"ЖЖЖ");
  EXPECT_EQ(InkBox(bitmap, RGB(255, 255, 255)), (RECT{20, 10, 20 + width, 10 + height}));

  // Clipping keeps everything inside the rectangle.
  bitmap.Fill(RGB(255, 255, 255));
  RECT clip{0, 0, 30, 60};
  dc.SetBkMode(TRANSPARENT);
  dc.ExtTextOutW(20, 10, ETO_CLIPPED, &clip, u"ЖЖЖ");
  EXPECT_LE(InkBox(bitmap, RGB(255, 255, 255)).right, 30);
}

TEST(DeviceContextTest, TextIsSmoothedAndPlacedBySummedFineAdvances) {
  // The default quality smooths: ink has shades between the two colours.
  FontPtr font = Font::Create(Face(u"DejaVu Sans", -15));
  Bitmap bitmap(300, 40);
  bitmap.Fill(RGB(255, 255, 255));
  DeviceContext dc(&bitmap);
  dc.SelectFont(font);
  dc.SetBkMode(TRANSPARENT);
  dc.TextOutW(0, 5, u"вышел");
  int shades = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 300; ++x) {
      const COLORREF c = bitmap.GetPixel(x, y);
      shades += (c != RGB(0, 0, 0) && c != RGB(255, 255, 255)) ? 1 : 0;
    }
  EXPECT_GT(shades, 20);

  // Twenty-one letters: their fine advances are summed, then rounded once.
  const std::u16string text(21, u'ш');
  const Font::Glyph& glyph = font->GetGlyph(u'ш');
  EXPECT_EQ(glyph.advance, (glyph.fine_advance + 32) >> 6);
  EXPECT_EQ(font->TextWidth(text), (21 * glyph.fine_advance + 32) >> 6);
  int partial[21];
  dc.GetTextExtentExPointW(text, 1000, nullptr, partial);
  for (int i = 0; i < 21; ++i) EXPECT_EQ(partial[i], ((i + 1) * glyph.fine_advance + 32) >> 6) << i;
  // Each glyph is drawn where the running sum puts it: the ink of the
  // string is the ink of one letter repeated at those places.
  Bitmap one(60, 40), many(400, 40);
  one.Fill(RGB(255, 255, 255));
  many.Fill(RGB(255, 255, 255));
  DeviceContext single(&one), line(&many);
  for (DeviceContext* d : {&single, &line}) {
    d->SelectFont(font);
    d->SetBkMode(TRANSPARENT);
  }
  single.TextOutW(10, 5, u"ш");
  line.TextOutW(10, 5, text);
  const RECT first = InkBox(one, RGB(255, 255, 255));
  const RECT all = InkBox(many, RGB(255, 255, 255));
  EXPECT_EQ(all.left, first.left);
  EXPECT_EQ(all.right, first.right + partial[19]);
}

TEST(DeviceContextTest, CopiesAndMasks) {
  Bitmap source(4, 2);
  source.Fill(RGB(10, 20, 30));
  source.SetPixel(1, 0, RGB(200, 0, 0));
  Bitmap target(6, 4, true);  // bottom-up like the reader's off-screen bitmap
  target.Fill(RGB(255, 255, 255));
  DeviceContext from(&source), to(&target);
  to.BitBlt(2, 1, 4, 2, from, 0, 0);
  EXPECT_EQ(target.GetPixel(3, 1), RGB(200, 0, 0));
  EXPECT_EQ(target.GetPixel(2, 2), RGB(10, 20, 30));
  EXPECT_EQ(target.GetPixel(1, 1), RGB(255, 255, 255));
  // Stored bottom-up: picture row 1 of 4 is stored row 2.
  EXPECT_EQ(target.Bits()[2 * target.Stride() + 3 * 3 + 2], 200);

  Bitmap mask(4, 2);
  mask.SetPixel(0, 0, RGB(255, 255, 255));
  target.Fill(RGB(255, 255, 255));
  to.MaskBlt(0, 0, 4, 2, from, 0, 0, mask, 0, 0);
  EXPECT_EQ(target.GetPixel(0, 0), RGB(10, 20, 30));
  EXPECT_EQ(target.GetPixel(1, 0), RGB(255, 255, 255));

  to.StretchBlt(0, 0, 6, 4, from, 0, 0, 3, 2);
  EXPECT_EQ(target.GetPixel(2, 0), RGB(200, 0, 0));
  EXPECT_EQ(target.GetPixel(3, 0), RGB(200, 0, 0));
  EXPECT_EQ(target.GetPixel(4, 3), RGB(10, 20, 30));
}

TEST(PngTest, RoundTripsEveryPixel) {
  Bitmap bitmap(7, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) bitmap.SetPixel(x, y, RGB(x * 30, y * 50, (x + y) * 10));
  const std::string path = testing::TempDir() + "frame.png";
  ASSERT_TRUE(WritePng(bitmap, path));
  Bitmap back;
  ASSERT_TRUE(ReadPng(path, &back));
  ASSERT_EQ(back.Width(), 7);
  ASSERT_EQ(back.Height(), 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(back.GetPixel(x, y), bitmap.GetPixel(x, y));
  EXPECT_FALSE(std::filesystem::exists(path + ".part"));
  EXPECT_FALSE(ReadPng(testing::TempDir() + "missing.png", &back));
}

}  // namespace
