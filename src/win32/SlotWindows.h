#pragma once
// The slot area's windows: the plain container (Panel1), the bevelled slot panels and the
// slot pictures, each of which shows its own bitmap canvas and reports the mouse.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "win32/GdiCanvas.h"

namespace zr::win32 {

enum class PanelBevel { None, Raised };

// Registers the window classes of this file (once per process).
void RegisterSlotWindowClasses(HINSTANCE instance);

// A plain dark container (no bevel, no caption).
HWND CreatePlainPanel(HWND parent, int id, const RECT& bounds);
// A slot panel with a one-pixel raised bevel.
HWND CreateSlotPanel(HWND parent, int id, const RECT& bounds);
void SetPanelBevel(HWND panel, PanelBevel bevel);
PanelBevel GetPanelBevel(HWND panel);

// A slot picture: a child window painting a bitmap canvas of its own size. The window text
// is the picture's hint, so that tools reading the control see it as well.
class SlotPicture {
 public:
  struct MouseEvent {
    UINT message;  // WM_MOUSEMOVE, WM_xBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK
    WPARAM keys;   // MK_* flags
    int x;
    int y;
  };

  SlotPicture() = default;
  SlotPicture(const SlotPicture&) = delete;
  SlotPicture& operator=(const SlotPicture&) = delete;
  ~SlotPicture();

  // Creates the window; the canvas has the window's size in pixels.
  void Create(HWND parent, int id, const RECT& bounds);
  HWND Handle() const { return window_; }
  BitmapCanvas& Canvas() { return *canvas_; }
  void Invalidate() const;
  // Moves and sizes the picture; its canvas is made anew at the new size (blank).
  void Resize(const RECT& bounds);

  // Mouse messages on the picture, in its own pixel coordinates.
  std::function<void(const MouseEvent&)> onMouse;

 private:
  friend void RegisterSlotWindowClasses(HINSTANCE instance);
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();

  HWND window_ = nullptr;
  std::unique_ptr<BitmapCanvas> canvas_;
};

}  // namespace zr::win32
