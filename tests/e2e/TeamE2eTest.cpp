// A team on one folder: two users' palettes started from it at once, each keeping its own
// settings in its own profile; a program folder nobody can write; and the catalogue's keeper
// replacing files while a palette shows them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "CircleDrawing.h"
#include "PaletteDriver.h"
#include "PaletteStart.h"
#include "TestWaits.h"
#include "support/TempFolder.h"
#include "text/IniFile.h"
#include "text/TextFile.h"

namespace zr::test {
namespace {

using namespace std::chrono_literals;

// The APPDATA variable the palettes started meanwhile inherit.
class ScopedAppData {
 public:
  explicit ScopedAppData(const std::filesystem::path& folder) {
    wchar_t old[MAX_PATH] = {};
    had_ = ::GetEnvironmentVariableW(L"APPDATA", old, MAX_PATH) > 0;
    old_ = old;
    ::SetEnvironmentVariableW(L"APPDATA", folder.wstring().c_str());
  }
  ~ScopedAppData() { ::SetEnvironmentVariableW(L"APPDATA", had_ ? old_.c_str() : nullptr); }
  ScopedAppData(const ScopedAppData&) = delete;
  ScopedAppData& operator=(const ScopedAppData&) = delete;

 private:
  bool had_ = false;
  std::wstring old_;
};

// A folder to which no file can be added, not even by the administrator Wine's tests run as:
// the Linux file system's immutable flag, set by the system's chattr (Wine starts Linux
// programs). Made() is false where that cannot be done.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const std::filesystem::path& folder) : folder_(folder) {
    made_ = Chattr(L"+i") && PaletteDriver::WaitUntil([&] { return !CanAddFile(); }, 5s);
  }
  ~ReadOnlyFolder() {
    if (made_) Chattr(L"-i");
    PaletteDriver::WaitUntil([&] { return CanAddFile(); }, 5s);
  }
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
  bool Made() const { return made_; }

 private:
  bool CanAddFile() const {
    const std::filesystem::path probe = folder_ / "probe.txt";
    const HANDLE file = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(file);
    return true;
  }
  bool Chattr(const wchar_t* flag) const {
    using UnixName = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    const std::wstring chattr = ZR_CHATTR;
    if (unixName == nullptr || chattr.empty()) return false;
    char* folder = unixName(folder_.c_str());
    if (folder == nullptr) return false;
    std::wstring commandLine = L"chattr " + std::wstring(flag) + L" " +
                               std::filesystem::path(folder).wstring();
    ::HeapFree(::GetProcessHeap(), 0, folder);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (::CreateProcessW(chattr.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                         nullptr, &startup, &process) == FALSE) {
      return false;
    }
    ::WaitForSingleObject(process.hProcess, 10000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
  }
  std::filesystem::path folder_;
  bool made_ = false;
};

class TeamE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    team.Write("MenuList.txt", "Lamps\tL\r\nFans\tF\r\n");
    team.Write("BlockList.txt", "L01\tLamp\r\nF01\tFan\r\n");
    team.Write("DXF/L01B.dxf", kCircleDxf);
    team.Write("DXF/F01B.dxf", kCircleDxf);
  }
  // Starts a palette of the team folder as the user whose profile is `appData`.
  static ::testing::AssertionResult StartAs(PaletteDriver& palette, const TempFolder& team,
                                            const TempFolder& appData) {
    ScopedAppData as(appData.Path());
    return StartPalette(palette, team.Path(), L"L01");
  }
  static bool MoveTo(PaletteDriver& palette, int left, int top) {
    ::SetWindowPos(palette.Window(), nullptr, left, top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return PaletteDriver::WaitUntil(
        [&] {
          RECT r{};
          ::GetWindowRect(palette.Window(), &r);
          return r.left == left && r.top == top;
        },
        kActionTimeout);
  }
  static std::optional<std::string> UserValue(const TempFolder& appData, const char* section,
                                              const char* key) {
    std::vector<std::string> lines;
    if (!text::ReadEditedTextLines(appData.File("ZovezaRuzu/ZovezaRuzu.ini"), lines)) return {};
    return text::IniFile(lines).Read(section, key);
  }

  TempFolder team;
  TempFolder alice;
  TempFolder bob;
};

