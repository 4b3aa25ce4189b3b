// TForm1: the CAD commands besides insertion (LISP loads, drafter, "2p") and the target CAD
// dialog.
#include "app/AppTitle.h"
#include "app/PaletteForm.h"
#include "insert/LispLoad.h"

namespace zr {

// True, after saying so, while an insertion waits for the CAD.
bool TForm1::RefusedWhileInserting() {
  if (!inserting_) return false;
  SetTextIfChanged(TextControl::StaticText3, kInsertionPendingMessage);
  return true;
}

void TForm1::LoadLispClick(bool typedLineByLine) {
  if (desktop_ == nullptr || RefusedWhileInserting()) return;
  if (typedLineByLine) {
    insert::TypeLispLines(*desktop_, gbExePath, state_.gbProgID);
  } else {
    insert::LoadLisp(*desktop_, gbExePath, state_.gbProgID);
  }
}

void TForm1::DrafterClick(cadlink::DrafterCommand command) {
  if (desktop_ == nullptr || RefusedWhileInserting()) return;
  cadlink::RunDrafterCommand(*desktop_, state_.gbProgID, command);
}

// The new rotation shows at once in the thumbnails of the page.
void TForm1::SpeedButton7Click() {
  if (desktop_ == nullptr || RefusedWhileInserting()) return;
  cadlink::AlignToTwoPoints(*desktop_, state_.gbProgID, [this](double angle) {
    state_.gbKaiten = angle;
    RedrawPage();
  });
}

void TForm1::TargetCadClick() {
  if (targetDialog_ == nullptr) return;
  targetForm_.SetListPath(gbExePath + cadlink::kTargetListFile);
  const std::optional<cadlink::TTargetEntry> target =
      targetDialog_->ShowModal(targetForm_, state_.gbProgID);
  if (!target) return;
  view_.SetTitle(TitleWithTarget(kAppTitle, target->name));
  state_.gbProgID = target->progId;
}

}  // namespace zr
