// The palette on monitors of other scales than the system's: it lays itself out for the scale
// of the monitor it opens or is placed on, and its dialogs open laid out for the palette's
// monitor and centred on its work area. The monitors are stood in by a query that answers as
// the window system does (the one under test gives every monitor the same scale).
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "BoundedWait.h"
#include "app/PaletteMenu.h"
#include "win32/AboutBox.h"
#include "win32/DarkTheme.h"
#include "win32/DisplayScale.h"
#include "win32/PaletteControlIds.h"
#include "win32/PaletteWindow.h"
#include "win32/TargetCadDialog.h"

namespace zr::win32 {
namespace {

using namespace std::chrono_literals;

struct Monitor {
  RECT area;
  RECT work;
  int dpi;
};

LONG Overlap(const RECT& a, const RECT& b) {
  RECT common{};
  if (::IntersectRect(&common, &a, &b) == FALSE) return 0;
  return (common.right - common.left) * (common.bottom - common.top);
}

LONG Distance(const RECT& a, const RECT& b) {
  const LONG dx = std::max({0L, b.left - a.right, a.left - b.right});
  const LONG dy = std::max({0L, b.top - a.bottom, a.top - b.bottom});
  return dx + dy;
}

// Monitors as the window system sees them: a window is on the monitor that holds the largest
// part of its top-level window (the nearest when none does), and shown at that one's scale.
class StandInMonitors final : public MonitorQuery {
 public:
  explicit StandInMonitors(std::vector<Monitor> monitors) : monitors_(std::move(monitors)) {}
  int WindowDpi(HWND window) const override { return Of(window).dpi; }
  RECT WorkArea(HWND window) const override { return Of(window).work; }

