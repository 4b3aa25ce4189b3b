#pragma once
// Moving the keyboard focus over the slots: two rows of seven on pages of fourteen blocks.
#include "drawing/SlotRecord.h"
#include "app/PaletteLayout.h"

namespace zr {

enum class SlotKey { Left, Right, Up, Down, PageUp, PageDown, Home, End };

struct SlotFocusPlace {
  int kaisi = 0;  // offset of the page inside the category
  int slot = 0;   // focused slot on that page
  friend bool operator==(const SlotFocusPlace&, const SlotFocusPlace&) = default;
};

// Where `key` takes the focus from block kaisi + slot of a category of `blocks` blocks. The
// arrows walk the blocks in reading order (up and down by a row), crossing to the previous or
// next page at its edges; the focus never leaves the category and never rests on an empty
// slot. With no blocks the place stays.
SlotFocusPlace MoveSlotFocus(int blocks, SlotFocusPlace from, SlotKey key);

}  // namespace zr
