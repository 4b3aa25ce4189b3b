#include "SimCad.h"

#include <algorithm>
#include <numbers>

namespace zr::testcad {

using cadlink::AutoArgs;
using cadlink::AutoObjectPtr;
using cadlink::AutomationError;
using cadlink::AutoValue;

std::string AsciiUpper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string BlockNameFromInsertName(const std::string& name) {
  const std::size_t slash = name.find_last_of("/\\");
  if (slash == std::string::npos) return name;
  std::string file = name.substr(slash + 1);
  const std::size_t dot = file.rfind('.');
  if (dot != std::string::npos && dot > 0) file.resize(dot);
  return file;
}

std::string DescribeTyped(const AutoValue& value) {
  switch (value.GetKind()) {
    case AutoValue::Kind::Int64: return "Int64(" + value.Describe() + ")";
    case AutoValue::Kind::Double: return "Double(" + value.Describe() + ")";
    default: return value.Describe();
  }
}

void SimDrawing::CheckInjectedFailure(const std::string& label, const std::string& member) {
  for (const std::string& key : {AsciiUpper(label + "." + member), AsciiUpper(member)}) {
    const auto it = config.failures.find(key);
    if (it == config.failures.end()) continue;
    const int n = ++callCounts[key];
    if (it->second == 0 || it->second == n) {
      throw AutomationError(member + ": failure injected (--fail " + key + ")");
    }
  }
}

void SimDrawing::RunCommand(const std::string& text) {
  commands.push_back(text);
  busyUntil = now() + static_cast<std::uint64_t>(config.busyMs);
  const std::string upper = AsciiUpper(text);
  if (upper.starts_with("-INSERT\r\"")) {
    const std::size_t start = 9;
    const std::size_t end = text.find('"', start);
    if (end == std::string::npos) return;
    const std::string name = BlockNameFromInsertName(text.substr(start, end - start));
    const bool known = std::any_of(blocks.begin(), blocks.end(), [&](const std::string& b) {
      return AsciiUpper(b) == AsciiUpper(name);
    });
    if (!known) blocks.push_back(name);
    if (!config.cancelInsert) entities.push_back({nextObjectId++, name});
  } else if (upper.starts_with("ERASE") && upper.find("LAST") != std::string::npos) {
    if (!entities.empty()) entities.pop_back();
  } else if (upper.starts_with("COPYBASE")) {
    clipboardBlock = entities.empty() ? std::string() : entities.back().blockName;
  } else if (upper.starts_with("PASTECLIP")) {
    if (!clipboardBlock.empty()) entities.push_back({nextObjectId++, clipboardBlock});
  } else if (upper.starts_with("ORTHOMODE ")) {
    AutoValue& ortho = config.variables["ORTHOMODE"];
    ortho = cadlink::SameKindInteger(ortho, upper[10] == '1' ? 1 : 0);
  } else if (text == "\x1B") {
    busyUntil = now();  // ESC cancels the running command
  }
}

namespace {

// Base of the simulated objects: members by name (ASCII case ignored), one log line a use.
class SimObject : public cadlink::IAutoObject {
 public:
  using Member = std::function<AutoValue(const AutoArgs&)>;

  SimObject(std::shared_ptr<SimDrawing> drawing, std::string label)
      : drawing_(std::move(drawing)), label_(std::move(label)) {}

  const std::string& Label() const { return label_; }

  AutoValue Get(const std::string& member) override { return Run(member, {}, false); }
  AutoValue Call(const std::string& member, const AutoArgs& args) override {
    return Run(member, args, true);
  }

 protected:
  void Define(const std::string& name, Member fn) { members_[AsciiUpper(name)] = std::move(fn); }
  void DefineValue(const std::string& name, std::function<AutoValue()> fn) {
    Define(name, [this, name, fn](const AutoArgs& args) {
      Require(name, args, 0, 0);
      return fn();
    });
  }
  static void Require(const std::string& member, const AutoArgs& args, std::size_t min,
                      std::size_t max) {
    if (args.size() < min || args.size() > max) {
      throw AutomationError(member + ": wrong number of arguments (" +
                            std::to_string(args.size()) + ")");
    }
  }
  SimDrawing& D() { return *drawing_; }
  std::shared_ptr<SimDrawing> drawing_;

