// Fuzz target: any bytes through the document loader (RTF reader or plain text), then the
// RTF writer, checking that what was read is written and read back the same.
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string_view>

#include "richtext/DocumentFiles.h"
#include "richtext/LayoutInput.h"
#include "richtext/PlainText.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

namespace {

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

bool NoBreaksInRuns(const vx::StyledText& text) {
  for (const auto& line : text.lines) {
    for (const auto& run : line.runs) {
      if (run.text.empty()) return false;
      for (const char16_t u : run.text) {
        if (u == 0 || u == u'\r' || u == u'\n') return false;
      }
    }
  }
  return !text.lines.empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const vx::CharFormat editor{"Editor Face", 60, false, false, vx::CharSet::Default};
  const vx::SymbolFaceTest catalogue = [](const std::string& face) { return face == "Wingdings"; };

  const vx::LoadResult loaded = vx::LoadDocument(bytes, editor, catalogue);
  Require(loaded.ok, "a document always loads");
  Require(NoBreaksInRuns(loaded.text), "runs hold text and no line breaks");

  const vx::LayoutInput layout = vx::ToLayoutInput(loaded.text);
  Require(layout.text.size() == layout.styles.size(), "one style per code unit");

  const std::string rtf = vx::WriteRtf(loaded.text, catalogue);
  for (const char c : rtf) Require(static_cast<unsigned char>(c) < 0x80, "written RTF is 7-bit");
  const vx::LoadResult again = vx::ReadRtf(rtf, editor, catalogue);
  Require(again.ok && again.text == loaded.text, "written RTF reads back identically");

  // The plain-text path on its own, also for bytes that look like RTF.
  Require(NoBreaksInRuns(vx::LoadPlainText(bytes, editor)), "plain text lines hold no breaks");
  return 0;
}
