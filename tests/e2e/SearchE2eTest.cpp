// Search end to end: real keystrokes into the running palette (Ctrl+F, letters, a Japanese
// text pasted from the clipboard, Esc), the results page with its count in the category box,
// pointing and inserting a result through the test CAD, and the recent blocks' entry.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "CircleDrawing.h"
#include "PaletteDriver.h"
#include "PaletteStart.h"
#include "RealInput.h"
#include "TestOutput.h"
#include "TestWaits.h"
#include "support/TempFolder.h"
#include "text/AnsiCodePage.h"
#include "text/TextFile.h"
#include "win32/CadLinkTestCad.h"
#include "win32/PaletteControlIds.h"

namespace zr::test {
namespace {

using namespace std::chrono_literals;
namespace ids = win32::ids;
using win32::testing::TestCadProcess;

// Letters and digits typed one key after the other (lower case).
void TypeKeys(const char* text) {
  for (const char* c = text; *c != '\0'; ++c) {
    PressKeys({static_cast<WORD>(*c >= 'a' && *c <= 'z' ? *c - 'a' + 'A' : *c)});
  }
}

class SearchE2e : public ::testing::Test {
 protected:
  // The pointer rests off the palette before and after, so that neither this test nor the
  // next sees a slot described by a pointer left over it.
  void TearDown() override { MovePointerAway(); }

  void SetUp() override {
    MovePointerAway();
    dir.Write("MenuList.txt", text::Utf8ToAnsi("照明器具\tL\r\nコンセント\tE\r\n"));
    std::string blocks;
    for (int i = 1; i <= 16; ++i) {
      // Appended piece by piece: a chain of + trips a false warning of GCC 12.
      const std::string n = std::string(i < 10 ? "0" : "").append(std::to_string(i));
      blocks.append("L").append(n).append("\t照明 ").append(n).append("\t*\t\t天井付\r\n");
      dir.Write("DXF/L" + n + "B.dxf", kCircleDxf);
    }
    blocks += "E01\tコンセント\t*\t*\t壁付 2口\r\nE02\tｺﾝｾﾝﾄ ｱｰｽ付\t\t\t\r\n"
              "E03\t防水こんせんと\t\t\tLED 表示灯付\r\nE04\tLEDダウンライト用電源\r\n";
    dir.Write("BlockList.txt", text::Utf8ToAnsi(blocks));
    for (const char* n : {"E01", "E02", "E03", "E04"}) dir.Write(std::string("DXF/") + n + "B.dxf", kCircleDxf);
  }

  void Start() {
    cad = std::make_unique<TestCadProcess>(
        std::vector<std::string>{"--pos", "0,0,300,300", "--var", "VIEWCTR=10,20,0"}, "search");
    ASSERT_TRUE(cad->Ready()) << "the test CAD did not register";
    ASSERT_TRUE(StartPalette(palette, dir.Path(), L"L01"));
  }

  static bool Wait(const std::function<bool()>& done,
                   std::chrono::milliseconds timeout = kActionTimeout) {
    return PaletteDriver::WaitUntil(done, timeout);
  }
  std::wstring BoxText() const { return palette.Text(palette.Control(ids::kComboBox1)); }
  HWND Field() const { return palette.Control(ids::kSearchField); }
  bool FieldShown() const { return ::IsWindowVisible(Field()) != FALSE; }

