// The command-window channel against the test CAD's windows in another process.
#include <gtest/gtest.h>

#include "BoundedWait.h"
#include "CadLinkTestCad.h"
#include "CadLinkTestSupport.h"
#include "cadlink/CommandWindow.h"

namespace zr::win32 {
namespace {

using testing::TestCadProcess;

constexpr const char* kAfx8 = "Afx:00400000:8:00010003:00000000:00000000";
constexpr const char* kAfx0 = "Afx:00400000:0:00010003:00000000:00000000";
constexpr const char* kTop = "AutoCAD LT 2024 - [Top.dwg]";
constexpr const char* kSecond = "Autodesk DWG TrueView - [Second.dwg]";

HWND FindTestWindow(const char* cls, const char* title) {
  return ::FindWindowW(Widen(cls).c_str(), Widen(title).c_str());
}

void Raise(HWND w) {
  ::SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// True when `upper` comes before `lower` in the Z order of the top-level windows.
bool IsAbove(HWND upper, HWND lower) {
  for (HWND w = ::GetWindow(upper, GW_HWNDNEXT); w != nullptr; w = ::GetWindow(w, GW_HWNDNEXT)) {
    if (w == lower) return true;
  }
  return false;
}

// Under Wine the test CAD's windows may be reordered at any time by activations still on
// their way (a focus event of the X server arrives after the call that caused it). The tests
// of what is sent therefore keep only the "Top" window recognisable; the Z order test makes
// "Second" a CAD window again and checks the channel against the order it sees.
void SetTitle(HWND w, const char* title) { ::SetWindowTextW(w, Widen(title).c_str()); }
constexpr const char* kSecondHidden = "Not a CAD - [Second.dwg]";

class CadLinkCommandWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string w = "--window";
    // Stacked in this order, the first on top: three look-alikes above the two CAD windows.
    cad_ = new TestCadProcess({w, std::string(kAfx0) + "|AutoCAD LT 2024 - [NoEight.dwg]",
                               w, std::string(kAfx8) + "|autocad lt 2024 - [LowerCase.dwg]",
                               w, std::string(kAfx8) + "|Drawing1 - AutoCAD LT 2024",
                               w, std::string(kAfx8) + "|" + kTop,
                               w, std::string(kAfx8) + "|" + kSecond,
                               "--progid", testing::UniqueName("ZrTest.Lt")},
                              "commandwindow");
  }
  static void TearDownTestSuite() { delete cad_; }
  void SetUp() override {
    ASSERT_TRUE(cad_->Ready());
    top = FindTestWindow(kAfx8, kTop);
    second = FindTestWindow(kAfx8, kSecond);
    if (second == nullptr) second = FindTestWindow(kAfx8, kSecondHidden);
    ASSERT_NE(top, nullptr);
    ASSERT_NE(second, nullptr);
    SetTitle(second, kSecondHidden);  // synchronous: WM_SETTEXT is sent
    ::EnableWindow(top, TRUE);
    ::ShowWindow(top, SW_SHOWNOACTIVATE);
    ASSERT_EQ(channel.FindCadWindow(), FromHwnd(top)) << "the only recognisable window";
    logged = cad_->Log().size();
  }
  // The WM_COPYDATA lines the test CAD logged since SetUp, after its WM_NULL has arrived.
  std::vector<std::string> Received(const std::string& window = kTop) {
    cad_->WaitForLine("WM_NULL window=\"" + window + "\"", std::chrono::seconds(15), logged);
    std::vector<std::string> lines;
    for (const std::string& l : cad_->LogFrom(logged)) {
      if (l.rfind("WM_COPYDATA", 0) == 0) lines.push_back(l);
    }
    return lines;
  }

