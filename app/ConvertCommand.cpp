// Running `vexoglyph convert`: text in, laid out glyph by glyph, DXF or SVG written as it comes.
#include "app/ConvertCommand.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <memory>
#include <optional>
#include <new>
#include <set>

#include "app/HersheyFaces.h"
#include "app/SvgWriter.h"
#include "dxf/DxfR2000Writer.h"
#include "dxf/DxfWriter.h"
#include "engine/ArcFitting.h"
#include "base/CodePoints.h"
#include "engine/CurveSteps.h"
#include "engine/HostQueries.h"
#include "engine/OutlineFlattening.h"
#include "engine/OutlineMerging.h"
#include "engine/PointStore.h"
#include "engine/SingleLineGlyphSource.h"
#include "engine/SingleLineShaper.h"
#include "engine/TextLayout.h"
#include "engine/TypographicLayout.h"
#include "platform/FileAccess.h"
#include "platform/fonts/FontServices.h"
#include "platform/OutputFile.h"
#include "base/Utf.h"
#include "richtext/DocumentFiles.h"
#include "richtext/LayoutInput.h"
#include "richtext/PlainText.h"

namespace vx {
namespace {

CharFormat DefaultFormat(const ConvertOptions& options) {
  CharFormat format;
  format.face = options.font ? *options.font : DefaultSansFace();
  format.halfPoints = options.halfPoints;
  format.bold = options.bold;
  format.italic = options.italic;
  return format;
}

// The file a command-line name stands for, links followed; "-" is the
// given standard stream.
FileIdentity FileNamed(const std::string& name, StandardStream stream) {
  return name == "-" ? IdentityOf(stream) : IdentityOf(name);
}

// Whether writing the output would replace the input text. Only a regular
// file can be both: a terminal or pipe read from and written to is not.
bool OutputIsInput(const ConvertOptions& options) {
  if (!options.input) return false;
  const FileIdentity in = FileNamed(*options.input, StandardStream::Input);
  return in.regular && in.SameAs(FileNamed(options.output, StandardStream::Output));
}

// RTF text in a symbol face (written as U+F020..U+F0FF by some word
// processors) is read as the face's codes 0x20..0xFF: the catalogue tells
// which faces those are.
LoadResult LoadText(const ConvertOptions& options, FontCatalog& catalog) {
  const SymbolFaceTest isSymbolFace = [&catalog](const std::string& face) { return catalog.HasSymbolCharset(face); };
  const CharFormat format = DefaultFormat(options);
  if (!options.input) {
    // Each argument is a line; breaks inside an argument are breaks too.
    std::string joined;
    for (const std::string& line : options.lines) joined.append(line).push_back('\n');
    return {true, LoadPlainText(joined, format), {}};
  }
  if (OutputIsInput(options)) {
    LoadResult refused;
    refused.error = "The output file \"" + options.output + "\" is the input file; it is left as it is";
    return refused;
  }
  if (*options.input == "-") return LoadStandardInput(format, isSymbolFace);
  return LoadDocumentFile(*options.input, format, isSymbolFace);
}

// Calls visit with the format of every run that has characters to convert.
template <typename Visit>
void ForEachRunFormat(const StyledText& text, Visit visit) {
  for (const StyledLine& line : text.lines)
    for (const StyledRun& run : line.runs)
      if (!run.text.empty()) visit(run.format);
}

// The width factor makes no font wider than a glyph source takes, at any of
// the document's sizes; else why not.
std::string WidthFactorProblemIn(const StyledText& text, const LayoutSettings& settings) {
  std::string problem;
  ForEachRunFormat(text, [&](const CharFormat& format) {
    if (problem.empty()) problem = WidthFactorProblem(settings, format.WholePoints());
  });
  return problem;
}

// "U+E000 \"\"": a character by its code point and as itself.
std::string NamedCharacter(char32_t c) {
  char digits[8];
  const auto end = std::to_chars(digits, digits + sizeof digits, static_cast<std::uint32_t>(c), 16).ptr;
  std::string name = "U+" + std::string(std::max<std::ptrdiff_t>(0, 4 - (end - digits)), '0');
  for (const char* d = digits; d != end; ++d) name.push_back(static_cast<char>(std::toupper(*d)));
  name += " \"";
  AppendUtf8(name, c);
  return name + "\"";
}

std::string NamedCharacters(std::u32string_view characters) {
  std::string names;
  for (std::size_t i = 0; i < characters.size(); ++i) names += (i > 0 ? ", " : "") + NamedCharacter(characters[i]);
  return names;
}

// The single-line faces the text names, loaded; a one-line reason when
// they cannot be.
std::string LoadSingleLineFaces(const std::vector<FaceText>& faces, SingleLineFaces& singleLine) {
  std::vector<std::string> names;
  for (const FaceText& face : faces)
    if (FindHersheyFace(face.face)) names.push_back(face.face);
  if (names.empty()) return {};
  return LoadHersheyFaces(names, HersheyFontFolder(), singleLine);
}

// What the text draws from installed faces: its faces of installed fonts,
// and of each single-line face the characters it lacks (visible ones: a
// blank it lacks advances as a space), which come from installed faces.
std::vector<FaceText> InstalledFaceTexts(const std::vector<FaceText>& faces, const SingleLineFaces& singleLine) {
  std::vector<FaceText> installed;
  for (const FaceText& face : faces) {
    if (!singleLine.Names(face.face)) {
      installed.push_back(face);
      continue;
    }
    FaceText lacking{face.face, face.charset, {}};
    const FontRequest regular = MakeFontRequest(face.face, 1, 1, false, false);
    for (const char32_t c : face.characters)
      if (!singleLine.Has(regular, c) && !IsInvisible(c) && !IsBlank(c)) lacking.characters.push_back(c);
    if (!lacking.characters.empty()) installed.push_back(std::move(lacking));
  }
  return installed;
}

// Says once per face and character set that the system's substitute stands
// in for a face that is not installed or has no outlines (the same
// substitute only once), and, in the host layout, for the characters a
// single-line face lacks (the typographic layout names its fallbacks itself).
void NoteSubstitutes(FontServices& fonts, const std::vector<FaceText>& faces, const SingleLineFaces& singleLine,
                     bool typographic, std::vector<std::string>& notices) {
  std::set<std::string> said;
  for (const FaceText& face : faces) {
    const bool lacking = singleLine.Names(face.face);
    if (lacking && typographic) continue;
    const FaceSubstitute substitute = fonts.Substitute(face.face, face.charset);
    if (substitute.family.empty()) continue;
    const std::string why = lacking                ? "has no " + NamedCharacters(face.characters)
                            : substitute.noOutlines ? "has no outlines"
                                                    : "is not installed";
    std::string notice = "face \"" + face.face + "\" " + why + "; using \"" + substitute.family + "\"";
    if (said.insert(notice).second) notices.push_back(std::move(notice));
  }
}

// Says once per face that a single-line face asked for in bold has no bold
// of its own, and that merged outlines and arcs leave single-line glyphs as
// open strokes.
void NoteSingleLineLimits(const ConvertOptions& options, const LayoutInput& input, const SingleLineFaces& singleLine,
                          std::vector<std::string>& notices) {
  if (singleLine.empty()) return;
  std::set<std::string> said;
  for (const CharStyle& style : input.styles) {
    if (style.bold && singleLine.LacksBold(MakeFontRequest(style.face, 1, 1, true, style.italic)) &&
        said.insert(style.face).second)
      notices.push_back("single-line face \"" + style.face + "\" has no bold; drawn regular");
  }
  if (options.outline == OutlineKind::Merged)
    notices.push_back(std::string(options.arcs ? "--arcs" : "--outline merged") +
                      " does not apply to single-line faces; their glyphs stay open strokes");
}

// Says once which characters no installed face has: those are drawn as their
// face's missing-glyph box. Characters that show nothing are left out, and
// so are those drawn from a font file (fileFace, when -f names one), whose
// characters are its own.
void NoteCharactersNoFaceHas(const std::vector<FaceText>& faces, const std::optional<std::string>& fileFace,
                             std::vector<std::string>& notices) {
  std::u32string shown;
  for (const FaceText& face : faces) {
    if (face.face == fileFace) continue;
    for (const char32_t c : face.characters)
      if (!IsInvisible(c) && !IsBlank(c)) shown.push_back(c);
  }
  const std::u32string missing = CharactersNoFaceHas(shown);
  if (!missing.empty()) notices.push_back("no installed face has " + NamedCharacters(missing));
}

void NoteFallbacks(const std::vector<FallbackUse>& fallbacks, std::vector<std::string>& notices) {
  for (const FallbackUse& use : fallbacks) {
    std::string characters;
    for (const char32_t c : use.characters)
      if (!IsInvisible(c)) AppendUtf8(characters, c);
    notices.push_back("fallback: \"" + characters + "\" from " + use.face);
  }
}

// Where the glyphs go as they are placed. The output is made at the first
// glyph, so that a text without glyphs leaves nothing behind.
class GlyphOutput {
 public:
  explicit GlyphOutput(const ConvertOptions& options)
      : outline_(options.outline), arcTolerance_(options.arcs ? ArcFitTolerance(options) : 0) {}
  virtual ~GlyphOutput() = default;

