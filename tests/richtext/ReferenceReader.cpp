// The reference reader beside the repository (a Python program) and ours, each file's runs in one comparable text.
#include "ReferenceReader.h"

#include <filesystem>

#include "TestText.h"
#include "richtext/RtfReader.h"
#include "tests/support/CommandOutput.h"
#include "tests/support/FileBytes.h"

namespace vx::test {

std::optional<std::string> ReferenceRuns(const std::string& file) {
  const std::string refDir = TestDataDir() + "/../notes/rtf-reference";
  const std::string script = std::string(VX_SOURCE_DIR_DEFAULT) + "/tests/richtext/reference_runs.py";
  if (!std::filesystem::exists(refDir + "/rtfruns.py")) return std::nullopt;
  return test::CommandOutput("python3 '" + script + "' '" + refDir + "' '" + file + "' 2>/dev/null");
}

namespace {

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (const unsigned char c : bytes) {
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 15]);
  }
  return out;
}

}  // namespace

std::string OurRuns(const std::string& file) {
  const CharFormat noFace{"", 24, false, false, CharSet::Default};
  const LoadResult result = ReadRtf(ReadFileBytes(file), noFace);
  std::string out;
  for (const FlatRun& r : Flatten(result.text)) {
    out += Hex(r.text) + "|" + Hex(r.face) + "|" + std::to_string(r.halfPoints) + "|" + (r.bold ? "1" : "0") +
           "|" + (r.italic ? "1" : "0") + "|" + (r.symbol ? "1" : "0") + "\n";
  }
  return out;
}

}  // namespace vx::test
