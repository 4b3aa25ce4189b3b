// The GDI canvas drawing into a memory bitmap under the real window system.
#include "win32/GdiCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <filesystem>
#include <string>

#include "app/PaletteState.h"
#include "drawing/Renderer.h"
#include "drawing/SlotThumbnail.h"
#include "text/TextFile.h"

namespace zr::win32 {
namespace {

constexpr double kPi = std::numbers::pi;

constexpr TColor kWhite = 0x00FFFFFF;
constexpr TColor kRed = 0x000000FF;
constexpr TColor kBlue = 0x00FF0000;

int CountColor(const BitmapCanvas& c, TColor color, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) n += c.PixelAt(x, y) == color ? 1 : 0;
  }
  return n;
}

TEST(BitmapCanvas, StartsBlackWithTheJapaneseFace) {
  BitmapCanvas c(20, 10);
  EXPECT_EQ(c.Width(), 20);
  EXPECT_EQ(c.Height(), 10);
  EXPECT_EQ(CountColor(c, 0, 0, 0, 20, 10), 200);
  EXPECT_EQ(c.FontFaceName(), "ＭＳ Ｐゴシック");
}

TEST(BitmapCanvas, PixelAtReportsBlueGreenRedOrder) {
  BitmapCanvas c(4, 4);
  c.SetBrushColor(kRed);
  c.FillRect(0, 0, 2, 4);
  c.SetBrushColor(kBlue);
  c.FillRect(2, 0, 4, 4);
  EXPECT_EQ(c.PixelAt(0, 0), kRed);
  EXPECT_EQ(c.PixelAt(3, 3), kBlue);
  EXPECT_EQ(c.PixelAt(-1, 0), 0u);
  EXPECT_EQ(c.PixelAt(4, 0), 0u);
}

TEST(GdiCanvas, LineExcludesItsEndPixel) {
  BitmapCanvas c(12, 12);
  c.SetPenColor(kWhite);
  c.MoveTo(2, 5);
  c.LineTo(8, 5);
  EXPECT_EQ(CountColor(c, kWhite, 2, 5, 8, 6), 6);
  EXPECT_EQ(c.PixelAt(8, 5), 0u);
  EXPECT_EQ(c.PixelAt(1, 5), 0u);
  EXPECT_EQ(CountColor(c, kWhite, 0, 0, 12, 12), 6);
}

TEST(GdiCanvas, ArcRunsCounterClockwiseOnThePicture) {
  // Box centred (20, 20), radius 10, from the right (0°) to the top (90°).
  BitmapCanvas c(41, 41);
  c.SetPenColor(kWhite);
  c.Arc(10, 10, 30, 30, 30, 20, 20, 10);
  EXPECT_GT(CountColor(c, kWhite, 20, 9, 31, 21), 8);   // upper-right quarter
  EXPECT_EQ(CountColor(c, kWhite, 9, 22, 19, 31), 0);   // lower-left quarter stays black
  EXPECT_EQ(CountColor(c, kWhite, 22, 22, 31, 31), 0);  // lower-right too
}

TEST(GdiCanvas, CoincidingRadialPointsDrawTheWholeCircle) {
  BitmapCanvas c(41, 41);
  c.SetPenColor(kWhite);
  c.Arc(10, 10, 30, 30, 30, 20, 30, 20);
  EXPECT_GT(CountColor(c, kWhite, 9, 22, 19, 31), 4);
  EXPECT_GT(CountColor(c, kWhite, 20, 9, 31, 21), 4);
}

TEST(GdiCanvas, ThreeByThreeRectangleIsFilledOnlyWithASolidBrush) {
  BitmapCanvas c(12, 12);
  c.SetBrushStyle(BrushStyle::Solid);
  c.SetPenColor(kRed);
  c.SetBrushColor(kRed);
  c.Rectangle(1, 1, 4, 4);
  EXPECT_EQ(CountColor(c, kRed, 1, 1, 4, 4), 9);
  EXPECT_EQ(CountColor(c, kRed, 0, 0, 12, 12), 9);

  c.SetBrushStyle(BrushStyle::Clear);
  c.Rectangle(6, 6, 9, 9);
  EXPECT_EQ(CountColor(c, kRed, 6, 6, 9, 9), 8);
  EXPECT_EQ(c.PixelAt(7, 7), 0u);
}

