#pragma once
// Which drawing of a block an insertion uses and at what scale: the scale boxes choose the
// letter and the factor; a missing 1/200 or 1/50 drawing is replaced by the 1/100 one at a
// multiplied factor.
#include <optional>
#include <string>

#include "drawing/EntityModel.h"

namespace zr::insert {

// Factor applied when the "B" drawing stands in for a missing "A" or "C" one.
inline constexpr double kAFallbackFactor = 0.767;
inline constexpr double kCFallbackFactor = 1.333;
// An auxiliary base point with both coordinates within this of 0 counts as none.
inline constexpr double kKitenZero = 0.001;

struct TScaleChoice {
  char letter = 'B';
  double factor = 100.0;
};

// "1/200" gives A at 200, else "1/50" C at 50, else B at 100; "None" makes the factor 1.
TScaleChoice ChooseScale(bool scale200, bool scale50, bool noScale);

struct TBlockFile {
  std::string path;    // the DXF file
  std::string name;    // its file name without extension: the block's name in the drawing
  double factor = 0.0; // X, Y and Z scale of the reference
};

// The file of block `blkNo` for the scale, with the "B" fallback; nothing when neither exists.
std::optional<TBlockFile> ResolveBlockFile(const std::string& exePath, const std::string& dxfDir,
                                           const std::string& blkNo, TScaleChoice scale);

// True when the insertion places the block by its chosen auxiliary base point.
bool UsesAuxiliaryPoint(bool hojoKiten, const TAcadPoint& kiten);

}  // namespace zr::insert
