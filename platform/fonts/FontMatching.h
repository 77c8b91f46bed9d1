// FontMatching: face names to installed font files through fontconfig, as a font mapper would.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

// One installed face of a family.
struct FontFile {
  std::string file;
  int index = 0;
  std::string format;  // fontconfig's font format: "TrueType", "CFF", ...
  bool outline = true;
};

// Whether the glyph source draws a face: scalable outlines, in fontconfig's
// TrueType (glyf, quadratic) or CFF (CFF and CFF2, cubic) format. A face of
// bitmaps only, such as a colour emoji face, is not drawn.
bool HasDrawableOutlines(const FontFile& face);

// The installed face that a request lands on.
struct FontMatch {
  std::string file;
  int index = 0;
  std::string family;
  bool substituted = false;  // no installed family answered to the name
  bool noOutlines = false;   // the face that answered has no outlines: family is the face drawn instead
  int weight = 0;            // fontconfig weight of the face
  int slant = 0;             // fontconfig slant of the face
};

// Names worth asking for, best first: the name itself, then the family a
// PostScript name stands for (ArialMT -> Arial, TimesNewRomanPSMT -> Times
// New Roman) and the name without a word processor's character-set suffix
// ("Times New Roman CE", "Arial Cyr", "Courier New (Hebrew)").
std::vector<std::string> CandidateFamilyNames(const std::string& face);

// The installed family that a name stands for: a family of that name (any
// letter case), else the family of a face with that PostScript name; nullopt
// when neither is installed.
std::optional<std::string> InstalledFamily(const std::string& name);

// fontconfig's language tag of the script a font's character set (a
// LOGFONT's lfCharSet, RTF's \fcharset) stands for: "ja" for 128, "ru" for
// 204, ...; null for the character sets of no one script (ANSI, DEFAULT,
// SYMBOL, OEM, ...).
const char* LanguageOfCharset(std::uint8_t charset);

// What the text in a face that is not installed asks of its substitute.
struct TextNeeds {
  std::uint8_t charset = 1;       // the face's character set (DEFAULT)
  std::u32string_view characters;  // the characters drawn in it
};

// The face for a face name and style: the first candidate name that is
// installed, else a face of fontconfig's substitute family for the best
// derived name. The substitute is the family of the first face the glyph
// source draws in fontconfig's ranking for that name, which weighs the
// characters the text needs before the name's aliases and the character
// set's language after them, then fontconfig's default; the style leaves it
// alone, so that a face name and character set have one substitute. An
// installed face without drawable outlines is never the answer: fontconfig's
// best-ranked face with them for the same request stands in. nullopt only
// when fontconfig has no such font.
std::optional<FontMatch> MatchFont(const std::string& face, bool bold, bool italic, const TextNeeds& needs = {});

// The characters that no installed face with drawable outlines has, each
// once, in the order given.
std::u32string CharactersNoFaceHas(std::u32string_view characters);

// Every installed face of a family (any letter case).
std::vector<FontFile> FamilyFaces(const std::string& family);

// Every installed family once, by the names InstalledFamily knows: each
// face's English family names (its first name when none is English), so a
// family that several foundries install is one entry. Sorted without regard
// to case; a name that differs only in case from an earlier one is left out.
std::vector<std::string> InstalledFamilyNames();

// The families to draw a character from that a face lacks: the families of
// the faces that have it, in the order fontconfig ranks all faces for the face
// name and style, keeping only faces with drawable outlines. Each family by
// its first name as fontconfig lists it. The ranking of each face name and
// style is made once and kept (a few at a time).
class FallbackRanking {
 public:
  FallbackRanking();
  ~FallbackRanking();
  FallbackRanking(const FallbackRanking&) = delete;
  FallbackRanking& operator=(const FallbackRanking&) = delete;

  // At most `most` families, best first.
  std::vector<std::string> FamiliesWith(const std::string& face, bool bold, bool italic, char32_t c,
                                        std::size_t most);

 private:
  struct Ranking;
  std::vector<std::unique_ptr<Ranking>> rankings_;  // most recently used first
};

}  // namespace vx
