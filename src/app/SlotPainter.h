#pragma once
// The palette's calls into the drawing engine for its slots: clear a slot picture, draw a
// block's thumbnail into it, pick a base point on it. Tests record the calls through a fake.
#include <string>

#include "app/PaletteState.h"
#include "drawing/Canvas.h"
#include "drawing/EntityModel.h"

namespace zr {

class ISlotPainter {
 public:
  virtual ~ISlotPainter() = default;
  // Fills the whole picture with the colour.
  virtual void ClearImage(ICanvas& picture, int width, int height, TColor color) = 0;
  // Reads the block's DXF file, paints its thumbnail and sets the slot's geometry fields.
  virtual void DrawSlot(const std::string& fileName, ICanvas& picture, int slot,
                        bool hojoKiten, double kaiten) = 0;
  // Chooses the slot's auxiliary base point nearest to the pixel (x, y) of its picture and
  // returns its number (1..9).
  virtual int PickKiten(const ICanvas& picture, int slot, int x, int y) = 0;
};

// The production painter: the drawing engine on the given model and palette state.
class EngineSlotPainter : public ISlotPainter {
 public:
  EngineSlotPainter(TDxfModel& model, TPaletteState& state) : model_(model), state_(state) {}
  void ClearImage(ICanvas& picture, int width, int height, TColor color) override;
  void DrawSlot(const std::string& fileName, ICanvas& picture, int slot, bool hojoKiten,
                double kaiten) override;
  int PickKiten(const ICanvas& picture, int slot, int x, int y) override;

 private:
  TDxfModel& model_;
  TPaletteState& state_;
};

}  // namespace zr
