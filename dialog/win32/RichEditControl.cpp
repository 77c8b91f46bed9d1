// Memo1 on Windows: the system's RichEdit control, read and written in the styled-text model's terms.
#include "dialog/win32/RichEditControl.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

#include "base/Utf.h"
#include "platform/win32/WideString.h"
#include "richtext/RtfWriter.h"

namespace vx {
namespace {

constexpr int kTwipsPerHalfPoint = 10;
constexpr DWORD kFormatMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_CHARSET;

CHARFORMAT2W EmptyFormat(DWORD mask) {
  CHARFORMAT2W format;
  std::memset(&format, 0, sizeof(format));
  format.cbSize = sizeof(format);
  format.dwMask = mask;
  return format;
}

CharFormat FromControlFormat(const CHARFORMAT2W& format) {
  CharFormat result;
  const std::u16string face(reinterpret_cast<const char16_t*>(format.szFaceName));
  result.face = ToUtf8(face);
  result.halfPoints = static_cast<int>(format.yHeight / kTwipsPerHalfPoint);
  result.bold = (format.dwEffects & CFE_BOLD) != 0;
  result.italic = (format.dwEffects & CFE_ITALIC) != 0;
  result.charset = format.bCharSet == SYMBOL_CHARSET ? CharSet::Symbol : CharSet::Default;
  return result;
}

struct StreamSource {
  const std::string* bytes;
  std::size_t offset = 0;
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto* source = reinterpret_cast<StreamSource*>(cookie);
  const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(wanted),
                                                   source->bytes->size() - source->offset);
  std::memcpy(buffer, source->bytes->data() + source->offset, count);
  source->offset += count;
  *given = static_cast<LONG>(count);
  return 0;
}

// The text as the control holds it: a paragraph break is one CR.
std::u16string ControlText(HWND edit) {
  GETTEXTLENGTHEX length = {GTL_NUMCHARS | GTL_PRECISE, 1200};
  const LRESULT units = SendMessageW(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
  std::u16string text(static_cast<std::size_t>(std::max<LRESULT>(units, 0)) + 1, u'\0');
  GETTEXTEX get = {};
  get.cb = static_cast<DWORD>(text.size() * sizeof(char16_t));
  get.flags = GT_DEFAULT;
  get.codepage = 1200;
  const LRESULT copied =
      SendMessageW(edit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
  return text;
}

bool IsPrivateSymbolUnit(char16_t unit) { return SymbolCodeOfUnit(unit) != unit; }

}  // namespace

bool LoadRichEditLibrary() {
  static const HMODULE library = LoadLibraryW(L"Msftedit.dll");
  return library != nullptr;
}

const wchar_t* RichEditClassName() { return MSFTEDIT_CLASS; }

std::u16string RichEditControl::Text() const {
  const std::u16string held = ControlText(edit_);
  std::u16string text;
  text.reserve(held.size() + held.size() / 16);
  for (std::size_t i = 0; i < held.size(); ++i) {
    const char16_t unit = held[i];
    if (unit == u'\r') {
      text += u"\r\n";
    } else if (IsPrivateSymbolUnit(unit) &&
               FormatOfRange(static_cast<int>(i), static_cast<int>(i) + 1).charset == CharSet::Symbol) {
      text.push_back(SymbolCodeOfUnit(unit));
    } else {
      text.push_back(unit);
    }
  }
  return text;
}

std::vector<std::u16string> RichEditControl::Lines() const {
  std::vector<std::u16string> lines(1);
  for (char16_t unit : ControlText(edit_)) {
    if (unit == u'\r') {
      lines.emplace_back();
    } else {
      lines.back().push_back(unit);
    }
  }
  return lines;
}

int RichEditControl::SelStart() const {
  CHARRANGE range = {};
  SendMessageW(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return static_cast<int>(range.cpMin);
}

int RichEditControl::SelLength() const {
  CHARRANGE range = {};
  SendMessageW(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return static_cast<int>(range.cpMax - range.cpMin);
}

void RichEditControl::Select(int start, int length) {
  CHARRANGE range = {start, start + length};
  SendMessageW(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

CharFormat RichEditControl::SelFormat() const {
  CHARRANGE range = {};
  SendMessageW(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  // The control's own answer for a mixed selection clears the flags that
  // differ (a partly bold selection reads as not bold); the formatting rules
  // read the first character, as every view does.
  if (range.cpMax > range.cpMin) {
    QuietSelection quiet(edit_);
    return FormatOfRange(static_cast<int>(range.cpMin), static_cast<int>(range.cpMin) + 1);
  }
  return CaretFormat();
}

CharFormat RichEditControl::CaretFormat() const {
  CHARFORMAT2W format = EmptyFormat(kFormatMask);
  SendMessageW(edit_, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  return FromControlFormat(format);
}

CharFormat RichEditControl::FormatOfRange(int start, int end) const {
  CHARRANGE saved = {};
  SendMessageW(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&saved));
  CHARRANGE range = {start, end};
  SendMessageW(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  const CharFormat format = CaretFormat();
  SendMessageW(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
  return format;
}

void RichEditControl::SetSelFormat(const CHARFORMAT2W& format) {
  SendMessageW(edit_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

void RichEditControl::SetSelFace(const std::string& face) {
  CHARFORMAT2W format = EmptyFormat(CFM_FACE);
  const std::wstring name = Widen(face).substr(0, LF_FACESIZE - 1);
  std::copy(name.begin(), name.end(), format.szFaceName);
  SetSelFormat(format);
}

void RichEditControl::SetSelSize(int points) {
  CHARFORMAT2W format = EmptyFormat(CFM_SIZE);
  format.yHeight = static_cast<LONG>(std::clamp(points, 0, kMaxPointSize)) * 2 * kTwipsPerHalfPoint;
  SetSelFormat(format);
}

void RichEditControl::SetSelStyle(bool bold, bool italic) {
  CHARFORMAT2W format = EmptyFormat(CFM_BOLD | CFM_ITALIC);
  format.dwEffects = (bold ? CFE_BOLD : 0) | (italic ? CFE_ITALIC : 0);
  SetSelFormat(format);
}

void RichEditControl::SetCaretFaceAndCharset(const std::string& face, CharSet charset) {
  CHARFORMAT2W format = EmptyFormat(CFM_FACE | CFM_CHARSET);
  const std::wstring name = Widen(face).substr(0, LF_FACESIZE - 1);
  std::copy(name.begin(), name.end(), format.szFaceName);
  format.bCharSet = charset == CharSet::Symbol ? SYMBOL_CHARSET : DEFAULT_CHARSET;
  SetSelFormat(format);
}

void RichEditControl::SetDefaultCharset(CharSet charset) {
  CHARFORMAT2W format = EmptyFormat(CFM_CHARSET);
  format.bCharSet = charset == CharSet::Symbol ? SYMBOL_CHARSET : DEFAULT_CHARSET;
  SendMessageW(edit_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  SendMessageW(edit_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

void RichEditControl::SetDocument(const StyledText& text, const SymbolFaceTest& isSymbolFace) {
  const std::string rtf = WriteRtf(text, isSymbolFace);
  StreamSource source{&rtf};
  EDITSTREAM stream = {};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
  stream.pfnCallback = ReadStream;
  SendMessageW(edit_, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
}

StyledText RichEditControl::Document() const {
  const std::u16string held = ControlText(edit_);
  QuietSelection quiet(edit_);
  StyledText document;
  StyledLine* line = &document.lines.back();
  for (std::size_t i = 0; i <= held.size(); ++i) {
    const int at = static_cast<int>(i);
    CharFormat format = FormatOfRange(at, at + 1);
    if (i == held.size() || held[i] == u'\r') {
      // The paragraph mark carries the format of the line's end.
      line->endFormat = format;
      if (i == held.size()) break;
      document.lines.emplace_back();
      line = &document.lines.back();
      continue;
    }
    char16_t unit = held[i];
    if (format.charset == CharSet::Symbol) unit = SymbolCodeOfUnit(unit);
    if (line->runs.empty() || !(line->runs.back().format == format)) line->runs.push_back({u"", format});
    line->runs.back().text.push_back(unit);
  }
  return document;
}

void RichEditControl::Clear() {
  SETTEXTEX set = {ST_DEFAULT, 1200};
  SendMessageW(edit_, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&set), reinterpret_cast<LPARAM>(L""));
}

void RichEditControl::ReplaceSelection(const std::u16string& text) {
  const std::wstring wide(text.begin(), text.end());
  SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
}

bool RichEditControl::CanUndo() const { return SendMessageW(edit_, EM_CANUNDO, 0, 0) != 0; }

bool RichEditControl::CanPaste() const { return SendMessageW(edit_, EM_CANPASTE, 0, 0) != 0; }

QuietSelection::QuietSelection(HWND edit) : edit_(edit), mask_(SendMessageW(edit, EM_GETEVENTMASK, 0, 0)) {
  SendMessageW(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection_));
  SendMessageW(edit_, EM_SETEVENTMASK, 0, mask_ & ~static_cast<LPARAM>(ENM_SELCHANGE));
}

QuietSelection::~QuietSelection() {
  SendMessageW(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection_));
  SendMessageW(edit_, EM_SETEVENTMASK, 0, mask_);
}

FrozenBox::FrozenBox(HWND edit) : edit_(edit), mask_(SendMessageW(edit, EM_GETEVENTMASK, 0, 0)) {
  SendMessageW(edit_, EM_SETEVENTMASK, 0, mask_ & ~static_cast<LPARAM>(ENM_SELCHANGE));
  SendMessageW(edit_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(edit_, EM_HIDESELECTION, TRUE, 0);
}

FrozenBox::~FrozenBox() {
  SendMessageW(edit_, EM_HIDESELECTION, FALSE, 0);
  SendMessageW(edit_, WM_SETREDRAW, TRUE, 0);
  SendMessageW(edit_, EM_SETEVENTMASK, 0, mask_);
  InvalidateRect(edit_, nullptr, TRUE);
}

}  // namespace vx
