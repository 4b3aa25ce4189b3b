// Insertion end to end: the real palette and the real test CAD, driven with real mouse input
// (the pointer moved and clicked at a slot's place on the screen); the test CAD's log holds
// every call the palette made, in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
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
#include "win32/CadLinkTestCad.h"
#include "win32/PaletteControlIds.h"
#include "win32/SlotPreviewWindow.h"
#include "win32/WideText.h"

namespace zr::test {
namespace {

using namespace std::chrono_literals;
namespace ids = win32::ids;
using win32::Widen;
using win32::testing::TestCadProcess;

// The calls the palette made of the drawing, in order, without what they returned.
std::vector<std::string> DocumentCalls(const std::vector<std::string>& log) {
  std::vector<std::string> calls;
  for (const std::string& line : log) {
    if (line.rfind("Document.", 0) != 0) continue;
    if (line.rfind("Document.Blocks", 0) == 0 || line.rfind("Document.SelectionSets", 0) == 0) {
      continue;
    }
    calls.push_back(line.substr(9, line.find(" -> ") - 9));
  }
  return calls;
}

class InsertE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    MovePointerAway();
    dir.Write("MenuList.txt", text::Utf8ToAnsi("照明器具\tL\r\n"));
    dir.Write("BlockList.txt",
              text::Utf8ToAnsi("L01\t照明 01\t*\t\t天井付\r\nL02\t照明 02\t\t*\t\r\n"));
    dir.Write("DXF/L01B.dxf", kCircleDxf);
    dir.Write("DXF/L02B.dxf", kCircleDxf);
    dir.Write("DXF/L02C.dxf", kCircleDxf);
  }

  void TearDown() override { MovePointerAway(); }

  // The test CAD first (it must be registered when the palette checks for it), then the
  // palette, whose first page is shown once panel 0 names its first block.
  void Start(std::vector<std::string> cadArgs = {}) {
    cadArgs.insert(cadArgs.end(), {"--pos", "0,0,300,300", "--var", "VIEWCTR=10,20,0"});
    cad = std::make_unique<TestCadProcess>(cadArgs, "insert");
    ASSERT_TRUE(cad->Ready()) << "the test CAD did not register";
    ASSERT_TRUE(StartPalette(palette, dir.Path(), L"L01"));
  }

  // A point of slot k's picture on the screen, (fx, fy) as fractions of its size.
  POINT SlotPoint(int k, double fx = 0.5, double fy = 0.5) const {
    return PointIn(palette.SlotPicture(k), fx, fy);
  }

  // Clicks slot k and waits for the insertion's last call; the calls it made.
  std::vector<std::string> InsertBy(POINT click, const std::string& lastCall) {
    const std::size_t from = cad->Log().size();
    ClickAt(click);
    EXPECT_NE(cad->WaitForLine(lastCall, kActionTimeout, from), "")
        << "no " << lastCall << " in the test CAD's log";
    return DocumentCalls(cad->LogFrom(from));
  }

  std::string Path(const std::string& file) const {
    std::string path = dir.File("DXF/" + file);
    for (char& c : path) {
      if (c == '\\') c = '/';
    }
    return path;
  }

  TempFolder dir;
  std::unique_ptr<TestCadProcess> cad;
  PaletteDriver palette;
};

TEST_F(InsertE2e, PointingShowsTheBlockAndAClickInsertsIt) {
  Start();
  MoveTo(SlotPoint(1));
  ASSERT_TRUE(PaletteDriver::WaitUntil([&] { return palette.Text(palette.Control(ids::kEdit1)) == L"照明 02"; },
                                       kActionTimeout))
      << "pointing at slot 1 did not show its name";
  EXPECT_EQ(palette.Text(palette.Control(ids::kStaticText1)), L"");
  EXPECT_EQ(palette.Text(palette.Control(ids::kStaticText2)), L"Ｋ");
  EXPECT_EQ(palette.StatusText(0), L"L02");
  EXPECT_EQ(palette.StatusText(1), L"2.000 x 2.000");
  EXPECT_TRUE(palette.SaveScreenshot(OutputFile("insert-pointing.bmp")));

  const std::vector<std::string> calls = InsertBy(SlotPoint(0), "SetVariable(\"ATTREQ\", &");
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0], "GetVariable(\"ATTREQ\")");
  // A real CAD gives ATTREQ as a 16-bit integer and may refuse another type: both the 0 and
  // the value put back go in that type.
  EXPECT_EQ(calls[1], "SetVariable(\"ATTREQ\", Int16(0))");
  EXPECT_EQ(calls[2], "SendCommand(\"-INSERT\\r\\\"" + Path("L01B.dxf") +
                          "\\\"\\rS 100 PS 100 R 0\\r\")");
  EXPECT_EQ(calls[3], "SetVariable(\"ATTREQ\", &Int16(1))");
}

TEST_F(InsertE2e, MissingScaleDrawingFallsBackToTheOneHundredthAtItsFactor) {
  Start();
  palette.Click(ids::kCheckBox1);  // 1/200: only the B drawing exists
  const std::vector<std::string> calls = InsertBy(SlotPoint(0), "SetVariable(\"ATTREQ\", &");
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[2], "SendCommand(\"-INSERT\\r\\\"" + Path("L01B.dxf") +
                          "\\\"\\rS 153.4 PS 153.4 R 0\\r\")");
}

