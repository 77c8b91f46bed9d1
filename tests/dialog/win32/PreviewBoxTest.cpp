// The preview box on Windows: its paint routine's pixels in a memory bitmap, for a drawn outline, a real glyph and nothing.
#include <gtest/gtest.h>
#include <windows.h>

#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include "dialog/win32/ControlIds.h"
#include "dialog/win32/PreviewBox.h"
#include "engine/HostQueries.h"
#include "engine/PointStore.h"
#include "engine/TextLayout.h"
#include "platform/fonts/FontServices.h"
#include "tests/dialog/win32/WindowDriver.h"

namespace vx {
namespace {

constexpr int kWidth = 108;
constexpr int kHeight = 89;
constexpr unsigned kNavy = 0x000080;
constexpr unsigned kWhite = 0xFFFFFF;

// The box painted into a memory bitmap laid on the navy panel: pixels as 0x00RRGGBB.
struct PaintedBox {
  std::vector<unsigned> pixels;
  unsigned At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * kWidth + x]; }
  int WhiteIn(int x0, int y0, int x1, int y1) const {
    int count = 0;
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) count += At(x, y) == kWhite;
    }
    return count;
  }
};

PaintedBox PaintIntoBitmap() {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  HBRUSH navy = CreateSolidBrush(RGB(0, 0, 128));
  const RECT box{0, 0, kWidth, kHeight};
  FillRect(dc, &box, navy);
  win32::PaintPreview(dc, kWidth, kHeight);
  GdiFlush();
  PaintedBox painted;
  const auto* first = static_cast<const unsigned*>(bits);
  for (int i = 0; i < kWidth * kHeight; ++i) painted.pixels.push_back(first[i] & 0xFFFFFF);
  SelectObject(dc, previous);
  DeleteObject(navy);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return painted;
}

unsigned ButtonFace() {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  return (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
}

class PreviewPaint : public ::testing::Test {
 protected:
  void SetUp() override { FreePointList(); }
  void TearDown() override { FreePointList(); }
};

TEST_F(PreviewPaint, AnOutlineIsStretchedToTheBoxInWhite) {
  // An outline spanning x 10..110 and y -5..95.
  for (const auto& [x, y] : {std::pair{10.0, -5.0}, {110.0, -5.0}, {110.0, 95.0}}) gPointList.Add(x, y, pkPoint);
  gPointList.Add(10.0, 95.0, pkGlyphEnd);
  const PaintedBox box = PaintIntoBitmap();
  EXPECT_EQ(box.At(2, 86), kWhite);
  EXPECT_EQ(box.At(106, 1), kWhite);
  EXPECT_EQ(box.At(106, 86), kWhite);
  EXPECT_EQ(box.At(2, 1), kWhite);
  EXPECT_EQ(box.At(54, 43), kNavy) << "only the outline is drawn";
  EXPECT_EQ(box.At(0, 0), kNavy) << "outside the outline the panel shows";
}

TEST_F(PreviewPaint, ARealGlyphFillsTheBoxInBothDirections) {
  FontServices fonts;
  GlyphSource& source = fonts.Glyphs();
  ConvertString(source, u"l", "Liberation Sans", 200, 200, false, false, 0.0, 0.0);
  ASSERT_GE(GetTTFCount(), 2);
  const PaintedBox box = PaintIntoBitmap();
  // The tall narrow stem's edges lie on the box's left and right edges
  // (X = 2 and W - 2) and reach from its top (Y = 1) to its bottom (H - 3).
  EXPECT_GT(box.WhiteIn(2, 1, 2, 86), 70);
  EXPECT_GT(box.WhiteIn(105, 1, 106, 86), 70);
  EXPECT_GT(box.WhiteIn(2, 1, 106, 1), 0);
  EXPECT_GT(box.WhiteIn(2, 86, 106, 86), 0);
}

TEST_F(PreviewPaint, NothingToShowPaintsTheButtonFace) {
  const PaintedBox box = PaintIntoBitmap();
  EXPECT_EQ(box.WhiteIn(0, 0, kWidth - 1, kHeight - 1), 0);
  for (const auto& [x, y] : {std::pair{0, 0}, {54, 43}, {kWidth - 1, kHeight - 1}}) EXPECT_EQ(box.At(x, y), ButtonFace());
}

TEST_F(PreviewPaint, TheBoxWindowPaintsThroughTheSameRoutine) {
  for (const auto& [x, y] : {std::pair{10.0, -5.0}, {110.0, -5.0}, {110.0, 95.0}}) gPointList.Add(x, y, pkPoint);
  gPointList.Add(10.0, 95.0, pkGlyphEnd);
  HWND panel = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 100, 112, 93, nullptr, nullptr,
                               nullptr, nullptr);
  bool converting = false;
  HWND preview = win32::CreatePreviewBox(panel, {2, 2, kWidth, kHeight}, win32::form1::PreviewBox, &converting);
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(GetDlgItem(panel, win32::form1::PreviewBox), preview);
  UpdateWindow(panel);
  test::PumpMessages(std::chrono::milliseconds(100));
  const test::ClientPicture picture = test::CopyClientArea(preview);
  ASSERT_EQ(picture.width, kWidth);
  EXPECT_EQ(picture.At(2, 86), kWhite);
  EXPECT_EQ(picture.At(106, 1), kWhite);
  DestroyWindow(panel);
}

}  // namespace
}  // namespace vx
