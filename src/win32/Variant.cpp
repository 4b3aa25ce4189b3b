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

void StoreIntoReference(const AutoValue& value, VARIANT& byRef) {
  if (!(byRef.vt & VT_BYREF)) return;
  if (byRef.byref == nullptr) {
    throw AutomationError("参照で渡された引数に参照先がありません。", cadlink::kErrorTypeMismatch);
  }
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
      // Leaving the caller's variable unchanged would report a result that never arrived.
      throw AutomationError("参照で渡された " + VarTypeText(byRef.vt) +
                                " 型の引数には値を返せません。",
                            cadlink::kErrorTypeMismatch);
  }
}

}  // namespace zr::win32
