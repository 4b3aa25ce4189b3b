#pragma once
// The drafter commands, which turn the CAD's user coordinate system (UCS) about its Z axis,
// reset it or align it to an object, and the two-point alignment, which takes the palette's
// insertion rotation from an angle the user indicates in the CAD.
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "cadlink/Desktop.h"

namespace zr::cadlink {

inline constexpr const char* kAlignPrompt = "ブロックの傾きを合わせる角度を指示 : ";
inline constexpr double kDegreesPerRadian = 57.29577951308232;

// In the order of the context menu.
enum class DrafterCommand { Plus30, Plus15, Minus30, Minus15, Off, Object, Turn180 };

struct TDrafterRow {
  DrafterCommand command;
  const char* ltText;    // typed into AutoCAD LT
  const char* autoText;  // sent through automation
  bool restore;          // a minimised CAD window is restored (and the 500 ms pause taken)
  bool guardedRead;      // a failing ActiveDocument read is ignored instead of reported
};

// Rows in menu order (the menu model holds the entries' captions).
extern const std::array<TDrafterRow, 7> kDrafterRows;
const TDrafterRow& DrafterRow(DrafterCommand command);

// Sends the row's UCS text: typed into the command window when the target is exactly
// "AutoCAD LT", else through automation. No running CAD shows "有効な CAD が見つかりません. ".
// A failing application lookup, and an unguarded document read, propagate; activation and
// SendCommand failures are ignored.
void RunDrafterCommand(IDesktop& desktop, const std::string& progId, DrafterCommand command);

// "2p": asks the CAD for an angle, echoes it in degrees ("%.4f\r\n" with a period), hands it
// to `apply` (which sets the rotation and redraws the page) and ends the CAD's prompt with
// one ESC. Returns the angle, or nothing when the target is AutoCAD LT, no CAD runs, or the
// CAD's answer failed (then `apply` is not called and nothing is shown).
std::optional<double> AlignToTwoPoints(IDesktop& desktop, const std::string& progId,
                                       const std::function<void(double)>& apply);

// The echo of the indicated angle: degrees with four decimals, CR LF.
std::string AngleEchoText(double radians);

}  // namespace zr::cadlink