 private:
  static std::string Describe(const AutoValue& v) {
    if (v.GetKind() == AutoValue::Kind::Object) {
      if (auto* sim = dynamic_cast<SimObject*>(v.AsObject().get())) return "<" + sim->Label() + ">";
    }
    return DescribeTyped(v);
  }

  AutoValue Run(const std::string& member, const AutoArgs& args, bool call) {
    std::string line = label_ + "." + member;
    if (call) {
      line += "(";
      for (std::size_t i = 0; i < args.size(); ++i) {
        if (i > 0) line += ", ";
        if (args[i].IsByRef()) line += "&";
        line += Describe(args[i].Value());
      }
      line += ")";
    }
    try {
      auto it = members_.find(AsciiUpper(member));
      if (it == members_.end()) {
        throw AutomationError("Unknown name: " + member, cadlink::kErrorUnknownName);
      }
      drawing_->CheckInjectedFailure(label_, member);
      AutoValue result = it->second(args);
      drawing_->log(line + " -> " + Describe(result));
      return result;
    } catch (const std::exception& e) {
      drawing_->log(line + " -> ! " + e.what());
      throw;
    }
  }

  std::string label_;
  std::map<std::string, Member> members_;
};

class StateObject : public SimObject {
 public:
  explicit StateObject(std::shared_ptr<SimDrawing> d) : SimObject(std::move(d), "State") {
    DefineValue("IsQuiescent", [this] { return AutoValue(D().IsQuiescent()); });
  }
};

class EntityObject : public SimObject {
 public:
  EntityObject(std::shared_ptr<SimDrawing> d, SimEntity e)
      : SimObject(std::move(d), "Entity"), entity_(std::move(e)) {
    DefineValue("ObjectID", [this] { return AutoValue(entity_.objectId); });
    DefineValue("ObjectName", [] { return AutoValue("AcDbBlockReference"); });
    DefineValue("Name", [this] { return AutoValue(entity_.blockName); });
  }

 private:
  SimEntity entity_;
};

class BlockObject : public SimObject {
 public:
  BlockObject(std::shared_ptr<SimDrawing> d, std::string name)
      : SimObject(std::move(d), "Block"), name_(std::move(name)) {
    DefineValue("Name", [this] { return AutoValue(name_); });
  }

 private:
  std::string name_;
};

std::size_t IndexIn(const std::string& member, const AutoValue& index, std::size_t count) {
  const std::int32_t i = index.AsInt32();
  if (i < 0 || static_cast<std::size_t>(i) >= count) {
    throw AutomationError(member + ": index " + std::to_string(i) + " out of range");
  }
  return static_cast<std::size_t>(i);
}

class BlocksObject : public SimObject {
 public:
  explicit BlocksObject(std::shared_ptr<SimDrawing> d) : SimObject(std::move(d), "Blocks") {
    DefineValue("Count", [this] { return AutoValue(static_cast<std::int32_t>(D().blocks.size())); });
    Define("Item", [this](const AutoArgs& args) {
      Require("Item", args, 1, 1);
      const std::size_t i = IndexIn("Item", args[0].Value(), D().blocks.size());
      return AutoValue(AutoObjectPtr(std::make_shared<BlockObject>(drawing_, D().blocks[i])));
    });
  }
};

struct SelectionSetData {
  std::string name;
  std::vector<SimEntity> items;
  bool deleted = false;
};

class SelectionSetObject : public SimObject {
 public:
  SelectionSetObject(std::shared_ptr<SimDrawing> d,
                     std::shared_ptr<std::vector<std::shared_ptr<SelectionSetData>>> all,
                     std::shared_ptr<SelectionSetData> data)
      : SimObject(std::move(d), "SelectionSet"), all_(std::move(all)), data_(std::move(data)) {
    DefineValue("Name", [this] { return AutoValue(Live().name); });
    DefineValue("Count", [this] { return AutoValue(static_cast<std::int32_t>(Live().items.size())); });
    Define("Clear", [this](const AutoArgs& args) {
      Require("Clear", args, 0, 0);
      Live().items.clear();
      return AutoValue();
    });
    Define("Select", [this](const AutoArgs& args) { return Select(args); });
    Define("Item", [this](const AutoArgs& args) {
      Require("Item", args, 1, 1);
      const std::size_t i = IndexIn("Item", args[0].Value(), Live().items.size());
      return AutoValue(AutoObjectPtr(std::make_shared<EntityObject>(drawing_, Live().items[i])));
    });
    Define("Delete", [this](const AutoArgs& args) {
      Require("Delete", args, 0, 0);
      Live().deleted = true;
      std::erase(*all_, data_);
      return AutoValue();
    });
  }