  // Writes what the store holds (the glyphs placed since the last call),
  // merged first when the options ask for merged outlines, its curves fitted
  // with arcs when they ask for arcs, and empties it. False when it could
  // not; reason() then says why. A single-line glyph's open strokes are
  // neither merged nor fitted: they are written as they are.
  bool Take() {
    const bool outlines = !StoreHasOpenStrokes();
    if (outline_ == OutlineKind::Merged && outlines) MergeGlyphOutlines();
    fitted_ = arcTolerance_ > 0 && outlines;
    if (fitted_) arcs_ = FitArcsToStore(arcTolerance_);
    records_ += static_cast<std::size_t>(GetTTFCount());
    ok_ = (opened_ || (opened_ = Begin(reason_))) && Write(reason_);
    FreePointList();
    ForgetCurveSteps();
    arcs_.clear();
    return ok_;
  }
  // Ends the output once every glyph was taken.
  bool Commit() { return ok_ = ok_ && End(reason_); }

  bool ok() const { return ok_; }
  const std::string& reason() const { return reason_; }
  // Records taken so far, closing records included.
  std::size_t records() const { return records_; }

  // Arcs go within the tolerance of the true curve: a quarter of it for the
  // flattening (SetTolerance), three quarters for the arcs fitted to the steps.
  static double FlatteningTolerance(const ConvertOptions& options) {
    return options.tolerance.value_or(kDefaultArcTolerance) / 4;
  }

