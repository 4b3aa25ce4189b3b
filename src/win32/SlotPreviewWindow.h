#pragma once
// The large preview of a slot: a borderless popup beside the palette that never takes the
// focus. Resting the pointer on a slot for the system's hover time shows it; leaving the slot,
// a mouse press on it, a key or a new page hides it. The popup is made at its first showing.
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "app/SlotPreview.h"
#include "win32/GdiCanvas.h"

namespace zr::win32 {

// The window class of the popup.
inline constexpr wchar_t kSlotPreviewClass[] = L"ZrSlotPreview";

class SlotPreviewWindow {
 public:
  using Describe = std::function<TSlotPreview(int slot)>;
  using MayShow = std::function<bool()>;

  SlotPreviewWindow() = default;
  SlotPreviewWindow(const SlotPreviewWindow&) = delete;
  SlotPreviewWindow& operator=(const SlotPreviewWindow&) = delete;
  ~SlotPreviewWindow();

  // `describe` gives what slot k shows; `mayShow` is false while the palette must not show it
  // (an insertion waiting for the CAD).
  void Attach(HWND palette, Describe describe, MayShow mayShow);
  // Watches the slot picture of slot k: its mouse shows and hides the preview.
  void WatchSlot(HWND picture, int slot);

  // Shows the preview of slot k now (an empty slot shows none); nothing while a menu or a
  // dialog of the palette is open.
  void Show(int slot);
  void Hide();
  // A key or a press: hidden, and not shown again until the pointer moves.
  void Dismiss();
  // The slot's picture was drawn anew (a page load): its preview is out of date.
  void SlotChanged(int slot);
  bool Shown() const { return shownSlot_ >= 0; }

 private:
  static LRESULT CALLBACK SlotProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR self);
  static LRESULT CALLBACK PopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void OnSlotMessage(HWND picture, int slot, UINT message);
  bool MayShowNow() const;
  void ShowNow(int slot);
  void EnsurePopup();
  // Draws the popup's whole look for `preview` at the palette's scale; its size.
  ViewSize Render(const TSlotPreview& preview, int slot);

  HWND palette_ = nullptr;
  HWND popup_ = nullptr;
  Describe describe_;
  MayShow mayShow_;
  std::vector<HWND> pictures_;        // by slot number
  std::unique_ptr<BitmapCanvas> frame_;  // the popup's look, painted on WM_PAINT
  int shownSlot_ = -1;
  POINT dismissedAt_{-1, -1};         // the pointer when a key or press hid the preview
  bool dismissed_ = false;
};

}  // namespace zr::win32
