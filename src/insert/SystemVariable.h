#pragma once
// A CAD system variable that an insertion reads, may switch off, and always puts back: also
// when a later call fails, so that a failed insertion never leaves the user's drawing without
// attribute prompts or orthogonal mode. Values are sent in the automation type the CAD used
// for the variable (a strict CAD refuses a 32-bit integer for a 16-bit variable).
#include <string>

#include "cadlink/AutoValue.h"

namespace zr::insert {

class SystemVariable {
 public:
  // Reads the variable with GetVariable; an automation error propagates.
  SystemVariable(cadlink::IAutoObject& doc, std::string name);
  // Puts the saved value back if it was changed and not yet put back; failures are ignored.
  ~SystemVariable();
  SystemVariable(const SystemVariable&) = delete;
  SystemVariable& operator=(const SystemVariable&) = delete;

  bool IsOn() const { return on_; }
  // SetVariable(name, 0); from now on the variable counts as changed.
  void SwitchOff();
  // SetVariable(name, saved value by reference).
  void PutBack();
  // The caller has put the value back by other means (a command).
  void MarkPutBack() { changed_ = false; }

 private:
  cadlink::IAutoObject& doc_;
  std::string name_;
  cadlink::AutoValue saved_;
  bool on_ = false;
  bool changed_ = false;
};

}  // namespace zr::insert
