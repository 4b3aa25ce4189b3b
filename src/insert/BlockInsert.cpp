#include "insert/BlockInsert.h"

#include <numbers>

#include "cadlink/CadConnection.h"
#include "cadlink/CadReadiness.h"
#include "cadlink/CommandWindow.h"
#include "drawing/PointMath.h"
#include "insert/SystemVariable.h"
#include "text/AsciiCase.h"
#include "text/NumberText.h"
#include "text/Utf.h"

namespace zr::insert {

using cadlink::AutoArg;
using cadlink::AutoObjectPtr;
using cadlink::AutomationError;
using cadlink::AutoValue;
using cadlink::DoubleArray;
using cadlink::IAutoObject;
using cadlink::IDesktop;

namespace {

constexpr char kQuote = '"';

// The insertion's live objects, held for one click only.
struct CadSession {
  IDesktop& desktop;
  const std::string& progId;
  IAutoObject& app;
  IAutoObject& doc;
  bool inserted = false;  // the insertion's command went out (and, at a point, made a block)

  void Send(const std::string& command) { doc.Call("SendCommand", {command}); }
  void WaitQuiescent() { cadlink::WaitCadQuiescent(desktop, progId, app, kInsertPollMs); }
};

// A command longer than one command message carries is refused with the channel's message.
bool RefuseOverlong(IDesktop& desktop, const std::string& command) {
  if (cadlink::FitsCommandMessage(command)) return false;
  desktop.ShowMessage(cadlink::CommandTooLongMessage(text::Utf16Length(command)), kAppTitle,
                      cadlink::MessagePlacement::OverPalette);
  return true;
}

// The user picks the insertion point in the CAD.
void InsertPlain(CadSession& cad, const std::string& reference, const TBlockFile& file,
                 double kaiten) {
  const std::string command = InsertCommandText(reference, file.factor, kaiten);
  if (RefuseOverlong(cad.desktop, command)) return;
  SystemVariable attreq(cad.doc, "ATTREQ");
  if (attreq.IsOn()) attreq.SwitchOff();
  cad.Send(command);
  cad.inserted = true;
  cad.WaitQuiescent();
  if (attreq.IsOn()) attreq.PutBack();
}

// The block is inserted at the view centre, copied with its auxiliary base point as the base,
// erased and pasted, so that the user places it by that point.
void InsertAtAuxiliaryPoint(CadSession& cad, const std::string& reference, const TBlockFile& file,
                            const TInsertRequest& request) {
  const DoubleArray centre = cad.doc.Call("GetVariable", {"VIEWCTR"}).AsDoubles(2);
  const std::string command =
      InsertAtPointCommandText(reference, file.factor, request.kaiten, centre[0], centre[1]);
  if (RefuseOverlong(cad.desktop, command)) return;
  SystemVariable ortho(cad.doc, "ORTHOMODE");
  SystemVariable attreq(cad.doc, "ATTREQ");
  if (attreq.IsOn()) attreq.SwitchOff();
  const std::int64_t before = GetLastObjectID(cad.doc);
  cad.Send(command);
  cad.WaitQuiescent();
  const std::int64_t after = GetLastObjectID(cad.doc);
  if (attreq.IsOn()) attreq.PutBack();
  const TAcadPoint offset = AuxiliaryOffset(request.kiten, file.factor, request.kaiten);
  if (ortho.IsOn()) ortho.SwitchOff();
  if (after != before) {
    cad.inserted = true;
    cad.Send(CopyBaseCommandText(centre[0] + offset.x, centre[1] + offset.y));
    cad.Send("ERASE\rSI\rLAST\r");
    cad.Send("PASTECLIP\r");
    cad.WaitQuiescent();
  }
  if (ortho.IsOn()) {
    cad.Send("ORTHOMODE 1\r");
    ortho.MarkPutBack();
  }
}

AutoObjectPtr TempSelectionSet(IAutoObject& doc) {
  const AutoObjectPtr sets = doc.GetObject("SelectionSets");
  const std::int32_t count = sets->Get("Count").AsInt32();
  for (std::int32_t i = 0; i < count; ++i) {
    const AutoObjectPtr set = sets->Call("Item", {i}).AsObject();
    if (set->Get("Name").AsText() == kTempSelectionSet) {
      set->Call("Clear", {});
      return set;
    }
  }
  AutoValue name(kTempSelectionSet);
  return sets->Call("Add", {AutoArg::ByRef(name)}).AsObject();
}

}  // namespace

bool IsLtTarget(const std::string& progId) {
  return progId.find(cadlink::kLtProgId) != std::string::npos;
}

TAcadPoint AuxiliaryOffset(const TAcadPoint& kiten, double factor, double kaiten) {
  return RotatePoint(ScalePoint(kiten, factor), kaiten);
}

std::string ScaleText(double factor) { return text::FormatGeneral(factor); }

std::string DegreesText(double kaiten) {
  const double degrees = kaiten * (180.0 / std::numbers::pi);
  return text::FormatGeneral(degrees);
}

std::string InsertCommandText(const std::string& reference, double factor, double kaiten) {
  const std::string scale = ScaleText(factor);
  return "-INSERT\r" + std::string(1, kQuote) + reference + kQuote + "\r" + "S " + scale +
         " PS " + scale + " R " + DegreesText(kaiten) + "\r";
}

std::string InsertAtPointCommandText(const std::string& reference, double factor, double kaiten,
                                     double x, double y) {
  return InsertCommandText(reference, factor, kaiten) + "_none\r" + text::FormatGeneral(x) +
         "," + text::FormatGeneral(y) + "\r";
}

std::string CopyBaseCommandText(double x, double y) {
  return "COPYBASE\r_none\r" + text::FormatGeneral(x) + "," + text::FormatGeneral(y) +
         "\rSI\rLAST\r";
}

std::string ForwardSlashes(std::string path) {
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

bool BlockExists(IAutoObject& doc, const std::string& name) {
  const AutoObjectPtr blocks = doc.GetObject("Blocks");
  const std::int32_t count = blocks->Get("Count").AsInt32();
  const std::string wanted = text::AsciiUpper(name);
  for (std::int32_t i = 0; i < count; ++i) {
    if (text::AsciiUpper(blocks->Call("Item", {i}).AsObject()->Get("Name").AsText()) == wanted) {
      return true;
    }
  }
  return false;
}

std::int64_t GetLastObjectID(IAutoObject& doc) {
  std::int64_t id = 0;
  try {
    const AutoObjectPtr set = TempSelectionSet(doc);
    AutoValue corner1(DoubleArray{0.0, 0.0, 0.0});
    AutoValue corner2(DoubleArray{0.0, 0.0, 0.0});
    set->Call("Select", {std::int32_t{kSelectLast}, AutoArg::ByRef(corner1),
                         AutoArg::ByRef(corner2), AutoValue::Omitted(), AutoValue::Omitted()});
    try {
      if (set->Get("Count").AsInt32() > 0) {
        id = set->Call("Item", {std::int32_t{0}}).AsObject()->Get("ObjectID").AsInt64();
      }
    } catch (const AutomationError&) {
      // The set is deleted all the same.
    }
    set->Call("Delete", {});
  } catch (const AutomationError&) {
    // Guarded: the ID found so far (or 0) stands.
  }
  return id;
}

InsertOutcome InsertBlock(const TInsertRequest& request, IDesktop& desktop, ILispInsertion& lisp) {
  if (request.blkNo.empty()) return InsertOutcome::NotSent;
  const TScaleChoice scale = ChooseScale(request.scale200, request.scale50, request.noScale);
  const std::optional<TBlockFile> file =
      ResolveBlockFile(request.exePath, request.dxfDir, request.blkNo, scale);
  if (!file) {
    desktop.ShowMessage(kFileNotFoundMessage, kAppTitle, cadlink::MessagePlacement::OverPalette);
    return InsertOutcome::NotSent;
  }
  const bool auxiliary = UsesAuxiliaryPoint(request.hojoKiten, request.kiten);
  if (request.useLisp) return lisp.InsertByLisp(request, *file, auxiliary);
  // AutoCAD LT has no automation; its command-window way exists only in the LISP mode.
  if (IsLtTarget(request.progId)) return InsertOutcome::NotSent;
  if (!cadlink::IsCadActive(desktop, request.progId)) return InsertOutcome::NotSent;

  const cadlink::TActiveDrawing drawing = cadlink::OpenActiveDrawing(desktop, request.progId);
  const std::string reference =
      BlockExists(*drawing.doc, file->name) ? file->name : ForwardSlashes(file->path);

  CadSession cad{desktop, request.progId, *drawing.app, *drawing.doc};
  try {
    if (auxiliary) {
      InsertAtAuxiliaryPoint(cad, reference, *file, request);
    } else {
      InsertPlain(cad, reference, *file, request.kaiten);
    }
  } catch (const AutomationError&) {
    // From the first system variable on, a failing CAD ends the insertion without a message;
    // the variables changed so far have been put back.
  }
  return cad.inserted ? InsertOutcome::Sent : InsertOutcome::NotSent;
}

}  // namespace zr::insert
