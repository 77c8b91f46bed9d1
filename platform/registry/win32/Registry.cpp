// Registry accessor on Windows: the system's registry, keys opened by path for each operation.
#include "platform/registry/Registry.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "platform/registry/RegistryErrors.h"
#include "platform/registry/RegistryKey.h"
#include "platform/win32/WideString.h"

namespace vx {
namespace {

// Full access rights, as the CAD registration asks for: a key that refuses
// them counts as one that cannot be opened. HKEY_LOCAL_MACHINE\Software has a
// 32-bit and a 64-bit view on 64-bit Windows; the library reads and writes
// the view of the CAD programs that can load it: the 32-bit view from the
// 32-bit DLL (also when it runs on 64-bit Windows), the 64-bit view from the
// 64-bit DLL.
constexpr REGSAM kHostView = sizeof(void*) == 8 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
constexpr REGSAM kAccess = KEY_ALL_ACCESS | kHostView;

HKEY RootHandle(RegistryRoot root) {
  return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// An open registry key, closed when it goes out of scope.
class KeyHandle {
 public:
  KeyHandle() = default;
  ~KeyHandle() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  KeyHandle(const KeyHandle&) = delete;
  KeyHandle& operator=(const KeyHandle&) = delete;
  HKEY* Out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

std::wstring JoinedPath(const std::vector<std::string>& parts) {
  std::string joined;
  for (const std::string& part : parts) joined += (joined.empty() ? "" : "\\") + part;
  return Widen(joined);
}

// The data of a value: false when it is missing or cannot be read.
bool QueryValue(HKEY key, std::string_view name, DWORD& type, std::vector<BYTE>& data) {
  const std::wstring wideName = Widen(name);
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD size = 0;
    if (RegQueryValueExW(key, wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    data.resize(size);
    const LONG status = RegQueryValueExW(key, wideName.c_str(), nullptr, &type, data.data(), &size);
    if (status == ERROR_SUCCESS) {
      data.resize(size);
      return true;
    }
    if (status != ERROR_MORE_DATA) return false;  // else the value grew meanwhile: ask again
  }
  return false;
}

}  // namespace

// The system's registry keeps everything itself: the accessor holds only the
// open key's path and opens the key again for each operation.
struct Registry::Store {};

Registry::Registry(RegistryRoot root) : root_(root), store_(std::make_unique<Store>()) {}

Registry::~Registry() { CloseKey(); }

Registry::Store& Registry::Backing() const { return *store_; }

bool Registry::OpenKey(std::string_view path, bool canCreate) {
  CloseKey();
  std::vector<std::string> parts = SplitKeyPath(path);
  KeyHandle key;
  const std::wstring widePath = JoinedPath(parts);
  const LONG status = canCreate ? RegCreateKeyExW(RootHandle(root_), widePath.c_str(), 0, nullptr,
                                                  REG_OPTION_NON_VOLATILE, kAccess, nullptr, key.Out(), nullptr)
                                : RegOpenKeyExW(RootHandle(root_), widePath.c_str(), 0, kAccess, key.Out());
  if (status != ERROR_SUCCESS) return false;
  path_ = std::move(parts);
  open_ = true;
  return true;
}

// OpenKey asks for full access rights already.
bool Registry::OpenKeyForWriting(std::string_view path) { return OpenKey(path, false); }

void Registry::CloseKey() {
  open_ = false;
  path_.clear();
}

std::string Registry::CurrentPath() const { return Narrow(JoinedPath(path_)); }

namespace {

// Opens the accessor's key again for one operation; false when it has gone.
bool Reopen(RegistryRoot root, const std::vector<std::string>& path, KeyHandle& key) {
  return RegOpenKeyExW(RootHandle(root), JoinedPath(path).c_str(), 0, kAccess, key.Out()) == ERROR_SUCCESS;
}

}  // namespace

std::vector<std::string> Registry::GetKeyNames() const {
  std::vector<std::string> names;
  KeyHandle key;
  if (!open_ || !Reopen(root_, path_, key)) return names;
  // Key names are at most 255 characters.
  wchar_t name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(std::size(name));
    const LONG status = RegEnumKeyExW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status != ERROR_SUCCESS) break;
    names.push_back(Narrow(std::wstring_view(name, length)));
  }
  return names;
}

std::vector<std::string> Registry::GetValueNames() const {
  std::vector<std::string> names;
  KeyHandle key;
  if (!open_ || !Reopen(root_, path_, key)) return names;
  DWORD longest = 0;
  if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest, nullptr,
                       nullptr, nullptr) != ERROR_SUCCESS) {
    return names;
  }
  std::vector<wchar_t> name(longest + 1);
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(name.size());
    const LONG status = RegEnumValueW(key.get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_MORE_DATA) {  // a longer name was added meanwhile
      name.resize(name.size() * 2);
      --index;
      continue;
    }
    if (status != ERROR_SUCCESS) break;
    names.push_back(Narrow(std::wstring_view(name.data(), length)));
  }
  return names;
}

bool Registry::LookUp(std::string_view name, RegistryValue& value) const {
  KeyHandle key;
  if (!open_ || !Reopen(root_, path_, key)) return false;
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
  if (!QueryValue(key.get(), name, type, data)) return false;
  value = RegistryValue::Stored(name, type, std::move(data));
  return true;
}

namespace {

void SetValue(RegistryRoot root, const std::vector<std::string>& path, bool open, std::string_view name, DWORD type,
              const void* data, std::size_t size) {
  if (!open) throw RegistrySetFailed(name, "no key is open");
  KeyHandle key;
  const LONG opened = RegOpenKeyExW(RootHandle(root), JoinedPath(path).c_str(), 0, kAccess, key.Out());
  if (opened != ERROR_SUCCESS) throw RegistrySetFailed(name, SystemErrorText(static_cast<DWORD>(opened)));
  const LONG status = RegSetValueExW(key.get(), Widen(name).c_str(), 0, type, static_cast<const BYTE*>(data),
                                     static_cast<DWORD>(size));
  if (status != ERROR_SUCCESS) throw RegistrySetFailed(name, SystemErrorText(static_cast<DWORD>(status)));
}

}  // namespace

void Registry::WriteString(std::string_view name, std::string_view value) {
  const std::wstring text = Widen(value);
  SetValue(root_, path_, open_, name, REG_SZ, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

void Registry::WriteInteger(std::string_view name, int value) {
  const DWORD number = static_cast<DWORD>(value);
  SetValue(root_, path_, open_, name, REG_DWORD, &number, sizeof number);
}

// The registry stores each value as it is written, at little cost; there is
// no file to write once for many values. So writes are not gathered: each is
// stored at once, and a failing one raises its error there, the ones before
// it staying stored.
void Registry::CommitWrites() { gathering_ = false; }

}  // namespace vx
