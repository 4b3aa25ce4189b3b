#include "app/SlotPainter.h"

#include "drawing/Renderer.h"
#include "drawing/SlotThumbnail.h"

namespace zr {

void EngineSlotPainter::ClearImage(ICanvas& picture, int width, int height, TColor color) {
  zr::ClearImage(picture, width, height, color);
}

void EngineSlotPainter::DrawSlot(const std::string& fileName, ICanvas& picture, int slot,
                                 bool hojoKiten, double kaiten) {
  zr::DrawSlot(model_, state_, fileName, picture, slot, hojoKiten, kaiten);
}

int EngineSlotPainter::PickKiten(const ICanvas& picture, int slot, int x, int y) {
  return zr::PickKiten(state_, picture, slot, x, y);
}

}  // namespace zr