  TempFolder dir;
  std::unique_ptr<TestCadProcess> cad;
  PaletteDriver palette;
};

TEST_F(SearchE2e, TypedSearchShowsResultsInsertsOneAndEscReturns) {
  Start();
  palette.Click(ids::kSpeedButton2);  // the second page of 照明器具: L15, L16
  ASSERT_TRUE(Wait([&] { return palette.StatusText(0) == L"L15"; }));
  const RECT infoLine = palette.PlaceOf(palette.Control(ids::kStaticText3));
  ASSERT_FALSE(FieldShown()) << "the search field shows before anyone searches";

  ClickAt(PointIn(palette.Control(ids::kStaticText3)));  // the palette takes the keyboard
  ASSERT_TRUE(Wait([&] { return ::GetForegroundWindow() == palette.Window(); }))
      << "the palette did not come to the front";
  PressKeys({'F'}, true);
  ASSERT_TRUE(Wait([&] { return FieldShown() && palette.Focus() == Field(); }))
      << "Ctrl+F did not open the search field with the focus (shown " << FieldShown()
      << ", focus " << palette.Focus() << ", field " << Field() << ", front "
      << ::GetForegroundWindow() << ", palette " << palette.Window() << ")";
  const RECT field = palette.PlaceOf(Field());
  EXPECT_TRUE(::EqualRect(&field, &infoLine)) << "the field does not lie over the information line";
  // Its blue frame tells it from the information line.
  const auto frameShows = [&] {
    RECT r{};
    ::GetWindowRect(Field(), &r);
    const int midX = (r.left + r.right) / 2;
    const int midY = (r.top + r.bottom) / 2;
    const POINT edges[] = {{r.left, midY}, {r.right - 1, midY}, {midX, r.top}, {midX, r.bottom - 1}};
    HDC screen = ::GetDC(nullptr);
    int blue = 0;
    for (const POINT& p : edges) blue += ::GetPixel(screen, p.x, p.y) == RGB(110, 170, 255);
    ::ReleaseDC(nullptr, screen);
    return blue == 4;
  };
  EXPECT_TRUE(Wait(frameShows)) << "the search field shows no blue frame";
  EXPECT_TRUE(palette.SaveScreenshot(OutputFile("search-field-open.bmp")));

  TypeKeys("led");
  ASSERT_TRUE(Wait([&] { return BoxText() == L"検索: led (2)"; })) << "box shows " << BoxText().size();
  EXPECT_EQ(palette.StatusText(0), L"E04");  // name prefix before comment

  // A Japanese text from the clipboard replaces the field's text (Ctrl+F selects it all).
  ASSERT_TRUE(PutOnClipboard(L"こんせんと"));
  PressKeys({'F'}, true);
  PressKeys({'V'}, true);
  ASSERT_TRUE(Wait([&] { return BoxText() == L"検索: こんせんと (3)"; }))
      << "the pasted text found no results";
  EXPECT_EQ(palette.StatusText(0), L"E01");
  EXPECT_EQ(palette.Hint(palette.SlotPicture(1)), L"ｺﾝｾﾝﾄ ｱｰｽ付");
  EXPECT_FALSE(palette.IsEnabled(ids::kSpeedButton1));
  EXPECT_FALSE(palette.IsEnabled(ids::kSpeedButton2));

  // Pointing describes the result and leaves the typed text alone.
  MoveTo(PointIn(palette.SlotPicture(1)));
  ASSERT_TRUE(Wait([&] { return palette.Text(palette.Control(ids::kEdit1)) == L"ｺﾝｾﾝﾄ ｱｰｽ付"; }));
  EXPECT_EQ(palette.Text(Field()), L"こんせんと");
  EXPECT_TRUE(palette.SaveScreenshot(OutputFile("search-results.bmp")));

  const std::size_t from = cad->Log().size();
  ClickAt(PointIn(palette.SlotPicture(1)));
  EXPECT_NE(cad->WaitForLine("E02B.dxf", kActionTimeout, from), "")
      << "clicking a result inserted nothing";
  EXPECT_NE(cad->WaitForLine("SetVariable(\"ATTREQ\", &", kActionTimeout, from), "")
      << "the insertion did not end";

  // The insertion brought the CAD to the front: back to the palette's field, then Esc.
  ClickAt(PointIn(Field()));
  ASSERT_TRUE(Wait([&] { return palette.Focus() == Field(); })) << "the field took no focus";
  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(Wait([&] { return palette.StatusText(0) == L"L15" && !FieldShown(); }))
      << "Esc did not return to the page the search started from";
  EXPECT_EQ(BoxText(), L"照明器具");
  EXPECT_EQ(palette.CategoryIndex(), 0);
  EXPECT_TRUE(palette.IsEnabled(ids::kSpeedButton1));
  EXPECT_FALSE(palette.IsEnabled(ids::kSpeedButton2));

  // The inserted block leads the recent blocks, the last entry of the box.
  ASSERT_TRUE(Wait([&] { return palette.CategoryCount() == 3; }))
      << "no recent blocks' entry after the insertion";
  EXPECT_EQ(palette.CategoryAt(2), L"最近使ったブロック");
  palette.ChooseCategory(2);
  ASSERT_TRUE(Wait([&] { return palette.StatusText(0) == L"E02"; }));
  EXPECT_TRUE(palette.SaveScreenshot(OutputFile("search-recent.bmp")));

  // The window menu's entry opens the field as Ctrl+F does.
  ::PostMessageW(palette.Window(), WM_SYSCOMMAND, ids::kSearchMenuCommand, 0);
  EXPECT_TRUE(Wait([&] { return FieldShown(); })) << "the window menu's entry opened no field";
}

// The recent blocks are kept in the settings file (its own section, [Recent]) and lead the
// box again after a restart.
TEST_F(SearchE2e, RecentBlocksSurviveARestart) {
  Start();
  palette.ChooseCategory(1);  // コンセント
  ASSERT_TRUE(Wait([&] { return palette.StatusText(0) == L"E01"; }));
  const std::size_t from = cad->Log().size();
  ClickAt(PointIn(palette.SlotPicture(1)));
  ASSERT_NE(cad->WaitForLine("SetVariable(\"ATTREQ\", &", kActionTimeout, from), "")
      << "the insertion of E02 did not end";
  ASSERT_EQ(palette.Close(kStartTimeout), 0) << "the palette did not close";

  const std::optional<std::string> settings = text::ReadFileBytes(dir.File("ZovezaRuzu.ini"));
  ASSERT_TRUE(settings) << "the palette wrote no settings file";
  ASSERT_NE(text::DecodeText(*settings).find("[Recent]"), std::string::npos)
      << "the settings file keeps no recent blocks";
  PaletteDriver again;
  ASSERT_TRUE(StartPalette(again, dir.Path())) << "the palette did not start again";
  ASSERT_TRUE(Wait([&] { return again.CategoryCount() == 3; }, kStartTimeout))
      << "no recent blocks' entry after the restart";
  EXPECT_EQ(again.CategoryAt(2), L"最近使ったブロック");
  again.ChooseCategory(2);
  EXPECT_TRUE(Wait([&] { return again.StatusText(0) == L"E02"; }))
      << "the block inserted before the restart does not lead the recent blocks";
}

}  // namespace
}  // namespace zr::test
