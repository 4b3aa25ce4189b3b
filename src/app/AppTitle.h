#pragma once
// The application title and the palette's caption naming the target CAD program, whose
// name comes from the target list "TargetCAD_APIVersion.txt" (name, tab, ProgID per line).
#include <optional>
#include <string>
#include <vector>

#include "cadlink/Desktop.h"

namespace zr {

inline constexpr const char* kTargetListName = "TargetCAD_APIVersion.txt";

// The application title followed by " [ " name " ]".
std::string TitleWithTarget(const std::string& appTitle, const std::string& cadName);

// The name of the target of `progID` in the target list: in the first line that contains a
// tab immediately followed by `progID` (a plain substring test, so a leading part of a
// longer ProgID matches), the text before that tab. Nothing when no line matches.
std::optional<std::string> FindTargetCadName(const std::vector<std::string>& targetLines,
                                             const std::string& progID);

// The palette's caption at start-up, from the target list file when it exists.
std::string StartupTitle(const std::string& targetListPath, const std::string& progID);

}  // namespace zr
