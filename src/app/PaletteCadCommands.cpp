// TForm1: the context menu's and the "2p" button's commands that work on the CAD program.
// They are the seams of the CAD link: loading the companion LISP file, the drafter and
// two-point alignment commands and the target CAD dialog each fill in their handler here.
#include "app/PaletteForm.h"

namespace zr {

// "■ LISP をロード" and its IJCAD LT variant: the LISP work loads the companion file here.
void TForm1::LoadLispClick(bool /*ijcadLt*/) {}

// The seven drafter entries: the drafter work turns the CAD's coordinate system here.
void TForm1::DrafterClick(DrafterCommand /*command*/) {}

// "ターゲット CAD": the target CAD dialog is shown here, modally; it sets gbProgID and the title.
void TForm1::TargetCadClick() {}

// "2p": the alignment work takes the rotation from two points indicated in the CAD here.
void TForm1::SpeedButton7Click() {}

}  // namespace zr
