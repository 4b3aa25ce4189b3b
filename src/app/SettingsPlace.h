#pragma once
// Where the palette keeps its settings. One person on a folder they can write: the file
// beside the executable, as ever. A folder the user cannot write (a read-only share, Program
// Files), or one whose file beside the executable asks for it with [Team] PerUser=1: each
// user's own file in their profile, read over the file beside the executable as defaults;
// the file beside the executable is then never written.
#include <string>

namespace zr {

inline constexpr char kTeamSection[] = "Team";
inline constexpr char kPerUserKey[] = "PerUser";
// The user's own file: <application data>\ZovezaRuzu\ZovezaRuzu.ini.
inline constexpr char kUserSettingsFolder[] = "ZovezaRuzu";
inline constexpr char kUserSettingsFile[] = "ZovezaRuzu.ini";

struct SettingsPlace {
  std::string path;          // the file read and written
  std::string defaultsPath;  // read under it for the keys it lacks; empty beside the program
  bool PerUser() const { return !defaultsPath.empty(); }
};

// The rule. `userFolder` is the user's application data folder, empty when unknown (the
// file beside the program is then kept, and a failed write says so).
SettingsPlace ChooseSettingsPlace(const std::string& besidePath, bool folderWritable,
                                  bool besideAsksPerUser, const std::string& userFolder);

// The place for the running executable: its folder probed, its settings file's key read.
SettingsPlace FindSettingsPlace(const std::string& exeFile);

// Whether a new file can be made in the folder: a probe file written and deleted (a folder's
// attributes and permissions do not say what a share or an access list allows).
bool FolderIsWritable(const std::string& folder);

}  // namespace zr
