#include "render/draw/font_cache.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_ADVANCES_H

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>
#include <string>
#include <unordered_map>

namespace vellum::draw {

namespace {

// Faces Windows pictures name, to the installed faces with the same
// metrics (or the same glyphs, for the symbol fonts).
struct Substitute {
  const char* requested;
  const char* installed;
};
constexpr Substitute SUBSTITUTES[] = {
    {"arial", "Liberation Sans"},
    {"helvetica", "Liberation Sans"},
    {"helv", "Liberation Sans"},
    {"ms sans serif", "Liberation Sans"},
    {"system", "Liberation Sans"},
    {"arial narrow", "Liberation Sans Narrow"},
    {"times new roman", "Liberation Serif"},
    {"times", "Liberation Serif"},
    {"tms rmn", "Liberation Serif"},
    {"ms serif", "Liberation Serif"},
    {"courier new", "Liberation Mono"},
    {"courier", "Liberation Mono"},
    {"symbol", "Standard Symbols PS"},
    {"euclid symbol", "Standard Symbols PS"},
    {"\xe6\x96\xb0\xe7\xb4\xb0\xe6\x98\x8e\xe9\xab\x94", "AR PL UMing TW"},  // 新細明體, PMingLiU
    {"\xe7\xb4\xb0\xe6\x98\x8e\xe9\xab\x94", "AR PL UMing TW"},  // 細明體, MingLiU
    {"pmingliu", "AR PL UMing TW"},
    {"mingliu", "AR PL UMing TW"},
    {"\xe5\xae\x8b\xe4\xbd\x93", "AR PL UMing CN"},  // 宋体, SimSun
    {"simsun", "AR PL UMing CN"},
};

// Face names outside ASCII are in a DBCS code page (the writer's system
// code page, whatever the font's charset): the first that reads them whole.
constexpr const char* FACE_CODE_PAGES[] = {"CP950", "CP936", "CP932", "CP949"};

// Faces cached by request; a hostile file naming endless faces stops
// being cached here (each further one is resolved on every use).
constexpr size_t MAX_CACHED_REQUESTS = 512;

std::string face_to_utf8(const std::string& face) {
  const bool ascii = std::all_of(face.begin(), face.end(),
                                 [](unsigned char ch) { return ch >= 0x20 && ch < 0x7F; });
  if (ascii) return face;
  for (const char* code_page : FACE_CODE_PAGES) {
    const iconv_t cd = iconv_open("UTF-8", code_page);
    if (cd == iconv_t(-1)) continue;
    char out[4 * 32 + 4];
    char* in = const_cast<char*>(face.data());
    size_t in_left = face.size();
    char* to = out;
    size_t to_left = sizeof out - 1;
    const size_t r = iconv(cd, &in, &in_left, &to, &to_left);
    iconv_close(cd);
    if (r != size_t(-1) && in_left == 0) return std::string(out, size_t(to - out));
  }
  return std::string();  // unreadable: fontconfig finds a face by family alone
}

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

const char* generic_family(uint8_t pitch_and_family) {
  switch (pitch_and_family & 0xF0) {
    case 0x10: return "serif";
    case 0x30: return "monospace";
    case 0x40: return "cursive";
    default: return (pitch_and_family & 0x03) == 1 ? "monospace" : "sans-serif";
  }
}

const char* language_of(uint8_t charset) {
  switch (charset) {
    case 128: return "ja";
    case 129: case 130: return "ko";
    case 134: return "zh-cn";
    case 136: return "zh-tw";
    case 161: return "el";
    case 177: return "he";
    case 178: return "ar";
    case 204: return "ru";
    case 222: return "th";
    default: return nullptr;
  }
}

class CachedFace final : public FontFace {
 public:
  CachedFace(FT_Face ft, cairo_font_face_t* cairo_face, bool oblique)
      : ft_(ft), cairo_face_(cairo_face), oblique_(oblique) {
    choose_charmap();
    read_metrics();
  }
  ~CachedFace() override {
    cairo_font_face_destroy(cairo_face_);
    if (ft_) FT_Done_Face(ft_);
  }
  cairo_font_face_t* cairo_face() const override { return cairo_face_; }
  const FaceMetrics& metrics() const override { return metrics_; }
  bool symbol() const override { return symbol_; }
  bool synthetic_oblique() const override { return oblique_; }

