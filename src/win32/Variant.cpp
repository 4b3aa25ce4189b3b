#include "win32/Variant.h"

#include <wrl/client.h>

#include "win32/AutoObjectDispatch.h"
#include "win32/ComError.h"
#include "win32/DispatchObject.h"
#include "win32/WideText.h"

namespace zr::win32 {

using cadlink::AutoValue;
using cadlink::AutomationError;
using Microsoft::WRL::ComPtr;

namespace {

BSTR MakeBstr(const std::string& utf8) {
  const std::wstring w = Widen(utf8);
  BSTR b = ::SysAllocStringLen(w.data(), static_cast<UINT>(w.size()));
  if (b == nullptr) ThrowHResult(E_OUTOFMEMORY);
  return b;
}

SAFEARRAY* MakeDoubleArray(const cadlink::DoubleArray& values) {
  SAFEARRAY* sa = ::SafeArrayCreateVector(VT_R8, 0, static_cast<ULONG>(values.size()));
  if (sa == nullptr) ThrowHResult(E_OUTOFMEMORY);
  void* data = nullptr;
  if (!values.empty()) {
    if (FAILED(::SafeArrayAccessData(sa, &data))) {
      ::SafeArrayDestroy(sa);
      ThrowHResult(E_FAIL, "SafeArrayAccessData");
    }
    std::copy(values.begin(), values.end(), static_cast<double*>(data));
    ::SafeArrayUnaccessData(sa);
  }
  return sa;
}

[[noreturn]] void Unsupported(VARTYPE vt) {
  throw AutomationError("Automation values of variant type " + std::to_string(vt) +
                            " are not supported",
                        cadlink::kErrorTypeMismatch);
}

double ElementAsDouble(SAFEARRAY* sa, VARTYPE vt, LONG index) {
  if (vt == VT_VARIANT) {
    UniqueVariant element;
    HRESULT hr = ::SafeArrayGetElement(sa, &index, element.get());
    if (FAILED(hr)) ThrowHResult(hr, "SafeArrayGetElement");
    UniqueVariant asDouble;
    hr = ::VariantChangeType(asDouble.get(), element.get(), 0, VT_R8);
    if (FAILED(hr)) ThrowHResult(hr, "array element");
    return (*asDouble).dblVal;
  }
  UniqueVariant element;
  VARIANT* e = element.get();
  e->llVal = 0;
  HRESULT hr = ::SafeArrayGetElement(sa, &index, &e->llVal);  // large enough for any number
  if (FAILED(hr)) ThrowHResult(hr, "SafeArrayGetElement");
  e->vt = vt;
  UniqueVariant asDouble;
  hr = ::VariantChangeType(asDouble.get(), e, 0, VT_R8);
  if (FAILED(hr)) ThrowHResult(hr, "array element");
  return (*asDouble).dblVal;
}

AutoValue ArrayFromVariant(const VARIANT& v) {
  const VARTYPE elementType = v.vt & VT_TYPEMASK;
  switch (elementType) {
    case VT_R8: case VT_R4: case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_UI1:
    case VT_UI2: case VT_UI4: case VT_INT: case VT_UINT: case VT_VARIANT:
      break;
    default:
      Unsupported(v.vt);
  }
  SAFEARRAY* sa = v.parray;
  if (sa == nullptr) return AutoValue(cadlink::DoubleArray{});
  if (::SafeArrayGetDim(sa) != 1) Unsupported(v.vt);
  LONG lower = 0, upper = -1;
  ::SafeArrayGetLBound(sa, 1, &lower);
  ::SafeArrayGetUBound(sa, 1, &upper);
  cadlink::DoubleArray out;
  for (LONG i = lower; i <= upper; ++i) out.push_back(ElementAsDouble(sa, elementType, i));
  return AutoValue(std::move(out));
}

AutoValue ObjectFromUnknown(IUnknown* unknown) {
  if (unknown == nullptr) return AutoValue();
  ComPtr<IDispatch> dispatch;
  const HRESULT hr = unknown->QueryInterface(IID_PPV_ARGS(&dispatch));
  if (FAILED(hr)) ThrowHResult(hr, "IDispatch");
  return AutoValue(cadlink::AutoObjectPtr(std::make_shared<DispatchObject>(dispatch)));
}

}  // namespace

void ToVariant(const AutoValue& value, VARIANT& out) {
  using Kind = AutoValue::Kind;
  switch (value.GetKind()) {
    case Kind::Empty:
      out.vt = VT_EMPTY;
      return;
    case Kind::Omitted:
      out.vt = VT_ERROR;
      out.scode = DISP_E_PARAMNOTFOUND;
      return;
    case Kind::Bool:
      out.vt = VT_BOOL;
      out.boolVal = value.AsBool() ? VARIANT_TRUE : VARIANT_FALSE;
      return;
    case Kind::Int16:
      out.vt = VT_I2;
      out.iVal = static_cast<SHORT>(value.AsInt32());
      return;
    case Kind::Int32:
      out.vt = VT_I4;
      out.lVal = value.AsInt32();
      return;
    case Kind::Int64:
      out.vt = VT_I8;
      out.llVal = value.AsInt64();
      return;
    case Kind::Double:
      out.vt = VT_R8;
      out.dblVal = value.AsDouble();
      return;
    case Kind::Text:
      out.bstrVal = MakeBstr(value.AsText());
      out.vt = VT_BSTR;
      return;
    case Kind::Doubles:
      out.parray = MakeDoubleArray(value.AsDoubles());
      out.vt = VT_ARRAY | VT_R8;
      return;
    case Kind::Object: {
      const cadlink::AutoObjectPtr object = value.AsObject();
      ComPtr<IDispatch> dispatch;
      if (auto* remote = dynamic_cast<DispatchObject*>(object.get())) {
        dispatch = remote->Dispatch();
      } else {
        dispatch = AutoObjectDispatch::Wrap(object);
      }
      out.pdispVal = dispatch.Detach();
      out.vt = VT_DISPATCH;
      return;
    }
  }
}

AutoValue FromVariant(const VARIANT& v) {
  if (v.vt & VT_BYREF) {
    UniqueVariant plain;
    const HRESULT hr = ::VariantCopyInd(plain.get(), const_cast<VARIANT*>(&v));
    if (FAILED(hr)) ThrowHResult(hr, "by-reference value");
    return FromVariant(*plain);
  }
  if (v.vt & VT_ARRAY) return ArrayFromVariant(v);
  switch (v.vt) {
    case VT_EMPTY: case VT_NULL: return AutoValue();
    case VT_ERROR:
      if (v.scode == DISP_E_PARAMNOTFOUND) return AutoValue::Omitted();
      return AutoValue(static_cast<std::int32_t>(v.scode));
    case VT_BOOL: return AutoValue(v.boolVal != VARIANT_FALSE);
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
      if (v.ullVal > 0x7FFFFFFFFFFFFFFFull) Unsupported(v.vt);
      return AutoValue(static_cast<std::int64_t>(v.ullVal));
    case VT_R4: return AutoValue(static_cast<double>(v.fltVal));
    case VT_R8: return AutoValue(v.dblVal);
    case VT_CY: case VT_DATE: case VT_DECIMAL: {
      UniqueVariant asDouble;
      const HRESULT hr = ::VariantChangeType(asDouble.get(), const_cast<VARIANT*>(&v), 0, VT_R8);
      if (FAILED(hr)) ThrowHResult(hr);
      return AutoValue((*asDouble).dblVal);
    }
    case VT_BSTR:
      return AutoValue(v.bstrVal ? Narrow(std::wstring_view(v.bstrVal, ::SysStringLen(v.bstrVal)))
                                 : std::string());
    case VT_DISPATCH: return ObjectFromUnknown(v.pdispVal);
    case VT_UNKNOWN: return ObjectFromUnknown(v.punkVal);
    default: Unsupported(v.vt);
  }
}

void StoreIntoReference(const AutoValue& value, VARIANT& byRef) {
  if (!(byRef.vt & VT_BYREF)) return;
  const VARTYPE target = byRef.vt & ~VT_BYREF;
  if (target == VT_VARIANT) {
    ::VariantClear(byRef.pvarVal);
    ToVariant(value, *byRef.pvarVal);
    return;
  }
  if (target == (VT_ARRAY | VT_R8)) {
    SAFEARRAY* fresh = MakeDoubleArray(value.AsDoubles());
    if (*byRef.pparray != nullptr) ::SafeArrayDestroy(*byRef.pparray);
    *byRef.pparray = fresh;
    return;
  }
  switch (target) {
    case VT_BOOL: *byRef.pboolVal = value.AsBool() ? VARIANT_TRUE : VARIANT_FALSE; return;
    case VT_I2: {
      const std::int32_t i = value.AsInt32();
      if (i < -32768 || i > 32767) {
        throw AutomationError("オートメーションの値 " + value.Describe() +
                                  " は Short 型の範囲を超えています。",
                              cadlink::kErrorTypeMismatch);
      }
      *byRef.piVal = static_cast<SHORT>(i);
      return;
    }
    case VT_I4: *byRef.plVal = value.AsInt32(); return;
    case VT_I8: *byRef.pllVal = value.AsInt64(); return;
    case VT_R8: *byRef.pdblVal = value.AsDouble(); return;
    case VT_BSTR: {
      BSTR fresh = MakeBstr(value.AsText());
      ::SysFreeString(*byRef.pbstrVal);
      *byRef.pbstrVal = fresh;
      return;
    }
    default:
      return;  // other reference types are left as the caller gave them
  }
}

}  // namespace zr::win32
