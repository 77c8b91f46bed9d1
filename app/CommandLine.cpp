// The `vexoglyph convert` command line: options, strict number parsing and help texts.
#include "app/CommandLine.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <utility>

#include "app/HersheyFaces.h"
#include "platform/ProductVersion.h"
#include "base/Utf.h"
#include "platform/fonts/LineBreaks.h"
#include "richtext/StyledText.h"

namespace vx {
namespace {

// Text heights beyond this would overflow coordinates of long texts.
constexpr double kMaxHeight = 1e9;
constexpr double kMaxLineSpacing = 100;
// Letter spacing beyond these (in em) would make no text but a scatter of glyphs.
constexpr double kMinLetterSpacing = -1;
constexpr double kMaxLetterSpacing = 100;
// Names ending so are font files to -f, not family names.
constexpr std::string_view kFontFileExtensions[] = {".ttf", ".otf", ".ttc", ".otc"};

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// Checks one option's value and stores it; returns the reason when refused.
using ValueSetter = std::function<std::string(ConvertOptions&, const std::string&)>;

struct ValueOption {
  const char* shortName;  // may be null
  const char* longName;
  ValueSetter set;
};

std::string SetPositive(std::optional<double>& target, const char* what, double limit,
                        const std::string& text) {
  const std::optional<double> value = ParseFiniteNumber(text);
  if (!value) return std::string("Invalid ") + what + " " + Quoted(text) + ": not a number";
  if (*value <= 0 || *value > limit)
    return std::string("Invalid ") + what + " " + Quoted(text) + ": must be greater than 0 and at most " +
           std::to_string(static_cast<long long>(limit));
  target = value;
  return {};
}

std::string SetHeight(ConvertOptions& options, const std::string& text) {
  return SetPositive(options.height, "height", kMaxHeight, text);
}

// Sizes end at kMaxPointSize, the editor's own limit: it keeps font heights
// and cell increments within what the outline query reports.
std::string SetSize(ConvertOptions& options, const std::string& text) {
  const std::optional<double> value = ParseFiniteNumber(text);
  if (!value) return "Invalid size " + Quoted(text) + ": not a number";
  if (*value < 1 || *value > kMaxPointSize)
    return "Invalid size " + Quoted(text) + ": must be from 1 to " + std::to_string(kMaxPointSize) + " points";
  options.halfPoints = static_cast<int>(std::lround(*value * 2));
  return {};
}

// Its upper limit depends on the size, known once every option is read.
std::string SetWidthFactor(ConvertOptions& options, const std::string& text) {
  const std::optional<double> value = ParseFiniteNumber(text);
  if (!value) return "Invalid width factor " + Quoted(text) + ": not a number";
  if (*value <= 0) return "Invalid width factor " + Quoted(text) + ": must be greater than 0";
  options.widthFactor = *value;
  return {};
}

// The shortest text that reads back as value.
std::string Shortest(double value) {
  char buffer[64];
  return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

std::string SetPrecisionOption(ConvertOptions& options, const std::string& text) {
  const std::optional<int> value = ParseWholeNumber(text);
  if (!value || *value < kPrecisionMin || *value > kPrecisionMax)
    return "Invalid precision " + Quoted(text) + ": a whole number from " + std::to_string(kPrecisionMin) + " to " +
           std::to_string(kPrecisionMax) + " is needed";
  options.precision = *value;
  return {};
}

std::string SetTolerance(ConvertOptions& options, const std::string& text) {
  return SetPositive(options.tolerance, "tolerance", kMaxHeight, text);
}

std::string SetWidth(ConvertOptions& options, const std::string& text) {
  return SetPositive(options.width, "width", kMaxHeight, text);
}

std::string SetLetterSpacing(ConvertOptions& options, const std::string& text) {
  const std::optional<double> value = ParseFiniteNumber(text);
  if (!value) return "Invalid letter spacing " + Quoted(text) + ": not a number";
  if (*value < kMinLetterSpacing || *value > kMaxLetterSpacing)
    return "Invalid letter spacing " + Quoted(text) + ": must be from " + Shortest(kMinLetterSpacing) + " to " +
           Shortest(kMaxLetterSpacing) + " em";
  options.letterSpacing = *value;
  return {};
}

std::string SetLineSpacing(ConvertOptions& options, const std::string& text) {
  std::optional<double> value;
  std::string error = SetPositive(value, "line spacing", kMaxLineSpacing, text);
  if (error.empty()) options.lineSpacing = *value;
  return error;
}

// One of a fixed set of words, any letter case.
template <typename Value>
std::string SetChoice(Value& target, const char* what, std::initializer_list<std::pair<const char*, Value>> choices,
                      const std::string& text) {
  std::string names;
  std::size_t left = choices.size();
  for (const auto& [name, value] : choices) {
    if (EqualIgnoringAsciiCase(text, name)) {
      target = value;
      return {};
    }
    names += name;
    if (--left > 0) names += left == 1 ? " or " : ", ";
  }
  return std::string("Unknown ") + what + " " + Quoted(text) + ": use " + names;
}

std::string SetLayout(ConvertOptions& options, const std::string& text) {
  return SetChoice(options.layout, "layout", {{"host", LayoutKind::Host}, {"typographic", LayoutKind::Typographic}},
                   text);
}

std::string SetAlign(ConvertOptions& options, const std::string& text) {
  LineAlignment align = LineAlignment::Left;
  std::string error = SetChoice(align, "alignment",
                                {{"left", LineAlignment::Left},
                                 {"center", LineAlignment::Center},
                                 {"right", LineAlignment::Right},
                                 {"justify", LineAlignment::Justify}},
                                text);
  if (error.empty()) options.align = align;
  return error;
}

std::string SetFormat(ConvertOptions& options, const std::string& text) {
  return SetChoice(options.format, "format", {{"dxf", OutputFormat::Dxf}, {"svg", OutputFormat::Svg}}, text);
}

std::string SetOutline(ConvertOptions& options, const std::string& text) {
  return SetChoice(options.outline, "outline", {{"font", OutlineKind::Font}, {"merged", OutlineKind::Merged}}, text);
}

std::string SetUnits(ConvertOptions& options, const std::string& text) {
  return SetChoice(options.units, "units",
                   {{"mm", DrawingUnit::Millimetre},
                    {"cm", DrawingUnit::Centimetre},
                    {"m", DrawingUnit::Metre},
                    {"in", DrawingUnit::Inch},
                    {"ft", DrawingUnit::Foot}},
                   text);
}

std::string SetDxfVersion(ConvertOptions& options, const std::string& text) {
  return SetChoice(options.dxfVersion, "DXF version", {{"r12", DxfVersion::R12}, {"r2000", DxfVersion::R2000}}, text);
}

std::string SetNonEmpty(std::string& target, const char* what, const std::string& text) {
  if (text.empty()) return std::string("Empty ") + what + " given";
  target = text;
  return {};
}

const std::vector<ValueOption>& ValueOptions() {
  static const std::vector<ValueOption> options = {
      {"-i", "--input",
       [](ConvertOptions& o, const std::string& t) {
         o.input.emplace();
         return SetNonEmpty(*o.input, "input file name", t);
       }},
      {"-o", "--output",
       [](ConvertOptions& o, const std::string& t) { return SetNonEmpty(o.output, "output file name", t); }},
      {nullptr, "--format", SetFormat},
      {"-f", "--font",
       [](ConvertOptions& o, const std::string& t) {
         o.font.emplace();
         return SetNonEmpty(*o.font, "font name", t);
       }},
      {"-H", "--height", SetHeight},
      {"-s", "--size", SetSize},
      {"-w", "--width-factor", SetWidthFactor},
      {"-p", "--precision", SetPrecisionOption},
      {nullptr, "--tolerance", SetTolerance},
      {nullptr, "--layout", SetLayout},
      {nullptr, "--align", SetAlign},
      {nullptr, "--line-spacing", SetLineSpacing},
      {nullptr, "--width", SetWidth},
      {nullptr, "--letter-spacing", SetLetterSpacing},
      {nullptr, "--outline", SetOutline},
      {nullptr, "--units", SetUnits},
      {nullptr, "--dxf", SetDxfVersion},
  };
  return options;
}

// The option an argument names, and the value it carries itself (--name=value).
const ValueOption* FindValueOption(const std::string& arg, std::optional<std::string>& inlineValue) {
  for (const ValueOption& option : ValueOptions()) {
    if (option.shortName && arg == option.shortName) return &option;
    const std::string longName = option.longName;
    if (arg == longName) return &option;
    if (arg.starts_with(longName + "=")) {
      inlineValue = arg.substr(longName.size() + 1);
      return &option;
    }
  }
  return nullptr;
}

}  // namespace

std::optional<double> ParseFiniteNumber(std::string_view text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<int> ParseWholeNumber(std::string_view text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

OutputFormat FormatFromFileName(std::string_view fileName) {
  return fileName.size() >= 4 && EqualIgnoringAsciiCase(fileName.substr(fileName.size() - 4), ".svg")
             ? OutputFormat::Svg
             : OutputFormat::Dxf;
}

std::optional<FontFileName> FontFileNamed(std::string_view font) {
  FontFileName named{std::string(font), 0};
  const std::size_t hash = font.rfind('#');
  if (hash != std::string_view::npos) {
    if (const std::optional<int> index = ParseWholeNumber(font.substr(hash + 1)); index && *index >= 0) {
      named = {std::string(font.substr(0, hash)), *index};
    }
  }
  const std::string_view path = named.path;
#ifdef _WIN32
  const bool separated = path.find_first_of("/\\") != std::string_view::npos;
#else
  const bool separated = path.find('/') != std::string_view::npos;
#endif
  const bool fontExtension =
      path.size() > 4 && std::any_of(std::begin(kFontFileExtensions), std::end(kFontFileExtensions),
                                     [&](std::string_view extension) {
                                       return EqualIgnoringAsciiCase(path.substr(path.size() - 4), extension);
                                     });
  if (!separated && !fontExtension) return std::nullopt;
  return named;
}

std::string VersionText() { return "vexoglyph " VX_VERSION "\n"; }

ParsedConvert ParseConvertArguments(std::span<const std::string> args) {
  ConvertOptions options;
  bool formatGiven = false;
  bool precisionGiven = false;
  bool onlyText = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (onlyText || arg == "-" || !arg.starts_with("-")) {
      options.lines.push_back(arg);
    } else if (arg == "--") {
      onlyText = true;
    } else if (arg == "-h" || arg == "--help") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--bold") {
      options.bold = true;
    } else if (arg == "--italic") {
      options.italic = true;
    } else if (arg == "--arcs") {
      options.arcs = true;
    } else {
      std::optional<std::string> value;
      const ValueOption* option = FindValueOption(arg, value);
      if (!option) return {std::nullopt, "Unknown option " + Quoted(arg)};
      if (!value) {
        if (i + 1 == args.size()) return {std::nullopt, "Option " + arg + " needs a value"};
        value = args[++i];
      }
      if (std::string error = option->set(options, *value); !error.empty()) return {std::nullopt, error};
      formatGiven = formatGiven || std::string_view(option->longName) == "--format";
      precisionGiven = precisionGiven || std::string_view(option->longName) == "--precision";
    }
  }
  if (options.help || options.version) return {options, {}};
  if (options.output.empty()) return {std::nullopt, "No output file given (-o FILE)"};
  if (options.input && !options.lines.empty())
    return {std::nullopt, "Give either TEXT arguments or --input, not both"};
  if (precisionGiven && options.tolerance)
    return {std::nullopt, "Give either --precision or --tolerance, not both"};
  if (options.arcs && precisionGiven) return {std::nullopt, "--arcs takes --tolerance, not --precision"};
  if (options.arcs) options.outline = OutlineKind::Merged;
  if (options.align == LineAlignment::Justify && !options.width)
    return {std::nullopt, "--align justify needs --width: lines are justified to a width"};
  if (options.letterSpacing != 0 && options.layout != LayoutKind::Typographic)
    return {std::nullopt, "--letter-spacing needs --layout typographic: the host layout keeps its own advances"};
  if (!formatGiven) options.format = FormatFromFileName(options.output);
  // The size is known here for TEXT and with -H; a file's own sizes are
  // checked once it is read.
  if (options.height || !options.input) {
    std::string problem = WidthFactorProblem(LayoutSettingsFor(options), options.halfPoints / 2);
    if (!problem.empty()) return {std::nullopt, problem};
  }
  return {options, {}};
}

LayoutSettings LayoutSettingsFor(const ConvertOptions& options) {
  LayoutSettings settings;
  settings.widthFactor = options.widthFactor.value_or(
      options.layout == LayoutKind::Typographic ? kTypographicWidthFactor : kDefaultWidthFactor);
  if (options.height) {
    settings.sizing = CellSizing::HostSized;
    settings.hostHeight = *options.height;
    settings.hostWidthFactor = settings.widthFactor;
  } else {
    settings.sizing = CellSizing::PointSize;
  }
  settings.align = options.align.value_or(LineAlignment::Left);
  settings.documentAlignment = !options.align;
  settings.lineSpacing = options.lineSpacing;
  settings.measure = options.width.value_or(0.0);
  settings.breakRule = LineBreakOpportunities;
  settings.letterSpacing = options.letterSpacing;
  return settings;
}

double LargestWidthFactor(const LayoutSettings& settings, int pointSize) {
  // The font's width is its height times the factor, rounded up.
  const int height = CellSize(settings, pointSize).height;
  double largest = std::floor(double{kMaxFontSize} / height * 10000) / 10000;
  while (std::ceil(height * largest) > kMaxFontSize) largest -= 0.0001;
  return largest;
}

std::string WidthFactorProblem(const LayoutSettings& settings, int pointSize) {
  if (CellSize(settings, pointSize).width <= kMaxFontSize) return {};
  const double factor = settings.sizing == CellSizing::HostSized ? settings.hostWidthFactor : settings.widthFactor;
  std::string problem = "Invalid width factor " + Quoted(Shortest(factor)) + ": at most " +
                        Shortest(LargestWidthFactor(settings, pointSize));
  if (settings.sizing != CellSizing::HostSized) problem += " for " + std::to_string(pointSize) + "-point characters";
  return problem + " (fonts are at most " + std::to_string(kMaxFontSize) + " units wide)";
}

namespace {

// The Hershey faces' names, comma-separated, in lines of the help's option column.
std::string HersheyFaceList() {
  constexpr std::size_t kIndent = 26, kWidth = 78;
  std::string list, line(kIndent, ' ');
  const std::span<const HersheyFaceFile> faces = HersheyFaceFiles();
  for (std::size_t i = 0; i < faces.size(); ++i) {
    const std::string item = std::string(faces[i].name) + (i + 1 < faces.size() ? "," : "");
    if (line.size() > kIndent && line.size() + 1 + item.size() > kWidth) {
      list += line + "\n";
      line.assign(kIndent, ' ');
    }
    line += (line.size() > kIndent ? " " : "") + item;
  }
  return list + line + "\n";
}

}  // namespace

std::string ProgramHelp() {
  return "Usage: vexoglyph convert [options] [TEXT...]\n"
         "       vexoglyph convert --help\n"
         "       vexoglyph --help\n"
         "       vexoglyph --version\n"
         "\n"
         "Vexoglyph turns text into closed polylines (glyph outlines) for CAD,\n"
         "laser cutting and engraving, written as DXF or SVG.\n"
         "\n"
         "Commands:\n"
         "  convert   convert text or a text/RTF file to a DXF or SVG file\n"
         "\n"
         "Run \"vexoglyph convert --help\" for the options.\n";
}

std::string ConvertHelp() {
  return std::string(
         "Usage: vexoglyph convert [options] [TEXT...]\n"
         "\n"
         "Converts text into closed polylines, one per glyph contour. Each TEXT\n"
         "argument is one line; lines go downward from the baseline y = 0.\n"
         "\n"
         "Input:\n"
         "  TEXT...                 the text, one argument per line (after \"--\" every\n"
         "                          argument is text, even when it begins with \"-\")\n"
         "  -i, --input FILE        read the text from FILE (\"-\" for standard input):\n"
         "                          RTF (each character keeps its own face, size, bold\n"
         "                          and italic), or plain text in UTF-8, or UTF-16 or\n"
         "                          UTF-8 with a byte-order mark; its line breaks make\n"
         "                          new lines\n"
         "\n"
         "Output:\n"
         "  -o, --output FILE       the file to write (required; \"-\" for standard\n"
         "                          output); a regular file is replaced only when the\n"
         "                          new one is complete, a link is written through,\n"
         "                          a device, pipe or file with other links is\n"
         "                          written into\n"
         "      --format dxf|svg    output format (default: .svg names give SVG,\n"
         "                          anything else DXF)\n"
         "      --dxf r12|r2000     r12 (default): closed POLYLINEs; r2000: an\n"
         "                          AutoCAD 2000 file of LWPOLYLINEs, which laser and\n"
         "                          CAM programs read most widely\n"
         "      --units mm|cm|m|in|ft\n"
         "                          the unit of the drawing: the DXF's $INSUNITS and\n"
         "                          $MEASUREMENT, the SVG's width and height (default:\n"
         "                          unitless)\n"
         "      --outline font|merged\n"
         "                          font (default): the contours as the font draws\n"
         "                          them; merged: each glyph's filled area, for\n"
         "                          cutters, engravers and plotters: overlapping\n"
         "                          contours united, holes kept, no repeated vertex,\n"
         "                          outer contours counter-clockwise, holes clockwise\n"
         "      --arcs              merged outlines whose curves are circular arcs\n"
         "                          (DXF bulges, SVG arcs) within --tolerance D of\n"
         "                          the true curve (default " + Shortest(kDefaultArcTolerance) + "); straight\n"
         "                          pieces stay straight\n"
         "\n"
         "Font (plain text and TEXT arguments; RTF input brings its own):\n"
         "  -f, --font NAME         face name (default: the system's sans-serif face),\n"
         "                          or a font file, installed or not: a path, or a\n"
         "                          name ending in .ttf, .otf, .ttc or .otc; FILE#N\n"
         "                          takes face N of a collection (default 0); or a\n"
         "                          Hershey single-line face, drawn as open strokes\n"
         "                          for engraving and plotting (ASCII characters\n"
         "                          only; Debian's hershey-fonts-data, or the .jhf\n"
         "                          files in a folder hershey-fonts beside the\n"
         "                          program; --outline and --arcs leave it as it is):\n" +
         HersheyFaceList() +
         "      --bold              bold\n"
         "      --italic            italic\n"
         "  -s, --size PT           point size, 1 to ") + std::to_string(kMaxPointSize) + " (default 30), in drawing\n"
         "                          units: in the host layout each character's cell\n"
         "                          height (ascent + descent of its face), in the\n"
         "                          typographic layout its em, as a word processor's\n"
         "                          point size is\n"
         "\n"
         "Geometry:\n"
         "  -H, --height H          every character at text height H drawing units,\n"
         "                          whatever its size, RTF included: the cell height\n"
         "                          in the host layout, the em in the typographic one\n"
         "  -w, --width-factor F    width factor, greater than 0: in the host layout\n"
         "                          the average character width in cell heights\n"
         "                          (default " + Shortest(kDefaultWidthFactor) + "), in the typographic layout a\n"
         "                          horizontal scale of each face's own design\n"
         "                          (default " + Shortest(kTypographicWidthFactor) + ", as designed); a font\n"
         "                          may be at most " + std::to_string(kMaxFontSize) + " units wide, so F is at most\n"
         "                          " + Shortest(LargestWidthFactor(LayoutSettings{}, 1)) +
         " up to " + std::to_string(kMinOutlineCell) + " points and with -H, " + std::to_string(kMaxFontSize) +
         " / size\n"
         "                          above\n"
         "  -p, --precision N       straight steps per curve piece, " + std::to_string(kPrecisionMin) + " to " +
         std::to_string(kPrecisionMax) + " (default " + std::to_string(kDefaultPrecision) + ")\n"
         "      --tolerance D       instead of -p: each curve piece gets the fewest\n"
         "                          straight steps that keep it within D drawing\n"
         "                          units of the true curve (at most " + std::to_string(kMaxToleranceSteps) +
         " steps)\n"
         "\n"
         "Layout:\n"
         "      --layout host|typographic\n"
         "                          host (default): the CAD host's layout, character\n"
         "                          by character, line pitch " + Shortest(kHostLinePitch) + " x the cell height;\n"
         "                          typographic: kerning, ligatures and complex\n"
         "                          scripts shaped, right-to-left text reordered,\n"
         "                          characters the face lacks taken from a face that\n"
         "                          has them (named on standard error) at the same\n"
         "                          em, line pitch\n"
         "                          from the face's own ascent, descent and line gap\n"
         "      --align left|center|right|justify\n"
         "                          each line starts at x = 0, is centred on it, or\n"
         "                          ends on it (default left; in the typographic\n"
         "                          layout, an RTF paragraph's own alignment, and the\n"
         "                          right for a right-to-left paragraph); with --width\n"
         "                          within [0, W]; justify (needs --width): every line\n"
         "                          of a paragraph but the last flush at 0 and W\n"
         "      --line-spacing F    line pitch times F, greater than 0 (default 1)\n"
         "      --width W           break each paragraph into lines of at most W\n"
         "                          drawing units at the Unicode line-break\n"
         "                          opportunities (a longer word between characters)\n"
         "      --letter-spacing E  typographic: E em added after every character\n"
         "                          (from -1 to 100; RTF's \\expndtw adds its own)\n"
         "\n"
         "  -h, --help              show this help\n"
         "      --version           show the version\n"
         "\n"
         "Exit status: 0 when the file was written; 1 when the input or the font file\n"
         "cannot be read, the input holds nothing to convert, the output cannot be\n"
         "written or memory ran out; 2 for a wrong command line.\n";
}

}  // namespace vx
