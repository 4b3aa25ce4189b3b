#pragma once
// A late-bound automation object reached through IDispatch: every member is looked up by name
// (GetIDsOfNames) and then invoked.
#include <windows.h>
#include <oaidl.h>
#include <wrl/client.h>

#include <string>

#include "cadlink/AutoValue.h"

namespace zr::win32 {

class DispatchObject final : public cadlink::IAutoObject {
 public:
  explicit DispatchObject(Microsoft::WRL::ComPtr<IDispatch> dispatch);

  // DISPATCH_METHOD | DISPATCH_PROPERTYGET without arguments.
  cadlink::AutoValue Get(const std::string& member) override;
  // DISPATCH_METHOD; omitted arguments travel as DISP_E_PARAMNOTFOUND, by-reference ones as
  // VT_BYREF | VT_VARIANT and come back with what the server left in them.
  cadlink::AutoValue Call(const std::string& member, const cadlink::AutoArgs& args) override;

  IDispatch* Dispatch() const { return dispatch_.Get(); }

 private:
  DISPID MemberId(const std::string& member);
  cadlink::AutoValue Invoke(const std::string& member, WORD flags, const cadlink::AutoArgs& args);

  Microsoft::WRL::ComPtr<IDispatch> dispatch_;
};

}  // namespace zr::win32