// Two users at once from one folder that asks for their own files: each close keeps its own
// place, none overwrites the other's, no message box, and the shared file stays as it was.
TEST_F(TeamE2e, TwoUsersFromOneFolderKeepTheirOwnSettings) {
  const std::string shared = "[Team]\r\nPerUser=1\r\n[Caption]\r\nKaiten1=+30\r\n";
  team.Write("ZovezaRuzu.ini", shared);
  {
    PaletteDriver first;
    PaletteDriver second;
    ASSERT_TRUE(StartAs(first, team, alice));
    ASSERT_TRUE(StartAs(second, team, bob));
    ASSERT_TRUE(MoveTo(first, 100, 110));
    ASSERT_TRUE(MoveTo(second, 300, 210));
    EXPECT_EQ(first.Close(10s), 0) << "a message box kept the first palette open";
    EXPECT_EQ(second.Close(10s), 0) << "a message box kept the second palette open";
  }
  EXPECT_EQ(UserValue(alice, "Form", "Left"), "100");
  EXPECT_EQ(UserValue(bob, "Form", "Left"), "300");
  EXPECT_EQ(UserValue(bob, "Caption", "Kaiten1"), "+30");  // the team's default
  EXPECT_EQ(text::ReadFileBytes(team.File("ZovezaRuzu.ini")), shared);

  PaletteDriver again;
  ASSERT_TRUE(StartAs(again, team, alice));
  RECT r{};
  ::GetWindowRect(again.Window(), &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 110);
}

// A program folder nobody can write: no message at close, the settings in the profile, with
// the file beside the program read as the defaults.
TEST_F(TeamE2e, ReadOnlyProgramFolderKeepsTheSettingsInTheProfile) {
  const std::string shared = "[Target]\r\nProgID=AutoCAD.Application\r\n";
  team.Write("ZovezaRuzu.ini", shared);
  std::filesystem::copy_file(std::filesystem::path(ZR_PALETTE_EXE), team.Path() / "ZovezaRuzu.exe");
  ReadOnlyFolder readOnly(team.Path());
  if (!readOnly.Made()) GTEST_SKIP() << "no way here to make a folder read-only";
  PaletteDriver palette;
  ASSERT_TRUE(StartAs(palette, team, alice));
  ASSERT_TRUE(MoveTo(palette, 120, 130));
  EXPECT_EQ(palette.Close(10s), 0) << "a message box kept the palette open";
  EXPECT_EQ(UserValue(alice, "Form", "Left"), "120");
  EXPECT_EQ(UserValue(alice, "Target", "ProgID"), "AutoCAD.Application");
  EXPECT_EQ(text::ReadFileBytes(team.File("ZovezaRuzu.ini")), shared);
}

// The keeper replaces the list and a drawing while a palette shows them (moved aside, the new
// file put in place, the old one deleted): the next category change shows both anew.
TEST_F(TeamE2e, FilesReplacedWhileShownAreShownAnewAtTheNextCategoryChange) {
  PaletteDriver palette;
  ASSERT_TRUE(StartAs(palette, team, alice));
  ASSERT_TRUE(PaletteDriver::WaitPainted(palette.Window(), kActionTimeout));
  const int circle = PaletteDriver::LitPixels(palette.SlotPicture(0));
  EXPECT_GT(circle, 0);

  const auto replace = [&](const std::string& name, const std::string& bytes) {
    std::filesystem::rename(team.Path() / name, team.Path() / (name + ".old"));
    team.Write(name, bytes);
    std::filesystem::remove(team.Path() / (name + ".old"));
  };
  replace("DXF/L01B.dxf",
          "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0.0\n20\n0.0\n30\n0.0\n"
          "11\n1.0\n21\n0.0\n31\n0.0\n0\nENDSEC\n0\nEOF\n");
  replace("BlockList.txt", "L01\tLamp\r\nL02\tLamp 2\r\nF01\tFan\r\nF02\tFan 2\r\n");
  team.Write("DXF/L02B.dxf", kCircleDxf);

  palette.ChooseCategory(1);
  ASSERT_TRUE(PaletteDriver::WaitUntil([&] { return palette.StatusText(0) == L"F01"; },
                                       kActionTimeout));
  palette.ChooseCategory(0);
  ASSERT_TRUE(PaletteDriver::WaitUntil([&] { return palette.StatusText(0) == L"L01"; },
                                       kActionTimeout));
  ASSERT_TRUE(PaletteDriver::WaitPainted(palette.Window(), kActionTimeout));
  const int line = PaletteDriver::LitPixels(palette.SlotPicture(0));
  EXPECT_GT(line, 0);
  EXPECT_NE(line, circle) << "the old drawing is still shown";
  EXPECT_GT(PaletteDriver::LitPixels(palette.SlotPicture(1)), 0) << "the new block is not shown";
}

}  // namespace
}  // namespace zr::test
