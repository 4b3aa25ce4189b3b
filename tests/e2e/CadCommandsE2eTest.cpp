// The CAD commands end to end: the real palette and the real test CAD. The target dialog is
// driven through its controls; one drafter entry is chosen in the real context menu, the other
// menu commands arrive as the WM_COMMAND a menu item sends; slots and buttons are clicked with
// real mouse input. The test CAD's log holds what the CAD received.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CircleDrawing.h"
#include "PaletteDriver.h"
#include "PaletteStart.h"
#include "RealInput.h"
#include "TestOutput.h"
#include "TestWaits.h"
#include "app/PaletteMenu.h"
#include "cadlink/AutoValue.h"
#include "insert/LispInsertion.h"
#include "insert/LispLoad.h"
#include "support/TempFolder.h"
#include "text/AnsiCodePage.h"
#include "text/TextFile.h"
#include "win32/CadLinkTestCad.h"
#include "win32/PaletteControlIds.h"
#include "win32/TargetCadDialog.h"
#include "win32/WideText.h"

namespace zr::test {
namespace {

using namespace std::chrono_literals;
namespace ids = win32::ids;
namespace target_ids = win32::target_ids;
using win32::testing::TestCadProcess;

std::string Quoted(const std::string& text) { return cadlink::AutoValue(text).Describe(); }

// True when the window has the keyboard focus of its own thread.
bool Focused(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) &&
         info.hwndFocus == window;
}

// A line of the dialog's list. LB_GETTEXT takes no buffer size and the list may be refilled
// between two messages, so the buffer is far larger than any line of these tests.
std::wstring ListLine(HWND list, int i) {
  constexpr std::size_t kRoom = 4096;
  if (::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) >= 1024) return {};
  std::wstring text(kRoom, L'\0');
  ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
  text.resize(wcsnlen(text.c_str(), kRoom));
  return text;
}

