#pragma once
// Drawing extents: the bounding rectangle of the model set, and the boxes of single entities
// it is built from. Texts are estimated from their characters, not measured.
#include <cstddef>
#include <string_view>

#include "drawing/EntityModel.h"

namespace zr {

// A lower-left and an upper-right corner (x and y; z 0).
struct TExtBox {
  TAcadPoint min;
  TAcadPoint max;
};

// Measures the model set into DxfExtMin/DxfExtMax; both (0, 0, 0) when nothing counts.
// withTexts: texts count (they always do when nothing else was found);
// withPolylines: segments expanded from polylines count.
void CalcExtents(TDxfModel& model, bool withTexts, bool withPolylines);

TExtBox MinMaxPoint(const TAcadPoint& a, const TAcadPoint& b);
TExtBox CircleExtents(const TAcadPoint& center, double radius);
// Arc counter-clockwise from start to end (radians).
TExtBox ArcExtents(const TAcadPoint& center, double radius, double start, double end);
// Width of a half-width character, in text heights; a full-width one is a whole height.
inline constexpr double kHalfWidthAdvance = 0.51;

// The estimated width of a text's characters in text heights (before any width factor).
double TextAdvance(std::string_view text);

// Estimated box of a text: advance is TextAdvance of its contents, code50 its rotation in
// degrees; code71 > 0 marks an MTEXT.
TExtBox TextExtents(const TAcadPoint& pt10, const TAcadPoint& pt11, SmallInt code71,
                    SmallInt code72, SmallInt code73, double advance, double code40,
                    double code41, double code50);
TExtBox TextExtents(const TTextBlk& text);

}  // namespace zr
