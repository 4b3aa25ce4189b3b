// The real palette, started from a folder with a catalogue made for the test and driven with
// window messages: categories, arrows, typing, paging buttons and the wheel; its controls
// are read back and its picture saved in the test output folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "PaletteDriver.h"
#include "PaletteStart.h"
#include "TestOutput.h"
#include "TestWaits.h"
#include "support/TempFolder.h"
#include "text/AnsiCodePage.h"
#include "win32/PaletteControlIds.h"
#include "win32/WideText.h"

namespace zr::test {
namespace {

using namespace std::chrono_literals;
namespace ids = win32::ids;
using win32::Widen;

std::string Number(int i) {
  std::string n = std::to_string(i);
  if (i < 10) n.insert(0, 1, '0');
  return n;
}

// Appends the pieces to `out`. (Chains of std::string + trip a false -Wrestrict of GCC 12.)
void Append(std::string& out, std::initializer_list<std::string_view> pieces) {
  for (const std::string_view piece : pieces) out.append(piece);
}

// A DXF drawing of a circle with a cross: enough for a thumbnail.
std::string SymbolDxf() {
  return "0\nSECTION\n2\nENTITIES\n"
         "0\nCIRCLE\n8\n0\n10\n0.0\n20\n0.0\n30\n0.0\n40\n1.0\n"
         "0\nLINE\n8\n0\n10\n-0.7\n20\n-0.7\n30\n0.0\n11\n0.7\n21\n0.7\n31\n0.0\n"
         "0\nLINE\n8\n0\n10\n-0.7\n20\n0.7\n30\n0.0\n11\n0.7\n21\n-0.7\n31\n0.0\n"
         "0\nENDSEC\n0\nEOF\n";
}

class PaletteE2e : public ::testing::Test {
 protected:
  // Four categories: 17 lamps (two pages), 14 outlets (one full page), 3 air-conditioning
  // blocks and one switch. Stored as on a Japanese system: ANSI code page, no mark.
  void WriteCatalogue() {
    WriteAnsi("MenuList.txt", "照明器具\tL\r\nコンセント\tC\r\n空調\tA\r\nスイッチ\tS\r\n");
    std::string blocks;
    for (int i = 1; i <= 17; ++i) {
      const std::string n = Number(i);
      Append(blocks, {"L", n, "\t\"照明 ", n, "\"\t", i % 2 ? "*" : "", "\t",
                      i % 3 == 0 ? "*" : "", "\t\"コメント ", n, "\"\r\n"});
    }
    for (int i = 1; i <= 14; ++i) Append(blocks, {"C", Number(i), "\tコンセント ", Number(i), "\r\n"});
    for (int i = 1; i <= 3; ++i) Append(blocks, {"A", Number(i), "\t換気扇 ", Number(i), "\r\n"});
    blocks += "S01\tスイッチ\t*\r\n";
    WriteAnsi("BlockList.txt", blocks);
    WriteAnsi("TargetCAD_APIVersion.txt",
              "AutoCAD\tAutoCAD.Application\r\nBricsCAD\tBricscadApp.AcadApplication\r\n");
    std::filesystem::create_directories(dir.Path() / "DXF");
    for (const char* name : {"L01", "L02", "L03", "L15", "C01", "A01", "S01"}) {
      std::string file = "DXF/";
      Append(file, {name, "B.dxf"});
      dir.Write(file, SymbolDxf());
    }
  }

  void WriteAnsi(const std::string& name, const std::string& utf8) {
    dir.Write(name, text::Utf8ToAnsi(utf8));
  }

  void Start() { ASSERT_TRUE(StartPalette(palette, dir.Path())); }

  // Waits until status panel 0 names `blockNo` (the first block of the page just loaded).
  bool PageStartsWith(const std::string& blockNo) {
    return PaletteDriver::WaitUntil([&] { return palette.StatusText(0) == Widen(blockNo); },
                                    kActionTimeout);
  }

