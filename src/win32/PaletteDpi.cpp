// The palette at another display scale: every control is kept with its place in 96-dpi units,
// and a change of scale (the window moved to a monitor of another scale) places them all again,
// with fonts made for the new scale and slot pictures whose thumbnails are drawn anew at their
// real pixel size, never stretched.
#include "win32/PaletteWindow.h"

#include <commctrl.h>

#include "app/PaletteLayout.h"
#include "win32/DisplayScale.h"
#include "win32/ErrorReport.h"
#include "win32/PaletteControlIds.h"
#include "win32/PixelLayout.h"

namespace zr::win32 {

void PaletteWindow::Remember(HWND hwnd, const ControlRect& bounds) {
  placed_.push_back({hwnd, bounds});
}

void PaletteWindow::SetStatusParts() {
  int edges[kStatusPanelCount];
  int right = 0;
  for (int i = 0; i < kStatusPanelCount; ++i) {
    right += Scale(kStatusPanelWidths[i]);
    edges[i] = right;
  }
  ::SendMessageW(StatusBar(), SB_SETPARTS, kStatusPanelCount, reinterpret_cast<LPARAM>(edges));
}

// The window system tells a window of a new scale only when it moves it; it opens at the scale
// of the sign-in, and a window placed on another monitor is not told everywhere either. Its
// own monitor's scale decides.
void PaletteWindow::FollowMonitorScale() {
  if (hwnd_ != nullptr) OnDpiChanged(WindowDpi(hwnd_), nullptr);
}

void PaletteWindow::OnDpiChanged(int dpi, const RECT* suggested) {
  if (dpi <= 0 || dpi == dpi_) return;
  dpi_ = dpi;

  // The window first, so that its children fit: placed where the system suggests (else where it
  // is), with the client area at the new scale.
  if (suggested != nullptr) {
    ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetClientSize(hwnd_, Scale(kClientWidth), Scale(kClientHeight), dpi);

  // The fonts are made anew; the old ones stay alive until no control uses them. Each control
  // gets the new font of the kind it uses now (a check box's caption turns bold when checked).
  UniqueFont oldBase = std::move(baseFont_);
  UniqueFont oldFixed = std::move(fixedFont_);
  UniqueFont oldBold = std::move(fixedBoldFont_);
  CreateFonts();
  const auto newFontFor = [&](HFONT old) -> HFONT {
    if (old == nullptr) return nullptr;
    if (old == oldBase.get()) return baseFont_.get();
    if (old == oldFixed.get()) return fixedFont_.get();
    if (old == oldBold.get()) return fixedBoldFont_.get();
    return nullptr;
  };
  for (const Placed& p : placed_) {
    const RECT r = ScaleRect(p.bounds);
    ::SetWindowPos(p.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    const auto current = reinterpret_cast<HFONT>(::SendMessageW(p.hwnd, WM_GETFONT, 0, 0));
    if (HFONT font = newFontFor(current)) {
      ::SendMessageW(p.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
  }
  // An open search field stands over the information line: its place and font follow it.
  if (search_.Shown()) search_.PlaceOverCover();
  tips_.SetScale(dpi, baseFont_.get());
  ::SendMessageW(Control(ids::kComboBox1), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                 Scale(layout::ComboBox1.height - 6));
  SetStatusParts();
  tips_.MoveDisabledTools();

  const RECT picture = ScaleRect(kSlotPictureRect);
  for (SlotPicture& p : ImgAry) p.Resize(picture);
  Guarded(hwnd_, [&] { form_.RedrawPage(); });
  ::RedrawWindow(hwnd_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace zr::win32
