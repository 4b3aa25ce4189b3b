#pragma once
// Dark painting of the palette's buttons. They stay real BUTTON controls (clicks, states,
// keyboard and accessibility as the system gives them); only their look is the palette's.
#include <windows.h>

namespace zr::win32 {

// Paints an owner-drawn push button flat: framed surface, lighter under the mouse, darker
// while pressed, dimmed when disabled; the caption centred in the button's font.
void PaintFlatButton(const DRAWITEMSTRUCT& item);
// Tracks the mouse over an owner-drawn button, so that PaintFlatButton can show it.
void InstallHoverTracking(HWND button);

// Paints an automatic check box dark: a framed box with a light check mark and the caption
// in its caption colour (initially the theme's text colour).
void InstallDarkCheckBox(HWND checkBox);
void SetCheckBoxCaptionColor(HWND checkBox, COLORREF color);

}  // namespace zr::win32
