// Search results and the recently inserted blocks as pages of the palette, against a fake
// view, catalogue files written for each test and a scripted CAD.
#include <gtest/gtest.h>

#include "app/Catalogue.h"
#include "app/PaletteForm.h"
#include "support/FakeCad.h"
#include "support/FakePaletteView.h"
#include "support/PaletteRig.h"
#include "support/TempFolder.h"
#include "text/AnsiCodePage.h"
#include "text/IniFile.h"
#include "text/TextFile.h"

namespace zr {
namespace {

using Lines = std::vector<std::string>;

class PaletteSearchTest : public ::testing::Test, public test::FakeCad, protected test::PaletteRig {
 protected:
  PaletteSearchTest() {
    dir.Write(kMenuListName, text::Utf8ToAnsi("照明\tL\r\nコンセント\tE\r\n"));
    std::string blocks;
    for (int i = 1; i <= 20; ++i) {
      // Appended piece by piece: a chain of + trips a false warning of GCC 12.
      blocks.append("L").append(i < 10 ? "0" : "").append(std::to_string(i)).append("\t照明 ");
      blocks.append(std::to_string(i)).append("\r\n");
    }
    blocks += "E01\tコンセント\t*\t\t壁付\r\nE02\tｺﾝｾﾝﾄ 2P\r\nE03\t防水こんせんと\r\nE04\tスイッチ\r\n";
    blocks += "\t番号のないコンセント\r\n";  // no block number: no slot, no result
    dir.Write(kBlockListName, text::Utf8ToAnsi(blocks));
    form.SetDesktop(desktop);
    form.FormCreate(dir.File("ZovezaRuzu.exe"));
  }

