#include "app/AppTitle.h"

#include "text/TextFile.h"

namespace zr {

std::string TitleWithTarget(const std::string& appTitle, const std::string& cadName) {
  return appTitle + " [ " + cadName + " ]";
}

std::string StartupTitle(const std::string& targetListPath, const std::string& progID) {
  std::vector<std::string> lines;
  if (!text::FileExists(targetListPath) || !text::ReadEditedTextLines(targetListPath, lines)) {
    return kAppTitle;
  }
  const std::optional<std::string> name = cadlink::FindTargetName(lines, progID);
  return name ? TitleWithTarget(kAppTitle, *name) : std::string(kAppTitle);
}

}  // namespace zr
