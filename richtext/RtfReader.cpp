// Reading RTF into a styled-text document: faces, half-point sizes, bold, italic, symbol codes.
#include "richtext/RtfReader.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <iterator>
#include <unordered_map>

#include "richtext/CodePage.h"
#include "richtext/StyledTextBuilder.h"
#include "base/Utf.h"

namespace vx {
namespace {

constexpr int kDefaultHalfPoints = 24;
constexpr int kMaxParameter = 1 << 30;
// Face names are cut to this many UTF-16 units (Windows allows 31): every
// run carries its face, so a huge name must not multiply with the runs.
constexpr std::size_t kMaxFaceUnits = 63;

// Control words the reader acts on; everything else is ignored.
enum class Word {
  Other, Bin, U, Uc, Upr, Ud, FontTable, F, FCharset, Cpg, Skip, AnsiCpg, Mac, Pc, Pca,
  Deff, Fs, B, I, Hidden, Plain, Par, Line, Tab, Named,
  RtlCh, LtrCh, Loch, Hich, Dbch, Af, Afs, Ab, Ai, Expndtw, Pard, RtlPar, LtrPar, Align,
};

struct WordInfo {
  Word word;
  char16_t text = 0;  // for Named; for Align, the ParagraphAlignment
};

const std::unordered_map<std::string_view, WordInfo>& Words() {
  static const std::unordered_map<std::string_view, WordInfo> words = [] {
    std::unordered_map<std::string_view, WordInfo> w{
        {"bin", {Word::Bin}},       {"u", {Word::U}},         {"uc", {Word::Uc}},
        {"upr", {Word::Upr}},       {"ud", {Word::Ud}},       {"fonttbl", {Word::FontTable}},
        {"f", {Word::F}},           {"fcharset", {Word::FCharset}}, {"cpg", {Word::Cpg}},
        {"ansicpg", {Word::AnsiCpg}}, {"mac", {Word::Mac}},   {"pc", {Word::Pc}},
        {"pca", {Word::Pca}},       {"deff", {Word::Deff}},   {"fs", {Word::Fs}},
        {"b", {Word::B}},           {"i", {Word::I}},         {"v", {Word::Hidden}},
        {"plain", {Word::Plain}},   {"par", {Word::Par}},     {"sect", {Word::Par}},
        {"page", {Word::Par}},      {"row", {Word::Par}},     {"nestrow", {Word::Par}},
        {"line", {Word::Line}},     {"tab", {Word::Tab}},     {"cell", {Word::Tab}},
        {"nestcell", {Word::Tab}},
        {"rtlch", {Word::RtlCh}},   {"ltrch", {Word::LtrCh}}, {"loch", {Word::Loch}},
        {"hich", {Word::Hich}},     {"dbch", {Word::Dbch}},   {"af", {Word::Af}},
        {"afs", {Word::Afs}},       {"ab", {Word::Ab}},       {"ai", {Word::Ai}},
        {"expndtw", {Word::Expndtw}}, {"pard", {Word::Pard}}, {"rtlpar", {Word::RtlPar}},
        {"ltrpar", {Word::LtrPar}},
        {"ql", {Word::Align, static_cast<char16_t>(ParagraphAlignment::Left)}},
        {"qc", {Word::Align, static_cast<char16_t>(ParagraphAlignment::Center)}},
        {"qr", {Word::Align, static_cast<char16_t>(ParagraphAlignment::Right)}},
        {"qj", {Word::Align, static_cast<char16_t>(ParagraphAlignment::Justify)}},
        {"emdash", {Word::Named, 0x2014}},  {"endash", {Word::Named, 0x2013}},
        {"lquote", {Word::Named, 0x2018}},  {"rquote", {Word::Named, 0x2019}},
        {"ldblquote", {Word::Named, 0x201C}}, {"rdblquote", {Word::Named, 0x201D}},
        {"bullet", {Word::Named, 0x2022}},  {"emspace", {Word::Named, 0x2003}},
        {"enspace", {Word::Named, 0x2002}}, {"qmspace", {Word::Named, 0x2005}},
        {"zwj", {Word::Named, 0x200D}},     {"zwnj", {Word::Named, 0x200C}},
    };
    // Groups whose content is not document text.
    for (const char* skipped :
         {"colortbl", "stylesheet", "info", "pict", "object", "header", "headerl", "headerr",
          "headerf", "footer", "footerl", "footerr", "footerf", "footnote", "fldinst", "comment",
          "annotation", "atnid", "atnauthor", "themedata", "colorschememapping", "latentstyles",
          "datastore", "xmlnstbl", "listtable", "listoverridetable", "rsidtbl", "generator",
          "pgdsctbl", "revtbl", "filetbl", "title", "author", "operator", "subject", "keywords",
          "doccomm", "company", "creatim", "revtim", "printim", "buptim", "txe", "nonshppict",
          "shppict", "sp", "sn", "sv", "shpinst", "bkmkstart", "bkmkend", "xe", "tc", "pn",
          "pnseclvl", "userprops", "template", "mmathPr",
          // What a nested table says to readers that know no nested tables;
          // its cells and rows are read as such instead.
          "nonesttables"}) {
      w.emplace(skipped, WordInfo{Word::Skip});
    }
    return w;
  }();
  return words;
}

// Ignorable destinations ({\* ...}) whose text a word processor shows: the
// group holds document content, not data about it. Their words are read as
// anywhere else.
bool ShowsItsText(std::string_view destination) {
  constexpr std::string_view kShown[] = {"nesttableprops"};
  return std::find(std::begin(kShown), std::end(kShown), destination) != std::end(kShown);
}

struct FontEntry {
  std::string nameBytes;         // raw bytes of the name, in the entry's code page
  std::u16string nameUnits;      // the name read so far, when \u came inside it
  int charset = -1;              // -1: no \fcharset
  int cpg = 0;                   // \cpg, 0 when absent
  std::string face;              // the decoded name, set when the entry ends
  std::optional<bool> symbolFace;  // the catalogue's answer, asked once
};

enum class Dest : unsigned char { Text, FontTable };

// Which characters the associated words that follow speak of: \loch, \hich
// and \dbch name the font of the Latin and East Asian characters, which \f
// gives as well; after \rtlch, \ltrch or none of these they set the format
// of right-to-left and complex-script characters.
enum class CharClass : unsigned char { Complex, Latin, EastAsian };

// The associated words of a group: each field unset (-1) until a word sets it.
struct AssociatedState {
  int font = -1;
  int halfPoints = -1;
  int bold = -1;
  int italic = -1;
  bool Given() const { return font >= 0 || halfPoints >= 0 || bold >= 0 || italic >= 0; }
  bool operator==(const AssociatedState&) const = default;
};

// Character state of one group.
struct GroupState {
  int font = 0;  // \deff, which is 0 when the header names none
  int halfPoints = kDefaultHalfPoints;
  bool bold = false;
  bool italic = false;
  bool hidden = false;  // \v: text a word processor does not show
  TextDirection direction = TextDirection::Unset;
  CharClass charClass = CharClass::Complex;
  AssociatedState associated;
  int expandTwips = 0;
  ParagraphFormat paragraph;
  int uc = 1;
  Dest dest = Dest::Text;
  bool skip = false;
  unsigned char upr = 0;  // 1: in \upr before its first group; 2: after it
  bool operator==(const GroupState&) const = default;
};

// The states the open groups restore when they close, innermost last.
// Consecutive equal states share one entry, so nesting costs memory only
// where the state changes: thousands of groups opened one inside the other
// with nothing in between keep a single entry.
class GroupStack {
 public:
  bool empty() const { return depth_ == 0; }
  const GroupState& top() const { return entries_.back().state; }

