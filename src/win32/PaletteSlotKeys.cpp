// The slot pictures worked from the keyboard. Tab brings the focus to the slots and takes it
// back to the category box; the keys act only while a slot picture has the focus, so the
// palette never takes a key meant for the CAD.
#include <algorithm>
#include <optional>

#include "win32/ErrorReport.h"
#include "win32/PaletteControlIds.h"
#include "win32/PaletteWindow.h"

namespace zr::win32 {
namespace {

bool KeyDown(int key) { return ::GetKeyState(key) < 0; }

std::optional<SlotKey> SlotKeyOf(WPARAM key) {
  switch (key) {
    case VK_LEFT: return SlotKey::Left;
    case VK_RIGHT: return SlotKey::Right;
    case VK_UP: return SlotKey::Up;
    case VK_DOWN: return SlotKey::Down;
    case VK_PRIOR: return SlotKey::PageUp;
    case VK_NEXT: return SlotKey::PageDown;
    case VK_HOME: return SlotKey::Home;
    case VK_END: return SlotKey::End;
    default: return std::nullopt;
  }
}

}  // namespace

void PaletteWindow::ShowSlotFocus(int slot) {
  const HWND focus = ::GetFocus();
  const bool inSlots = std::any_of(ImgAry.begin(), ImgAry.end(),
                                   [&](const SlotPicture& p) { return p.Handle() == focus; });
  if (inSlots) ::SetFocus(ImgAry.at(static_cast<std::size_t>(slot)).Handle());
}

bool PaletteWindow::PreTranslateSlotKey(const MSG& msg) {
  if (hwnd_ == nullptr || (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)) return false;
  if (msg.hwnd != hwnd_ && ::IsChild(hwnd_, msg.hwnd) == FALSE) return false;
  const auto picture = std::find_if(ImgAry.begin(), ImgAry.end(),
                                    [&](const SlotPicture& p) { return p.Handle() == msg.hwnd; });
  const bool onSlot = picture != ImgAry.end();
  if (msg.wParam == VK_TAB && msg.message == WM_KEYDOWN && !KeyDown(VK_CONTROL)) {
    if (onSlot) {
      ::SetFocus(Control(ids::kComboBox1));
    } else {
      ::SetFocus(ImgAry.at(static_cast<std::size_t>(form_.FocusedSlot())).Handle());
    }
    return true;
  }
  if (!onSlot || KeyDown(VK_MENU)) return false;
  const WPARAM key = msg.wParam;
  if (key == VK_APPS || (key == VK_F10 && KeyDown(VK_SHIFT))) {
    OnContextMenu(picture->Handle(), static_cast<LPARAM>(-1));
    return true;
  }
  if (msg.message != WM_KEYDOWN) return false;
  if (key == VK_RETURN) {
    Guarded(hwnd_, [&] { form_.SlotEnter(); });
    AfterInsertion();
    return true;
  }
  if (key == VK_SPACE) {  // the large preview of the focused block; the next key hides it
    ShowPreview(form_.FocusedSlot());
    return true;
  }
  if (key >= VK_NUMPAD1 && key <= VK_NUMPAD9) {
    Guarded(hwnd_, [&] { form_.SlotKeypad(static_cast<int>(key - VK_NUMPAD0)); });
    return true;
  }
  const std::optional<SlotKey> move = SlotKeyOf(key);
  if (!move) return false;
  Guarded(hwnd_, [&] { form_.SlotKeyDown(*move); });
  return true;
}

}  // namespace zr::win32
