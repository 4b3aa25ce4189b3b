#include "text/IniFile.h"

#include <charconv>
#include <cstdint>

#include "text/AsciiCase.h"

namespace zr::text {
namespace {

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// The name of a section heading, or nothing when the line is none.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

// The key of a "key=value" line; nothing for comments and lines without "=".
std::optional<std::string_view> KeyName(std::string_view line) {
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  const std::string_view key = Trim(line.substr(0, eq));
  if (key.empty() || key.front() == ';') return std::nullopt;
  return key;
}

std::string ValueOf(std::string_view line) {
  std::string_view value = Trim(line.substr(line.find('=') + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

}  // namespace

int IniFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto name = SectionName(lines_[i]);
    if (name && EqualsIgnoringAsciiCase(*name, section)) return static_cast<int>(i);
  }
  return -1;
}

int IniFile::FindKey(int heading, std::string_view key, int& end) const {
  end = heading + 1;
  for (std::size_t i = static_cast<std::size_t>(heading) + 1; i < lines_.size(); ++i) {
    if (SectionName(lines_[i])) break;
    if (!Trim(lines_[i]).empty()) end = static_cast<int>(i) + 1;
    const auto name = KeyName(lines_[i]);
    if (name && EqualsIgnoringAsciiCase(*name, key)) return static_cast<int>(i);
  }
  return -1;
}

std::optional<std::string> IniFile::Read(std::string_view section, std::string_view key) const {
  const int heading = FindSection(section);
  if (heading < 0) return std::nullopt;
  int end = 0;
  const int at = FindKey(heading, key, end);
  if (at < 0) return std::nullopt;
  return ValueOf(lines_[static_cast<std::size_t>(at)]);
}

void IniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  std::string line(key);
  line.append("=").append(value);
  const int heading = FindSection(section);
  if (heading < 0) {
    std::string heading("[");
    heading.append(section).append("]");
    lines_.push_back(std::move(heading));
    lines_.push_back(std::move(line));
    return;
  }
  int end = 0;
  const int at = FindKey(heading, key, end);
  if (at >= 0) {
    lines_[static_cast<std::size_t>(at)] = std::move(line);
  } else {
    lines_.insert(lines_.begin() + end, std::move(line));
  }
}

std::optional<int> ParseIniInteger(std::string_view value) {
  value = Trim(value);
  bool negative = false;
  if (!value.empty() && (value.front() == '-' || value.front() == '+')) {
    negative = value.front() == '-';
    value.remove_prefix(1);
  }
  int base = 10;
  if (value.starts_with('$')) {
    value.remove_prefix(1);
    base = 16;
  } else if (value.size() > 1 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
    value.remove_prefix(2);
    base = 16;
  }
  if (value.empty() || (base == 16 && value.size() > 8)) return std::nullopt;
  std::int64_t n = 0;
  const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n, base);
  if (ec != std::errc() || end != value.data() + value.size() || n < 0) return std::nullopt;
  if (negative) n = -n;
  if (base == 16) return static_cast<int>(static_cast<std::uint32_t>(n));
  if (n < INT32_MIN || n > INT32_MAX) return std::nullopt;
  return static_cast<int>(n);
}

}  // namespace zr::text
