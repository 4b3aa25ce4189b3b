#pragma once
// The palette's dark look: its colours and brushes, the mapping of the core's logical
// colours onto them, and the dark title bar where the system offers one.
#include <windows.h>

#include "drawing/EntityModel.h"

namespace zr::win32::theme {

inline constexpr COLORREF kWindow = RGB(32, 32, 32);       // form background
inline constexpr COLORREF kSurface = RGB(45, 45, 45);      // fields, buttons
inline constexpr COLORREF kSurfaceHot = RGB(62, 62, 62);   // a button under the mouse
inline constexpr COLORREF kSurfacePressed = RGB(22, 22, 22);
inline constexpr COLORREF kSlotArea = RGB(24, 24, 24);
inline constexpr COLORREF kBorder = RGB(88, 88, 88);
inline constexpr COLORREF kBevelLight = RGB(110, 110, 110);
inline constexpr COLORREF kBevelDark = RGB(10, 10, 10);
inline constexpr COLORREF kText = RGB(228, 228, 228);
inline constexpr COLORREF kTextDim = RGB(170, 170, 170);
inline constexpr COLORREF kTextDisabled = RGB(100, 100, 100);
inline constexpr COLORREF kRed = RGB(255, 96, 96);         // what the palette shows in red
inline constexpr COLORREF kBlue = RGB(110, 170, 255);      // ... and in blue
inline constexpr COLORREF kSelection = RGB(38, 79, 120);
inline constexpr COLORREF kCheckMark = RGB(240, 240, 240);

// The core speaks of black text on the button face, red and blue marks: on the dark
// background black becomes the light text colour, red and blue their lighter kin.
COLORREF MapTextColor(TColor logical);

// Solid brushes of the theme's colours, made once and kept for the process.
HBRUSH Brush(COLORREF color);

// Fills a rectangle with a colour.
void Fill(HDC dc, const RECT& rect, COLORREF color);
// A one-pixel frame just inside the rectangle.
void Frame(HDC dc, const RECT& rect, COLORREF color);
// A one-pixel bevel: light on the top and left edges, dark on the bottom and right.
void Bevel(HDC dc, const RECT& rect, COLORREF light, COLORREF dark);

// The paint messages of a control whose whole look `paint` draws: WM_PAINT, WM_PRINTCLIENT,
// and WM_ERASEBKGND swallowed. True, with the message's result, when it was one of them.
bool HandleOwnPaint(HWND window, UINT message, WPARAM wParam, void (*paint)(HWND, HDC),
                    LRESULT& result);

// Asks the desktop window manager for a dark title bar; no effect where unsupported.
void ApplyDarkTitleBar(HWND window);

}  // namespace zr::win32::theme