 protected:
  // The glyphs taken last, as lines and arcs, when the options ask for arcs.
  bool arcs() const { return fitted_; }
  const std::vector<ArcGlyph>& arcGlyphs() const { return arcs_; }

 private:
  static double ArcFitTolerance(const ConvertOptions& options) { return 3 * FlatteningTolerance(options); }

  virtual bool Begin(std::string& reason) = 0;
  virtual bool Write(std::string& reason) = 0;
  virtual bool End(std::string& reason) = 0;

  OutlineKind outline_;
  double arcTolerance_;
  bool fitted_ = false;
  std::vector<ArcGlyph> arcs_;
  std::size_t records_ = 0;
  bool opened_ = false;
  bool ok_ = true;
  std::string reason_;
};

ConvertOptions WithoutArcs(ConvertOptions options) {
  options.arcs = false;
  return options;
}

// The first pass of an SVG or an R2000 DXF: the extents of the whole drawing,
// for the SVG's view box, and its number of contours, for the DXF's handles.
class MeasureOutput final : public GlyphOutput {
 public:
  // Arcs would change neither: they replace the steps of a contour one for
  // one and stay within the tolerance of them, well inside the view box's margin.
  explicit MeasureOutput(const ConvertOptions& options) : GlyphOutput(WithoutArcs(options)) {}
  const PointExtents& extents() const { return extents_; }
  std::uint64_t contours() const { return contours_; }

