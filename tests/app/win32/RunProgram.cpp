// Running the built vexoglyph.exe from a test on Windows: a UTF-16 command line, files for its standard streams.
#include "tests/app/RunProgram.h"

#include <windows.h>

#include <stdexcept>

#include "platform/Utf.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace vx::test {
namespace {

std::wstring Wide(const std::string& utf8) {
  const std::u16string text = vx::FromUtf8(utf8);
  return std::wstring(text.begin(), text.end());
}

// One argument quoted as the C runtime's command-line parser reads it back:
// backslashes double only before a quote, quotes are escaped.
void AppendQuoted(std::wstring& line, const std::wstring& arg) {
  line += L'"';
  std::size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    line.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    line += c;
  }
  line.append(2 * backslashes, L'\\');
  line += L'"';
}

// The program's full path, taken once: a test may change the current folder,
// even the current drive, before it runs the program.
const std::wstring& ProgramPath() {
  static const std::wstring path = [] {
    const std::wstring given = Wide(VEXOGLYPH_EXE);
    wchar_t full[MAX_PATH];
    const DWORD length = GetFullPathNameW(given.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::wstring(full, length) : given;
  }();
  return path;
}

HANDLE Inheritable(const std::string& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const HANDLE file = CreateFileW(Wide(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                  disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path);
  return file;
}

}  // namespace

bool FileSizeLimitApplies() { return false; }

std::string FileSizeLimitMissing() {
  return "Windows has no per-process file size limit, so no write can be made to fail part way";
}

// options.fileSizeLimit cannot be applied here (see FileSizeLimitApplies),
// and options.memoryLimit is not: the 32-bit program has its own 2 GB.
RunOutcome RunVexoglyph(const std::vector<std::string>& args, const RunOptions& options) {
  TempFolder io;
  WriteFileBytes(io.Path("in"), options.stdinBytes);
  std::wstring line;
  AppendQuoted(line, ProgramPath());
  for (const std::string& arg : args) {
    line += L' ';
    AppendQuoted(line, Wide(arg));
  }

  const HANDLE in =
      Inheritable(options.stdinFile.empty() ? io.Path("in") : options.stdinFile, GENERIC_READ, OPEN_EXISTING);
  const HANDLE out = Inheritable(io.Path("out"), GENERIC_WRITE, CREATE_ALWAYS);
  const HANDLE err = Inheritable(io.Path("err"), GENERIC_WRITE, CREATE_ALWAYS);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  const BOOL started =
      CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
  CloseHandle(in);
  CloseHandle(out);
  CloseHandle(err);
  if (!started) throw std::runtime_error("cannot run vexoglyph.exe");
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  RunOutcome outcome;
  outcome.exitCode = static_cast<int>(code);
  outcome.out = ReadFileBytes(io.Path("out"));
  // The program ends its message lines in CR LF, as Windows consoles expect;
  // the tests read them as lines.
  outcome.err = ReadFileBytes(io.Path("err"));
  for (std::size_t at = outcome.err.find("\r\n"); at != std::string::npos; at = outcome.err.find("\r\n", at)) {
    outcome.err.erase(at, 1);
  }
  return outcome;
}

}  // namespace vx::test
