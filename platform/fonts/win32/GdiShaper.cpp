// GdiShaper: the typographic layout's text services on Windows: HarfBuzz on the bytes of the faces GDI selects, FriBidi.
#include "platform/fonts/win32/GdiShaper.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/fonts/BidiReorder.h"
#include "platform/fonts/FontServices.h"
#include "platform/fonts/HarfBuzzRuns.h"
#include "platform/fonts/RecentlyUsed.h"
#include "platform/fonts/win32/GdiFamilyQueries.h"
#include "platform/fonts/win32/GdiFontCatalog.h"

namespace vx {
namespace {

constexpr std::size_t kMaxFonts = 8;
// Families tried for a character before it is left to its own face.
constexpr std::size_t kMaxFallbackCandidates = 4;
// Fallback answers kept; once there are this many, all are forgotten and asked anew.
constexpr std::size_t kMaxFallbackAnswers = 1024;

// A table's tag as GetFontData takes it: its four bytes in file order.
constexpr DWORD TableTag(char a, char b, char c, char d) {
  return static_cast<DWORD>(static_cast<unsigned char>(a)) | static_cast<DWORD>(static_cast<unsigned char>(b)) << 8 |
         static_cast<DWORD>(static_cast<unsigned char>(c)) << 16 | static_cast<DWORD>(static_cast<unsigned char>(d)) << 24;
}

// A table of the selected face (0: the whole font file; 'ttcf': the whole
// collection the face is in); empty when it has none.
// The size of such a table; 0 when the face has none.
DWORD FontDataSize(HDC dc, DWORD table) {
  const DWORD size = GetFontData(dc, table, 0, nullptr, 0);
  return size == GDI_ERROR ? 0 : size;
}

std::vector<std::uint8_t> FontData(HDC dc, DWORD table) {
  const DWORD size = FontDataSize(dc, table);
  if (size == 0) return {};
  std::vector<std::uint8_t> bytes(size);
  if (GetFontData(dc, table, 0, bytes.data(), size) != size) return {};
  return bytes;
}

// A blob that owns the bytes.
hb_blob_t* OwningBlob(std::vector<std::uint8_t> bytes) {
  auto* owned = new std::vector<std::uint8_t>(std::move(bytes));
  return hb_blob_create(reinterpret_cast<const char*>(owned->data()), static_cast<unsigned>(owned->size()),
                        HB_MEMORY_MODE_READONLY, owned,
                        [](void* data) { delete static_cast<std::vector<std::uint8_t>*>(data); });
}

// Whether a face's table holds exactly these bytes.
bool TableIs(hb_face_t* face, hb_tag_t tag, const std::vector<std::uint8_t>& bytes) {
  hb_blob_t* table = hb_face_reference_table(face, tag);
  unsigned length = 0;
  const char* data = hb_blob_get_data(table, &length);
  const bool same = length == bytes.size() && length > 0 && std::equal(bytes.begin(), bytes.end(), data,
                                                                       [](std::uint8_t a, char b) {
                                                                         return a == static_cast<std::uint8_t>(b);
                                                                       });
  hb_blob_destroy(table);
  return same;
}

// The index of the selected face within its collection: the face whose name
// table is the selected face's.
unsigned FaceIndexInCollection(HDC dc, hb_blob_t* collection) {
  const std::vector<std::uint8_t> name = FontData(dc, TableTag('n', 'a', 'm', 'e'));
  const unsigned count = hb_face_count(collection);
  for (unsigned i = 0; i < count; ++i) {
    hb_face_t* face = hb_face_create(collection, i);
    const bool found = TableIs(face, HB_TAG('n', 'a', 'm', 'e'), name);
    hb_face_destroy(face);
    if (found) return i;
  }
  return 0;
}

// A big-endian 16-bit field of a face's table; 0 beyond its end.
std::uint16_t TableField(hb_face_t* face, hb_tag_t tag, unsigned offset) {
  hb_blob_t* table = hb_face_reference_table(face, tag);
  unsigned length = 0;
  const char* data = hb_blob_get_data(table, &length);
  std::uint16_t value = 0;
  if (offset + 2 <= length)
    value = static_cast<std::uint16_t>(static_cast<unsigned char>(data[offset]) << 8 |
                                       static_cast<unsigned char>(data[offset + 1]));
  hb_blob_destroy(table);
  return value;
}

// One face the system selected, opened for HarfBuzz.
struct SelectedFace {
  std::string key;  // the face's name table and its file's size: the same face for every font of it
  HarfBuzzFace face;
  bool bold = false;    // the face's own style (OS/2 fsSelection)
  bool italic = false;
  double averageWidthUnits = 0;  // OS/2 xAvgCharWidth
  double cellUnits = 0;          // OS/2 usWinAscent + usWinDescent, else hhea's ascender - descender