  uint32_t glyph(char32_t code, double* advance_units) const override {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = glyphs_.find(code);
    if (it == glyphs_.end()) {
      GlyphInfo info{0, metrics_.average_width};
      if (ft_) {
        info.index = FT_Get_Char_Index(ft_, FT_ULong(code));
        // Symbol cmaps hold their codes at U+F020..U+F0FF, some at 0x20..0xFF.
        if (info.index == 0 && symbol_ && code >= 0xF000 && code <= 0xF0FF)
          info.index = FT_Get_Char_Index(ft_, FT_ULong(code - 0xF000));
        FT_Fixed advance = 0;
        if (FT_Get_Advance(ft_, info.index, FT_LOAD_NO_SCALE, &advance) == 0)
          info.advance = double(advance);
      }
      if (glyphs_.size() < 65536) it = glyphs_.emplace(code, info).first;
      else {
        *advance_units = info.advance;
        return info.index;
      }
    }
    *advance_units = it->second.advance;
    return it->second.index;
  }

 private:
  struct GlyphInfo {
    uint32_t index;
    double advance;
  };

  // A face with a Windows symbol cmap is a symbol font: its bytes are glyph
  // codes, not text. So is a PostScript face with its own encoding
  // (Standard Symbols PS), whose Unicode cmap maps the bytes straight to
  // its glyphs. Others are looked up by Unicode.
  void choose_charmap() {
    if (!ft_) return;
    for (int i = 0; i < ft_->num_charmaps; ++i)
      if (ft_->charmaps[i]->encoding == FT_ENCODING_MS_SYMBOL) {
        FT_Set_Charmap(ft_, ft_->charmaps[i]);
        symbol_ = true;
        return;
      }
    for (int i = 0; i < ft_->num_charmaps; ++i)
      if (ft_->charmaps[i]->encoding == FT_ENCODING_ADOBE_CUSTOM) symbol_ = true;
    FT_Select_Charmap(ft_, FT_ENCODING_UNICODE);
  }

  void read_metrics() {
    if (!ft_) return;
    FaceMetrics& m = metrics_;
    m.units_per_em = ft_->units_per_EM > 0 ? ft_->units_per_EM : 1000;
    m.ascent = ft_->ascender;
    m.descent = -double(ft_->descender);
    m.underline_position = ft_->underline_position;
    m.underline_thickness = ft_->underline_thickness;
    m.average_width = m.units_per_em / 2;
    m.strikeout_position = m.units_per_em * 0.25;
    m.strikeout_thickness = m.underline_thickness;
    if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft_, FT_SFNT_OS2))) {
      if (os2->usWinAscent + os2->usWinDescent > 0) {
        m.ascent = os2->usWinAscent;
        m.descent = os2->usWinDescent;
      }
      if (os2->xAvgCharWidth > 0) m.average_width = os2->xAvgCharWidth;
      if (os2->yStrikeoutSize > 0) {
        m.strikeout_position = os2->yStrikeoutPosition;
        m.strikeout_thickness = os2->yStrikeoutSize;
      }
    }
    if (m.ascent + m.descent <= 0) {
      m.ascent = m.units_per_em * 0.8;
      m.descent = m.units_per_em * 0.2;
    }
    if (m.underline_thickness <= 0) m.underline_thickness = m.units_per_em / 20;
  }

  FT_Face ft_;
  cairo_font_face_t* cairo_face_;
  bool symbol_ = false;
  bool oblique_;
  FaceMetrics metrics_;
  mutable std::mutex mutex_;
  mutable std::unordered_map<char32_t, GlyphInfo> glyphs_;
};

