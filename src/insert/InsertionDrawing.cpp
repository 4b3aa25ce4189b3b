#include "insert/InsertionDrawing.h"

#include <cmath>

#include "drawing/ScaleDrawingName.h"
#include "text/TextFile.h"

namespace zr::insert {

TScaleChoice ChooseScale(bool scale200, bool scale50, bool noScale) {
  const char letter = ScaleLetter(scale200, scale50);
  const double factor = letter == 'A' ? 200.0 : letter == 'C' ? 50.0 : 100.0;
  return {letter, noScale ? 1.0 : factor};
}

std::optional<TBlockFile> ResolveBlockFile(const std::string& exePath, const std::string& dxfDir,
                                           const std::string& blkNo, TScaleChoice scale) {
  TBlockFile file{BlockFileName(exePath, dxfDir, blkNo, scale.letter), {}, scale.factor};
  if (scale.letter != 'B' && !text::FileExists(file.path)) {
    file.path = BlockFileName(exePath, dxfDir, blkNo, 'B');
    file.factor *= scale.letter == 'A' ? kAFallbackFactor : kCFallbackFactor;
  }
  if (!text::FileExists(file.path)) return std::nullopt;
  const std::size_t slash = file.path.find_last_of("\\/");
  const std::string leaf = slash == std::string::npos ? file.path : file.path.substr(slash + 1);
  file.name = leaf.substr(0, leaf.rfind('.'));
  return file;
}

bool UsesAuxiliaryPoint(bool hojoKiten, const TAcadPoint& kiten) {
  return hojoKiten && (std::fabs(kiten.x) > kKitenZero || std::fabs(kiten.y) > kKitenZero);
}

}  // namespace zr::insert
