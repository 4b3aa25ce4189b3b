#pragma once
// Serves a late-bound object of this process to COM callers as IDispatch: member names get
// DISPIDs as they are asked for, and Invoke calls the object's Get (a property read without
// arguments) or Call. Errors become DISP_E_EXCEPTION with the error's text in EXCEPINFO; no
// C++ exception leaves a COM method.
#include <windows.h>
#include <oaidl.h>
#include <wrl/client.h>

#include <functional>
#include <string>
#include <vector>

#include "cadlink/AutoValue.h"
#include "win32/ComObject.h"

namespace zr::win32 {

class AutoObjectDispatch final : public ComObject<IDispatch> {
 public:
  // Sees (and may replace) every result VARIANT before it goes back to the caller. Objects in
  // results are served with the same filter. The test CAD uses it to answer with types that a
  // CAD should not send.
  using ResultFilter = std::function<void(const cadlink::IAutoObject& object,
                                          const std::string& member, VARIANT& result)>;

  static Microsoft::WRL::ComPtr<IDispatch> Wrap(cadlink::AutoObjectPtr object,
                                                ResultFilter filter = {});

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* info,
                                   UINT* argError) override;

 private:
  AutoObjectDispatch(cadlink::AutoObjectPtr object, ResultFilter filter)
      : object_(std::move(object)), filter_(std::move(filter)) {}
  ~AutoObjectDispatch() override = default;
  HRESULT InvokeMember(const std::string& member, WORD flags, DISPPARAMS& params,
                       VARIANT* result);

  cadlink::AutoObjectPtr object_;
  ResultFilter filter_;
  std::vector<std::string> names_;  // DISPID n names names_[n - 1]
};

}  // namespace zr::win32
