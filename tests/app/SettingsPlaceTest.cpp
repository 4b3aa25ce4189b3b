// Where the settings live: the rule, the folder probe on real folders, and a team's palettes
// started from one folder, each user keeping their own file.
#include "app/SettingsPlace.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/Catalogue.h"
#include "support/PaletteRig.h"
#include "support/TempFolder.h"
#include "text/TextFile.h"

#ifdef __linux__
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace zr {
namespace {

// The APPDATA variable for the length of a test.
class ScopedAppData {
 public:
  explicit ScopedAppData(const std::string& value) {
    if (const char* old = std::getenv("APPDATA")) old_ = old;
    Set(value);
  }
  ~ScopedAppData() { Set(old_); }
  ScopedAppData(const ScopedAppData&) = delete;
  ScopedAppData& operator=(const ScopedAppData&) = delete;

 private:
  static void Set(const std::string& value) {
#ifdef _WIN32
    _putenv_s("APPDATA", value.c_str());  // empty removes it
#else
    if (value.empty()) {
      unsetenv("APPDATA");
    } else {
      setenv("APPDATA", value.c_str(), 1);
    }
#endif
  }
  std::string old_;
};

// A folder nobody can add a file to, not even the administrator the tests run as: the
// file system's immutable flag. Not every system lets a test set it.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const std::filesystem::path& folder) : folder_(folder) {
    set_ = SetImmutable(true);
  }
  ~ReadOnlyFolder() {
    if (set_) SetImmutable(false);
  }
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
  bool Made() const { return set_; }

 private:
  bool SetImmutable(bool on) {
#ifdef __linux__
    const int fd = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return ok;
#else
    (void)on;
    return false;
#endif
  }
  std::filesystem::path folder_;
  bool set_ = false;
};

#define ZR_READ_ONLY_OR_SKIP(guard)                                              \
  if (!(guard).Made()) GTEST_SKIP() << "this system cannot make a folder read-only here"

TEST(SettingsPlace, BesideTheProgramUnlessTheFolderIsReadOnlyOrTheFileAsks) {
  const std::string beside = "S:\\Team\\ZovezaRuzu.ini";
  const std::string roaming = std::string("U:") + kDirSeparator + "Roaming";
  const std::string own = roaming + kDirSeparator + "ZovezaRuzu" + kDirSeparator + "ZovezaRuzu.ini";
  const struct {
    bool writable;
    bool asks;
    std::string userFolder;
    std::string path;
    std::string defaults;
  } cases[] = {
      {true, false, roaming, beside, ""},                  // one user: as ever
      {true, true, roaming, own, beside},                  // a shared folder that asks
      {false, false, roaming, own, beside},                // a read-only share
      {false, true, roaming + kDirSeparator, own, beside}, // one separator only
      {false, false, "", beside, ""},                  // no profile: the failed write shows
      {true, true, "", beside, ""},
  };
  for (const auto& c : cases) {
    const SettingsPlace place = ChooseSettingsPlace(beside, c.writable, c.asks, c.userFolder);
    EXPECT_EQ(place.path, c.path) << c.writable << c.asks << c.userFolder;
    EXPECT_EQ(place.defaultsPath, c.defaults) << c.writable << c.asks << c.userFolder;
  }
}

TEST(SettingsPlace, ProbeWritesAndDeletesAFileAndFailsWhereNoFileCanBeMade) {
  test::TempFolder dir;
  EXPECT_TRUE(FolderIsWritable(dir.File("")));
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));  // the probe is gone
  EXPECT_FALSE(FolderIsWritable(dir.File("missing/")));
  dir.Write("sub/keep.txt", "x");
  ReadOnlyFolder readOnly(dir.Path() / "sub");
  ZR_READ_ONLY_OR_SKIP(readOnly);
  EXPECT_FALSE(FolderIsWritable(dir.File("sub/")));
}

