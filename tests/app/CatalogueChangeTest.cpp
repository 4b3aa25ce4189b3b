// A catalogue the keeper changes while the palette is open: the next category change shows
// the list as it is now, its pages and its search alike.
#include <gtest/gtest.h>

#include "app/Catalogue.h"
#include "support/PaletteRig.h"

namespace zr {
namespace {

TEST(CatalogueChange, NextCategoryChangeShowsTheListAsItIsNow) {
  test::PaletteRig rig;
  rig.dir.Write(kMenuListName, "Lamps\tL\r\nFans\tF\r\n");
  rig.dir.Write(kBlockListName, "L01\tLamp\r\nF01\tFan\r\nF02\tFan 2\r\nF03\tFan 3\r\n");
  rig.form.FormCreate(rig.dir.File("ZovezaRuzu.exe"));
  rig.form.FormShow();
  ASSERT_EQ(rig.state.gbBlkList[0].BlkNo, "L01");
  rig.form.SearchChanged("Fan");  // the search index is built from the first list
  rig.form.SearchEscape();

  // Lines come in before the category (as many as go): its range moves, and the pages must
  // follow it.
  rig.dir.Write(kBlockListName, "L01\tLamp\r\nL02\tLamp 2\r\nL03\tFloodlight\r\nF01\tFan\r\n");
  rig.view.SelectCategory(1);
  rig.form.ComboBox1Change();
  EXPECT_EQ(rig.state.gbBlkList[0].BlkNo, "F01");
  EXPECT_EQ(rig.state.gbBlkList[1].BlkNo, "");
  rig.view.SelectCategory(0);
  rig.form.ComboBox1Change();
  EXPECT_EQ(rig.state.gbBlkList[2].BlkNo, "L03");
  rig.form.SearchChanged("Floodlight");
  EXPECT_EQ(rig.state.gbBlkList[0].BlkNo, "L03");
}

}  // namespace
}  // namespace zr
