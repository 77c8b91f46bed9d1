// The registry export format: exact round trips, accepted encodings, rejected files.
#include "platform/registry/RegistryText.h"

#include <gtest/gtest.h>
#include <pthread.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/RegExportReader.h"

namespace vx {
namespace {

constexpr std::string_view kUser = "HKEY_CURRENT_USER";

// Every value type the registry editor exports, including a hex value long
// enough to be continued over lines and a string with a line break.
const std::string kEveryType =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software]\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Kestrow]\r\n"
    "@=\"default\"\r\n"
    "\"Path\"=\"C:\\\\Program Files\\\\\\\"Vexoglyph\\\"\"\r\n"
    "\"Unicode\"=\"Zo\xC3\xAB \xE2\x98\xBA \xF0\x9D\x84\x9E\"\r\n"
    "\"Eight\"=\"8\"\r\n"
    "\"Count\"=dword:00000004\r\n"
    "\"All bits\"=dword:ffffffff\r\n"
    "\"Binary\"=hex:00,01,fe,ff\r\n"
    "\"Expand\"=hex(2):25,00,50,00,41,00,54,00,48,00,25,00,00,00\r\n"
    "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
    "\"Quad\"=hex(b):01,00,00,00,00,00,00,00\r\n"
    "\"None\"=hex(0):\r\n"
    "\"Lines\"=hex(1):61,00,0a,00,62,00,00,00\r\n"
    "\"Long\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\r\n"
    "  16,17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,\\\r\n"
    "  2f\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Kestrow\\Empty]\r\n"
    "\r\n";

std::string RoundTrip(std::string_view bytes) {
  RegistryKey root;
  std::string error;
  EXPECT_TRUE(ParseRegistryText(bytes, kUser, root, error)) << error;
  return test::RegExportText(WriteRegistryText(root, kUser));
}

std::string ToLf(std::string text) {
  std::erase(text, '\r');
  return text;
}

std::string ToUtf16LeWithBom(const std::string& ascii) {
  std::string out = "\xFF\xFE";
  for (char c : ascii) {
    out += c;
    out += '\0';
  }
  return out;
}

TEST(RegistryText, AnExportWithEveryTypeIsWrittenBackByteForByte) {
  EXPECT_EQ(RoundTrip(kEveryType), kEveryType);
}

TEST(RegistryText, ValuesKeepTheirTypesAndData) {
  RegistryKey root;
  std::string error;
  ASSERT_TRUE(ParseRegistryText(kEveryType, kUser, root, error)) << error;
  const RegistryKey* key = root.Find({"software", "KESTROW"});
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->FindValue("")->text, "default");
  EXPECT_EQ(key->FindValue("path")->text, "C:\\Program Files\\\"Vexoglyph\"");
  EXPECT_EQ(key->FindValue("Eight")->type, kRegSz);
  EXPECT_EQ(key->FindValue("Eight")->text, "8");
  EXPECT_EQ(key->FindValue("Count")->type, kRegDword);
  EXPECT_EQ(key->FindValue("All bits")->dword, 0xFFFFFFFFu);
  EXPECT_EQ(key->FindValue("Quad")->type, kRegQword);
  EXPECT_EQ(key->FindValue("Lines")->text, "a\nb");
  EXPECT_EQ(key->FindValue("Long")->bytes.size(), 48u);
  std::string expand;
  ASSERT_TRUE(StringData(*key->FindValue("Expand"), expand));
  EXPECT_EQ(expand, "%PATH%");
  EXPECT_FALSE(StringData(*key->FindValue("Count"), expand));
}

TEST(RegistryText, LineEndsAndEncodingsOfExportsAreAccepted) {
  const std::string ascii =
      "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n\"N\"=\"v\"\r\n\"D\"=dword:00000002\r\n\r\n";
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"CR LF", ascii},
      {"LF only", ToLf(ascii)},
      {"UTF-8 with byte-order mark", "\xEF\xBB\xBF" + ascii},
      {"UTF-16LE with byte-order mark", ToUtf16LeWithBom(ascii)},
      {"hex data continued over LF lines", ToLf("Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\A]\n"
                                                "\"N\"=hex(1):76,\\\n  00,00,00\n\"D\"=hex(4):02,00,00,00\n")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RoundTrip(c.bytes), ascii) << c.what;
  }
}

