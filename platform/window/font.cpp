#include "platform/window/font.h"

#include "foundation/code_pages.h"
#include "platform/unicode.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cmath>
#include <mutex>
#include <set>
#include <unordered_map>

namespace {

// The face that every Windows-1251 character can fall back to.
constexpr char kFallbackFamily[] = "DejaVu Sans";
constexpr int kDefaultPixelHeight = 16;

std::mutex& LibraryLock() {
  static std::mutex lock;
  return lock;
}

FT_Library Library() {
  static FT_Library library = [] {
    FT_Library l = nullptr;
    if (FT_Init_FreeType(&l) != 0) l = nullptr;
    FcInit();
    return l;
  }();
  return library;
}

struct Match {
  std::string file;
  int index = 0;
  int weight = FC_WEIGHT_REGULAR;
  int slant = FC_SLANT_ROMAN;
};

// The installed face fontconfig offers for the family and style.
bool MatchFace(const std::string& family, bool bold, bool italic, bool need_cyrillic, Match* out) {
  FcPattern* pattern = FcPatternCreate();
  if (!family.empty())
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  if (need_cyrillic) {
    FcLangSet* langs = FcLangSetCreate();
    FcLangSetAdd(langs, reinterpret_cast<const FcChar8*>("ru"));
    FcPatternAddLangSet(pattern, FC_LANG, langs);
    FcLangSetDestroy(langs);
  }
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* found = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (found == nullptr) return false;
  FcChar8* file = nullptr;
  bool ok = FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch;
  if (ok) {
    out->file = reinterpret_cast<const char*>(file);
    if (FcPatternGetInteger(found, FC_INDEX, 0, &out->index) != FcResultMatch) out->index = 0;
    if (FcPatternGetInteger(found, FC_WEIGHT, 0, &out->weight) != FcResultMatch)
      out->weight = FC_WEIGHT_REGULAR;
    if (FcPatternGetInteger(found, FC_SLANT, 0, &out->slant) != FcResultMatch)
      out->slant = FC_SLANT_ROMAN;
  }
  FcPatternDestroy(found);
  return ok;
}

FT_Face OpenFace(const Match& match, int pixels) {
  FT_Face face = nullptr;
  if (Library() == nullptr || FT_New_Face(Library(), match.file.c_str(), match.index, &face) != 0)
    return nullptr;
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::max(pixels, 1)));
  return face;
}

int Ceil26(FT_Pos v) { return static_cast<int>((v + 63) >> 6); }

}  // namespace

std::u16string FaceName(const LOGFONTW& description) {
  std::u16string name;
  for (int i = 0; i < LF_FACESIZE && description.lfFaceName[i] != 0; ++i)
    name.push_back(description.lfFaceName[i]);
  return name;
}

void SetFaceName(LOGFONTW* description, const std::u16string& face) {
  size_t n = std::min<size_t>(face.size(), LF_FACESIZE - 1);
  std::fill(std::begin(description->lfFaceName), std::end(description->lfFaceName), u'\0');
  std::copy(face.begin(), face.begin() + static_cast<std::ptrdiff_t>(n), description->lfFaceName);
}

LOGFONTW GetStockFontDescription() {
  LOGFONTW d;
  d.lfHeight = -kDefaultPixelHeight;
  d.lfWeight = FW_NORMAL;
  d.lfPitchAndFamily = FF_SWISS;
  SetFaceName(&d, u"Tahoma");
  return d;
}

std::vector<std::u16string> EnumFontFamilies() {
  std::lock_guard<std::mutex> guard(LibraryLock());
  Library();
  std::set<std::u16string> names;
  FcPattern* pattern = FcPatternCreate();
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
  FcFontSet* set = FcFontList(nullptr, pattern, objects);
  if (set != nullptr) {
    for (int i = 0; i < set->nfont; ++i) {
      FcChar8* family = nullptr;
      if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) != FcResultMatch) continue;
      std::u16string name;
      if (Utf8ToUtf16(reinterpret_cast<const char*>(family), &name) && !name.empty())
        names.insert(name);
    }
    FcFontSetDestroy(set);
  }
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  return {names.begin(), names.end()};
}

struct Font::Impl {
  FT_Face face = nullptr;
  FT_Face fallback = nullptr;
  std::string file;
  bool smooth = false;
  bool embolden = false;
  bool oblique = false;
  int space_advance = 0;
  mutable std::unordered_map<char16_t, Glyph> glyphs;

  ~Impl() {
    std::lock_guard<std::mutex> guard(LibraryLock());
    if (face) FT_Done_Face(face);
    if (fallback) FT_Done_Face(fallback);
  }