 private:
  const Monitor& Of(HWND window) const {
    EXPECT_TRUE(::IsWindow(window) != FALSE) << "asked about a window that does not exist";
    RECT r{};
    ::GetWindowRect(::GetAncestor(window, GA_ROOT), &r);
    const Monitor* best = &monitors_.front();
    for (const Monitor& m : monitors_) {
      if (Overlap(m.area, r) > Overlap(best->area, r)) best = &m;
    }
    if (Overlap(best->area, r) > 0) return *best;
    for (const Monitor& m : monitors_) {
      if (Distance(m.area, r) < Distance(best->area, r)) best = &m;
    }
    return *best;
  }
  std::vector<Monitor> monitors_;
};

int Scaled(int value, int dpi) { return ::MulDiv(value, dpi, 96); }

SIZE SizeOf(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

SIZE ClientSize(HWND window) {
  RECT r{};
  ::GetClientRect(window, &r);
  return {r.right, r.bottom};
}

LONG FontHeight(HWND control) {
  LOGFONTW lf{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
  return lf.lfHeight;
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// The first window of this thread that `match` accepts.
HWND ThreadWindow(const std::function<bool(HWND)>& match) {
  struct Search {
    const std::function<bool(HWND)>* match;
    HWND found;
  } search{&match, nullptr};
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        if (!(*s->match)(w)) return TRUE;
        s->found = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The height of the check box's square: the run of its frame's colour down its left edge.
int CheckSquareSide(HWND box) {
  RECT r{};
  ::GetWindowRect(box, &r);
  HDC screen = ::GetDC(nullptr);
  int longest = 0;
  int run = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    run = ::GetPixel(screen, r.left + 1, y) == theme::kBevelLight ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  ::ReleaseDC(nullptr, screen);
  return longest;
}

// A modal dialog of the palette, looked at once it shows and then closed with Esc.
struct DialogSeen {
  SIZE client{};
  RECT window{};
  LONG fontHeight = 0;
};
std::function<void(HWND)> gLookAtDialog;

void CALLBACK LookForDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND dialog = ThreadWindow([](HWND w) {
    wchar_t name[16]{};
    ::GetClassNameW(w, name, 16);
    return std::wstring(name) == L"#32770" && ::IsWindowVisible(w) != FALSE;
  });
  if (dialog == nullptr) return;
  ::KillTimer(nullptr, timer);
  gLookAtDialog(dialog);
  ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

DialogSeen OpenDialog(HWND palette, MenuCommand command, int fontOf) {
  DialogSeen seen;
  gLookAtDialog = [&](HWND dialog) {
    seen.client = ClientSize(dialog);
    ::GetWindowRect(dialog, &seen.window);
    seen.fontHeight = FontHeight(::GetDlgItem(dialog, fontOf));
  };
  ::SetTimer(nullptr, 0, 10, LookForDialog);
  ::SendMessageW(palette, WM_COMMAND, static_cast<WPARAM>(command), 0);  // as the menu does
  gLookAtDialog = nullptr;
  return seen;
}

void Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

// A palette window of this thread (per-monitor aware, as the program's manifest makes it),
// shown; its end posts the quit message a program's loop would end on, taken away here. Its
// window class stays: unregistered, it would take the theme's shared brush with it.
class PaletteOnThread {
 public:
  PaletteOnThread()
      : previous_(::SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_BAR_CLASSES |
                                            ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    palette.Create(::GetModuleHandleW(nullptr));
    palette.Show(SW_SHOWNOACTIVATE);
  }
  ~PaletteOnThread() {
    ::DestroyWindow(palette.Handle());
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
    if (previous_ != nullptr) ::SetThreadDpiAwarenessContext(previous_);
  }
  PaletteOnThread(const PaletteOnThread&) = delete;
  PaletteOnThread& operator=(const PaletteOnThread&) = delete;

  HWND Control(int id) const { return ::GetDlgItem(palette.Handle(), id); }
  HWND SlotPicture(int slot) const {
    const HWND panel = ::GetDlgItem(Control(ids::kPanel1), ids::kSlotPanelFirst + slot);
    return ::GetDlgItem(panel, ids::kSlotPictureFirst + slot);
  }
  HWND Tips() const {
    return ThreadWindow([&](HWND w) {
      wchar_t name[32]{};
      ::GetClassNameW(w, name, 32);
      return std::wstring(name) == TOOLTIPS_CLASSW && ::GetWindow(w, GW_OWNER) == palette.Handle();
    });
  }

  PaletteWindow palette;

 private:
  DPI_AWARENESS_CONTEXT previous_;
};

// Everything the palette sizes from its scale: window, controls, fonts, slot pictures, hint
// width, the search field's margins and the scale boxes' squares.
void ExpectLaidOutAt(PaletteOnThread& p, int dpi) {
  const SIZE client = ClientSize(p.palette.Handle());
  EXPECT_EQ(client.cx, Scaled(391, dpi));
  EXPECT_EQ(client.cy, Scaled(199, dpi));
  const SIZE name = SizeOf(p.Control(ids::kEdit1));
  EXPECT_EQ(name.cx, Scaled(4 + 229, dpi) - Scaled(4, dpi));
  EXPECT_EQ(name.cy, Scaled(24 + 20, dpi) - Scaled(24, dpi));
  EXPECT_EQ(FontHeight(p.Control(ids::kEdit1)), -Scaled(12, dpi));
  EXPECT_EQ(FontHeight(p.Control(ids::kCheckBox1)), -Scaled(12, dpi));
  const SIZE picture = SizeOf(p.SlotPicture(13));
  EXPECT_EQ(picture.cx, Scaled(54, dpi) - Scaled(1, dpi));
  EXPECT_EQ(::SendMessageW(p.Tips(), TTM_GETMAXTIPWIDTH, 0, 0), Scaled(480, dpi));

  p.palette.ShowSearchField(true);
  const LRESULT margins = ::SendMessageW(p.Control(ids::kSearchField), EM_GETMARGINS, 0, 0);
  EXPECT_EQ(LOWORD(margins), Scaled(3, dpi));
  EXPECT_EQ(HIWORD(margins), Scaled(3, dpi));
  p.palette.ShowSearchField(false);

  const HWND box = p.Control(ids::kCheckBox1);
  ::RedrawWindow(p.palette.Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const int side = std::min<int>(ClientSize(box).cy - 2, Scaled(13, dpi));
  EXPECT_TRUE(testing::WaitUntil([&] { Pump(); return CheckSquareSide(box) == side; }, 2s))
      << "square of " << CheckSquareSide(box) << " pixels, not " << side;
}

// Two monitors side by side over the screen: the left one at 96 dpi, the right one at 144 with
// a task bar at its bottom.
std::vector<Monitor> TwoMonitors() {
  const int w = ::GetSystemMetrics(SM_CXSCREEN);
  const int h = ::GetSystemMetrics(SM_CYSCREEN);
  return {{{0, 0, w / 2, h}, {0, 0, w / 2, h}, 96},
          {{w / 2, 0, w, h}, {w / 2, 0, w, h - 40}, 144}};
}

TEST(PaletteMonitorScale, LaidOutForTheMonitorItOpensOrIsPlacedOn) {
  const int w = ::GetSystemMetrics(SM_CXSCREEN);
  const int h = ::GetSystemMetrics(SM_CYSCREEN);
  const struct {
    const char* name;
    std::vector<Monitor> monitors;
    std::vector<POINT> placements;  // after the start's own
    int dpi;
  } cases[] = {
      // The one monitor's scale changed since the sign-in (the system's scale).
      {"opens on a monitor at 144", {{{0, 0, w, h}, {0, 0, w, h}, 144}}, {}, 144},
      {"placed on the second monitor at 144", TwoMonitors(), {{w / 2 + 20, 100}}, 144},
      {"placed there and back on the first at 96", TwoMonitors(),
       {{w / 2 + 20, 100}, {20, 100}}, 96},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const StandInMonitors monitors(c.monitors);
    const ScopedMonitorQuery standIn(monitors);
    PaletteOnThread p;
    for (const POINT at : c.placements) p.palette.MoveWindowTo(at.x, at.y);
    ExpectLaidOutAt(p, c.dpi);
  }
}

TEST(PaletteMonitorScale, DialogsOpenForThePalettesMonitorCentredOnItsWorkArea) {
  const std::vector<Monitor> layout = TwoMonitors();
  const StandInMonitors monitors(layout);
  const ScopedMonitorQuery standIn(monitors);
  PaletteOnThread p;
  p.palette.MoveWindowTo(layout[1].area.left + 20, 100);
  const POINT centre = Centre(layout[1].work);
  const struct {
    MenuCommand command;
    int fontOf;
    SIZE client;     // 96-dpi pixels
    LONG fontPixels;
  } dialogs[] = {
      {MenuCommand::About, kAboutVersionId, {kAboutClientWidth, kAboutClientHeight}, 12},
      {MenuCommand::TargetCad, target_ids::kListBox1, {315, 307}, 13},
  };
  for (const auto& d : dialogs) {
    SCOPED_TRACE(static_cast<int>(d.command));
    const DialogSeen seen = OpenDialog(p.palette.Handle(), d.command, d.fontOf);
    EXPECT_EQ(seen.client.cx, Scaled(d.client.cx, 144));
    EXPECT_EQ(seen.client.cy, Scaled(d.client.cy, 144));
    EXPECT_EQ(seen.fontHeight, -Scaled(d.fontPixels, 144));
    EXPECT_NEAR(Centre(seen.window).x, centre.x, 1);
    EXPECT_NEAR(Centre(seen.window).y, centre.y, 1);
  }
}

}  // namespace
}  // namespace zr::win32
