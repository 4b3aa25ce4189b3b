#pragma once
// The About box ("バージョン情報"): the program's icon, name and version and an OK button,
// shown modally over the palette and released when it closes.
#include <windows.h>

namespace zr::win32 {

inline constexpr wchar_t kAboutProductName[] = L"Zoveza Ruzu (ActiveX/LISP)";
inline constexpr wchar_t kAboutVersion[] = L"Ver.1.65 (2025/07/13 Vara)";
inline constexpr int kAboutClientWidth = 253;   // 96-dpi pixels
inline constexpr int kAboutClientHeight = 135;
inline constexpr int kAboutOkId = IDOK;
inline constexpr int kAboutNameId = 1001;
inline constexpr int kAboutVersionId = 1002;
inline constexpr int kAboutIconId = 1003;

void ShowAboutBox(HWND owner);

}  // namespace zr::win32
