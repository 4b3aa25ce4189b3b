#pragma once
// The palette's context menu (PopupMenu1) as data: its entries in order, separators, check
// marks and submenus. The window builds the real menu from it and reports the chosen command.
#include <string>
#include <vector>

#include "drawing/EntityModel.h"

namespace zr {

enum class MenuCommand {
  None,  // separators and submenu headings
  LoadLisp,
  LoadLispIjcadLt,
  UseLisp,
  DoubleClick,
  Pitch15,
  Pitch30,
  Pitch45,
  ColorBlue,
  ColorYellow,
  ColorGreen,
  ColorAqua,
  ColorPurple,
  DrafterPlus30,
  DrafterPlus15,
  DrafterMinus30,
  DrafterMinus15,
  DrafterOff,
  DrafterObject,
  Drafter180,
  LwpKiten,
  ExtMinMax,
  TargetCad,
  About,
  Cancel,
  CheckCatalogue,
  FavouriteAdd,      // the slot's block joins the favourites
  FavouriteRemove,
  FavouriteEarlier,  // within the favourites: one place earlier / later
  FavouriteLater,
};

struct MenuEntry {
  std::string name;     // the entry's name in the palette ("N25"); empty for a separator
  std::string caption;  // empty for a separator
  MenuCommand command = MenuCommand::None;
  bool checked = false;
  std::vector<MenuEntry> submenu;
  // Marked, not read from an empty caption: a caption from the settings file may be empty.
  bool separator = false;

  bool IsSeparator() const { return separator; }
};

// What the menu shows of the palette's state.
struct PaletteMenuState {
  bool useLisp = false;       // N25
  bool dbClick = false;       // N1
  bool lwpKiten = false;      // N16
  bool extMinMax = false;     // N20
  std::string pitchCaption;   // N153, "回転角度ピッチ 45°"
  // The favourites' group, last: only with a block under the pointer.
  bool onBlock = false;
  bool isFavourite = false;         // "お気に入りから削除" instead of "お気に入りに追加"
  bool favouritesShown = false;     // the favourites' page: the entries that reorder
};

std::vector<MenuEntry> BuildPaletteMenu(const PaletteMenuState& state);

// The rotation steps of the pitch submenu and the colours of the colour submenu.
inline constexpr int kPitches[] = {15, 30, 45};
std::string PitchCaption(int degrees);  // "回転角度ピッチ 45°"

struct HojoKitenColorEntry {
  MenuCommand command;
  const char* caption;
  TColor color;  // 0x00BBGGRR
};
inline constexpr HojoKitenColorEntry kHojoKitenColors[] = {
    {MenuCommand::ColorBlue, "青", 0x00FF0000},   {MenuCommand::ColorYellow, "黄", 0x0000FFFF},
    {MenuCommand::ColorGreen, "緑", 0x00008000},  {MenuCommand::ColorAqua, "水", 0x00FFFF00},
    {MenuCommand::ColorPurple, "紫", 0x00FF00FF},
};

}  // namespace zr
