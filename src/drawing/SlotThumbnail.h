#pragma once
// The thumbnail of one palette slot: the block's DXF file read, expanded, measured, fitted
// into the slot picture and drawn rotated by the insertion rotation, with the block's base
// point marked and, while shown, the nine auxiliary base points (Kiten) computed and marked.
#include <string>

#include "drawing/SlotRecord.h"
#include "drawing/Canvas.h"
#include "drawing/EntityModel.h"

namespace zr {

inline constexpr TColor kBaseMarkRed = 0x000000FF;
// The base point mark when the 1/100 ("B") drawing stood in for a missing one.
inline constexpr TColor kBaseMarkYellow = 0x0000FFFF;

// The file a slot draws and the colour of its base point mark: the name itself, or the
// block's "B" file when the named one (of another letter) does not exist.
struct TSlotFile {
  std::string name;
  TColor markColor = kBaseMarkRed;
};
TSlotFile ResolveSlotFile(const std::string& fileName);

// Reads fileName (with the fallback above) into model and draws it into picture, writing the
// range, and with hojoKiten the base-point fields, of slot `slot` (0..13). kaiten: rotation,
// radians. A missing or empty drawing leaves the picture as it was and the range (0, 0).
void DrawSlot(TDxfModel& model, TSlotState& state, const std::string& fileName,
              ICanvas& picture, int slot, bool hojoKiten, double kaiten);

// Expands and measures the model as a slot does before drawing it: the drawing units per pixel
// that fit it into a picture of width x height, 0 when there is nothing to draw.
double MeasureSlotDrawing(TDxfModel& model, int width, int height);

// The steps of DrawSlot after the file has been read into model.
void DrawSlotModel(TDxfModel& model, TSlotState& state, ICanvas& picture, int slot,
                   bool hojoKiten, double kaiten, TColor markColor);

// Stores the mapping (c, s, sx, sy) and the nine auxiliary base points of the range left in
// the model's extents into the slot; the chosen point goes back to 5, the base point.
void SetSlotKiten(const TDxfModel& model, TBlkList& slot, const TAcadPoint& c, double s,
                  double sx, double sy);

// Half the side, less one, of the base-point marks on a picture: 1 (3 x 3 pixels) at 96 dpi,
// growing in whole pixels with the picture so that the marks stay centred and visible.
int MarkHalfSide(const ICanvas& picture);

// Marks the slot's nine auxiliary base points as filled squares in color (3 x 3 at 96 dpi).
void DrawSlotKiten(ICanvas& picture, const TBlkList& slot, TColor color, const TAcadPoint& c,
                   double theta, double sx, double sy, double s);

// Chooses the auxiliary base point nearest to the pixel (x, y) of the slot's picture, stores
// it as the slot's chosen point and returns its number (1..9).
int PickKiten(TSlotState& state, const ICanvas& picture, int slot, int x, int y);

}  // namespace zr
