#include "cadlink/Drafter.h"

#include <exception>
#include <stdexcept>

#include "cadlink/CadConnection.h"
#include "cadlink/CommandWindow.h"
#include "text/NumberText.h"

namespace zr::cadlink {

// The -30° row types a lower-case z into AutoCAD LT; the CAD takes either.
const std::array<TDrafterRow, 7> kDrafterRows{{
    {DrafterCommand::Plus30, "UCS Z 30\r", "UCS Z 30\r", true, true},
    {DrafterCommand::Plus15, "UCS Z 15\r", "UCS Z 15\r", false, false},
    {DrafterCommand::Minus30, "UCS z -30\r", "UCS Z -30\r", true, true},
    {DrafterCommand::Minus15, "UCS Z -15\r", "UCS Z -15\r", true, false},
    {DrafterCommand::Off, "UCS W\r", "UCS W\r", true, false},
    {DrafterCommand::Object, "UCS OB\r", "UCS OB\r", true, true},
    {DrafterCommand::Turn180, "UCS Z 180\r", "UCS Z 180\r", false, false},
}};

const TDrafterRow& DrafterRow(DrafterCommand command) {
  for (const TDrafterRow& row : kDrafterRows) {
    if (row.command == command) return row;
  }
  throw std::invalid_argument("unknown drafter command");
}

void RunDrafterCommand(IDesktop& desktop, const std::string& progId, DrafterCommand command) {
  const TDrafterRow& row = DrafterRow(command);
  if (progId == kLtProgId) {
    TCadWindowChannel channel(desktop);
    channel.ActivateCadWindow();
    channel.SendCadCommandText(row.ltText);
    return;
  }
  if (!IsCadActive(desktop, progId)) {
    ShowNoCadMessage(desktop);
    return;
  }
  const AutoObjectPtr app = GetCadApp(desktop, progId);
  AutoObjectPtr doc;
  if (!row.guardedRead) doc = app->GetObject("ActiveDocument");
  try {
    if (row.guardedRead) doc = app->GetObject("ActiveDocument");
    ActivateCadApp(desktop, *app, row.restore);
    doc->Call("SendCommand", {std::string(row.autoText)});
  } catch (const std::exception&) {
    // The CAD shows what became of the command; the palette says nothing.
  }
}

std::string AngleEchoText(double radians) {
  return text::FormatFixed(radians * kDegreesPerRadian, 4) + "\r\n";
}

std::optional<double> AlignToTwoPoints(IDesktop& desktop, const std::string& progId,
                                       const std::function<void(double)>& apply) {
  if (progId == kLtProgId) return std::nullopt;
  if (!IsCadActive(desktop, progId)) {
    ShowNoCadMessage(desktop);
    return std::nullopt;
  }
  const AutoObjectPtr app = GetCadApp(desktop, progId);
  ActivateCadApp(desktop, *app, true);
  const AutoObjectPtr doc = app->GetObject("ActiveDocument");
  std::optional<double> applied;
  try {
    const double angle =
        doc->GetObject("Utility")
            ->Call("GetAngle", {AutoValue::Omitted(), std::string(kAlignPrompt)})
            .AsDouble();
    doc->GetObject("Utility")->Call("Prompt", {AngleEchoText(angle)});
    apply(angle);
    applied = angle;
    doc->Call("SendCommand", {std::string(1, kEsc)});
  } catch (const std::exception&) {
    // A cancelled indication (or a failed echo) keeps the rotation and the page as they were.
  }
  return applied;
}

}  // namespace zr::cadlink
