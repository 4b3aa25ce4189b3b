#include "win32/AutoObjectDispatch.h"

#include <exception>

#include "win32/DispatchObject.h"
#include "win32/Variant.h"
#include "win32/WideText.h"

namespace zr::win32 {

using cadlink::AutoArg;
using cadlink::AutoArgs;
using cadlink::AutoValue;

namespace {

bool SameNameIgnoringAsciiCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

void FillExcepInfo(EXCEPINFO* info, const std::string& text, HRESULT code) {
  if (info == nullptr) return;
  *info = EXCEPINFO{};
  const std::wstring w = Widen(text);
  info->bstrDescription = ::SysAllocStringLen(w.data(), static_cast<UINT>(w.size()));
  info->scode = code;
}

}  // namespace

Microsoft::WRL::ComPtr<IDispatch> AutoObjectDispatch::Wrap(cadlink::AutoObjectPtr object,
                                                           ResultFilter filter) {
  Microsoft::WRL::ComPtr<IDispatch> dispatch;
  dispatch.Attach(new AutoObjectDispatch(std::move(object), std::move(filter)));
  return dispatch;
}

HRESULT AutoObjectDispatch::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT AutoObjectDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info != nullptr) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT AutoObjectDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) {
  if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
  try {
    const std::string member = Narrow(names[0]);
    DISPID id = 0;
    for (std::size_t i = 0; i < names_.size() && id == 0; ++i) {
      if (SameNameIgnoringAsciiCase(names_[i], member)) id = static_cast<DISPID>(i + 1);
    }
    if (id == 0) {
      names_.push_back(member);
      id = static_cast<DISPID>(names_.size());
    }
    ids[0] = id;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  // Named parameters are not supported.
  for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  return count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
}

HRESULT AutoObjectDispatch::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT* argError) {
  if (id < 1 || static_cast<std::size_t>(id) > names_.size()) return DISP_E_MEMBERNOTFOUND;
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) return DISP_E_MEMBERNOTFOUND;
  if (params == nullptr) return E_INVALIDARG;
  if (params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
  if (argError != nullptr) *argError = 0;
  try {
    return InvokeMember(names_[static_cast<std::size_t>(id) - 1], flags, *params, result);
  } catch (const cadlink::AutomationError& e) {
    FillExcepInfo(info, e.what(), e.Code());
  } catch (const std::exception& e) {
    FillExcepInfo(info, e.what(), E_FAIL);
  } catch (...) {
    FillExcepInfo(info, "予期しないエラーが発生しました。", E_UNEXPECTED);
  }
  return DISP_E_EXCEPTION;
}

HRESULT AutoObjectDispatch::InvokeMember(const std::string& member, WORD flags,
                                         DISPPARAMS& params, VARIANT* result) {
  const std::size_t n = params.cArgs;
  // By-reference arguments get a variable of their own (stable storage) and are written back.
  std::vector<AutoValue> variables(n);
  AutoArgs args;
  args.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    VARIANT& arg = params.rgvarg[n - 1 - i];
    variables[i] = FromVariant(arg);
    if (arg.vt & VT_BYREF) {
      args.push_back(AutoArg::ByRef(variables[i]));
    } else {
      args.push_back(AutoArg(variables[i]));
    }
  }
  const bool read = (flags & DISPATCH_PROPERTYGET) && n == 0;
  AutoValue value = read ? object_->Get(member) : object_->Call(member, args);
  for (std::size_t i = 0; i < n; ++i) {
    VARIANT& arg = params.rgvarg[n - 1 - i];
    if (arg.vt & VT_BYREF) StoreIntoReference(variables[i], arg);
  }
  if (result == nullptr) return S_OK;
  ::VariantInit(result);
  if (filter_ && value.GetKind() == AutoValue::Kind::Object &&
      dynamic_cast<DispatchObject*>(value.AsObject().get()) == nullptr) {
    result->pdispVal = Wrap(value.AsObject(), filter_).Detach();  // children share the filter
    result->vt = VT_DISPATCH;
  } else {
    ToVariant(value, *result);
  }
  if (filter_) filter_(*object_, member, *result);
  return S_OK;
}

}  // namespace zr::win32
