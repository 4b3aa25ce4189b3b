#pragma once
// Search across the whole catalogue: an index of the block lines built once, and queries of
// one or more words (separated by blanks, half- or full-width) that must all match the block
// number, the name or the comment, compared after folding (app/SearchFold.h). Characters are
// plain text: no pattern syntax.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zr {

// The longest query taken, in UTF-16 code units (the search field's limit); the rest is cut.
inline constexpr std::size_t kMaxQueryLength = 255;

// How well a word matches a block, best first.
enum class MatchClass : std::uint8_t { Number, NamePrefix, Name, Comment, None };

class CatalogueSearch {
 public:
  CatalogueSearch() = default;
  explicit CatalogueSearch(const std::vector<std::string>& lines) { Build(lines); }

  // Indexes the block lines (a line needs a block number and a name, as a slot does; the
  // name and the comment are taken without their enclosing quotes).
  void Build(const std::vector<std::string>& lines);
  std::size_t BlockCount() const { return blocks_.size(); }

  // Indexes (into the lines indexed) of the blocks that match every word of `query`, best
  // first: the weakest word's match decides (number, name prefix, name, comment), then the
  // sum over the words; catalogue order among equals. No words, no blocks.
  std::vector<int> Find(std::string_view query) const;

  // How `word` (folded, no blank) matches the block at `ordinal`.
  MatchClass Classify(std::size_t ordinal, std::u16string_view word) const;

 private:
  struct Block {
    std::uint32_t line;     // index into the lines indexed
    std::uint32_t number;   // start of each field in text_; a field ends one unit before
    std::uint32_t name;     // the next one starts
    std::uint32_t comment;
    std::uint32_t end;
  };

  std::vector<std::uint32_t> Candidates(const std::vector<std::u16string>& words) const;
  std::size_t PostingCount(char16_t unit) const;

  std::u16string text_;  // per block: number, separator, name, separator, comment, separator
  std::vector<Block> blocks_;
  // Blocks (ordinals) holding each code unit: postings_[postingStart_[u] .. postingStart_[u+1]).
  std::vector<std::uint32_t> postingStart_;
  std::vector<std::uint32_t> postings_;
};

// The query cut at kMaxQueryLength UTF-16 code units, never inside a character.
std::string_view CutQuery(std::string_view query);

// The folded words of a query, in order; blanks separate them.
std::vector<std::u16string> QueryWords(std::string_view query);

// The block number (text before the first tab) of a catalogue line.
std::string_view BlockNumberOf(std::string_view line);

// For each number, the index of the first block line with exactly that block number; -1 for
// a number no line has. One pass over the lines.
std::vector<int> FindBlockLines(const std::vector<std::string>& lines,
                                const std::vector<std::string>& numbers);

}  // namespace zr
