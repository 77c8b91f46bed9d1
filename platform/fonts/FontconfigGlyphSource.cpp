// FontconfigGlyphSource: glyph outlines from FreeType faces that fontconfig matches.
#include "platform/fonts/FontconfigGlyphSource.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <unordered_map>

#include "base/CodePoints.h"
#include "engine/Fixed1616.h"
#include "engine/NativeOutlineWriter.h"
#include "platform/FileAccess.h"
#include "platform/fonts/FontMatching.h"
#include "platform/fonts/RecentlyUsed.h"
#include "platform/fonts/CharacterMaps.h"

namespace vx {
namespace {

// Heights and widths beyond kMaxFontSize are refused. Outlines that would
// still leave the native coordinate range (a wide font made very wide, say)
// are refused as well, never wrapped (kMaxFixedCoordinate).
constexpr std::size_t kMaxOpenFaces = 8;
constexpr std::size_t kMaxResolutions = 256;
// The conversion's fixed matrix: 1 + 1/65536 on the diagonal, 1/65536 off it.
constexpr double kMatrixEpsilon = 1.0 / 65536.0;
// Synthetic bold widens strokes by 1/24 of the em in x and y, and the advance
// by one device unit, as the Windows font mapper does.
constexpr double kBoldStrengthPerEm = 1.0 / 24.0;
constexpr FT_Int32 kLoadFlags =
    FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP | FT_LOAD_IGNORE_TRANSFORM;

// A face opened with FreeType, with what sizing and character mapping need.
struct OpenFace {
  std::string file;
  int index = 0;
  FT_Face face = nullptr;
  bool outlines = false;  // sfnt with glyf (quadratic) or CFF, CFF2 (cubic) outlines
  CharacterMaps maps;
  double unitsPerEm = 0;
  double cellUnits = 0;        // usWinAscent + usWinDescent
  double avgCharWidthUnits = 0;  // xAvgCharWidth

  ~OpenFace() {
    if (face) FT_Done_Face(face);
  }
};

// FreeType's report that memory ran out goes on as the conversion's own, so
// that a glyph is never dropped for want of memory; other errors are returned.
FT_Error RaiseOutOfMemory(FT_Error error) {
  if (error == FT_Err_Out_Of_Memory) throw std::bad_alloc();
  return error;
}

bool HasSfntTable(FT_Face face, FT_ULong tag) {
  FT_ULong length = 0;
  return FT_Load_Sfnt_Table(face, tag, 0, nullptr, &length) == 0 && length > 0;
}

// An sfnt face with scalable outlines the source draws: quadratic (glyf) or
// cubic (CFF, CFF2). A face of bitmaps only (colour emoji) has none.
bool HasOutlines(FT_Face face) {
  return FT_IS_SFNT(face) &&
         (HasSfntTable(face, TTAG_glyf) || HasSfntTable(face, TTAG_CFF) || HasSfntTable(face, TTAG_CFF2));
}

// The metrics that size a face as the font mapper does.
void ReadSizingMetrics(OpenFace& f) {
  f.unitsPerEm = f.face->units_per_EM;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(f.face, FT_SFNT_OS2));
  if (os2 != nullptr && os2->version != 0xFFFF) {
    // Some fonts store usWinDescent as a negative number.
    const int descent = std::abs(static_cast<std::int16_t>(os2->usWinDescent));
    f.cellUnits = os2->usWinAscent + descent;
    f.avgCharWidthUnits = os2->xAvgCharWidth;
  }
  if (f.cellUnits <= 0) {
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(f.face, FT_SFNT_HHEA));
    if (hhea != nullptr) f.cellUnits = hhea->Ascender - hhea->Descender;
  }
  if (f.cellUnits <= 0) f.cellUnits = f.unitsPerEm;
  if (f.avgCharWidthUnits <= 0) f.avgCharWidthUnits = f.unitsPerEm / 2;
}

