#pragma once
// The palette's core as the tests of its handlers use it: a catalogue folder of its own, the
// state, and the form bound to a recording view and slot painter.
#include "app/PaletteForm.h"
#include "app/PaletteState.h"
#include "support/FakePaletteView.h"
#include "support/TempFolder.h"

namespace zr::test {

struct PaletteRig {
  TempFolder dir;
  TPaletteState state;
  FakePaletteView view;
  FakeSlotPainter painter{view};
  TForm1 form{view, state, painter};
};

}  // namespace zr::test
