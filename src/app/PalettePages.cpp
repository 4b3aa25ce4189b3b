// TForm1: the category box, its arrows, the pages of a category and the page load.
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "app/Catalogue.h"
#include "app/PaletteForm.h"
#include "text/AsciiCase.h"
#include "text/TextFile.h"

namespace zr {
namespace {

inline constexpr TColor kBlack = 0x00000000;

}  // namespace

void TForm1::ComboBox1Change() {
  if (SearchTakesCategoryChange()) return;  // ends a search; the recent blocks' entry
  gbTagName.clear();
  gbTAgSt = -1;
  gbTagEd = -1;

  std::vector<std::string> lines;
  if (text::FileExists(gbMnuListFName) && text::ReadTextLines(gbMnuListFName, lines)) {
    const int index = view_.CategoryIndex();
    const std::string selected = index >= 0 ? view_.CategoryAt(index) : std::string();
    gbTagName = FindCategoryTag(lines, selected);
  }
  // A block list missing at start-up is read once it is there.
  if (BlkListSL.empty() && text::FileExists(gbBlkListFName)) {
    text::ReadTextLines(gbBlkListFName, BlkListSL);
  }
  // The range comes from the file as it is on disk now, and so do the pages: the catalogue's
  // keeper may have changed the list while the palette was open.
  if (!gbTagName.empty() && text::FileExists(gbBlkListFName) &&
      text::ReadTextLines(gbBlkListFName, lines)) {
    if (lines != BlkListSL) {
      BlkListSL = lines;
      indexed_ = false;  // the search index was built from the old lines
    }
    const CategoryRange range = FindCategoryRange(lines, gbTagName);
    gbTAgSt = range.first;
    gbTagEd = range.last;
  }

  view_.FocusNameField();
  ReadBlockListSL(BlkListSL, gbTagName, gbTAgSt, gbTagEd, 0);
}

// Typing selects the first category that begins with the typed text, as the box's
// completion does, and changes to it.
void TForm1::ComboBox1Typed(const std::string& typed) {
  if (!typed.empty()) {
    const int count = view_.CategoryCount();
    for (int i = 0; i < count; ++i) {
      if (!text::StartsWithIgnoringAsciiCase(view_.CategoryAt(i), typed)) continue;
      view_.SelectCategory(i);
      break;
    }
  }
  ComboBox1Change();
}

void TForm1::UpDown1Click(UpDownButton button) {
  const int n = view_.CategoryCount();
  if (n > 0) {
    const int i = view_.CategoryIndex();
    if (button == UpDownButton::Next) {
      view_.SelectCategory(i < n - 1 ? i + 1 : 0);
    } else {
      view_.SelectCategory(i <= 0 ? n - 1 : i - 1);
    }
  }
  ComboBox1Change();
}

// The up-down control reports its new position; only a real change is a click, so an arrow
// at the end of the range does nothing.
void TForm1::UpDown1Moved(int position) {
  const int previous = std::exchange(upDownPosition_, position);
  if (position > previous) UpDown1Click(UpDownButton::Next);
  if (position < previous) UpDown1Click(UpDownButton::Previous);
}

// A press is taken only while the button is enabled, so that a stale press (or a wheel
// notch) can never page before the first or past the last page.
void TForm1::SpeedButton1Click() {
  if (!view_.IsEnabled(SpeedButton::SpeedButton1)) return;
  ReadBlockListSL(BlkListSL, gbTagName, gbTAgSt, gbTagEd, gbImgKaisi - kSlotCount);
}

void TForm1::SpeedButton2Click() {
  if (!view_.IsEnabled(SpeedButton::SpeedButton2)) return;
  ReadBlockListSL(BlkListSL, gbTagName, gbTAgSt, gbTagEd, gbImgKaisi + kSlotCount);
}

// Only a turn over the slot area counts, and it is taken there whole (partial turns too), so
// that the window under the pointer never sees it again and no delta is counted twice.
void TForm1::FormMouseWheel(int wheelDelta, ViewPoint screen, bool& handled) {
  constexpr int kNotch = 120;
  if (!OverSlotArea(screen)) return;
  handled = true;
  wheelAccumulator_ += wheelDelta;
  while (std::abs(wheelAccumulator_) >= kNotch) {
    const bool down = wheelAccumulator_ < 0;
    wheelAccumulator_ -= down ? -kNotch : kNotch;
    if (down) {
      FormMouseWheelDown(screen, handled);
    } else {
      FormMouseWheelUp(screen, handled);
    }
  }
}

void TForm1::FormMouseWheelDown(ViewPoint screen, bool& handled) {
  PageByWheel(screen, handled, SpeedButton::SpeedButton2);
}

void TForm1::FormMouseWheelUp(ViewPoint screen, bool& handled) {
  PageByWheel(screen, handled, SpeedButton::SpeedButton1);
}

// The wheel pages only over the slot area: a rectangle of Panel1's size placed at the
// first slot picture's origin.
bool TForm1::OverSlotArea(ViewPoint screen) const {
  const ViewPoint p = view_.ScreenToImage1(screen);
  return p.x >= 0 && p.x < layout::Panel1.width && p.y >= 0 && p.y < layout::Panel1.height;
}

void TForm1::PageByWheel(ViewPoint screen, bool& handled, SpeedButton button) {
  if (!OverSlotArea(screen)) return;
  handled = true;
  if (button == SpeedButton::SpeedButton2) {
    SpeedButton2Click();
  } else {
    SpeedButton1Click();
  }
}

void TForm1::RedrawPage() { ReadBlockListSL(BlkListSL, gbTagName, gbTAgSt, gbTagEd, gbImgKaisi); }

void TForm1::Image1MouseDown(int slot, int x, int y) {
  if (!state_.gbHojoKiten) return;
  painter_.PickKiten(view_.SlotCanvas(slot), slot, x, y);
}

void TForm1::SpeedButton6Click() {
  state_.gbHojoKiten = !state_.gbHojoKiten;
  RedrawPage();
}

void TForm1::ReadBlockListSL(const std::vector<std::string>& sl, const std::string& /*TName*/,
                             int st, int ed, int kaisi) {
  gbImgKaisi = kaisi;
  SetTextIfChanged(TextControl::Edit1, "");
  SetTextIfChanged(TextControl::StaticText1, "");
  SetTextIfChanged(TextControl::StaticText2, "");
  SetTextIfChanged(TextControl::StaticText3, "");
  SetStatusIfChanged(kStatusBlockNo, "");
  SetStatusIfChanged(kStatusSize, "");

  for (int k = 0; k < kSlotCount; ++k) ResetSlot(k);

  if (st >= 0 && ed >= 0 && !sl.empty()) {
    FillSlots(sl, st, ed, kaisi);
    DrawSlots();
  }
  UpdatePagingButtons(sl, st, ed, kaisi);
  for (int k = 0; k < kSlotCount; ++k) view_.InvalidateSlot(k);
  SetStatusIfChanged(kStatusBlockNo, state_.gbBlkList[0].BlkNo);
}

void TForm1::ResetSlot(int slot) {
  TBlkList& rec = state_.gbBlkList[static_cast<std::size_t>(slot)];
  rec.BlkNo.clear();
  rec.BlkName.clear();
  rec.Comment.clear();
  rec.IsJis = false;
  rec.IsKok = false;
  rec.ExtMin.x = rec.ExtMin.y = 0.0;
  rec.ExtMax.x = rec.ExtMax.y = 0.0;
  view_.SetSlotHint(slot, "");
  ICanvas& picture = view_.SlotCanvas(slot);
  painter_.ClearImage(picture, picture.Width(), picture.Height(), kBlack);
}

void TForm1::FillSlots(const std::vector<std::string>& sl, int st, int ed, int kaisi) {
  // The range may come from a catalogue file edited since start-up: lines beyond the list
  // read then are not there to show.
  const int last = std::min(ed, static_cast<int>(sl.size()) - 1);
  int j = 0;
  for (int r = std::max(st + kaisi, 0); r <= last && j < kSlotCount; ++r, ++j) {
    std::string hint;
    if (ReadBlockLine(sl[static_cast<std::size_t>(r)], state_.gbBlkList[static_cast<std::size_t>(j)],
                      hint)) {
      view_.SetSlotHint(j, hint);
    }
  }
}

void TForm1::DrawSlots() {
  const char letter = ScaleLetter(view_.IsChecked(CheckBox::CheckBox1),
                                  view_.IsChecked(CheckBox::CheckBox3));
  for (int k = 0; k < kSlotCount; ++k) {
    const std::string& blkNo = state_.gbBlkList[static_cast<std::size_t>(k)].BlkNo;
    if (blkNo.empty()) continue;
    if (IsGoneFavourite(blkNo)) {
      DrawGoneFavourite(k, blkNo);
      continue;
    }
    painter_.DrawSlot(BlockFileName(gbExePath, gbDxfDir, blkNo, letter), view_.SlotCanvas(k), k,
                      state_.gbHojoKiten, state_.gbKaiten);
  }
}

// The buttons follow the page shown: no category, no paging; lines beyond the catalogue read
// at start-up are not there to page to.
void TForm1::UpdatePagingButtons(const std::vector<std::string>& sl, int st, int ed, int kaisi) {
  const int last = std::min(ed, static_cast<int>(sl.size()) - 1);
  const int lines = st >= 0 && ed >= 0 ? last - st + 1 : 0;
  view_.SetEnabled(SpeedButton::SpeedButton1, lines > kSlotCount && kaisi >= kSlotCount);
  view_.SetEnabled(SpeedButton::SpeedButton2, lines > kSlotCount && kaisi + kSlotCount < lines);
}

void TForm1::SetTextIfChanged(TextControl control, const std::string& text) {
  if (view_.Text(control) != text) view_.SetText(control, text);
}

void TForm1::SetStatusIfChanged(int panel, const std::string& text) {
  if (view_.StatusText(panel) != text) view_.SetStatusText(panel, text);
}

}  // namespace zr