std::unique_ptr<OpenFace> OpenFontFile(FT_Library library, const std::string& file, int index) {
  auto f = std::make_unique<OpenFace>();
  f->file = file;
  f->index = index;
  if (RaiseOutOfMemory(FT_New_Face(library, file.c_str(), index, &f->face)) != 0) {
    f->face = nullptr;
    return nullptr;
  }
  if (f->face->units_per_EM == 0) return nullptr;
  f->outlines = HasOutlines(f->face);
  f->maps = ReadCharacterMaps(f->face);
  ReadSizingMetrics(*f);
  return f;
}

// Scale factors of one face at one requested height and width.
struct Sizing {
  double pixelsPerUnit = 0;  // vertical, and horizontal before width scaling
  double widthRatio = 1;     // requested / natural average character width, times the horizontal scale
};

Sizing ComputeSizing(const OpenFace& f, const FontRequest& font) {
  const int height = font.height;
  // A positive height is the cell height; the em follows from the face's
  // win ascent and descent and, as with the Windows mapper, is a whole number
  // of pixels. A negative height is the em itself.
  long ppem = height > 0 ? std::lround(height * f.unitsPerEm / f.cellUnits) : -long{height};
  ppem = std::max(ppem, 1L);
  Sizing s;
  s.pixelsPerUnit = static_cast<double>(ppem) / f.unitsPerEm;
  // The width is the average character width, whole pixels at this em; a
  // width of 0 or less keeps the face's own proportions.
  const double naturalAverage =
      std::max(1.0, std::round(f.avgCharWidthUnits * s.pixelsPerUnit));
  if (font.width > 0) s.widthRatio = font.width / naturalAverage;
  s.widthRatio *= font.horizontalScale;
  return s;
}

// Why a font file cannot be opened by FreeType, or empty when it can: a
// folder, pipe or device is refused before it is opened (a pipe would wait).
std::string FontFileProblem(const std::string& path) {
  const std::string cannot = "Cannot open font file \"" + path + "\". ";
  const FileIdentity identity = IdentityOf(path);
  if (identity.known && !identity.regular) return cannot + "Not a regular file";
  std::FILE* file = OpenFileForReading(path);
  if (file == nullptr) return cannot + std::strerror(errno);
  std::fclose(file);
  return {};
}

// The face of a font file that a face name stands for.
struct FileFace {
  std::string file;
  int index = 0;
  std::string family;
  bool bold = false;
  bool italic = false;
};

std::string ResolutionKey(const std::string& face, bool bold, bool italic, std::uint8_t charset) {
  std::string key = face;
  key += '\0';
  key += bold ? 'b' : '-';
  key += italic ? 'i' : '-';
  key += static_cast<char>(charset);
  return key;
}

}  // namespace

struct FontconfigGlyphSource::Impl {
  FT_Library library = nullptr;
  std::unordered_map<std::string, std::optional<ResolvedFace>> resolutions;
  std::unordered_map<std::string, FileFace> fileFaces;  // by the face name that stands for them
  std::vector<FaceText> expected;  // what the text being laid out draws
  std::vector<std::unique_ptr<OpenFace>> faces;  // most recently used first

  // The request prepared last, reused while characters share it.
  struct Prepared {
    FontRequest request;
    OpenFace* face = nullptr;
    Sizing sizing;
    bool syntheticBold = false;
    bool syntheticItalic = false;
  };
  std::optional<Prepared> last;

  bool designOutlines = false;  // no near-identity matrix (KeepDesignOutlines)

  // The bounds of the last outline with the matrix, in raw 16.16.
  struct RawBox {
    bool empty = true;
    std::int32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    void Add(const FixedPoint& q) {
      xMin = empty ? q.x : std::min(xMin, q.x);
      xMax = empty ? q.x : std::max(xMax, q.x);
      yMin = empty ? q.y : std::min(yMin, q.y);
      yMax = empty ? q.y : std::max(yMax, q.y);
      empty = false;
    }
  };
  RawBox box;

  // Scratch buffers kept between glyphs.
  std::vector<FixedPoint> points;
  std::vector<int> contourEnds;

  Impl() {
    if (FT_Init_FreeType(&library) != 0) library = nullptr;
  }
  ~Impl() {
    last.reset();
    faces.clear();
    if (library) FT_Done_FreeType(library);
  }

