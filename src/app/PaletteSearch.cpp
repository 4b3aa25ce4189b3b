// TForm1: search across the whole catalogue, and the recently inserted blocks. Both show
// their blocks as pages of fourteen through the usual page load: BlkListSL holds their lines
// while they are shown, and the catalogue's own lines wait aside.
#include <utility>

#include "app/PaletteForm.h"

namespace zr {
namespace {

inline constexpr const char* kRecentEntryName = "最近使ったブロック";
inline constexpr const char* kSearchEntryPrefix = "検索: ";

// The query as the category box shows it: cut at the field's limit, outer blanks dropped.
std::string ShownQuery(const std::string& typed) {
  std::string_view q = CutQuery(typed);
  const auto blank = [](std::string_view s, bool front) {
    constexpr std::string_view kIdeographicSpace = "\u3000";
    if (s.empty()) return std::size_t{0};
    if (front ? s.front() == ' ' || s.front() == '\t' : s.back() == ' ' || s.back() == '\t') {
      return std::size_t{1};
    }
    const bool wide = front ? s.starts_with(kIdeographicSpace) : s.ends_with(kIdeographicSpace);
    return wide ? kIdeographicSpace.size() : std::size_t{0};
  };
  for (std::size_t n; (n = blank(q, true)) > 0;) q.remove_prefix(n);
  for (std::size_t n; (n = blank(q, false)) > 0;) q.remove_suffix(n);
  return std::string(q);
}

// "検索: <query> (<count>)", what the category box shows while results are shown.
std::string SearchEntryText(const std::string& typed, std::size_t count) {
  return kSearchEntryPrefix + ShownQuery(typed) + " (" + std::to_string(count) + ")";
}

// The first page of the last full or partial page when `kaisi` lies beyond `count` lines.
int ClampedKaisi(int kaisi, int count) {
  if (count <= 0 || kaisi < 0) return 0;
  if (kaisi < count) return kaisi - kaisi % kSlotCount;
  return (count - 1) / kSlotCount * kSlotCount;
}

}  // namespace

const std::vector<std::string>& TForm1::CatalogueLines() const {
  return catalogueAside_ ? catalogueLines_ : BlkListSL;
}

void TForm1::SearchOpen() {
  EnsureSearchIndex();  // now, so that the first keystroke finds it built
  view_.ShowSearchField(true);
}

void TForm1::SearchChanged(const std::string& typed) {
  std::vector<std::u16string> words = QueryWords(typed);
  if (words.empty()) {
    ReturnToBrowsePlace();
    return;
  }
  if (searchFrom_ && words == searchWords_) {
    // The same search (a blank more, or "コンセント" pasted over "こんせんと"): the results
    // stay, the box shows the field's text.
    view_.ShowCategoryBoxText(SearchEntryText(typed, BlkListSL.size()));
    return;
  }
  if (!searchFrom_) {
    searchFrom_ = BrowsePlace{view_.CategoryIndex(), recentShown_, gbTagName, gbTAgSt, gbTagEd,
                              gbImgKaisi};
    searchFrom_->favourites = favouritesShown_;
  }
  EnsureSearchIndex();
  const std::vector<std::string>& catalogue = CatalogueLines();
  const std::vector<int> found = searchIndex_.Find(typed);
  std::vector<std::string> lines;
  lines.reserve(found.size());
  for (const int line : found) {
    lines.push_back(catalogue[static_cast<std::size_t>(line)]);
  }
  searchWords_ = std::move(words);
  const std::size_t count = lines.size();
  recentShown_ = false;
  favouritesShown_ = false;
  ShowLinesAsPage(std::move(lines), 0);
  view_.ShowCategoryBoxText(SearchEntryText(typed, count));
}

void TForm1::SearchEscape() {
  if (view_.SearchFieldShown()) view_.ShowSearchField(false);
  ReturnToBrowsePlace();
}

// Back to the category (or the recent blocks) and the page the search started from.
void TForm1::ReturnToBrowsePlace() {
  if (!searchFrom_) return;
  const BrowsePlace place = *std::exchange(searchFrom_, std::nullopt);
  searchWords_.clear();
  view_.SelectCategory(place.category);  // the box shows its entry again
  if (place.recent) {
    ShowRecentPage(place.kaisi);
    return;
  }
  if (place.favourites) {
    ShowFavouritesPage(place.kaisi);
    return;
  }
  PutCatalogueBack();
  gbTagName = place.tag;
  gbTAgSt = place.st;
  gbTagEd = place.ed;
  ReadBlockListSL(BlkListSL, gbTagName, gbTAgSt, gbTagEd, place.kaisi);
}

// Called first by the category change: choosing an entry ends a search, and the recent
// blocks' entry is no category of the catalogue. True when the change is done here.
bool TForm1::SearchTakesCategoryChange() {
  if (view_.SearchFieldShown()) view_.ShowSearchField(false);
  searchFrom_.reset();
  searchWords_.clear();
  PutCatalogueBack();
  recentShown_ = false;
  favouritesShown_ = false;
  if (favouriteEntry_ >= 0 && view_.CategoryIndex() == favouriteEntry_) {
    view_.FocusNameField();
    ShowFavouritesPage(0);
    return true;
  }
  if (recentEntry_ < 0 || view_.CategoryIndex() != recentEntry_) return false;
  view_.FocusNameField();
  ShowRecentPage(0);
  return true;
}

void TForm1::ShowRecentPage(int kaisi) {
  const std::vector<std::string>& catalogue = CatalogueLines();
  const std::vector<int> found = FindBlockLines(catalogue, recent_.Numbers());
  std::vector<std::string> lines;
  for (const int line : found) {
    if (line >= 0) lines.push_back(catalogue[static_cast<std::size_t>(line)]);
  }
  DropRecentNotFound(found);
  recentShown_ = true;
  ShowLinesAsPage(std::move(lines), kaisi);
}

// The lines become the page source, as a category of lines 0 .. n-1.
void TForm1::ShowLinesAsPage(std::vector<std::string> lines, int kaisi) {
  if (!catalogueAside_) {
    catalogueLines_ = std::move(BlkListSL);
    catalogueAside_ = true;
  }
  BlkListSL = std::move(lines);
  const int count = static_cast<int>(BlkListSL.size());
  gbTagName.clear();
  gbTAgSt = count > 0 ? 0 : -1;
  gbTagEd = count > 0 ? count - 1 : -1;
  ReadBlockListSL(BlkListSL, gbTagName, gbTAgSt, gbTagEd, ClampedKaisi(kaisi, count));
}

void TForm1::PutCatalogueBack() {
  if (!catalogueAside_) return;
  BlkListSL = std::move(catalogueLines_);
  catalogueLines_.clear();
  catalogueAside_ = false;
}

void TForm1::EnsureSearchIndex() {
  const std::vector<std::string>& catalogue = CatalogueLines();
  if (indexed_ && indexedData_ == catalogue.data() && indexedSize_ == catalogue.size()) return;
  searchIndex_.Build(catalogue);
  indexed_ = true;
  indexedData_ = catalogue.data();
  indexedSize_ = catalogue.size();
}

void TForm1::LoadRecentBlocks(RecentBlocks recent) {
  recent_ = std::move(recent);
  DropRecentNotFound(FindBlockLines(CatalogueLines(), recent_.Numbers()));
  AddRecentEntry();
}

// Blocks gone from the catalogue (`found`: their catalogue lines, -1 for none) drop out, unless
// the whole block list is missing.
void TForm1::DropRecentNotFound(const std::vector<int>& found) {
  if (CatalogueLines().empty()) return;
  std::size_t k = 0;
  recent_.Keep([&](const std::string&) { return found[k++] >= 0; });
}

// The entry comes with the first recent block, at the end of the category box.
void TForm1::AddRecentEntry() {
  if (recentEntry_ >= 0 || recent_.Empty()) return;
  view_.AddCategory(kRecentEntryName);
  recentEntry_ = view_.CategoryCount() - 1;
}

// An insertion whose command reached the CAD makes its block the most recent one. The page
// shown stays as it is, also when it is the recent blocks' page.
void TForm1::RememberInsertedBlock(const std::string& blkNo) {
  recent_.Record(blkNo);
  AddRecentEntry();
}

}  // namespace zr
