#pragma once
// The thumbnail renderer: draws single entities onto a slot picture's canvas and maps
// drawing-space points to pixels and back. It knows nothing of slots or files.
//
// View transform of a drawing point W, given the point C shown at the picture centre:
//   r = RotatePoint(W - C, θ); r.x *= sx; r.y *= sy;
//   pixel = (cx + Round(r.x / s), cy + Round(-r.y / s))
// with s drawing units per pixel and (cx, cy) the picture's centre pixel. Callers pass W - C.
#include <string>

#include "drawing/Canvas.h"
#include "drawing/EntityModel.h"

namespace zr {

inline constexpr TColor kWhite = 0x00FFFFFF;

struct TPixel {
  int x = 0;
  int y = 0;
  friend bool operator==(const TPixel&, const TPixel&) = default;
};

// Round to nearest, halves to even. Values beyond the range a canvas can take (and NaN) are
// held at its limits rather than overflowing.
int RoundPixel(double v);

// The picture centre of a canvas: (width div 2, height div 2).
TPixel PictureCenter(const ICanvas& canvas);

// Last step of the transform: r is the point already rotated and scaled.
TPixel WorldToPixel(const TAcadPoint& r, TPixel center, double s);
// The drawing-space offset of a pixel from the picture centre.
TAcadPoint PixelToWorld(TPixel pixel, TPixel center, double s);

// One straight line from st to ed (both already moved by -C).
void DrawLineEnt(ICanvas& canvas, TPixel center, const TAcadPoint& st, const TAcadPoint& ed,
                 double theta, double sx, double sy, double s);

// An arc counter-clockwise from start to end (radians) or, with both angles 0, a circle.
// Arcs under 2 pixels in radius are not drawn.
void DrawArcEnt(ICanvas& canvas, TPixel center, const TAcadPoint& c, double theta, double sx,
                double sy, double start, double end, double radius, double s);

// One TEXT, ATTRIB or MTEXT (code71 > 0). The record gives the contents, code40, code41,
// code50, code71, code72 and code73; pt10 and pt11 are its points already moved by -C and
// rotated by θ. thetaDeg is θ in degrees. The extra axis factors sx and sy do not apply to
// texts. Texts under 3 pixels in height are not drawn.
void DrawTextEnt(ICanvas& canvas, TPixel center, const TTextBlk& text, TColor color,
                 double thetaDeg, const TAcadPoint& pt11, const TAcadPoint& pt10, double s);

// One shape of the drawing pass, its points moved by -C: an outline as connected lines, a
// fill as polygons (brush and pen in colour), a dot as one pixel.
void DrawShapeEnt(ICanvas& canvas, TPixel center, const TShapeBlk& shape, const TAcadPoint& c,
                  double theta, double sx, double sy, double s, TColor color);

// A filled (2k + 1)-pixel square mark centred on the point's pixel, in the given colour.
void DrawMark(ICanvas& canvas, TPixel center, const TAcadPoint& p, double theta, double sx,
              double sy, TColor color, int k, double s);

// Fills the picture with colour and leaves the pen white.
void ClearImage(ICanvas& canvas, int width, int height, TColor color);

// The pixel of a point moved by -C: all three steps of the transform.
TPixel TransformToPixel(const TAcadPoint& p, TPixel center, double theta, double sx, double sy,
                        double s);

}  // namespace zr