  // A new text may need other substitutes; the same text (drawn again) keeps them.
  void Expect(std::span<const FaceText> faces) {
    if (std::equal(faces.begin(), faces.end(), expected.begin(), expected.end())) return;
    expected.assign(faces.begin(), faces.end());
    resolutions.clear();
    last.reset();
  }

  std::u32string_view ExpectedCharacters(const std::string& face, std::uint8_t charset) const {
    const auto found = std::find_if(expected.begin(), expected.end(), [&](const FaceText& f) {
      return f.charset == charset && f.face == face;
    });
    return found != expected.end() ? std::u32string_view(found->characters) : std::u32string_view();
  }

  std::optional<ResolvedFace> Resolve(const std::string& face, bool bold, bool italic, std::uint8_t charset) {
    const std::string key = ResolutionKey(face, bold, italic, charset);
    if (auto it = resolutions.find(key); it != resolutions.end()) return it->second;
    if (auto it = fileFaces.find(face); it != fileFaces.end()) {
      const FileFace& f = it->second;
      return ResolvedFace{.file = f.file,
                          .index = f.index,
                          .family = f.family,
                          .syntheticBold = bold && !f.bold,
                          .syntheticItalic = italic && !f.italic};
    }
    std::optional<ResolvedFace> resolved;
    const TextNeeds needs{charset, ExpectedCharacters(face, charset)};
    if (std::optional<FontMatch> match = MatchFont(face, bold, italic, needs)) {
      resolved = ResolvedFace{match->file,
                              match->index,
                              match->family,
                              match->substituted,
                              match->noOutlines,
                              bold && match->weight < FC_WEIGHT_DEMIBOLD,
                              italic && match->slant == FC_SLANT_ROMAN};
    }
    if (resolutions.size() >= kMaxResolutions) resolutions.clear();
    resolutions.emplace(key, resolved);
    return resolved;
  }

  std::string UseFontFile(const std::string& name, const std::string& path, int index) {
    if (std::string problem = FontFileProblem(path); !problem.empty()) return problem;
    if (!library) return "Cannot open font file \"" + path + "\". FreeType did not start";
    const std::unique_ptr<OpenFace> first = OpenFontFile(library, path, 0);
    if (!first) return "\"" + path + "\" is not a font file";
    const long faces = first->face->num_faces;
    if (index < 0 || index >= faces)
      return "\"" + path + "\" has no face #" + std::to_string(index) + " (its faces are #0 to #" +
             std::to_string(faces - 1) + ")";
    const OpenFace* face = Open(path, index);
    if (!face) return "\"" + path + "\" has no usable face #" + std::to_string(index);
    const FT_Face ft = face->face;
    fileFaces[name] = FileFace{path, index, ft->family_name ? ft->family_name : name,
                               (ft->style_flags & FT_STYLE_FLAG_BOLD) != 0,
                               (ft->style_flags & FT_STYLE_FLAG_ITALIC) != 0};
    // Earlier answers for the name may have come from fontconfig.
    resolutions.clear();
    last.reset();
    return {};
  }

  OpenFace* Open(const std::string& file, int index) {
    const auto same = [&](const OpenFace& f) { return f.index == index && f.file == file; };
    if (OpenFace* open = FindRecentlyUsed(faces, same)) return open;
    std::unique_ptr<OpenFace> opened = OpenFontFile(library, file, index);
    if (!opened) return nullptr;
    if (faces.size() >= kMaxOpenFaces) last.reset();  // it may point at the face about to close
    return AddRecentlyUsed(faces, std::move(opened), kMaxOpenFaces);
  }

  const Prepared* Prepare(const FontRequest& font) {
    if (last && last->request == font) return &*last;
    last.reset();
    if (!library) return nullptr;
    std::optional<ResolvedFace> resolved = Resolve(font.face, font.bold, font.italic, font.charset);
    if (!resolved) return nullptr;
    OpenFace* face = Open(resolved->file, resolved->index);
    if (!face) return nullptr;
    last = Prepared{font, face, ComputeSizing(*face, font),
                    resolved->syntheticBold, resolved->syntheticItalic};
    return &*last;
  }

