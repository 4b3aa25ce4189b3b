// The user's number conventions for the native build: the C library's current locale.
#include <clocale>

#include "text/NumberText.h"

namespace zr::text {

std::string UserDecimalSeparator() {
  const std::lconv* conv = std::localeconv();
  return conv != nullptr && conv->decimal_point != nullptr && *conv->decimal_point != '\0'
             ? std::string(conv->decimal_point)
             : std::string(".");
}

}  // namespace zr::text
