// The Hershey single-line faces of the command line: their names, where their files are, and loading them.
#include "app/HersheyFaces.h"

#include <array>
#include <cstring>

#include "platform/ExePath.h"
#include "platform/FileAccess.h"
#include "platform/FileReading.h"

namespace vx {
namespace {

// Every font of the collection that draws the ASCII characters: Latin ones,
// Greek and Cyrillic ones (their letters on the Latin keys, as symbol fonts
// have them) and symbol sets. The Japanese font, whose glyphs follow no
// character order, is left out.
constexpr std::array<HersheyFaceFile, 31> kFaces{{
    {"Hershey Sans", "futural"},
    {"Hershey Sans Bold", "futuram"},
    {"Hershey Serif", "rowmans"},
    {"Hershey Serif Medium", "rowmand"},
    {"Hershey Serif Bold", "rowmant"},
    {"Hershey Times", "timesr"},
    {"Hershey Times Bold", "timesrb"},
    {"Hershey Times Italic", "timesi"},
    {"Hershey Times Bold Italic", "timesib"},
    {"Hershey Script", "scripts"},
    {"Hershey Script Bold", "scriptc"},
    {"Hershey Cursive", "cursive"},
    {"Hershey Gothic English", "gothiceng"},
    {"Hershey Gothic English Triplex", "gothgbt"},
    {"Hershey Gothic German", "gothicger"},
    {"Hershey Gothic German Triplex", "gothgrt"},
    {"Hershey Gothic Italian", "gothicita"},
    {"Hershey Gothic Italian Triplex", "gothitt"},
    {"Hershey Greek", "greeks"},
    {"Hershey Greek Bold", "greekc"},
    {"Hershey Greek Alternate", "greek"},
    {"Hershey Times Greek", "timesg"},
    {"Hershey Cyrillic", "cyrillic"},
    {"Hershey Cyrillic Alternate", "cyrilc_1"},
    {"Hershey Astrology", "astrology"},
    {"Hershey Markers", "markers"},
    {"Hershey Math", "mathlow"},
    {"Hershey Math Upper", "mathupp"},
    {"Hershey Meteorology", "meteorology"},
    {"Hershey Music", "music"},
    {"Hershey Symbolic", "symbolic"},
}};

bool SameAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string FilePath(const std::string& folder, const HersheyFaceFile& face) {
  return folder + std::string(face.file) + ".jhf";
}

// Loads one face unless faces has it already.
std::string LoadFace(const HersheyFaceFile& face, const std::string& folder, SingleLineFaces& faces) {
  if (faces.Names(face.name)) return {};
  if (folder.empty())
    return "Face \"" + std::string(face.name) +
           "\" needs the Hershey fonts, which are not installed (Debian package hershey-fonts-data)";
  const std::string path = FilePath(folder, face);
  ReadResult read = ReadFileAtMost(path, kMaxFileBytes);
  if (!read.ok) return "Cannot read the Hershey font \"" + path + "\". " + std::strerror(read.error);
  HersheyFont font = ParseHersheyFont(read.bytes);
  if (!font.error.empty()) return "The Hershey font \"" + path + "\" is damaged: " + font.error;
  faces.Add(face.name, std::move(font));
  return {};
}

}  // namespace

std::span<const HersheyFaceFile> HersheyFaceFiles() { return kFaces; }

bool NamesHersheyFace(std::string_view face) { return face.size() > 8 && SameAscii(face.substr(0, 8), "Hershey "); }

const HersheyFaceFile* FindHersheyFace(std::string_view face) {
  for (const HersheyFaceFile& f : kFaces)
    if (SameAscii(f.name, face)) return &f;
  return nullptr;
}

std::string HersheyFontFolder() {
  const std::string beside = ExecutableDir();
  for (const std::string& folder : {std::string("/usr/share/hershey-fonts/"), beside.empty() ? beside : beside + "hershey-fonts/"}) {
    if (!folder.empty() && IdentityOf(FilePath(folder, kFaces.front())).regular) return folder;
  }
  return {};
}

std::string LoadHersheyFaces(std::span<const std::string> names, const std::string& folder, SingleLineFaces& faces) {
  for (const std::string& name : names) {
    const HersheyFaceFile* face = FindHersheyFace(name);
    if (face == nullptr) continue;
    for (const std::string_view style : {"", " Bold", " Italic", " Bold Italic"}) {
      const HersheyFaceFile* styled = FindHersheyFace(std::string(face->name) + std::string(style));
      if (styled == nullptr) continue;
      if (std::string problem = LoadFace(*styled, folder, faces); !problem.empty()) return problem;
    }
  }
  return {};
}

}  // namespace vx