TEST(GdiCanvas, PolyPolygonFillsItsRingsAndLeavesTheInnerOneAHole) {
  BitmapCanvas c(20, 20);
  c.SetBrushStyle(BrushStyle::Solid);
  c.SetPenColor(kWhite);
  c.SetBrushColor(kWhite);
  c.PolyPolygon({2, 2, 18, 2, 18, 18, 2, 18, 7, 7, 13, 7, 13, 13, 7, 13}, {4, 4});
  EXPECT_EQ(c.PixelAt(4, 4), kWhite);
  EXPECT_EQ(c.PixelAt(15, 15), kWhite);
  EXPECT_EQ(c.PixelAt(10, 10), 0u);  // inside the inner ring
  EXPECT_EQ(c.PixelAt(0, 0), 0u);
}

TEST(GdiCanvas, FillRectUsesTheBrushAndIgnoresAClearOne) {
  BitmapCanvas c(6, 6);
  c.SetBrushColor(kBlue);
  c.FillRect(0, 0, 6, 6);
  EXPECT_EQ(CountColor(c, kBlue, 0, 0, 6, 6), 36);
  c.SetBrushStyle(BrushStyle::Clear);
  c.SetBrushColor(kRed);
  c.FillRect(0, 0, 6, 6);
  EXPECT_EQ(CountColor(c, kBlue, 0, 0, 6, 6), 36);
}

TEST(GdiCanvas, PushedFontIsUsedAndPopRestoresAndDeletesIt) {
  BitmapCanvas c(200, 60);
  HGDIOBJ base = ::GetCurrentObject(c.Dc(), OBJ_FONT);
  const int narrow = c.TextWidth("ABCDEFGH");

  TLogFont big;
  big.height = 40;
  big.faceName = c.FontFaceName();
  c.PushFont(big);
  HGDIOBJ pushed = ::GetCurrentObject(c.Dc(), OBJ_FONT);
  EXPECT_NE(pushed, base);
  EXPECT_EQ(::GetObjectType(pushed), static_cast<DWORD>(OBJ_FONT));
  EXPECT_GT(c.TextWidth("ABCDEFGH"), narrow * 2);
  EXPECT_EQ(c.FontFaceName(), "ＭＳ Ｐゴシック");

  c.PopFont();
  EXPECT_EQ(::GetCurrentObject(c.Dc(), OBJ_FONT), base);
  EXPECT_EQ(::GetObjectType(pushed), 0u) << "popped font was not deleted";
  EXPECT_EQ(c.TextWidth("ABCDEFGH"), narrow);
  c.PopFont();  // an unbalanced pop leaves the base font in place
  EXPECT_EQ(::GetCurrentObject(c.Dc(), OBJ_FONT), base);
}

TEST(GdiCanvas, ManyFontsAndColoursLeakNoGdiObjects) {
  BitmapCanvas c(20, 20);
  const DWORD before = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  TLogFont font;
  font.faceName = c.FontFaceName();
  int leaked = 0;
  for (int i = 0; i < 20000; ++i) {
    font.height = 5 + i % 30;
    font.escapement = (i * 10) % 3600;
    c.PushFont(font);
    HGDIOBJ pushed = ::GetCurrentObject(c.Dc(), OBJ_FONT);
    HGDIOBJ pen = ::GetCurrentObject(c.Dc(), OBJ_PEN);
    HGDIOBJ brush = ::GetCurrentObject(c.Dc(), OBJ_BRUSH);
    c.SetPenColor(static_cast<TColor>(i + 1));
    c.SetBrushStyle(i % 2 == 0 ? BrushStyle::Solid : BrushStyle::Clear);
    c.SetBrushColor(static_cast<TColor>(i * 3 + 1));
    c.TextOut(0, 0, "a");
    c.PopFont();
    // Every replaced object is gone (a stock hollow brush is never deleted).
    leaked += ::GetObjectType(pushed) != 0 ? 1 : 0;
    leaked += ::GetObjectType(pen) != 0 ? 1 : 0;
    if (brush != ::GetStockObject(NULL_BRUSH) && brush != ::GetCurrentObject(c.Dc(), OBJ_BRUSH)) {
      leaked += ::GetObjectType(brush) != 0 ? 1 : 0;
    }
  }
  EXPECT_EQ(leaked, 0);
  EXPECT_EQ(c.FontDepth(), 0);
  const DWORD after = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  if (before != 0) {
    EXPECT_LE(after, before + 2);
  }
}