  // The block numbers of the filled slots, in slot order.
  Lines Shown() const {
    Lines numbers;
    for (const TBlkList& s : state.gbBlkList) {
      if (!s.BlkNo.empty()) numbers.push_back(s.BlkNo);
    }
    return numbers;
  }
  bool Prev() const { return view.IsEnabled(SpeedButton::SpeedButton1); }
  bool Next() const { return view.IsEnabled(SpeedButton::SpeedButton2); }

};

TEST_F(PaletteSearchTest, ResultsArePagesAndEscReturnsExactlyWhereTheUserWas) {
  form.FormShow();
  form.SpeedButton2Click();  // second page of 照明: L15 .. L20
  const Lines where = Shown();
  ASSERT_EQ(where.front(), "L15");

  form.SearchOpen();
  EXPECT_TRUE(view.searchFieldShown);
  form.SearchChanged("ｺﾝｾﾝﾄ ");
  EXPECT_EQ(Shown(), (Lines{"E01", "E02", "E03"}));
  EXPECT_EQ(view.CategoryBoxText(), "検索: ｺﾝｾﾝﾄ (3)");
  form.SearchChanged("こんせんと");  // the same search: the box still shows the field's text
  EXPECT_EQ(view.CategoryBoxText(), "検索: こんせんと (3)");
  EXPECT_EQ(view.categoryIndex, 0);  // the selection stays for the settings file
  EXPECT_FALSE(Prev());
  EXPECT_FALSE(Next());
  EXPECT_EQ(view.status[0], "E01");
  EXPECT_EQ(view.hints[0], "コンセント\r壁付");
  form.RedrawPage();  // an option's redraw keeps the results
  EXPECT_EQ(Shown(), (Lines{"E01", "E02", "E03"}));

  form.SearchChanged("照明");  // twenty results: two pages
  EXPECT_EQ(view.CategoryBoxText(), "検索: 照明 (20)");
  EXPECT_TRUE(Next());
  form.SpeedButton2Click();
  EXPECT_EQ(Shown().front(), "L15");
  EXPECT_EQ(form.CatalogueLines().size(), 25u);

  form.SearchChanged("　");  // nothing left to search: back, the field stays open
  EXPECT_EQ(Shown(), where);
  EXPECT_EQ(view.CategoryBoxText(), "照明");
  form.SearchChanged("スイッチ");
  EXPECT_EQ(Shown(), (Lines{"E04"}));
  form.SearchEscape();
  EXPECT_FALSE(view.searchFieldShown);
  EXPECT_EQ(Shown(), where);
  EXPECT_EQ(view.CategoryBoxText(), "照明");
  EXPECT_TRUE(Prev());
  EXPECT_FALSE(Next());
  EXPECT_EQ(form.BlkListSL.size(), 25u);
}

TEST_F(PaletteSearchTest, ChoosingACategoryEndsTheSearch) {
  form.FormShow();
  form.SearchOpen();
  form.SearchChanged("none of these");
  EXPECT_EQ(Shown(), Lines{});
  EXPECT_EQ(view.CategoryBoxText(), "検索: none of these (0)");
  view.SelectCategory(1);
  form.ComboBox1Change();
  EXPECT_FALSE(view.searchFieldShown);
  EXPECT_FALSE(form.SearchResultsShown());
  EXPECT_EQ(Shown(), (Lines{"E01", "E02", "E03", "E04"}));
  EXPECT_EQ(form.BlkListSL.size(), 25u);
}

TEST_F(PaletteSearchTest, ClosingDuringASearchKeepsTheBrowsedCategory) {
  form.FormShow();
  view.SelectCategory(1);
  form.ComboBox1Change();
  form.SearchOpen();
  form.SearchChanged("照明");
  form.FormClose();
  EXPECT_FALSE(form.SearchResultsShown());
  std::vector<std::string> lines;
  ASSERT_TRUE(text::ReadTextLines(dir.File("ZovezaRuzu.ini"), lines));
  EXPECT_EQ(text::IniFile(lines).Read("Combo", "Setsubi"), "1");
}

TEST_F(PaletteSearchTest, RecentBlocksAreTheLastEntryAndFollowInsertions) {
  EXPECT_EQ(view.categories.size(), 2u);  // no recent block, no entry
  form.LoadRecentBlocks(RecentBlocks::FromIniLines({"1=E02", "2=GONE", "3=L03"}));
  EXPECT_EQ(view.categories, (Lines{"照明", "コンセント", "最近使ったブロック"}));
  EXPECT_EQ(form.Recent().Numbers(), (Lines{"E02", "L03"}));
  view.SelectCategory(2);
  form.ComboBox1Change();
  EXPECT_EQ(Shown(), (Lines{"E02", "L03"}));

  // Inserting from the recent page: the block moves first, the page stays until shown again.
  dir.Write("DXF/L03B.dxf", "");
  form.InsertBlock(1);
  EXPECT_EQ(form.Recent().Numbers(), (Lines{"L03", "E02"}));
  form.InsertBlock(0);  // E02 has no drawing: nothing inserted, nothing remembered
  EXPECT_EQ(form.Recent().Numbers(), (Lines{"L03", "E02"}));
  EXPECT_EQ(Shown(), (Lines{"E02", "L03"}));
  form.UpDown1Click(UpDownButton::Next);
  form.UpDown1Click(UpDownButton::Previous);
  EXPECT_EQ(Shown(), (Lines{"L03", "E02"}));

  // Esc from a search started on the recent page returns to it.
  form.SearchOpen();
  form.SearchChanged("L1");
  EXPECT_EQ(Shown().size(), 10u);  // L10 .. L19
  form.SearchEscape();
  EXPECT_EQ(Shown(), (Lines{"L03", "E02"}));
  EXPECT_EQ(view.categoryIndex, 2);
}

TEST_F(PaletteSearchTest, TheFirstInsertionAddsTheRecentEntry) {
  form.FormShow();
  dir.Write("DXF/L02B.dxf", "");
  form.InsertBlock(1);
  EXPECT_EQ(view.categories.back(), "最近使ったブロック");
  EXPECT_EQ(form.RecentCategoryIndex(), 2);
  EXPECT_EQ(form.Recent().Numbers(), (Lines{"L02"}));
}

}  // namespace
}  // namespace zr
