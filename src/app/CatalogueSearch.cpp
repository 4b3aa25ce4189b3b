#include "app/CatalogueSearch.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

#include "app/Catalogue.h"
#include "app/SearchFold.h"
#include "text/Utf.h"

namespace zr {
namespace {

// Ends every field in the folded text; folding turns every control character into a blank,
// so no word can match across it.
constexpr char16_t kFieldEnd = u'\n';
constexpr std::size_t kUnits = 0x10000;

// The fields of a block line that the search reads: number, name, comment.
struct LineFields {
  std::string_view number;
  std::string_view name;
  std::string_view comment;
};

// Fields 0, 1 and 4 of a tab-separated line; false when it has no second field.
bool SplitBlockLine(std::string_view line, LineFields& out) {
  std::string_view fields[5];
  std::size_t count = 0;
  std::size_t from = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', from);
    const std::size_t to = tab == std::string_view::npos ? line.size() : tab;
    fields[count++] = line.substr(from, to - from);
    if (tab == std::string_view::npos || count == 5) break;
    from = tab + 1;
  }
  if (count < 2) return false;
  out = {fields[0], fields[1], count == 5 ? fields[4] : std::string_view()};
  return true;
}

}  // namespace

std::string_view CutQuery(std::string_view query) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < query.size();) {
    const std::size_t start = i;
    units += text::DecodeOne(query, i) >= 0x10000 ? 2 : 1;
    if (units > kMaxQueryLength) return query.substr(0, start);
  }
  return query;
}

std::vector<std::u16string> QueryWords(std::string_view query) {
  const std::u16string folded = SearchFold(CutQuery(query));
  std::vector<std::u16string> words;
  std::size_t from = 0;
  while (from < folded.size()) {
    const std::size_t blank = folded.find(u' ', from);
    const std::size_t to = blank == std::u16string::npos ? folded.size() : blank;
    if (to > from) words.push_back(folded.substr(from, to - from));
    from = to + 1;
  }
  return words;
}

std::string_view BlockNumberOf(std::string_view line) {
  return line.substr(0, std::min(line.find('\t'), line.size()));
}

void CatalogueSearch::Build(const std::vector<std::string>& lines) {
  text_.clear();
  blocks_.clear();
  std::size_t bytes = 0;
  for (const std::string& line : lines) bytes += line.size();
  text_.reserve(bytes);  // folding never makes more units than UTF-8 bytes
  blocks_.reserve(lines.size());

  LineFields fields;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    // A line without a block number fills no slot: it is no result either.
    if (!SplitBlockLine(lines[i], fields) || fields.number.empty()) continue;
    Block block{};
    block.line = static_cast<std::uint32_t>(i);
    block.number = static_cast<std::uint32_t>(text_.size());
    AppendSearchFold(fields.number, text_);
    text_.push_back(kFieldEnd);
    block.name = static_cast<std::uint32_t>(text_.size());
    AppendSearchFold(StripQuotes(fields.name), text_);
    text_.push_back(kFieldEnd);
    block.comment = static_cast<std::uint32_t>(text_.size());
    AppendSearchFold(StripQuotes(fields.comment), text_);
    text_.push_back(kFieldEnd);
    block.end = static_cast<std::uint32_t>(text_.size());
    blocks_.push_back(block);
  }

  // Postings: every block once under each code unit it holds (blanks and field ends never
  // stand in a word). Counted first, then filled in block order.
  postingStart_.assign(kUnits + 1, 0);
  std::vector<std::uint32_t> seen(kUnits, std::numeric_limits<std::uint32_t>::max());
  for (std::uint32_t b = 0; b < blocks_.size(); ++b) {
    for (std::uint32_t k = blocks_[b].number; k < blocks_[b].end; ++k) {
      const char16_t u = text_[k];
      if (u <= u' ' || seen[u] == b) continue;
      seen[u] = b;
      ++postingStart_[u + 1u];
    }
  }
  for (std::size_t u = 0; u < kUnits; ++u) postingStart_[u + 1] += postingStart_[u];
  postings_.resize(postingStart_[kUnits]);
  std::vector<std::uint32_t> next(postingStart_.begin(), postingStart_.end() - 1);
  std::fill(seen.begin(), seen.end(), std::numeric_limits<std::uint32_t>::max());
  for (std::uint32_t b = 0; b < blocks_.size(); ++b) {
    for (std::uint32_t k = blocks_[b].number; k < blocks_[b].end; ++k) {
      const char16_t u = text_[k];
      if (u <= u' ' || seen[u] == b) continue;
      seen[u] = b;
      postings_[next[u]++] = b;
    }
  }
}

