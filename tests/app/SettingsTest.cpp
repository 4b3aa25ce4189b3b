// The settings file: values and defaults, the file kept whole, encodings, the atomic write,
// and the restore at window creation through the palette's handlers.
#include "app/Settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/Catalogue.h"
#include "app/PaletteForm.h"
#include "support/FakePaletteView.h"
#include "support/PaletteRig.h"
#include "support/TempFolder.h"
#include "text/AnsiCodePage.h"
#include "text/Utf.h"

namespace zr {
namespace {

using text::IniFile;
using text::TextEncoding;

std::string Bytes(const std::string& utf8, TextEncoding e) {
  return text::EncodeTextLines(text::SplitLines(utf8), e);
}

TEST(IniFile, ReadsFirstOccurrencesAndWritesInPlaceKeepingEverythingElse) {
  IniFile ini({"; hand-made", "[form]", " LEFT = 12 ", "Left=99", "junk line", "", "[Form]",
               "Top=5", "[Other]", "x=\"quoted\"", ""});
  EXPECT_EQ(ini.Read("Form", "Left"), "12");
  EXPECT_EQ(ini.Read("Form", "Top"), std::nullopt);  // only the first section counts
  EXPECT_EQ(ini.Read("other", "X"), "quoted");
  EXPECT_EQ(ini.Read("Missing", "x"), std::nullopt);

  ini.Write("Form", "Left", "7");
  ini.Write("Form", "Top", "8");
  ini.Write("New", "k", "v");
  EXPECT_EQ(ini.Lines(), (std::vector<std::string>{"; hand-made", "[form]", "Left=7", "Left=99",
                                                   "junk line", "Top=8", "", "[Form]", "Top=5",
                                                   "[Other]", "x=\"quoted\"", "", "[New]", "k=v"}));
}

TEST(IniFile, IntegersInDecimalAndBothHexadecimalForms) {
  const struct {
    const char* text;
    std::optional<int> value;
  } cases[] = {{"12", 12},          {" -3 ", -3},       {"+4", 4},        {"$FF", 255},
               {"0x1f", 31},        {"0X1F", 31},       {"-$10", -16},    {"$FFFFFFFF", -1},
               {"2147483647", 2147483647},              {"2147483648", std::nullopt},
               {"$100000000", std::nullopt},            {"1.5", std::nullopt},
               {"true", std::nullopt}, {"", std::nullopt}, {"$", std::nullopt}, {"0x", std::nullopt},
               {"12abc", std::nullopt}, {"--1", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(text::ParseIniInteger(c.text), c.value) << c.text;
}

TEST(Settings, ColoursByNameOrNumberAndAquaForAnythingElse) {
  const struct {
    const char* text;
    TColor color;
  } cases[] = {{"clBlue", 0xFF0000},   {"CLYELLOW", 0x00FFFF}, {"clGreen", 0x008000},
               {"clAqua", 0xFFFF00},   {"clFuchsia", 0xFF00FF}, {"$00123456", 0x123456},
               {"255", 0x0000FF},      {"clNoSuch", kAqua},     {"-1", kAqua},
               {"$01000000", kAqua},   {"", kAqua}};
  for (const auto& c : cases) {
    IniFile ini({"[Color]", std::string("HojoKiten=") + c.text});
    EXPECT_EQ(ReadSettings(ini).hojoKitenColor, c.color) << c.text;
  }
  EXPECT_EQ(ColorToString(0xFF00FF), "clFuchsia");
  EXPECT_EQ(ColorToString(0x123456), "$00123456");
}

TEST(Settings, EveryKeyRoundTripsAndAnEmptyFileGivesTheDefaults) {
  const TPaletteSettings d = ReadSettings(
      IniFile({"[Scale]", "100=yes", "[Combo]", "Setsubi=x", "[Target]", "ProgID= ", "[Menu]",
               "Kaiten=\t"}));
  EXPECT_EQ(d.left, std::nullopt);
  EXPECT_TRUE(d.scale100);  // a word reads as the default
  EXPECT_FALSE(d.scale200 || d.scale050 || d.scaleNon || d.dbClick || d.hojoKiten || d.lwpKiten ||
               d.extMinMax || d.useLisp);
  EXPECT_EQ(d.pitchCaption, "回転角度ピッチ 45°");  // a blank one too: the submenu stays reachable
  EXPECT_EQ(d.kaiten1 + d.kaiten2, "+45-45");
  EXPECT_EQ(d.setsubi, 0);
  EXPECT_EQ(d.hojoKitenColor, kAqua);
  EXPECT_EQ(d.progID, "BricscadApp.AcadApplication");

  RecentBlocks recent;
  for (const char* n : {"L02", "C01", "L01"}) recent.Record(n);
  TPaletteSettings s{-1200, 40, true, false, false, true, true, true, true,
                     "回転角度ピッチ 15°", 0x00FF0000, "+15", "-15", -1, true,
                     "AutoCAD.Application", true, recent, {}};
  IniFile ini;
  WriteSettings(s, ini);
  const TPaletteSettings r = ReadSettings(ini);
  EXPECT_EQ(r.left, -1200);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(std::vector<bool>({r.scale200, r.scale100, r.scale050, r.scaleNon, r.dbClick,
                               r.hojoKiten, r.lwpKiten, r.extMinMax, r.useLisp}),
            std::vector<bool>({true, false, false, true, true, true, true, true, true}));
  EXPECT_EQ(r.pitchCaption, s.pitchCaption);
  EXPECT_EQ(r.hojoKitenColor, s.hojoKitenColor);
  EXPECT_EQ(r.kaiten1 + r.kaiten2, "+15-15");
  EXPECT_EQ(r.setsubi, -1);
  EXPECT_EQ(r.progID, s.progID);
  EXPECT_EQ(r.recent.Numbers(), (std::vector<std::string>{"L01", "C01", "L02"}));
  EXPECT_EQ(ini.Read("Recent", "1"), "L01");
  EXPECT_EQ(ini.Lines().front(), "[Form]");
  EXPECT_EQ(ini.Lines()[4], "200=1");
  EXPECT_EQ(ini.Read("Color", "HojoKiten"), "clBlue");
}

// A file saved by hand in each of Notepad's encodings reads right and is written back in it.
TEST(SettingsFile, HandEditedEncodingsReadAndAreKeptWhenWritten) {
  const std::string content = "[Menu]\r\nKaiten=回転角度ピッチ 30°\r\n[Mine]\r\nメモ=残す\r\n";
  for (TextEncoding e : {TextEncoding::Ansi, TextEncoding::Utf8, TextEncoding::Utf8Bom,
                         TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
    test::TempFolder dir;
    const std::string path = dir.File("ZovezaRuzu.ini");
    dir.Write("ZovezaRuzu.ini", Bytes(content, e));
    const SettingsFile file = LoadSettingsFile(path);
    EXPECT_EQ(file.encoding, e);
    EXPECT_EQ(ReadSettings(file.ini).pitchCaption, "回転角度ピッチ 30°") << static_cast<int>(e);

    TPaletteSettings s;
    s.pitchCaption = "回転角度ピッチ 15°";
    ASSERT_TRUE(SaveSettingsFile(path, s));
    const SettingsFile again = LoadSettingsFile(path);
    EXPECT_EQ(again.encoding, e);
    EXPECT_EQ(again.ini.Read("Mine", "メモ"), "残す");
    EXPECT_EQ(ReadSettings(again.ini).pitchCaption, "回転角度ピッチ 15°");
  }
  // A caption the code page cannot hold turns the file into UTF-16 instead of into "?".
  test::TempFolder dir;
  const std::string path = dir.File("ZovezaRuzu.ini");
  dir.Write("ZovezaRuzu.ini", Bytes(content, TextEncoding::Ansi));
  TPaletteSettings s;
  s.pitchCaption = "회전 15°";
  ASSERT_TRUE(SaveSettingsFile(path, s));
  const SettingsFile again = LoadSettingsFile(path);
  EXPECT_EQ(again.encoding, TextEncoding::Utf16LE);
  EXPECT_EQ(ReadSettings(again.ini).pitchCaption, "회전 15°");
  EXPECT_EQ(again.ini.Read("Mine", "メモ"), "残す");
}

TEST(SettingsFile, NewFileIsUtf16AndEmptyBinaryOrHugeFilesGiveDefaults) {
  test::TempFolder dir;
  const std::string path = dir.File("ZovezaRuzu.ini");
  ASSERT_TRUE(SaveSettingsFile(path, TPaletteSettings{}));
  EXPECT_TRUE(text::ReadFileBytes(path)->starts_with(std::string("\xFF\xFE[\0F\0o\0r\0m\0]\0", 14)));

  const std::string binary("[Form]\r\nLeft=5\r\n\0\x01\x02", 19);
  const std::string huge = "[Form]\r\nLeft=5\r\n" + std::string(kMaxSettingsBytes, ';');
  for (const std::string& bytes : {std::string(), binary, huge}) {
    dir.Write("ZovezaRuzu.ini", bytes);
    const SettingsFile file = LoadSettingsFile(path);
    EXPECT_EQ(ReadSettings(file.ini).left, std::nullopt);
    EXPECT_EQ(file.ignored, !bytes.empty());
    // Writing over a file that was no settings file keeps it aside first.
    ASSERT_TRUE(SaveSettingsFile(path, TPaletteSettings{})) << bytes.size() << " bytes";
    if (!bytes.empty()) {
      EXPECT_EQ(text::ReadFileBytes(path + ".bak"), bytes);
    }
    EXPECT_EQ(ReadSettings(LoadSettingsFile(path).ini).scale100, true);
  }
}

class SettingsRestoreTest : public ::testing::Test, protected test::PaletteRig {
 protected:
  SettingsRestoreTest() {
    dir.Write(kMenuListName, "A\tA\r\nB\tB\r\nC\tC\r\n");
    dir.Write(kBlockListName, "A01\tOne\r\nB01\tTwo\r\nC01\tThree\r\n");
  }
  void Create(const std::string& ini) {
    dir.Write("ZovezaRuzu.ini", Bytes(ini, TextEncoding::Utf8Bom));
    form.FormCreate(dir.File("ZovezaRuzu.exe"));
  }

};

TEST_F(SettingsRestoreTest, ScaleKeysGoThroughTheHandlersInTheirOrder) {
  const char* const kScaleKeys[] = {"200", "100", "050", "NON"};
  const struct {
    const char* keys;
    std::array<bool, 4> checked;
  } cases[] = {
      {"200=1\r\n100=1", {false, true, false, false}},
      {"200=0\r\n100=0\r\n050=0", {false, true, false, false}},
      {"200=1\r\n100=0", {true, false, false, false}},
      {"100=0\r\n050=1\r\nNON=1", {false, false, true, true}},
  };
  for (const auto& c : cases) {
    view.checked = {false, true, false, false};
    painter.Reset();
    Create(std::string("[Scale]\r\n") + c.keys);
    EXPECT_EQ(view.checked, c.checked) << c.keys;
    // The handlers' redraws come before any category is looked up: they draw nothing.
    EXPECT_TRUE(painter.draws.empty()) << c.keys;
    // Closing writes each key from its own box.
    form.FormClose();
    const IniFile ini = LoadSettingsFile(form.SettingsPath()).ini;
    std::array<bool, 4> written{};
    for (int k = 0; k < 4; ++k) written[k] = ini.Read("Scale", kScaleKeys[k]) == "1";
    EXPECT_EQ(written, c.checked) << c.keys;
  }
  EXPECT_EQ(view.checkLooks[3], (test::FakePaletteView::CheckLook{0x0000FF, true}));
}

TEST_F(SettingsRestoreTest, RestoresOptionsCategoryAndTargetAndWritesThemAtClose) {
  dir.Write("TargetCAD_APIVersion.txt", "AutoCAD\tAutoCAD.Application\r\n");
  Create("[Block]\r\nDbClick=1\r\nHojoKiten=1\r\nLwpKiten=$1\r\nExtMinMax=0x1\r\n"
         "[Menu]\r\nKaiten=回転角度ピッチ 30°\r\n[Caption]\r\nKaiten1=+30\r\nKaiten2=-30\r\n"
         "[Color]\r\nHojoKiten=clGreen\r\n[Combo]\r\nSetsubi=2\r\n"
         "[Target]\r\nProgID=AutoCAD.Application\r\n[InsertBlock]\r\nuseLISP=1\r\n[Keep]\r\na=b\r\n");
  EXPECT_TRUE(form.gbFlagDbClick && state.gbHojoKiten && state.gbLwpKiten && form.N20Checked &&
              state.gbUseLISP);
  EXPECT_EQ(form.N153Caption, "回転角度ピッチ 30°");
  EXPECT_EQ(view.captions[2] + view.captions[3], "+30-30");
  EXPECT_EQ(state.gbHojoKitenColor, 0x008000u);
  EXPECT_EQ(view.categoryIndex, 2);
  EXPECT_TRUE(painter.draws.empty());  // only selected; showing the window changes to it
  EXPECT_EQ(view.title, "Zoveza Ruzu 1.65 Dark [ AutoCAD ]");
  form.FormShow();
  EXPECT_EQ(state.gbBlkList[0].BlkNo, "C01");

  view.windowPos = {-900, 30};
  form.N1Click();
  form.PopupMenu1Click(MenuCommand::ColorBlue);
  view.SelectCategory(1);
  form.FormClose();
  const IniFile ini = LoadSettingsFile(form.SettingsPath()).ini;
  EXPECT_EQ(ini.Read("Form", "Left"), "-900");
  EXPECT_EQ(ini.Read("Block", "DbClick"), "0");
  EXPECT_EQ(ini.Read("Color", "HojoKiten"), "clBlue");
  EXPECT_EQ(ini.Read("Combo", "Setsubi"), "1");
  EXPECT_EQ(ini.Read("Keep", "a"), "b");
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(SettingsRestoreTest, CategoryIndexOutOfRangeKeepsTheFirstOrSelectsNone) {
  for (const auto& [value, index] : {std::pair{"3", 0}, {"99", 0}, {"-1", -1}, {"-7", -1}}) {
    Create(std::string("[Combo]\r\nSetsubi=") + value);
    EXPECT_EQ(view.categoryIndex, index) << value;
  }
}

TEST_F(SettingsRestoreTest, PositionOnAnyWorkAreaIsKeptElseCentredCoordinateByCoordinate) {
  view.workAreas.push_back({-1920, 0, 1920, 1050});  // a second monitor left of the primary
  const int cx = (1280 - 397) / 2;
  const int cy = (800 - 228) / 2;
  const struct {
    const char* keys;
    ViewPoint at;
  } cases[] = {
      {"", {cx, cy}},
      {"Left=100\r\nTop=120", {100, 120}},
      {"Left=-1500\r\nTop=700", {-1500, 700}},  // on the second monitor
      {"Left=$10\r\nTop=0x20", {16, 32}},
      {"Left=-5000\r\nTop=100", {cx, 100}},     // on no monitor
      {"Left=100\r\nTop=790", {100, cy}},
      {"Left=99999\r\nTop=-99999", {cx, cy}},
      {"Left=883\r\nTop=572", {883, 572}},  // over the task bar, yet on the primary screen
  };
  for (const auto& c : cases) {
    Create(std::string("[Form]\r\n") + c.keys);
    EXPECT_EQ(view.windowPos.x, c.at.x) << c.keys;
    EXPECT_EQ(view.windowPos.y, c.at.y) << c.keys;
  }
}

// A write that fails leaves the old file as it was and tells the user which file.
TEST_F(SettingsRestoreTest, FailedWriteKeepsTheOldFileAndShowsItsPath) {
  Create("[Form]\r\nLeft=100\r\n[Keep]\r\na=b\r\n");
  const auto before = text::ReadFileBytes(form.SettingsPath());
  // The temporary file's place is taken by a folder: the write cannot start.
  std::filesystem::create_directory(dir.Path() / "ZovezaRuzu.ini.tmp");
  view.windowPos = {5, 5};
  form.FormClose();
  EXPECT_EQ(text::ReadFileBytes(form.SettingsPath()), before);
  EXPECT_EQ(view.messages, (std::vector<std::string>{form.SettingsPath() + " に書き込めません"}));
}

}  // namespace
}  // namespace zr
