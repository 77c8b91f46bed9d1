// Running `vexoglyph convert`: text in, layout into the point store, DXF or SVG out.
#include "app/ConvertCommand.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/SvgWriter.h"
#include "dxf/DxfWriter.h"
#include "engine/HostQueries.h"
#include "engine/OutlineFlattening.h"
#include "engine/TextLayout.h"
#include "engine/TypographicLayout.h"
#include "platform/FontconfigCatalog.h"
#include "platform/FontconfigGlyphSource.h"
#include "platform/HarfBuzzShaper.h"
#include "platform/OutputFile.h"
#include "platform/Utf.h"
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

// RTF text in a symbol face (written as U+F020..U+F0FF by some word
// processors) is read as the face's codes 0x20..0xFF.
bool IsSymbolFace(const std::string& face) {
  static FontconfigCatalog catalog;
  return catalog.HasSymbolCharset(face);
}

LoadResult ReadStandardInput(const CharFormat& format) {
  std::string bytes;
  char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) bytes.append(buffer, got);
  if (std::ferror(stdin)) {
    LoadResult result;
    result.error = std::string("Cannot read standard input. ") + std::strerror(errno);
    return result;
  }
  return LoadDocument(bytes, format, IsSymbolFace);
}

// The file a command-line name stands for, links followed; "-" is the
// given standard stream.
bool FileNamed(const std::string& name, int standardStream, struct stat& file) {
  return name == "-" ? ::fstat(standardStream, &file) == 0 : ::stat(name.c_str(), &file) == 0;
}

// Whether writing the output would replace the input text. Only a regular
// file can be both: a terminal or pipe read from and written to is not.
bool OutputIsInput(const ConvertOptions& options) {
  struct stat in {}, out {};
  return options.input && FileNamed(*options.input, STDIN_FILENO, in) &&
         FileNamed(options.output, STDOUT_FILENO, out) && S_ISREG(in.st_mode) && in.st_dev == out.st_dev &&
         in.st_ino == out.st_ino;
}

LoadResult LoadText(const ConvertOptions& options) {
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
  if (*options.input == "-") return ReadStandardInput(format);
  return LoadDocumentFile(*options.input, format, IsSymbolFace);
}

LayoutSettings SettingsFor(const ConvertOptions& options) {
  LayoutSettings settings;
  settings.widthFactor = options.widthFactor;
  if (options.height) {
    settings.mode = dmHostSized;
    settings.hostHeight = *options.height;
    settings.hostWidthFactor = options.widthFactor;
  } else {
    settings.mode = dmStandalone;
  }
  settings.align = options.align;
  settings.lineSpacing = options.lineSpacing;
  return settings;
}

std::string FallbackNotice(const FallbackUse& use) {
  std::string characters;
  for (const char32_t c : use.characters) AppendUtf8(characters, c);
  return "fallback: \"" + characters + "\" from " + use.face;
}

// Lays the text out into the store as the options say; fallback faces the
// typographic layout used become notices.
void Layout(const ConvertOptions& options, const LayoutInput& input, std::vector<std::string>& notices) {
  FontconfigGlyphSource source;
  const LayoutSettings settings = SettingsFor(options);
  if (options.layout == LayoutKind::Host) {
    LayoutText(source, input.text, input.styles, settings);
    return;
  }
  HarfBuzzShaper shaper(source);
  for (const FallbackUse& use : LayoutTypographic(source, shaper, input.text, input.styles, settings))
    notices.push_back(FallbackNotice(use));
}

bool WriteOutput(const ConvertOptions& options, std::string& reason) {
  const std::string target = options.output == "-" ? kStandardOutputName : options.output;
  if (options.format == OutputFormat::Svg) return WriteSvg(target, reason);
  const DxfResult result = WriteDxf(target.c_str());
  reason = result.error;
  return result.ok;
}

}  // namespace

int RunConvert(const ConvertOptions& options, std::string& error, std::vector<std::string>& notices) {
  const LoadResult loaded = LoadText(options);
  if (!loaded.ok) {
    error = loaded.error;
    return kExitFailure;
  }
  SetPrecision(options.precision);
  SetTolerance(options.tolerance.value_or(0.0));
  const LayoutInput input = ToLayoutInput(loaded.text);
  FreePointList();
  Layout(options, input, notices);
  if (GetTTFCount() < 2) {
    FreePointList();
    error = "No text to convert!";
    return kExitFailure;
  }
  std::string reason;
  const bool written = WriteOutput(options, reason);
  FreePointList();
  if (!written) {
    const std::string what = options.output == "-" ? std::string("Cannot write to standard output")
                                                   : "Cannot create file \"" + options.output + "\"";
    error = what + ". " + reason;
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace vx