 private:
  SelectionSetData& Live() {
    if (data_->deleted) throw AutomationError("The selection set has been deleted");
    return *data_;
  }
  AutoValue Select(const AutoArgs& args) {
    Require("Select", args, 1, 5);
    const std::int32_t mode = args[0].Value().AsInt32();
    if (mode != 4) throw AutomationError("Select: mode " + std::to_string(mode) + " not simulated");
    for (std::size_t i = 1; i < args.size() && i < 3; ++i) {
      const auto& corner = args[i].Value();
      if (!corner.IsOmitted() && corner.AsDoubles().size() != 3) {
        throw AutomationError("Select: a corner point needs three numbers");
      }
    }
    SelectionSetData& set = Live();
    if (!D().entities.empty()) set.items.push_back(D().entities.back());
    return AutoValue();
  }

  std::shared_ptr<std::vector<std::shared_ptr<SelectionSetData>>> all_;
  std::shared_ptr<SelectionSetData> data_;
};

class SelectionSetsObject : public SimObject {
 public:
  explicit SelectionSetsObject(std::shared_ptr<SimDrawing> d)
      : SimObject(std::move(d), "SelectionSets"),
        all_(std::make_shared<std::vector<std::shared_ptr<SelectionSetData>>>()) {
    DefineValue("Count", [this] { return AutoValue(static_cast<std::int32_t>(all_->size())); });
    Define("Item", [this](const AutoArgs& args) {
      Require("Item", args, 1, 1);
      const std::size_t i = IndexIn("Item", args[0].Value(), all_->size());
      return Wrap((*all_)[i]);
    });
    Define("Add", [this](const AutoArgs& args) {
      Require("Add", args, 1, 1);
      const std::string name = args[0].Value().AsText();
      for (const auto& s : *all_) {
        if (AsciiUpper(s->name) == AsciiUpper(name)) {
          throw AutomationError("Add: a selection set named " + name + " exists");
        }
      }
      all_->push_back(std::make_shared<SelectionSetData>(SelectionSetData{name, {}}));
      return Wrap(all_->back());
    });
  }

