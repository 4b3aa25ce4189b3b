#pragma once
// A fresh folder under the system's temporary folder, removed with its content at the end of
// the test; files are written as raw bytes, so a test controls encodings and line ends.
#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace zr::test {

class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    const auto stamp = std::filesystem::file_time_type::clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("zr-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  const std::filesystem::path& Path() const { return path_; }
  // A file in the folder (UTF-8 name) as a UTF-8 path; "" gives the folder with a trailing
  // separator.
  std::string File(const std::string& name) const {
    const std::u8string s = Sub(name).u8string();
    return std::string(s.begin(), s.end());
  }
  // Writes a file, creating the folders of a name like "DXF/E001B.dxf".
  void Write(const std::string& name, std::string_view bytes) const {
    std::filesystem::create_directories(Sub(name).parent_path());
    std::ofstream out(Sub(name), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  void Remove(const std::string& name) const {
    std::error_code ignored;
    std::filesystem::remove(Sub(name), ignored);
  }

 private:
  std::filesystem::path Sub(const std::string& name) const {
    return path_ / std::filesystem::path(std::u8string(name.begin(), name.end()));
  }

  std::filesystem::path path_;
};

}  // namespace zr::test
