#pragma once
// The blocks inserted last, by block number: most recent first, each once, at most
// kRecentLimit. The settings file keeps them in a section of their own:
//
//   [Recent]
//   1=E0012
//   2=L0301
//
// key n holding the n-th most recent block. The list reads and writes the section's
// key=value lines and knows nothing else of the file.
#include <optional>
#include <string>
#include <vector>

namespace zr {

inline constexpr const char* kRecentSection = "Recent";
inline constexpr std::size_t kRecentLimit = 28;  // two pages of fourteen

class RecentBlocks {
 public:
  const std::vector<std::string>& Numbers() const { return numbers_; }
  bool Empty() const { return numbers_.empty(); }

  // The block was inserted: it moves (or comes) to the front; the oldest beyond the limit
  // drops out. An empty number is no block.
  void Record(const std::string& blkNo);
  // Keeps only the blocks for which `exists` holds, in their order; `exists` is asked once for
  // each block, front to back.
  template <typename Exists>
  void Keep(Exists exists) {
    std::vector<std::string> kept;
    for (std::string& n : numbers_) {
      if (exists(n)) kept.push_back(std::move(n));
    }
    numbers_ = std::move(kept);
  }

  // The section's lines, "1=<number>" first.
  std::vector<std::string> ToIniLines() const;
  // Reads a section's "key=value" lines: numeric keys in the order of their numbers, each
  // block once, at most the limit. Other lines (comments, other keys, a section header,
  // empty values) are skipped, so a damaged section gives what can be read of it.
  static RecentBlocks FromIniLines(const std::vector<std::string>& lines);

  // The same through a settings file's own reading and writing of single keys of
  // kRecentSection: `read(key)` gives a key's value or nothing; `write(key, value)` is called
  // for every key "1" .. "28", those past the list's end with an empty value, so that no
  // block of an older, longer list comes back.
  template <typename Read>
  static RecentBlocks FromIniKeys(Read read) {
    std::vector<std::string> lines;
    for (std::size_t n = 1; n <= kRecentLimit; ++n) {
      const std::optional<std::string> value = read(std::to_string(n));
      if (value) lines.push_back(std::to_string(n) + "=" + *value);
    }
    return FromIniLines(lines);
  }
  template <typename Write>
  void ToIniKeys(Write write) const {
    for (std::size_t n = 1; n <= kRecentLimit; ++n) {
      write(std::to_string(n), n <= numbers_.size() ? numbers_[n - 1] : std::string());
    }
  }

 private:
  std::vector<std::string> numbers_;
};

}  // namespace zr
