// TForm1: the slots worked from the keyboard. The focus is a place on the page shown; keys
// that leave the page load the neighbouring page as the paging buttons would.
#include <algorithm>

#include "app/PaletteForm.h"

namespace zr {

int TForm1::CategoryBlocks() const {
  if (gbTAgSt < 0 || gbTagEd < 0) return 0;
  const int last = std::min(gbTagEd, static_cast<int>(BlkListSL.size()) - 1);
  return std::max(0, last - gbTAgSt + 1);
}

// A page change by the mouse or a new category may leave the remembered slot empty: the
// focus then rests on the page's last block.
int TForm1::FocusedSlot() const {
  int slot = std::clamp(focusedSlot_, 0, kSlotCount - 1);
  while (slot > 0 && state_.gbBlkList[static_cast<std::size_t>(slot)].BlkNo.empty()) --slot;
  return slot;
}

void TForm1::SlotKeyDown(SlotKey key) {
  const SlotFocusPlace to = MoveSlotFocus(CategoryBlocks(), {gbImgKaisi, FocusedSlot()}, key);
  if (to.kaisi != gbImgKaisi) ReadBlockListSL(BlkListSL, gbTagName, gbTAgSt, gbTagEd, to.kaisi);
  focusedSlot_ = to.slot;
  view_.ShowSlotFocus(to.slot);
  const TBlkList& rec = state_.gbBlkList[static_cast<std::size_t>(to.slot)];
  if (!rec.BlkNo.empty()) DescribeSlot(rec);
}

void TForm1::SlotEnter() {
  const int slot = FocusedSlot();
  if (state_.gbBlkList[static_cast<std::size_t>(slot)].BlkNo.empty()) return;
  InsertBlock(slot);
}

void TForm1::SlotKeypad(int digit) {
  if (!state_.gbHojoKiten || digit < 1 || digit > 9) return;
  TBlkList& rec = state_.gbBlkList[static_cast<std::size_t>(FocusedSlot())];
  if (rec.BlkNo.empty()) return;
  rec.Kiten[0] = rec.Kiten[static_cast<std::size_t>(digit)];
  rec.KitenNo = digit;
}

}  // namespace zr
