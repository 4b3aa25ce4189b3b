#include "app/SlotFocus.h"

#include <algorithm>

#include "drawing/SlotRecord.h"

namespace zr {

SlotFocusPlace MoveSlotFocus(int blocks, SlotFocusPlace from, SlotKey key) {
  if (blocks <= 0) return from;
  int block = from.kaisi + from.slot;
  int kaisi = from.kaisi;
  switch (key) {
    case SlotKey::Left: --block; break;
    case SlotKey::Right: ++block; break;
    case SlotKey::Up: block -= kSlotsPerRow; break;
    case SlotKey::Down: block += kSlotsPerRow; break;
    case SlotKey::PageUp:
      if (kaisi < kSlotCount) return from;
      kaisi -= kSlotCount;
      block -= kSlotCount;
      break;
    case SlotKey::PageDown:
      if (kaisi + kSlotCount >= blocks) return from;
      kaisi += kSlotCount;
      block = std::min(block + kSlotCount, blocks - 1);
      break;
    case SlotKey::Home: block = 0; break;
    case SlotKey::End: block = blocks - 1; break;
  }
  // An arrow beyond the first or last block stays where it was.
  if (block < 0 || block >= blocks) return from;
  // Pages start at multiples of fourteen from the page shown, as the paging buttons keep them.
  while (block < kaisi) kaisi -= kSlotCount;
  while (block >= kaisi + kSlotCount) kaisi += kSlotCount;
  if (kaisi < 0) kaisi = 0;
  return {kaisi, block - kaisi};
}

}  // namespace zr