struct Cache {
  std::mutex mutex;
  FT_Library library = nullptr;
  std::map<std::string, std::shared_ptr<const FontFace>> by_request;
  std::map<std::string, std::shared_ptr<const FontFace>> by_file;  // "path#index#embolden#slant"
};

Cache& cache() {
  static Cache* c = new Cache();  // lives as long as the process: faces are shared
  return *c;
}

std::string request_key(const Font& font) {
  const int weight = font.weight <= 0 ? 400 : font.weight;
  return lower(font.face) + "|" + std::to_string(weight >= 600) + "|" +
         std::to_string(font.italic != 0) + "|" + std::to_string(font.pitch_and_family & 0xF3) +
         "|" + std::to_string(font.charset);
}

// Resolves through fontconfig; called with the cache locked.
std::shared_ptr<const FontFace> load(Cache& c, const Font& font) {
  const std::string requested = lower(face_to_utf8(font.face));
  std::string family = face_to_utf8(font.face);
  for (const Substitute& s : SUBSTITUTES)
    if (requested == s.requested) family = s.installed;

  FcPattern* pattern = FcPatternCreate();
  if (!family.empty())
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddString(pattern, FC_FAMILY,
                     reinterpret_cast<const FcChar8*>(generic_family(font.pitch_and_family)));
  const int weight = font.weight <= 0 ? 400 : std::min<int>(font.weight, 1000);
  FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
  FcPatternAddInteger(pattern, FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  if (const char* lang = language_of(font.charset))
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(lang));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);

  FcChar8* file = nullptr;
  int index = 0;
  FcBool embolden = FcFalse;
  // A face without an italic comes back with fontconfig's slanting matrix;
  // the slant is applied here instead, the same for every face.
  bool slanted_by_matrix = false;
  int slant = FC_SLANT_ROMAN;
  if (match) {
    FcMatrix* matrix = nullptr;
    slanted_by_matrix = FcPatternGetMatrix(match, FC_MATRIX, 0, &matrix) == FcResultMatch &&
                        matrix != nullptr && matrix->xy != 0;
    if (slanted_by_matrix) FcPatternDel(match, FC_MATRIX);
    FcPatternGetInteger(match, FC_SLANT, 0, &slant);
    FcPatternGetString(match, FC_FILE, 0, &file);
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden);
  }
  const std::string file_key = (file ? reinterpret_cast<const char*>(file) : std::string("?")) +
                               "#" + std::to_string(index) + "#" + std::to_string(embolden) +
                               "#" + std::to_string(font.italic != 0);
  auto found = c.by_file.find(file_key);
  if (found != c.by_file.end()) {
    if (match) FcPatternDestroy(match);
    return found->second;
  }
  FT_Face ft = nullptr;
  if (file && c.library) FT_New_Face(c.library, reinterpret_cast<const char*>(file), index, &ft);
  cairo_font_face_t* face = match ? cairo_ft_font_face_create_for_pattern(match)
                                  : cairo_toy_font_face_create("sans-serif", CAIRO_FONT_SLANT_NORMAL,
                                                               CAIRO_FONT_WEIGHT_NORMAL);
  if (match) FcPatternDestroy(match);
  // GDI slants a face that has no italic of its own.
  const bool oblique = font.italic && (slant == FC_SLANT_ROMAN || slanted_by_matrix);
  auto entry = std::make_shared<CachedFace>(ft, face, oblique);
  c.by_file.emplace(file_key, entry);
  return entry;
}

}  // namespace

std::shared_ptr<const FontFace> resolve_face(const Font& font) {
  Cache& c = cache();
  std::lock_guard<std::mutex> lock(c.mutex);
  if (!c.library && FT_Init_FreeType(&c.library) != 0) c.library = nullptr;
  const std::string key = request_key(font);
  auto it = c.by_request.find(key);
  if (it != c.by_request.end()) return it->second;
  auto face = load(c, font);
  if (c.by_request.size() < MAX_CACHED_REQUESTS) c.by_request.emplace(key, face);
  return face;
}

}  // namespace vellum::draw
