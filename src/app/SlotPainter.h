#pragma once
// The page load's two calls into the drawing engine: clear a slot picture and draw a
// block's thumbnail into it. Tests record the calls through a fake.
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
};

// The production painter: the drawing engine on the given model and palette state.
class EngineSlotPainter : public ISlotPainter {
 public:
  EngineSlotPainter(TDxfModel& model, TPaletteState& state) : model_(model), state_(state) {}
  void ClearImage(ICanvas& picture, int width, int height, TColor color) override;
  void DrawSlot(const std::string& fileName, ICanvas& picture, int slot, bool hojoKiten,
                double kaiten) override;

 private:
  TDxfModel& model_;
  TPaletteState& state_;
};

}  // namespace zr
