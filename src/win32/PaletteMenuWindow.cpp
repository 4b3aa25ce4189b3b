#include "win32/PaletteMenuWindow.h"

#include "win32/WideText.h"

namespace zr::win32 {
namespace {

void AppendEntries(HMENU menu, const std::vector<MenuEntry>& entries) {
  for (const MenuEntry& e : entries) {
    if (e.IsSeparator()) {
      ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const std::wstring caption = Widen(e.caption);
    if (!e.submenu.empty()) {
      HMENU sub = ::CreatePopupMenu();
      AppendEntries(sub, e.submenu);
      // The menu owns its submenus from here on.
      ::AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), caption.c_str());
      continue;
    }
    const UINT flags = MF_STRING | (e.checked ? MF_CHECKED : MF_UNCHECKED);
    ::AppendMenuW(menu, flags, static_cast<UINT_PTR>(e.command), caption.c_str());
  }
}

}  // namespace

UniqueMenu BuildPopupMenu(const std::vector<MenuEntry>& entries) {
  UniqueMenu menu(::CreatePopupMenu());
  if (menu) AppendEntries(menu.get(), entries);
  return menu;
}

MenuCommand ShowPaletteMenu(HWND owner, const std::vector<MenuEntry>& entries, POINT screen) {
  const UniqueMenu menu = BuildPopupMenu(entries);
  if (!menu) return MenuCommand::None;
  // The owner must be in front, or a click elsewhere would not close the menu.
  ::SetForegroundWindow(owner);
  const BOOL chosen = ::TrackPopupMenuEx(menu.get(),
                                         TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                         screen.x, screen.y, owner, nullptr);
  ::PostMessageW(owner, WM_NULL, 0, 0);
  return static_cast<MenuCommand>(chosen);
}

}  // namespace zr::win32