class TeamSettingsTest : public ::testing::Test {
 protected:
  TeamSettingsTest() {
    team.Write(kMenuListName, "A\tA\r\nB\tB\r\nC\tC\r\n");
    team.Write(kBlockListName, "A01\tOne\r\nB01\tTwo\r\nC01\tThree\r\n");
  }
  // A palette of the team folder started and closed by the user whose profile is `appData`,
  // after `use` has changed what it likes.
  template <typename Use>
  std::vector<std::string> RunAs(const test::TempFolder& appData, Use use) {
    ScopedAppData as(appData.File(""));
    test::PaletteRig rig;
    rig.form.FormCreate(team.File("ZovezaRuzu.exe"));
    use(rig);
    rig.form.FormClose();
    return rig.view.messages;
  }
  std::optional<std::string> UserValue(const test::TempFolder& appData, const char* section,
                                       const char* key) {
    return LoadSettingsFile(appData.File("ZovezaRuzu/ZovezaRuzu.ini")).ini.Read(section, key);
  }

  test::TempFolder team;
  test::TempFolder alice;
  test::TempFolder bob;
};

TEST_F(TeamSettingsTest, PerUserKeyGivesEachUserTheirOwnFileOverTheSharedDefaults) {
  const std::string shared = "[Team]\r\nPerUser=1\r\n[Caption]\r\nKaiten1=+30\r\n[Combo]\r\nSetsubi=2\r\n";
  team.Write("ZovezaRuzu.ini", shared);
  EXPECT_TRUE(RunAs(alice, [](test::PaletteRig& rig) {
                EXPECT_EQ(rig.view.captions[2], "+30");  // the team's default
                EXPECT_EQ(rig.view.categoryIndex, 2);
                rig.view.SelectCategory(1);
              }).empty());
  EXPECT_TRUE(RunAs(bob, [](test::PaletteRig& rig) {
                EXPECT_EQ(rig.view.categoryIndex, 2);  // not Alice's choice
                rig.form.N1Click();
              }).empty());
  RunAs(alice, [](test::PaletteRig& rig) {
    EXPECT_EQ(rig.view.categoryIndex, 1);  // her own, over the team's
    EXPECT_FALSE(rig.form.gbFlagDbClick);  // not Bob's
  });
  EXPECT_EQ(UserValue(alice, "Combo", "Setsubi"), "1");
  EXPECT_EQ(UserValue(bob, "Block", "DbClick"), "1");
  EXPECT_EQ(UserValue(bob, "Caption", "Kaiten1"), "+30");
  EXPECT_EQ(text::ReadFileBytes(team.File("ZovezaRuzu.ini")), shared);  // never written
}

TEST_F(TeamSettingsTest, ReadOnlyFolderKeepsSettingsInTheProfileWithoutAMessage) {
  team.Write("ZovezaRuzu.ini", "[Target]\r\nProgID=AutoCAD.Application\r\n");
  ReadOnlyFolder readOnly(team.Path());
  ZR_READ_ONLY_OR_SKIP(readOnly);
  EXPECT_TRUE(RunAs(alice, [](test::PaletteRig& rig) {
                EXPECT_EQ(rig.state.gbProgID, "AutoCAD.Application");
                rig.form.N1Click();
              }).empty());
  EXPECT_EQ(UserValue(alice, "Block", "DbClick"), "1");
  EXPECT_EQ(UserValue(alice, "Target", "ProgID"), "AutoCAD.Application");
  // A profile that cannot be written either is still reported, with the user's file.
  ReadOnlyFolder fullProfile(bob.Path());
  ZR_READ_ONLY_OR_SKIP(fullProfile);
  EXPECT_EQ(RunAs(bob, [](test::PaletteRig&) {}),
            (std::vector<std::string>{bob.File("ZovezaRuzu/ZovezaRuzu.ini") + " に書き込めません"}));
}

}  // namespace
}  // namespace zr
