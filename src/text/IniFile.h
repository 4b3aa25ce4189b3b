#pragma once
// An INI-form file held as its lines: "[Section]" lines, then "Key=Value" lines. Reading
// finds the first section of a name and the first key of a name in it (names compare
// without regard to ASCII case, as the system's profile functions do); writing changes that
// line or adds one, and leaves every other line as it was, unknown keys and comments included.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zr::text {

class IniFile {
 public:
  IniFile() = default;
  explicit IniFile(std::vector<std::string> lines) : lines_(std::move(lines)) {}

  // The value with the blanks around it removed and one pair of enclosing quotes dropped;
  // nothing when the section or the key is missing.
  std::optional<std::string> Read(std::string_view section, std::string_view key) const;
  // Sets the key's value: in place when the key exists, else as a new line at the end of the
  // section, else in a new section at the end of the file.
  void Write(std::string_view section, std::string_view key, std::string_view value);

  const std::vector<std::string>& Lines() const { return lines_; }
  bool HasSection(std::string_view section) const { return FindSection(section) >= 0; }

 private:
  // Index of the first line of the section's first occurrence (its heading), or -1.
  int FindSection(std::string_view section) const;
  // Index of the key's line in the section starting at `heading`, or -1; `end` receives the
  // index just past the section's last non-blank line.
  int FindKey(int heading, std::string_view key, int& end) const;

  std::vector<std::string> lines_;
};

// An integer value: decimal with an optional sign, or hexadecimal after "$" or "0x" (up to
// eight digits, read as a 32-bit pattern). Nothing for anything else.
std::optional<int> ParseIniInteger(std::string_view value);

}  // namespace zr::text
