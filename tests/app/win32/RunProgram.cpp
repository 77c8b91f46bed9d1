// Running the built vexoglyph.exe from a test on Windows: a UTF-16 command line, files for its standard streams.
#include "tests/app/RunProgram.h"

#include <windows.h>

#include <stdexcept>

#include "base/Utf.h"
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

// A job that holds each of its processes to limit bytes of committed
// memory; null when the system refuses one.
HANDLE MemoryLimitedJob(SIZE_T limit) {
  const HANDLE job = CreateJobObjectW(nullptr, nullptr);
  if (job == nullptr) return nullptr;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_PROCESS_MEMORY | JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  limits.ProcessMemoryLimit = limit;
  if (!SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
    CloseHandle(job);
    return nullptr;
  }
  return job;
}

bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// Starts the program suspended, inside a job with options.memoryLimit when
// one is given, and lets it run.
bool Start(std::wstring& line, STARTUPINFOW& startup, const RunOptions& options, PROCESS_INFORMATION& process,
           HANDLE& job) {
  job = options.memoryLimit ? MemoryLimitedJob(static_cast<SIZE_T>(*options.memoryLimit)) : nullptr;
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  if (job != nullptr) AssignProcessToJobObject(job, process.hProcess);
  ResumeThread(process.hThread);
  return true;
}

}  // namespace

bool FileSizeLimitApplies() { return false; }

std::string FileSizeLimitMissing() {
  return "Windows has no per-process file size limit, so no write can be made to fail part way";
}

bool MemoryLimitApplies() { return sizeof(void*) == 4 || !UnderWine(); }

std::string MemoryLimitMissing() {
  return "Wine does not hold a job's processes to its memory limit, and a 64-bit program has no 2 GB address "
         "space to run out of";
}

// options.fileSizeLimit cannot be applied here (see FileSizeLimitApplies);
// options.memoryLimit holds the program to that much committed memory
// through a job (the 32-bit program also has only its own 2 GB).
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
  HANDLE job = nullptr;
  const bool started = Start(line, startup, options, process, job);
  CloseHandle(in);
  CloseHandle(out);
  CloseHandle(err);
  if (!started) throw std::runtime_error("cannot run vexoglyph.exe");
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (job != nullptr) CloseHandle(job);

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
