#pragma once
// The application title and the palette's caption naming the target CAD program, whose
// name comes from the target list "TargetCAD_APIVersion.txt" (name, tab, ProgID per line).
#include <optional>
#include <string>
#include <vector>

#include "cadlink/Desktop.h"
#include "cadlink/TargetList.h"

namespace zr {

inline constexpr const char* kTargetListName = cadlink::kTargetListFile;

// The application title followed by " [ " name " ]".
std::string TitleWithTarget(const std::string& appTitle, const std::string& cadName);

// The name of the target of `progID` in the target list: the line whose ProgID is exactly
// `progID`, else the first line that contains a tab immediately followed by `progID` (a
// leading part of a longer ProgID), the text before that tab. Nothing when no line matches.
std::optional<std::string> FindTargetCadName(const std::vector<std::string>& targetLines,
                                             const std::string& progID);

// The palette's caption at start-up, from the target list file when it exists.
std::string StartupTitle(const std::string& targetListPath, const std::string& progID);

}  // namespace zr
