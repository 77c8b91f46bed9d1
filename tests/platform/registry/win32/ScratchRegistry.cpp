// A registry of its own for one test on Windows: scratch keys that the predefined root keys are redirected to.
#include "tests/platform/registry/ScratchRegistry.h"

#include <windows.h>

#include <aclapi.h>

#include <cstring>
#include <vector>

#include "platform/win32/WideString.h"

namespace vx::test {
namespace {

// Where the scratch keys live in the user's own registry while a test runs.
const std::wstring kScratchParent = L"Software\\Vexoglyph Tests";

struct Scratch {
  std::wstring path;  // below the real HKEY_CURRENT_USER
  HKEY user = nullptr;
  HKEY machine = nullptr;
  HKEY userReadOnly = nullptr;
  HKEY machineReadOnly = nullptr;
};

Scratch& Current() {
  static Scratch scratch;
  return scratch;
}

HKEY Predefined(RegistryRoot root) { return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }

HKEY ScratchKey(RegistryRoot root) {
  return root == RegistryRoot::CurrentUser ? Current().user : Current().machine;
}

// A key's values and sub-keys, depth first, in the registry's order.
void Flatten(HKEY key, const std::string& path, RegistryState& state) {
  state[path] = "(key)";
  wchar_t name[16384];
  std::vector<BYTE> data(65536);
  for (DWORD index = 0;; ++index) {
    DWORD nameLength = static_cast<DWORD>(std::size(name));
    DWORD type = REG_NONE;
    DWORD size = static_cast<DWORD>(data.size());
    if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) break;
    std::string text;
    if (type == REG_SZ) {
      std::wstring wide(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
      if (const std::size_t nul = wide.find(L'\0'); nul != std::wstring::npos) wide.resize(nul);
      text = "sz:" + Narrow(wide);
    } else if (type == REG_DWORD && size == sizeof(DWORD)) {
      DWORD number = 0;
      std::memcpy(&number, data.data(), sizeof number);
      text = "dword:" + std::to_string(number);
    } else {
      text = "type " + std::to_string(type);
    }
    state[path + "|" + Narrow(std::wstring_view(name, nameLength))] = text;
  }
  for (DWORD index = 0;; ++index) {
    DWORD nameLength = static_cast<DWORD>(std::size(name));
    if (RegEnumKeyExW(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    HKEY child = nullptr;
    if (RegOpenKeyExW(key, name, 0, KEY_READ, &child) != ERROR_SUCCESS) continue;
    Flatten(child, path + "\\" + Narrow(std::wstring_view(name, nameLength)), state);
    RegCloseKey(child);
  }
}

// Gives a key and every key below it the access rights that everyone has:
// reading only, or everything.
void SetTreeAccess(HKEY key, bool writable) {
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) return;
  alignas(DWORD) BYTE aclBuffer[256];
  auto* acl = reinterpret_cast<ACL*>(aclBuffer);
  InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION);
  AddAccessAllowedAce(acl, ACL_REVISION, writable ? KEY_ALL_ACCESS : KEY_READ, everyone);
  SECURITY_DESCRIPTOR descriptor;
  InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);

  std::vector<HKEY> pending{key};
  std::vector<HKEY> opened;
  while (!pending.empty()) {
    const HKEY next = pending.back();
    pending.pop_back();
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
      DWORD length = static_cast<DWORD>(std::size(name));
      if (RegEnumKeyExW(next, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      HKEY child = nullptr;
      if (RegOpenKeyExW(next, name, 0, KEY_READ | WRITE_DAC, &child) == ERROR_SUCCESS) {
        pending.push_back(child);
        opened.push_back(child);
      }
    }
    RegSetKeySecurity(next, DACL_SECURITY_INFORMATION, &descriptor);
  }
  for (const HKEY child : opened) RegCloseKey(child);
  FreeSid(everyone);
}

}  // namespace

ScratchRegistry::ScratchRegistry(const std::filesystem::path& /*folder*/) {
  static unsigned made = 0;
  Scratch& scratch = Current();
  scratch.path = kScratchParent + L"\\" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++made);
  RegDeleteTreeW(HKEY_CURRENT_USER, scratch.path.c_str());
  const REGSAM access = KEY_ALL_ACCESS;
  RegCreateKeyExW(HKEY_CURRENT_USER, (scratch.path + L"\\HKEY_CURRENT_USER").c_str(), 0, nullptr, 0, access, nullptr,
                  &scratch.user, nullptr);
  RegCreateKeyExW(HKEY_CURRENT_USER, (scratch.path + L"\\HKEY_LOCAL_MACHINE").c_str(), 0, nullptr, 0, access,
                  nullptr, &scratch.machine, nullptr);
  RegOpenKeyExW(scratch.user, nullptr, 0, KEY_READ, &scratch.userReadOnly);
  RegOpenKeyExW(scratch.machine, nullptr, 0, KEY_READ, &scratch.machineReadOnly);
  // The machine root first: HKEY_CURRENT_USER names the real one until then.
  RegOverridePredefKey(HKEY_LOCAL_MACHINE, scratch.machine);
  RegOverridePredefKey(HKEY_CURRENT_USER, scratch.user);
}

ScratchRegistry::~ScratchRegistry() {
  Scratch& scratch = Current();
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
  SetTreeAccess(scratch.user, true);
  SetTreeAccess(scratch.machine, true);
  for (HKEY* key : {&scratch.user, &scratch.machine, &scratch.userReadOnly, &scratch.machineReadOnly}) {
    if (*key != nullptr) RegCloseKey(*key);
    *key = nullptr;
  }
  RegDeleteTreeW(HKEY_CURRENT_USER, scratch.path.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, kScratchParent.c_str());  // when no other test's key is left
}

RegistryState ReadRegistryState() {
  RegistryState state;
  for (RegistryRoot root : {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine}) {
    Flatten(ScratchKey(root), std::string(RootName(root)), state);
  }
  return state;
}

void ClearRegistry() {
  for (RegistryRoot root : {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine}) {
    RegDeleteTreeW(ScratchKey(root), nullptr);
  }
}

void RemoveRegistryKey(RegistryRoot root, const std::string& path) {
  RegDeleteTreeW(ScratchKey(root), Widen(path).c_str());
  RegDeleteKeyW(ScratchKey(root), Widen(path).c_str());
}

// Every key of the root allows everyone to read only, and the root itself is
// reached through a handle that may not make keys.
void RefuseRegistryWrites(RegistryRoot root, bool refuse) {
  SetTreeAccess(ScratchKey(root), !refuse);
  const HKEY target = refuse ? (root == RegistryRoot::CurrentUser ? Current().userReadOnly : Current().machineReadOnly)
                             : ScratchKey(root);
  RegOverridePredefKey(Predefined(root), target);
}

}  // namespace vx::test
