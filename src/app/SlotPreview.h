#pragma once
// The large preview of a slot: what it says about the block, its picture drawn anew at the
// preview's size, and where it goes on the screen beside the palette. The window that shows it
// lives in src/win32/SlotPreviewWindow.cpp.
#include <string>
#include <vector>

#include "app/PaletteState.h"
#include "app/PaletteView.h"
#include "drawing/Canvas.h"
#include "drawing/EntityModel.h"

namespace zr {

class TForm1;

// The preview's picture is this many times a slot picture's side.
inline constexpr int kPreviewPictureFactor = 4;

// A rectangle in screen pixels, right and bottom exclusive.
struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Contains(ViewPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// Which of a block's drawings (1/200 "A", 1/100 "B", 1/50 "C") exist.
struct TScaleDrawings {
  bool a = false;
  bool b = false;
  bool c = false;
};

// One line of the preview's text: a label and its value.
struct PreviewLine {
  std::string label;
  std::string value;
  friend bool operator==(const PreviewLine&, const PreviewLine&) = default;
};

// Everything the preview of one slot shows, taken when it is shown.
struct TSlotPreview {
  TBlkList record;            // the slot's block (its range and chosen base point included)
  std::string fileName;       // the drawing the slot shows (scale option applied)
  bool hojoKiten = false;     // auxiliary base points shown in the slots
  double kaiten = 0.0;        // insertion rotation, radians
  TColor hojoKitenColor = kAqua;
  bool lwpKiten = false;
  std::vector<PreviewLine> lines;
};

// Number, name, comment, size (as pointing shows it: empty for an empty range) and the scale
// drawings that exist.
std::vector<PreviewLine> PreviewLines(const TBlkList& rec, TScaleDrawings drawings);

// The drawings of the block that exist in the catalogue's folder.
TScaleDrawings FindScaleDrawings(const std::string& exePath, const std::string& dxfDir,
                                 const std::string& blkNo);

// The preview of slot k as the palette shows it now; an empty slot gives an empty BlkNo.
TSlotPreview PreviewOfSlot(const TForm1& form, const IPaletteView& view,
                           const TPaletteState& state, int slot);

// Draws the block into `picture` (cleared black first) as a slot would at that size, with the
// base points when they are shown. The palette's slot records stay as they are.
void DrawPreviewPicture(TDxfModel& model, const TSlotPreview& preview, ICanvas& picture);

// Where the preview goes: beside the palette on its right, else on its left, top edges level,
// inside the work area of the palette's monitor and never under the pointer. With no room on
// either side it lies over the palette at the work area's edge away from the pointer.
struct PreviewPlacement {
  ScreenRect workArea;
  ScreenRect palette;  // the palette window's outer rectangle
  ViewPoint pointer;
  ViewSize size;       // the preview's size
  int gap = 0;         // between the palette and the preview
  int pointerMargin = 0;  // kept clear around the pointer
};
ScreenRect PlacePreview(const PreviewPlacement& p);

}  // namespace zr