TEST_F(InsertE2e, AuxiliaryBasePointChosenByThePressPlacesTheCopy) {
  Start({"--var", "ORTHOMODE=1"});
  palette.Click(ids::kSpeedButton6);  // show the auxiliary base points
  // A press near the top-right corner of the drawing picks base point 9, (1, 1).
  RECT r{};
  ::GetWindowRect(palette.SlotPicture(0), &r);
  const int side = r.right - r.left;
  const POINT corner{r.left + side / 2 + side * 3 / 10, r.top + side / 2 - side * 3 / 10};
  const std::vector<std::string> calls = InsertBy(corner, "SendCommand(\"ORTHOMODE 1\\r\")");
  const std::vector<std::string> sends = [&] {
    std::vector<std::string> s;
    for (const std::string& c : calls) {
      if (c.rfind("SendCommand", 0) == 0) s.push_back(c);
    }
    return s;
  }();
  ASSERT_EQ(sends.size(), 5u);
  EXPECT_EQ(sends[0], "SendCommand(\"-INSERT\\r\\\"" + Path("L01B.dxf") +
                          "\\\"\\rS 100 PS 100 R 0\\r_none\\r10,20\\r\")");
  EXPECT_EQ(sends[1], "SendCommand(\"COPYBASE\\r_none\\r110,120\\rSI\\rLAST\\r\")");
  EXPECT_EQ(sends[2], "SendCommand(\"ERASE\\rSI\\rLAST\\r\")");
  EXPECT_EQ(sends[3], "SendCommand(\"PASTECLIP\\r\")");
}

// The same insertion from the keyboard: Tab to the slots, Shift+F10 and Space on the focused
// slot, a keypad digit for the base point, Enter.
TEST_F(InsertE2e, KeysChooseTheBasePointAndInsertTheFocusedBlock) {
  Start({"--var", "ORTHOMODE=1"});
  palette.Click(ids::kSpeedButton6);  // show the auxiliary base points
  const auto waits = [](const auto& done) { return PaletteDriver::WaitUntil(done, kActionTimeout); };
  ClickAt(PointIn(palette.Control(ids::kEdit1)));
  ASSERT_TRUE(waits([&] { return ::GetForegroundWindow() == palette.Window(); }));
  PressKeys({VK_TAB, VK_RIGHT});
  ASSERT_TRUE(waits([&] { return palette.StatusText(0) == L"L02"; })) << "no focus on the slots";
  PressKeys({VK_LEFT});
  ASSERT_TRUE(waits([&] { return palette.StatusText(0) == L"L01"; }));

  INPUT shift[2]{};
  shift[0].type = shift[1].type = INPUT_KEYBOARD;
  shift[0].ki.wVk = shift[1].ki.wVk = VK_SHIFT;
  shift[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(1, &shift[0], sizeof(INPUT));
  PressKeys({VK_F10});
  ::SendInput(1, &shift[1], sizeof(INPUT));
  ASSERT_TRUE(waits([&] { return palette.ProcessWindow(kMenuClass) != nullptr; }))
      << "Shift+F10 opened no menu";
  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(palette.MenuLoopEnded());

  PressKeys({VK_SPACE});
  ASSERT_TRUE(waits([&] { return palette.ProcessWindow(win32::kSlotPreviewClass) != nullptr; }))
      << "Space showed no preview";
  PressKeys({VK_NUMPAD9});  // a key hides it; 9 is the top-right base point, (1, 1)
  ASSERT_TRUE(waits([&] { return palette.ProcessWindow(win32::kSlotPreviewClass) == nullptr; }));

  const std::size_t from = cad->Log().size();
  PressKeys({VK_RETURN});
  ASSERT_NE(cad->WaitForLine("ORTHOMODE 1\\r", kActionTimeout, from), "") << "Enter inserted nothing";
  std::vector<std::string> sends;
  for (const std::string& c : DocumentCalls(cad->Log())) {
    if (c.rfind("SendCommand", 0) == 0) sends.push_back(c);
  }
  ASSERT_EQ(sends.size(), 5u);
  EXPECT_EQ(sends[1], "SendCommand(\"COPYBASE\\r_none\\r110,120\\rSI\\rLAST\\r\")");
}

TEST_F(InsertE2e, BlockAlreadyDefinedInOtherCaseIsReferencedByName) {
  Start({"--block", "l01b"});
  const std::vector<std::string> calls = InsertBy(SlotPoint(0), "SetVariable(\"ATTREQ\", &");
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[2], "SendCommand(\"-INSERT\\r\\\"L01B\\\"\\rS 100 PS 100 R 0\\r\")");
}

