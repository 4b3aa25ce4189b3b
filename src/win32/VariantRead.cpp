// Reading VARIANTs that a server answers with. They are untrusted input: every type, every
// array's real element type, element size, dimensions and bounds is checked before a byte is
// read, and anything unexpected becomes an AutomationError with a Japanese text.
#include <cstdio>
#include <cstring>

#include "win32/ComError.h"
#include "win32/DispatchObject.h"
#include "win32/Variant.h"
#include "win32/WideText.h"

namespace zr::win32 {

using cadlink::AutomationError;
using cadlink::AutoValue;
using Microsoft::WRL::ComPtr;

namespace {

// More elements than any point or list a CAD answers with: a sign of a broken array.
constexpr ULONG kMaxArrayElements = 1u << 20;
// VT_BYREF | VT_VARIANT may point at a by-reference value once more, not deeper.
constexpr int kMaxReferenceDepth = 2;

const char* BaseTypeName(VARTYPE base) {
  switch (base) {
    case VT_EMPTY: return "VT_EMPTY";
    case VT_NULL: return "VT_NULL";
    case VT_I2: return "VT_I2";
    case VT_I4: return "VT_I4";
    case VT_R4: return "VT_R4";
    case VT_R8: return "VT_R8";
    case VT_CY: return "VT_CY";
    case VT_DATE: return "VT_DATE";
    case VT_BSTR: return "VT_BSTR";
    case VT_DISPATCH: return "VT_DISPATCH";
    case VT_ERROR: return "VT_ERROR";
    case VT_BOOL: return "VT_BOOL";
    case VT_VARIANT: return "VT_VARIANT";
    case VT_UNKNOWN: return "VT_UNKNOWN";
    case VT_DECIMAL: return "VT_DECIMAL";
    case VT_I1: return "VT_I1";
    case VT_UI1: return "VT_UI1";
    case VT_UI2: return "VT_UI2";
    case VT_UI4: return "VT_UI4";
    case VT_I8: return "VT_I8";
    case VT_UI8: return "VT_UI8";
    case VT_INT: return "VT_INT";
    case VT_UINT: return "VT_UINT";
    case VT_RECORD: return "VT_RECORD";
    default: return nullptr;
  }
}

[[noreturn]] void Refuse(const std::string& what) {
  throw AutomationError("CAD から受け取った値を読めません: " + what + "。",
                        cadlink::kErrorTypeMismatch);
}

[[noreturn]] void Unsupported(VARTYPE vt) {
  Refuse(VarTypeText(vt) + " 型の値には対応していません");
}

// Bytes of one array element of a type this reader takes; 0 for any other type.
ULONG ElementSize(VARTYPE vt) {
  switch (vt) {
    case VT_I1: case VT_UI1: return 1;
    case VT_I2: case VT_UI2: return 2;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_R4: return 4;
    case VT_I8: case VT_R8: return 8;
    case VT_VARIANT: return sizeof(VARIANT);
    default: return 0;
  }
}

double NumberAt(const unsigned char* p, VARTYPE vt) {
  // memcpy: the data of a foreign array need not be aligned for the element type.
  auto read = [p]<typename T>(T) {
    T value;
    std::memcpy(&value, p, sizeof value);
    return static_cast<double>(value);
  };
  switch (vt) {
    case VT_I1: return read(std::int8_t{});
    case VT_UI1: return read(std::uint8_t{});
    case VT_I2: return read(std::int16_t{});
    case VT_UI2: return read(std::uint16_t{});
    case VT_I4: case VT_INT: return read(std::int32_t{});
    case VT_UI4: case VT_UINT: return read(std::uint32_t{});
    case VT_I8: return read(std::int64_t{});
    case VT_R4: return read(float{});
    case VT_R8: return read(double{});
    default: Unsupported(vt);
  }
}

// An element of an array of VARIANTs: a plain number, nothing else.
double VariantElementAsDouble(const VARIANT& e, LONG index) {
  switch (e.vt) {
    case VT_I1: case VT_UI1: case VT_I2: case VT_UI2: case VT_I4: case VT_UI4: case VT_INT:
    case VT_UINT: case VT_I8: case VT_UI8: case VT_R4: case VT_R8:
      return FromVariant(e).AsDouble();
    default:
      Refuse("配列の要素 " + std::to_string(index) + " が数値ではありません（" +
             VarTypeText(e.vt) + "）");
  }
}

// The element type the array really holds; its flags tell it when no type is stored.
VARTYPE RealElementType(SAFEARRAY* sa) {
  VARTYPE vt = VT_EMPTY;
  if (SUCCEEDED(::SafeArrayGetVartype(sa, &vt))) return vt;
  if (sa->fFeatures & FADF_VARIANT) return VT_VARIANT;
  if (sa->fFeatures & (FADF_BSTR | FADF_UNKNOWN | FADF_DISPATCH | FADF_RECORD)) return VT_RECORD;
  return VT_EMPTY;  // unknown: only the claimed type with a matching element size is read
}

AutoValue ArrayFromVariant(VARTYPE claimed, SAFEARRAY* sa) {
  const VARTYPE base = claimed & VT_TYPEMASK;
  if (claimed & ~(VT_ARRAY | VT_TYPEMASK)) Unsupported(claimed);
  if (ElementSize(base) == 0) Unsupported(claimed);
  if (sa == nullptr) return AutoValue(cadlink::DoubleArray{});
  VARTYPE real = RealElementType(sa);
  if (real == VT_EMPTY) real = base;
  if (real != base) {
    Refuse(VarTypeText(claimed) + " とされた配列の要素が " + VarTypeText(real) + " 型です");
  }
  if (::SafeArrayGetElemsize(sa) != ElementSize(base)) {
    Refuse(VarTypeText(claimed) + " の配列の要素の大きさが " +
           std::to_string(::SafeArrayGetElemsize(sa)) + " バイトです");
  }
  if (::SafeArrayGetDim(sa) != 1) {
    Refuse(std::to_string(::SafeArrayGetDim(sa)) + " 次元の配列には対応していません");
  }
  LONG lower = 0, upper = -1;
  if (FAILED(::SafeArrayGetLBound(sa, 1, &lower)) || FAILED(::SafeArrayGetUBound(sa, 1, &upper))) {
    Refuse("配列の範囲が読めません");
  }
  const ULONG count = sa->rgsabound[0].cElements;
  if (count > kMaxArrayElements) Refuse("配列の要素が多すぎます（" + std::to_string(count) + "）");
  cadlink::DoubleArray out;
  if (count == 0) return AutoValue(std::move(out));
  void* raw = nullptr;
  const HRESULT hr = ::SafeArrayAccessData(sa, &raw);
  if (FAILED(hr)) ThrowHResult(hr, "SafeArrayAccessData");
  out.reserve(count);
  try {
    const auto* bytes = static_cast<const unsigned char*>(raw);
    for (ULONG i = 0; i < count; ++i) {
      const unsigned char* p = bytes + static_cast<std::size_t>(i) * ElementSize(base);
      if (base == VT_VARIANT) {
        out.push_back(VariantElementAsDouble(*reinterpret_cast<const VARIANT*>(p),
                                             lower + static_cast<LONG>(i)));
      } else {
        out.push_back(NumberAt(p, base));
      }
    }
  } catch (...) {
    ::SafeArrayUnaccessData(sa);
    throw;
  }
  ::SafeArrayUnaccessData(sa);
  return AutoValue(std::move(out));
}

AutoValue ObjectFromUnknown(IUnknown* unknown) {
  if (unknown == nullptr) return AutoValue();
  ComPtr<IDispatch> dispatch;
  const HRESULT hr = unknown->QueryInterface(IID_PPV_ARGS(&dispatch));
  if (FAILED(hr)) ThrowHResult(hr, "IDispatch");
  return AutoValue(cadlink::AutoObjectPtr(std::make_shared<DispatchObject>(dispatch)));
}

AutoValue Read(const VARIANT& v, int depth);

// A by-reference value of the types a caller of this program passes by reference (and that
// StoreIntoReference writes); any other is refused rather than guessed at.
AutoValue ReadReference(const VARIANT& v, int depth) {
  const VARTYPE target = v.vt & ~VT_BYREF;
  if (v.byref == nullptr) Refuse(VarTypeText(v.vt) + " の参照先がありません");
  if (target & VT_ARRAY) return ArrayFromVariant(target, *v.pparray);
  VARIANT plain;
  ::VariantInit(&plain);
  switch (target) {
    case VT_VARIANT:
      if (depth >= kMaxReferenceDepth) Refuse("参照の参照が深すぎます");
      return Read(*v.pvarVal, depth + 1);
    case VT_BOOL: plain.boolVal = *v.pboolVal; break;
    case VT_I2: plain.iVal = *v.piVal; break;
    case VT_I4: plain.lVal = *v.plVal; break;
    case VT_I8: plain.llVal = *v.pllVal; break;
    case VT_R8: plain.dblVal = *v.pdblVal; break;
    case VT_BSTR: plain.bstrVal = *v.pbstrVal; break;      // borrowed, read at once
    case VT_DISPATCH: plain.pdispVal = *v.ppdispVal; break;  // borrowed, read at once
    default: Unsupported(v.vt);
  }
  plain.vt = target;
  return Read(plain, depth);
}

AutoValue ReadInteger(const VARIANT& v) {
  switch (v.vt) {
    case VT_I1: return AutoValue(static_cast<std::int32_t>(v.cVal));
    case VT_UI1: return AutoValue(static_cast<std::int32_t>(v.bVal));
    case VT_I2: return AutoValue(static_cast<std::int16_t>(v.iVal));
    case VT_UI2: return AutoValue(static_cast<std::int32_t>(v.uiVal));
    case VT_I4: return AutoValue(static_cast<std::int32_t>(v.lVal));
    case VT_INT: return AutoValue(static_cast<std::int32_t>(v.intVal));
    case VT_UI4: case VT_UINT: {
      const std::uint32_t u = v.vt == VT_UI4 ? v.ulVal : v.uintVal;
      if (u <= 0x7FFFFFFFu) return AutoValue(static_cast<std::int32_t>(u));
      return AutoValue(static_cast<std::int64_t>(u));
    }
    case VT_I8: return AutoValue(static_cast<std::int64_t>(v.llVal));
    case VT_UI8:
      if (v.ullVal > 0x7FFFFFFFFFFFFFFFull) Refuse("VT_UI8 の値が大きすぎます");
      return AutoValue(static_cast<std::int64_t>(v.ullVal));
    default: Unsupported(v.vt);
  }
}

AutoValue Read(const VARIANT& v, int depth) {
  if (v.vt & VT_BYREF) return ReadReference(v, depth);
  if (v.vt & VT_ARRAY) return ArrayFromVariant(v.vt, v.parray);
  switch (v.vt) {
    case VT_EMPTY: case VT_NULL: return AutoValue();
    case VT_ERROR: {
      if (v.scode == DISP_E_PARAMNOTFOUND) return AutoValue::Omitted();
      char code[16];
      std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(v.scode));
      throw AutomationError(std::string("CAD がエラー値 ") + code + " を返しました。",
                            static_cast<std::int32_t>(v.scode));
    }
    case VT_BOOL: return AutoValue(v.boolVal != VARIANT_FALSE);
    case VT_R4: return AutoValue(static_cast<double>(v.fltVal));
    case VT_R8: return AutoValue(v.dblVal);
    case VT_CY: case VT_DATE: case VT_DECIMAL: {
      UniqueVariant asDouble;
      const HRESULT hr = ::VariantChangeType(asDouble.get(), const_cast<VARIANT*>(&v), 0, VT_R8);
      if (FAILED(hr)) ThrowHResult(hr, VarTypeText(v.vt));
      return AutoValue((*asDouble).dblVal);
    }
    case VT_BSTR:
      return AutoValue(v.bstrVal ? Narrow(std::wstring_view(v.bstrVal, ::SysStringLen(v.bstrVal)))
                                 : std::string());
    case VT_DISPATCH: return ObjectFromUnknown(v.pdispVal);
    case VT_UNKNOWN: return ObjectFromUnknown(v.punkVal);
    default: return ReadInteger(v);
  }
}

}  // namespace

std::string VarTypeText(VARTYPE vt) {
  std::string text;
  if (vt & VT_BYREF) text += "VT_BYREF|";
  if (vt & VT_ARRAY) text += "VT_ARRAY|";
  if (vt & VT_VECTOR) text += "VT_VECTOR|";
  const VARTYPE base = vt & VT_TYPEMASK;
  if (const char* name = BaseTypeName(base)) return text + name;
  char number[16];
  std::snprintf(number, sizeof number, "0x%04X", static_cast<unsigned>(base));
  return text + number;
}

AutoValue FromVariant(const VARIANT& v) { return Read(v, 0); }

}  // namespace zr::win32
