// The platform's glyph source against the Linux source's DXF of a glyph table, face by face and style by style.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "dxf/DxfWriter.h"
#include "engine/HostQueries.h"
#include "engine/OutlineFlattening.h"
#include "engine/TextLayout.h"
#include "platform/fonts/FontServices.h"
#include "base/Utf.h"
#include "tests/platform/fonts/OutlineReferences.h"
#include "tests/support/DxfReader.h"
#include "tests/support/FileBytes.h"
#include "tests/support/GlyphLines.h"

namespace vx::test {
namespace {

// The glyph table in one face and style, as `vexoglyph convert` lays it out
// with the reference settings, written as DXF.
std::string TableDrawing(GlyphSource& source, const OutlineReference& reference) {
  std::u16string text;
  std::vector<CharStyle> styles;
  const CharStyle style{reference.face, 30, reference.bold, reference.italic};
  for (const std::string& line : GlyphTableLines(kReferenceCharacters)) {
    if (!text.empty()) {
      text += u"\r\n";
      styles.insert(styles.end(), 2, style);
    }
    text += FromUtf8(line);
    styles.insert(styles.end(), line.size(), style);
  }
  LayoutSettings settings;
  settings.sizing = CellSizing::HostSized;
  settings.hostHeight = kReferenceHeight;
  settings.hostWidthFactor = kReferenceWidthFactor;
  FreePointList();
  SetPrecision(kReferencePrecision);
  LayoutText(source, text, styles, settings);
  const std::string dxf = DxfText();
  FreePointList();
  SetPrecision(8);
  return dxf;
}

// Linux writes the references (VX_UPDATE_OUTLINE_REFERENCES=1); every system
// compares its own source with them. On Linux they are its own outlines, so
// shapes and drift come out as 0; under Windows GDI hints outlines and
// rounds advances on its own.
TEST(OutlineReferences, PlatformSourceMatchesTheLinuxSourceGlyphByGlyph) {
  const bool update = std::getenv("VX_UPDATE_OUTLINE_REFERENCES") != nullptr;
  FontServices fonts;
  GlyphSource& source = fonts.Glyphs();
  for (const OutlineReference& reference : kOutlineReferences) {
    const std::string path = OutlineReferencePath(reference);
    SCOPED_TRACE(path);
    const std::string drawing = TableDrawing(source, reference);
    if (update) {
      WriteFileBytes(path, drawing);
      continue;
    }
    ExpectMatchesOutlineReference(drawing, reference, std::string(reference.face) + " " + reference.style);
  }
}

}  // namespace
}  // namespace vx::test
