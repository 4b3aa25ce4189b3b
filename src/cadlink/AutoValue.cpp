#include "cadlink/AutoValue.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace zr::cadlink {

namespace {

void AppendQuoted(std::string& out, const std::string& text) {
  out += '"';
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (u < 0x20 || u == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", u);
      out += buf;
    } else {
      out += c;
    }
  }
  out += '"';
}

std::string NumberText(double d) {
  char buf[40];
  // Shortest form that reads back the same.
  const auto r = std::to_chars(buf, buf + sizeof buf, d);
  return std::string(buf, r.ptr);
}

}  // namespace

AutoValue::AutoValue(AutoObjectPtr v) {
  if (v) v_ = std::move(v);
}

const char* KindName(AutoValue::Kind kind) {
  switch (kind) {
    case AutoValue::Kind::Empty: return "Empty";
    case AutoValue::Kind::Omitted: return "Omitted";
    case AutoValue::Kind::Bool: return "Boolean";
    case AutoValue::Kind::Int16: return "Short";
    case AutoValue::Kind::Int32: return "Integer";
    case AutoValue::Kind::Int64: return "Int64";
    case AutoValue::Kind::Double: return "Double";
    case AutoValue::Kind::Text: return "Text";
    case AutoValue::Kind::Doubles: return "Array of Double";
    case AutoValue::Kind::Object: return "Object";
  }
  return "?";
}

void AutoValue::Mismatch(const char* wanted) const {
  throw AutomationError(std::string("オートメーションの値（") + KindName(GetKind()) + " 型）を " +
                            wanted + " 型に変換できません。",
                        kErrorTypeMismatch);
}

namespace {

[[noreturn]] void OutOfRange(const AutoValue& value, const char* wanted) {
  throw AutomationError("オートメーションの値 " + value.Describe() + " は " + wanted +
                            " 型の範囲を超えています。",
                        kErrorTypeMismatch);
}

}  // namespace

bool AutoValue::AsBool() const {
  switch (GetKind()) {
    case Kind::Bool: return std::get<bool>(v_);
    case Kind::Int16: return std::get<std::int16_t>(v_) != 0;
    case Kind::Int32: return std::get<std::int32_t>(v_) != 0;
    case Kind::Int64: return std::get<std::int64_t>(v_) != 0;
    case Kind::Double: return std::get<double>(v_) != 0.0;
    default: Mismatch("Boolean");
  }
}

std::int64_t AutoValue::AsInt64() const {
  switch (GetKind()) {
    case Kind::Bool: return std::get<bool>(v_) ? -1 : 0;
    case Kind::Int16: return std::get<std::int16_t>(v_);
    case Kind::Int32: return std::get<std::int32_t>(v_);
    case Kind::Int64: return std::get<std::int64_t>(v_);
    case Kind::Double: {
      const double d = std::get<double>(v_);
      // Whole numbers only, and only those a 64-bit integer holds.
      if (d == std::trunc(d) && d >= -9.2233720368547758e18 && d < 9.2233720368547758e18) {
        return static_cast<std::int64_t>(d);
      }
      Mismatch("Int64");
    }
    default: Mismatch("Int64");
  }
}

std::int32_t AutoValue::AsInt32() const {
  if (GetKind() == Kind::Double && std::get<double>(v_) != std::trunc(std::get<double>(v_))) {
    Mismatch("Integer");
  }
  const std::int64_t wide = AsInt64();
  if (wide < std::numeric_limits<std::int32_t>::min() ||
      wide > std::numeric_limits<std::int32_t>::max()) {
    OutOfRange(*this, "Integer");
  }
  return static_cast<std::int32_t>(wide);
}

double AutoValue::AsDouble() const {
  switch (GetKind()) {
    case Kind::Bool: return std::get<bool>(v_) ? -1.0 : 0.0;
    case Kind::Int16: return std::get<std::int16_t>(v_);
    case Kind::Int32: return std::get<std::int32_t>(v_);
    case Kind::Int64: return static_cast<double>(std::get<std::int64_t>(v_));
    case Kind::Double: return std::get<double>(v_);
    default: Mismatch("Double");
  }
}

const std::string& AutoValue::AsText() const {
  if (GetKind() != Kind::Text) Mismatch("Text");
  return std::get<std::string>(v_);
}

const DoubleArray& AutoValue::AsDoubles() const {
  if (GetKind() != Kind::Doubles) Mismatch("Array of Double");
  return std::get<DoubleArray>(v_);
}

const DoubleArray& AutoValue::AsDoubles(std::size_t minCount) const {
  const DoubleArray& a = AsDoubles();
  if (a.size() < minCount) {
    throw AutomationError("オートメーションの値 " + Describe() + " には数値が " +
                              std::to_string(minCount) + " 個以上必要です。",
                          kErrorTypeMismatch);
  }
  return a;
}

AutoObjectPtr AutoValue::AsObject() const {
  if (GetKind() != Kind::Object) Mismatch("Object");
  return std::get<AutoObjectPtr>(v_);
}

std::string AutoValue::Describe() const {
  std::string out;
  switch (GetKind()) {
    case Kind::Empty: return "<empty>";
    case Kind::Omitted: return "<omitted>";
    case Kind::Bool: return std::get<bool>(v_) ? "true" : "false";
    case Kind::Int16: return "Int16(" + std::to_string(std::get<std::int16_t>(v_)) + ")";
    case Kind::Int32: return std::to_string(std::get<std::int32_t>(v_));
    case Kind::Int64: return std::to_string(std::get<std::int64_t>(v_));
    case Kind::Double: return NumberText(std::get<double>(v_));
    case Kind::Text: AppendQuoted(out, std::get<std::string>(v_)); return out;
    case Kind::Doubles: {
      out = "[";
      const DoubleArray& a = std::get<DoubleArray>(v_);
      for (std::size_t i = 0; i < a.size(); ++i) {
        if (i > 0) out += ", ";
        out += NumberText(a[i]);
      }
      return out + "]";
    }
    case Kind::Object: return "<object>";
  }
  return out;
}

AutoValue SameKindInteger(const AutoValue& like, std::int32_t v) {
  switch (like.GetKind()) {
    case AutoValue::Kind::Int16:
      if (v < std::numeric_limits<std::int16_t>::min() ||
          v > std::numeric_limits<std::int16_t>::max()) {
        OutOfRange(AutoValue(v), "Short");
      }
      return AutoValue(static_cast<std::int16_t>(v));
    case AutoValue::Kind::Int64: return AutoValue(std::int64_t{v});
    default: return AutoValue(v);
  }
}

}  // namespace zr::cadlink
