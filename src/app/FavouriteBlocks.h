#pragma once
// The user's favourite blocks, by block number, in the order the user gave them. A number
// stays whether or not the catalogue has it now, so that a catalogue being rebuilt does not
// empty the list. The settings file keeps them in a section of their own:
//
//   [Favorites]
//   1=E0012
//   2=L0301
//
// key n holding the n-th favourite. Other keys of the section are left as they are.
#include <optional>
#include <string>
#include <vector>

namespace zr {

inline constexpr const char* kFavouriteSection = "Favorites";
inline constexpr std::size_t kFavouriteLimit = 280;  // twenty pages of fourteen

class FavouriteBlocks {
 public:
  const std::vector<std::string>& Numbers() const { return numbers_; }
  bool Empty() const { return numbers_.empty(); }
  bool Contains(const std::string& blkNo) const;

  // Each returns whether the list changed. Add appends a block not yet listed (an empty
  // number, or one past the limit, is refused); Move* swap it with its neighbour.
  bool Add(const std::string& blkNo);
  bool Remove(const std::string& blkNo);
  bool MoveEarlier(const std::string& blkNo);
  bool MoveLater(const std::string& blkNo);

  // Reads keys "1" .. limit through `read(key)` (a key's value or nothing): in the order of
  // their numbers, each block once; empty values are no block.
  template <typename Read>
  static FavouriteBlocks FromIniKeys(Read read) {
    FavouriteBlocks list;
    for (std::size_t n = 1; n <= kFavouriteLimit; ++n) {
      const std::optional<std::string> value = read(std::to_string(n));
      if (value) list.Add(Trimmed(*value));
    }
    return list;
  }
  // Writes keys "1" .. size; a numbered key past the end that the file has (`read`) is
  // emptied, so that no block of an older, longer list comes back. A user without
  // favourites gets no section.
  template <typename Read, typename Write>
  void ToIniKeys(Read read, Write write) const {
    for (std::size_t n = 1; n <= kFavouriteLimit; ++n) {
      const std::string key = std::to_string(n);
      if (n <= numbers_.size()) {
        write(key, numbers_[n - 1]);
      } else if (const std::optional<std::string> old = read(key); old && !old->empty()) {
        write(key, std::string());
      }
    }
  }

 private:
  static std::string Trimmed(const std::string& s);
  std::vector<std::string> numbers_;
};

}  // namespace zr
