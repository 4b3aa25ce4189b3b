// Favourites in the palette: the menu entries for the block under the pointer, their
// category entry and page, a favourite the catalogue lost, and the settings file at close.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/Catalogue.h"
#include "app/PaletteForm.h"
#include "support/FakeCad.h"
#include "support/PaletteRig.h"
#include "text/AnsiCodePage.h"
#include "app/Settings.h"
#include "text/IniFile.h"

namespace zr {
namespace {

using Lines = std::vector<std::string>;

class PaletteFavouritesTest : public ::testing::Test,
                              public test::FakeCad,
                              protected test::PaletteRig {
 protected:
  PaletteFavouritesTest() {
    dir.Write(kMenuListName, text::Utf8ToAnsi("照明\tL\r\n"));
    dir.Write(kBlockListName, text::Utf8ToAnsi("L01\t照明 1\r\nL02\t照明 2\r\nL03\t照明 3\r\n"));
    dir.Write("DXF/L02B.dxf", "");
    form.SetDesktop(desktop);
    form.FormCreate(dir.File("ZovezaRuzu.exe"));
    form.FormShow();
  }
  Lines Shown() const {
    Lines numbers;
    for (const TBlkList& s : state.gbBlkList) {
      if (!s.BlkNo.empty()) numbers.push_back(s.BlkNo);
    }
    return numbers;
  }
  // The captions of the menu's last group, for the block of `slot` (-1: no slot).
  Lines FavouriteEntries(int slot) {
    form.SetMenuSlot(slot);
    const std::vector<MenuEntry> menu = form.PopupMenu1();
    Lines captions;
    for (auto e = menu.rbegin(); e != menu.rend() && !e->IsSeparator(); ++e) {
      if (e->caption != "カタログを検査") captions.insert(captions.begin(), e->caption);
    }
    return captions;
  }
  void Choose(int slot, MenuCommand command) {
    form.SetMenuSlot(slot);
    form.PopupMenu1Click(command);
  }
};

TEST_F(PaletteFavouritesTest, AddedFromTheMenuShownInOrderReorderedAndKept) {
  const std::size_t entries = form.PopupMenu1().size();
  EXPECT_EQ(FavouriteEntries(-1), Lines{});  // no block under the pointer: no group
  EXPECT_EQ(form.PopupMenu1().size(), entries);
  EXPECT_EQ(view.categories, Lines{"照明"});  // no favourite, no entry

  EXPECT_EQ(FavouriteEntries(2), Lines{"お気に入りに追加"});
  Choose(2, MenuCommand::FavouriteAdd);
  Choose(0, MenuCommand::FavouriteAdd);
  EXPECT_EQ(FavouriteEntries(2), Lines{"お気に入りから削除"});  // elsewhere: no reordering
  EXPECT_EQ(view.categories, (Lines{"照明", "お気に入り"}));

  view.SelectCategory(1);
  form.ComboBox1Change();
  EXPECT_EQ(Shown(), (Lines{"L03", "L01"}));
  EXPECT_EQ(FavouriteEntries(1), (Lines{"お気に入りから削除", "前へ移動", "後へ移動"}));
  Choose(1, MenuCommand::FavouriteEarlier);
  EXPECT_EQ(Shown(), (Lines{"L01", "L03"}));
  Choose(0, MenuCommand::FavouriteLater);
  EXPECT_EQ(Shown(), (Lines{"L03", "L01"}));
  Choose(0, MenuCommand::FavouriteRemove);
  EXPECT_EQ(Shown(), Lines{"L01"});

  form.FormClose();
  const text::IniFile ini = LoadSettingsFile(dir.File("ZovezaRuzu.ini")).ini;
  EXPECT_EQ(ini.Read("Favorites", "1"), "L01");
  EXPECT_EQ(ini.Read("Favorites", "2"), std::nullopt);
  EXPECT_EQ(ini.Read("Combo", "Setsubi"), "1");
}

TEST_F(PaletteFavouritesTest, AFavouriteTheCatalogueLostStaysGreyWithItsNumberAndInsertsNothing) {
  FavouriteBlocks favourites;
  for (const char* n : {"GONE", "L02"}) favourites.Add(n);
  form.LoadFavourites(favourites);
  painter.draws.clear();
  view.canvases[0].ClearOps();
  view.SelectCategory(1);
  form.ComboBox1Change();
  EXPECT_EQ(Shown(), (Lines{"GONE", "L02"}));
  EXPECT_EQ(painter.DrawnSlots(), std::vector<int>{1});  // no drawing read for the lost one
  const auto texts = view.canvases[0].OpsOf(testing::OpKind::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "GONE");
  EXPECT_EQ(texts[0].fontColor, TColor{0x808080});

  form.InsertBlock(0);
  EXPECT_EQ(view.Text(TextControl::StaticText3), kGoneFavouriteMessage);
  EXPECT_TRUE(DocCalls().empty());
  form.InsertBlock(1);
  EXPECT_EQ(form.Recent().Numbers(), Lines{"L02"});
  EXPECT_EQ(form.Favourites().Numbers(), (Lines{"GONE", "L02"}));  // kept until removed
}

}  // namespace
}  // namespace zr