 private:
  bool Begin(std::string&) override { return true; }
  bool Write(std::string&) override {
    extents_.Include(gPointList.GetHead());
    contours_ += ContoursInStore();
    return true;
  }
  bool End(std::string&) override { return true; }

  PointExtents extents_;
  std::uint64_t contours_ = 0;
};

class DxfOutput final : public GlyphOutput {
 public:
  DxfOutput(const ConvertOptions& options, const std::string& path) : GlyphOutput(options), path_(path), unit_(options.units) {}

 private:
  bool Begin(std::string& reason) override { return file_.Open(path_, reason, unit_); }
  bool Write(std::string& reason) override {
    return arcs() ? file_.WriteArcs(arcGlyphs(), reason) : file_.WriteStore(reason);
  }
  bool End(std::string& reason) override { return file_.Commit(reason); }

  std::string path_;
  DrawingUnit unit_;
  DxfFileWriter file_;
};

class DxfR2000Output final : public GlyphOutput {
 public:
  DxfR2000Output(const ConvertOptions& options, const std::string& path, const MeasureOutput& measured)
      : GlyphOutput(options), path_(path), unit_(options.units), contours_(measured.contours()) {}

 private:
  bool Begin(std::string& reason) override { return file_.Open(path_, unit_, contours_, reason); }
  bool Write(std::string& reason) override {
    return arcs() ? file_.WriteArcs(arcGlyphs(), reason) : file_.WriteStore(reason);
  }
  bool End(std::string& reason) override { return file_.Commit(reason); }

  std::string path_;
  DrawingUnit unit_;
  std::uint64_t contours_;
  DxfR2000FileWriter file_;
};

class SvgOutput final : public GlyphOutput {
 public:
  SvgOutput(const ConvertOptions& options, const std::string& path, const MeasureOutput& measured)
      : GlyphOutput(options), path_(path), unit_(options.units), extents_(measured.extents()) {}

 private:
  bool Begin(std::string& reason) override { return file_.Open(path_, extents_, reason, unit_); }
  bool Write(std::string& reason) override {
    return arcs() ? file_.WriteArcs(arcGlyphs(), reason) : file_.WriteStore(reason);
  }
  bool End(std::string& reason) override { return file_.Commit(reason); }

