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
  // Keeps only the blocks for which `exists` holds, in their order.
  template <typename Exists>
  void Keep(Exists exists) {
    std::erase_if(numbers_, [&](const std::string& n) { return !exists(n); });
  }

  // The section's lines, "1=<number>" first.
  std::vector<std::string> ToIniLines() const;
  // Reads a section's "key=value" lines: numeric keys in the order of their numbers, each
  // block once, at most the limit. Other lines (comments, other keys, a section header,
  // empty values) are skipped, so a damaged section gives what can be read of it.
  static RecentBlocks FromIniLines(const std::vector<std::string>& lines);

 private:
  std::vector<std::string> numbers_;
};

}  // namespace zr
