#include "app/SlotPreview.h"

#include <algorithm>
#include <optional>

#include "app/PaletteForm.h"
#include "drawing/Renderer.h"
#include "drawing/ScaleDrawingName.h"
#include "drawing/SlotThumbnail.h"
#include "text/NumberText.h"
#include "text/TextFile.h"

namespace zr {
namespace {

inline constexpr TColor kBlack = 0x00000000;

// The size as pointing shows it in the status bar: empty for an empty range.
std::string SizeText(const TBlkList& rec) {
  const double width = rec.ExtMax.x - rec.ExtMin.x;
  const double height = rec.ExtMax.y - rec.ExtMin.y;
  if (width <= 0.0 || height <= 0.0) return "";
  return text::FormatFixedForUser(width, 3) + " x " + text::FormatFixedForUser(height, 3);
}

std::string DrawingsText(TScaleDrawings d) {
  const auto mark = [](bool exists) { return exists ? "○" : "×"; };
  return std::string("A ") + mark(d.a) + "  B " + mark(d.b) + "  C " + mark(d.c);
}

ScreenRect At(int x, int y, ViewSize size) { return {x, y, x + size.width, y + size.height}; }

bool Covers(const ScreenRect& r, const PreviewPlacement& p) {
  const int m = p.pointerMargin;
  return ScreenRect{r.left - m, r.top - m, r.right + m, r.bottom + m}.Contains(p.pointer);
}

// The rectangle moved up or down, inside the work area, until it clears the pointer: below
// it first, then above it; none when neither fits.
std::optional<ScreenRect> ClearOfPointer(const ScreenRect& r, const PreviewPlacement& p) {
  if (!Covers(r, p)) return r;
  const int below = p.pointer.y + p.pointerMargin + 1;
  if (below + p.size.height <= p.workArea.bottom) return At(r.left, below, p.size);
  const int above = p.pointer.y - p.pointerMargin - p.size.height;
  if (above >= p.workArea.top) return At(r.left, above, p.size);
  return std::nullopt;
}

}  // namespace

std::vector<PreviewLine> PreviewLines(const TBlkList& rec, TScaleDrawings drawings) {
  return {{"番号", rec.BlkNo},
          {"名称", rec.BlkName},
          {"コメント", rec.Comment},
          {"大きさ", SizeText(rec)},
          {"図面", DrawingsText(drawings)}};
}

TScaleDrawings FindScaleDrawings(const std::string& exePath, const std::string& dxfDir,
                                 const std::string& blkNo) {
  const auto exists = [&](char letter) {
    return text::FileExists(BlockFileName(exePath, dxfDir, blkNo, letter));
  };
  return {exists('A'), exists('B'), exists('C')};
}

TSlotPreview PreviewOfSlot(const TForm1& form, const IPaletteView& view,
                           const TPaletteState& state, int slot) {
  TSlotPreview preview;
  if (slot < 0 || slot >= kSlotCount) return preview;
  preview.record = state.gbBlkList[static_cast<std::size_t>(slot)];
  if (preview.record.BlkNo.empty()) return preview;
  // The same drawing as the slot's page load chose.
  const char letter = ScaleLetter(view.IsChecked(CheckBox::CheckBox1),
                                  view.IsChecked(CheckBox::CheckBox3));
  preview.fileName = BlockFileName(form.gbExePath, form.gbDxfDir, preview.record.BlkNo, letter);
  preview.hojoKiten = state.gbHojoKiten;
  preview.kaiten = state.gbKaiten;
  preview.hojoKitenColor = state.gbHojoKitenColor;
  preview.lwpKiten = state.gbLwpKiten;
  preview.lines = PreviewLines(
      preview.record, FindScaleDrawings(form.gbExePath, form.gbDxfDir, preview.record.BlkNo));
  return preview;
}

// Drawn through a state of its own: drawing a slot sets its range and resets its chosen base
// point, which the palette's slot must keep.
void DrawPreviewPicture(TDxfModel& model, const TSlotPreview& preview, ICanvas& picture) {
  ClearImage(picture, picture.Width(), picture.Height(), kBlack);
  if (preview.fileName.empty()) return;
  TSlotState scratch;
  scratch.gbBlkList[0] = preview.record;
  scratch.gbKaiten = preview.kaiten;
  scratch.gbHojoKitenColor = preview.hojoKitenColor;
  scratch.gbLwpKiten = preview.lwpKiten;
  DrawSlot(model, scratch, preview.fileName, picture, 0, preview.hojoKiten, preview.kaiten);
}

ScreenRect PlacePreview(const PreviewPlacement& p) {
  const ScreenRect& area = p.workArea;
  const int top = std::max(area.top, std::min(p.palette.top, area.bottom - p.size.height));
  for (const int left : {p.palette.right + p.gap, p.palette.left - p.gap - p.size.width}) {
    if (left < area.left || left + p.size.width > area.right) continue;
    if (const auto r = ClearOfPointer(At(left, top, p.size), p)) return *r;
  }
  // No room beside the palette: over it, at the work area's edge away from the pointer.
  const bool pointerOnLeft = p.pointer.x - area.left < area.right - p.pointer.x;
  const int left = pointerOnLeft ? std::max(area.left, area.right - p.size.width) : area.left;
  const ScreenRect r = At(left, top, p.size);
  return ClearOfPointer(r, p).value_or(r);
}

}  // namespace zr
