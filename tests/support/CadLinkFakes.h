#pragma once
// Test doubles of the CAD link's ports: a scriptable late-bound object and a desktop with
// registered classes, running objects and top-level windows. Both write what happens to a
// shared journal, so that tests can check the order of calls across them.
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cadlink/AutoValue.h"
#include "cadlink/Desktop.h"

namespace zr::cadlink::testing {

using Journal = std::vector<std::string>;

// An object whose members are functions of their arguments. Get(name) runs the member with no
// arguments; an unknown member throws AutomationError like a real server.
class FakeAutoObject : public IAutoObject {
 public:
  using Member = std::function<AutoValue(const AutoArgs&)>;

  FakeAutoObject(std::string name, std::shared_ptr<Journal> journal)
      : name_(std::move(name)), journal_(std::move(journal)) {}

  void Set(const std::string& member, Member fn) { members_[member] = std::move(fn); }
  void SetValue(const std::string& member, AutoValue value) {
    members_[member] = [value](const AutoArgs&) { return value; };
  }

  AutoValue Get(const std::string& member) override {
    journal_->push_back(name_ + "." + member);
    return Run(member, {});
  }
  AutoValue Call(const std::string& member, const AutoArgs& args) override {
    std::string line = name_ + "." + member + "(";
    for (std::size_t i = 0; i < args.size(); ++i) {
      if (i > 0) line += ", ";
      if (args[i].IsByRef()) line += "&";
      line += args[i].Value().Describe();
    }
    journal_->push_back(line + ")");
    return Run(member, args);
  }

 private:
  AutoValue Run(const std::string& member, const AutoArgs& args) {
    auto it = members_.find(member);
    if (it == members_.end()) throw AutomationError("Unknown name: " + member, kErrorUnknownName);
    return it->second(args);
  }

  std::string name_;
  std::shared_ptr<Journal> journal_;
  std::map<std::string, Member> members_;
};

struct FakeWindow {
  WindowHandle handle = 0;
  std::string title;
  std::string className;
  bool enabled = true;
  bool iconic = false;
};

struct SentCopyData {
  WindowHandle window;
  std::uintptr_t dwData;
  std::vector<std::uint8_t> bytes;
};

struct ShownMessage {
  std::string text;
  std::string caption;
  MessagePlacement placement;
};

class FakeDesktop : public IDesktop {
 public:
  explicit FakeDesktop(std::shared_ptr<Journal> journal = std::make_shared<Journal>())
      : journal(std::move(journal)) {}

  std::shared_ptr<Journal> journal;
  std::map<std::string, std::string> registered;   // ProgID -> class ID
  std::map<std::string, AutoObjectPtr> running;    // class ID -> object
  std::vector<FakeWindow> windows;                 // Z order, topmost first
  std::vector<ShownMessage> messages;
  std::vector<SentCopyData> sent;
  std::function<void()> onProcessMessages;         // runs inside ProcessMessages
  std::function<void(int)> onSleep;                // runs inside Sleep (e.g. a fake clock)

  FakeWindow* Window(WindowHandle h) {
    for (auto& w : windows) {
      if (w.handle == h) return &w;
    }
    return nullptr;
  }

  std::string ClassIdFromProgId(const std::string& progId) override {
    journal->push_back("ClassIdFromProgId(" + progId + ")");
    auto it = registered.find(progId);
    if (it == registered.end()) throw AutomationError("Invalid class string");
    return it->second;
  }
  bool IsObjectRunning(const std::string& classId) override {
    journal->push_back("IsObjectRunning(" + classId + ")");
    return running.count(classId) != 0;
  }
  AutoObjectPtr GetActiveObject(const std::string& classId) override {
    journal->push_back("GetActiveObject(" + classId + ")");
    auto it = running.find(classId);
    if (it == running.end()) throw AutomationError("Operation unavailable");
    return it->second;
  }
  bool IsIconic(WindowHandle w) override {
    journal->push_back("IsIconic(" + std::to_string(w) + ")");
    const FakeWindow* fw = Window(w);
    return fw && fw->iconic;
  }
  void OpenIcon(WindowHandle w) override {
    journal->push_back("OpenIcon(" + std::to_string(w) + ")");
    if (FakeWindow* fw = Window(w)) fw->iconic = false;
  }
  void SetForegroundWindow(WindowHandle w) override {
    journal->push_back("SetForegroundWindow(" + std::to_string(w) + ")");
  }
  void Sleep(int ms) override {
    journal->push_back("Sleep(" + std::to_string(ms) + ")");
    if (onSleep) onSleep(ms);
  }
  void ProcessMessages() override {
    journal->push_back("ProcessMessages");
    if (onProcessMessages) onProcessMessages();
  }
  void ShowMessage(const std::string& text, const std::string& caption,
                   MessagePlacement placement) override {
    journal->push_back("ShowMessage");
    messages.push_back({text, caption, placement});
  }
  void EnumWindows(const std::function<bool(WindowHandle)>& visit) override {
    journal->push_back("EnumWindows");
    for (const auto& w : windows) {
      if (!visit(w.handle)) break;
    }
  }
  std::string WindowTitle(WindowHandle w) override {
    journal->push_back("WindowTitle(" + std::to_string(w) + ")");
    const FakeWindow* fw = Window(w);
    return fw ? fw->title : std::string();
  }
  std::string WindowClass(WindowHandle w) override {
    journal->push_back("WindowClass(" + std::to_string(w) + ")");
    const FakeWindow* fw = Window(w);
    return fw ? fw->className : std::string();
  }
  WindowHandle FindWindowByClass(const std::string& className) override {
    journal->push_back("FindWindowByClass(" + className + ")");
    for (const auto& w : windows) {
      if (w.className == className) return w.handle;
    }
    return 0;
  }
  bool IsWindowEnabled(WindowHandle w) override {
    journal->push_back("IsWindowEnabled(" + std::to_string(w) + ")");
    const FakeWindow* fw = Window(w);
    return fw && fw->enabled;
  }
  void SendCopyData(WindowHandle w, std::uintptr_t dwData,
                    const std::vector<std::uint8_t>& bytes) override {
    journal->push_back("SendCopyData(" + std::to_string(w) + ")");
    sent.push_back({w, dwData, bytes});
  }
  void PostNull(WindowHandle w) override {
    journal->push_back("PostNull(" + std::to_string(w) + ")");
  }
};

}  // namespace zr::cadlink::testing
