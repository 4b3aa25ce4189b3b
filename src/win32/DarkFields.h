#pragma once
// Dark painting of the editable category box and of the borders of edits and labels. The
// controls stay the system's; their texts take the colours of WM_CTLCOLOR* in the parent.
#include <windows.h>

namespace zr::win32 {

// An editable drop-down combo box: dark frame and drop-down button around its edit field.
void InstallDarkComboBox(HWND comboBox);
// Paints a control's non-client border (client edge, static edge or single border) as a
// dark sunken frame.
void InstallDarkFrame(HWND control);

}  // namespace zr::win32
