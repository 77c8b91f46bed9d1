// FontMatching: face names to installed font files through fontconfig, as a font mapper would.
#include "platform/fonts/FontMatching.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>
#include <string_view>

#include "platform/fonts/FontServices.h"
#include "platform/fonts/RecentlyUsed.h"
#include "base/Utf.h"

namespace vx {
namespace {

struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct FontSetDeleter {
  void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};
struct ObjectSetDeleter {
  void operator()(FcObjectSet* s) const { FcObjectSetDestroy(s); }
};
struct CharSetDeleter {
  void operator()(FcCharSet* s) const { FcCharSetDestroy(s); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;
using FontSet = std::unique_ptr<FcFontSet, FontSetDeleter>;
using ObjectSet = std::unique_ptr<FcObjectSet, ObjectSetDeleter>;
using CharSet = std::unique_ptr<FcCharSet, CharSetDeleter>;

const FcChar8* Utf8(const std::string& s) { return reinterpret_cast<const FcChar8*>(s.c_str()); }

std::string GetString(const FcPattern* p, const char* object, int n = 0) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(p, object, n, &value) != FcResultMatch || value == nullptr) return {};
  return reinterpret_cast<const char*>(value);
}

int GetInteger(const FcPattern* p, const char* object, int fallback) {
  int value = fallback;
  return FcPatternGetInteger(p, object, 0, &value) == FcResultMatch ? value : fallback;
}

bool EndsWithNoCase(std::string_view s, std::string_view suffix) {
  return s.size() > suffix.size() && EqualIgnoringAsciiCase(s.substr(s.size() - suffix.size()), suffix);
}

// The family name among a face's names that equals `name`, else its first.
std::string FamilyNamed(const FcPattern* p, const std::string& name) {
  for (int n = 0;; ++n) {
    std::string family = GetString(p, FC_FAMILY, n);
    if (family.empty()) break;
    if (EqualIgnoringAsciiCase(family, name)) return family;
  }
  return GetString(p, FC_FAMILY);
}

FontSet List(const char* object, const std::string& value,
             std::initializer_list<const char*> wanted) {
  Pattern pattern(FcPatternCreate());
  if (!pattern) return nullptr;
  FcPatternAddString(pattern.get(), object, Utf8(value));
  ObjectSet objects(FcObjectSetCreate());
  if (!objects) return nullptr;
  for (const char* w : wanted) FcObjectSetAdd(objects.get(), w);
  return FontSet(FcFontList(nullptr, pattern.get(), objects.get()));
}

// "TimesNewRomanPSMT" -> "Times New Roman", "Arial-BoldMT" -> "Arial".
std::string FamilyFromPostScriptName(const std::string& name) {
  if (name.find(' ') != std::string::npos) return {};
  std::string base = name.substr(0, name.find('-'));
  for (const std::string_view tail : {"PSMT", "PS", "MT"}) {
    if (base.size() > tail.size() && base.ends_with(tail)) {
      base.resize(base.size() - tail.size());
      break;
    }
  }
  std::string spaced;
  for (std::size_t i = 0; i < base.size(); ++i) {
    const auto c = static_cast<unsigned char>(base[i]);
    const bool wordStart = i > 0 && std::isupper(c) &&
                           std::islower(static_cast<unsigned char>(base[i - 1]));
    if (wordStart) spaced += ' ';
    spaced += base[i];
  }
  return spaced == name ? std::string{} : spaced;
}

// The name without a word processor's character-set suffix, or empty.
std::string WithoutCharsetSuffix(const std::string& name) {
  static constexpr std::array<std::string_view, 8> kSuffixes = {
      " CE", " Cyr", " Greek", " Tur", " Baltic", " (Hebrew)", " (Arabic)", " (Vietnamese)"};
  for (const std::string_view suffix : kSuffixes) {
    if (EndsWithNoCase(name, suffix)) return name.substr(0, name.size() - suffix.size());
  }
  return {};
}

// A request for family in a style; null when it cannot be made.
Pattern StylePattern(const std::string& family, bool bold, bool italic) {
  Pattern pattern(FcPatternCreate());
  if (!pattern) return nullptr;
  FcPatternAddString(pattern.get(), FC_FAMILY, Utf8(family));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  return pattern;
}

// A request with the configuration's edits and fontconfig's defaults applied,
// ready to match or sort; null when there is none or the edits fail.
Pattern Substituted(Pattern pattern) {
  if (!pattern || !FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern)) return nullptr;
  FcDefaultSubstitute(pattern.get());
  return pattern;
}

// The file, format and outline flag of a listed or sorted face.
FontFile FaceOf(const FcPattern* p) {
  FontFile face;
  face.file = GetString(p, FC_FILE);
  face.index = GetInteger(p, FC_INDEX, 0);
  face.format = GetString(p, FC_FONTFORMAT);
  FcBool outline = FcTrue;
  if (FcPatternGetBool(p, FC_OUTLINE, 0, &outline) == FcResultMatch) face.outline = outline;
  return face;
}

// The first face of a ranking that the glyph source draws; null when none is.
const FcPattern* FirstDrawable(const FcFontSet* ranked) {
  for (int i = 0; ranked != nullptr && i < ranked->nfont; ++i)
    if (HasDrawableOutlines(FaceOf(ranked->fonts[i]))) return ranked->fonts[i];
  return nullptr;
}

// The family of the first face the glyph source draws in fontconfig's
// ranking of every face for a request (the first face's when it draws none);
// empty when there is no font.
std::string FirstDrawableFamily(Pattern request) {
  const Pattern pattern = Substituted(std::move(request));
  if (!pattern) return {};
  FcResult result = FcResultNoMatch;
  FontSet sorted(FcFontSort(nullptr, pattern.get(), FcFalse, nullptr, &result));
  if (!sorted || sorted->nfont == 0) return {};
  const FcPattern* drawable = FirstDrawable(sorted.get());
  return GetString(drawable != nullptr ? drawable : sorted->fonts[0], FC_FAMILY);
}

std::optional<FontMatch> MatchPattern(const std::string& family, bool bold, bool italic) {
  Pattern pattern = StylePattern(family, bold, italic);
  if (pattern) FcPatternAddInteger(pattern.get(), FC_WIDTH, FC_WIDTH_NORMAL);
  pattern = Substituted(std::move(pattern));
  if (!pattern) return std::nullopt;
  FcResult result = FcResultNoMatch;
  Pattern match(FcFontMatch(nullptr, pattern.get(), &result));
  if (!match) return std::nullopt;
  FontMatch found;
  FontSet ranked;
  const FcPattern* chosen = match.get();
  if (!HasDrawableOutlines(FaceOf(chosen))) {
    // A face of bitmaps only: the best-ranked face with outlines draws instead.
    found.noOutlines = true;
    ranked.reset(FcFontSort(nullptr, pattern.get(), FcFalse, nullptr, &result));
    chosen = FirstDrawable(ranked.get());
    if (chosen == nullptr) return std::nullopt;
  }
  found.file = GetString(chosen, FC_FILE);
  if (found.file.empty()) return std::nullopt;
  found.index = GetInteger(chosen, FC_INDEX, 0);
  found.family = FamilyNamed(chosen, family);
  // The weight and slant of the face itself: the match result carries the
  // configuration's edits, which call a regular face made oblique "oblique".
  Pattern face(FcPatternBuild(nullptr, FC_FILE, FcTypeString, Utf8(found.file), FC_INDEX,
                              FcTypeInteger, found.index, nullptr));
  ObjectSet objects(FcObjectSetBuild(FC_WEIGHT, FC_SLANT, nullptr));
  FontSet original(face && objects ? FcFontList(nullptr, face.get(), objects.get()) : nullptr);
  const FcPattern* real = original && original->nfont > 0 ? original->fonts[0] : chosen;
  found.weight = GetInteger(real, FC_WEIGHT, FC_WEIGHT_REGULAR);
  found.slant = GetInteger(real, FC_SLANT, FC_SLANT_ROMAN);
  return found;
}

}  // namespace