class CadCommandsE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(std::filesystem::path(ZR_DEMO_DIR) / insert::kLispFileName,
                               dir.Path() / insert::kLispFileName);
    dir.Write("MenuList.txt", "Lights\tL\r\n");
    dir.Write("BlockList.txt", "L01\tLight 01\r\n");
    dir.Write("DXF/L01B.dxf", kCircleDxf);
    dir.Write("TargetCAD_APIVersion.txt",
              text::Utf8ToAnsi("BricsCAD\tBricscadApp.AcadApplication\r\nIJCAD LT\tGcad.Application\r\n"
                               "AutoCAD LT\tAutoCAD LT\r\n"));
  }

  void Start(std::vector<std::string> cadArgs) {
    cadArgs.insert(cadArgs.end(), {"--pos", "0,0,300,300"});
    cad = std::make_unique<TestCadProcess>(cadArgs, "commands");
    ASSERT_TRUE(cad->Ready()) << "the test CAD did not register";
    ASSERT_TRUE(StartPalette(palette, dir.Path(), L"L01"));
  }

  // A command of the context menu, as its item sends it.
  void Command(MenuCommand command) const {
    ::PostMessageW(palette.Window(), WM_COMMAND, static_cast<WPARAM>(command), 0);
  }

  // The palette's target CAD dialog, once it shows; none on timeout.
  HWND FindDialog() const {
    HWND found = nullptr;
    PaletteDriver::WaitUntil([&] {
      found = palette.ProcessWindow(kDialogClass);
      return found != nullptr && palette.Text(found) == target_ids::kCaption;
    }, kActionTimeout);
    return found;
  }

  // Opens the target dialog, picks the line, optionally renames it by putting the new name in
  // the name field and pressing a real Enter there, keeps a screenshot and confirms with OK.
  void ChooseTarget(const std::wstring& line, const std::string& screenshot,
                    const std::wstring& newName = L"") {
    Command(MenuCommand::TargetCad);
    const HWND dialog = FindDialog();
    ASSERT_NE(dialog, nullptr) << "the target CAD dialog did not open";
    ExpectDialogLayout(dialog);
    const HWND list = ::GetDlgItem(dialog, target_ids::kListBox1);
    const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    int index = -1;
    for (int i = 0; i < count && index < 0; ++i) {
      if (ListLine(list, i) == line) index = i;
    }
    ASSERT_GE(index, 0) << "the line is not in the list";
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(target_ids::kListBox1, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
    const std::wstring progId = line.substr(line.find(L'\t') + 1);
    EXPECT_EQ(palette.Text(::GetDlgItem(dialog, target_ids::kEdit2)), progId);
    if (!newName.empty()) {
      const HWND name = ::GetDlgItem(dialog, target_ids::kEdit1);
      ::SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(newName.c_str()));
      ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(name), TRUE);  // as Tab does
      ASSERT_TRUE(PaletteDriver::WaitUntil([&] { return Focused(name); }, kActionTimeout));
      PressKeys({VK_RETURN});
      EXPECT_TRUE(PaletteDriver::WaitUntil([&] { return ListLine(list, index) == newName + L"\t" + progId; },
                                           kActionTimeout))
          << "Enter in the name field did not change the line";
      EXPECT_TRUE(::IsWindowVisible(dialog)) << "Enter closed the dialog";
    }
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r{};
    ::GetWindowRect(dialog, &r);
    EXPECT_TRUE(PaletteDriver::SaveScreenshot(OutputFile(screenshot), r));
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(PaletteDriver::WaitUntil([&] { return !::IsWindow(dialog); }, kActionTimeout));
  }

  // The client area and the controls at their 96-dpi places (the test display has 96 dpi).
  void ExpectDialogLayout(HWND dialog) const {
    RECT client{};
    ::GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 315);
    EXPECT_EQ(client.bottom, 307);
    const struct {
      int id;
      RECT place;  // left, top, right, bottom
    } controls[] = {
        {target_ids::kListBox1, {8, 8, 305, 145}},       {target_ids::kButton1, {80, 271, 155, 296}},
        {target_ids::kButton2, {161, 271, 249, 296}},    {target_ids::kGroupBox1, {8, 151, 305, 256}},
        {target_ids::kEdit1, {24, 174, 222, 198}},       {target_ids::kSpeedButton1, {228, 172, 299, 194}},
        {target_ids::kSpeedButton2, {228, 200, 299, 222}}, {target_ids::kEdit2, {24, 224, 222, 248}},
        {target_ids::kSpeedButton3, {228, 228, 299, 250}},
    };
    for (const auto& c : controls) {
      const RECT r = palette.PlaceOf(::GetDlgItem(dialog, c.id), dialog);
      EXPECT_TRUE(::EqualRect(&r, &c.place)) << "control " << c.id << " at " << r.left << ","
                                              << r.top << "," << r.right << "," << r.bottom;
    }
  }

  std::string WaitFor(const std::string& part, std::size_t from) const {
    return cad->WaitForLine(part, kActionTimeout, from);
  }
  std::string BlockPath() const { return dir.File("") + "DXF\\L01B.dxf"; }
  TempFolder dir;
  std::unique_ptr<TestCadProcess> cad;
  PaletteDriver palette;
};