  void push(const GroupState& state) {
    if (!entries_.empty() && entries_.back().state == state && entries_.back().count < UINT32_MAX) {
      ++entries_.back().count;
    } else {
      entries_.push_back(Entry{state, 1});
    }
    ++depth_;
  }

  // Removes the innermost state and returns it; the stack must not be empty.
  GroupState pop() {
    Entry& last = entries_.back();
    const GroupState state = last.state;
    if (--last.count == 0) entries_.pop_back();
    --depth_;
    return state;
  }

 private:
  struct Entry {
    GroupState state;
    std::uint32_t count;
  };
  // A deque grows without copying what it holds.
  std::deque<Entry> entries_;
  std::size_t depth_ = 0;
};

// NUL, CR and LF written as \'hh or \uN are dropped like bare ones: a line
// ends only at a paragraph mark, and no text or face carries a NUL.
void DropBreakUnits(std::u16string& text) {
  std::erase_if(text, [](char16_t u) { return u == 0 || u == u'\r' || u == u'\n'; });
}

bool IsLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
int HexValue(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class RtfParser {
 public:
  RtfParser(std::string_view bytes, const CharFormat& defaultFormat, const SymbolFaceTest& isSymbolFace)
      : in_(bytes), defaultFormat_(defaultFormat), isSymbolFace_(isSymbolFace) {}

  StyledText Run();

 private:
  void OpenGroup();
  bool CloseGroup();  // false when the document group has ended
  void ControlWord();
  void ControlSymbol(unsigned char c);
  std::string_view DestinationAfterStar() const;
  bool Shown() const { return !state_.skip && !state_.hidden; }
  void TextByte(unsigned char c);
  void TextUnit(char16_t unit);
  void Break();
  void Flush();
  void FinishFontEntry();
  void ApplyWord(const WordInfo& info, std::optional<int> param);
  bool ApplyUnicodeWord(Word word, std::optional<int> param);
  void ApplyFontTableWord(Word word, std::optional<int> param);
  bool ApplyDocumentWord(Word word, std::optional<int> param);
  void ApplyTextWord(const WordInfo& info, std::optional<int> param);
  bool ApplyBidiWord(const WordInfo& info, std::optional<int> param);

  int CodePageOf(int font) const;
  int NameCodePage(const FontEntry& entry) const;
  bool IsSymbolFont(int font);
  CharSet CharSetOfFont(int font);
  const CharFormat& Format();
  void StateChanged() { formatValid_ = false; }

  std::string_view in_;
  std::size_t pos_ = 0;
  const CharFormat& defaultFormat_;
  const SymbolFaceTest& isSymbolFace_;

  std::map<int, FontEntry> fonts_;
  FontEntry* entry_ = nullptr;  // the font table entry being read
  int ansiCodePage_ = 1252;
  int deff_ = 0;

  GroupState state_;
  GroupStack stack_;
  int skipFallback_ = 0;

  std::string pendingBytes_;
  std::u16string pendingUnits_;
  std::u16string decoded_;
  CodePageDecoder decoder_;

  CharFormat format_;
  bool formatValid_ = false;
  StyledTextBuilder builder_;
};

StyledText RtfParser::Run() {
  pos_ = in_.find('{');
  while (pos_ < in_.size()) {
    const auto c = static_cast<unsigned char>(in_[pos_]);
    if (c == '{') {
      ++pos_;
      OpenGroup();
    } else if (c == '}') {
      ++pos_;
      if (!CloseGroup()) break;
    } else if (c == '\\') {
      ++pos_;
      if (pos_ >= in_.size()) break;
      const auto next = static_cast<unsigned char>(in_[pos_]);
      if (IsLetter(next)) {
        ControlWord();
      } else {
        ++pos_;
        ControlSymbol(next);
      }
    } else if (c == '\r' || c == '\n' || c == '\0') {
      ++pos_;
    } else {
      ++pos_;
      TextByte(c);
    }
  }
  Flush();
  // The last paragraph mark ends the last paragraph; it starts no new line.
  if (!builder_.DropTrailingBreak()) builder_.SetParagraph(state_.paragraph);
  return builder_.Finish(Format());
}

void RtfParser::OpenGroup() {
  Flush();
  skipFallback_ = 0;
  if (state_.skip && !stack_.empty() && stack_.top().skip) {
    // Inside a group that is skipped for good (\ud reads a group again only
    // when its parent is read), only the depth matters: every level saves
    // the same state, which the stack keeps once.
    GroupState skipped;
    skipped.skip = true;
    stack_.push(skipped);
    return;
  }
  GroupState saved = state_;
  if (state_.upr == 1) {
    // The first group of \upr is the ANSI copy of what its \ud group holds.
    saved.upr = 2;
    state_.skip = true;
  }
  stack_.push(saved);
  state_.upr = 0;
}

bool RtfParser::CloseGroup() {
  Flush();
  skipFallback_ = 0;
  if (state_.dest == Dest::FontTable && !state_.skip) FinishFontEntry();
  if (stack_.empty()) return false;
  state_ = stack_.pop();
  StateChanged();
  return !stack_.empty();
}

void RtfParser::ControlWord() {
  const std::size_t start = pos_;
  while (pos_ < in_.size() && IsLetter(static_cast<unsigned char>(in_[pos_]))) ++pos_;
  const std::string_view name = in_.substr(start, pos_ - start);
  std::optional<int> param;
  std::size_t digits = pos_;
  const bool negative = digits < in_.size() && in_[digits] == '-';
  if (negative) ++digits;
  if (digits < in_.size() && IsDigit(static_cast<unsigned char>(in_[digits]))) {
    long long value = 0;
    while (digits < in_.size() && IsDigit(static_cast<unsigned char>(in_[digits]))) {
      value = std::min<long long>(value * 10 + (in_[digits] - '0'), kMaxParameter);
      ++digits;
    }
    param = static_cast<int>(negative ? -value : value);
    pos_ = digits;
  }
  if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;

  const auto found = Words().find(name);
  const WordInfo info = found == Words().end() ? WordInfo{Word::Other} : found->second;
  if (info.word == Word::Bin) {
    // Raw data, braces and backslashes included; a count past the end ends the input.
    const std::size_t count = static_cast<std::size_t>(std::max(param.value_or(0), 0));
    pos_ = count > in_.size() - pos_ ? in_.size() : pos_ + count;
    return;
  }
  if (skipFallback_ > 0 && info.word != Word::U) {
    --skipFallback_;  // a control word counts as one fallback character
    return;
  }
  ApplyWord(info, param);
}

// A control word's effect: the Unicode words act even where text is
// skipped; the rest act only where it is read, by destination.
void RtfParser::ApplyWord(const WordInfo& info, std::optional<int> param) {
  if (ApplyUnicodeWord(info.word, param)) return;
  if (state_.skip) return;
  if (state_.dest == Dest::FontTable) {
    ApplyFontTableWord(info.word, param);
    return;
  }
  if (ApplyDocumentWord(info.word, param)) return;
  Flush();
  ApplyTextWord(info, param);
}

// \u, \uc, \upr and \ud; false for any other word.
bool RtfParser::ApplyUnicodeWord(Word word, std::optional<int> param) {
  switch (word) {
    case Word::U:
      if (param) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned>(*param) & 0xFFFF);
        if (!state_.skip && state_.dest == Dest::FontTable) {
          if (entry_ != nullptr) {
            decoder_.Decode(NameCodePage(*entry_), entry_->nameBytes, entry_->nameUnits);
            entry_->nameBytes.clear();
            entry_->nameUnits.push_back(unit);
          }
        } else if (Shown()) {
          if (!pendingBytes_.empty()) Flush();
          pendingUnits_.push_back(unit);
        }
        skipFallback_ = state_.uc;
      }
      return true;
    case Word::Uc:
      state_.uc = std::max(param.value_or(0), 0);
      return true;
    case Word::Upr:
      state_.upr = 1;
      return true;
    case Word::Ud:
      // The Unicode copy of \upr's content is read unless its parent is skipped.
      if (!stack_.empty() && !stack_.top().skip) state_.skip = false;
      return true;
    default:
      return false;
  }
}

// Inside the font table: a new entry, its character set and its code page.
void RtfParser::ApplyFontTableWord(Word word, std::optional<int> param) {
  if (word == Word::F) {
    FinishFontEntry();
    entry_ = &(fonts_[param.value_or(0)] = FontEntry{});
  } else if (word == Word::FCharset && entry_ != nullptr) {
    entry_->charset = param.value_or(0);
  } else if (word == Word::Cpg && entry_ != nullptr) {
    entry_->cpg = param.value_or(0);
  }
}

// Destinations and the document's code page and default font; false for any
// other word.
bool RtfParser::ApplyDocumentWord(Word word, std::optional<int> param) {
  switch (word) {
    case Word::FontTable:
      Flush();
      state_.dest = Dest::FontTable;
      entry_ = nullptr;
      return true;
    case Word::Skip:
      Flush();
      state_.skip = true;
      return true;
    case Word::AnsiCpg: {
      const int page = param.value_or(0);
      // 1200, 1201 and 65001 name Unicode forms, not byte code pages.
      ansiCodePage_ = (page <= 0 || page == 1200 || page == 1201 || page == 65001) ? 1252 : page;
      return true;
    }
    case Word::Mac:
      ansiCodePage_ = 10000;
      return true;
    case Word::Pc:
      ansiCodePage_ = 437;
      return true;
    case Word::Pca:
      ansiCodePage_ = 850;
      return true;
    case Word::Deff:
      deff_ = param.value_or(0);
      state_.font = deff_;
      StateChanged();
      return true;
    default:
      return false;
  }
}

// Characters a word stands for, breaks, and the character format (font,
// size, bold, italic, hidden). Pending text has been flushed in the format it
// was read in.
void RtfParser::ApplyTextWord(const WordInfo& info, std::optional<int> param) {
  switch (info.word) {
    case Word::Named:
      TextUnit(info.text);
      return;
    case Word::Par:
      Break();
      return;
    case Word::Line:
      TextUnit(kLineSeparator);
      return;
    case Word::Tab:
      TextUnit(u'\t');
      return;
    case Word::F:
      if (fonts_.count(param.value_or(0)) != 0) state_.font = param.value_or(0);
      break;
    case Word::Fs:
      state_.halfPoints = param.value_or(0) > 0 ? std::min(*param, kMaxHalfPoints) : kDefaultHalfPoints;
      break;
    case Word::B:
      state_.bold = param.value_or(1) != 0;
      break;
    case Word::I:
      state_.italic = param.value_or(1) != 0;
      break;
    case Word::Hidden:
      state_.hidden = param.value_or(1) != 0;
      return;
    case Word::Plain:
      state_.font = deff_;
      state_.halfPoints = kDefaultHalfPoints;
      state_.bold = false;
      state_.italic = false;
      state_.hidden = false;
      state_.direction = TextDirection::Unset;
      state_.charClass = CharClass::Complex;
      state_.associated = AssociatedState{};
      state_.expandTwips = 0;
      break;
    case Word::Expndtw:
      // Held within as many twips as the largest size has half points.
      state_.expandTwips = std::clamp(param.value_or(0), -kMaxHalfPoints, kMaxHalfPoints);
      break;
    default:
      if (!ApplyBidiWord(info, param)) return;
  }
  StateChanged();
}

// The words of right-to-left and complex-script text: character direction,
// the associated format and the paragraph's direction and alignment; false
// for any other word, and for a word that changes nothing a run carries.
bool RtfParser::ApplyBidiWord(const WordInfo& info, std::optional<int> param) {
  AssociatedState& associated = state_.associated;
  switch (info.word) {
    case Word::RtlCh:
    case Word::LtrCh:
      state_.direction = info.word == Word::RtlCh ? TextDirection::RightToLeft : TextDirection::LeftToRight;
      state_.charClass = CharClass::Complex;
      return true;
    case Word::Loch:
    case Word::Hich:
      state_.charClass = CharClass::Latin;
      return false;
    case Word::Dbch:
      state_.charClass = CharClass::EastAsian;
      return false;
    case Word::Af:
      if (state_.charClass != CharClass::Complex || fonts_.count(param.value_or(0)) == 0) return false;
      associated.font = param.value_or(0);
      return true;
    case Word::Afs:
      associated.halfPoints = param.value_or(0) > 0 ? std::min(*param, kMaxHalfPoints) : kDefaultHalfPoints;
      return true;
    case Word::Ab:
      associated.bold = param.value_or(1) != 0;
      return true;
    case Word::Ai:
      associated.italic = param.value_or(1) != 0;
      return true;
    case Word::Pard:
      state_.paragraph = ParagraphFormat{};
      return false;
    case Word::RtlPar:
    case Word::LtrPar:
      state_.paragraph.direction =
          info.word == Word::RtlPar ? TextDirection::RightToLeft : TextDirection::LeftToRight;
      return false;
    case Word::Align:
      state_.paragraph.alignment = static_cast<ParagraphAlignment>(info.text);
      return false;
    default:
      return false;
  }
}

void RtfParser::ControlSymbol(unsigned char c) {
  if (c == '\'') {
    // \'hh: exactly two hex digits; a truncated escape is dropped and
    // consumes only the hex digits it has.
    const int high = pos_ < in_.size() ? HexValue(static_cast<unsigned char>(in_[pos_])) : -1;
    const int low = pos_ + 1 < in_.size() ? HexValue(static_cast<unsigned char>(in_[pos_ + 1])) : -1;
    if (high >= 0 && low >= 0) {
      pos_ += 2;
      TextByte(static_cast<unsigned char>(high * 16 + low));
    } else if (high >= 0) {
      ++pos_;
    }
    return;
  }
  if (c == '*') {
    if (!stack_.empty() && !ShowsItsText(DestinationAfterStar())) {
      Flush();
      state_.skip = true;
    }
    return;
  }
  if (skipFallback_ > 0) {
    --skipFallback_;
    return;
  }
  switch (c) {
    case '\\':
    case '{':
    case '}':
      TextByte(c);
      return;
    case '\r':
    case '\n':
      Flush();
      Break();
      return;
    case '~':
      TextUnit(0x00A0);
      return;
    case '_':
      TextUnit(0x2011);
      return;
    default:
      return;  // \- (optional hyphen) and the rest show nothing
  }
}

// The control word that follows \* (line breaks between them are ignored).
std::string_view RtfParser::DestinationAfterStar() const {
  std::size_t at = pos_;
  while (at < in_.size() && (in_[at] == '\r' || in_[at] == '\n')) ++at;
  if (at >= in_.size() || in_[at] != '\\') return {};
  const std::size_t start = ++at;
  while (at < in_.size() && IsLetter(static_cast<unsigned char>(in_[at]))) ++at;
  return in_.substr(start, at - start);
}

void RtfParser::TextByte(unsigned char c) {
  if (skipFallback_ > 0) {
    --skipFallback_;
    return;
  }
  if (state_.skip) return;
  if (state_.dest == Dest::FontTable) {
    if (entry_ != nullptr) entry_->nameBytes.push_back(static_cast<char>(c));
    return;
  }
  if (state_.hidden) return;
  if (!pendingUnits_.empty()) Flush();
  pendingBytes_.push_back(static_cast<char>(c));
}

void RtfParser::TextUnit(char16_t unit) {
  if (skipFallback_ > 0) {
    --skipFallback_;
    return;
  }
  if (!Shown() || state_.dest == Dest::FontTable) return;
  Flush();
  builder_.Append(unit, Format());
}

void RtfParser::Break() {
  // A hidden paragraph mark joins its paragraph to the next, as shown.
  if (!Shown() || state_.dest == Dest::FontTable) return;
  builder_.SetParagraph(state_.paragraph);
  builder_.Break(Format());
}

void RtfParser::Flush() {
  if (!pendingBytes_.empty()) {
    decoded_.clear();
    if (IsSymbolFont(state_.font)) {
      for (const char b : pendingBytes_) decoded_.push_back(static_cast<unsigned char>(b));
    } else {
      decoder_.Decode(CodePageOf(state_.font), pendingBytes_, decoded_);
    }
    pendingBytes_.clear();
    DropBreakUnits(decoded_);
    builder_.Append(decoded_, Format());
  }
  if (!pendingUnits_.empty()) {
    RepairSurrogates(pendingUnits_);
    DropBreakUnits(pendingUnits_);
    if (IsSymbolFont(state_.font)) {
      // Word and LibreOffice write symbol codes as U+F020..U+F0FF.
      for (char16_t& unit : pendingUnits_) unit = SymbolCodeOfUnit(unit);
    }
    builder_.Append(pendingUnits_, Format());
    pendingUnits_.clear();
  }
}

void RtfParser::FinishFontEntry() {
  if (entry_ == nullptr) return;
  FontEntry& entry = *entry_;
  entry_ = nullptr;
  std::u16string name = std::move(entry.nameUnits);
  decoder_.Decode(NameCodePage(entry), entry.nameBytes, name);
  entry.nameBytes.clear();
  RepairSurrogates(name);
  DropBreakUnits(name);
  name = name.substr(0, name.find(u';'));
  const auto isSpace = [](char16_t u) { return u == u' ' || u == u'\t'; };
  std::size_t lead = 0;
  while (lead < name.size() && isSpace(name[lead])) ++lead;
  name.erase(0, lead);
  if (name.size() > kMaxFaceUnits) {
    const bool splitsPair = name[kMaxFaceUnits] >= 0xDC00 && name[kMaxFaceUnits] <= 0xDFFF;
    name.resize(kMaxFaceUnits - (splitsPair ? 1 : 0));
  }
  while (!name.empty() && isSpace(name.back())) name.pop_back();
  entry.face = ToUtf8(name);
  entry.nameUnits.clear();
  entry.symbolFace.reset();
  StateChanged();
}

// Names are written in the entry's own code page; a symbol entry's name in the document's.
int RtfParser::NameCodePage(const FontEntry& entry) const {
  const int page = entry.cpg != 0 ? entry.cpg : CodePageOfCharset(entry.charset);
  return page == 0 || page == kSymbolCodePage ? ansiCodePage_ : page;
}

int RtfParser::CodePageOf(int font) const {
  const auto found = fonts_.find(font);
  if (found == fonts_.end()) return ansiCodePage_;
  const FontEntry& entry = found->second;
  if (entry.cpg != 0) return entry.cpg;
  const int page = CodePageOfCharset(entry.charset);
  return page != 0 ? page : ansiCodePage_;
}

bool RtfParser::IsSymbolFont(int font) {
  const auto found = fonts_.find(font);
  if (found == fonts_.end()) return false;
  FontEntry& entry = found->second;
  if (entry.charset == 2) return true;
  if (!entry.symbolFace) entry.symbolFace = isSymbolFace_ && isSymbolFace_(entry.face);
  return *entry.symbolFace;
}

CharSet RtfParser::CharSetOfFont(int font) {
  if (IsSymbolFont(font)) return CharSet::Symbol;
  const auto found = fonts_.find(font);
  return found != fonts_.end() ? CharSetOfNumber(found->second.charset) : CharSet::Default;
}

const CharFormat& RtfParser::Format() {
  if (formatValid_) return format_;
  const auto found = fonts_.find(state_.font);
  format_.face = found != fonts_.end() ? found->second.face : defaultFormat_.face;
  format_.halfPoints = state_.halfPoints;
  format_.bold = state_.bold;
  format_.italic = state_.italic;
  format_.charset = CharSetOfFont(state_.font);
  format_.direction = state_.direction;
  format_.expandTwips = state_.expandTwips;
  format_.associated.reset();
  if (const AssociatedState& a = state_.associated; a.Given()) {
    // What the associated words leave unsaid is as the run's own format.
    const int font = a.font >= 0 ? a.font : state_.font;
    const auto associatedFont = fonts_.find(font);
    format_.associated = AssociatedFormat{
        associatedFont != fonts_.end() ? associatedFont->second.face : format_.face,
        a.halfPoints >= 0 ? a.halfPoints : state_.halfPoints, a.bold > 0, a.italic > 0, CharSetOfFont(font)};
  }
  formatValid_ = true;
  return format_;
}

}  // namespace

bool IsRtf(std::string_view bytes) {
  const std::size_t start = bytes.find_first_not_of(" \r\n");
  return start != std::string_view::npos && bytes.substr(start, 5) == "{\\rtf";
}

LoadResult ReadRtf(std::string_view bytes, const CharFormat& defaultFormat, const SymbolFaceTest& isSymbolFace) {
  LoadResult result;
  if (!IsRtf(bytes)) {
    result.error = "The data is not in Rich Text Format.";
    return result;
  }
  result.text = RtfParser(bytes, defaultFormat, isSymbolFace).Run();
  result.ok = true;
  return result;
}

}  // namespace vx
