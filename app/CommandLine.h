// The `vexoglyph convert` command line: options, strict number parsing and help texts.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/DrawingUnits.h"
#include "engine/OutlineFlattening.h"
#include "engine/TextLayout.h"

namespace vx {

enum class OutputFormat { Dxf, Svg };

// host: the CAD host's layout, character by character (the default);
// typographic: shaped, bidirectional lines with fallback faces.
enum class LayoutKind { Host, Typographic };

// font: the contours as the font draws them (the default); merged: each
// glyph's filled area as closed outlines that neither overlap nor repeat a
// vertex, for cutters and plotters.
enum class OutlineKind { Font, Merged };

// r12: closed POLYLINEs with VERTEX entities (the default); r2000: LWPOLYLINEs.
enum class DxfVersion { R12, R2000 };

// The tolerance of --arcs when --tolerance is not given, in drawing units.
inline constexpr double kDefaultArcTolerance = 0.01;

struct ConvertOptions {
  std::vector<std::string> lines;  // TEXT arguments, one line each
  std::optional<std::string> input;  // -i FILE; "-" is standard input
  std::string output;
  OutputFormat format = OutputFormat::Dxf;
  std::optional<std::string> font;  // unset: the system's default sans-serif face
  bool bold = false;
  bool italic = false;
  std::optional<double> height;  // -H: every character at this text height
  int halfPoints = 60;           // -s in half points (30 points)
  // -w, greater than 0; its upper limit depends on the size (WidthFactorProblem).
  // Unset: the layout's own default (kDefaultWidthFactor, kTypographicWidthFactor).
  std::optional<double> widthFactor;
  int precision = kDefaultPrecision;
  std::optional<double> tolerance;  // --tolerance: drawing units; unset: `precision` steps
  LayoutKind layout = LayoutKind::Host;
  std::optional<LineAlignment> align;  // unset: left, or in the typographic layout the document's
  double lineSpacing = 1.0;
  std::optional<double> width;  // --width: paragraphs set to lines of at most this many drawing units
  double letterSpacing = 0.0;   // --letter-spacing, in em
  OutlineKind outline = OutlineKind::Font;
  DrawingUnit units = DrawingUnit::Unitless;
  DxfVersion dxfVersion = DxfVersion::R12;
  bool arcs = false;  // --arcs: curves as circular arcs within the tolerance (merged outlines)
  bool help = false;     // convert --help
  bool version = false;  // convert --version
};

// What parsing the arguments after "convert" gives: options, or a one-line
// reason the command cannot run.
struct ParsedConvert {
  std::optional<ConvertOptions> options;
  std::string error;
};

ParsedConvert ParseConvertArguments(std::span<const std::string> args);

// The layout rules the options ask for: every character at the text height
// with -H (the sized host mode), else at its own size (the stand-alone mode),
// with the width factor given or the layout's own default.
LayoutSettings LayoutSettingsFor(const ConvertOptions& options);

// The largest width factor, in ten-thousandths, that keeps the fonts of
// characters of pointSize points within kMaxFontSize units of width.
double LargestWidthFactor(const LayoutSettings& settings, int pointSize);

// Why the width factor cannot be used for characters of pointSize points: it
// would make fonts wider than the glyph source takes (kMaxFontSize units).
// Empty when it can.
std::string WidthFactorProblem(const LayoutSettings& settings, int pointSize);

// Strict numbers: the whole text must be the number; NaN and infinities are
// refused. Return nullopt when the text is not such a number.
std::optional<double> ParseFiniteNumber(std::string_view text);
std::optional<int> ParseWholeNumber(std::string_view text);

// .svg (any case) gives SVG, every other name DXF.
OutputFormat FormatFromFileName(std::string_view fileName);

// A font file that -f names instead of a family.
struct FontFileName {
  std::string path;
  int index = 0;  // the face within a collection (.ttc)
};

// The font file a -f value names: one that holds a path separator or ends in
// .ttf, .otf, .ttc or .otc (any case), each optionally followed by #N for
// face N of a collection. nullopt for a family name.
std::optional<FontFileName> FontFileNamed(std::string_view font);

// "vexoglyph VERSION", the version the about box shows, and a line break.
std::string VersionText();

std::string ProgramHelp();
std::string ConvertHelp();

}  // namespace vx
