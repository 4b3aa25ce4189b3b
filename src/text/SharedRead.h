#pragma once
// Files other people keep: opened only for reading, and while open, others may still read,
// write, rename and delete them, so that the catalogue's keeper can replace files while the
// whole team has the palette open. Per platform.
#include <istream>
#include <memory>
#include <string>

namespace zr::text {

// A binary stream over the file (UTF-8 path), or nothing when it cannot be opened.
std::unique_ptr<std::istream> OpenSharedReading(const std::string& path);

}  // namespace zr::text
