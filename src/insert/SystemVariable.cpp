#include "insert/SystemVariable.h"

#include <utility>

namespace zr::insert {

using cadlink::AutoArg;
using cadlink::AutoValue;

namespace {

// 0 in the integer type of `like`.
AutoValue ZeroLike(const AutoValue& like) { return cadlink::SameKindInteger(like, 0); }

}  // namespace

SystemVariable::SystemVariable(cadlink::IAutoObject& doc, std::string name)
    : doc_(doc), name_(std::move(name)) {
  saved_ = doc_.Call("GetVariable", {name_});
  on_ = saved_.AsInt32() != 0;
}

SystemVariable::~SystemVariable() {
  if (!changed_) return;
  try {
    PutBack();
  } catch (const std::exception&) {
    // Best effort: the insertion has already failed, and there is nothing more to try.
  }
}

void SystemVariable::SwitchOff() {
  changed_ = true;
  doc_.Call("SetVariable", {name_, ZeroLike(saved_)});
}

void SystemVariable::PutBack() {
  changed_ = false;
  AutoValue value = saved_;
  doc_.Call("SetVariable", {name_, AutoArg::ByRef(value)});
}

}  // namespace zr::insert
