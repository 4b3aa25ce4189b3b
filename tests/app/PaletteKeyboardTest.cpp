// The slots worked from the keyboard: focus moves over pages, Enter and the keypad digits.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/Catalogue.h"
#include "app/PaletteForm.h"
#include "app/SlotFocus.h"
#include "support/FakeCad.h"
#include "support/PaletteRig.h"
#include "text/AnsiCodePage.h"

namespace zr {
namespace {

using K = SlotKey;

TEST(SlotFocusTest, KeysWalkTheBlocksAcrossPagesAndStayInTheCategory) {
  const struct {
    const char* what;
    int blocks;
    SlotFocusPlace from;
    SlotKey key;
    SlotFocusPlace to;
  } cases[] = {
      {"right in a row", 30, {0, 3}, K::Right, {0, 4}},
      {"right wraps to the lower row", 30, {0, 6}, K::Right, {0, 7}},
      {"right off the page", 30, {0, 13}, K::Right, {14, 0}},
      {"left off the page", 30, {14, 0}, K::Left, {0, 13}},
      {"left at the first block", 30, {0, 0}, K::Left, {0, 0}},
      {"right at the last block", 30, {28, 1}, K::Right, {28, 1}},
      {"down a row", 30, {0, 2}, K::Down, {0, 9}},
      {"down off the page", 30, {0, 9}, K::Down, {14, 2}},
      {"up off the page", 30, {14, 3}, K::Up, {0, 10}},
      {"down past the last block", 30, {14, 13}, K::Down, {14, 13}},
      {"up on the first row", 30, {0, 5}, K::Up, {0, 5}},
      {"page down keeps the slot", 40, {0, 5}, K::PageDown, {14, 5}},
      {"page down onto a partial page", 30, {14, 9}, K::PageDown, {28, 1}},
      {"page down on the last page", 30, {28, 0}, K::PageDown, {28, 0}},
      {"page up", 30, {28, 1}, K::PageUp, {14, 1}},
      {"page up on the first page", 30, {0, 8}, K::PageUp, {0, 8}},
      {"home", 30, {28, 1}, K::Home, {0, 0}},
      {"end", 30, {0, 4}, K::End, {28, 1}},
      {"end of a full last page", 28, {0, 0}, K::End, {14, 13}},
      {"one page only", 5, {0, 4}, K::PageDown, {0, 4}},
      {"empty category", 0, {0, 0}, K::End, {0, 0}},
      {"empty category, arrow", 0, {0, 0}, K::Right, {0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const SlotFocusPlace to = MoveSlotFocus(c.blocks, c.from, c.key);
    EXPECT_EQ(to.kaisi, c.to.kaisi);
    EXPECT_EQ(to.slot, c.to.slot);
  }
}

class PaletteKeyboardTest : public ::testing::Test, public test::FakeCad, protected test::PaletteRig {
 protected:
  void StartWithBlocks(int count) {
    std::string lines;
    for (int i = 1; i <= count; ++i) {
      const std::string n = (i < 10 ? "0" : "") + std::to_string(i);
      lines += "L" + n + "\tName " + n + "\r\n";
    }
    dir.Write(kMenuListName, text::Utf8ToAnsi("照明\tL\r\n"));
    dir.Write(kBlockListName, lines);
    form.FormCreate(dir.File("ZovezaRuzu.exe"));
    form.FormShow();
  }
  TBlkList& Slot(int k) { return state.gbBlkList[static_cast<std::size_t>(k)]; }
  long Sends() {
    const test::Journal calls = DocCalls();
    return std::count_if(calls.begin(), calls.end(),
                         [](const std::string& c) { return c.rfind("SendCommand", 0) == 0; });
  }
};

TEST_F(PaletteKeyboardTest, FocusMovesLoadThePageAndDescribeTheBlock) {
  StartWithBlocks(30);
  for (int i = 0; i < 13; ++i) form.SlotKeyDown(K::Right);
  EXPECT_EQ(form.FocusedSlot(), 13);
  EXPECT_EQ(view.texts[0], "Name 14");
  form.SlotKeyDown(K::Right);
  EXPECT_EQ(form.gbImgKaisi, 14);
  EXPECT_EQ(form.FocusedSlot(), 0);
  EXPECT_EQ(Slot(0).BlkNo, "L15");
  EXPECT_EQ(view.texts[0], "Name 15");  // described after the page load emptied the line
  EXPECT_EQ(view.status[0], "L15");
  form.SlotKeyDown(K::End);
  EXPECT_EQ(form.gbImgKaisi, 28);
  EXPECT_EQ(view.status[0], "L30");
  EXPECT_TRUE(view.IsEnabled(SpeedButton::SpeedButton1));
  EXPECT_FALSE(view.IsEnabled(SpeedButton::SpeedButton2));
  form.SlotKeyDown(K::Home);
  EXPECT_EQ(form.gbImgKaisi, 0);
  EXPECT_EQ(form.FocusedSlot(), 0);
  // The mouse pages to the partial last page: the focus rests on its last block.
  form.SlotKeyDown(K::PageDown);
  for (int i = 0; i < 13; ++i) form.SlotKeyDown(K::Right);
  form.SpeedButton2Click();
  EXPECT_EQ(form.FocusedSlot(), 1);
  form.SlotKeyDown(K::Left);
  EXPECT_EQ(view.status[0], "L29");
}

TEST_F(PaletteKeyboardTest, EnterInsertsByEitherClickOptionWithTheKeypadsBasePoint) {
  form.SetDesktop(desktop);
  form.gbExePath = dir.File("");
  form.gbDxfDir = kDxfDirName;
  dir.Write("DXF/E001B.dxf", "");
  Slot(0).BlkNo = "E001";
  for (int k = 1; k <= 9; ++k) Slot(0).Kiten[static_cast<std::size_t>(k)] = {k * 1.0, -k * 1.0, 0};
  form.SlotEnter();
  form.gbFlagDbClick = true;
  form.SlotEnter();
  EXPECT_EQ(Sends(), 2);

  form.SlotKeypad(7);  // base points hidden: nothing chosen
  EXPECT_EQ(Slot(0).KitenNo, 0);
  state.gbHojoKiten = true;
  for (const int digit : {0, 10}) form.SlotKeypad(digit);
  EXPECT_EQ(Slot(0).KitenNo, 0);
  form.SlotKeypad(7);
  EXPECT_EQ(Slot(0).KitenNo, 7);
  EXPECT_EQ(Slot(0).Kiten[0].x, 7.0);
  EXPECT_EQ(Slot(0).Kiten[0].y, -7.0);
}

}  // namespace
}  // namespace zr
