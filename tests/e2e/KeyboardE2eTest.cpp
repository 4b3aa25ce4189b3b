// The slots worked from the keyboard with real key presses.
#include <gtest/gtest.h>

#include <string>

#include "PaletteDriver.h"
#include "PaletteStart.h"
#include "RealInput.h"
#include "TestOutput.h"
#include "TestWaits.h"
#include "support/TempFolder.h"
#include "win32/PaletteControlIds.h"

namespace zr::test {
namespace {

namespace ids = win32::ids;

TEST(KeyboardE2e, TabReachesTheSlotsArrowsPageAndTheMenuKeyOpensTheMenu) {
  TempFolder dir;
  std::string blocks;
  for (int i = 1; i <= 16; ++i) {
    const std::string n = (i < 10 ? "0" : "") + std::to_string(i);
    blocks += "L" + n + "\tLamp " + n + "\r\n";
  }
  dir.Write("MenuList.txt", "Lamps\tL\r\n");
  dir.Write("BlockList.txt", blocks);
  PaletteDriver palette;
  ASSERT_TRUE(StartPalette(palette, dir.Path(), L"L01"));
  const auto waits = [](const auto& done) { return PaletteDriver::WaitUntil(done, kActionTimeout); };

  ClickAt(PointIn(palette.Control(ids::kEdit1)));
  ASSERT_TRUE(waits([&] { return ::GetForegroundWindow() == palette.Window(); }));
  PressKeys({VK_TAB});
  PressKeys({VK_RIGHT, VK_DOWN});
  ASSERT_TRUE(waits([&] { return palette.StatusText(0) == L"L09"; })) << "the focus did not move";
  // Down from the lower row crosses to the next page.
  PressKeys({VK_DOWN});
  ASSERT_TRUE(waits([&] { return palette.StatusText(0) == L"L16"; })) << "no next page";
  EXPECT_EQ(palette.Text(palette.Control(ids::kEdit1)), L"Lamp 16");
  ASSERT_TRUE(PaletteDriver::WaitPainted(palette.SlotPicture(1), kActionTimeout));
  RECT shot{};
  ::GetWindowRect(palette.Window(), &shot);
  EXPECT_TRUE(PaletteDriver::SaveScreenshot(OutputFile("keyboard-focus.bmp"), shot));
  PressKeys({VK_HOME});
  ASSERT_TRUE(waits([&] { return palette.StatusText(0) == L"L01"; }));

  PressKeys({VK_APPS});
  ASSERT_TRUE(waits([&] { return palette.ProcessWindow(kMenuClass) != nullptr; }))
      << "the menu key opened no menu";
  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(waits([&] { return palette.ProcessWindow(kMenuClass) == nullptr; }));
}

}  // namespace
}  // namespace zr::test