TEST_F(InsertE2e, CancelledInsertionAtTheViewCentreCopiesNothing) {
  Start({"--var", "ORTHOMODE=1", "--cancel-insert"});
  palette.Click(ids::kSpeedButton6);
  const std::vector<std::string> calls =
      InsertBy(SlotPoint(0, 0.85, 0.15), "SendCommand(\"ORTHOMODE 1\\r\")");
  for (const std::string& c : calls) {
    EXPECT_EQ(c.find("COPYBASE"), std::string::npos) << c;
    EXPECT_EQ(c.find("PASTECLIP"), std::string::npos) << c;
  }
}

TEST_F(InsertE2e, CadFailingHalfWayGetsItsVariablesBackAndShowsNothing) {
  // The second command (the copy) fails: attribute prompts and orthogonal mode come back.
  Start({"--var", "ORTHOMODE=1", "--fail", "Document.SendCommand:2"});
  palette.Click(ids::kSpeedButton6);
  const std::vector<std::string> calls =
      InsertBy(SlotPoint(0, 0.85, 0.15), "SetVariable(\"ORTHOMODE\", &Int16(1))");
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back(), "SetVariable(\"ORTHOMODE\", &Int16(1))");
  EXPECT_NE(std::find(calls.begin(), calls.end(), "SetVariable(\"ATTREQ\", &Int16(1))"),
            calls.end());
  EXPECT_EQ(palette.ProcessWindow(kDialogClass), nullptr) << "a failure half way shows nothing";
}

TEST_F(InsertE2e, CadVanishingWhileItWaitsLeavesThePaletteWorking) {
  Start({"--busy-ms", "60000"});  // the CAD stays busy after the command: the palette waits
  const std::size_t from = cad->Log().size();
  ClickAt(SlotPoint(0));
  ASSERT_NE(cad->WaitForLine("SendCommand", kActionTimeout, from), "");
  cad->Close();  // the user closes the CAD while the palette waits for it
  // The wait ends on the failed poll, without a message; the palette answers and still points.
  MoveTo(SlotPoint(1, 0.3, 0.3));
  EXPECT_TRUE(PaletteDriver::WaitUntil(
      [&] { return palette.Text(palette.Control(ids::kEdit1)) == L"照明 02"; }, kActionTimeout))
      << "the palette no longer answers after the CAD went away";
  EXPECT_EQ(palette.ProcessWindow(kDialogClass), nullptr) << "a message was shown";
  EXPECT_EQ(palette.Close(kActionTimeout), 0);
}

// The palette's close asked for while an insertion waits for a busy CAD is carried out once
// the insertion has returned, not under it.
TEST_F(InsertE2e, CloseDuringAnInsertionWaitsForItToReturn) {
  Start({"--busy-ms", "5000"});
  const std::size_t from = cad->Log().size();
  ClickAt(SlotPoint(0));
  ASSERT_NE(cad->WaitForLine("SendCommand(\"-INSERT", kActionTimeout, from), "");
  // A sent close is answered while the insertion waits, from its message loop.
  HWND window = palette.Window();
  DWORD_PTR answer = 0;
  ASSERT_NE(::SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer), 0u);
  EXPECT_TRUE(::IsWindow(window)) << "closed under the insertion";
  EXPECT_TRUE(PaletteDriver::WaitUntil([&] { return ::IsWindow(window) == FALSE; }, 20s))
      << "the close was not carried out after the insertion";
  EXPECT_NE(cad->WaitForLine("SetVariable(\"ATTREQ\", &", 0s, from), "")
      << "the insertion did not finish";
  EXPECT_EQ(palette.Close(kActionTimeout), 0);
}

// In single-click mode the second press of a double click inserts nothing, neither on its
// press nor on its release. It comes after the first insertion has returned (a press while
// the insertion waits is turned away anyway), with the system's double-click time made long
// enough for that.
TEST_F(InsertE2e, DoubleClickInSingleClickModeInsertsOnce) {
  struct DoubleClickTime {
    UINT saved = ::GetDoubleClickTime();
    static void Set(UINT ms) {
      ::SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, ms, nullptr, SPIF_UPDATEINIFILE);
    }
    DoubleClickTime() { Set(20000); }
    ~DoubleClickTime() { Set(saved); }
  } longDoubleClick;
  Start();
  const std::size_t from = cad->Log().size();
  ClickAt(SlotPoint(0));
  ASSERT_NE(cad->WaitForLine("SetVariable(\"ATTREQ\", &", kActionTimeout, from), "");
  ClickAt(SlotPoint(0));
  // Input is read in order: once the pointer's move to slot 1 shows, the click was taken. A
  // second insertion, if any, then ends before the close is carried out.
  MoveTo(SlotPoint(1));
  EXPECT_TRUE(PaletteDriver::WaitUntil(
      [&] { return palette.Text(palette.Control(ids::kEdit1)) == L"照明 02"; }, kActionTimeout));
  EXPECT_EQ(palette.Close(kActionTimeout), 0);
  const std::vector<std::string> calls = DocumentCalls(cad->LogFrom(from));
  const auto inserts = std::count_if(calls.begin(), calls.end(), [](const std::string& c) {
    return c.rfind("SendCommand(\"-INSERT", 0) == 0;
  });
  EXPECT_EQ(inserts, 1);
}

}  // namespace
}  // namespace zr::test
