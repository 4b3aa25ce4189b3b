// The desktop adapter's window calls, message pump and message boxes, in this process.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "BoundedWait.h"
#include "CadLinkTestSupport.h"
#include "cadlink/CadConnection.h"

namespace zr::win32 {
namespace {

using cadlink::WindowHandle;

UINT gSeen = 0;  // last private message the test window received

LRESULT CALLBACK TestWndProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m >= WM_APP) gSeen = m;
  return ::DefWindowProcW(w, m, wp, lp);
}

class CadLinkDesktop : public ::testing::Test {
 protected:
  HWND MakeWindow(const wchar_t* title, const wchar_t* cls = L"ZrCadLinkDesktopTest") {
    WNDCLASSW wc{};
    wc.lpfnWndProc = TestWndProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = cls;
    ::RegisterClassW(&wc);
    HWND w = ::CreateWindowExW(0, cls, title, WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr,
                               nullptr, wc.hInstance, nullptr);
    windows.push_back(w);
    return w;
  }
  void TearDown() override {
    for (HWND w : windows) ::DestroyWindow(w);
  }

  testing::ComApartment com;
  Win32Desktop desktop;
  std::vector<HWND> windows;
};

TEST_F(CadLinkDesktop, ProcessMessagesDispatchesAndLeavesQuitForTheMainLoop) {
  HWND w = MakeWindow(L"pump");
  gSeen = 0;
  ::PostMessageW(w, WM_APP + 5, 0, 0);
  desktop.ProcessMessages();
  EXPECT_EQ(gSeen, static_cast<UINT>(WM_APP + 5));
  // The palette's pre-translation sees each message first and may keep it.
  std::vector<UINT> offered;
  desktop.SetPreTranslate([&](const MSG& m) {
    if (m.message >= WM_APP) offered.push_back(m.message);
    return m.message == WM_APP + 7;
  });
  ::PostMessageW(w, WM_APP + 7, 0, 0);
  ::PostMessageW(w, WM_APP + 8, 0, 0);
  desktop.ProcessMessages();
  EXPECT_EQ(offered, (std::vector<UINT>{WM_APP + 7, WM_APP + 8}));
  EXPECT_EQ(gSeen, static_cast<UINT>(WM_APP + 8));
  gSeen = 0;
  ::PostMessageW(w, WM_APP + 7, 0, 0);
  desktop.ProcessMessages();
  EXPECT_EQ(gSeen, 0u) << "a message the palette took is not dispatched again";
  desktop.SetPreTranslate(nullptr);
  ::PostQuitMessage(7);
  ::PostMessageW(w, WM_APP + 6, 0, 0);
  desktop.ProcessMessages();
  MSG msg{};
  bool quit = false;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      quit = true;
      EXPECT_EQ(msg.wParam, 7u);
    }
    ::DispatchMessageW(&msg);
  }
  EXPECT_TRUE(quit) << "the quit request must survive the pump";
}

