#pragma once
// The test CAD's simulated application: the automation objects a CAD offers the palette
// (application, document, utility, blocks, selection sets, entities, state) over a small
// drawing. Portable: the Windows program serves it through COM, tests use it directly.
// Every member read or called appends one line to the log: the object, the member, the
// arguments and the result (or the error).
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cadlink/AutoValue.h"

namespace zr::testcad {

struct SimCadConfig {
  int busyMs = 0;             // after each SendCommand the CAD is busy this long
  double angleDegrees = 90.0; // what Utility.GetAngle answers (in radians)
  bool angleFails = false;    // Utility.GetAngle fails as if the user cancelled
  std::int64_t mainWindow = 0;  // the application's HWND
  // System variables; GetVariable of any other name fails. ATTREQ and ORTHOMODE are 16-bit
  // integers, as real CADs answer them; SetVariable takes only a value of the same kind.
  std::map<std::string, cadlink::AutoValue> variables{
      {"ATTREQ", std::int16_t{1}},
      {"ORTHOMODE", std::int16_t{0}},
      {"VIEWCTR", cadlink::DoubleArray{1500.0, 800.0, 0.0}},
  };
  std::vector<std::string> blocks{"*Model_Space", "*Paper_Space"};
  bool cancelInsert = false;  // -INSERT learns its block but adds no entity, as if cancelled
  // Members made to fail: "LABEL.MEMBER" or "MEMBER" (any object), in upper case, mapped to
  // 0 (every call fails) or N (only the N-th call of it fails).
  std::map<std::string, int> failures;
  std::int64_t firstObjectId = 0x1'4000'0000;  // object IDs above 32 bits
};

struct SimEntity {
  std::int64_t objectId;
  std::string blockName;
};

// What the document's state looks like, shared by its objects.
struct SimDrawing {
  SimCadConfig config;
  std::function<std::uint64_t()> now;          // milliseconds
  std::function<void(const std::string&)> log;
  std::function<void()> onCommand;              // after each SendCommand
  std::vector<std::string> commands;            // every SendCommand text
  std::vector<std::string> prompts;             // every Utility.Prompt text
  std::vector<std::string> blocks;
  std::vector<SimEntity> entities;
  std::string clipboardBlock;
  std::int64_t nextObjectId = 0;
  std::uint64_t busyUntil = 0;
  std::map<std::string, int> callCounts;        // calls of each member named in failures

  bool IsQuiescent() const { return now() >= busyUntil; }
  void RunCommand(const std::string& text);
  // Throws the injected failure when config.failures names this call.
  void CheckInjectedFailure(const std::string& label, const std::string& member);
};

class SimCad {
 public:
  SimCad(SimCadConfig config, std::function<std::uint64_t()> now,
         std::function<void(const std::string&)> log);

  cadlink::AutoObjectPtr Application() const { return application_; }
  SimDrawing& Drawing() { return *drawing_; }
  void SetMainWindow(std::int64_t hwnd) { drawing_->config.mainWindow = hwnd; }
  void SetOnCommand(std::function<void()> fn) { drawing_->onCommand = std::move(fn); }

 private:
  std::shared_ptr<SimDrawing> drawing_;
  cadlink::AutoObjectPtr application_;
};

// The label a simulated object logs under ("App", "Document", "Blocks", ...); "" for an
// object that is not one of them.
std::string SimObjectLabel(const cadlink::IAutoObject& object);

// How the test CAD's log writes a value: as AutoValue::Describe, with the automation type
// of every number that is not a 32-bit integer: Int16(1), Int64(5368709120), Double(1.5).
std::string DescribeTyped(const cadlink::AutoValue& value);

// Upper case of ASCII letters, other characters unchanged.
std::string AsciiUpper(std::string text);
// The block name a CAD takes from an -INSERT name: a path gives its file name without
// extension, a plain name stays as it is.
std::string BlockNameFromInsertName(const std::string& name);

}  // namespace zr::testcad
