// The AutoCAD releases the registration window offers, with their keys, names and texts.
#pragma once

#include <array>
#include <string_view>

namespace vx {

// Which of the two demand-load registrations a release takes.
enum class ArxRegistration { R14, R16 };

// One row of the registration window, in the window's order: the check box,
// how discovery looks the release up, and how registration writes it.
struct AcadRelease {
  std::string_view checkBox;         // object name of the row's check box
  std::string_view caption;          // the check box's caption in the layout
  std::string_view releaseKey;       // sub-key of Software\Autodesk\AutoCAD
  // Discovery.
  std::string_view foundProduct;     // wanted product name ("" for none)
  bool foundProductCompared;
  std::string_view notFoundCaption;  // the check box's caption when not found
  // Registration.
  ArxRegistration registration;
  std::string_view moduleSuffix;     // "Vexoglyph" + suffix + extension is the module file
  std::string_view registeredProduct;
  bool registeredProductCompared;
  std::string_view failureMessage;
};

inline constexpr std::array<AcadRelease, 6> kAcadReleases{{
    {"CheckR14", "Call Vexoglyph from  AutoCAD R14", "R14.0", "", false, "Not found AutoCAD R14.0",
     ArxRegistration::R14, "R14", "", false, "Register to AutoCAD R14 failed !"},
    {"CheckR2000", "Call Vexoglyph from  AutoCAD R2000", "R15.0", "AutoCAD 2000", true, "Not found AutoCAD 2000",
     ArxRegistration::R14, "R2000", "AutoCAD 2000", true, "Register to AutoCAD R2000 failed !"},
    {"CheckR2002", "Call Vexoglyph from  AutoCAD R2002", "R15.0", "AutoCAD 2002", true, "Not found AutoCAD 2002",
     ArxRegistration::R14, "R2000", "AutoCAD 2002", true, "Register to AutoCAD R2002 failed !"},
    {"CheckR2004", "Call Vexoglyph from  AutoCAD R2004", "R16.0", "", false, "Not found AutoCAD 2004",
     ArxRegistration::R16, "R2004", "AutoCAD 2004", true, "Register to AutoCAD R2004 failed !"},
    {"CheckR2005", "Call Vexoglyph from  AutoCAD R2005", "R16.1", "", false, "Not found AutoCAD 2005",
     ArxRegistration::R16, "R2004", "AutoCAD 2005", true, "Register to AutoCAD R2005 failed !"},
    {"CheckR2006", "Call Vexoglyph from  AutoCAD R2006", "R16.2", "", false, "Not found AutoCAD 2006",
     ArxRegistration::R16, "R2004", "AutoCAD 2006", true, "Register to AutoCAD R2006 failed !"},
}};

// The group frame's caption when no release at all is found.
inline constexpr std::string_view kNoAcadFoundCaption = "Not found AutoCAD R14/R2000/2002/2004/2005/2006";

// Registry paths and literals shared by discovery and registration.
inline constexpr std::string_view kAcadKey = "Software\\Autodesk\\AutoCAD\\";
inline constexpr std::string_view kProductKey = "Software\\Kestrow\\Vexoglyph";
inline constexpr std::string_view kArxKeyPrefix = "Software\\Kestrow\\Vexoglyph\\Arx ";
inline constexpr std::string_view kRegPathPrefix = "\\\\HKEY_LOCAL_MACHINE\\Software\\Kestrow\\Vexoglyph\\Arx ";

}  // namespace vx
