#include "win32/MessageFilter.h"

#include "cadlink/MessageFilterRules.h"

namespace zr::win32 {

Microsoft::WRL::ComPtr<TMessageFilter> gbMessageFilter;

Microsoft::WRL::ComPtr<TMessageFilter> TMessageFilter::Create() {
  Microsoft::WRL::ComPtr<TMessageFilter> filter;
  filter.Attach(new TMessageFilter());
  return filter;
}

void TMessageFilter::RegisterFilter() {
  FOldFilter.Reset();
  ::CoRegisterMessageFilter(this, FOldFilter.ReleaseAndGetAddressOf());
}

void TMessageFilter::RevokeFilter() {
  Microsoft::WRL::ComPtr<IMessageFilter> handedBack;
  ::CoRegisterMessageFilter(FOldFilter.Get(), handedBack.ReleaseAndGetAddressOf());
}

HRESULT TMessageFilter::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IMessageFilter) {
    *object = static_cast<IMessageFilter*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG TMessageFilter::AddRef() { return ++refs_; }

ULONG TMessageFilter::Release() {
  const ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

DWORD TMessageFilter::HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) {
  return cadlink::HandleInComingCallAnswer();
}

DWORD TMessageFilter::RetryRejectedCall(HTASK, DWORD, DWORD dwRejectType) {
  return cadlink::RetryRejectedCallAnswer(dwRejectType);
}

DWORD TMessageFilter::MessagePending(HTASK, DWORD, DWORD) {
  return cadlink::MessagePendingAnswer();
}

}  // namespace zr::win32
