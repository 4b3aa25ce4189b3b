#include "app/SlotPainter.h"

namespace zr {

void EngineSlotPainter::ClearImage(ICanvas& picture, int width, int height, TColor color) {
  picture.SetBrushStyle(BrushStyle::Solid);
  picture.SetBrushColor(color);
  picture.FillRect(0, 0, width, height);
}

void EngineSlotPainter::DrawSlot(const std::string& /*fileName*/, ICanvas& /*picture*/,
                                 int /*slot*/, bool /*hojoKiten*/, double /*kaiten*/) {
  // Not bound to the thumbnail renderer yet: the slot keeps its black picture.
  (void)model_;
  (void)state_;
}

}  // namespace zr