  SelectedFace(std::string k, hb_blob_t* blob, unsigned index) : key(std::move(k)), face(blob, index) {
    constexpr hb_tag_t kOs2 = HB_TAG('O', 'S', '/', '2'), kHhea = HB_TAG('h', 'h', 'e', 'a');
    const std::uint16_t selection = TableField(face.Face(), kOs2, 62);
    bold = (selection & 0x20) != 0;
    italic = (selection & 0x201) != 0;  // italic or oblique
    averageWidthUnits = static_cast<std::int16_t>(TableField(face.Face(), kOs2, 2));
    // Some fonts store usWinDescent as a negative number.
    cellUnits = TableField(face.Face(), kOs2, 74) + std::abs(static_cast<std::int16_t>(TableField(face.Face(), kOs2, 76)));
    if (cellUnits <= 0)
      cellUnits = static_cast<std::int16_t>(TableField(face.Face(), kHhea, 4)) -
                  static_cast<std::int16_t>(TableField(face.Face(), kHhea, 6));
    if (cellUnits <= 0) cellUnits = hb_face_get_upem(face.Face());
    if (averageWidthUnits <= 0) averageWidthUnits = hb_face_get_upem(face.Face()) / 2.0;
  }
};

// A font request, the face it lands on (null when it cannot be shaped) and
// the scale it is drawn at.
struct ShapedFont {
  FontRequest request;
  std::shared_ptr<const SelectedFace> face;
  DesignScale scale;
};

}  // namespace

struct GdiShaper::Impl {
  GdiGlyphSource& source;
  HarfBuzzRuns runs;
  std::vector<std::unique_ptr<ShapedFont>> fonts;  // most recently used first
  std::optional<std::vector<std::string>> families;
  std::unordered_map<std::string, UnicodeRanges> ranges;  // of each installed family, asked once
  // Each character's fallback family by face name and style: a character
  // beyond the families' ranges is asked of every family's face.
  std::unordered_map<std::string, std::string> fallbacks;
  GdiFontCatalog catalog;

  explicit Impl(GdiGlyphSource& s) : source(s) {}

  // The face and scale the glyph source draws the font with.
  const ShapedFont& FontFor(const FontRequest& request) {
    ShapedFont* found = FindRecentlyUsed(fonts, [&](const ShapedFont& f) { return f.request == request; });
    if (found == nullptr) found = AddRecentlyUsed(fonts, Open(request), kMaxFonts);
    return *found;
  }

  std::unique_ptr<ShapedFont> Open(const FontRequest& request) {
    auto font = std::make_unique<ShapedFont>();
    font->request = request;
    const HDC dc = source.Selected(request);
    OUTLINETEXTMETRICW metrics{};
    metrics.otmSize = sizeof metrics;
    if (dc == nullptr || GetOutlineTextMetricsW(dc, sizeof metrics, &metrics) == 0 || metrics.otmEMSquare == 0)
      return font;  // no outlines to shape
    font->face = FaceOf(dc);
    if (!font->face || !font->face->face.Usable()) {
      font->face.reset();
      return font;
    }
    const SelectedFace& face = *font->face;
    // The system's sizing: a positive height is the cell (usWinAscent +
    // usWinDescent), giving an em of whole device units; a negative one is
    // the em. The width is the average character width, whole device units at
    // that em for the face's own.
    const double upem = metrics.otmEMSquare;
    const long ppem = std::max(request.height > 0 ? std::lround(request.height * upem / face.cellUnits)
                                                  : -long{request.height}, 1L);
    const double perUnit = ppem / upem;
    const double ownWidth = std::max(1.0, std::round(face.averageWidthUnits * perUnit));
    font->scale.yPerUnit = perUnit;
    // A width of 0 keeps the face's proportions; the horizontal scale then scales x.
    const double widthRatio = request.width > 0 ? request.width / ownWidth : 1.0;
    font->scale.xPerUnit = perUnit * widthRatio * request.horizontalScale;
    font->scale.syntheticBold = request.bold && !face.bold;
    font->scale.italicShear = request.italic && !face.italic ? kSyntheticItalicShear : 0;
    return font;
  }