  // Scales, shears and transforms the slot's outline into points; false when
  // it leaves the native coordinate range. The box the metrics report is
  // that of the outline with the matrix, whether or not the points keep it,
  // so that design outlines never move the host's pen.
  bool TransformOutline(const Prepared& p, FT_Outline& o) {
    double unitDivisor = 1.0;
    if (p.syntheticBold && o.n_points > 0) {
      // Embolden in 1/64 font units so that the offsets keep their precision.
      for (int i = 0; i < o.n_points; ++i) {
        o.points[i].x *= 64;
        o.points[i].y *= 64;
      }
      const auto strength = static_cast<FT_Pos>(
          std::lround(p.face->unitsPerEm * 64.0 * kBoldStrengthPerEm));
      FT_Outline_EmboldenXY(&o, strength, strength);
      unitDivisor = 64.0;
    }
    const double scale = p.sizing.pixelsPerUnit / unitDivisor;
    points.resize(static_cast<std::size_t>(o.n_points));
    box = RawBox{};
    for (int i = 0; i < o.n_points; ++i) {
      const char tag = FT_CURVE_TAG(o.tags[i]);
      double x = static_cast<double>(o.points[i].x) * scale * p.sizing.widthRatio;
      const double y = static_cast<double>(o.points[i].y) * scale;
      if (p.syntheticItalic) x += kSyntheticItalicShear * y;
      FixedPoint matrixed;
      if (!DoubleToRawFixed(x + (x + y) * kMatrixEpsilon, matrixed.x) ||
          !DoubleToRawFixed(y + (x + y) * kMatrixEpsilon, matrixed.y))
        return false;
      box.Add(matrixed);
      FixedPoint& out = points[static_cast<std::size_t>(i)];
      if (!designOutlines) {
        out = matrixed;
      } else if (!DoubleToRawFixed(x, out.x) || !DoubleToRawFixed(y, out.y)) {
        return false;
      }
      out.onCurve = tag == FT_CURVE_TAG_ON;
      out.cubic = tag == FT_CURVE_TAG_CUBIC;
    }
    contourEnds.assign(o.contours, o.contours + o.n_contours);
    return true;
  }

  bool FillMetrics(const Prepared& p, FT_Pos advanceUnits, GlyphMetrics& metrics) {
    // The width scales the face's advance; synthetic bold then widens the
    // scaled advance by exactly one device unit, whatever the width.
    double advance = static_cast<double>(advanceUnits) * p.sizing.pixelsPerUnit * p.sizing.widthRatio;
    if (p.syntheticBold) advance += 1.0;
    advance *= 1.0 + kMatrixEpsilon;
    if (!(std::fabs(advance) < kMaxFixedCoordinate)) return false;
    metrics = GlyphMetrics{};
    metrics.gmCellIncX = static_cast<std::int16_t>(std::lround(advance));
    metrics.gmCellIncY = 0;
    if (box.empty) return true;
    metrics.gmptGlyphOrigin.x = RawFixedFloor(box.xMin);
    metrics.gmptGlyphOrigin.y = RawFixedCeil(box.yMax);
    metrics.gmBlackBoxX = static_cast<std::uint32_t>(RawFixedCeil(box.xMax) - RawFixedFloor(box.xMin));
    metrics.gmBlackBoxY = static_cast<std::uint32_t>(RawFixedCeil(box.yMax) - RawFixedFloor(box.yMin));
    return true;
  }

  // The prepared request, or null when the font cannot be made or its size is refused.
  const Prepared* PrepareWithinLimits(const FontRequest& font) {
    if (font.height == 0 || font.height > kMaxFontSize || font.height < -kMaxFontSize ||
        font.width > kMaxFontSize || !(font.horizontalScale > 0) ||
        std::abs(font.height) * font.horizontalScale > kMaxFontSize)
      return nullptr;
    return Prepare(font);
  }