std::vector<std::string> CandidateFamilyNames(const std::string& face) {
  std::vector<std::string> names{face};
  const auto add = [&names](std::string name) {
    if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
      names.push_back(std::move(name));
  };
  add(FamilyFromPostScriptName(face));
  const std::string stripped = WithoutCharsetSuffix(face);
  add(stripped);
  if (!stripped.empty()) add(FamilyFromPostScriptName(stripped));
  return names;
}

std::optional<std::string> InstalledFamily(const std::string& name) {
  if (name.empty()) return std::nullopt;
  if (FontSet byFamily = List(FC_FAMILY, name, {FC_FAMILY}); byFamily && byFamily->nfont > 0)
    return FamilyNamed(byFamily->fonts[0], name);
  if (FontSet byPsName = List(FC_POSTSCRIPT_NAME, name, {FC_FAMILY});
      byPsName && byPsName->nfont > 0)
    return GetString(byPsName->fonts[0], FC_FAMILY);
  return std::nullopt;
}

namespace {

// The family that stands in for a name no installed family answers to, as
// MatchFont describes it; empty when fontconfig has no font.
std::string SubstituteFamilyFor(const std::string& name, const TextNeeds& needs) {
  Pattern pattern = StylePattern(name, false, false);
  if (!pattern) return {};
  FcPatternAddInteger(pattern.get(), FC_WIDTH, FC_WIDTH_NORMAL);
  if (!needs.characters.empty()) {
    CharSet characters(FcCharSetCreate());
    if (!characters) return {};
    for (const char32_t c : needs.characters) FcCharSetAddChar(characters.get(), static_cast<FcChar32>(c));
    FcPatternAddCharSet(pattern.get(), FC_CHARSET, characters.get());
  }
  if (const char* language = LanguageOfCharset(needs.charset))
    FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>(language));
  return FirstDrawableFamily(std::move(pattern));
}

}  // namespace