std::size_t CatalogueSearch::PostingCount(char16_t unit) const {
  return postingStart_[unit + 1u] - postingStart_[unit];
}

// The blocks that hold the rarest code unit of all the words: every match is among them.
std::vector<std::uint32_t> CatalogueSearch::Candidates(
    const std::vector<std::u16string>& words) const {
  if (postingStart_.empty()) return {};
  char16_t rarest = 0;
  std::size_t fewest = std::numeric_limits<std::size_t>::max();
  for (const std::u16string& word : words) {
    for (const char16_t u : word) {
      const std::size_t count = PostingCount(u);
      if (count < fewest) {
        fewest = count;
        rarest = u;
      }
    }
  }
  const auto first = postings_.begin() + postingStart_[rarest];
  return std::vector<std::uint32_t>(first, first + static_cast<std::ptrdiff_t>(fewest));
}

MatchClass CatalogueSearch::Classify(std::size_t ordinal, std::u16string_view word) const {
  const Block& b = blocks_[ordinal];
  const std::u16string_view all(text_);
  const auto field = [&](std::uint32_t from, std::uint32_t next) {
    return all.substr(from, next - 1 - from);
  };
  if (field(b.number, b.name).find(word) != std::u16string_view::npos) return MatchClass::Number;
  const std::u16string_view name = field(b.name, b.comment);
  if (name.starts_with(word)) return MatchClass::NamePrefix;
  if (name.find(word) != std::u16string_view::npos) return MatchClass::Name;
  if (field(b.comment, b.end).find(word) != std::u16string_view::npos) return MatchClass::Comment;
  return MatchClass::None;
}

std::vector<int> CatalogueSearch::Find(std::string_view query) const {
  const std::vector<std::u16string> words = QueryWords(query);
  if (words.empty()) return {};

  // Rank key: the weakest word's class, then the sum of the classes.
  const std::size_t sums = 3 * words.size() + 1;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> hits;  // key, ordinal
  for (const std::uint32_t ordinal : Candidates(words)) {
    std::uint32_t weakest = 0;
    std::uint32_t sum = 0;
    for (const std::u16string& word : words) {
      const auto c = static_cast<std::uint32_t>(Classify(ordinal, word));
      if (c == static_cast<std::uint32_t>(MatchClass::None)) {
        weakest = std::numeric_limits<std::uint32_t>::max();
        break;
      }
      weakest = std::max(weakest, c);
      sum += c;
    }
    if (weakest == std::numeric_limits<std::uint32_t>::max()) continue;
    hits.emplace_back(static_cast<std::uint32_t>(weakest * sums + sum), ordinal);
  }

  // A counting sort keeps catalogue order among equal keys.
  std::vector<std::size_t> start(4 * sums + 1, 0);
  for (const auto& hit : hits) ++start[hit.first + 1];
  for (std::size_t k = 1; k < start.size(); ++k) start[k] += start[k - 1];
  std::vector<int> lines(hits.size());
  for (const auto& hit : hits) lines[start[hit.first]++] = static_cast<int>(blocks_[hit.second].line);
  return lines;
}

std::vector<int> FindBlockLines(const std::vector<std::string>& lines,
                                const std::vector<std::string>& numbers) {
  std::unordered_map<std::string_view, int> found;
  for (const std::string& number : numbers) found.emplace(number, -1);
  std::size_t missing = found.size();
  for (std::size_t i = 0; i < lines.size() && missing > 0; ++i) {
    const std::string_view line = lines[i];
    if (line.find('\t') == std::string_view::npos) continue;  // no block line
    const auto it = found.find(BlockNumberOf(line));
    if (it == found.end() || it->second >= 0) continue;
    it->second = static_cast<int>(i);
    --missing;
  }
  std::vector<int> result;
  result.reserve(numbers.size());
  for (const std::string& number : numbers) result.push_back(found[number]);
  return result;
}

}  // namespace zr