 private:
  AutoValue Wrap(const std::shared_ptr<SelectionSetData>& data) {
    return AutoValue(AutoObjectPtr(std::make_shared<SelectionSetObject>(drawing_, all_, data)));
  }
  std::shared_ptr<std::vector<std::shared_ptr<SelectionSetData>>> all_;
};

class UtilityObject : public SimObject {
 public:
  explicit UtilityObject(std::shared_ptr<SimDrawing> d) : SimObject(std::move(d), "Utility") {
    Define("GetAngle", [this](const AutoArgs& args) {
      Require("GetAngle", args, 0, 2);
      if (D().config.angleFails) throw AutomationError("ユーザー入力がキャンセルされました");
      return AutoValue(D().config.angleDegrees * std::numbers::pi / 180.0);
    });
    Define("Prompt", [this](const AutoArgs& args) {
      Require("Prompt", args, 1, 1);
      D().prompts.push_back(args[0].Value().AsText());
      return AutoValue();
    });
  }
};

class DocumentObject : public SimObject {
 public:
  explicit DocumentObject(std::shared_ptr<SimDrawing> d)
      : SimObject(d, "Document"),
        utility_(std::make_shared<UtilityObject>(d)),
        blocks_(std::make_shared<BlocksObject>(d)),
        selectionSets_(std::make_shared<SelectionSetsObject>(d)) {
    DefineValue("Name", [] { return AutoValue("Drawing1.dwg"); });
    DefineValue("Utility", [this] { return AutoValue(utility_); });
    DefineValue("Blocks", [this] { return AutoValue(blocks_); });
    DefineValue("SelectionSets", [this] { return AutoValue(selectionSets_); });
    Define("SendCommand", [this](const AutoArgs& args) {
      Require("SendCommand", args, 1, 1);
      D().RunCommand(args[0].Value().AsText());
      if (D().onCommand) D().onCommand();
      return AutoValue();
    });
    Define("GetVariable", [this](const AutoArgs& args) {
      Require("GetVariable", args, 1, 1);
      auto it = D().config.variables.find(AsciiUpper(args[0].Value().AsText()));
      if (it == D().config.variables.end()) {
        throw AutomationError("GetVariable: unknown system variable " + args[0].Value().AsText());
      }
      return it->second;
    });
    Define("SetVariable", [this](const AutoArgs& args) {
      Require("SetVariable", args, 2, 2);
      const std::string name = AsciiUpper(args[0].Value().AsText());
      auto it = D().config.variables.find(name);
      if (it == D().config.variables.end()) {
        throw AutomationError("SetVariable: unknown system variable " + name);
      }
      // A strict CAD takes only the automation type it answers for the variable.
      const AutoValue& value = args[1].Value();
      if (value.GetKind() != it->second.GetKind()) {
        throw AutomationError("SetVariable: " + name + " takes a value of type " +
                                  cadlink::KindName(it->second.GetKind()) + ", not " +
                                  cadlink::KindName(value.GetKind()),
                              cadlink::kErrorTypeMismatch);
      }
      it->second = value;
      return AutoValue();
    });
  }

 private:
  AutoObjectPtr utility_, blocks_, selectionSets_;
};

class ApplicationObject : public SimObject {
 public:
  explicit ApplicationObject(std::shared_ptr<SimDrawing> d)
      : SimObject(d, "App"), document_(std::make_shared<DocumentObject>(d)) {
    DefineValue("ActiveDocument", [this] { return AutoValue(document_); });
    DefineValue("HWND", [this] { return AutoValue(D().config.mainWindow); });
    DefineValue("Name", [] { return AutoValue("ZrTestCad"); });
    for (const char* state : {"GetAcadState", "GetGcadState", "GetZcadState"}) {
      DefineValue(state, [this] { return AutoValue(AutoObjectPtr(std::make_shared<StateObject>(drawing_))); });
    }
  }

 private:
  AutoObjectPtr document_;
};

}  // namespace

std::string SimObjectLabel(const cadlink::IAutoObject& object) {
  const auto* sim = dynamic_cast<const SimObject*>(&object);
  return sim != nullptr ? sim->Label() : std::string();
}

SimCad::SimCad(SimCadConfig config, std::function<std::uint64_t()> now,
               std::function<void(const std::string&)> log)
    : drawing_(std::make_shared<SimDrawing>()) {
  drawing_->config = std::move(config);
  drawing_->now = std::move(now);
  drawing_->log = std::move(log);
  drawing_->blocks = drawing_->config.blocks;
  drawing_->nextObjectId = drawing_->config.firstObjectId;
  application_ = std::make_shared<ApplicationObject>(drawing_);
}

}  // namespace zr::testcad
