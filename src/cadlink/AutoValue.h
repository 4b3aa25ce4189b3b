#pragma once
// Late-bound automation without platform types: the values such calls pass, arguments by value
// and by reference, the object interface (read a member, call a member) and its error.
#include <concepts>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

namespace zr::cadlink {

class IAutoObject;
using AutoObjectPtr = std::shared_ptr<IAutoObject>;
using DoubleArray = std::vector<double>;

// Result codes the core names (same values as the platform's HRESULTs).
inline constexpr std::int32_t kErrorFailure = static_cast<std::int32_t>(0x80004005);
inline constexpr std::int32_t kErrorTypeMismatch = static_cast<std::int32_t>(0x80020005);
inline constexpr std::int32_t kErrorUnknownName = static_cast<std::int32_t>(0x80020006);
inline constexpr std::int32_t kErrorCallRejected = static_cast<std::int32_t>(0x80010001);

// A failed automation call or value conversion; what() is the error's text (UTF-8).
class AutomationError : public std::runtime_error {
 public:
  explicit AutomationError(const std::string& text, std::int32_t code = kErrorFailure)
      : std::runtime_error(text), code_(code) {}
  std::int32_t Code() const { return code_; }

 private:
  std::int32_t code_;
};

// Marks an optional argument that is left out.
struct OmittedArg {
  bool operator==(const OmittedArg&) const = default;
};

// One value of a late-bound call: nothing, an omitted argument, a Boolean, a 16-, 32- or
// 64-bit integer, a double, a text, an array of doubles or an object. The integer's width is
// kept because a CAD may refuse a system variable sent with another width than it answers.
class AutoValue {
 public:
  enum class Kind { Empty, Omitted, Bool, Int16, Int32, Int64, Double, Text, Doubles, Object };

  AutoValue() = default;
  AutoValue(OmittedArg v) : v_(v) {}
  AutoValue(bool v) : v_(v) {}
  AutoValue(std::int16_t v) : v_(v) {}
  AutoValue(std::int32_t v) : v_(v) {}
  AutoValue(std::int64_t v) : v_(v) {}
  AutoValue(double v) : v_(v) {}
  AutoValue(std::string v) : v_(std::move(v)) {}
  AutoValue(const char* v) : v_(std::string(v)) {}
  AutoValue(DoubleArray v) : v_(std::move(v)) {}
  AutoValue(AutoObjectPtr v);  // a null object becomes Empty

  static AutoValue Omitted() { return AutoValue(OmittedArg{}); }

  Kind GetKind() const { return static_cast<Kind>(v_.index()); }
  bool IsEmpty() const { return GetKind() == Kind::Empty; }
  bool IsOmitted() const { return GetKind() == Kind::Omitted; }

  // Conversions as a late-bound caller expects them; a value that does not convert throws
  // AutomationError (kErrorTypeMismatch).
  bool AsBool() const;             // Boolean, or any number (non-zero is true)
  std::int32_t AsInt32() const;    // integers in range, Booleans (true = -1), whole doubles
  std::int64_t AsInt64() const;
  double AsDouble() const;         // any number
  const std::string& AsText() const;
  const DoubleArray& AsDoubles() const;
  // An array of at least `minCount` numbers (a point: 2 or 3), else AutomationError.
  const DoubleArray& AsDoubles(std::size_t minCount) const;
  AutoObjectPtr AsObject() const;  // never null

  // Short readable form for logs and error texts: 12, Int16(1), 1.5, true, "a\r", [1, 2],
  // <object>.
  std::string Describe() const;

  bool operator==(const AutoValue& other) const = default;

 private:
  [[noreturn]] void Mismatch(const char* wanted) const;

  std::variant<std::monostate, OmittedArg, bool, std::int16_t, std::int32_t, std::int64_t,
               double, std::string, DoubleArray, AutoObjectPtr>
      v_;
};

const char* KindName(AutoValue::Kind kind);

// `v` as an integer of the same width as `like` (Int16, Int32 or Int64; any other kind gives
// Int32), so that a value written back travels as the one that was read. Throws
// AutomationError (kErrorTypeMismatch) when `v` does not fit that width.
AutoValue SameKindInteger(const AutoValue& like, std::int32_t v);

// One argument of a call: a value, or a reference to the caller's variable, which the callee
// may change (the change is stored back when the call returns).
class AutoArg {
 public:
  template <typename T>
    requires std::is_constructible_v<AutoValue, T&&> &&
             (!std::same_as<std::remove_cvref_t<T>, AutoArg>)
  AutoArg(T&& value) : value_(std::forward<T>(value)) {}

  static AutoArg ByRef(AutoValue& variable) {
    AutoArg a(variable);
    a.ref_ = &variable;
    return a;
  }

  bool IsByRef() const { return ref_ != nullptr; }
  const AutoValue& Value() const { return ref_ ? *ref_ : value_; }
  // Stores what the callee left in a by-reference argument; no effect for a by-value one.
  void StoreBack(AutoValue v) const {
    if (ref_) *ref_ = std::move(v);
  }

 private:
  AutoValue value_;
  AutoValue* ref_ = nullptr;
};

using AutoArgs = std::vector<AutoArg>;

// A late-bound automation object: members are reached by name.
class IAutoObject {
 public:
  virtual ~IAutoObject() = default;
  // The value of a member without arguments (a property, or a method whose result is used).
  virtual AutoValue Get(const std::string& member) = 0;
  // Calls a method; by-reference arguments may come back changed.
  virtual AutoValue Call(const std::string& member, const AutoArgs& args) = 0;

  AutoObjectPtr GetObject(const std::string& member) { return Get(member).AsObject(); }
};

}  // namespace zr::cadlink