TEST(RegistryText, NonAsciiTextOfAUtf16ExportBecomesUtf8) {
  const std::u16string text = u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n\"Name\"=\"Zo\u00EB\"\r\n";
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  RegistryKey root;
  std::string error;
  ASSERT_TRUE(ParseRegistryText(bytes, kUser, root, error)) << error;
  EXPECT_EQ(root.Find({"A"})->FindValue("Name")->text, "Zo\xC3\xAB");
}

TEST(RegistryText, KeysAreOneKeyWhateverTheirCaseAndListedAsTheRegistryListsThem) {
  const std::string input =
      "Windows Registry Editor Version 5.00\n"
      "[hkey_current_user\\Software\\_c]\n"
      "[HKEY_CURRENT_USER\\SOFTWARE\\b]\n"
      "\"X\"=dword:00000001\n"
      "[HKEY_CURRENT_USER\\software\\A]\n"
      "[HKEY_CURRENT_USER\\software\\B]\n"
      "\"x\"=dword:00000002\n";
  const std::string expected =
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software]\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\A]\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\b]\r\n\"X\"=dword:00000002\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\_c]\r\n\r\n";
  EXPECT_EQ(RoundTrip(input), expected);
}

TEST(RegistryText, DeletionsInAnImportFileAreApplied) {
  const std::string input =
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_CURRENT_USER\\A]\n\"keep\"=\"1\"\n\"drop\"=\"2\"\n"
      "[HKEY_CURRENT_USER\\A\\Gone]\n\"x\"=\"3\"\n"
      "[-HKEY_CURRENT_USER\\A\\Gone]\n\"ignored\"=\"4\"\n"
      "[HKEY_CURRENT_USER\\A]\n\"drop\"=-\n";
  EXPECT_EQ(RoundTrip(input),
            "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n\"keep\"=\"1\"\r\n\r\n");
}

TEST(RegistryText, EmptyTextIsAnEmptyRoot) {
  EXPECT_EQ(RoundTrip(""), "Windows Registry Editor Version 5.00\r\n\r\n");
  EXPECT_EQ(RoundTrip("\r\n\r\n"), "Windows Registry Editor Version 5.00\r\n\r\n");
}

TEST(RegistryText, TextThatIsNotAnExportOfThisRootIsRejectedWithItsLine) {
  const std::string head = "Windows Registry Editor Version 5.00\n\n";
  const struct {
    const char* what;
    std::string text;
    const char* line;
  } cases[] = {
      {"no version line", "[HKEY_CURRENT_USER\\A]\n", "line 1"},
      {"an older format", "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n", "line 1"},
      {"a value before any key", head + "\"N\"=\"v\"\n", "line 3"},
      {"a key of the other root", head + "[HKEY_LOCAL_MACHINE\\A]\n", "line 3"},
      {"a key without its bracket", head + "[HKEY_CURRENT_USER\\A\n", "line 3"},
      {"a string without its closing quote", head + "[HKEY_CURRENT_USER\\A]\n\"N\"=\"v\n", "line 4"},
      {"a bad dword", head + "[HKEY_CURRENT_USER\\A]\n\"N\"=dword:12345678a\n", "line 4"},
      {"a bad hex byte", head + "[HKEY_CURRENT_USER\\A]\n\"N\"=hex:0g\n", "line 4"},
      {"hex data continued past the end", head + "[HKEY_CURRENT_USER\\A]\n\"N\"=hex:01,\\\n", "line 4"},
      {"unknown data", head + "[HKEY_CURRENT_USER\\A]\n\"N\"=qword:1\n", "line 4"},
      {"stray text", head + "[HKEY_CURRENT_USER\\A]\nhello\n", "line 4"},
      {"binary garbage", std::string("\x7f" "ELF\x02\x01\x01\0\0", 9), "line 1"},
  };
  for (const auto& c : cases) {
    RegistryKey root;
    std::string error;
    EXPECT_FALSE(ParseRegistryText(c.text, kUser, root, error)) << c.what;
    EXPECT_NE(error.find(c.line), std::string::npos) << c.what << ": " << error;
    EXPECT_TRUE(root.Subkeys().empty()) << c.what;
  }
}

