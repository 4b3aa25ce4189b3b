#include "app/AppTitle.h"

#include "text/TextFile.h"

namespace zr {

std::string TitleWithTarget(const std::string& appTitle, const std::string& cadName) {
  return appTitle + " [ " + cadName + " ]";
}

std::optional<std::string> FindTargetCadName(const std::vector<std::string>& targetLines,
                                             const std::string& progID) {
  return cadlink::FindTargetName(targetLines, progID);
}

std::string StartupTitle(const std::string& targetListPath, const std::string& progID) {
  std::vector<std::string> lines;
  if (!text::FileExists(targetListPath) || !text::ReadTextLines(targetListPath, lines)) {
    return kAppTitle;
  }
  const std::optional<std::string> name = FindTargetCadName(lines, progID);
  return name ? TitleWithTarget(kAppTitle, *name) : std::string(kAppTitle);
}

}  // namespace zr
