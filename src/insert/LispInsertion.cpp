#include "insert/LispInsertion.h"

#include "cadlink/CadConnection.h"
#include "text/NumberText.h"
#include "text/Utf.h"

namespace zr::insert {

namespace {
constexpr char kQuote = '"';
constexpr int kOffsetDecimals = 12;
}  // namespace

std::string EscapeBackslashes(const std::string& path) {
  std::string out;
  out.reserve(path.size() + 8);
  for (const char c : path) {
    out += c;
    if (c == '\\') out += '\\';
  }
  return out;
}

std::string LispCallText(const std::string& path, double factor, double kaiten,
                         const std::optional<TAcadPoint>& offset) {
  std::string text = "(zovezaRuzu " + std::string(1, kQuote) + EscapeBackslashes(path) + kQuote +
                     " " + ScaleText(factor) + " " + DegreesText(kaiten);
  if (!offset) return text + " nil)";
  return text + " (list " + text::FormatFixed(offset->x, kOffsetDecimals) + " " +
         text::FormatFixed(offset->y, kOffsetDecimals) + "))";
}

std::string LtInsertCommandText(const std::string& path, double factor, double kaiten) {
  const std::string scale = ScaleText(factor);
  return "-INSERT\r" + std::string(1, kQuote) + path + kQuote + "\rS\r" + scale + "\rPS\r" +
         scale + "\rR\r" + DegreesText(kaiten);
}

// The check expression is not sent: the call goes out regardless and a CAD without the
// function reports that itself, while a second text per click would be typed into whatever
// command the CAD is still running (an unfinished insertion takes it as its next answer).
InsertOutcome LispInsertion::InsertByLisp(const TInsertRequest& request, const TBlockFile& file,
                                          bool auxiliary) {
  // AutoCAD LT types a plain insertion as its own command; with an auxiliary point it calls
  // the function too, through its command window.
  const bool lt = IsLtTarget(request.progId);
  const std::string text =
      auxiliary ? LispCallText(file.path, file.factor, request.kaiten,
                               AuxiliaryOffset(request.kiten, file.factor, request.kaiten))
      : lt      ? LtInsertCommandText(file.path, file.factor, request.kaiten)
                : LispCallText(file.path, file.factor, request.kaiten, std::nullopt);
  return lt ? TypeIntoCommandWindow(text) : SendThroughAutomation(request.progId, text);
}

// No window means nothing is sent and nothing is shown; a text longer than one message
// carries is refused with the channel's message; a disabled window takes nothing.
InsertOutcome LispInsertion::TypeIntoCommandWindow(const std::string& text) {
  cadlink::TCadWindowChannel channel(desktop_);
  if (!channel.ActivateCadWindow()) return InsertOutcome::NotSent;
  const std::string command = cadlink::EscToEtx(text + "\r");
  if (!cadlink::FitsCommandMessage(command)) {
    desktop_.ShowMessage(cadlink::CommandTooLongMessage(text::Utf16Length(command)), kAppTitle,
                         cadlink::MessagePlacement::OverPalette);
    return InsertOutcome::NotSent;
  }
  return channel.SendCopyDataText(channel.CadWnd, command) ? InsertOutcome::Sent
                                                           : InsertOutcome::NotSent;
}

InsertOutcome LispInsertion::SendThroughAutomation(const std::string& progId,
                                                   const std::string& text) {
  if (!cadlink::IsCadActive(desktop_, progId)) return InsertOutcome::NotSent;
  cadlink::OpenActiveDrawing(desktop_, progId).doc->Call("SendCommand", {text + "\r"});
  return InsertOutcome::Sent;
}

}  // namespace zr::insert