  // What a query yields of the glyph: its outline, or only its advance.
  enum class Drawn { Outline, AdvanceOnly };

  bool QueryCode(const FontRequest& font, char16_t code, GlyphMetrics& metrics,
                 std::vector<std::uint8_t>& outline) {
    const Prepared* p = PrepareWithinLimits(font);
    if (p == nullptr) return false;
    const FT_UInt glyph = GlyphOfCode(p->face->face, p->face->maps, code);
    // A blank the face has no glyph for is blank all the same: the missing-
    // character box is not drawn for it, and it converts as a space does.
    const Drawn drawn = glyph == 0 && IsBlank(code) ? Drawn::AdvanceOnly : Drawn::Outline;
    return Query(*p, glyph, metrics, outline, drawn);
  }

  bool QueryIndex(const FontRequest& font, std::uint32_t glyph, GlyphMetrics& metrics,
                  std::vector<std::uint8_t>& outline) {
    const Prepared* p = PrepareWithinLimits(font);
    return p != nullptr && glyph < static_cast<std::uint32_t>(p->face->face->num_glyphs) &&
           Query(*p, glyph, metrics, outline, Drawn::Outline);
  }

  bool Query(const Prepared& prepared, FT_UInt glyph, GlyphMetrics& metrics,
             std::vector<std::uint8_t>& outline, Drawn drawn) {
    const Prepared* p = &prepared;
    if (!p->face->outlines) return false;
    FT_Face face = p->face->face;
    if (RaiseOutOfMemory(FT_Load_Glyph(face, glyph, kLoadFlags)) != 0) return false;
    FT_GlyphSlot slot = face->glyph;
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return false;
    FT_Outline none{};
    if (!TransformOutline(*p, drawn == Drawn::Outline ? slot->outline : none)) return false;
    GlyphMetrics filled;
    if (!FillMetrics(*p, slot->metrics.horiAdvance, filled)) return false;
    outline.clear();
    if (!WriteNativeOutline(points, contourEnds, outline)) return false;
    metrics = filled;
    return true;
  }
};

FontconfigGlyphSource::FontconfigGlyphSource() : impl_(std::make_unique<Impl>()) {}
FontconfigGlyphSource::~FontconfigGlyphSource() = default;

bool FontconfigGlyphSource::QueryGlyph(const FontRequest& font, char16_t code,
                                       GlyphMetrics& metrics, std::vector<std::uint8_t>& outline) {
  return impl_->QueryCode(font, code, metrics, outline);
}

bool FontconfigGlyphSource::QueryGlyphIndex(const FontRequest& font, std::uint32_t glyph,
                                            GlyphMetrics& metrics, std::vector<std::uint8_t>& outline) {
  return impl_->QueryIndex(font, glyph, metrics, outline);
}

void FontconfigGlyphSource::ExpectText(std::span<const FaceText> faces) { impl_->Expect(faces); }

void FontconfigGlyphSource::KeepDesignOutlines(bool on) { impl_->designOutlines = on; }

std::optional<FaceScale> FontconfigGlyphSource::Scale(const FontRequest& font) {
  const Impl::Prepared* p = impl_->PrepareWithinLimits(font);
  if (p == nullptr) return std::nullopt;
  FaceScale scale;
  scale.file = p->face->file;
  scale.index = p->face->index;
  scale.outlines = p->face->outlines;
  scale.xPerUnit = p->sizing.pixelsPerUnit * p->sizing.widthRatio;
  scale.yPerUnit = p->sizing.pixelsPerUnit;
  scale.syntheticBold = p->syntheticBold;
  scale.syntheticItalic = p->syntheticItalic;
  return scale;
}

std::optional<ResolvedFace> FontconfigGlyphSource::Resolve(const std::string& face, bool bold, bool italic,
                                                           std::uint8_t charset) {
  return impl_->Resolve(face, bold, italic, charset);
}

std::string FontconfigGlyphSource::UseFontFile(const std::string& name, const std::string& path, int index) {
  return impl_->UseFontFile(name, path, index);
}

}  // namespace vx
