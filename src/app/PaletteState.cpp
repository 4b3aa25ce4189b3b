#include "app/PaletteState.h"

namespace zr {

TPaletteState& State() {
  static TPaletteState state;
  return state;
}

}  // namespace zr