TEST(GdiCanvas, ReleasedCanvasGivesTheDeviceContextBack) {
  HDC dc = ::CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  HGDIOBJ pen = ::GetCurrentObject(dc, OBJ_PEN);
  HGDIOBJ brush = ::GetCurrentObject(dc, OBJ_BRUSH);
  HGDIOBJ font = ::GetCurrentObject(dc, OBJ_FONT);
  HGDIOBJ ownPen = nullptr;
  {
    GdiCanvas c(dc, 10, 10);
    c.SetPenColor(kRed);
    c.SetBrushColor(kBlue);
    TLogFont f;
    f.height = 12;
    c.PushFont(f);  // left pushed on purpose
    ownPen = ::GetCurrentObject(dc, OBJ_PEN);
    EXPECT_NE(ownPen, pen);
  }
  EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), pen);
  EXPECT_EQ(::GetCurrentObject(dc, OBJ_BRUSH), brush);
  EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), font);
  EXPECT_EQ(::GetObjectType(ownPen), 0u);
  ::DeleteDC(dc);
}

TEST(GdiCanvas, TextIsWrittenInTheFontColourAndTurnsWithEscapement) {
  BitmapCanvas c(120, 120);
  c.SetBrushStyle(BrushStyle::Clear);
  c.SetFontColor(kWhite);
  TLogFont f;
  f.height = 20;
  f.faceName = c.FontFaceName();
  c.PushFont(f);
  c.TextOut(10, 10, "電気");
  c.PopFont();
  EXPECT_GT(CountColor(c, kWhite, 10, 10, 60, 31), 20);
  EXPECT_EQ(CountColor(c, kWhite, 0, 40, 120, 120), 0);

  // Turned 90° counter-clockwise: the text runs upwards from its corner.
  BitmapCanvas r(120, 120);
  r.SetBrushStyle(BrushStyle::Clear);
  r.SetFontColor(kWhite);
  f.escapement = 900;
  r.PushFont(f);
  r.TextOut(40, 100, "電気");
  r.PopFont();
  EXPECT_GT(CountColor(r, kWhite, 38, 55, 62, 101), 20);
  EXPECT_EQ(CountColor(r, kWhite, 62, 0, 120, 120), 0);
  EXPECT_EQ(CountColor(r, kWhite, 0, 0, 120, 50), 0);
}

TEST(BitmapCanvas, SavesAReadableBitmapFile) {
  BitmapCanvas c(5, 3);
  c.SetBrushColor(kRed);
  c.FillRect(0, 0, 1, 1);  // top-left pixel red
  const std::string path = std::string(ZR_TEST_OUTPUT_DIR) + "/gdi-canvas-save.bmp";
  ASSERT_TRUE(c.SaveBmp(path));
  const auto bytes = text::ReadFileBytes(path);
  ASSERT_TRUE(bytes.has_value());
  const std::size_t rowBytes = 16;  // 5 pixels * 3 bytes, padded to 4
  ASSERT_EQ(bytes->size(), 14 + 40 + rowBytes * 3);
  EXPECT_EQ(bytes->substr(0, 2), "BM");
  // Rows are stored bottom-up: the top row is the last one, blue-green-red.
  const std::size_t top = 14 + 40 + rowBytes * 2;
  EXPECT_EQ(static_cast<unsigned char>((*bytes)[top + 0]), 0u);
  EXPECT_EQ(static_cast<unsigned char>((*bytes)[top + 2]), 255u);
  EXPECT_EQ(static_cast<unsigned char>((*bytes)[14 + 40 + 2]), 0u);
  EXPECT_FALSE(c.SaveBmp(std::string(ZR_TEST_OUTPUT_DIR) + "/no-such-dir/x.bmp"));
}

