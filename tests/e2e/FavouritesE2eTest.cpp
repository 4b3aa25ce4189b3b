// Favourites end to end: real right clicks and menu keys add two blocks and move one, the
// order survives a restart through the settings file, and a favourite whose block left the
// catalogue stays on the favourites' page, greyed, with its number.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "CircleDrawing.h"
#include "PaletteDriver.h"
#include "PaletteStart.h"
#include "RealInput.h"
#include "TestOutput.h"
#include "TestWaits.h"
#include "support/TempFolder.h"
#include "text/AnsiCodePage.h"
#include "text/TextFile.h"
#include "win32/PaletteControlIds.h"

namespace zr::test {
namespace {

namespace ids = win32::ids;

class FavouritesE2e : public ::testing::Test {
 protected:
  void TearDown() override { MovePointerAway(); }

  void SetUp() override {
    MovePointerAway();
    dir.Write("MenuList.txt", text::Utf8ToAnsi("照明器具\tL\r\n"));
    WriteBlocks({"L01", "L02", "L03", "L04"});
    for (const char* n : {"L01", "L02", "L03", "L04"}) {
      dir.Write(std::string("DXF/") + n + "B.dxf", kCircleDxf);
    }
  }
  void WriteBlocks(std::initializer_list<const char*> numbers) {
    std::string blocks;
    for (const char* n : numbers) blocks.append(n).append("\t照明 ").append(n).append("\r\n");
    dir.Write("BlockList.txt", text::Utf8ToAnsi(blocks));
  }
  static bool Wait(const std::function<bool()>& done,
                   std::chrono::milliseconds timeout = kActionTimeout) {
    return PaletteDriver::WaitUntil(done, timeout);
  }
  // The favourites' group is the menu's last: `ups` presses of the up arrow reach its entry.
  ::testing::AssertionResult ChooseFromMenu(PaletteDriver& p, int slot, int ups) {
    if (p.OpenContextMenu(p.SlotPicture(slot)) == nullptr) {
      return ::testing::AssertionFailure() << "no context menu over slot " << slot;
    }
    for (int i = 0; i < ups; ++i) PressKeys({VK_UP});
    PressKeys({VK_RETURN});
    if (!Wait([&] { return p.MenuLoopEnded(); })) {
      return ::testing::AssertionFailure() << "the menu did not close";
    }
    return ::testing::AssertionSuccess();
  }

  // The slot's block by its hint (its name), not by the status bar, which follows the pointer.
  static bool Shows(const PaletteDriver& p, int slot, const std::wstring& blkNo) {
    return p.Hint(p.SlotPicture(slot)) == L"照明 " + blkNo;
  }

  TempFolder dir;
};

TEST_F(FavouritesE2e, AddedReorderedKeptAcrossARestartAndGreyedWhenGone) {
  {
    PaletteDriver palette;
    ASSERT_TRUE(StartPalette(palette, dir.Path(), L"L01"));
    ASSERT_EQ(palette.CategoryCount(), 1) << "a favourites' entry without favourites";
    ASSERT_TRUE(ChooseFromMenu(palette, 2, 1));  // "お気に入りに追加" for L03
    ASSERT_TRUE(Wait([&] { return palette.CategoryCount() == 2; })) << "no favourites' entry";
    EXPECT_EQ(palette.CategoryAt(1), L"お気に入り");
    ASSERT_TRUE(ChooseFromMenu(palette, 0, 1));  // and for L01
    palette.ChooseCategory(1);
    ASSERT_TRUE(Wait([&] { return Shows(palette, 0, L"L03"); }))
        << "the favourites are not shown in the order added";
    ASSERT_TRUE(ChooseFromMenu(palette, 1, 2));  // "前へ移動" for L01
    ASSERT_TRUE(Wait([&] { return Shows(palette, 0, L"L01"); }))
        << "L01 did not move one place earlier";
    ASSERT_EQ(palette.Close(kStartTimeout), 0) << "the palette did not close";
  }
  const std::optional<std::string> settings = text::ReadFileBytes(dir.File("ZovezaRuzu.ini"));
  ASSERT_TRUE(settings);
  EXPECT_NE(text::DecodeText(*settings).find("[Favorites]"), std::string::npos);

  // The catalogue's keeper drops L03 (its line and its drawing).
  WriteBlocks({"L01", "L02", "L04"});
  std::filesystem::remove(dir.Path() / "DXF" / "L03B.dxf");
  PaletteDriver again;
  ASSERT_TRUE(StartPalette(again, dir.Path())) << "the palette did not start again";
  ASSERT_TRUE(Wait([&] { return again.CategoryCount() == 2; }, kStartTimeout))
      << "no favourites' entry after the restart";
  again.ChooseCategory(1);
  ASSERT_TRUE(Wait([&] { return Shows(again, 0, L"L01"); }))
      << "the favourites' order was not kept";
  EXPECT_EQ(again.Hint(again.SlotPicture(1)), L"(カタログにありません)");
  EXPECT_GT(PaletteDriver::LitPixels(again.SlotPicture(1)), 0) << "the lost block's number is not shown";
  EXPECT_TRUE(again.SaveScreenshot(OutputFile("favourites.bmp")));
  ClickAt(PointIn(again.SlotPicture(1)));
  EXPECT_TRUE(Wait([&] {
    return again.Text(again.Control(ids::kStaticText3)) == L"このブロックはカタログにありません";
  })) << "a click on the lost block did not say why nothing is inserted";
}

}  // namespace
}  // namespace zr::test