TEST_F(CadCommandsE2e, TargetDialogChoiceRetitlesAndTheNextCommandsGoToIt) {
  Start({"--progid", "Gcad.Application"});
  ChooseTarget(L"IJCAD LT\tGcad.Application", "target-cad-dialog.bmp", L"IJCAD LT 2024");
  EXPECT_EQ(palette.Text(palette.Window()), L"Zoveza Ruzu 1.65 Dark [ IJCAD LT 2024 ]");
  std::vector<std::string> list;
  ASSERT_TRUE(text::ReadTextLines(dir.File("TargetCAD_APIVersion.txt"), list));
  EXPECT_EQ(list[2], "IJCAD LT 2024\tGcad.Application");  // saved at once, in the list's order

  // The IJCAD LT load types the file's non-empty lines, in order.
  std::size_t from = cad->Log().size();
  Command(MenuCommand::LoadLispIjcadLt);
  std::vector<std::string> lines, expected, typed;
  ASSERT_TRUE(text::ReadTextLines(dir.File(insert::kLispFileName), lines));
  for (const std::string& line : lines) {
    if (!line.empty()) expected.push_back("Document.SendCommand(" + Quoted(line + "\r") + ") -> <empty>");
  }
  ASSERT_NE(WaitFor(expected.back(), from), "") << "the load did not reach the last line";
  for (const std::string& line : cad->LogFrom(from)) {
    if (line.rfind("Document.SendCommand(", 0) == 0) typed.push_back(line);
  }
  EXPECT_EQ(typed, expected);

  // "ドラフター -30°(Z軸回転)" chosen in the real context menu: the ninth entry that takes
  // the keyboard (separators are passed over).
  from = cad->Log().size();
  ASSERT_NE(palette.OpenContextMenu(palette.SlotPicture(0)), nullptr)
      << "no context menu on the right button";
  PressKeys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN,
                            VK_DOWN, VK_RETURN});
  EXPECT_NE(WaitFor("Document.SendCommand(" + Quoted("UCS Z -30\r") + ")", from), "");

  // A ProgID typed and confirmed without 追加 is in its field again at the next showing,
  // though the window is a new one and no line names it.
  Command(MenuCommand::TargetCad);
  HWND dialog = FindDialog();
  ASSERT_NE(dialog, nullptr) << "the target CAD dialog did not open";
  ::SendMessageW(::GetDlgItem(dialog, target_ids::kEdit2), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"Typed.Application"));
  ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(PaletteDriver::WaitUntil([&] { return !::IsWindow(dialog); }, kActionTimeout));
  Command(MenuCommand::TargetCad);
  dialog = FindDialog();
  ASSERT_NE(dialog, nullptr) << "the target CAD dialog did not open again";
  EXPECT_EQ(palette.Text(::GetDlgItem(dialog, target_ids::kEdit2)), L"Typed.Application");
  ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(PaletteDriver::WaitUntil([&] { return !::IsWindow(dialog); }, kActionTimeout));
}

TEST_F(CadCommandsE2e, TwoPointsTurnsTheInsertionAndLispModeCallsTheFunction) {
  Start({"--angle", "30"});
  std::size_t from = cad->Log().size();
  Command(MenuCommand::LoadLisp);
  EXPECT_NE(WaitFor("Document.SendCommand(" +
                        Quoted(insert::LispLoadText(dir.File(insert::kLispFileName)) + "\r") + ")", from), "");

  from = cad->Log().size();
  // A real click: a message sent from another process could not make calls into the CAD.
  ClickAt(PointIn(palette.Control(ids::kSpeedButton7)));
  EXPECT_NE(WaitFor("Utility.Prompt(" + Quoted("30.0000\r\n") + ")", from), "");
  EXPECT_NE(WaitFor("Document.SendCommand(" + Quoted("\x1B") + ")", from), "");

  Command(MenuCommand::UseLisp);
  from = cad->Log().size();
  ClickAt(PointIn(palette.SlotPicture(0)));
  const std::string call = insert::LispCallText(BlockPath(), 100.0, 30 * 3.14159265358979323846 / 180, std::nullopt);
  EXPECT_NE(WaitFor("Document.SendCommand(" + Quoted(call + "\r") + ")", from), "")
      << "expected " << call;
}

TEST_F(CadCommandsE2e, AutoCadLtIsTypedIntoItsCommandWindow) {
  Start({"--class", "AfxMDIFrame140u", "--title", "AutoCAD LT 2024 - [Drawing1.dwg]"});
  ChooseTarget(L"AutoCAD LT\tAutoCAD LT", "target-cad-dialog-lt.bmp");
  std::size_t from = cad->Log().size();
  Command(MenuCommand::DrafterMinus30);  // a lower-case z on this route
  EXPECT_NE(WaitFor("text=" + Quoted("UCS z -30\r"), from), "");

  Command(MenuCommand::UseLisp);
  from = cad->Log().size();
  ClickAt(PointIn(palette.SlotPicture(0)));
  const std::string typed = insert::LtInsertCommandText(BlockPath(), 100.0, 0.0) + "\r";
  EXPECT_NE(WaitFor("text=" + Quoted(typed), from), "") << "expected " << Quoted(typed);
}

}  // namespace
}  // namespace zr::test
