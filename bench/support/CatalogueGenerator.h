#pragma once
// Generated block catalogues for benchmarks: lines as "BlockList.txt" holds them (number,
// name, JIS mark, ministry mark, comment), with names and comments of building-services
// symbols as Japanese catalogues write them (kanji, katakana, some half-width katakana and
// full-width letters, sizes and ratings). The same seed gives the same lines.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zr::bench {

std::vector<std::string> GenerateCatalogue(std::size_t blocks, std::uint32_t seed = 1);
// The categories' number prefixes ("LT", ...), in the order the catalogue's lines take.
std::vector<std::string> CatalogueTags();

}  // namespace zr::bench
