#pragma once
// Command identifiers of the palette's CAD commands (LISP loads, drafter entries, LISP
// option, target CAD dialog): a WM_COMMAND with one of them, from a menu item or another
// program, runs the command.
namespace zr::win32::cad_ids {

enum : int {
  kLoadLisp = 401,      // ■ LISP をロード
  kLoadLispIjcadLt,     // ■ LISP をロード ( IJCAD LT )
  kUseLisp,             // 挿入に LISP を使う
  kTargetCad,           // ターゲット CAD
  kDrafterFirst = 410,  // the seven drafter entries in menu order (DrafterCommand's order)
  kDrafterLast = kDrafterFirst + 6,
};

}  // namespace zr::win32::cad_ids