  std::string path_;
  DrawingUnit unit_;
  PointExtents extents_;
  SvgFileWriter file_;
};

// The whole text laid out as the options say, each glyph handed to output as
// soon as it is placed. Returns the fallback faces the typographic layout
// used. shaper is null for the host layout.
std::vector<FallbackUse> PlaceText(GlyphSource& source, TextShaper* shaper, const ConvertOptions& options,
                                   const LayoutInput& input, GlyphOutput& output) {
  FreePointList();
  const LayoutSettings settings = LayoutSettingsFor(options);
  const GlyphPlaced take = [&output] { return output.Take(); };
  if (shaper == nullptr) {
    LayoutText(source, input.text, input.styles, settings, take);
    return {};
  }
  return LayoutTypographic(source, *shaper, input.text, input.styles, settings, take, input.paragraphs);
}

int Failed(std::string& error, const std::string& message) {
  error = message;
  return kExitFailure;
}

// The file the output goes to: "-" is standard output.
std::string OutputTarget(const ConvertOptions& options) {
  return options.output == "-" ? kStandardOutputName : options.output;
}

// Ends an output the whole text was placed into.
int Finish(GlyphOutput& output, const ConvertOptions& options, std::string& error) {
  const std::string cannotWrite = options.output == "-" ? std::string("Cannot write to standard output. ")
                                                        : "Cannot create file \"" + options.output + "\". ";
  if (!output.ok()) return Failed(error, cannotWrite + output.reason());
  if (output.records() < 2) return Failed(error, "No text to convert!");
  if (!output.Commit()) return Failed(error, cannotWrite + output.reason());
  return kExitOk;
}

int Convert(const ConvertOptions& options, std::string& error, std::vector<std::string>& notices) {
  SetPrecision(options.precision);
  SetTolerance(options.arcs ? GlyphOutput::FlatteningTolerance(options) : options.tolerance.value_or(0.0));
  RecordCurveSteps(options.arcs);
  if (options.font && NamesHersheyFace(*options.font) && !FindHersheyFace(*options.font)) {
    error = "There is no Hershey face \"" + *options.font + "\"; \"vexoglyph convert --help\" lists them";
    return kExitUsage;
  }
  FontServices fonts;
  // A tolerance is kept against the design's own curves, in either layout.
  fonts.Glyphs().KeepDesignOutlines(gTolerance > 0);
  const std::optional<FontFileName> file = options.font ? FontFileNamed(*options.font) : std::nullopt;
  if (file) {
    // The -f value itself is the face name that stands for the file.
    const std::string problem = fonts.UseFontFile(*options.font, file->path, file->index);
    if (!problem.empty()) return Failed(error, problem);
  }
  TextShaper* installedShaper = options.layout == LayoutKind::Typographic ? &fonts.Shaper() : nullptr;
  LayoutInput input;
  {
    // The document itself is not needed once the layout has its input.
    const LoadResult loaded = LoadText(options, fonts.Catalog());
    if (!loaded.ok) return Failed(error, loaded.error);
    error = WidthFactorProblemIn(loaded.text, LayoutSettingsFor(options));
    if (!error.empty()) return kExitUsage;
    input = ToLayoutInput(loaded.text);
  }
  const std::vector<FaceText> faces = FaceTexts(input.text, input.styles);
  // Single-line faces are drawn by a source and shaper of their own in front
  // of the installed faces'.
  SingleLineFaces singleLine;
  if (std::string problem = LoadSingleLineFaces(faces, singleLine); !problem.empty()) return Failed(error, problem);
  SingleLineGlyphSource source(fonts.Glyphs(), singleLine);
  std::optional<SingleLineShaper> shaper;
  if (installedShaper) shaper.emplace(*installedShaper, singleLine);
  TextShaper* const shaping = shaper ? &*shaper : nullptr;
  source.ExpectText(faces);
  const std::vector<FaceText> installedFaces = InstalledFaceTexts(faces, singleLine);
  NoteSubstitutes(fonts, installedFaces, singleLine, shaping != nullptr, notices);
  NoteCharactersNoFaceHas(installedFaces, file ? options.font : std::nullopt, notices);
  NoteSingleLineLimits(options, input, singleLine, notices);
  if (options.format == OutputFormat::Dxf && options.dxfVersion == DxfVersion::R12) {
    DxfOutput dxf(options, OutputTarget(options));
    NoteFallbacks(PlaceText(source, shaping, options, input, dxf), notices);
    return Finish(dxf, options, error);
  }
  // An SVG begins with its view box, an R2000 DXF with the next free handle:
  // a first pass measures the drawing.
  MeasureOutput measured(options);
  NoteFallbacks(PlaceText(source, shaping, options, input, measured), notices);
  if (const int status = Finish(measured, options, error); status != kExitOk) return status;
  if (options.format == OutputFormat::Dxf) {
    DxfR2000Output dxf(options, OutputTarget(options), measured);
    PlaceText(source, shaping, options, input, dxf);
    return Finish(dxf, options, error);
  }
  SvgOutput svg(options, OutputTarget(options), measured);
  PlaceText(source, shaping, options, input, svg);
  return Finish(svg, options, error);
}

}  // namespace

int RunConvert(const ConvertOptions& options, std::string& error, std::vector<std::string>& notices) {
  try {
    const int status = Convert(options, error, notices);
    FreePointList();
    RecordCurveSteps(false);
    return status;
  } catch (const std::bad_alloc&) {
    FreePointList();
    RecordCurveSteps(false);
    return Failed(error, "Out of memory");
  }
}

}  // namespace vx
