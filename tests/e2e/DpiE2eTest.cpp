// The running palette at other display scales: the window is told of a new scale as when it
// moves to another monitor, and every control, the thumbnails and the base-point choice follow.
#include <gtest/gtest.h>

#include <string>

#include "PaletteDriver.h"
#include "PaletteStart.h"
#include "RealInput.h"
#include "TestOutput.h"
#include "TestWaits.h"
#include "support/TempFolder.h"
#include "win32/CadLinkTestCad.h"
#include "win32/PaletteControlIds.h"

namespace zr::test {
namespace {

namespace ids = win32::ids;
using win32::testing::TestCadProcess;

// A square of side 2 about the base point, drawn with four one-unit-wide lines.
constexpr const char* kSquareDxf =
    "0\nSECTION\n2\nENTITIES\n"
    "0\nLINE\n8\n0\n10\n-1\n20\n-1\n11\n1\n21\n-1\n"
    "0\nLINE\n8\n0\n10\n1\n20\n-1\n11\n1\n21\n1\n"
    "0\nLINE\n8\n0\n10\n1\n20\n1\n11\n-1\n21\n1\n"
    "0\nLINE\n8\n0\n10\n-1\n20\n1\n11\n-1\n21\n-1\n"
    "0\nENDSEC\n0\nEOF\n";

int Scaled(int value, int dpi) { return ::MulDiv(value, dpi, 96); }

SIZE SizeOf(HWND window, bool client) {
  RECT r{};
  if (client) {
    ::GetClientRect(window, &r);
  } else {
    ::GetWindowRect(window, &r);
  }
  return {r.right - r.left, r.bottom - r.top};
}

// The white pixels (the drawing's lines) of one screen column through a window, top to bottom,
// as runs: a one-pixel line crossed gives a run of length 1.
std::vector<int> LitRunsInColumn(HWND window, double fx, int* firstRow = nullptr) {
  RECT r{};
  ::GetWindowRect(window, &r);
  const int x = r.left + static_cast<int>((r.right - r.left) * fx);
  HDC screen = ::GetDC(nullptr);
  std::vector<int> runs;
  int run = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    const COLORREF c = ::GetPixel(screen, x, y);
    if (c != CLR_INVALID && GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200) {
      if (runs.empty() && run == 0 && firstRow != nullptr) *firstRow = y - r.top;
      ++run;
    } else if (run > 0) {
      runs.push_back(run);
      run = 0;
    }
  }
  if (run > 0) runs.push_back(run);
  ::ReleaseDC(nullptr, screen);
  return runs;
}

// The width in pixels of a text in the palette's fixed-pitch face at a pixel height.
int TextWidth(const std::wstring& text, int pixelHeight) {
  HDC dc = ::CreateCompatibleDC(nullptr);
  HFONT font = ::CreateFontW(-pixelHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             SHIFTJIS_CHARSET, 0, 0, DEFAULT_QUALITY, DEFAULT_PITCH,
                             L"ＭＳ ゴシック");
  HGDIOBJ old = ::SelectObject(dc, font);
  SIZE size{};
  ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  ::SelectObject(dc, old);
  ::DeleteObject(font);
  ::DeleteDC(dc);
  return size.cx;
}

// This thread sees other windows in real pixels (not scaled for a program unaware of scales).
class DpiAwareThread {
 public:
  DpiAwareThread()
      : previous_(::SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) {}
  ~DpiAwareThread() {
    if (previous_ != nullptr) ::SetThreadDpiAwarenessContext(previous_);
  }
  DpiAwareThread(const DpiAwareThread&) = delete;
  DpiAwareThread& operator=(const DpiAwareThread&) = delete;

 private:
  DPI_AWARENESS_CONTEXT previous_;
};

TEST(DpiE2e, EveryScaleLaysOutControlsAndDrawsThumbnailsAtTheirRealSize) {
  const DpiAwareThread aware;
  TempFolder dir;
  dir.Write("MenuList.txt", "Box\tB\r\n");
  dir.Write("BlockList.txt", "B01\tSquare\r\n");
  dir.Write("DXF/B01B.dxf", kSquareDxf);
  // With orthogonal mode on, the insertion's last call is the command that puts it back.
  TestCadProcess cad({"--pos", "0,0,200,200", "--var", "VIEWCTR=10,20,0", "--var", "ORTHOMODE=1"},
                     "dpi");
  ASSERT_TRUE(cad.Ready());
  PaletteDriver palette;
  ASSERT_TRUE(StartPalette(palette, dir.Path(), L"B01"));
  palette.Click(ids::kSpeedButton6);  // base points shown: a press chooses one at every scale
  // The palette starts at the system's scale (the prefix's LogPixels; the test script also runs
  // this test at 144 dpi), then is told of each other scale in turn.
  HDC screen = ::GetDC(nullptr);
  const int startDpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  int topAtStart = 0;
  PaletteDriver::WaitUntil(
      [&] { return LitRunsInColumn(palette.SlotPicture(0), 0.4, &topAtStart).size() == 2; },
      kActionTimeout);
  ASSERT_GT(topAtStart, 0);
  const double sideAtStart = SizeOf(palette.SlotPicture(0), false).cy;

  int current = startDpi;
  for (const int dpi : {startDpi, 120, 144, 192, 96}) {
    SCOPED_TRACE(dpi);
    if (dpi != current) ::SendMessageW(palette.Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), 0);
    current = dpi;
    const SIZE client = SizeOf(palette.Window(), true);
    EXPECT_EQ(client.cx, Scaled(391, dpi));
    EXPECT_EQ(client.cy, Scaled(199, dpi));
    const SIZE picture = SizeOf(palette.SlotPicture(13), false);
    EXPECT_EQ(picture.cx, Scaled(54, dpi) - Scaled(1, dpi));  // both edges scaled
    EXPECT_EQ(picture.cy, Scaled(54, dpi) - Scaled(1, dpi));
    // Each scale box's caption fits beside its check mark (13 pixels and a gap at 96 dpi).
    const struct {
      int id;
      const wchar_t* caption;
    } boxes[] = {{ids::kCheckBox1, L"1/200"}, {ids::kCheckBox2, L"1/100"},
                 {ids::kCheckBox3, L"1/50"}, {ids::kCheckBox4, L"None"}};
    for (const auto& box : boxes) {
      EXPECT_LE(TextWidth(box.caption, Scaled(12, dpi)) + Scaled(16, dpi),
                SizeOf(palette.Control(box.id), false).cx)
          << "caption does not fit: " << static_cast<int>(box.id);
    }
    const SIZE name = SizeOf(palette.Control(ids::kEdit1), false);
    EXPECT_NEAR(name.cx, Scaled(4 + 229, dpi) - Scaled(4, dpi), 1);
    // The square's top and bottom edges, crossed between the base-point marks: lines of one
    // device pixel (a stretched 96-dpi picture would show runs of two at 192 dpi). The frame
    // of the slot's panel is grey, not white.
    PaletteDriver::WaitUntil(
        [&] { return LitRunsInColumn(palette.SlotPicture(0), 0.4).size() == 2; }, kActionTimeout);
    int top = 0;
    EXPECT_EQ(LitRunsInColumn(palette.SlotPicture(0), 0.4, &top), (std::vector<int>{1, 1}));
    // Drawn anew for the picture's real size: the square sits where it sat at 96 dpi, scaled.
    EXPECT_NEAR(top, topAtStart * picture.cy / sideAtStart, 2.0);
    if (dpi == 144 || dpi == 192) {
      EXPECT_TRUE(palette.SaveScreenshot(OutputFile("palette-dpi-" + std::to_string(dpi) + ".bmp")));
    }

    // A press near the top-right corner chooses base point 9, (1, 1): the copy's base is the
    // view centre (10, 20) plus 100 times that.
    const std::size_t from = cad.Log().size();
    ClickAt(PointIn(palette.SlotPicture(0), 0.5 + 0.35, 0.5 - 0.35));
    EXPECT_NE(cad.WaitForLine("COPYBASE\\r_none\\r110,120\\r", kActionTimeout, from), "");
    // A press while an insertion still waits is refused: the next one waits for its end.
    ASSERT_NE(cad.WaitForLine("ORTHOMODE 1\\r", kActionTimeout, from), "");
    // Away from the palette, so that no hint covers the pictures. (The next press lands at
    // least ten pixels from this one: no double click.)
    MovePointerAway();
  }
  MovePointerAway();

  // An open search field stands over the information line at the next scale as well.
  ::PostMessageW(palette.Window(), WM_SYSCOMMAND, ids::kSearchMenuCommand, 0);
  const HWND field = palette.Control(ids::kSearchField);
  ASSERT_TRUE(PaletteDriver::WaitUntil([&] { return ::IsWindowVisible(field) != FALSE; },
                                       kActionTimeout));
  ::SendMessageW(palette.Window(), WM_DPICHANGED, MAKEWPARAM(144, 144), 0);
  const RECT line = palette.PlaceOf(palette.Control(ids::kStaticText3), palette.Window());
  const RECT placed = palette.PlaceOf(field, palette.Window());
  EXPECT_TRUE(::EqualRect(&line, &placed))
      << "field at " << placed.left << "," << placed.top << "," << placed.right << ","
      << placed.bottom << ", line at " << line.left << "," << line.top << "," << line.right
      << "," << line.bottom;
}

}  // namespace
}  // namespace zr::test