const char* LanguageOfCharset(std::uint8_t charset) {
  struct Language {
    std::uint8_t charset;
    const char* tag;
  };
  static constexpr std::array<Language, 14> kLanguages = {{{128, "ja"},     // SHIFTJIS
                                                           {129, "ko"},     // HANGUL
                                                           {130, "ko"},     // JOHAB
                                                           {134, "zh-cn"},  // GB2312
                                                           {136, "zh-tw"},  // CHINESEBIG5
                                                           {161, "el"},     // GREEK
                                                           {162, "tr"},     // TURKISH
                                                           {163, "vi"},     // VIETNAMESE
                                                           {177, "he"},     // HEBREW
                                                           {178, "ar"},     // ARABIC
                                                           {186, "lt"},     // BALTIC
                                                           {204, "ru"},     // RUSSIAN
                                                           {222, "th"},     // THAI
                                                           {238, "cs"}}};   // EASTEUROPE
  for (const Language& language : kLanguages) {
    if (language.charset == charset) return language.tag;
  }
  return nullptr;
}

std::optional<FontMatch> MatchFont(const std::string& face, bool bold, bool italic, const TextNeeds& needs) {
  const std::vector<std::string> candidates = CandidateFamilyNames(face);
  for (const std::string& name : candidates) {
    if (std::optional<std::string> family = InstalledFamily(name)) {
      std::optional<FontMatch> match = MatchPattern(*family, bold, italic);
      if (match && (match->noOutlines || EqualIgnoringAsciiCase(match->family, *family))) return match;
    }
  }
  // No installed family answers: a substitute for the most specific name we
  // could derive (fontconfig's metric aliases know "Times New Roman", not
  // "Times New Roman CE").
  const std::string substitute = SubstituteFamilyFor(candidates.back(), needs);
  std::optional<FontMatch> match = MatchPattern(substitute.empty() ? candidates.back() : substitute, bold, italic);
  if (match) {
    match->substituted = true;
    match->noOutlines = false;  // what is missing is the face itself
  }
  return match;
}

bool HasDrawableOutlines(const FontFile& face) {
  return face.outline && (face.format == "TrueType" || face.format == "CFF");
}

std::u32string CharactersNoFaceHas(std::u32string_view characters) {
  Pattern all(FcPatternCreate());
  ObjectSet objects(FcObjectSetBuild(FC_CHARSET, FC_FONTFORMAT, FC_OUTLINE, nullptr));
  FontSet set(all && objects ? FcFontList(nullptr, all.get(), objects.get()) : nullptr);
  CharSet covered(FcCharSetCreate());
  if (!covered) return {};
  for (int i = 0; set && i < set->nfont; ++i) {
    FcCharSet* charset = nullptr;
    if (HasDrawableOutlines(FaceOf(set->fonts[i])) &&
        FcPatternGetCharSet(set->fonts[i], FC_CHARSET, 0, &charset) == FcResultMatch)
      FcCharSetMerge(covered.get(), charset, nullptr);
  }
  std::u32string missing;
  for (const char32_t c : characters) {
    if (!FcCharSetHasChar(covered.get(), static_cast<FcChar32>(c)) && missing.find(c) == std::u32string::npos)
      missing.push_back(c);
  }
  return missing;
}

