// "カタログを検査" in the real palette on the demo catalogue: opened through the context menu,
// its list read back, and lines chosen with the keyboard showing their block's category and
// page. The dialog beside the palette is kept as a screenshot in the test output folder.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "PaletteDriver.h"
#include "PaletteStart.h"
#include "RealInput.h"
#include "TestOutput.h"
#include "TestWaits.h"
#include "support/TempFolder.h"
#include "win32/CatalogueCheckDialog.h"
#include "win32/PaletteControlIds.h"

namespace zr::test {
namespace {

using namespace std::chrono_literals;
namespace ids = win32::ids;

// The lines of a list box of the palette; the system carries LB_GETTEXT across processes.
std::vector<std::wstring> ListLines(HWND list) {
  std::vector<std::wstring> lines;
  const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring text(static_cast<std::size_t>(::SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    const LRESULT copied = ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
    lines.push_back(text);
  }
  return lines;
}

int LineWith(const std::vector<std::wstring>& lines, const std::wstring& part) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find(part) != std::wstring::npos) return static_cast<int>(i);
  }
  return -1;
}

TEST(CatalogueCheckE2e, DemoWarningsListedAndChosenLineShowsItsPage) {
  TempFolder dir;
  std::filesystem::copy(ZR_DEMO_DIR, dir.Path(), std::filesystem::copy_options::recursive);
  PaletteDriver palette;
  ASSERT_TRUE(StartPalette(palette, dir.Path(), L"LT001"));
  const auto waits = [](const std::function<bool()>& done) {
    return PaletteDriver::WaitUntil(done, kActionTimeout);
  };
  palette.Click(ids::kSpeedButton2);  // the second page of the first category
  ASSERT_TRUE(waits([&] { return palette.StatusText(0) == L"LT015"; }));

  // The entry is the last but the favourites' one (a block is under the pointer).
  ASSERT_NE(palette.OpenContextMenu(palette.SlotPicture(0)), nullptr) << "no context menu";
  const auto chosen = std::chrono::steady_clock::now();
  PressKeys({VK_UP, VK_UP, VK_RETURN});
  HWND box = nullptr;
  ASSERT_TRUE(waits([&] { return (box = palette.ProcessWindow(kDialogClass)) != nullptr; }))
      << "no check dialog";
  EXPECT_EQ(palette.Text(box), L"カタログを検査");
  const HWND list = ::GetDlgItem(box, win32::kCheckListId);
  ASSERT_TRUE(waits([&] { return ::SendMessageW(list, LB_GETCOUNT, 0, 0) > 0; })) << "no list";
  const auto listed = std::chrono::steady_clock::now();
  std::cout << "[ measure ] menu choice to listed problems: "
            << std::chrono::duration_cast<std::chrono::milliseconds>(listed - chosen).count()
            << " ms\n";

  // The demo as shipped: its scale drawings missing, warnings only, as the console prints them.
  const std::vector<std::wstring> lines = ListLines(list);
  for (const std::wstring& line : lines) {
    EXPECT_TRUE(line.starts_with(L"警告: BlockList.txt:")) << palette.Text(box);
  }
  EXPECT_TRUE(palette.Text(::GetDlgItem(box, win32::kCheckSummaryId))
                  .starts_with(L"エラー 0 件、警告 " + std::to_wstring(lines.size()) + L" 件"));
  const int lt013 = LineWith(lines, L"BlockList.txt:13: LT013: DXF/LT013A.dxf");
  const int pb006 = LineWith(lines, L"BlockList.txt:49: PB006: DXF/PB006C.dxf");
  ASSERT_GE(lt013, 0);
  ASSERT_GE(pb006, 0);

  // Enter on a line: its category and the page holding the block.
  ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(pb006), 0);
  PressKeys({VK_RETURN});
  ASSERT_TRUE(waits([&] { return palette.CategoryIndex() == 3; })) << "category not shown";
  EXPECT_EQ(palette.Text(palette.Control(ids::kComboBox1)), L"分電盤・制御盤");
  EXPECT_TRUE(waits([&] { return palette.StatusText(0) == L"PB001"; }));
  EXPECT_EQ(palette.ProcessWindow(kDialogClass), box) << "the dialog stays for the next line";

  // Back to the first category, on the page of LT013 (the first, not the one left there).
  ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(lt013), 0);
  PressKeys({VK_RETURN});
  ASSERT_TRUE(waits([&] { return palette.CategoryIndex() == 0; }));
  EXPECT_TRUE(waits([&] { return palette.StatusText(0) == L"LT001"; }));
  EXPECT_FALSE(palette.IsEnabled(ids::kSpeedButton1));

  EXPECT_TRUE(palette.SaveScreenshotWith(box, OutputFile("catalogue-check.bmp")));

  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(waits([&] { return palette.ProcessWindow(kDialogClass) == nullptr; }));
  EXPECT_EQ(palette.Close(10s), 0);
}

}  // namespace
}  // namespace zr::test
