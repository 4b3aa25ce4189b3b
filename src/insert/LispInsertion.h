#pragma once
// The LISP mode of insertion: a call of the companion LISP function zovezaRuzu, or for
// AutoCAD LT a typed command through its command window.
#include <optional>
#include <string>

#include "cadlink/CommandWindow.h"
#include "insert/BlockInsert.h"

namespace zr::insert {

// The companion LISP file beside the executable, and the function it defines.
inline constexpr const char* kLispFileName = "zovezaRuzu.lsp";
// Shows an alert in the CAD when zovezaRuzu is not defined there. Kept for the protocol's
// sake: the LISP mode does not send it (see LispInsertion::InsertByLisp).
inline constexpr const char* kLispCheckExpression =
    "(if (not (car (atoms-family 1 '(\"zovezaRuzu\"))))"
    "(alert \"zovezaRuzu.lsp がロードされていません.\"))";

// Every backslash doubled, nothing else changed: the path as a LISP string literal holds it.
std::string EscapeBackslashes(const std::string& path);

// "(zovezaRuzu "<escaped path>" <scale> <degrees> nil)", or with an offset
// "... (list <x> <y>))", the offset in "%.12f" with a period.
std::string LispCallText(const std::string& path, double factor, double kaiten,
                         const std::optional<TAcadPoint>& offset);

// The typed insertion for AutoCAD LT, options and values each answered with a carriage
// return, the rotation left unanswered: "-INSERT\r"<path>"\rS\r<s>\rPS\r<s>\rR\r<degrees>".
std::string LtInsertCommandText(const std::string& path, double factor, double kaiten);

class LispInsertion : public ILispInsertion {
 public:
  explicit LispInsertion(cadlink::IDesktop& desktop) : desktop_(desktop) {}

  // Sends one call (or the typed command) and returns at once: the user places the block in
  // the CAD. No system variable is read or set here; the LISP function puts back what it
  // changes. Sent when the text went to the CAD. Automation errors propagate to the caller's
  // error report.
  InsertOutcome InsertByLisp(const TInsertRequest& request, const TBlockFile& file,
                             bool auxiliary) override;

 private:
  InsertOutcome TypeIntoCommandWindow(const std::string& text);
  InsertOutcome SendThroughAutomation(const std::string& progId, const std::string& text);

  cadlink::IDesktop& desktop_;
};

}  // namespace zr::insert
