// The registry export format: exact round trips, accepted encodings, rejected files.
#include "platform/RegistryText.h"

#include <gtest/gtest.h>

#include <string>

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
  return WriteRegistryText(root, kUser);
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
    EXPECT_TRUE(root.subkeys.empty()) << c.what;
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

}  // namespace
}  // namespace vx
