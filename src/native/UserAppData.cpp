// The user's application data folder for the native build: the APPDATA variable, as on
// Windows, so that the tests can point it anywhere.
#include <cstdlib>

#include "app/SettingsPlace.h"

namespace zr {

std::string UserAppDataFolder() {
  const char* value = std::getenv("APPDATA");
  return value != nullptr ? std::string(value) : std::string();
}

}  // namespace zr
