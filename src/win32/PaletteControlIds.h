#pragma once
// Control identifiers and the window class of the palette, shared with the end-to-end
// tests that find the controls of a running palette.
#include "app/PaletteState.h"

namespace zr::win32::ids {

inline constexpr wchar_t kPaletteClass[] = L"ZrPaletteWindow";

enum : int {
  kComboBox1 = 101,
  kUpDown1,
  kSpeedButton1,
  kSpeedButton2,
  kSpeedButton3,
  kSpeedButton4,
  kSpeedButton5,
  kSpeedButton6,
  kSpeedButton7,
  kEdit1,
  kStaticText1,
  kStaticText2,
  kStaticText3,
  kPanel1,
  kStatusBar1,
  kCheckBox1,
  kCheckBox2,
  kCheckBox3,
  kCheckBox4,
  kSearchField = 190,                         // the search field over the information line
  kSlotPanelFirst = 200,                      // Panel2 .. Panel15
  kSlotPictureFirst = kSlotPanelFirst + 100,  // Image1 .. Image14
};

// The search's entry in the window's system menu (a multiple of 16 below 0xF000).
inline constexpr unsigned kSearchMenuCommand = 0x5EA0;

static_assert(kSlotPanelFirst + kSlotCount <= kSlotPictureFirst);

}  // namespace zr::win32::ids
