// The registry accessor on Windows: the system's registry, redirected to scratch keys for each test.
#include "platform/registry/Registry.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/platform/registry/TempRegistry.h"

namespace vx {
namespace {

class WindowsRegistry : public test::TempRegistry {
 protected:
  // Writes a value as any program would, past the accessor.
  static void SetRaw(const wchar_t* key, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY opened = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(opened, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(opened);
  }
};

TEST_F(WindowsRegistry, ReadsValuesByTheRulesTheSettingsRelyOn) {
  const wchar_t* key = L"Software\\Kestrow\\Vexoglyph\\Option";
  const DWORD eight = 8, zero = 0;
  const std::uint64_t wide = 1;
  SetRaw(key, L"Precision", REG_DWORD, &eight, sizeof eight);
  SetRaw(key, L"ShowSymbol", REG_DWORD, &zero, sizeof zero);
  SetRaw(key, L"FontName", REG_SZ, L"Arial", sizeof L"Arial");
  SetRaw(key, L"Expandable", REG_EXPAND_SZ, L"%TEMP%", sizeof L"%TEMP%");
  SetRaw(key, L"Unterminated", REG_SZ, L"abc", 3 * sizeof(wchar_t));
  SetRaw(key, L"Binary", REG_BINARY, "\x01\x02", 2);
  SetRaw(key, L"Quad", REG_DWORD, &wide, sizeof wide);  // a REG_DWORD of a wrong size
  Registry registry;
  ASSERT_TRUE(registry.OpenKey("\\Software\\Kestrow\\Vexoglyph\\Option", false));
  EXPECT_EQ(registry.ReadInteger("Precision"), 8);
  EXPECT_TRUE(registry.ReadBool("Precision"));
  EXPECT_FALSE(registry.ReadBool("ShowSymbol"));
  EXPECT_EQ(registry.ReadString("FontName"), "Arial");
  EXPECT_EQ(registry.ReadString("Expandable"), "%TEMP%");  // not expanded
  EXPECT_EQ(registry.ReadString("Unterminated"), "abc");
  EXPECT_EQ(registry.ReadString("Missing"), "");  // a missing string reads as empty
  EXPECT_TRUE(registry.ValueExists("Binary"));
  EXPECT_FALSE(registry.ValueExists("Missing"));
  const struct {
    const char* name;
    bool asString;
    const char* message;
  } errors[] = {
      {"Binary", true, "Invalid data type for 'Binary'"},
      {"Precision", true, "Invalid data type for 'Precision'"},
      {"FontName", false, "Invalid data type for 'FontName'"},
      {"Missing", false, "Failed to get data for 'Missing'"},
      {"Quad", false, "Failed to get data for 'Quad'"},
  };
  for (const auto& e : errors) {
    SCOPED_TRACE(e.name);
    try {
      if (e.asString) {
        registry.ReadString(e.name);
      } else {
        registry.ReadInteger(e.name);
      }
      ADD_FAILURE() << "no error";
    } catch (const RegistryError& error) {
      EXPECT_STREQ(error.what(), e.message);
    }
  }
}

TEST_F(WindowsRegistry, OpensMakesAndListsKeysByPath) {
  Registry registry(RegistryRoot::LocalMachine);
  EXPECT_FALSE(registry.OpenKey("Software\\Autodesk\\AutoCAD\\R15.0", false));
  EXPECT_FALSE(registry.HasOpenKey());
  ASSERT_TRUE(registry.OpenKey("Software\\Autodesk\\AutoCAD\\R15.0\\ACAD-2", true));
  ASSERT_TRUE(registry.OpenKey("\\Software\\Autodesk\\AutoCAD\\R15.0\\acad-1", true));
  EXPECT_EQ(registry.CurrentPath(), "Software\\Autodesk\\AutoCAD\\R15.0\\acad-1");
  ASSERT_TRUE(registry.OpenKey("Software\\Autodesk\\AutoCAD\\R15.0", false));
  EXPECT_EQ(registry.GetKeyNames(), (std::vector<std::string>{"acad-1", "ACAD-2"}));  // the registry's order
  registry.WriteString("b", "2");
  registry.WriteInteger("a", 1);
  // Listed in the registry's own order: as written on Windows, by name under Wine.
  std::vector<std::string> values = registry.GetValueNames();
  std::sort(values.begin(), values.end());
  EXPECT_EQ(values, (std::vector<std::string>{"a", "b"}));
  registry.CloseKey();
  EXPECT_TRUE(registry.GetKeyNames().empty());
  EXPECT_THROW(registry.WriteString("c", "3"), RegistryError);
}

// Names and text beyond the ANSI code page reach the registry as UTF-16.
TEST_F(WindowsRegistry, NamesAndTextBeyondTheAnsiCodePageSurviveWhole) {
  const std::string keyName = "R\xC3\xA9glages \xCE\xA9";  // Réglages Ω
  const std::string valueName = "Gr\xC3\xB6\xC3\x9F" "e";   // Größe
  const std::string text = "\xE6\x97\xA5\xE6\x9C\xAC";     // 日本
  Registry registry;
  ASSERT_TRUE(registry.OpenKey("Software\\" + keyName, true));
  registry.WriteString(valueName, text);
  EXPECT_EQ(registry.ReadString(valueName), text);

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\R\u00e9glages \u03a9", 0, KEY_READ, &key), ERROR_SUCCESS);
  wchar_t data[16] = {};
  DWORD size = sizeof data;
  EXPECT_EQ(RegQueryValueExW(key, L"Gr\u00f6\u00dfe", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(data), L"\u65e5\u672c");
  RegCloseKey(key);
}

TEST_F(WindowsRegistry, ARefusedWriteIsAnErrorWithTheSystemsReason) {
  Registry registry;
  ASSERT_TRUE(registry.OpenKey("Software\\Kestrow\\Vexoglyph", true));
  test::RefuseRegistryWrites(RegistryRoot::CurrentUser, true);
  try {
    registry.WriteString("DllName", "C:\\App\\Vexoglyph.DLL");
    ADD_FAILURE() << "no error";
  } catch (const RegistryError& error) {
    EXPECT_EQ(std::string(error.what()).rfind("Failed to set data for 'DllName': ", 0), 0u) << error.what();
  }
  Registry again;
  EXPECT_FALSE(again.OpenKey("Software\\Kestrow\\Vexoglyph", false)) << "full access is refused";
  test::RefuseRegistryWrites(RegistryRoot::CurrentUser, false);
  ASSERT_TRUE(again.OpenKey("Software\\Kestrow\\Vexoglyph", false));
  again.WriteString("DllName", "C:\\App\\Vexoglyph.DLL");
  EXPECT_EQ(again.ReadString("DllName"), "C:\\App\\Vexoglyph.DLL");
}

// What registration writes below HKEY_LOCAL_MACHINE\Software must land in
// the view of the CAD programs that can load this build: the 32-bit view for
// the 32-bit DLL, the 64-bit view for the 64-bit DLL; a 64-bit Windows keeps
// the two apart. Only under Wine: elsewhere this would write the machine's
// own registry.
TEST(RegistryView, MachineKeysLandInTheViewOfHostsOfTheSameWidth) {
  if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr) {
    GTEST_SKIP() << "writes the machine's own registry: run only in the Wine test session's prefix";
  }
  constexpr bool k64Bit = sizeof(void*) == 8;
  const REGSAM ownView = k64Bit ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
  const REGSAM otherView = k64Bit ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
  const std::string path = "Software\\Vexoglyph View Test " + std::to_string(GetCurrentProcessId());
  {
    Registry registry(RegistryRoot::LocalMachine);
    ASSERT_TRUE(registry.OpenKey(path, true));
    registry.WriteString("CurVer", "V1.8");
  }
  const std::wstring wide(path.begin(), path.end());
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, wide.c_str(), 0, KEY_READ | ownView, &key), ERROR_SUCCESS);
  if (key != nullptr) RegCloseKey(key);
  key = nullptr;
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  if (k64Bit || wow64) {  // a 64-bit system: the other view does not have it
    EXPECT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, wide.c_str(), 0, KEY_READ | otherView, &key), ERROR_SUCCESS);
    if (key != nullptr) RegCloseKey(key);
  }
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, wide.c_str(), ownView, 0);
}

}  // namespace
}  // namespace vx
