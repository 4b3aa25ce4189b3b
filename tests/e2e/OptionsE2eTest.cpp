// The real palette started with a settings file: what it restores, options changed with real
// mouse clicks and keys through the context menu, the About box, and the file after closing.
// Screenshots of the menu and the box are kept in the test output folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "PaletteDriver.h"
#include "PaletteStart.h"
#include "RealInput.h"
#include "TestOutput.h"
#include "TestWaits.h"
#include "support/TempFolder.h"
#include "text/IniFile.h"
#include "text/TextFile.h"
#include "win32/WideText.h"
#include "win32/AboutBox.h"
#include "win32/PaletteControlIds.h"

namespace zr::test {
namespace {

using namespace std::chrono_literals;
namespace ids = win32::ids;

class OptionsE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.Write("MenuList.txt", "Lamps\tL\r\nOutlets\tC\r\nFans\tF\r\n");
    dir.Write("BlockList.txt", "L01\tLamp\r\nC01\tOutlet\r\nF01\tFan\r\nF02\tFan 2\r\n");
    dir.Write("TargetCAD_APIVersion.txt",
              "AutoCAD\tAutoCAD.Application\r\nBricsCAD\tBricscadApp.AcadApplication\r\n");
  }

  void Start() { ASSERT_TRUE(StartPalette(palette, dir.Path())); }

  bool Checked(int id) const {
    return ::SendMessageW(palette.Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  std::wstring Caption(int id) const { return palette.Text(palette.Control(id)); }
  bool Waits(const std::function<bool()>& done) const {
    return PaletteDriver::WaitUntil(done, kActionTimeout);
  }

  // Opens the context menu with the right button over slot 0; false when no menu shows.
  bool OpenMenu() { return palette.OpenContextMenu(palette.SlotPicture(0)) != nullptr; }
  bool MenuClosed() {
    return Waits([&] { return palette.ProcessWindow(kMenuClass) == nullptr; });
  }


  TempFolder dir;
  PaletteDriver palette;
};

TEST_F(OptionsE2e, RestoresTheSettingsTakesChangesAndWritesThemBack) {
  // Saved by hand as UTF-8 without a mark, with a section of the user's own.
  dir.Write("ZovezaRuzu.ini",
            "[Form]\r\nLeft=100\r\nTop=120\r\n[Scale]\r\n100=0\r\n050=1\r\nNON=1\r\n"
            "[Block]\r\nDbClick=1\r\n[Menu]\r\nKaiten=回転角度ピッチ 30°\r\n"
            "[Caption]\r\nKaiten1=+30\r\nKaiten2=-30\r\n[Combo]\r\nSetsubi=2\r\n"
            "[Target]\r\nProgID=AutoCAD.Application\r\n[メモ]\r\n残す=はい\r\n");
  Start();
  ASSERT_TRUE(Waits([&] { return palette.StatusText(0) == L"F01"; })) << "category 3 not shown";

  RECT window{};
  ::GetWindowRect(palette.Window(), &window);
  EXPECT_EQ(window.left, 100);
  EXPECT_EQ(window.top, 120);
  EXPECT_EQ(palette.Text(palette.Window()), L"Zoveza Ruzu 1.65 Dark [ AutoCAD ]");
  EXPECT_EQ(palette.CategoryIndex(), 2);
  EXPECT_FALSE(Checked(ids::kCheckBox2));
  EXPECT_TRUE(Checked(ids::kCheckBox3));
  EXPECT_TRUE(Checked(ids::kCheckBox4));
  EXPECT_EQ(Caption(ids::kSpeedButton3), L"+30");
  EXPECT_EQ(Caption(ids::kSpeedButton4), L"-30");

  // A real click on 1/200 takes the mark from 1/50.
  ClickAt(PointIn(palette.Control(ids::kCheckBox1)));
  ASSERT_TRUE(Waits([&] { return Checked(ids::kCheckBox1) && !Checked(ids::kCheckBox3); }));
  EXPECT_FALSE(Checked(ids::kCheckBox2));

  // The menu: its picture, then "ダブルクリックでブロック挿入" (fourth entry) switched off.
  ASSERT_TRUE(OpenMenu()) << "no context menu on the right button";
  EXPECT_TRUE(palette.SaveScreenshotWith(palette.ProcessWindow(kMenuClass),
                                         OutputFile("options-context-menu.bmp")));
  PressKeys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  ASSERT_TRUE(MenuClosed());
  // The pitch submenu (fifth entry), its first step 15°.
  ASSERT_TRUE(OpenMenu());
  PressKeys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN});
  ASSERT_TRUE(palette.OpenSubmenu()) << "the pitch submenu did not open";
  PressKeys({VK_RETURN});
  ASSERT_TRUE(Waits([&] { return Caption(ids::kSpeedButton3) == L"+15"; }))
      << palette.InputState() << "; step not 15°: the buttons read " << win32::Narrow(Caption(ids::kSpeedButton3)) << " / "
      << win32::Narrow(Caption(ids::kSpeedButton4));
  EXPECT_EQ(Caption(ids::kSpeedButton4), L"-15");
  ASSERT_TRUE(MenuClosed());