TEST(RegistryText, AHandWrittenSingleBackslashIsKept) {
  RegistryKey root;
  std::string error;
  ASSERT_TRUE(ParseRegistryText("Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\A]\n\"N\"=\"C:\\App\\x\"\n",
                                kUser, root, error))
      << error;
  EXPECT_EQ(root.Find({"A"})->FindValue("N")->text, "C:\\App\\x");
}

std::vector<std::uint8_t> Bytes(std::string_view bytes) { return {bytes.begin(), bytes.end()}; }

TEST(RegistryText, WrittenTextIsWhatTheRegistryEditorExportsAndImports) {
  RegistryKey root(std::string{kUser});
  RegistryKey& key = root.FindOrAdd({"Software", "Gr\xC3\xBC\xC3\x9F" "e"});
  key.SetValue(RegistryValue::String("Name", "Zo\xC3\xAB \xE2\x98\xBA \xF0\x9D\x84\x9E"));
  key.SetValue(RegistryValue::String("Path", "C:\\A \"B\""));
  key.SetValue(RegistryValue::Dword("Count", 4));
  key.SetValue(RegistryValue::String("Lines", "a\r\nb"));
  RegistryValue expand;
  expand.name = "Expand";
  expand.type = kRegExpandSz;
  expand.form = RegistryValue::Form::Bytes;
  expand.bytes = {0x25, 0, 0x41, 0, 0x25, 0, 0, 0};
  key.SetValue(expand);
  RegistryValue binary;
  binary.name = "Gr\xC3\xB6\xC3\x9F" "e";  // 5 characters in 7 bytes: lines are counted in characters
  binary.type = kRegBinary;
  binary.form = RegistryValue::Form::Bytes;
  for (std::uint8_t byte = 0; byte < 30; ++byte) binary.bytes.push_back(byte);
  key.SetValue(binary);

  const std::string written = WriteRegistryText(root, kUser);
  const std::u16string expected =
      u"\uFEFFWindows Registry Editor Version 5.00\r\n"
      u"\r\n"
      u"[HKEY_CURRENT_USER\\Software]\r\n"
      u"\r\n"
      u"[HKEY_CURRENT_USER\\Software\\Gr\u00FC\u00DFe]\r\n"
      u"\"Name\"=\"Zo\u00EB \u263A \U0001D11E\"\r\n"
      u"\"Path\"=\"C:\\\\A \\\"B\\\"\"\r\n"
      u"\"Count\"=dword:00000004\r\n"
      u"\"Lines\"=hex(1):61,00,0d,00,0a,00,62,00,00,00\r\n"
      u"\"Expand\"=hex(2):25,00,41,00,25,00,00,00\r\n"
      u"\"Gr\u00F6\u00DFe\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\r\n"
      u"  16,17,18,19,1a,1b,1c,1d\r\n"
      u"\r\n";
  EXPECT_EQ(written.substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(written, test::Utf16LeBytes(expected));

  // Read back by the editor's rules, every value arrives with its type and data.
  const test::RegImport imported = test::ImportRegExport(written);
  ASSERT_EQ(imported.error, "");
  ASSERT_EQ(imported.keys.size(), 2u);
  EXPECT_EQ(imported.keys[1].path, "HKEY_CURRENT_USER\\Software\\Gr\xC3\xBC\xC3\x9F" "e");
  using Value = std::pair<std::string, test::RegImportedValue>;
  const std::vector<Value> values = {
      {"Name", {kRegSz, Bytes(test::Utf16LeBytes(u"Zo\u00EB \u263A \U0001D11E") + std::string(2, '\0'))}},
      {"Path", {kRegSz, Bytes(test::Utf16LeBytes(u"C:\\A \"B\"") + std::string(2, '\0'))}},
      {"Count", {kRegDword, {4, 0, 0, 0}}},
      {"Lines", {kRegSz, Bytes(test::Utf16LeBytes(u"a\r\nb") + std::string(2, '\0'))}},
      {"Expand", {kRegExpandSz, expand.bytes}},
      {"Gr\xC3\xB6\xC3\x9F" "e", {kRegBinary, binary.bytes}},
  };
  EXPECT_EQ(imported.keys[1].values, values);
}

// A key line with a path of depth levels below the root, each named name.
std::string KeyLines(std::size_t depth, const std::string& name = "k") {
  std::string line = "[HKEY_CURRENT_USER";
  for (std::size_t level = 0; level < depth; ++level) line += "\\" + name;
  return "Windows Registry Editor Version 5.00\n" + line + "]\n";
}

std::string Repeated(std::string_view part, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += part;
  return text;
}

TEST(RegistryText, KeyPathsAndNamesBeyondTheRegistrysLimitsAreRejected) {
  const std::string eAcute = "\xC3\xA9";                 // one UTF-16 character
  const std::string gClef = "\xF0\x9D\x84\x9E";          // two UTF-16 characters
  const struct {
    const char* what;
    std::string text;
    const char* fault;  // null when the file is read; else on the last line
  } cases[] = {
      {"512 levels", KeyLines(512), nullptr},
      {"513 levels", KeyLines(513), "deeper than 512 levels"},
      {"100,000 levels in 200 KB", KeyLines(100000), "deeper than 512 levels"},
      {"1,000,000 levels", KeyLines(1000000), "deeper than 512 levels"},
      {"a key name of 255 characters", KeyLines(1, Repeated(eAcute, 255)), nullptr},
      {"a key name of 256 characters", KeyLines(1, Repeated(eAcute, 256)), "longer than 255 characters"},
      {"a key name of 128 characters beyond the first plane", KeyLines(1, Repeated(gClef, 128)),
       "longer than 255 characters"},
      {"a value name of 16,383 characters", KeyLines(1) + "\"" + Repeated(eAcute, 16383) + "\"=\"v\"\n", nullptr},
      {"a value name of 16,384 characters", KeyLines(1) + "\"" + Repeated(eAcute, 16384) + "\"=\"v\"\n",
       "longer than 16383 characters"},
  };
  for (const auto& c : cases) {
    RegistryKey root;
    std::string error;
    const bool read = ParseRegistryText(c.text, kUser, root, error);
    EXPECT_EQ(read, c.fault == nullptr) << c.what << ": " << error.substr(0, 200);
    if (c.fault) {
      const std::string lastLine = "line " + std::to_string(std::count(c.text.begin(), c.text.end(), '\n')) + ": ";
      EXPECT_EQ(error.rfind(lastLine, 0), 0u) << c.what << ": " << error.substr(0, 200);
      EXPECT_NE(error.find(c.fault), std::string::npos) << c.what << ": " << error.substr(0, 200);
      EXPECT_TRUE(root.Subkeys().empty()) << c.what;
    } else {
      EXPECT_EQ(RoundTrip(RoundTrip(c.text)), RoundTrip(c.text)) << c.what;
    }
  }
}

// Runs work on a thread with a small stack, where recursion once per level
// of a deep tree would overflow it.
void OnSmallStack(const std::function<void()>& work) {
  pthread_attr_t attributes;
  ASSERT_EQ(::pthread_attr_init(&attributes), 0);
  ASSERT_EQ(::pthread_attr_setstacksize(&attributes, 256 * 1024), 0);
  pthread_t thread;
  const auto run = [](void* argument) -> void* {
    (*static_cast<const std::function<void()>*>(argument))();
    return nullptr;
  };
  ASSERT_EQ(::pthread_create(&thread, &attributes, run, const_cast<std::function<void()>*>(&work)), 0);
  ::pthread_join(thread, nullptr);
  ::pthread_attr_destroy(&attributes);
}

TEST(RegistryText, AChainOfKeysOfAnyDepthIsTakenApartWithoutRecursion) {
  OnSmallStack([] {
    const std::vector<std::string> path(100000, "k");
    RegistryKey root(std::string{kUser});
    root.FindOrAdd(path).SetValue(RegistryValue::Dword("Deep", 1));
    RegistryKey moved = std::move(root);
    root = std::move(moved);       // the chain comes back
    moved = RegistryKey("other");  // an empty key replaces nothing
    ASSERT_NE(root.Find(path), nullptr);
    EXPECT_EQ(root.Find(path)->FindValue("deep")->dword, 1u);
    root = RegistryKey(std::string{kUser});  // the whole chain goes here
    EXPECT_TRUE(root.Subkeys().empty());
  });
}

}  // namespace
}  // namespace vx
