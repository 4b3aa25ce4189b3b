#include "app/RecentBlocks.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <string_view>

namespace zr {
namespace {

// INI readers take the blanks around keys and values away; so do we.
std::string_view Trimmed(std::string_view s) {
  const std::size_t first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

}  // namespace

void RecentBlocks::Record(const std::string& blkNo) {
  if (blkNo.empty()) return;
  std::erase(numbers_, blkNo);
  numbers_.insert(numbers_.begin(), blkNo);
  if (numbers_.size() > kRecentLimit) numbers_.resize(kRecentLimit);
}

std::vector<std::string> RecentBlocks::ToIniLines() const {
  std::vector<std::string> lines;
  lines.reserve(numbers_.size());
  for (std::size_t i = 0; i < numbers_.size(); ++i) {
    lines.push_back(std::to_string(i + 1) + "=" + numbers_[i]);
  }
  return lines;
}

RecentBlocks RecentBlocks::FromIniLines(const std::vector<std::string>& lines) {
  std::map<long long, std::string> byKey;  // a key given twice: its first value
  for (const std::string& line : lines) {
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string_view key = Trimmed(std::string_view(line).substr(0, eq));
    const std::string_view value = Trimmed(std::string_view(line).substr(eq + 1));
    long long n = 0;
    const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), n);
    if (error != std::errc() || end != key.data() + key.size() || key.empty() || value.empty()) {
      continue;
    }
    byKey.emplace(n, std::string(value));
  }
  RecentBlocks recent;
  for (const auto& [key, number] : byKey) {
    if (recent.numbers_.size() == kRecentLimit) break;
    if (std::find(recent.numbers_.begin(), recent.numbers_.end(), number) != recent.numbers_.end()) {
      continue;
    }
    recent.numbers_.push_back(number);
  }
  return recent;
}

}  // namespace zr
