// The Hershey single-line faces of the command line: their names, where their files are, and loading them.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/SingleLineFaces.h"

namespace vx {

// A face the command line offers and the .jhf file (of Debian's
// hershey-fonts-data) that holds it.
struct HersheyFaceFile {
  std::string_view name;
  std::string_view file;
};

// Every Hershey face, in the order --help lists them; a face's bold and
// italic are the faces named "NAME Bold", "NAME Italic", "NAME Bold Italic".
std::span<const HersheyFaceFile> HersheyFaceFiles();

// Whether a face name is meant as a Hershey face: it begins with "Hershey "
// (in any letter case).
bool NamesHersheyFace(std::string_view face);

// The face of that name (in any letter case); null when there is none.
const HersheyFaceFile* FindHersheyFace(std::string_view face);

// The folder the .jhf files are in: Debian's /usr/share/hershey-fonts/, or
// a folder hershey-fonts beside the program (where Windows finds them);
// the first that holds the files, else empty.
std::string HersheyFontFolder();

// Loads into faces the Hershey faces among names, with their bold and italic
// faces, from folder (ending in a path delimiter; empty when there is none).
// Returns a one-line reason when one cannot be read, else empty; names that
// are no Hershey face are passed over.
std::string LoadHersheyFaces(std::span<const std::string> names, const std::string& folder, SingleLineFaces& faces);

}  // namespace vx