  // The name field has the keyboard focus (set as the page is loaded; waited for, since the
  // palette's thread may still be finishing the message that loaded it).
  bool NameFieldHasFocus() {
    return PaletteDriver::WaitUntil([&] { return palette.Focus() == palette.Control(ids::kEdit1); },
                                    kActionTimeout);
  }

  bool PrevEnabled() const { return palette.IsEnabled(ids::kSpeedButton1); }
  bool NextEnabled() const { return palette.IsEnabled(ids::kSpeedButton2); }

  TempFolder dir;
  PaletteDriver palette;
};

TEST_F(PaletteE2e, ShowsTheCategoriesAndPagesThroughThem) {
  WriteCatalogue();
  Start();
  ASSERT_TRUE(PageStartsWith("L01"));

  EXPECT_EQ(palette.Text(palette.Window()), L"Zoveza Ruzu 1.65 Dark [ BricsCAD ]");
  ASSERT_EQ(palette.CategoryCount(), 4);
  EXPECT_EQ(palette.CategoryAt(0), L"照明器具");
  EXPECT_EQ(palette.CategoryAt(3), L"スイッチ");
  EXPECT_EQ(palette.CategoryIndex(), 0);
  EXPECT_FALSE(PrevEnabled());
  EXPECT_TRUE(NextEnabled());
  EXPECT_EQ(palette.Text(palette.SlotPicture(0)), L"照明 01\rコメント 01");
  EXPECT_EQ(palette.Hint(palette.SlotPicture(0)), L"照明 01\r\nコメント 01");
  EXPECT_EQ(palette.Hint(palette.SlotPicture(13)), L"照明 14\r\nコメント 14");
  EXPECT_TRUE(NameFieldHasFocus());
  // Blocks with a drawing show it; a block without its file stays black.
  EXPECT_GT(PaletteDriver::LitPixels(palette.SlotPicture(0)), 20);
  EXPECT_GT(PaletteDriver::LitPixels(palette.SlotPicture(2)), 20);
  EXPECT_EQ(PaletteDriver::LitPixels(palette.SlotPicture(3)), 0);
  EXPECT_TRUE(palette.SaveScreenshot(OutputFile("palette-first-page.bmp")));

  // Next page: three blocks, then empty slots.
  palette.Click(ids::kSpeedButton2);
  ASSERT_TRUE(PageStartsWith("L15"));
  EXPECT_TRUE(PrevEnabled());
  EXPECT_FALSE(NextEnabled());
  EXPECT_EQ(palette.Text(palette.SlotPicture(2)), L"照明 17\rコメント 17");
  EXPECT_EQ(palette.Text(palette.SlotPicture(3)), L"");
  EXPECT_EQ(palette.Hint(palette.SlotPicture(3)), L"");
  EXPECT_TRUE(palette.SaveScreenshot(OutputFile("palette-second-page.bmp")));

  palette.Click(ids::kSpeedButton1);
  ASSERT_TRUE(PageStartsWith("L01"));
  EXPECT_FALSE(PrevEnabled());
  EXPECT_TRUE(NextEnabled());

  // The category box opened: its list, as dark as the rest.
  ::SendMessageW(palette.Control(ids::kComboBox1), CB_SHOWDROPDOWN, TRUE, 0);
  // Shot once the list is shown and drawn (its texts light pixels).
  ASSERT_TRUE(PaletteDriver::WaitUntil(
      [&] {
        const HWND list = palette.CategoryList();
        return list != nullptr && ::IsWindowVisible(list) && PaletteDriver::LitPixels(list) > 20;
      },
      kActionTimeout))
      << "the opened category list was not drawn";
  RECT shot{};
  ::GetWindowRect(palette.CategoryList(), &shot);
  RECT client{};
  ::GetClientRect(palette.Window(), &client);
  ::MapWindowPoints(palette.Window(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  ::UnionRect(&shot, &shot, &client);
  EXPECT_TRUE(PaletteDriver::SaveScreenshot(OutputFile("palette-category-list.bmp"), shot));
  ::SendMessageW(palette.Control(ids::kComboBox1), CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(PaletteE2e, WheelPagesOverTheSlotsOnly) {
  WriteCatalogue();
  Start();
  ASSERT_TRUE(PageStartsWith("L01"));
  ASSERT_TRUE(NameFieldHasFocus()) << "the wheel goes to the control with the focus";
  const RECT slots = palette.PlaceOf(palette.Control(ids::kPanel1));
  const RECT name = palette.PlaceOf(palette.Control(ids::kEdit1));

  palette.Wheel(name.left + 5, name.top + 5, -WHEEL_DELTA);  // over the name field: nothing
  palette.Wheel(slots.left + 100, slots.top + 30, -WHEEL_DELTA);
  ASSERT_TRUE(PageStartsWith("L15"));
  palette.Wheel(slots.left + 100, slots.top + 30, -WHEEL_DELTA);  // no next page: stays
  palette.Wheel(name.left + 5, name.top + 5, WHEEL_DELTA);
  palette.Wheel(slots.left + 10, slots.top + 90, WHEEL_DELTA);
  ASSERT_TRUE(PageStartsWith("L01"));
  EXPECT_TRUE(NextEnabled());
  EXPECT_FALSE(PrevEnabled());
}

TEST_F(PaletteE2e, CategoryBoxArrowsAndTyping) {
  WriteCatalogue();
  Start();
  ASSERT_TRUE(PageStartsWith("L01"));

  palette.ChooseCategory(1);  // exactly fourteen blocks: one page, no paging
  ASSERT_TRUE(PageStartsWith("C01"));
  EXPECT_FALSE(PrevEnabled());
  EXPECT_FALSE(NextEnabled());
  EXPECT_EQ(palette.Text(palette.SlotPicture(13)), L"コンセント 14");
  EXPECT_TRUE(NameFieldHasFocus());

  palette.ClickUpDown(true);
  ASSERT_TRUE(PageStartsWith("A01"));
  EXPECT_EQ(palette.CategoryIndex(), 2);
  palette.ClickUpDown(true);
  ASSERT_TRUE(PageStartsWith("S01"));
  palette.ClickUpDown(true);  // from the last entry round to the first
  ASSERT_TRUE(PageStartsWith("L01"));
  EXPECT_EQ(palette.CategoryIndex(), 0);
  palette.ClickUpDown(false);  // and back from the first to the last
  ASSERT_TRUE(PageStartsWith("S01"));
  EXPECT_EQ(palette.CategoryIndex(), 3);

  palette.Type(L'空');
  ASSERT_TRUE(PageStartsWith("A01"));
  EXPECT_EQ(palette.CategoryIndex(), 2);
  EXPECT_TRUE(NameFieldHasFocus());
  EXPECT_EQ(palette.Close(10s), 0);
}

TEST_F(PaletteE2e, ControlsSitWhereTheLayoutPutsThem) {
  WriteCatalogue();
  Start();
  ASSERT_TRUE(PageStartsWith("L01"));
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
  ::ReleaseDC(nullptr, screen);
  if (dpi != 96) GTEST_SKIP() << "the layout is checked at 96 dpi; this display has " << dpi;

  RECT client{};
  ::GetClientRect(palette.Window(), &client);
  EXPECT_EQ(client.right, 391);
  EXPECT_EQ(client.bottom, 199);
  EXPECT_NE(::GetWindowLongW(palette.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(::GetWindowLongW(palette.Window(), GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);

  auto expectPlace = [&](int id, LONG left, LONG top, LONG width, LONG height) {
    const RECT r = palette.PlaceOf(palette.Control(id));
    EXPECT_EQ(r.left, left) << "control " << id;
    EXPECT_EQ(r.top, top) << "control " << id;
    EXPECT_EQ(r.right - r.left, width) << "control " << id;
    EXPECT_EQ(r.bottom - r.top, height) << "control " << id;
  };
  expectPlace(ids::kComboBox1, 3, 3, 233, 20);
  expectPlace(ids::kUpDown1, 239, 2, 54, 19);
  expectPlace(ids::kSpeedButton3, 301, 3, 33, 17);
  expectPlace(ids::kSpeedButton5, 336, 3, 19, 17);
  expectPlace(ids::kSpeedButton4, 356, 3, 33, 17);
  expectPlace(ids::kEdit1, 4, 24, 229, 20);
  expectPlace(ids::kStaticText1, 242, 26, 11, 16);
  expectPlace(ids::kStaticText2, 258, 26, 17, 16);
  expectPlace(ids::kSpeedButton1, 279, 23, 27, 21);
  expectPlace(ids::kSpeedButton2, 307, 23, 25, 21);
  expectPlace(ids::kSpeedButton7, 334, 23, 20, 21);
  expectPlace(ids::kSpeedButton6, 356, 23, 33, 21);
  expectPlace(ids::kStaticText3, 5, 45, 378, 15);
  expectPlace(ids::kPanel1, 2, 64, 389, 133);
  expectPlace(ids::kStatusBar1, 0, 177, 391, 22);
  expectPlace(ids::kCheckBox1, 192, 180, 53, 17);
  expectPlace(ids::kCheckBox2, 243, 180, 53, 17);
  expectPlace(ids::kCheckBox3, 296, 180, 45, 17);
  expectPlace(ids::kCheckBox4, 345, 180, 47, 17);

  const HWND panel1 = palette.Control(ids::kPanel1);
  const RECT slot6 = palette.PlaceOf(palette.SlotPanel(6), panel1);
  const RECT slot7 = palette.PlaceOf(palette.SlotPanel(7), panel1);
  EXPECT_EQ(slot6.left, 332);
  EXPECT_EQ(slot6.top, 2);
  EXPECT_EQ(slot7.left, 2);
  EXPECT_EQ(slot7.top, 57);
  EXPECT_EQ(slot7.right - slot7.left, 54);
  const RECT picture = palette.PlaceOf(palette.SlotPicture(7), palette.SlotPanel(7));
  EXPECT_EQ(picture.right - picture.left, 53);

  EXPECT_EQ(palette.Text(palette.Control(ids::kSpeedButton3)), L"+45");  // the default step
  EXPECT_EQ(palette.Text(palette.Control(ids::kSpeedButton6)), L"・");
  EXPECT_EQ(palette.Text(palette.Control(ids::kCheckBox2)), L"1/100");
  EXPECT_EQ(::SendMessageW(palette.Control(ids::kCheckBox2), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(::SendMessageW(palette.Control(ids::kCheckBox1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(palette.Hint(palette.Control(ids::kUpDown1)), L"分類移動");
  EXPECT_EQ(palette.Hint(palette.Control(ids::kSpeedButton2)), L"次の一覧へ");
  EXPECT_EQ(palette.Hint(palette.Control(ids::kCheckBox4)), L"尺度無し");
}

TEST_F(PaletteE2e, OpensEmptyAndCentredWithoutDataFiles) {
  Start();
  ASSERT_TRUE(PaletteDriver::WaitUntil(
      [&] { return palette.Text(palette.Window()) == L"Zoveza Ruzu 1.65 Dark"; }, kActionTimeout));
  EXPECT_EQ(palette.CategoryCount(), 0);
  EXPECT_FALSE(PrevEnabled());
  EXPECT_FALSE(NextEnabled());
  EXPECT_EQ(palette.StatusText(0), L"");
  EXPECT_EQ(palette.Text(palette.SlotPicture(0)), L"");
  RECT window{};
  ::GetWindowRect(palette.Window(), &window);
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  EXPECT_EQ(window.left, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  EXPECT_EQ(window.top, (::GetSystemMetrics(SM_CYSCREEN) - height) / 2);
  EXPECT_EQ(palette.Close(10s), 0);
}

}  // namespace
}  // namespace zr::test
