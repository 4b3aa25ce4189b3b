// The palette window: the CAD commands that menu items (or other programs) send as
// WM_COMMAND, forwarded to the core.
#include "win32/CadCommandIds.h"
#include "win32/ErrorReport.h"
#include "win32/PaletteWindow.h"

namespace zr::win32 {

void PaletteWindow::OnCadCommand(int id) {
  if (id >= cad_ids::kDrafterFirst && id <= cad_ids::kDrafterLast) {
    const auto command = static_cast<cadlink::DrafterCommand>(id - cad_ids::kDrafterFirst);
    Guarded(hwnd_, [&] { form_.DrafterClick(command); });
    return;
  }
  switch (id) {
    case cad_ids::kLoadLisp:
      Guarded(hwnd_, [&] { form_.LoadLispClick(false); });
      break;
    case cad_ids::kLoadLispIjcadLt:
      Guarded(hwnd_, [&] { form_.LoadLispClick(true); });
      break;
    case cad_ids::kUseLisp:
      Guarded(hwnd_, [&] { form_.N25Click(); });
      break;
    case cad_ids::kTargetCad:
      Guarded(hwnd_, [&] { form_.TargetCadClick(); });
      break;
    default:
      break;
  }
}

}  // namespace zr::win32