std::vector<FontFile> FamilyFaces(const std::string& family) {
  std::vector<FontFile> faces;
  if (family.empty()) return faces;
  FontSet set = List(FC_FAMILY, family, {FC_FILE, FC_INDEX, FC_FONTFORMAT, FC_OUTLINE});
  if (!set) return faces;
  for (int i = 0; i < set->nfont; ++i) {
    FontFile face = FaceOf(set->fonts[i]);
    if (!face.file.empty()) faces.push_back(std::move(face));
  }
  return faces;
}

std::vector<std::string> InstalledFamilyNames() {
  std::vector<std::string> names;
  Pattern all(FcPatternCreate());
  ObjectSet objects(FcObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, nullptr));
  FontSet set(all && objects ? FcFontList(nullptr, all.get(), objects.get()) : nullptr);
  if (!set) return names;
  for (int i = 0; i < set->nfont; ++i) {
    const FcPattern* face = set->fonts[i];
    bool english = false;
    for (int n = 0;; ++n) {
      std::string family = GetString(face, FC_FAMILY, n);
      if (family.empty()) break;
      if (GetString(face, FC_FAMILYLANG, n) == "en") {
        names.push_back(std::move(family));
        english = true;
      }
    }
    if (!english) {
      if (std::string first = GetString(face, FC_FAMILY); !first.empty()) names.push_back(std::move(first));
    }
  }
  std::stable_sort(names.begin(), names.end(), LessIgnoringAsciiCase);
  names.erase(std::unique(names.begin(), names.end(), EqualIgnoringAsciiCase), names.end());
  return names;
}

// The default face of FontServices.h, answered here from fontconfig's own
// preferences.
std::string DefaultSansFace() {
  // fontconfig's sans-serif preferences in order, keeping the first family
  // with outlines: the glyph source converts no other kind.
  Pattern pattern(FcPatternCreate());
  if (pattern) FcPatternAddString(pattern.get(), FC_FAMILY, Utf8(std::string("sans-serif")));
  return FirstDrawableFamily(std::move(pattern));
}

namespace {

// Rankings kept at once: one per face name and style in use.
constexpr std::size_t kMaxRankings = 8;

}  // namespace

struct FallbackRanking::Ranking {
  std::string face;
  bool bold = false;
  bool italic = false;
  FontSet sorted;
};

FallbackRanking::FallbackRanking() = default;
FallbackRanking::~FallbackRanking() = default;

std::vector<std::string> FallbackRanking::FamiliesWith(const std::string& face, bool bold, bool italic,
                                                       char32_t c, std::size_t most) {
  Ranking* ranking = FindRecentlyUsed(
      rankings_, [&](const Ranking& r) { return r.face == face && r.bold == bold && r.italic == italic; });
  if (ranking == nullptr) {
    auto made = std::make_unique<Ranking>();
    made->face = face;
    made->bold = bold;
    made->italic = italic;
    if (const Pattern pattern = Substituted(StylePattern(face, bold, italic))) {
      FcResult result = FcResultNoMatch;
      made->sorted.reset(FcFontSort(nullptr, pattern.get(), FcFalse, nullptr, &result));
    }
    ranking = AddRecentlyUsed(rankings_, std::move(made), kMaxRankings);
  }

  std::vector<std::string> families;
  const FcFontSet* sorted = ranking->sorted.get();
  for (int i = 0; sorted != nullptr && i < sorted->nfont && families.size() < most; ++i) {
    const FcPattern* candidate = sorted->fonts[i];
    FcCharSet* charset = nullptr;
    if (!HasDrawableOutlines(FaceOf(candidate)) ||
        FcPatternGetCharSet(candidate, FC_CHARSET, 0, &charset) != FcResultMatch ||
        !FcCharSetHasChar(charset, static_cast<FcChar32>(c)))
      continue;
    std::string family = GetString(candidate, FC_FAMILY);
    if (!family.empty() && std::find(families.begin(), families.end(), family) == families.end())
      families.push_back(std::move(family));
  }
  return families;
}

}  // namespace vx
