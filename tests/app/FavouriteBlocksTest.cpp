// Favourites: the list's edits, and the section of the settings file that keeps them.
#include "app/FavouriteBlocks.h"

#include <gtest/gtest.h>

#include "app/Settings.h"
#include "text/IniFile.h"

namespace zr {
namespace {

using Numbers = std::vector<std::string>;

TEST(FavouriteBlocks, EditsKeepTheUsersOrderAndRefuseWhatChangesNothing) {
  enum Op { Add, Remove, Earlier, Later };
  const struct {
    Op op;
    const char* blkNo;
    bool changed;
    Numbers after;
  } steps[] = {
      {Add, "E01", true, {"E01"}},
      {Add, "L02", true, {"E01", "L02"}},
      {Add, "S03", true, {"E01", "L02", "S03"}},
      {Add, "L02", false, {"E01", "L02", "S03"}},  // listed once
      {Add, "", false, {"E01", "L02", "S03"}},
      {Earlier, "S03", true, {"E01", "S03", "L02"}},
      {Earlier, "E01", false, {"E01", "S03", "L02"}},  // already first
      {Later, "E01", true, {"S03", "E01", "L02"}},
      {Later, "L02", false, {"S03", "E01", "L02"}},  // already last
      {Later, "X99", false, {"S03", "E01", "L02"}},
      {Remove, "E01", true, {"S03", "L02"}},
      {Remove, "E01", false, {"S03", "L02"}},
  };
  FavouriteBlocks list;
  for (const auto& s : steps) {
    bool changed = false;
    switch (s.op) {
      case Add: changed = list.Add(s.blkNo); break;
      case Remove: changed = list.Remove(s.blkNo); break;
      case Earlier: changed = list.MoveEarlier(s.blkNo); break;
      case Later: changed = list.MoveLater(s.blkNo); break;
    }
    EXPECT_EQ(changed, s.changed) << s.op << " " << s.blkNo;
    EXPECT_EQ(list.Numbers(), s.after) << s.op << " " << s.blkNo;
  }
  EXPECT_TRUE(list.Contains("L02"));
  EXPECT_FALSE(list.Contains("E01"));
}

TEST(FavouriteBlocks, SectionRoundTripsInOrderAndLeavesEverythingElse) {
  const struct {
    const char* name;
    std::vector<std::string> file;
    Numbers read;         // what the palette reads
    Numbers written;      // what it then keeps
    std::vector<std::string> after;  // the file written
  } cases[] = {
      {"no section: none read, none written",
       {"[Recent]", "1=A"}, {}, {},
       {"[Recent]", "1=A"}},
      {"a gone block stays; gaps, blanks and doubles read; stale keys emptied; others kept",
       {"[Favorites]", "; mine", "3=GONE", "1= L02 ", "2=", "7=L02", "Note=keep", "[Form]",
        "Left=5"},
       {"L02", "GONE"}, {"GONE", "L02"},
       {"[Favorites]", "; mine", "3=", "1=GONE", "2=L02", "7=", "Note=keep", "[Form]", "Left=5"}},
      {"emptied list leaves empty keys",
       {"[Favorites]", "1=A", "2=B"}, {"A", "B"}, {},
       {"[Favorites]", "1=", "2="}},
  };
  for (const auto& c : cases) {
    text::IniFile ini(c.file);
    const auto read = [&](const std::string& key) { return ini.Read(kFavouriteSection, key); };
    FavouriteBlocks list = FavouriteBlocks::FromIniKeys(read);
    EXPECT_EQ(list.Numbers(), c.read) << c.name;
    FavouriteBlocks written;
    for (const std::string& n : c.written) written.Add(n);
    written.ToIniKeys(read, [&](const std::string& key, const std::string& value) {
      ini.Write(kFavouriteSection, key, value);
    });
    EXPECT_EQ(ini.Lines(), c.after) << c.name;
  }
}

TEST(FavouriteBlocks, KeptWithTheSettingsBesideTheOtherSections) {
  TPaletteSettings s;
  s.recent.Record("R1");
  s.favourites.Add("F2");
  s.favourites.Add("F1");
  text::IniFile ini({"[Favorites]", "Mine=1", "[Recent]", "1=R1"});
  WriteSettings(s, ini);
  const TPaletteSettings back = ReadSettings(ini);
  EXPECT_EQ(back.favourites.Numbers(), (Numbers{"F2", "F1"}));
  EXPECT_EQ(back.recent.Numbers(), (Numbers{"R1"}));
  EXPECT_EQ(ini.Read(kFavouriteSection, "Mine"), "1");
  // The user's own file alone holds them, as with the recent blocks.
  TPaletteSettings defaults;
  defaults.favourites.Add("SHARED");
  EXPECT_TRUE(ReadSettings(text::IniFile(), defaults).favourites.Empty());
}

}  // namespace
}  // namespace zr