TEST_F(CadLinkDesktop, WindowsAreEnumeratedTopFirstWithTitleAndClass) {
  HWND a = MakeWindow(L"AutoCAD LT 2024 - [A.dwg]", L"Afx:00400000:8:test");
  HWND b = MakeWindow(std::wstring(300, L'図').c_str());
  ::SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ::SetWindowPos(b, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  std::vector<WindowHandle> order;
  desktop.EnumWindows([&](WindowHandle h) {
    if (h == FromHwnd(a) || h == FromHwnd(b)) order.push_back(h);
    return true;
  });
  EXPECT_EQ(order, (std::vector<WindowHandle>{FromHwnd(b), FromHwnd(a)}));
  EXPECT_EQ(desktop.WindowTitle(FromHwnd(a)), "AutoCAD LT 2024 - [A.dwg]");
  EXPECT_EQ(desktop.WindowClass(FromHwnd(a)), "Afx:00400000:8:test");
  EXPECT_EQ(desktop.WindowTitle(FromHwnd(b)).size(), 254u * 3) << "254 units and the NUL";
  EXPECT_EQ(desktop.FindWindowByClass("Afx:00400000:8:test"), FromHwnd(a));
  EXPECT_EQ(desktop.FindWindowByClass("ZrNoSuchClass"), 0u);

  int visited = 0;
  desktop.EnumWindows([&](WindowHandle) { return ++visited < 1; });
  EXPECT_EQ(visited, 1) << "false stops the enumeration";
  EXPECT_THROW(desktop.EnumWindows([](WindowHandle) -> bool { throw std::runtime_error("x"); }),
               std::runtime_error);
}

TEST_F(CadLinkDesktop, EnabledIconicAndRestore) {
  HWND w = MakeWindow(L"state");
  ::ShowWindow(w, SW_SHOWNOACTIVATE);
  EXPECT_TRUE(desktop.IsWindowEnabled(FromHwnd(w)));
  ::EnableWindow(w, FALSE);
  EXPECT_FALSE(desktop.IsWindowEnabled(FromHwnd(w)));
  ::ShowWindow(w, SW_MINIMIZE);
  EXPECT_TRUE(desktop.IsIconic(FromHwnd(w)));
  desktop.OpenIcon(FromHwnd(w));
  EXPECT_FALSE(desktop.IsIconic(FromHwnd(w)));
}

TEST_F(CadLinkDesktop, ComLookupsFailWithAutomationErrors) {
  try {
    desktop.ClassIdFromProgId("ZrTest.NeverRegistered.Anywhere");
    FAIL() << "no error";
  } catch (const cadlink::AutomationError& e) {
    EXPECT_EQ(static_cast<unsigned>(e.Code()), 0x800401F3u);  // invalid class string
  }
  const std::string unknownClass = "{0C3E3C4A-5F43-4B4D-A1B2-7E1D2A9C5B10}";
  EXPECT_FALSE(desktop.IsObjectRunning(unknownClass));
  EXPECT_THROW(desktop.GetActiveObject(unknownClass), cadlink::AutomationError);
  EXPECT_THROW(desktop.IsObjectRunning("not a class id"), cadlink::AutomationError);
}

// Shows a real box, and from another thread reads it and presses OK.
struct SeenBox {
  std::wstring text;
  HWND owner = nullptr;
  RECT rect{};
  bool found = false;
};

// The box is read once it is its thread's active window: it is moved when it is activated,
// and its text is set before.
bool IsActiveBox(HWND box) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return ::IsWindowVisible(box) &&
         ::GetGUIThreadInfo(::GetWindowThreadProcessId(box, nullptr), &info) &&
         info.hwndActive == box;
}

SeenBox ShowAndClose(Win32Desktop& desktop, const std::string& text,
                     cadlink::MessagePlacement placement) {
  SeenBox seen;
  std::thread watcher([&] {
    HWND box = nullptr;
    const bool shown = testing::WaitUntil(
        [&] {
          box = ::FindWindowW(L"#32770", L"Zoveza Ruzu 1.65 Dark");
          return box != nullptr && IsActiveBox(box);
        },
        std::chrono::seconds(20));
    if (!shown) {
      // Whatever is shown must not block the test: close any box of ours.
      if (HWND any = ::FindWindowW(L"#32770", L"Zoveza Ruzu 1.65 Dark")) {
        ::PostMessageW(any, WM_CLOSE, 0, 0);
      }
      return;
    }
    wchar_t buffer[256] = {};
    ::GetWindowTextW(::GetDlgItem(box, 0xFFFF), buffer, 256);
    seen.text = buffer;
    seen.owner = ::GetWindow(box, GW_OWNER);
    ::GetWindowRect(box, &seen.rect);
    seen.found = true;
    ::PostMessageW(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  });
  desktop.ShowMessage(text, "Zoveza Ruzu 1.65 Dark", placement);
  watcher.join();
  return seen;
}

TEST_F(CadLinkDesktop, MessageBoxesAreOwnedByThePaletteAndCentredWhenAsked) {
  HWND palette = MakeWindow(L"palette");
  ::ShowWindow(palette, SW_SHOWNORMAL);
  desktop.SetOwner(palette);

  const SeenBox owned = ShowAndClose(desktop, cadlink::kNoCadMessage,
                                     cadlink::MessagePlacement::OverPalette);
  ASSERT_TRUE(owned.found) << "the box did not become active within 20 s";
  EXPECT_EQ(owned.text, L"有効な CAD が見つかりません. ");
  EXPECT_EQ(owned.owner, palette);

  const SeenBox centred = ShowAndClose(desktop, cadlink::InvalidProgIdMessage("No.Such"),
                                       cadlink::MessagePlacement::CentredOnScreen);
  ASSERT_TRUE(centred.found);
  EXPECT_EQ(centred.text, L"ProgID（クラス文字列）: \"No.Such\" は無効です．");
  EXPECT_EQ(centred.owner, palette);
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  ::GetMonitorInfoW(::MonitorFromWindow(palette, MONITOR_DEFAULTTOPRIMARY), &mi);
  EXPECT_NEAR((centred.rect.left + centred.rect.right) / 2,
              (mi.rcWork.left + mi.rcWork.right) / 2, 2);
  EXPECT_NEAR((centred.rect.top + centred.rect.bottom) / 2,
              (mi.rcWork.top + mi.rcWork.bottom) / 2, 2);
}

}  // namespace
}  // namespace zr::win32
