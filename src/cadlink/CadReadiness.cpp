#include "cadlink/CadReadiness.h"

#include "text/AsciiCase.h"
#include "text/Utf.h"

namespace zr::cadlink {

namespace {

// GstarCAD before version 2024 has its own state member; the ProgID ends in the version.
bool IsOlderGcad(std::string_view progId) {
  const std::u16string units = text::Utf8ToUtf16(progId);
  const std::u16string_view tail =
      units.size() >= 2 ? std::u16string_view(units).substr(units.size() - 2)
                        : std::u16string_view(units);
  return tail < std::u16string_view(u"24");  // ordinal, code unit by code unit
}

bool IsQuiescent(IAutoObject& app, const std::string& stateMember) {
  return app.GetObject(stateMember)->Get("IsQuiescent").AsBool();
}

}  // namespace

QuiescencePoll ChooseQuiescencePoll(std::string_view progId) {
  const std::string upper = text::AsciiUpper(progId);
  if (upper.find("GCAD") != std::string::npos) {
    return {IsOlderGcad(progId) ? "GetGcadState" : "GetAcadState", false,
            PollPause::SleepThenProcess};
  }
  if (upper.find("ZWCAD") != std::string::npos) {
    return {"GetZcadState", false, PollPause::SleepThenProcess};
  }
  if (upper.find("AUTO") != std::string::npos) {
    return {"GetAcadState", true, PollPause::ProcessThenSleep};
  }
  return {"GetAcadState", false, PollPause::SleepThenProcess};
}

void WaitCadQuiescent(IDesktop& desktop, const std::string& progId, IAutoObject& app,
                      int intervalMs) {
  const QuiescencePoll poll = ChooseQuiescencePoll(progId);
  desktop.Sleep(intervalMs);
  desktop.ProcessMessages();
  if (poll.readsActiveDocument) {
    desktop.ProcessMessages();
    app.Get("ActiveDocument");  // the value is not kept
  }
  while (!IsQuiescent(app, poll.stateMember)) {
    if (poll.pause == PollPause::SleepThenProcess) {
      desktop.Sleep(intervalMs);
      desktop.ProcessMessages();
    } else {
      desktop.ProcessMessages();
      desktop.Sleep(intervalMs);
    }
  }
  desktop.Sleep(intervalMs);
}

}  // namespace zr::cadlink