  // "バージョン情報", fourth from the end (after it "取り消し", "カタログを検査" and the
  // favourites' entry for the block under the pointer); closed with a click on OK.
  ASSERT_TRUE(OpenMenu());
  PressKeys({VK_UP, VK_UP, VK_UP, VK_UP, VK_RETURN});
  HWND about = nullptr;
  ASSERT_TRUE(Waits([&] { return (about = palette.ProcessWindow(kDialogClass)) != nullptr; }))
      << "no About box; " << palette.InputState();
  EXPECT_EQ(palette.Text(about), L"バージョン情報");
  // The texts and size the users know, written out here rather than taken from the code.
  EXPECT_EQ(palette.Text(::GetDlgItem(about, win32::kAboutNameId)), L"Zoveza Ruzu (ActiveX/LISP)");
  EXPECT_EQ(palette.Text(::GetDlgItem(about, win32::kAboutVersionId)),
            L"Ver.1.65 (2025/07/13 Vara)");
  const HWND ok = ::GetDlgItem(about, win32::kAboutOkId);
  EXPECT_EQ(palette.Text(ok), L"OK");
  const LRESULT defaultId = ::SendMessageW(about, DM_GETDEFID, 0, 0);  // Enter presses OK
  EXPECT_EQ(HIWORD(defaultId), DC_HASDEFID);
  EXPECT_EQ(LOWORD(defaultId), ::GetDlgCtrlID(ok));
  RECT client{};
  ::GetClientRect(about, &client);
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  EXPECT_EQ(client.right, ::MulDiv(253, dpi, 96));
  EXPECT_EQ(client.bottom, ::MulDiv(135, dpi, 96));
  EXPECT_TRUE(palette.SaveScreenshotWith(about, OutputFile("options-about-box.bmp")));
  ClickAt(PointIn(::GetDlgItem(about, win32::kAboutOkId)));
  ASSERT_TRUE(Waits([&] { return palette.ProcessWindow(kDialogClass) == nullptr; }));

  EXPECT_EQ(palette.Close(10s), 0);
  text::TextEncoding encoding{};
  const auto bytes = text::ReadFileBytes(dir.File("ZovezaRuzu.ini"));
  ASSERT_TRUE(bytes);
  const text::IniFile ini(text::SplitLines(text::DecodeEditedText(*bytes, &encoding)));
  EXPECT_EQ(encoding, text::TextEncoding::Utf8);
  EXPECT_EQ(ini.Read("Form", "Left"), "100");
  EXPECT_EQ(ini.Read("Form", "Top"), "120");
  EXPECT_EQ(ini.Read("Scale", "200"), "1");
  EXPECT_EQ(ini.Read("Scale", "050"), "0");
  EXPECT_EQ(ini.Read("Scale", "NON"), "1");
  EXPECT_EQ(ini.Read("Block", "DbClick"), "0");
  EXPECT_EQ(ini.Read("Menu", "Kaiten"), "回転角度ピッチ 15°");
  EXPECT_EQ(ini.Read("Caption", "Kaiten1"), "+15");
  EXPECT_EQ(ini.Read("Combo", "Setsubi"), "2");
  EXPECT_EQ(ini.Read("Target", "ProgID"), "AutoCAD.Application");
  EXPECT_EQ(ini.Read("メモ", "残す"), "はい");
}

