#include "app/PaletteMenu.h"

namespace zr {
namespace {

MenuEntry Entry(const char* name, const char* caption, MenuCommand command, bool checked = false) {
  return MenuEntry{name, caption, command, checked, {}};
}

MenuEntry Separator() {
  MenuEntry separator;
  separator.separator = true;
  return separator;
}

MenuEntry PitchMenu(const std::string& caption) {
  MenuEntry menu{"N153", caption, MenuCommand::None, false, {}};
  menu.submenu = {Entry("N154", "15°", MenuCommand::Pitch15),
                  Entry("N304", "30°", MenuCommand::Pitch30),
                  Entry("N452", "45°", MenuCommand::Pitch45)};
  return menu;
}

MenuEntry ColorMenu() {
  MenuEntry menu{"N9", "補助基点の色", MenuCommand::None, false, {}};
  const char* names[] = {"N10", "N11", "N12", "N13", "N14"};
  int i = 0;
  for (const HojoKitenColorEntry& c : kHojoKitenColors) {
    menu.submenu.push_back(Entry(names[i++], c.caption, c.command));
  }
  return menu;
}

// Last and apart, so that the entries above keep their places for the keyboard.
void AddFavouriteGroup(const PaletteMenuState& s, std::vector<MenuEntry>& menu) {
  if (!s.onBlock) return;
  menu.push_back(Separator());
  if (s.isFavourite) {
    menu.push_back(Entry("FavRemove1", "お気に入りから削除", MenuCommand::FavouriteRemove));
  } else {
    menu.push_back(Entry("FavAdd1", "お気に入りに追加", MenuCommand::FavouriteAdd));
  }
  if (s.favouritesShown && s.isFavourite) {
    menu.push_back(Entry("FavEarlier1", "前へ移動", MenuCommand::FavouriteEarlier));
    menu.push_back(Entry("FavLater1", "後へ移動", MenuCommand::FavouriteLater));
  }
}

}  // namespace

std::string PitchCaption(int degrees) { return "回転角度ピッチ " + std::to_string(degrees) + "°"; }

std::vector<MenuEntry> BuildPaletteMenu(const PaletteMenuState& s) {
  std::vector<MenuEntry> menu{
      Entry("LISP1", "■ LISP をロード", MenuCommand::LoadLisp),
      Entry("IJCADLT1", "■ LISP をロード ( IJCAD LT )", MenuCommand::LoadLispIjcadLt),
      Entry("N25", "挿入に LISP を使う", MenuCommand::UseLisp, s.useLisp),
      Separator(),
      Entry("N1", "ダブルクリックでブロック挿入", MenuCommand::DoubleClick, s.dbClick),
      Separator(),
      PitchMenu(s.pitchCaption),
      Separator(),
      ColorMenu(),
      Separator(),
      Entry("N301", "ドラフター +30°(Z軸回転)", MenuCommand::DrafterPlus30),
      Entry("N151", "ドラフター +15°(Z軸回転)", MenuCommand::DrafterPlus15),
      Separator(),
      Entry("N302", "ドラフター -30°(Z軸回転)", MenuCommand::DrafterMinus30),
      Entry("N152", "ドラフター -15°(Z軸回転)", MenuCommand::DrafterMinus15),
      Separator(),
      Entry("OFF1", "ドラフター OFF (Z軸回転)", MenuCommand::DrafterOff),
      Entry("N3", "ドラフター 図形 (Z軸回転)", MenuCommand::DrafterObject),
      Entry("N180Z1", "ドラフター 180° (Z軸回転)", MenuCommand::Drafter180),
      Separator(),
      Entry("N16", "補助基点にポリラインを含める", MenuCommand::LwpKiten, s.lwpKiten),
      Separator(),
      Entry("N20", "補助基点の範囲を表示する", MenuCommand::ExtMinMax, s.extMinMax),
      Separator(),
      Entry("BricsCAD1", "ターゲット CAD", MenuCommand::TargetCad),
      Entry("N18", "バージョン情報", MenuCommand::About),
      Separator(),
      Entry("N7", "取り消し", MenuCommand::Cancel),
      // Added last, apart, so that the entries above keep their places for the keyboard.
      Separator(),
      Entry("CheckCatalogue1", "カタログを検査", MenuCommand::CheckCatalogue),
  };
  AddFavouriteGroup(s, menu);
  return menu;
}

}  // namespace zr
