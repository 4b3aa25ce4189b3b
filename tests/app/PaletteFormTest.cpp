// The palette's start-up, category box, arrows, pages and page load, against a fake view and
// catalogue files written for each test.
#include "app/PaletteForm.h"

#include <gtest/gtest.h>

#include "app/Catalogue.h"
#include "support/FakePaletteView.h"
#include "support/PaletteRig.h"
#include "support/TempFolder.h"
#include "text/AnsiCodePage.h"

namespace zr {
namespace {

using test::FakePaletteView;
using test::FakeSlotPainter;

// `count` block lines "<tag>NN\tName NN" (NN from 1).
std::string Blocks(const std::string& tag, int count) {
  std::string lines;
  for (int i = 1; i <= count; ++i) {
    std::string n = std::to_string(i);
    if (i < 10) n.insert(0, 1, '0');
    lines.append(tag).append(n).append("\tName ").append(n).append("\r\n");
  }
  return lines;
}

class PaletteFormTest : public ::testing::Test, protected test::PaletteRig {
 protected:
  // Catalogue files are stored as on a Japanese system: code page 932, no byte-order mark.
  void WriteMenu(const std::string& utf8) { dir.Write(kMenuListName, text::Utf8ToAnsi(utf8)); }
  void WriteBlocks(const std::string& utf8) {
    dir.Write(kBlockListName, text::Utf8ToAnsi(utf8));
  }
  void Create() { form.FormCreate(dir.File("ZovezaRuzu.exe")); }
  void Start() {
    Create();
    form.FormShow();
  }
  const TBlkList& Slot(int k) const { return state.gbBlkList[static_cast<std::size_t>(k)]; }
  bool PrevEnabled() const { return view.IsEnabled(SpeedButton::SpeedButton1); }
  bool NextEnabled() const { return view.IsEnabled(SpeedButton::SpeedButton2); }
  std::string DxfFile(const std::string& name) const {
    return dir.File("") + "DXF" + kDirSeparator + name;
  }
  // The block numbers of the fourteen slots, "" for an empty slot.
  std::vector<std::string> SlotNumbers() const {
    std::vector<std::string> numbers;
    for (const TBlkList& s : state.gbBlkList) numbers.push_back(s.BlkNo);
    return numbers;
  }

};

TEST_F(PaletteFormTest, CreateWithoutAnyFileOpensAnEmptyCentredPalette) {
  state.gbHojoKiten = true;
  state.gbLwpKiten = true;
  state.gbKaiten = 1.0;
  state.gbHojoKitenColor = 0x123456;
  Start();

  EXPECT_EQ(view.title, "Zoveza Ruzu 1.65 Dark");
  EXPECT_TRUE(view.categories.empty());
  EXPECT_EQ(view.categoryIndex, -1);
  EXPECT_FALSE(PrevEnabled());
  EXPECT_FALSE(NextEnabled());
  EXPECT_TRUE(painter.draws.empty());
  EXPECT_TRUE(form.BlkListSL.empty());
  EXPECT_EQ(view.windowPos.x, (1280 - 397) / 2);
  EXPECT_EQ(view.windowPos.y, (800 - 228) / 2);
  EXPECT_FALSE(state.gbHojoKiten);
  EXPECT_FALSE(state.gbLwpKiten);
  EXPECT_EQ(state.gbKaiten, 0.0);
  EXPECT_EQ(state.gbHojoKitenColor, kAqua);
  EXPECT_FALSE(form.gbFlagDbClick);
  EXPECT_EQ(form.gbExePath, dir.File(""));
  EXPECT_EQ(form.gbDxfDir, "DXF");
  EXPECT_EQ(form.gbMnuListFName, dir.File("MenuList.txt"));
  EXPECT_EQ(form.gbBlkListFName, dir.File("BlockList.txt"));
  EXPECT_EQ(form.ImgSize, 53);
}

TEST_F(PaletteFormTest, CreateLaysOutTwoRowsOfSevenSlots) {
  Create();
  const int lefts[] = {2, 57, 112, 167, 222, 277, 332};
  for (int k = 0; k < kSlotCount; ++k) {
    const ControlRect expected{lefts[k % 7], k < 7 ? 2 : 57, 54, 54};
    EXPECT_EQ(view.slotPanels[static_cast<std::size_t>(k)], expected) << "slot " << k;
  }
}

TEST_F(PaletteFormTest, StartupReadingFillsTheBoxAndKeepsTheBlockLines) {
  WriteMenu("照明\tL\r\nthis line has no tab\r\n\r\nコンセント\tC\r\n");
  WriteBlocks(Blocks("L", 3) + Blocks("C", 2));
  view.upDownPosition = 731;
  Create();

  EXPECT_EQ(view.categories, (std::vector<std::string>{"照明", "コンセント"}));
  EXPECT_EQ(view.categoryIndex, 0);
  EXPECT_EQ(view.upDownPosition, 500);
  EXPECT_EQ(form.BlkListSL.size(), 5u);
  EXPECT_EQ(form.BlkListSL[3], "C01\tName 01");
  // Selecting the first category at start-up loads no page; showing the window does.
  EXPECT_TRUE(painter.draws.empty());
  form.FormShow();
  EXPECT_EQ(painter.DrawnSlots(), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(view.nameFieldFocus, 1);
}

TEST_F(PaletteFormTest, FirstPageFillsSlotsHintsStatusAndDrawsEachBlock) {
  WriteMenu("照明\tL\r\n");
  WriteBlocks("X01\tother\r\nL01\t\"ダウンライト\"\t*\t\t\"天井埋込\"\r\nL02\tBracket\t\t*\r\n");
  state.gbHojoKiten = false;
  Start();
  state.gbKaiten = 0.5;
  state.gbHojoKiten = true;
  painter.Reset();
  form.RedrawPage();

  EXPECT_EQ(form.gbTagName, "L");
  EXPECT_EQ(form.gbTAgSt, 1);
  EXPECT_EQ(form.gbTagEd, 2);
  EXPECT_EQ(Slot(0).BlkNo, "L01");
  EXPECT_EQ(Slot(0).BlkName, "ダウンライト");
  EXPECT_EQ(Slot(0).Comment, "天井埋込");
  EXPECT_TRUE(Slot(0).IsJis);
  EXPECT_FALSE(Slot(0).IsKok);
  EXPECT_TRUE(Slot(1).IsKok);
  EXPECT_EQ(view.hints[0], "ダウンライト\r天井埋込");
  EXPECT_EQ(view.hints[1], "Bracket");
  EXPECT_EQ(view.hints[2], "");
  EXPECT_EQ(view.status[0], "L01");

  ASSERT_EQ(painter.draws.size(), 2u);
  EXPECT_EQ(painter.draws[0].fileName, DxfFile("L01B.dxf"));
  EXPECT_EQ(painter.draws[1].fileName, DxfFile("L02B.dxf"));
  EXPECT_TRUE(painter.draws[1].hojoKiten);
  EXPECT_EQ(painter.draws[1].kaiten, 0.5);
}

TEST_F(PaletteFormTest, EveryPageLoadClearsAllFourteenPicturesBlackFirst) {
  WriteMenu("照明\tL\r\n");
  WriteBlocks(Blocks("L", 2));
  Create();
  form.FormShow();
  ASSERT_EQ(painter.clears.size(), 14u);
  for (int k = 0; k < kSlotCount; ++k) {
    const auto& c = painter.clears[static_cast<std::size_t>(k)];
    EXPECT_EQ(c.slot, k);
    EXPECT_EQ(c.width, 53);
    EXPECT_EQ(c.height, 53);
    EXPECT_EQ(c.color, 0x000000u);
    EXPECT_GE(view.invalidations[static_cast<std::size_t>(k)], 1);
  }
  // An empty page clears the pictures as well.
  painter.Reset();
  form.ReadBlockListSL(form.BlkListSL, "", -1, -1, 0);
  EXPECT_EQ(painter.clears.size(), 14u);
  EXPECT_TRUE(painter.draws.empty());
}

TEST_F(PaletteFormTest, ScaleBoxesChooseTheDxfLetter) {
  WriteMenu("照明\tL\r\n");
  WriteBlocks(Blocks("L", 1));
  Start();
  view.checked = {false, false, true, false};  // 1/50
  painter.Reset();
  form.RedrawPage();
  EXPECT_EQ(painter.draws.at(0).fileName, DxfFile("L01C.dxf"));
  view.checked = {true, false, true, true};  // 1/200 wins; "None" takes no part
  painter.Reset();
  form.RedrawPage();
  EXPECT_EQ(painter.draws.at(0).fileName, DxfFile("L01A.dxf"));
}

TEST_F(PaletteFormTest, FourteenLinesMakeOnePageWithoutPaging) {
  WriteMenu("照明\tL\r\n");
  WriteBlocks(Blocks("L", 14));
  Start();
  EXPECT_EQ(Slot(13).BlkNo, "L14");
  EXPECT_FALSE(PrevEnabled());
  EXPECT_FALSE(NextEnabled());
}

TEST_F(PaletteFormTest, FifteenLinesPageForwardAndBack) {
  WriteMenu("照明\tL\r\n");
  WriteBlocks(Blocks("L", 15));
  Start();
  EXPECT_FALSE(PrevEnabled());
  EXPECT_TRUE(NextEnabled());

  form.SpeedButton2Click();
  EXPECT_EQ(form.gbImgKaisi, 14);
  EXPECT_EQ(Slot(0).BlkNo, "L15");
  for (int k = 1; k < kSlotCount; ++k) EXPECT_EQ(Slot(k).BlkNo, "") << k;
  EXPECT_TRUE(PrevEnabled());
  EXPECT_FALSE(NextEnabled());
  EXPECT_EQ(view.status[0], "L15");

  form.SpeedButton1Click();
  EXPECT_EQ(form.gbImgKaisi, 0);
  EXPECT_EQ(Slot(13).BlkNo, "L14");
  EXPECT_FALSE(PrevEnabled());
  EXPECT_TRUE(NextEnabled());
}

TEST_F(PaletteFormTest, MiddlePageEnablesBothButtons) {
  WriteMenu("照明\tL\r\n");
  WriteBlocks(Blocks("L", 29));
  Start();
  form.SpeedButton2Click();
  EXPECT_TRUE(PrevEnabled());
  EXPECT_TRUE(NextEnabled());
  form.SpeedButton2Click();
  EXPECT_EQ(Slot(0).BlkNo, "L29");
  EXPECT_FALSE(NextEnabled());
}

TEST_F(PaletteFormTest, TwoFullPagesEndOnTheSecond) {
  WriteMenu("照明\tL\r\n");
  WriteBlocks(Blocks("L", 28));
  Start();
  EXPECT_TRUE(NextEnabled());
  form.SpeedButton2Click();
  EXPECT_EQ(Slot(13).BlkNo, "L28");
  EXPECT_TRUE(PrevEnabled());
  EXPECT_FALSE(NextEnabled());
}

TEST_F(PaletteFormTest, LineWithoutTabUsesUpASlot) {
  WriteMenu("照明\tL\r\n");
  WriteBlocks("L01\tA\r\nL02 without tab\r\nL03\tC\r\n");
  Start();
  EXPECT_EQ(SlotNumbers()[0], "L01");
  EXPECT_EQ(SlotNumbers()[1], "");
  EXPECT_EQ(SlotNumbers()[2], "L03");
  EXPECT_EQ(painter.DrawnSlots(), (std::vector<int>{0, 2}));
}

TEST_F(PaletteFormTest, PagingButtonsFollowThePageShown) {
  WriteMenu("照明\tL\r\nNone\tZ\r\n");
  WriteBlocks(Blocks("L", 20));
  Start();
  ASSERT_TRUE(NextEnabled());
  view.categoryIndex = 1;  // a tag that begins no line
  form.ComboBox1Change();
  EXPECT_EQ(form.gbTAgSt, -1);
  EXPECT_EQ(form.gbTagEd, -1);
  EXPECT_EQ(SlotNumbers(), std::vector<std::string>(14));
  EXPECT_FALSE(NextEnabled());
  EXPECT_FALSE(PrevEnabled());
  EXPECT_EQ(view.status[0], "");
  // Presses that still arrive (a stale click, the wheel) never move the page offset.
  form.SpeedButton1Click();
  form.SpeedButton1Click();
  form.SpeedButton2Click();
  EXPECT_EQ(form.gbImgKaisi, 0);
}

TEST_F(PaletteFormTest, CategoryChangeFindsTheRangeInTheFileAsItIsOnDisk) {
  WriteMenu("照明\tL\r\nコンセント\tC\r\n");
  WriteBlocks(Blocks("L", 2) + Blocks("C", 2));
  Start();
  // The block list changes on disk: the range and the slots follow the file.
  WriteBlocks(Blocks("C", 2) + Blocks("L", 2));
  view.categoryIndex = 1;
  form.ComboBox1Change();
  EXPECT_EQ(form.gbTAgSt, 0);
  EXPECT_EQ(form.gbTagEd, 1);
  EXPECT_EQ(Slot(0).BlkNo, "C01");
  // The category list is read again as well.
  WriteMenu("照明\tC\r\nコンセント\tL\r\n");
  form.ComboBox1Change();
  EXPECT_EQ(form.gbTagName, "L");
  EXPECT_EQ(form.gbTAgSt, 2);
}

TEST_F(PaletteFormTest, RangeBeyondTheStartupCopyShowsWhatThereIs) {
  WriteMenu("照明\tL\r\n");
  WriteBlocks(Blocks("L", 3));
  Start();
  WriteBlocks(Blocks("L", 40));  // grown since start-up
  form.ComboBox1Change();
  EXPECT_EQ(form.gbTagEd, 39);
  EXPECT_EQ(SlotNumbers()[2], "L03");
  EXPECT_EQ(SlotNumbers()[3], "L04");  // the lines as they are now
  EXPECT_TRUE(NextEnabled());
}

TEST_F(PaletteFormTest, MissingFilesGiveEmptyPagesWithoutError) {
  WriteMenu("照明\tL\r\n");
  Start();  // no block list: the menu lines never stand in for block lines
  EXPECT_EQ(form.gbTagName, "L");
  EXPECT_EQ(form.gbTAgSt, -1);
  EXPECT_TRUE(form.BlkListSL.empty());
  EXPECT_TRUE(painter.draws.empty());

  WriteBlocks(Blocks("L", 2));  // the block list appears: read at the next category change
  form.ComboBox1Change();
  EXPECT_EQ(SlotNumbers()[1], "L02");
  EXPECT_EQ(painter.DrawnSlots(), (std::vector<int>{0, 1}));

  painter.draws.clear();
  dir.Remove(kMenuListName);  // the category list disappears: no tag, no page
  form.ComboBox1Change();
  EXPECT_EQ(form.gbTagName, "");
  EXPECT_EQ(form.gbTAgSt, -1);
  EXPECT_TRUE(painter.draws.empty());
}

TEST_F(PaletteFormTest, SameNameTwiceLeadsToTheFirstTag) {
  WriteMenu("照明\tL\r\n照明\tC\r\n");
  WriteBlocks(Blocks("L", 1) + Blocks("C", 1));
  Start();
  view.categoryIndex = 1;
  form.ComboBox1Change();
  EXPECT_EQ(form.gbTagName, "L");
}

TEST_F(PaletteFormTest, ArrowsWrapAroundTheCategories) {
  WriteMenu("A\tA\r\nB\tB\r\nC\tC\r\nD\tD\r\n");
  WriteBlocks(Blocks("A", 1) + Blocks("B", 1) + Blocks("C", 1) + Blocks("D", 1));
  Start();
  std::vector<int> visited;
  for (int i = 0; i < 4; ++i) {
    form.UpDown1Click(UpDownButton::Next);
    visited.push_back(view.categoryIndex);
  }
  EXPECT_EQ(visited, (std::vector<int>{1, 2, 3, 0}));
  EXPECT_EQ(Slot(0).BlkNo, "A01");
  form.UpDown1Click(UpDownButton::Previous);
  EXPECT_EQ(view.categoryIndex, 3);
  EXPECT_EQ(Slot(0).BlkNo, "D01");
  view.categoryIndex = -1;  // nothing selected: next goes to the first, previous to the last
  form.UpDown1Click(UpDownButton::Next);
  EXPECT_EQ(view.categoryIndex, 0);
  view.categoryIndex = -1;
  form.UpDown1Click(UpDownButton::Previous);
  EXPECT_EQ(view.categoryIndex, 3);
}

TEST_F(PaletteFormTest, ArrowsWithAnEmptyBoxStillRunTheCategoryChange) {
  Start();
  const int focusBefore = view.nameFieldFocus;
  form.UpDown1Click(UpDownButton::Next);
  EXPECT_EQ(view.categoryIndex, -1);
  EXPECT_EQ(view.nameFieldFocus, focusBefore + 1);
}

TEST_F(PaletteFormTest, UpDownPositionChangesAreTheClicks) {
  WriteMenu("A\tA\r\nB\tB\r\nC\tC\r\n");
  Start();
  form.UpDown1Moved(501);
  EXPECT_EQ(view.categoryIndex, 1);
  form.UpDown1Moved(501);  // an arrow at the end of the range: no change, no click
  EXPECT_EQ(view.categoryIndex, 1);
  form.UpDown1Moved(500);
  form.UpDown1Moved(499);
  EXPECT_EQ(view.categoryIndex, 2);
}

TEST_F(PaletteFormTest, TypingSelectsTheFirstMatchingCategoryAndMovesTheFocus) {
  WriteMenu("Light\tL\r\nOutlet\tC\r\nOther\tO\r\n");
  WriteBlocks(Blocks("L", 1) + Blocks("C", 1) + Blocks("O", 1));
  Start();
  const int focusBefore = view.nameFieldFocus;
  form.ComboBox1Typed("o");
  EXPECT_EQ(view.categoryIndex, 1);
  EXPECT_EQ(Slot(0).BlkNo, "C01");
  EXPECT_EQ(view.nameFieldFocus, focusBefore + 1);

  view.categoryIndex = -1;  // what the box reports after text that matches no entry
  form.ComboBox1Typed("x");
  EXPECT_EQ(form.gbTagName, "");
  EXPECT_EQ(SlotNumbers(), std::vector<std::string>(14));
}

TEST_F(PaletteFormTest, WheelPagesOnlyOverTheSlotArea) {
  WriteMenu("照明\tL\r\n");
  WriteBlocks(Blocks("L", 30));
  Start();
  const ViewPoint origin = view.image1Origin;
  bool handled = false;
  form.FormMouseWheelDown({origin.x - 1, origin.y}, handled);
  EXPECT_FALSE(handled);
  form.FormMouseWheelDown({origin.x + 389, origin.y}, handled);
  EXPECT_FALSE(handled);
  form.FormMouseWheelDown({origin.x, origin.y + 133}, handled);
  EXPECT_FALSE(handled);
  EXPECT_EQ(form.gbImgKaisi, 0);

  form.FormMouseWheelDown({origin.x + 388, origin.y + 132}, handled);
  EXPECT_TRUE(handled);
  EXPECT_EQ(form.gbImgKaisi, 14);
  handled = false;
  form.FormMouseWheelDown({origin.x, origin.y}, handled);
  EXPECT_EQ(form.gbImgKaisi, 28);
  handled = false;
  form.FormMouseWheelDown({origin.x, origin.y}, handled);  // ">" disabled: handled, no page
  EXPECT_TRUE(handled);
  EXPECT_EQ(form.gbImgKaisi, 28);

  handled = false;
  form.FormMouseWheelUp({origin.x + 10, origin.y + 10}, handled);
  EXPECT_TRUE(handled);
  EXPECT_EQ(form.gbImgKaisi, 14);
  form.FormMouseWheelUp({origin.x + 10, origin.y + 10}, handled);
  form.FormMouseWheelUp({origin.x + 10, origin.y + 10}, handled);  // "<" disabled at offset 0
  EXPECT_EQ(form.gbImgKaisi, 0);
}

TEST_F(PaletteFormTest, WheelNotchesAddUpBeforeTheyPage) {
  WriteMenu("照明\tL\r\n");
  WriteBlocks(Blocks("L", 60));
  Start();
  const ViewPoint inside{view.image1Origin.x + 20, view.image1Origin.y + 20};
  bool handled = false;
  form.FormMouseWheel(-60, inside, handled);  // half a notch: taken, but no page yet
  EXPECT_TRUE(handled);
  EXPECT_EQ(form.gbImgKaisi, 0);
  form.FormMouseWheel(-60, inside, handled);
  EXPECT_TRUE(handled);
  EXPECT_EQ(form.gbImgKaisi, 14);
  form.FormMouseWheel(-240, inside, handled);  // two notches at once: two pages
  EXPECT_EQ(form.gbImgKaisi, 42);
  form.FormMouseWheel(120, inside, handled);
  EXPECT_EQ(form.gbImgKaisi, 28);
  // Outside the slot area nothing is taken or gathered.
  handled = false;
  form.FormMouseWheel(-60, {view.image1Origin.x - 5, inside.y}, handled);
  EXPECT_FALSE(handled);
  form.FormMouseWheel(-60, inside, handled);
  form.FormMouseWheel(-60, inside, handled);
  EXPECT_EQ(form.gbImgKaisi, 42);
}

TEST_F(PaletteFormTest, PageLoadWritesTextsOnlyWhenTheyChange) {
  WriteMenu("照明\tL\r\n");
  WriteBlocks(Blocks("L", 15));
  Start();
  view.textWrites = 0;
  form.RedrawPage();  // the texts are empty already
  EXPECT_EQ(view.textWrites, 0);

  view.statusWrites = 0;
  view.texts[static_cast<int>(TextControl::Edit1)] = "Name 03";
  view.texts[static_cast<int>(TextControl::StaticText1)] = "Ｊ";
  view.status[1] = "1.000 x 2.000";
  form.SpeedButton2Click();
  EXPECT_EQ(view.textWrites, 2);    // name field and JIS mark emptied
  EXPECT_EQ(view.statusWrites, 3);  // size emptied; block number emptied, then the new one
  EXPECT_EQ(view.Text(TextControl::Edit1), "");
  EXPECT_EQ(view.status[1], "");
}

TEST_F(PaletteFormTest, PageLoadResetsTheCatalogueFieldsAndTheRangeOnly) {
  WriteMenu("照明\tL\r\n");
  WriteBlocks("L01\tA\t*\t*\tc\r\n");
  Start();
  TBlkList& slot = state.gbBlkList[0];
  slot.ExtMin = {1, 2, 3};
  slot.ExtMax = {4, 5, 6};
  slot.KitenNo = 7;
  slot.Kiten[0] = {8, 9, 10};
  state.gbBlkList[1].BlkNo = "stale";
  form.RedrawPage();
  EXPECT_EQ(slot.ExtMin.x, 0.0);
  EXPECT_EQ(slot.ExtMax.y, 0.0);
  EXPECT_EQ(slot.ExtMin.z, 3.0);
  EXPECT_EQ(slot.ExtMax.z, 6.0);
  EXPECT_EQ(slot.KitenNo, 7);
  EXPECT_EQ(slot.Kiten[0].x, 8.0);
  EXPECT_EQ(state.gbBlkList[1].BlkNo, "");
  EXPECT_EQ(slot.Comment, "c");
}

TEST_F(PaletteFormTest, MalformedCatalogueFilesLoadWithoutHarm) {
  // A byte-order mark, mixed line ends, blank lines, an undecodable byte, a very long line.
  const std::string longName(200000, 'x');
  dir.Write(kMenuListName, "\xEF\xBB\xBF" "Bad\xFF" "Name\tL\r\n\n\rOK\tL\n");
  dir.Write(kBlockListName,
            "L01\t" + longName + "\rL02\t\x81\r\nL03\t\x82\xA0\n\r\nL04\tafter a blank line\n");
  Start();
  EXPECT_EQ(view.categories.at(0), "Bad\xEF\xBF\xBDName");
  EXPECT_EQ(view.categories.at(1), "OK");
  EXPECT_EQ(Slot(0).BlkName, longName);
  EXPECT_EQ(Slot(1).BlkName, "\xEF\xBF\xBD");  // a lead byte without its trail byte
  EXPECT_EQ(Slot(2).BlkName, "あ");
  EXPECT_EQ(form.gbTagEd, 2);  // the blank line ends the category
  EXPECT_EQ(Slot(3).BlkNo, "");
}

TEST_F(PaletteFormTest, TitleNamesTheTargetFromTheList) {
  dir.Write("TargetCAD_APIVersion.txt", "AutoCAD\tAutoCAD.Application\r\n"
                                        "BricsCAD\tBricscadApp.AcadApplication\r\n");
  Create();
  EXPECT_EQ(view.title, "Zoveza Ruzu 1.65 Dark [ BricsCAD ]");
}

TEST_F(PaletteFormTest, DestroyFreesTheCatalogueLines) {
  WriteMenu("照明\tL\r\n");
  WriteBlocks(Blocks("L", 3));
  Start();
  form.FormClose();
  form.FormDestroy();
  EXPECT_TRUE(form.BlkListSL.empty());
}

TEST_F(PaletteFormTest, BasePointButtonTogglesTheMarksAndRedrawsThePage) {
  WriteMenu("照明\tL\r\n");
  WriteBlocks(Blocks("L", 3));
  Start();
  painter.Reset();

  form.SpeedButton6Click();
  EXPECT_TRUE(state.gbHojoKiten);
  ASSERT_EQ(painter.draws.size(), 3u);
  EXPECT_TRUE(painter.draws[0].hojoKiten);

  painter.Reset();
  form.SpeedButton6Click();
  EXPECT_FALSE(state.gbHojoKiten);
  ASSERT_EQ(painter.draws.size(), 3u);
  EXPECT_FALSE(painter.draws[2].hojoKiten);
}

TEST_F(PaletteFormTest, PressPicksABasePointOnlyWhileTheyAreShown) {
  WriteMenu("照明\tL\r\n");
  WriteBlocks(Blocks("L", 3));
  Start();

  form.Image1MouseDown(2, 40, 12);
  EXPECT_TRUE(painter.picks.empty());

  form.SpeedButton6Click();
  form.Image1MouseDown(2, 40, 12);
  form.Image1MouseDown(13, 0, 52);  // an empty slot is the engine's affair
  EXPECT_EQ(painter.picks, (std::vector<FakeSlotPainter::Pick>{{2, 40, 12}, {13, 0, 52}}));
}

}  // namespace
}  // namespace zr

namespace zr {
namespace {

// "カタログを検査" checks the palette's own folder; a line chosen in its list shows the
// category and page, also out of a search, and never a page the list no longer has.
TEST_F(PaletteFormTest, CatalogueCheckLineShowsItsCategoryAndPage) {
  WriteMenu("照明\tL\r\nコンセント\tC\r\n");
  WriteBlocks(Blocks("L", 3) + Blocks("C", 20));
  Start();
  form.PopupMenu1Click(MenuCommand::CheckCatalogue);
  EXPECT_EQ(view.checkedFolders, (std::vector<std::string>{dir.File("")}));

  form.SearchOpen();
  form.SearchChanged("Name");
  form.ShowCataloguePlace({"コンセント", 1});
  EXPECT_FALSE(view.searchFieldShown);
  EXPECT_EQ(view.categoryIndex, 1);
  EXPECT_EQ(SlotNumbers()[0], "C15");
  EXPECT_EQ(SlotNumbers()[5], "C20");
  EXPECT_TRUE(PrevEnabled());

  form.ShowCataloguePlace({"照明", 0});
  EXPECT_EQ(view.categoryIndex, 0);
  EXPECT_EQ(SlotNumbers()[0], "L01");
  form.ShowCataloguePlace({"コンセント", 2});  // past the last page: its first
  EXPECT_EQ(view.categoryIndex, 1);
  EXPECT_EQ(SlotNumbers()[0], "C01");
  form.ShowCataloguePlace({"消えた分類", 0});  // gone from the box: nothing changes
  EXPECT_EQ(view.categoryIndex, 1);
  EXPECT_EQ(SlotNumbers()[0], "C01");
}

}  // namespace
}  // namespace zr
