#include "app/SettingsPlace.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include "app/Settings.h"
#include "drawing/ScaleDrawingName.h"
#include "text/TextFile.h"
#include "text/UserAppData.h"

namespace zr {
namespace {

std::string FolderOf(const std::string& file) {
  const std::size_t slash = file.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}

// A name no one else uses at the same moment: team members start the palette together.
std::string ProbeName() {
  std::random_device random;
  const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
  return ".zr-probe-" + std::to_string(random()) + "-" + std::to_string(now) + ".tmp";
}

}  // namespace

SettingsPlace ChooseSettingsPlace(const std::string& besidePath, bool folderWritable,
                                  bool besideAsksPerUser, const std::string& userFolder) {
  if ((folderWritable && !besideAsksPerUser) || userFolder.empty()) return {besidePath, {}};
  std::string path = userFolder;
  if (path.back() != '\\' && path.back() != '/') path += kDirSeparator;
  path += std::string(kUserSettingsFolder) + kDirSeparator + kUserSettingsFile;
  return {path, besidePath};
}

SettingsPlace FindSettingsPlace(const std::string& exeFile) {
  const std::string beside = SettingsFileName(exeFile);
  const std::optional<std::string> perUser =
      LoadSettingsFile(beside).ini.Read(kTeamSection, kPerUserKey);
  const bool asks = perUser && text::ParseIniInteger(*perUser).value_or(0) != 0;
  // A folder the user asked about need not be probed.
  const bool writable = !asks && FolderIsWritable(FolderOf(exeFile));
  return ChooseSettingsPlace(beside, writable, asks, text::UserAppDataFolder());
}

bool FolderIsWritable(const std::string& folder) {
  std::filesystem::path probe = text::PathFromUtf8(folder + ProbeName());
  std::error_code ec;
  for (int tries = 0; std::filesystem::exists(probe, ec) && tries < 8; ++tries) {
    probe = text::PathFromUtf8(folder + ProbeName());  // not ours to touch
  }
  bool written = false;
  {
    std::ofstream out(probe, std::ios::binary | std::ios::trunc);
    written = out && out.write("zr", 2) && out.flush();
  }
  const bool removed = std::filesystem::remove(probe, ec);
  return written && removed && !ec;
}

}  // namespace zr
