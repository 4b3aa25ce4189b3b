#pragma once
// The user's own folder for program data, per platform.
#include <string>

namespace zr::text {

// The user's roaming application data folder (%APPDATA%) as UTF-8, empty when unknown.
std::string UserAppDataFolder();

}  // namespace zr::text
