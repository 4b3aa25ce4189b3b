// The user's application data folder for the native build: the APPDATA variable, as on
// Windows, so that the tests can point it anywhere.
#include <cstdlib>

#include "text/UserAppData.h"

namespace zr::text {

std::string UserAppDataFolder() {
  const char* value = std::getenv("APPDATA");
  return value != nullptr ? std::string(value) : std::string();
}

}  // namespace zr::text
