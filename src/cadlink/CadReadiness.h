#pragma once
// The wait until the CAD is idle, polling the state object that fits the CAD family.
#include <string>
#include <string_view>

#include "cadlink/AutoValue.h"
#include "cadlink/Desktop.h"

namespace zr::cadlink {

// What happens between two polls.
enum class PollPause {
  SleepThenProcess,  // sleep for the interval, then dispatch pending messages
  ProcessThenSleep   // dispatch pending messages, then sleep
};

// How one CAD family is polled.
struct QuiescencePoll {
  std::string stateMember;  // GetAcadState, GetGcadState or GetZcadState
  bool readsActiveDocument; // dispatch messages and read ActiveDocument once before polling
  PollPause pause;
  bool operator==(const QuiescencePoll&) const = default;
};

// The polling rule for a ProgID: GCAD (by the ProgID's last two characters), ZWCAD, AUTO or
// the default, tested in that order on the upper-cased ProgID.
QuiescencePoll ChooseQuiescencePoll(std::string_view progId);

// Returns when the CAD reports idle: sleeps and dispatches messages, polls the state object's
// IsQuiescent with a pause of `intervalMs` between polls, then sleeps once more. No upper
// bound; an automation error leaves the wait.
void WaitCadQuiescent(IDesktop& desktop, const std::string& progId, IAutoObject& app,
                      int intervalMs);

}  // namespace zr::cadlink
