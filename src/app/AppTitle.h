#pragma once
// The application title and the palette's caption naming the target CAD program, whose
// name comes from the target list "TargetCAD_APIVersion.txt" (name, tab, ProgID per line).
#include <optional>
#include <string>
#include <vector>

#include "cadlink/Desktop.h"
#include "cadlink/TargetList.h"

namespace zr {

// The application title followed by " [ " name " ]".
std::string TitleWithTarget(const std::string& appTitle, const std::string& cadName);

// The palette's caption at start-up, from the target list file when it exists.
std::string StartupTitle(const std::string& targetListPath, const std::string& progID);

}  // namespace zr