  static TestCadProcess* cad_;
  testing::RecordingDesktop desktop;
  cadlink::TCadWindowChannel channel{desktop};
  HWND top = nullptr, second = nullptr;
  std::size_t logged = 0;
};

TestCadProcess* CadLinkCommandWindow::cad_ = nullptr;

TEST_F(CadLinkCommandWindow, TopmostRecognisedWindowWinsAndZOrderDecides) {
  SetTitle(second, kSecond);
  for (HWND wanted : {top, second, top}) {
    HWND other = wanted == top ? second : top;
    // Retried only when the order changed while the channel searched.
    cadlink::WindowHandle found{};
    const bool settled = testing::WaitUntil(
        [&] {
          Raise(wanted);
          const bool before = IsAbove(wanted, other);
          found = channel.FindCadWindow();
          return before && IsAbove(wanted, other);
        },
        std::chrono::seconds(15));
    EXPECT_TRUE(settled) << "the Z order of the test windows did not settle";
    if (settled) {
      EXPECT_EQ(found, FromHwnd(wanted)) << (wanted == top ? "Top" : "Second") << " is above";
      EXPECT_EQ(channel.CadWnd, found);
    }
  }
  SetTitle(second, kSecondHidden);
}

TEST_F(CadLinkCommandWindow, MdiFrameWinsOverEveryOtherWindow) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"AfxMDIFrame140u";
  ::RegisterClassW(&wc);
  HWND frame = ::CreateWindowExW(0, L"AfxMDIFrame140u", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                 nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(frame, nullptr);
  ::SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(channel.FindCadWindow(), FromHwnd(frame)) << "its class alone decides";
  ::DestroyWindow(frame);
  EXPECT_EQ(channel.FindCadWindow(), FromHwnd(top)) << "the search by title again";
}

TEST_F(CadLinkCommandWindow, CommandMessageHasTheExactLayout) {
  EXPECT_TRUE(channel.SendCadCommandText("UCS W\r"));
  const std::vector<std::string> got = Received();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0],
            "WM_COPYDATA window=\"AutoCAD LT 2024 - [Top.dwg]\" wParam=0 dwData=1 cbData=14 "
            "text=\"UCS W\\r\" bytes=55 00 43 00 53 00 20 00 57 00 0D 00 00 00");
  // WM_NULL is posted after the message.
  const std::vector<std::string> after = cad_->LogFrom(logged);
  const auto copy = std::find(after.begin(), after.end(), got[0]);
  ASSERT_NE(copy, after.end());
  EXPECT_NE(std::find(copy, after.end(), "WM_NULL window=\"AutoCAD LT 2024 - [Top.dwg]\""),
            after.end());
}

TEST_F(CadLinkCommandWindow, EscArrivesAsEtxAndJapaneseTextIsKept) {
  EXPECT_TRUE(channel.SendCadCommandText("\x1B\x1B" "-INSERT\r\"Z:\\図面\\E001B.dxf\"\r"));
  const std::vector<std::string> got = Received();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_NE(got[0].find("text=\"\\x03\\x03-INSERT\\r\\\"Z:\\\\図面\\\\E001B.dxf\\\"\\r\""),
            std::string::npos)
      << got[0];
  // 28 units and the terminator; 図 is U+56F3.
  EXPECT_NE(got[0].find("F3 56 62 97 5C 00"), std::string::npos) << got[0];
  EXPECT_NE(got[0].find("cbData=58 "), std::string::npos) << got[0];
  EXPECT_NE(got[0].find("bytes=03 00 03 00 2D 00"), std::string::npos) << got[0];
}

TEST_F(CadLinkCommandWindow, EmptyTextSendsTheTerminatorAlone) {
  EXPECT_TRUE(channel.SendCadCommandText(""));
  const std::vector<std::string> got = Received();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_NE(got[0].find("dwData=1 cbData=2 text=\"\" bytes=00 00"), std::string::npos) << got[0];
}

TEST_F(CadLinkCommandWindow, DisabledWindowIsRaisedButGetsNothing) {
  ::EnableWindow(top, FALSE);
  EXPECT_FALSE(channel.SendCopyDataText(FromHwnd(top), "UCS W\r"));
  EXPECT_TRUE(channel.SendCadCommandText("UCS W\r")) << "a window was found";
  ::EnableWindow(top, TRUE);
  // A later message shows that nothing came before it.
  EXPECT_TRUE(channel.SendCadCommandText("UCS Z 15\r"));
  const std::vector<std::string> got = Received();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_NE(got[0].find("text=\"UCS Z 15\\r\""), std::string::npos) << got[0];
}

TEST_F(CadLinkCommandWindow, MinimisedWindowIsRestoredBeforeTheText) {
  ::ShowWindow(top, SW_MINIMIZE);
  ASSERT_TRUE(::IsIconic(top));
  EXPECT_TRUE(channel.ActivateCadWindow());
  EXPECT_FALSE(::IsIconic(top));
  ::ShowWindow(top, SW_MINIMIZE);
  EXPECT_TRUE(channel.SendCadCommandText("UCS OB\r"));
  EXPECT_FALSE(::IsIconic(top));
  EXPECT_EQ(Received().size(), 1u);
}

TEST_F(CadLinkCommandWindow, OverlongTextIsNotCutButRefused) {
  std::string text = "(zovezaRuzu \"";
  while (text.size() < 600) text += "Z:\\\\zr\\\\";
  text += "E001B.dxf\" 100 0 nil)\r";
  EXPECT_TRUE(channel.SendCadCommandText(text));
  ASSERT_EQ(desktop.shown.size(), 1u);
  EXPECT_NE(desktop.shown[0].text.find("511"), std::string::npos);
  EXPECT_TRUE(channel.SendCadCommandText("UCS W\r"));
  const std::vector<std::string> got = Received();
  ASSERT_EQ(got.size(), 1u) << "only the short text arrives";
}

}  // namespace
}  // namespace zr::win32
