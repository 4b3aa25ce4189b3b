// TForm1: the user's favourite blocks. Their category entry shows them as a page source like
// the recent blocks; a favourite the catalogue no longer has stays, greyed, with its number.
#include <algorithm>
#include <utility>

#include "app/PaletteForm.h"

namespace zr {
namespace {

inline constexpr const char* kFavouritesEntryName = "お気に入り";
inline constexpr const char* kGoneFavouriteName = "(カタログにありません)";
inline constexpr TColor kGoneGrey = 0x00808080;
inline constexpr int kGoneFontHeight = 12;

}  // namespace

void TForm1::LoadFavourites(FavouriteBlocks favourites) {
  favourites_ = std::move(favourites);
  AddFavouritesEntry();
}

// The entry comes with the first favourite, at the end of the category box, and stays for
// the run.
void TForm1::AddFavouritesEntry() {
  if (favouriteEntry_ >= 0 || favourites_.Empty()) return;
  view_.AddCategory(kFavouritesEntryName);
  favouriteEntry_ = view_.CategoryCount() - 1;
}

std::string TForm1::MenuBlock() const {
  if (menuSlot_ < 0 || menuSlot_ >= kSlotCount) return {};
  return state_.gbBlkList[static_cast<std::size_t>(menuSlot_)].BlkNo;
}

void TForm1::FavouriteClick(MenuCommand command) {
  const std::string blkNo = MenuBlock();
  if (blkNo.empty()) return;
  bool changed = false;
  switch (command) {
    case MenuCommand::FavouriteAdd: changed = favourites_.Add(blkNo); break;
    case MenuCommand::FavouriteRemove: changed = favourites_.Remove(blkNo); break;
    case MenuCommand::FavouriteEarlier: changed = favourites_.MoveEarlier(blkNo); break;
    case MenuCommand::FavouriteLater: changed = favourites_.MoveLater(blkNo); break;
    default: return;
  }
  AddFavouritesEntry();
  // The favourites' own page follows the change, on the page it was on.
  if (changed && favouritesShown_) ShowFavouritesPage(gbImgKaisi);
}

// Each favourite's catalogue line; one the catalogue lacks gets a line of its number alone.
void TForm1::ShowFavouritesPage(int kaisi) {
  const std::vector<std::string>& catalogue = CatalogueLines();
  const std::vector<std::string>& numbers = favourites_.Numbers();
  const std::vector<int> found = FindBlockLines(catalogue, numbers);
  std::vector<std::string> lines;
  goneFavourites_.clear();
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (found[i] >= 0) {
      lines.push_back(catalogue[static_cast<std::size_t>(found[i])]);
    } else {
      lines.push_back(numbers[i] + "\t" + kGoneFavouriteName);
      goneFavourites_.push_back(numbers[i]);
    }
  }
  favouritesShown_ = true;
  ShowLinesAsPage(std::move(lines), kaisi);
}

bool TForm1::IsGoneFavourite(const std::string& blkNo) const {
  return favouritesShown_ && !searchFrom_ &&
         std::find(goneFavourites_.begin(), goneFavourites_.end(), blkNo) !=
             goneFavourites_.end();
}

// No drawing to read: the number, grey, in the middle of the picture.
void TForm1::DrawGoneFavourite(int slot, const std::string& blkNo) {
  ICanvas& picture = view_.SlotCanvas(slot);
  TLogFont font;
  font.height = kGoneFontHeight;
  picture.PushFont(font);
  picture.SetBrushStyle(BrushStyle::Clear);
  picture.SetFontColor(kGoneGrey);
  const int x = std::max(0, (picture.Width() - picture.TextWidth(blkNo)) / 2);
  picture.TextOut(x, (picture.Height() - kGoneFontHeight) / 2, blkNo);
  picture.PopFont();
}

}  // namespace zr
