#pragma once
// The palette's context menu on the screen: a real popup menu built from the core's model.
#include <windows.h>

#include <vector>

#include "app/PaletteMenu.h"
#include "win32/UniqueHandle.h"

namespace zr::win32 {

// The popup menu of the entries: separators, check marks, submenus; each entry's command
// identifier is its MenuCommand.
UniqueMenu BuildPopupMenu(const std::vector<MenuEntry>& entries);

// Shows the menu at a screen point and waits for the user's choice; MenuCommand::None when
// the menu was closed without one.
MenuCommand ShowPaletteMenu(HWND owner, const std::vector<MenuEntry>& entries, POINT screen);

}  // namespace zr::win32