  // The selected face, shared with the fonts already open on it.
  // The face is known by its name table and its file's size, asked of the
  // system before the file itself is read: a face already open is not read again.
  std::shared_ptr<const SelectedFace> FaceOf(HDC dc) {
    const DWORD collectionTag = TableTag('t', 't', 'c', 'f');
    const bool inCollection = FontDataSize(dc, collectionTag) != 0;
    const DWORD fileTag = inCollection ? collectionTag : 0;
    const DWORD fileSize = FontDataSize(dc, fileTag);
    if (fileSize == 0) return nullptr;
    const std::vector<std::uint8_t> name = FontData(dc, TableTag('n', 'a', 'm', 'e'));
    std::string key(name.begin(), name.end());
    key += '\n' + std::to_string(fileSize);
    for (const auto& open : fonts) {
      if (open->face && open->face->key == key) return open->face;
    }
    std::vector<std::uint8_t> bytes = FontData(dc, fileTag);
    if (bytes.empty()) return nullptr;
    hb_blob_t* blob = OwningBlob(std::move(bytes));
    const unsigned index = inCollection ? FaceIndexInCollection(dc, blob) : 0;
    return std::make_shared<const SelectedFace>(std::move(key), blob, index);
  }

  bool Covers(const FontRequest& font, char32_t c) {
    if (NeverShows(c)) return true;
    const ShapedFont& shaped = FontFor(font);
    return shaped.face && shaped.face->face.HasGlyph(c);
  }

  const std::vector<std::string>& Families() {
    if (!families) families = InstalledFamilies();
    return *families;
  }

  // Whether the family's Unicode ranges hold c; a character beyond them
  // (beyond the Basic Multilingual Plane) is asked of the face itself.
  bool MayHave(const std::string& family, char32_t c) {
    if (c > 0xFFFF) return true;
    auto it = ranges.find(family);
    if (it == ranges.end()) it = ranges.emplace(family, UnicodeRanges::OfFamily(family)).first;
    return it->second.Has(c);
  }

  std::string FallbackFace(const FontRequest& font, char32_t c) {
    std::string key = font.face + '\n' + std::to_string(static_cast<std::uint32_t>(c)) + (font.bold ? "b" : "") +
                      (font.italic ? "i" : "");
    if (const auto known = fallbacks.find(key); known != fallbacks.end()) return known->second;
    if (fallbacks.size() >= kMaxFallbackAnswers) fallbacks.clear();
    return fallbacks[std::move(key)] = FindFallbackFace(font, c);
  }

  std::string FindFallbackFace(const FontRequest& font, char32_t c) {
    std::size_t tried = 0;
    for (const std::string& family : Families()) {
      // Symbol faces hold symbols at letters' codes; faces without outlines are drawn in another face.
      if (catalog.HasSymbolCharset(family) || catalog.HasNoOutlines(family) || !MayHave(family, c)) continue;
      FontRequest candidate = font;
      candidate.face = family;
      if (Covers(candidate, c)) return family;
      if (c <= 0xFFFF && ++tried == kMaxFallbackCandidates) break;
    }
    return {};
  }
};

GdiShaper::GdiShaper(GdiGlyphSource& source) : impl_(std::make_unique<Impl>(source)) {}
GdiShaper::~GdiShaper() = default;

BidiLine GdiShaper::Reorder(std::u32string_view line, ParagraphDirection direction) {
  return ReorderLine(line, direction);
}

bool GdiShaper::Shape(const FontRequest& font, std::u32string_view line, std::size_t begin, std::size_t end,
                      bool rightToLeft, std::vector<ShapedGlyph>& glyphs) {
  const ShapedFont& shaped = impl_->FontFor(font);
  return shaped.face && impl_->runs.Shape(shaped.face->face, shaped.scale, line, begin, end, rightToLeft, glyphs);
}

bool GdiShaper::Covers(const FontRequest& font, char32_t c) { return impl_->Covers(font, c); }

bool GdiShaper::JoinsPrevious(char32_t c) { return JoinsPreviousCharacter(c); }

std::string GdiShaper::FallbackFace(const FontRequest& font, char32_t c) { return impl_->FallbackFace(font, c); }

FaceExtents GdiShaper::Extents(const FontRequest& font) {
  const ShapedFont& shaped = impl_->FontFor(font);
  return shaped.face ? shaped.face->face.Extents(shaped.scale) : FaceExtents{};
}

std::optional<DesignScale> GdiShaper::Scale(const FontRequest& font) {
  const ShapedFont& shaped = impl_->FontFor(font);
  if (!shaped.face) return std::nullopt;
  return shaped.scale;
}

}  // namespace vx
