#pragma once
// Where the end-to-end tests keep their screenshots for people to look at.
#include <filesystem>
#include <string>

namespace zr::test {

inline std::wstring OutputFile(const std::string& name) {
  std::filesystem::create_directories(std::filesystem::path(ZR_TEST_OUTPUT_DIR));
  return (std::filesystem::path(ZR_TEST_OUTPUT_DIR) / name).wstring();
}

}  // namespace zr::test
