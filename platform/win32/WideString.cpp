// UTF-8 inside, UTF-16 at the Windows boundary: conversions for the W functions and the system's error texts.
#include "platform/win32/WideString.h"

#include "base/Utf.h"

namespace vx {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide strings are UTF-16");

std::wstring Widen(std::string_view utf8) {
  const std::u16string text = FromUtf8(utf8);
  return std::wstring(text.begin(), text.end());
}

std::string Narrow(std::wstring_view wide) {
  return ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

std::wstring FileSystemName(std::string_view utf8) {
  const std::wstring name = Widen(utf8);
  if (name.empty() || name.starts_with(L"\\\\?\\") || name.starts_with(L"\\\\.\\")) return name;
  const DWORD needed = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return name;
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(name.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return name;
  full.resize(length);
  if (full.starts_with(L"\\\\.\\")) return name;  // a device (NUL, CON) as the user named it
  // A short name goes without the prefix, which would make "C:\\x\\NUL" a
  // file instead of the device.
  if (full.size() < MAX_PATH || full.starts_with(L"\\\\?\\")) return full;
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);  // \\server\share\...
  return L"\\\\?\\" + full;
}

std::string SystemErrorText(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text = length > 0 ? Narrow(std::wstring_view(buffer, length)) : std::string();
  if (buffer != nullptr) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.')) {
    text.pop_back();
  }
  return text.empty() ? "error " + std::to_string(error) : text;
}

}  // namespace vx
