#include "win32/SearchField.h"

#include <commctrl.h>

#include "app/CatalogueSearch.h"
#include "win32/DarkTheme.h"
#include "win32/DisplayScale.h"
#include "win32/WindowText.h"

namespace zr::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 0x5EA2;
constexpr UINT_PTR kBurstTimer = 0x5EA1;
// The shortest timer the system keeps; it fires only when no input waits in the queue.
constexpr UINT kBurstDelayMs = USER_TIMER_MINIMUM;
constexpr int kMargin = 3;  // left and right, 96-dpi pixels
constexpr wchar_t kCueBanner[] = L"番号・名称・コメントで検索  (Esc: 戻る)";

}  // namespace

void SearchField::Create(HWND parent, int id, HWND cover) {
  cover_ = cover;
  edit_ = ::CreateWindowExW(0, WC_EDITW, L"",
                            WS_CHILD | WS_CLIPSIBLINGS | ES_AUTOHSCROLL | ES_LEFT,
                            0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                            nullptr);
  if (edit_ == nullptr) return;
  PlaceOverCover();
  ::SendMessageW(edit_, EM_SETLIMITTEXT, kMaxQueryLength, 0);
  ::SendMessageW(edit_, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(kCueBanner));
  ::SetWindowSubclass(edit_, Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

// The cover's place and font as they are now (the window lays its controls out again when
// the display's scale changes), and margins of the window's scale, set after the font (an edit
// may put its margins back to the font's when it gets a new one).
void SearchField::PlaceOverCover() {
  HWND parent = ::GetParent(edit_);
  RECT r{};
  ::GetWindowRect(cover_, &r);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  ::SetWindowPos(edit_, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOACTIVATE);
  ::SendMessageW(edit_, WM_SETFONT, ::SendMessageW(cover_, WM_GETFONT, 0, 0), FALSE);
  const int margin = ::MulDiv(kMargin, WindowDpi(edit_), 96);
  ::SendMessageW(edit_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
}

void SearchField::Show() {
  if (edit_ == nullptr) return;
  if (!Shown()) {
    PlaceOverCover();
    ::ShowWindow(cover_, SW_HIDE);
    ::ShowWindow(edit_, SW_SHOW);
    ::UpdateWindow(edit_);  // painted before the search it opens for takes the thread
  }
  ::SetFocus(edit_);
  ::SendMessageW(edit_, EM_SETSEL, 0, -1);
}

void SearchField::Hide() {
  if (edit_ == nullptr) return;
  const bool hadFocus = ::GetFocus() == edit_;
  ::KillTimer(edit_, kBurstTimer);
  pending_ = false;
  quiet_ = true;
  ::SetWindowTextW(edit_, L"");
  quiet_ = false;
  ::ShowWindow(edit_, SW_HIDE);
  ::ShowWindow(cover_, SW_SHOW);
  if (hadFocus) ::SetFocus(::GetParent(edit_));
}

void SearchField::OnEditChange() {
  if (quiet_ || !Shown()) return;
  pending_ = true;
  ::SetTimer(edit_, kBurstTimer, kBurstDelayMs, nullptr);  // restarts a running one
}

void SearchField::Flush() {
  if (pending_) Report();
}

void SearchField::Report() {
  ::KillTimer(edit_, kBurstTimer);
  pending_ = false;
  if (onChanged) onChanged(WindowText(edit_));
}

// The burst timer, and a blue frame that tells the search field from the information line.
// The frame is drawn inside the client area, over the edit's own painting, so that it looks
// the same whatever border the system's edit would draw.
LRESULT CALLBACK SearchField::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR /*id*/, DWORD_PTR self) {
  auto* field = reinterpret_cast<SearchField*>(self);
  switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_PASTE:
      // Keys still queued for the field when it closed (typed right after Esc) go nowhere.
      if (!field->Shown()) return 0;
      break;
    case WM_TIMER:
      if (wParam != kBurstTimer) break;
      field->Report();
      return 0;
    case WM_PAINT: {
      const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
      HDC dc = ::GetDC(window);
      if (dc == nullptr) return result;
      RECT r{};
      ::GetClientRect(window, &r);
      theme::Frame(dc, r, theme::kBlue);
      ::ReleaseDC(window, dc);
      return result;
    }
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(window, Proc, kSubclassId);
      field->edit_ = nullptr;
      break;
    default:
      break;
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace zr::win32
