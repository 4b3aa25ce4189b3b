#include "app/FavouriteBlocks.h"

#include <algorithm>
#include <utility>

namespace zr {

bool FavouriteBlocks::Contains(const std::string& blkNo) const {
  return std::find(numbers_.begin(), numbers_.end(), blkNo) != numbers_.end();
}

bool FavouriteBlocks::Add(const std::string& blkNo) {
  if (blkNo.empty() || numbers_.size() >= kFavouriteLimit || Contains(blkNo)) return false;
  numbers_.push_back(blkNo);
  return true;
}

bool FavouriteBlocks::Remove(const std::string& blkNo) { return std::erase(numbers_, blkNo) > 0; }

bool FavouriteBlocks::MoveEarlier(const std::string& blkNo) {
  const auto at = std::find(numbers_.begin(), numbers_.end(), blkNo);
  if (at == numbers_.end() || at == numbers_.begin()) return false;
  std::iter_swap(at, at - 1);
  return true;
}

bool FavouriteBlocks::MoveLater(const std::string& blkNo) {
  const auto at = std::find(numbers_.begin(), numbers_.end(), blkNo);
  if (at == numbers_.end() || at + 1 == numbers_.end()) return false;
  std::iter_swap(at, at + 1);
  return true;
}

// INI readers take the blanks around values away; so do we.
std::string FavouriteBlocks::Trimmed(const std::string& s) {
  const std::size_t first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const std::size_t last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

}  // namespace zr
