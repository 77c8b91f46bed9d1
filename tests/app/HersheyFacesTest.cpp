// The Hershey faces' table and loading: every face's file, and a folder without them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/HersheyFaces.h"

namespace {

TEST(HersheyFaces, WithoutTheFontsLoadingSaysWhichPackageIsMissing) {
  vx::SingleLineFaces faces;
  const std::string names[] = {"DejaVu Sans", "Hershey Serif"};
  EXPECT_EQ(vx::LoadHersheyFaces(names, "", faces),
            "Face \"Hershey Serif\" needs the Hershey fonts, which are not installed (Debian package hershey-fonts-data)");
  EXPECT_TRUE(faces.empty());
  EXPECT_EQ(vx::LoadHersheyFaces(names, "/nonexistent/", faces),
            "Cannot read the Hershey font \"/nonexistent/rowmans.jhf\". No such file or directory");
}

TEST(HersheyFaces, EveryFaceLoadsWithItsStylesAndDrawsTheAsciiCharacters) {
  const std::string folder = vx::HersheyFontFolder();
  if (folder.empty()) GTEST_SKIP() << "the Hershey fonts (Debian's hershey-fonts-data) are not installed";
  for (const vx::HersheyFaceFile& face : vx::HersheyFaceFiles()) {
    SCOPED_TRACE(face.name);
    vx::SingleLineFaces faces;
    const std::string name(face.name);
    ASSERT_EQ(vx::LoadHersheyFaces({&name, 1}, folder, faces), "");
    const vx::FontRequest font = vx::MakeFontRequest(name, 320, 0, false, false);
    for (char32_t c = 32; c <= 126; ++c) EXPECT_TRUE(faces.Has(font, c)) << static_cast<char>(c);
    EXPECT_FALSE(faces.Has(font, 127));
    EXPECT_FALSE(faces.Has(font, 0xE9));
  }
  vx::SingleLineFaces faces;
  const std::string sans = "hershey sans";
  ASSERT_EQ(vx::LoadHersheyFaces({&sans, 1}, folder, faces), "");
  EXPECT_TRUE(faces.Names("Hershey Sans Bold"));  // its bold came along
  EXPECT_FALSE(faces.LacksBold(vx::MakeFontRequest("Hershey Sans", 320, 0, true, false)));
}

}  // namespace
