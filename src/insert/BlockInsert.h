#pragma once
// Inserting a slot's block into the drawing open in the target CAD: the file and scale, the
// choice of the way (LISP, nothing for AutoCAD LT, automation) and the automation way with its
// plain and auxiliary-base-point variants.
#include <cstdint>
#include <string>

#include "cadlink/AutoValue.h"
#include "cadlink/Desktop.h"
#include "drawing/EntityModel.h"
#include "insert/InsertionDrawing.h"

namespace zr::insert {

inline constexpr const char* kFileNotFoundMessage = "挿入するファイルが見つかりません. ";
// Poll interval of the readiness waits of an insertion.
inline constexpr int kInsertPollMs = 200;
inline constexpr const char* kTempSelectionSet = "ssTemp";
// Selection mode of Select: the last entity of the drawing.
inline constexpr int kSelectLast = 4;

// Everything an insertion reads from the palette, taken afresh for every click.
struct TInsertRequest {
  std::string blkNo;     // empty: an empty slot
  TAcadPoint kiten;      // the slot's chosen auxiliary base point (Kiten[0])
  bool scale200 = false; // the "1/200" box
  bool scale50 = false;  // the "1/50" box
  bool noScale = false;  // the "None" box
  double kaiten = 0.0;   // rotation, radians, counter-clockwise
  bool hojoKiten = false;
  bool useLisp = false;
  std::string progId;
  std::string exePath;   // with its trailing separator
  std::string dxfDir;
};

// What became of a click: Sent only when the insertion's command went to the CAD (the user may
// still cancel it there); NotSent for an empty slot, a missing file, no CAD, AutoCAD LT without
// LISP, a refused command, an insertion at the view centre that made nothing, or a failure
// before the command went out.
enum class InsertOutcome { NotSent, Sent };

// The LISP mode of insertion, entered with what the common steps resolved.
class ILispInsertion {
 public:
  virtual ~ILispInsertion() = default;
  virtual InsertOutcome InsertByLisp(const TInsertRequest& request, const TBlockFile& file,
                                     bool auxiliary) = 0;
};

// The whole insertion step of a click. Shows "挿入するファイルが見つかりません. " when the
// block has no file. Automation errors before the first system variable is read (the
// application lookup, ActiveDocument, HWND, the block table) propagate; later ones end the
// insertion silently, after the changed system variables are put back.
InsertOutcome InsertBlock(const TInsertRequest& request, cadlink::IDesktop& desktop, ILispInsertion& lisp);

// True when the target is reached through its command window: any ProgID containing
// "AutoCAD LT" (case-sensitive).
bool IsLtTarget(const std::string& progId);

// Where the auxiliary base point lies from the block's base point once inserted: scaled, then
// rotated.
TAcadPoint AuxiliaryOffset(const TAcadPoint& kiten, double factor, double kaiten);

// Texts of the insertion commands; numbers in the general format with a period.
std::string ScaleText(double factor);
std::string DegreesText(double kaiten);
std::string InsertCommandText(const std::string& reference, double factor, double kaiten);
std::string InsertAtPointCommandText(const std::string& reference, double factor, double kaiten,
                                     double x, double y);
std::string CopyBaseCommandText(double x, double y);

// The path as the CAD takes it inside a command: backslashes become slashes.
std::string ForwardSlashes(std::string path);

// True when the drawing's block table defines `name`, ASCII letters compared without case.
bool BlockExists(cadlink::IAutoObject& doc, const std::string& name);

// The object ID of the drawing's last entity through a temporary selection set; 0 when there
// is none or an automation call fails.
std::int64_t GetLastObjectID(cadlink::IAutoObject& doc);

}  // namespace zr::insert