TEST_F(OptionsE2e, PositionOnNoMonitorIsCentredAndTheFirstCloseWritesANewFile) {
  dir.Write("ZovezaRuzu.ini", "[Form]\r\nLeft=-30000\r\nTop=40000\r\n");
  Start();
  RECT window{};
  ::GetWindowRect(palette.Window(), &window);
  EXPECT_EQ(window.left, (::GetSystemMetrics(SM_CXSCREEN) - (window.right - window.left)) / 2);
  EXPECT_EQ(window.top, (::GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top)) / 2);
  EXPECT_EQ(Caption(ids::kSpeedButton3), L"+45");  // the default step
  EXPECT_TRUE(Checked(ids::kCheckBox2));

  dir.Remove("ZovezaRuzu.ini");
  EXPECT_EQ(palette.Close(10s), 0);
  const auto bytes = text::ReadFileBytes(dir.File("ZovezaRuzu.ini"));
  ASSERT_TRUE(bytes);
  EXPECT_TRUE(bytes->starts_with("\xFF\xFE")) << "a new file is UTF-16 with its mark";
  const text::IniFile ini(text::SplitLines(text::DecodeText(*bytes)));
  EXPECT_EQ(ini.Read("Form", "Left"), std::to_string(window.left));
  EXPECT_EQ(ini.Read("Menu", "Kaiten"), "回転角度ピッチ 45°");
}

// A settings file that cannot be written: the user is told which file, the palette still
// closes, and the file stays as it was. (The temporary file's place is taken by a folder;
// Wine, unlike Windows, replaces a read-only file for a root user.)
TEST_F(OptionsE2e, FailedWriteIsReportedAndTheFileKept) {
  const std::string content = "[Form]\r\nLeft=100\r\nTop=120\r\n";
  dir.Write("ZovezaRuzu.ini", content);
  const std::wstring path = (dir.Path() / "ZovezaRuzu.ini").wstring();
  std::filesystem::create_directory(dir.Path() / "ZovezaRuzu.ini.tmp");
  Start();
  ::PostMessageW(palette.Window(), WM_CLOSE, 0, 0);
  HWND message = nullptr;
  ASSERT_TRUE(Waits([&] { return (message = palette.ProcessWindow(kDialogClass)) != nullptr; }))
      << "no message about the failed write";
  EXPECT_TRUE(palette.SaveScreenshotWith(message, OutputFile("options-write-failed.bmp")));
  EXPECT_EQ(palette.Text(::GetDlgItem(message, 0xFFFF)), path + L" に書き込めません");
  PressKeys({VK_RETURN});
  EXPECT_EQ(palette.Close(10s), 0);
  EXPECT_EQ(text::ReadFileBytes(dir.File("ZovezaRuzu.ini")), content);
}

// Signing out or shutting down sends no WM_CLOSE: the settings are written when the session
// ends, before the process is ended, and a close that still comes does not write them again.
TEST_F(OptionsE2e, SettingsAreWrittenOnceWhenTheSessionEnds) {
  for (const bool closedAfter : {false, true}) {
    SCOPED_TRACE(closedAfter ? "closed after the session's end" : "ended by the system");
    PaletteDriver session;
    dir.Write("ZovezaRuzu.ini", "[Form]\r\nLeft=100\r\nTop=120\r\n");
    ASSERT_TRUE(StartPalette(session, dir.Path()));
    ClickAt(PointIn(session.Control(ids::kCheckBox1)));
    ASSERT_TRUE(Waits([&] {
      return ::SendMessageW(session.Control(ids::kCheckBox1), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }));
    EXPECT_NE(::SendMessageW(session.Window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0);
    ::SendMessageW(session.Window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    const auto bytes = text::ReadFileBytes(dir.File("ZovezaRuzu.ini"));
    ASSERT_TRUE(bytes);
    const text::IniFile ini(text::SplitLines(text::DecodeText(*bytes)));
    EXPECT_EQ(ini.Read("Scale", "200"), "1");
    EXPECT_EQ(ini.Read("Form", "Left"), "100");
    if (closedAfter) {
      dir.Remove("ZovezaRuzu.ini");
      EXPECT_EQ(session.Close(10s), 0);
      EXPECT_FALSE(std::filesystem::exists(dir.Path() / "ZovezaRuzu.ini")) << "written twice";
    } else {
      EXPECT_TRUE(session.Kill());
      EXPECT_EQ(text::ReadFileBytes(dir.File("ZovezaRuzu.ini")), bytes);
    }
  }
}

}  // namespace
}  // namespace zr::test
