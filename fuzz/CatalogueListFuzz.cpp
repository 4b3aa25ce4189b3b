// Feeds arbitrary bytes to the catalogue's list parsing: the bytes are the category list and
// the block list (split at the first NUL NUL, else halved), decoded and split as the palette
// does, then paged, read line by line and checked as the catalogue tool checks them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/Catalogue.h"
#include "app/CatalogueBuild.h"
#include "app/CatalogueCheck.h"
#include "text/TextFile.h"
#include "text/Utf.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::vector<std::string> Lines(std::string_view bytes) {
  return zr::text::SplitLines(zr::text::DecodeText(bytes));
}

// What the palette does with the lists: categories, their tags and ranges, the slots' lines.
void PageThrough(const std::vector<std::string>& menu, const std::vector<std::string>& blocks) {
  for (const std::string& name : zr::MenuCategories(menu)) {
    const std::string tag = zr::FindCategoryTag(menu, name);
    const zr::CategoryRange range = zr::FindCategoryRange(blocks, tag);
    Check((range.first < 0) == (range.last < 0));
    Check(range.first <= range.last && range.last < static_cast<int>(blocks.size()));
    for (int i = range.first; i >= 0 && i <= range.last; ++i) {
      const std::string& line = blocks[static_cast<std::size_t>(i)];
      Check(line.starts_with(tag));
      zr::TBlkList slot;
      std::string hint;
      if (zr::ReadBlockLine(line, slot, hint)) {
        Check(zr::text::IsValidUtf8(slot.BlkName) && zr::text::IsValidUtf8(hint));
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::size_t cut = bytes.find(std::string_view("\0\0", 2));
  const std::size_t rest = cut == std::string_view::npos ? size / 2 : cut + 2;
  if (cut == std::string_view::npos) cut = size / 2;
  const std::vector<std::string> menu = Lines(bytes.substr(0, cut));
  const std::vector<std::string> blocks = Lines(bytes.substr(rest));
  PageThrough(menu, blocks);

  std::vector<zr::Problem> problems;
  zr::CheckListLines(menu, blocks, problems);
  for (const zr::Problem& p : problems) {
    const std::size_t count = p.file == zr::kMenuListName ? menu.size() : blocks.size();
    Check(p.line >= 1 && static_cast<std::size_t>(p.line) <= count);
    for (auto language : {zr::MessageLanguage::Japanese, zr::MessageLanguage::English}) {
      Check(zr::text::IsValidUtf8(zr::DescribeProblem(p, language)));
    }
  }
  // A drawing's name as the build takes it apart.
  zr::SourceName name;
  for (const std::string& line : blocks) {
    if (zr::ParseSourceName(line, name)) Check(!name.number.empty() && name.letter >= 'A');
  }
  return 0;
}
