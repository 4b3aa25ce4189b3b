#pragma once
// A scripted CAD for insertion tests: a running application under the default ProgID with a
// drawing that has system variables, a block table, selection sets and a count of entities
// (an "-INSERT" adds one unless the user cancels). Every call goes to one journal.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "support/CadLinkFakes.h"

namespace zr::test {

using cadlink::AutoArgs;
using cadlink::AutoValue;
using cadlink::testing::FakeAutoObject;
using cadlink::testing::FakeDesktop;
using cadlink::testing::Journal;

inline constexpr const char* kProgId = "BricscadApp.AcadApplication";

struct FakeCad {
  FakeCad() {
    desktop.registered[kProgId] = "{BRX}";
    desktop.running["{BRX}"] = app;
    desktop.windows.push_back({0x2A0, "BricsCAD", "BricsCADMain"});
    app->SetValue("HWND", std::int64_t{0x2A0});
    app->SetValue("ActiveDocument", AutoValue(doc));
    app->SetValue("GetAcadState", AutoValue(cadState));
    cadState->SetValue("IsQuiescent", true);
    doc->Set("GetVariable", [this](const AutoArgs& a) { return variables.at(a[0].Value().AsText()); });
    doc->Set("SetVariable", [this](const AutoArgs& a) {
      variables[a[0].Value().AsText()] = a[1].Value();
      return AutoValue();
    });
    doc->Set("SendCommand", [this](const AutoArgs& a) {
      const std::string text = a[0].Value().AsText();
      if (text.rfind("-INSERT", 0) == 0 && !cancelInsert) ++entities;
      // A variable typed as a command: "ORTHOMODE 1\r".
      const std::size_t space = text.find(' ');
      if (space != std::string::npos && variables.count(text.substr(0, space)) != 0) {
        AutoValue& variable = variables[text.substr(0, space)];
        variable = cadlink::SameKindInteger(variable, std::stoi(text.substr(space + 1)));
      }
      return AutoValue();
    });
    doc->SetValue("Blocks", AutoValue(blocks));
    blocks->Set("Count", [this](const AutoArgs&) {
      return AutoValue(static_cast<std::int32_t>(blockNames.size()));
    });
    blocks->Set("Item", [this](const AutoArgs& a) {
      auto block = std::make_shared<FakeAutoObject>("Block", journal);
      block->SetValue("Name", blockNames.at(static_cast<std::size_t>(a[0].Value().AsInt32())));
      return AutoValue(block);
    });
    doc->SetValue("SelectionSets", AutoValue(sets));
    sets->SetValue("Count", std::int32_t{0});
    sets->Set("Add", [this](const AutoArgs&) { return AutoValue(set); });
    set->Set("Select", [](const AutoArgs&) { return AutoValue(); });
    set->Set("Count", [this](const AutoArgs&) { return AutoValue(std::int32_t{entities > 0}); });
    set->Set("Item", [this](const AutoArgs&) {
      auto e = std::make_shared<FakeAutoObject>("Entity", journal);
      e->SetValue("ObjectID", std::int64_t{1000 + entities});
      return AutoValue(e);
    });
    set->Set("Delete", [](const AutoArgs&) { return AutoValue(); });
  }

  // The journal lines of the drawing's own members, in order, without the collection reads,
  // and one kWait line for each readiness wait (its polls of the CAD's state), so that a
  // command sent while the CAD still runs the previous one shows in the sequence.
  Journal DocCalls() const {
    Journal calls;
    for (const std::string& line : *journal) {
      if (line == "State.IsQuiescent") {
        if (calls.empty() || calls.back() != kWait) calls.push_back(kWait);
      } else if (line.rfind("Doc.", 0) == 0 && line != "Doc.Blocks" &&
                 line != "Doc.SelectionSets") {
        calls.push_back(line.substr(4));
      }
    }
    return calls;
  }
  static constexpr const char* kWait = "(wait until quiescent)";

  std::shared_ptr<Journal> journal = std::make_shared<Journal>();
  FakeDesktop desktop{journal};
  std::shared_ptr<FakeAutoObject> app = std::make_shared<FakeAutoObject>("App", journal);
  std::shared_ptr<FakeAutoObject> doc = std::make_shared<FakeAutoObject>("Doc", journal);
  std::shared_ptr<FakeAutoObject> cadState = std::make_shared<FakeAutoObject>("State", journal);
  std::shared_ptr<FakeAutoObject> blocks = std::make_shared<FakeAutoObject>("Blocks", journal);
  std::shared_ptr<FakeAutoObject> sets = std::make_shared<FakeAutoObject>("Sets", journal);
  std::shared_ptr<FakeAutoObject> set = std::make_shared<FakeAutoObject>("Set", journal);
  // ATTREQ and ORTHOMODE are 16-bit integers, as real CADs hand them out.
  std::map<std::string, AutoValue> variables{{"ATTREQ", std::int16_t{1}},
                                             {"ORTHOMODE", std::int16_t{0}},
                                             {"VIEWCTR", cadlink::DoubleArray{10.0, 20.0, 0.0}}};
  std::vector<std::string> blockNames;
  int entities = 0;
  bool cancelInsert = false;
};

}  // namespace zr::test
