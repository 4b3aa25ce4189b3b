#include "win32/DispatchObject.h"

#include <vector>

#include "win32/ComError.h"
#include "win32/Variant.h"
#include "win32/WideText.h"

namespace zr::win32 {

using cadlink::AutoArgs;
using cadlink::AutoValue;

namespace {

// Text and code of a server's exception; frees the strings the server allocated.
[[noreturn]] void ThrowExcepInfo(EXCEPINFO& info, const std::string& member) {
  if (info.pfnDeferredFillIn != nullptr) info.pfnDeferredFillIn(&info);
  std::string text;
  if (info.bstrDescription != nullptr) {
    text = Narrow(std::wstring_view(info.bstrDescription, ::SysStringLen(info.bstrDescription)));
  }
  const HRESULT code = info.scode != 0 ? info.scode : DISP_E_EXCEPTION;
  ::SysFreeString(info.bstrSource);
  ::SysFreeString(info.bstrDescription);
  ::SysFreeString(info.bstrHelpFile);
  if (text.empty()) text = HResultText(code) + " (" + member + ")";
  throw cadlink::AutomationError(text, static_cast<std::int32_t>(code));
}

}  // namespace

DispatchObject::DispatchObject(Microsoft::WRL::ComPtr<IDispatch> dispatch)
    : dispatch_(std::move(dispatch)) {
  if (!dispatch_) throw cadlink::AutomationError("オートメーション オブジェクトがありません。");
}

DISPID DispatchObject::MemberId(const std::string& member) {
  std::wstring name = Widen(member);
  LPOLESTR names[] = {name.data()};
  DISPID id = DISPID_UNKNOWN;
  const HRESULT hr = dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) ThrowHResult(hr, member);
  return id;
}

AutoValue DispatchObject::Get(const std::string& member) {
  return Invoke(member, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {});
}

AutoValue DispatchObject::Call(const std::string& member, const AutoArgs& args) {
  return Invoke(member, DISPATCH_METHOD, args);
}

AutoValue DispatchObject::Invoke(const std::string& member, WORD flags, const AutoArgs& args) {
  const DISPID id = MemberId(member);
  const std::size_t n = args.size();
  // IDispatch takes the arguments last first. `values` owns every value; a by-reference
  // argument's slot points into it.
  VariantArray values(n);
  std::vector<VARIANT> slots(n);
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t at = n - 1 - i;
    ToVariant(args[i].Value(), values[at]);
    if (args[i].IsByRef()) {
      ::VariantInit(&slots[at]);
      slots[at].vt = VT_BYREF | VT_VARIANT;
      slots[at].pvarVal = &values[at];
    } else {
      slots[at] = values[at];  // shallow: `values` still owns it
    }
  }
  DISPPARAMS params{slots.data(), nullptr, static_cast<UINT>(n), 0};
  UniqueVariant result;
  EXCEPINFO info{};
  UINT argError = 0;
  const HRESULT hr = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                       result.get(), &info, &argError);
  if (hr == DISP_E_EXCEPTION) ThrowExcepInfo(info, member);
  if (FAILED(hr)) ThrowHResult(hr, member);
  for (std::size_t i = 0; i < n; ++i) {
    if (args[i].IsByRef()) args[i].StoreBack(FromVariant(values[n - 1 - i]));
  }
  return FromVariant(*result);
}

}  // namespace zr::win32
