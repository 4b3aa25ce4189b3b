#pragma once
// Windows that make their own controls at pixel places scaled to the display: the fonts they
// ask for, and for dialogs the in-memory template they start from and their window fitted
// around a client area and centred on the monitor of the window they belong to.
#include <windows.h>

#include <vector>

#include "win32/UniqueHandle.h"

namespace zr::win32 {

// A template without controls, title or menu, of the system's dialog class.
std::vector<WORD> EmptyDialogTemplate(DWORD style);

// A font of `face` `pixelHeight` pixels high.
UniqueFont MakeFont(const wchar_t* face, int pixelHeight, bool bold,
                    BYTE charSet = SHIFTJIS_CHARSET);

// Sizes the window so that its client area is `clientWidth` x `clientHeight` device pixels: with
// the frame of `dpi` first, then corrected by the client area it got (a system may keep the
// frame's size at every scale). Its place stays.
void SetClientSize(HWND window, int clientWidth, int clientHeight, int dpi);

// Sizes the dialog so that its client area is `clientWidth` x `clientHeight` device pixels,
// with the frame of the scale the dialog is shown at, and centres it on the work area of the
// monitor `owner` is on (the dialog's own when there is no owner); `insertAfter` places it in
// the Z order (nullptr keeps its place).
void FitAndCentre(HWND dialog, int clientWidth, int clientHeight, int dpi, HWND insertAfter,
                  HWND owner);

}  // namespace zr::win32
