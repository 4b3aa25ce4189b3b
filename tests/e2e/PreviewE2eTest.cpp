// The large preview end to end: the real pointer rests on a slot of the real palette, the
// preview appears beside it without taking the focus, follows the pointer to another slot and
// goes when the pointer leaves or a key is pressed. Its picture is kept in the test output.
#include <gtest/gtest.h>

#include <string>

#include "CircleDrawing.h"
#include "PaletteDriver.h"
#include "PaletteStart.h"
#include "RealInput.h"
#include "TestOutput.h"
#include "TestWaits.h"
#include "support/TempFolder.h"
#include "text/AnsiCodePage.h"
#include "win32/SlotPreviewWindow.h"
#include "win32/WideText.h"

namespace zr::test {
namespace {

void PressLeftButton(bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  ::SendInput(1, &input, sizeof input);
}

class PreviewE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.Write("MenuList.txt", text::Utf8ToAnsi("照明器具\tL\r\n"));
    dir.Write("BlockList.txt",
              text::Utf8ToAnsi("L01\t照明 01\t*\t\t天井付\r\nL02\t照明 02\t\t*\t\r\n"));
    dir.Write("DXF/L01A.dxf", kCircleDxf);
    dir.Write("DXF/L01B.dxf", kCircleDxf);
    dir.Write("DXF/L02B.dxf", kCircleDxf);
    ASSERT_TRUE(StartPalette(palette, dir.Path(), L"L01"));
  }
  void TearDown() override { MovePointerAway(); }

  HWND Preview() const { return palette.ProcessWindow(win32::kSlotPreviewClass); }
  // Waits for the preview whose text holds `text`; the popup, or none.
  HWND WaitForPreviewOf(const std::wstring& text) const {
    HWND popup = nullptr;
    PaletteDriver::WaitUntil(
        [&] {
          popup = Preview();
          return popup != nullptr && palette.Text(popup).find(text) != std::wstring::npos;
        },
        kActionTimeout);
    return popup;
  }
  bool WaitHidden() const {
    return PaletteDriver::WaitUntil([&] { return Preview() == nullptr; }, kActionTimeout);
  }

  TempFolder dir;
  PaletteDriver palette;
};

TEST_F(PreviewE2e, RestingOnASlotShowsItBesideThePaletteUntilThePointerLeavesOrAKey) {
  const HWND foreground = ::GetForegroundWindow();
  const HWND focus = palette.Focus();
  MoveTo(PointIn(palette.SlotPicture(0)));
  HWND popup = WaitForPreviewOf(L"番号 L01");
  ASSERT_NE(popup, nullptr) << "no preview of L01 after resting on slot 0";
  const std::wstring text = palette.Text(popup);
  EXPECT_NE(text.find(L"名称 照明 01"), std::wstring::npos) << win32::Narrow(text);
  EXPECT_NE(text.find(L"コメント 天井付"), std::wstring::npos) << win32::Narrow(text);
  EXPECT_NE(text.find(L"図面 A ○  B ○  C ×"), std::wstring::npos) << win32::Narrow(text);

  RECT shown{};
  RECT slot{};
  RECT palettePlace{};
  ::GetWindowRect(popup, &shown);
  ::GetWindowRect(palette.SlotPicture(0), &slot);
  ::GetWindowRect(palette.Window(), &palettePlace);
  EXPECT_GE(shown.right - shown.left, 4 * (slot.right - slot.left));
  EXPECT_GE(shown.bottom - shown.top, 4 * (slot.bottom - slot.top));
  POINT pointer{};
  ::GetCursorPos(&pointer);
  EXPECT_FALSE(::PtInRect(&shown, pointer)) << "the preview covers the pointer";
  RECT overlap{};
  EXPECT_FALSE(::IntersectRect(&overlap, &shown, &palettePlace)) << "the preview covers the palette";
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromWindow(palette.Window(), MONITOR_DEFAULTTONEAREST), &monitor);
  RECT inside{};
  ::IntersectRect(&inside, &shown, &monitor.rcWork);
  EXPECT_TRUE(::EqualRect(&inside, &shown)) << "the preview leaves the work area";
  // Shown without activation: the focus stays where it was.
  EXPECT_EQ(::GetForegroundWindow(), foreground);
  EXPECT_EQ(palette.Focus(), focus);

  RECT shot{};
  ::UnionRect(&shot, &palettePlace, &shown);
  ASSERT_TRUE(PaletteDriver::WaitPainted(popup, kActionTimeout));
  EXPECT_TRUE(PaletteDriver::SaveScreenshot(OutputFile("preview.bmp"), shot));

  // To the next slot: the preview of that block after the hover time there.
  MoveTo(PointIn(palette.SlotPicture(1)));
  EXPECT_NE(WaitForPreviewOf(L"番号 L02"), nullptr) << "the preview did not follow to slot 1";

  MovePointerAway();
  EXPECT_TRUE(WaitHidden()) << "the preview stayed after the pointer left";

  MoveTo(PointIn(palette.SlotPicture(0)));
  ASSERT_NE(WaitForPreviewOf(L"番号 L01"), nullptr) << "no preview on the way back";
  PressKeys({VK_SHIFT});
  EXPECT_TRUE(WaitHidden()) << "a key left the preview shown";
  EXPECT_EQ(::GetForegroundWindow(), foreground);

  // A press hides it; the button is let go off the slot, so that no click inserts.
  MoveTo(PointIn(palette.SlotPicture(1)));
  ASSERT_NE(WaitForPreviewOf(L"番号 L02"), nullptr) << "no preview of slot 1";
  PressLeftButton(true);
  EXPECT_TRUE(WaitHidden()) << "a press left the preview shown";
  MovePointerAway();
  PressLeftButton(false);
}

}  // namespace
}  // namespace zr::test
