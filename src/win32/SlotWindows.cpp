#include "win32/SlotWindows.h"

#include <windowsx.h>

#include <stdexcept>

#include "win32/DarkTheme.h"

namespace zr::win32 {
namespace {

constexpr wchar_t kPlainPanelClass[] = L"ZrPanel";
constexpr wchar_t kSlotPanelClass[] = L"ZrSlotPanel";
constexpr wchar_t kSlotPictureClass[] = L"ZrSlotPicture";
constexpr wchar_t kFlatProp[] = L"ZrFlat";

LRESULT CALLBACK PlainPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT client;
    ::GetClientRect(window, &client);
    theme::Fill(reinterpret_cast<HDC>(wParam), client, theme::kSlotArea);
    return 1;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK SlotPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(window, &ps);
      RECT client;
      ::GetClientRect(window, &client);
      theme::Fill(dc, client, theme::kSlotArea);
      if (GetPanelBevel(window) == PanelBevel::Raised) {
        theme::Bevel(dc, client, theme::kBevelLight, theme::kBevelDark);
      }
      ::EndPaint(window, &ps);
      return 0;
    }
    case WM_NCDESTROY:
      ::RemovePropW(window, kFlatProp);
      break;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

void Register(HINSTANCE instance, const wchar_t* name, WNDPROC proc, UINT style) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  if (::RegisterClassExW(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw std::runtime_error("RegisterClassExW failed");
  }
}

HWND CreateChild(const wchar_t* className, HWND parent, int id, const RECT& r, void* param) {
  HWND window = ::CreateWindowExW(
      0, className, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, r.left, r.top,
      r.right - r.left, r.bottom - r.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE)), param);
  if (window == nullptr) throw std::runtime_error("CreateWindowExW failed for a slot window");
  return window;
}

}  // namespace

void RegisterSlotWindowClasses(HINSTANCE instance) {
  Register(instance, kPlainPanelClass, PlainPanelProc, 0);
  Register(instance, kSlotPanelClass, SlotPanelProc, 0);
  Register(instance, kSlotPictureClass, SlotPicture::Proc, CS_DBLCLKS);
}

HWND CreatePlainPanel(HWND parent, int id, const RECT& bounds) {
  return CreateChild(kPlainPanelClass, parent, id, bounds, nullptr);
}

HWND CreateSlotPanel(HWND parent, int id, const RECT& bounds) {
  return CreateChild(kSlotPanelClass, parent, id, bounds, nullptr);
}

void SetPanelBevel(HWND panel, PanelBevel bevel) {
  if (GetPanelBevel(panel) == bevel) return;
  if (bevel == PanelBevel::None) {
    ::SetPropW(panel, kFlatProp, reinterpret_cast<HANDLE>(1));
  } else {
    ::RemovePropW(panel, kFlatProp);
  }
  ::InvalidateRect(panel, nullptr, FALSE);
}

PanelBevel GetPanelBevel(HWND panel) {
  return ::GetPropW(panel, kFlatProp) != nullptr ? PanelBevel::None : PanelBevel::Raised;
}

SlotPicture::~SlotPicture() {
  if (window_ != nullptr) ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
}

void SlotPicture::Create(HWND parent, int id, const RECT& bounds) {
  canvas_ = std::make_unique<BitmapCanvas>(bounds.right - bounds.left, bounds.bottom - bounds.top);
  window_ = CreateChild(kSlotPictureClass, parent, id, bounds, this);
}

void SlotPicture::Resize(const RECT& bounds) {
  canvas_ = std::make_unique<BitmapCanvas>(bounds.right - bounds.left, bounds.bottom - bounds.top);
  ::SetWindowPos(window_, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SlotPicture::Invalidate() const {
  if (window_ != nullptr) ::InvalidateRect(window_, nullptr, FALSE);
}

LRESULT CALLBACK SlotPicture::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    auto* picture = static_cast<SlotPicture*>(create->lpCreateParams);
    picture->window_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(picture));
  }
  auto* self = reinterpret_cast<SlotPicture*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

LRESULT SlotPicture::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();  // the focus frame
      break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      if (onMouse) onMouse({message, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      break;
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, wParam, lParam);
}

void SlotPicture::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(window_, &ps);
  if (canvas_) {
    ::BitBlt(dc, 0, 0, canvas_->Width(), canvas_->Height(), canvas_->Dc(), 0, 0, SRCCOPY);
  }
  // Only the keyboard gives a picture the focus (a click never does), so the frame marks
  // keyboard use alone.
  if (::GetFocus() == window_) {
    RECT frame;
    ::GetClientRect(window_, &frame);
    HBRUSH brush = ::CreateSolidBrush(theme::kText);
    ::FrameRect(dc, &frame, brush);
    ::DeleteObject(brush);
  }
  ::EndPaint(window_, &ps);
}

}  // namespace zr::win32
