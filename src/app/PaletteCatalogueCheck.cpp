// TForm1: "カタログを検査", the check of the palette's own catalogue, and the place a line of
// its list leads to.
#include "app/PaletteForm.h"

namespace zr {

void TForm1::CheckCatalogue1Click() {
  // The lists are read beside the program, or from the working folder when its path has none.
  view_.ShowCatalogueCheck(gbExePath.empty() ? std::string(".") : gbExePath);
}

void TForm1::ShowCataloguePlace(const CataloguePlace& place) {
  const int count = view_.CategoryCount();
  for (int i = 0; i < count; ++i) {
    if (i == recentEntry_ || view_.CategoryAt(i) != place.category) continue;
    view_.SelectCategory(i);
    ComboBox1Change();  // ends a search, reads the category's lines from the file as it is
    // The list may have changed since the check: a page no longer there is not shown.
    const int kaisi = place.page * kSlotCount;
    if (kaisi > 0 && gbTAgSt >= 0 && kaisi <= gbTagEd - gbTAgSt) {
      ReadBlockListSL(BlkListSL, gbTagName, gbTAgSt, gbTagEd, kaisi);
    }
    return;
  }
}

}  // namespace zr
