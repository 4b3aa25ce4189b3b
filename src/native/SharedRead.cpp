// Shared reading for the native build: the file systems there lock nothing.
#include <fstream>

#include "text/SharedRead.h"
#include "text/TextFile.h"

namespace zr::text {

std::unique_ptr<std::istream> OpenSharedReading(const std::string& path) {
  auto in = std::make_unique<std::ifstream>(PathFromUtf8(path), std::ios::binary);
  if (!*in) return nullptr;
  return in;
}

}  // namespace zr::text