  Glyph Render(char16_t c) const {
    Glyph g;
    if (c < 0x20) {  // control characters take a blank's room and leave no ink
      g.advance = (space_advance + 32) >> 6;
      g.fine_advance = space_advance;
      return g;
    }
    FT_Face use = face;
    FT_UInt index = FT_Get_Char_Index(face, c);
    if (index == 0 && fallback != nullptr) {
      FT_UInt other = FT_Get_Char_Index(fallback, c);
      if (other != 0) {
        use = fallback;
        index = other;
      }
    }
    // Smooth glyphs are hinted lightly (vertically only), so that placing
    // them by their unrounded advances keeps their shapes even.
    FT_Int32 flags = smooth ? FT_LOAD_TARGET_LIGHT : FT_LOAD_TARGET_MONO;
    if (FT_Load_Glyph(use, index, flags) != 0) return g;
    FT_GlyphSlot slot = use->glyph;
    const FT_Pos hinted = slot->advance.x;
    if (oblique) FT_GlyphSlot_Oblique(slot);
    if (embolden) FT_GlyphSlot_Embolden(slot);
    if (FT_Render_Glyph(slot, smooth ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0) return g;
    const FT_Pos widened = slot->advance.x - hinted;
    g.fine_advance = smooth ? static_cast<int>((slot->linearHoriAdvance + 512) >> 10) + static_cast<int>(widened)
                            : static_cast<int>(slot->advance.x);
    g.advance = (g.fine_advance + 32) >> 6;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    const FT_Bitmap& b = slot->bitmap;
    g.width = static_cast<int>(b.width);
    g.height = static_cast<int>(b.rows);
    g.coverage.assign(static_cast<size_t>(g.width) * g.height, 0);
    for (int y = 0; y < g.height; ++y) {
      const unsigned char* row = b.buffer + static_cast<ptrdiff_t>(y) * b.pitch;
      for (int x = 0; x < g.width; ++x) {
        BYTE v;
        if (b.pixel_mode == FT_PIXEL_MODE_MONO)
          v = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
        else
          v = row[x];
        g.coverage[static_cast<size_t>(y) * g.width + x] = v;
      }
    }
    return g;
  }
};

FontPtr Font::Create(const LOGFONTW& description) {
  std::lock_guard<std::mutex> guard(LibraryLock());
  if (Library() == nullptr) return nullptr;
  const bool bold = description.lfWeight >= 600;
  const bool italic = description.lfItalic != 0;
  std::string family = Utf16ToUtf8(FaceName(description));
  if (family.empty()) family = "Tahoma";

  Match primary, fallback;
  bool have_primary = MatchFace(family, bold, italic, false, &primary);
  bool have_fallback = MatchFace(kFallbackFamily, bold, italic, true, &fallback);
  if (!have_primary && !have_fallback) return nullptr;
  if (!have_primary) primary = fallback;

  // A positive height is the cell height: find the em size that gives it.
  int em = kDefaultPixelHeight;
  if (description.lfHeight < 0) em = -description.lfHeight;
  FT_Face face = OpenFace(primary, em);
  if (face == nullptr && have_fallback && primary.file != fallback.file) {
    primary = fallback;
    face = OpenFace(primary, em);
  }
  if (face == nullptr) return nullptr;
  if (description.lfHeight > 0 && FT_IS_SCALABLE(face)) {
    double cell = static_cast<double>(face->ascender - face->descender) / face->units_per_EM;
    em = std::max(1, static_cast<int>(std::lround(description.lfHeight / cell)));
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(em));
    // Hinting rounds the metrics; shrink until the cell fits.
    while (em > 1 && Ceil26(face->size->metrics.ascender) - (face->size->metrics.descender >> 6) >
                         description.lfHeight) {
      --em;
      FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(em));
    }
  }

  auto impl = std::make_unique<Impl>();
  impl->face = face;
  impl->file = primary.file;
  if (have_fallback && fallback.file != primary.file) impl->fallback = OpenFace(fallback, em);
  // Smoothed unless the description asks for plain pixels.
  impl->smooth = description.lfQuality != NONANTIALIASED_QUALITY;
  impl->embolden = bold && primary.weight < FC_WEIGHT_DEMIBOLD;
  impl->oblique = italic && primary.slant == FC_SLANT_ROMAN;

  TEXTMETRICW m;
  const FT_Size_Metrics& sm = face->size->metrics;
  m.tmAscent = Ceil26(sm.ascender);
  m.tmDescent = Ceil26(-sm.descender);
  m.tmHeight = m.tmAscent + m.tmDescent;
  m.tmInternalLeading = std::max<LONG>(0, m.tmHeight - em);
  m.tmMaxCharWidth = Ceil26(sm.max_advance);
  m.tmWeight = bold ? FW_BOLD : FW_NORMAL;
  m.tmItalic = italic ? 1 : 0;
  m.tmUnderlined = description.lfUnderline ? 1 : 0;

  auto* font = new Font(description, std::move(impl));
  font->impl_->space_advance = font->impl_->Render(u' ').fine_advance;
  m.tmAveCharWidth = font->impl_->Render(u'x').advance;
  font->metrics_ = m;
  return FontPtr(font);
}

Font::Font(const LOGFONTW& description, std::unique_ptr<Impl> impl)
    : description_(description), impl_(std::move(impl)) {}

Font::~Font() = default;

const std::string& Font::FilePath() const { return impl_->file; }

const Font::Glyph& Font::GetGlyph(char16_t c) const {
  auto it = impl_->glyphs.find(c);
  if (it != impl_->glyphs.end()) return it->second;
  std::lock_guard<std::mutex> guard(LibraryLock());
  return impl_->glyphs.emplace(c, impl_->Render(c)).first->second;
}

int Font::CharWidth(char16_t c) const { return GetGlyph(c).advance; }

void Font::CharWidths1251(int widths[256]) const {
  widths[0] = 0;
  for (int b = 1; b < 256; ++b) widths[b] = CharWidth(static_cast<char16_t>(kWin1251Table[b]));
}

int Font::TextWidth(std::u16string_view text) const {
  int fine = 0;
  for (char16_t c : text) fine += GetGlyph(c).fine_advance;
  return (fine + 32) >> 6;
}

#if defined(__SANITIZE_ADDRESS__)
// fontconfig loses a few bytes while parsing its configuration; not ours to free.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif
