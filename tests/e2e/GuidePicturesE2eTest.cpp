// The user guides' pictures, taken of the real palette on the demo catalogue as a user sees it:
// the first page, a block pointed at and its large preview, the context menu, favourites, the keyboard's focus, the palette at 150 % and a search.
// Each step waits for the state it shows, so a picture never shows a half-drawn palette.
// scripts/guide-images.sh copies them (guide-*.png) into docs/images/.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include "PaletteDriver.h"
#include "PaletteStart.h"
#include "RealInput.h"
#include "TestOutput.h"
#include "TestWaits.h"
#include "support/TempFolder.h"
#include "win32/PaletteControlIds.h"
#include "win32/SlotPreviewWindow.h"

namespace zr::test {
namespace {

using namespace std::chrono_literals;
namespace ids = win32::ids;

bool Waits(const std::function<bool()>& done) { return PaletteDriver::WaitUntil(done, kActionTimeout); }

bool SavePalette(const PaletteDriver& palette, const std::string& name) {
  return PaletteDriver::WaitPainted(palette.Window(), kActionTimeout) &&
         palette.SaveScreenshot(OutputFile(name));
}

TEST(GuidePicturesE2e, DemoCatalogueAsAUserSeesIt) {
  TempFolder dir;
  std::filesystem::copy(ZR_DEMO_DIR, dir.Path(), std::filesystem::copy_options::recursive);
  PaletteDriver palette;
  ASSERT_TRUE(StartPalette(palette, dir.Path(), L"LT001"));
  ASSERT_TRUE(Waits([&] { return PaletteDriver::LitPixels(palette.SlotPicture(13)) > 20; }))
      << "the first page's last thumbnail is not drawn";
  EXPECT_TRUE(SavePalette(palette, "guide-palette-first-page.bmp"));

  MoveTo(PointIn(palette.SlotPicture(1)));
  ASSERT_TRUE(Waits([&] { return palette.StatusText(0) == L"LT002"; })) << "pointing shows nothing";
  EXPECT_TRUE(SavePalette(palette, "guide-insert-pointing.bmp"));
  // Resting there shows the large preview beside the palette.
  HWND preview = nullptr;
  ASSERT_TRUE(Waits([&] {
    preview = palette.ProcessWindow(win32::kSlotPreviewClass);
    return preview != nullptr && palette.Text(preview).find(L"LT002") != std::wstring::npos;
  })) << "no preview";
  EXPECT_TRUE(palette.SaveScreenshotWith(preview, OutputFile("guide-preview.bmp")));

  const HWND menu = palette.OpenContextMenu(palette.SlotPicture(1));
  ASSERT_NE(menu, nullptr) << "no context menu";
  EXPECT_TRUE(palette.SaveScreenshotWith(menu, OutputFile("guide-options-context-menu.bmp")));
  // Its last entry, "お気に入りに追加"; two more favourites the same way.
  PressKeys({VK_UP, VK_RETURN});
  for (const int slot : {7, 12}) {
    ASSERT_TRUE(palette.MenuLoopEnded());
    ASSERT_NE(palette.OpenContextMenu(palette.SlotPicture(slot)), nullptr);
    PressKeys({VK_UP, VK_RETURN});
  }
  ASSERT_TRUE(palette.MenuLoopEnded());
  ASSERT_TRUE(Waits([&] { return palette.CategoryCount() == 9; })) << "no favourites' entry";
  palette.ChooseCategory(8);
  ASSERT_TRUE(Waits([&] { return palette.Hint(palette.SlotPicture(2)).starts_with(L"非常用照明"); }))
      << "the favourites are not LT002, LT008, LT013";
  EXPECT_TRUE(SavePalette(palette, "guide-favourites.bmp"));
  palette.ChooseCategory(0);
  ASSERT_TRUE(Waits([&] { return palette.StatusText(0) == L"LT001"; }));

  // At 150 %, as the system tells a per-monitor aware window; then back.
  ::SendMessageW(palette.Window(), WM_DPICHANGED, MAKEWPARAM(144, 144), 0);
  RECT client{};
  ASSERT_TRUE(Waits([&] { return ::GetClientRect(palette.Window(), &client) && client.right > 500; }));
  EXPECT_TRUE(SavePalette(palette, "guide-palette-dpi-144.bmp"));
  ::SendMessageW(palette.Window(), WM_DPICHANGED, MAKEWPARAM(96, 96), 0);
  MovePointerAway();

  // A search typed in kana finds the katakana names.
  ClickAt(PointIn(palette.Control(ids::kStaticText3)));
  ASSERT_TRUE(Waits([&] { return ::GetForegroundWindow() == palette.Window(); }));
  ASSERT_TRUE(PutOnClipboard(L"こんせんと"));
  PressKeys({'F'}, true);
  PressKeys({'V'}, true);
  ASSERT_TRUE(Waits([&] {
    return palette.Text(palette.Control(ids::kComboBox1)).starts_with(L"検索: こんせんと (");
  })) << "no results";
  MoveTo(PointIn(palette.SlotPicture(3)));
  ASSERT_TRUE(Waits([&] { return palette.StatusText(0) == L"OT004"; }));
  EXPECT_TRUE(SavePalette(palette, "guide-search-results.bmp"));
  PressKeys({VK_ESCAPE});
  MovePointerAway();
  ASSERT_TRUE(Waits([&] { return palette.StatusText(0) == L"LT001"; })) << "the search did not end";

  // The keyboard's focus frame on the second slot.
  ClickAt(PointIn(palette.Control(ids::kEdit1)));
  MovePointerAway();
  PressKeys({VK_TAB, VK_RIGHT});
  ASSERT_TRUE(Waits([&] { return palette.StatusText(0) == L"LT002"; })) << "no keyboard focus";
  EXPECT_TRUE(SavePalette(palette, "guide-keyboard-focus.bmp"));
  EXPECT_EQ(palette.Close(10s), 0);
}

}  // namespace
}  // namespace zr::test
