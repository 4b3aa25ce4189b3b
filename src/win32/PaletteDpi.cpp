// The palette at another display scale: every control is kept with its place in 96-dpi units,
// and a change of scale (the window moved to a monitor of another scale) places them all again,
// with fonts made for the new scale and slot pictures whose thumbnails are drawn anew at their
// real pixel size, never stretched.
#include "win32/PaletteWindow.h"

#include <commctrl.h>

#include "app/PaletteLayout.h"
#include "win32/ErrorReport.h"
#include "win32/PaletteControlIds.h"

namespace zr::win32 {

namespace {

enum FontKind { kNoFont = 0, kBaseFont = 1, kFixedFont = 2, kFixedBoldFont = 3 };

}  // namespace

void PaletteWindow::Remember(HWND hwnd, const ControlRect& bounds, HFONT font) {
  int kind = kNoFont;
  if (font != nullptr && font == baseFont_.get()) kind = kBaseFont;
  if (font != nullptr && font == fixedFont_.get()) kind = kFixedFont;
  if (font != nullptr && font == fixedBoldFont_.get()) kind = kFixedBoldFont;
  placed_.push_back({hwnd, bounds, kind});
}

HFONT PaletteWindow::FontOf(int kind) const {
  switch (kind) {
    case kBaseFont: return baseFont_.get();
    case kFixedFont: return fixedFont_.get();
    case kFixedBoldFont: return fixedBoldFont_.get();
    default: return nullptr;
  }
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

void PaletteWindow::OnDpiChanged(int dpi, const RECT* suggested) {
  if (dpi <= 0 || dpi == dpi_) return;
  dpi_ = dpi;

  // The window first, so that its children fit: the client area at the new scale inside the
  // frame the window has now, placed where the system suggests (else where it is).
  RECT outer{};
  RECT client{};
  ::GetWindowRect(hwnd_, &outer);
  ::GetClientRect(hwnd_, &client);
  const int frameX = (outer.right - outer.left) - client.right;
  const int frameY = (outer.bottom - outer.top) - client.bottom;
  const POINT at = suggested != nullptr ? POINT{suggested->left, suggested->top}
                                        : POINT{outer.left, outer.top};
  ::SetWindowPos(hwnd_, nullptr, at.x, at.y, Scale(kClientWidth) + frameX,
                 Scale(kClientHeight) + frameY, SWP_NOZORDER | SWP_NOACTIVATE);

  // The fonts are made anew; the old ones stay alive until no control uses them.
  UniqueFont oldBase = std::move(baseFont_);
  UniqueFont oldFixed = std::move(fixedFont_);
  UniqueFont oldBold = std::move(fixedBoldFont_);
  CreateFonts();
  for (const Placed& p : placed_) {
    const RECT r = ScaleRect(p.bounds);
    ::SetWindowPos(p.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    if (HFONT font = FontOf(p.font)) {
      ::SendMessageW(p.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
  }
  ::SendMessageW(tips_.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(baseFont_.get()), FALSE);
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
