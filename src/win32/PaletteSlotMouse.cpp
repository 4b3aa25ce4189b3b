// The slot pictures' mouse presses: clicks and double clicks that insert a block, and the
// close that waited for an insertion.
#include "win32/PaletteWindow.h"

#include "win32/ErrorReport.h"

namespace zr::win32 {

// A click is a left press and release on the same picture; a double click inserts from its
// second press, and the release after it is no click.
void PaletteWindow::OnSlotMouse(int slot, const SlotPicture::MouseEvent& e) {
  switch (e.message) {
    case WM_MOUSEMOVE:
      Guarded(hwnd_, [&] { form_.Image1MouseMove(slot, e.x, e.y); });
      return;
    case WM_LBUTTONDOWN:
      pressedSlot_ = slot;
      ::SetCapture(ImgAry.at(static_cast<std::size_t>(slot)).Handle());
      break;
    case WM_LBUTTONDBLCLK:
      pressedSlot_ = -1;
      Guarded(hwnd_, [&] { form_.Image1MouseDown(slot, e.x, e.y); });
      Guarded(hwnd_, [&] { form_.Image1DblClick(slot); });
      AfterInsertion();
      return;
    case WM_LBUTTONUP:
      OnSlotRelease(slot, e);
      return;
    default:
      break;
  }
  const bool press = e.message == WM_LBUTTONDOWN || e.message == WM_RBUTTONDOWN ||
                     e.message == WM_MBUTTONDOWN;
  if (press) Guarded(hwnd_, [&] { form_.Image1MouseDown(slot, e.x, e.y); });
}

void PaletteWindow::OnSlotRelease(int slot, const SlotPicture::MouseEvent& e) {
  const bool click = pressedSlot_ == slot;
  pressedSlot_ = -1;
  if (::GetCapture() == ImgAry.at(static_cast<std::size_t>(slot)).Handle()) ::ReleaseCapture();
  RECT client;
  ::GetClientRect(ImgAry.at(static_cast<std::size_t>(slot)).Handle(), &client);
  if (!click || !::PtInRect(&client, POINT{e.x, e.y})) return;
  Guarded(hwnd_, [&] { form_.Image1Click(slot); });
  AfterInsertion();
}

// A close asked for while the insertion waited is carried out once the insertion returned,
// so that no automation object outlives the window that used it.
void PaletteWindow::AfterInsertion() {
  if (closePending_ && !form_.IsInserting() && hwnd_ != nullptr) {
    closePending_ = false;
    OnClose();
  }
}

}  // namespace zr::win32
