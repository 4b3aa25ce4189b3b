#include "win32/SlotPreviewWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "drawing/EntityModel.h"
#include "win32/DarkTheme.h"
#include "win32/DisplayScale.h"
#include "win32/PixelLayout.h"
#include "win32/WideText.h"

namespace zr::win32 {
namespace {

constexpr UINT_PTR kSubclassBase = 0x5A50;  // + slot number
constexpr wchar_t kFace[] = L"ＭＳ ゴシック";
// 96-dpi pixels.
constexpr int kPadding = 8;
constexpr int kFontHeight = 12;
constexpr int kLineGap = 4;
constexpr int kGapToPalette = 4;
constexpr int kPointerMargin = 8;

void Track(HWND picture, DWORD flags) {
  TRACKMOUSEEVENT track{sizeof track, flags, picture, HOVER_DEFAULT};
  ::TrackMouseEvent(&track);
}

std::wstring PreviewWindowText(const TSlotPreview& preview) {
  std::string text;
  for (const PreviewLine& line : preview.lines) {
    if (!text.empty()) text += "\r\n";
    text += line.label + " " + line.value;
  }
  return Widen(text);
}

}  // namespace

SlotPreviewWindow::~SlotPreviewWindow() {
  if (popup_ != nullptr && ::IsWindow(popup_) != FALSE) {
    ::SetWindowLongPtrW(popup_, GWLP_USERDATA, 0);
    ::DestroyWindow(popup_);
  }
}

void SlotPreviewWindow::Attach(HWND palette, Describe describe, MayShow mayShow) {
  palette_ = palette;
  describe_ = std::move(describe);
  mayShow_ = std::move(mayShow);
}

void SlotPreviewWindow::WatchSlot(HWND picture, int slot) {
  if (static_cast<int>(pictures_.size()) <= slot) pictures_.resize(static_cast<std::size_t>(slot) + 1);
  pictures_[static_cast<std::size_t>(slot)] = picture;
  ::SetWindowSubclass(picture, SlotProc, kSubclassBase + static_cast<UINT_PTR>(slot),
                      reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK SlotPreviewWindow::SlotProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam, UINT_PTR id, DWORD_PTR self) {
  if (message == WM_NCDESTROY) {
    ::RemoveWindowSubclass(window, SlotProc, id);
  } else {
    reinterpret_cast<SlotPreviewWindow*>(self)->OnSlotMessage(
        window, static_cast<int>(id - kSubclassBase), message);
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

// Every move restarts the hover time, so the preview shows once the pointer has rested. A
// move the system reports without the pointer moving (a window shown or hidden) after a key
// or a press brings nothing back.
void SlotPreviewWindow::OnSlotMessage(HWND picture, int slot, UINT message) {
  switch (message) {
    case WM_MOUSEMOVE: {
      if (shownSlot_ == slot) return;
      if (shownSlot_ >= 0) Hide();
      POINT at{};
      ::GetCursorPos(&at);
      if (dismissed_ && at.x == dismissedAt_.x && at.y == dismissedAt_.y) return;
      dismissed_ = false;
      Track(picture, TME_HOVER | TME_LEAVE);
      return;
    }
    case WM_MOUSEHOVER:
      if (shownSlot_ != slot && !dismissed_) Show(slot);
      return;
    case WM_MOUSELEAVE:
      if (shownSlot_ == slot) Hide();
      return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Track(picture, TME_CANCEL | TME_HOVER);
      Dismiss();
      return;
    default:
      return;
  }
}

// Never over a menu or a dialog of the palette (a modal one disables it), nor while a button
// is held or the palette is away.
bool SlotPreviewWindow::MayShowNow() const {
  if (palette_ == nullptr || ::IsWindowVisible(palette_) == FALSE || ::IsIconic(palette_) != FALSE ||
      ::IsWindowEnabled(palette_) == FALSE || ::GetCapture() != nullptr) {
    return false;
  }
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  if (::GetGUIThreadInfo(::GetCurrentThreadId(), &gui) != FALSE &&
      (gui.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE | GUI_INMOVESIZE)) != 0) {
    return false;
  }
  return !mayShow_ || mayShow_();
}

// No exception leaves here (the hover arrives in a window procedure): a preview that cannot be
// made is simply not shown, with no message box popping up under a resting pointer.
void SlotPreviewWindow::Show(int slot) {
  try {
    ShowNow(slot);
  } catch (...) {
    Hide();
  }
}

void SlotPreviewWindow::ShowNow(int slot) {
  if (!MayShowNow() || !describe_) return;
  const TSlotPreview preview = describe_(slot);
  if (preview.record.BlkNo.empty()) {
    Hide();
    return;
  }
  EnsurePopup();
  const ViewSize size = Render(preview, slot);
  RECT palette{};
  ::GetWindowRect(palette_, &palette);
  const RECT area = MonitorWorkArea(palette_);
  POINT pointer{};
  ::GetCursorPos(&pointer);
  const int dpi = WindowDpi(palette_);
  const ScreenRect r = PlacePreview(
      {{area.left, area.top, area.right, area.bottom},
       {palette.left, palette.top, palette.right, palette.bottom},
       {pointer.x, pointer.y},
       size,
       ::MulDiv(kGapToPalette, dpi, 96),
       ::MulDiv(kPointerMargin, dpi, 96)});
  ::SetWindowTextW(popup_, PreviewWindowText(preview).c_str());
  const bool topmost = (::GetWindowLongPtrW(palette_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  ::SetWindowPos(popup_, topmost ? HWND_TOPMOST : HWND_TOP, r.left, r.top, r.Width(), r.Height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ::InvalidateRect(popup_, nullptr, FALSE);
  ::UpdateWindow(popup_);
  shownSlot_ = slot;
}

void SlotPreviewWindow::Hide() {
  shownSlot_ = -1;
  if (popup_ != nullptr && ::IsWindowVisible(popup_) != FALSE) {
    ::ShowWindow(popup_, SW_HIDE);
  }
}

void SlotPreviewWindow::Dismiss() {
  Hide();
  dismissed_ = true;
  ::GetCursorPos(&dismissedAt_);
}

void SlotPreviewWindow::SlotChanged(int slot) {
  if (shownSlot_ == slot) Hide();
}

void SlotPreviewWindow::EnsurePopup() {
  if (popup_ != nullptr) return;
  const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(palette_, GWLP_HINSTANCE));
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = PopupProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kSlotPreviewClass;
  if (::RegisterClassExW(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw std::runtime_error("RegisterClassExW failed for the preview");
  }
  // Owned by the palette: above it, minimised and destroyed with it, never in the task bar.
  popup_ = ::CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kSlotPreviewClass, L"", WS_POPUP,
                             0, 0, 0, 0, palette_, nullptr, instance, this);
  if (popup_ == nullptr) throw std::runtime_error("the preview window could not be created");
}

LRESULT CALLBACK SlotPreviewWindow::PopupProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<SlotPreviewWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(window, &ps);
      if (self != nullptr && self->frame_) {
        ::BitBlt(dc, 0, 0, self->frame_->Width(), self->frame_->Height(), self->frame_->Dc(), 0,
                 0, SRCCOPY);
      }
      ::EndPaint(window, &ps);
      return 0;
    }
    case WM_NCDESTROY:
      if (self != nullptr) self->popup_ = nullptr;
      ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

// The picture is drawn by the slots' renderer at its own size (four times the slot's), the
// text below it in the palette's colours: labels dim, values light.
ViewSize SlotPreviewWindow::Render(const TSlotPreview& preview, int slot) {
  const int dpi = WindowDpi(palette_);
  const auto scale = [dpi](int v) { return ::MulDiv(v, dpi, 96); };
  RECT slotClient{};
  ::GetClientRect(pictures_.at(static_cast<std::size_t>(slot)), &slotClient);
  const int side = kPreviewPictureFactor * std::max<int>(slotClient.right, slotClient.bottom);
  BitmapCanvas picture(side, side);
  DrawPreviewPicture(Model(), preview, picture);

  const int pad = scale(kPadding);
  const int lineHeight = scale(kFontHeight + kLineGap);
  const int width = side + 2 * pad;
  const int height = pad + side + pad / 2 + static_cast<int>(preview.lines.size()) * lineHeight + pad;
  frame_ = std::make_unique<BitmapCanvas>(width, height);
  HDC dc = frame_->Dc();
  theme::Fill(dc, RECT{0, 0, width, height}, theme::kWindow);
  theme::Frame(dc, RECT{0, 0, width, height}, theme::kBorder);
  ::BitBlt(dc, pad, pad, side, side, picture.Dc(), 0, 0, SRCCOPY);

  const UniqueFont font = MakeFont(kFace, scale(kFontHeight), false);
  const HGDIOBJ old = ::SelectObject(dc, font.get());
  ::SetBkMode(dc, TRANSPARENT);
  int labelWidth = 0;
  for (const PreviewLine& line : preview.lines) {
    const std::wstring label = Widen(line.label);
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &extent);
    labelWidth = std::max<int>(labelWidth, extent.cx);
  }
  int top = pad + side + pad / 2;
  constexpr UINT kLine = DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_END_ELLIPSIS;
  for (const PreviewLine& line : preview.lines) {
    std::wstring label = Widen(line.label);
    std::wstring value = Widen(line.value);
    RECT labelRect{pad, top, pad + labelWidth, top + lineHeight};
    RECT valueRect{pad + labelWidth + pad, top, width - pad, top + lineHeight};
    ::SetTextColor(dc, theme::kTextDim);
    ::DrawTextW(dc, label.data(), static_cast<int>(label.size()), &labelRect, kLine);
    ::SetTextColor(dc, theme::kText);
    ::DrawTextW(dc, value.data(), static_cast<int>(value.size()), &valueRect, kLine);
    top += lineHeight;
  }
  ::SelectObject(dc, old);
  return {width, height};
}

}  // namespace zr::win32