// The renderer through the real canvas.

TEST(GdiRendering, UnitLineFittedByDrawSlotSpansTwentyOnePixelsEachSide) {
  const std::string path = std::string(ZR_TEST_OUTPUT_DIR) + "/gdi-unit-line-B.dxf";
  ASSERT_TRUE(text::WriteFileAtomically(
      path, "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nLINE\r\n8\r\n0\r\n10\r\n-1\r\n"
            "20\r\n0\r\n11\r\n1\r\n21\r\n0\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n"));
  BitmapCanvas picture(53, 53);
  ClearImage(picture, 53, 53, 0);
  TDxfModel model;
  TPaletteState state;
  DrawSlot(model, state, path, picture, 0, false, 0.0);
  EXPECT_EQ(picture.PixelAt(26 - 21, 26), kWhite);
  EXPECT_EQ(picture.PixelAt(26 + 20, 26), kWhite);
  EXPECT_EQ(picture.PixelAt(26 + 21, 26), 0u);  // a line leaves out its end pixel
  EXPECT_EQ(picture.PixelAt(26 - 22, 26), 0u);
  // The red base point mark on top, 3 x 3 at the centre.
  EXPECT_EQ(CountColor(picture, kRed, 0, 0, 53, 53), 9);
  EXPECT_EQ(CountColor(picture, kRed, 25, 25, 28, 28), 9);
  EXPECT_EQ(CountColor(picture, kWhite, 0, 0, 53, 53), 42 - 3);
}

TEST(GdiRendering, QuarterArcAppearsInTheUpperRightOfItsCentre) {
  BitmapCanvas picture(60, 60);
  ClearImage(picture, 60, 60, 0);
  DrawArcEnt(picture, {30, 30}, {0, 0, 0}, 0.0, 1, 1, 0.0, kPi / 2, 20.0, 1.0);
  EXPECT_GT(CountColor(picture, kWhite, 30, 9, 52, 31), 20);
  EXPECT_EQ(CountColor(picture, kWhite, 0, 32, 60, 60), 0);
  EXPECT_EQ(CountColor(picture, kWhite, 0, 0, 28, 60), 0);
}

TEST(GdiRendering, ShortArcStaysShort) {
  BitmapCanvas picture(60, 60);
  ClearImage(picture, 60, 60, 0);
  DrawArcEnt(picture, {30, 30}, {0, 0, 0}, 0.0, 1, 1, 0.0, 3 * kPi / 180, 5.0, 1.0);
  EXPECT_LE(CountColor(picture, kWhite, 0, 0, 60, 60), 3);
  EXPECT_EQ(CountColor(picture, kWhite, 0, 0, 33, 60), 0);
}

TEST(GdiRendering, TextsAreWrittenWhiteAtTheirPlace) {
  BitmapCanvas picture(106, 106);
  ClearImage(picture, 106, 106, 0);
  TTextBlk text;
  text.str = "配管";
  text.code40 = 1.0;
  // Left text from (-40, -20) pixels of the centre, 13 pixels high.
  DrawTextEnt(picture, {53, 53}, text, kWhite, 0.0, {}, {-4, -2, 0}, 0.1);
  EXPECT_GT(CountColor(picture, kWhite, 13, 60, 40, 74), 10);
  EXPECT_EQ(CountColor(picture, kWhite, 0, 0, 106, 58), 0);
  EXPECT_EQ(picture.FontDepth(), 0);
  EXPECT_EQ(picture.FontFaceName(), "ＭＳ Ｐゴシック");
}

}  // namespace
}  // namespace zr::win32
