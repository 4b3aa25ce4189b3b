// TForm1: pointing at a slot describes its block; a click (or double click) inserts it.
#include "app/PaletteForm.h"
#include "text/NumberText.h"

namespace zr {
namespace {

bool RangeIsEmpty(const TBlkList& rec) {
  return rec.ExtMax.x - rec.ExtMin.x <= 0.0 || rec.ExtMax.y - rec.ExtMin.y <= 0.0;
}

std::string SizeText(const TBlkList& rec) {
  return text::FormatFixedForUser(rec.ExtMax.x - rec.ExtMin.x, 3) + " x " +
         text::FormatFixedForUser(rec.ExtMax.y - rec.ExtMin.y, 3);
}

std::string RangeText(const TBlkList& rec) {
  const auto f = [](double v) { return text::FormatFixedForUser(v, 4); };
  return "ExtMin = " + f(rec.ExtMin.x) + "," + f(rec.ExtMin.y) + " ExtMax = " + f(rec.ExtMax.x) +
         "," + f(rec.ExtMax.y);
}

}  // namespace

void TForm1::Image1MouseMove(int slot, int /*x*/, int /*y*/) {
  for (int k = 0; k < kSlotCount; ++k) {
    if (k != slot) {
      SetBevelIfChanged(k, SlotBevel::Raised);
      continue;
    }
    SetBevelIfChanged(k, SlotBevel::None);
    DescribeSlot(state_.gbBlkList[static_cast<std::size_t>(k)]);
  }
}

// Every write happens only on a change, so moving within one slot changes nothing.
void TForm1::DescribeSlot(const TBlkList& rec) {
  SetTextIfChanged(TextControl::Edit1, rec.BlkName);
  if (!N20Checked) SetTextIfChanged(TextControl::StaticText3, rec.Comment);
  SetStatusIfChanged(kStatusBlockNo, rec.BlkNo);
  SetTextIfChanged(TextControl::StaticText1, rec.IsJis ? "Ｊ" : "");
  SetTextIfChanged(TextControl::StaticText2, rec.IsKok ? "Ｋ" : "");
  if (RangeIsEmpty(rec)) {
    SetStatusIfChanged(kStatusSize, "");
    SetTextIfChanged(TextControl::StaticText3, "");
    return;
  }
  SetStatusIfChanged(kStatusSize, SizeText(rec));
  if (N20Checked) SetTextIfChanged(TextControl::StaticText3, RangeText(rec));
}

void TForm1::SetBevelIfChanged(int slot, SlotBevel bevel) {
  if (view_.GetSlotBevel(slot) != bevel) view_.SetSlotBevel(slot, bevel);
}

void TForm1::Image1Click(int slot) {
  if (!gbFlagDbClick) InsertBlock(slot);
}

void TForm1::Image1DblClick(int slot) {
  if (gbFlagDbClick) InsertBlock(slot);
}

void TForm1::SetDesktop(cadlink::IDesktop& desktop) {
  desktop_ = &desktop;
  lisp_ = std::make_unique<insert::LispInsertion>(desktop);
}

void TForm1::InsertBlock(int idx) {
  if (desktop_ == nullptr || inserting_ || idx < 0 || idx >= kSlotCount) return;
  const TBlkList& rec = state_.gbBlkList[static_cast<std::size_t>(idx)];
  if (IsGoneFavourite(rec.BlkNo)) {
    SetTextIfChanged(TextControl::StaticText3, kGoneFavouriteMessage);
    return;
  }
  insert::TInsertRequest request;
  request.blkNo = rec.BlkNo;
  request.kiten = rec.Kiten[0];
  request.scale200 = view_.IsChecked(CheckBox::CheckBox1);
  request.scale50 = view_.IsChecked(CheckBox::CheckBox3);
  request.noScale = view_.IsChecked(CheckBox::CheckBox4);
  request.kaiten = state_.gbKaiten;
  request.hojoKiten = state_.gbHojoKiten;
  request.useLisp = state_.gbUseLISP;
  request.progId = state_.gbProgID;
  request.exePath = gbExePath;
  request.dxfDir = gbDxfDir;
  // The wait for the CAD dispatches the palette's messages: a second click must not nest.
  inserting_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{inserting_};
  if (insert::InsertBlock(request, *desktop_, *lisp_) == insert::InsertOutcome::Sent) {
    RememberInsertedBlock(request.blkNo);
  }
}

}  // namespace zr
