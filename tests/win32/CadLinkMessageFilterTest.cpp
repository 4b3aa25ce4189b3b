// The palette's COM message filter. Wine 8 neither retries a call that the server answered
// with "retry later" (it runs the call at once) nor consults the caller's filter for a
// rejected call, so the answers and the registration are tested directly here; the calls into
// a busy test CAD check what reaches the caller.
#include <gtest/gtest.h>

#include "CadLinkTestCad.h"
#include "CadLinkTestSupport.h"
#include "cadlink/CadConnection.h"
#include "win32/MessageFilter.h"

namespace zr::win32 {
namespace {

using Microsoft::WRL::ComPtr;
using testing::ComApartment;

// A filter that only marks its place in the registration chain.
class MarkerFilter final : public IMessageFilter {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (riid == IID_IUnknown || riid == IID_IMessageFilter) {
      *object = static_cast<IMessageFilter*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override {
    return SERVERCALL_ISHANDLED;
  }
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD, DWORD) override { return 0; }
  DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override {
    return PENDINGMSG_WAITDEFPROCESS;
  }
  ULONG refs = 1;
};

// The filter registered on this thread now (the registration is left as it was).
IMessageFilter* CurrentFilter() {
  IMessageFilter* current = nullptr;
  ::CoRegisterMessageFilter(nullptr, &current);
  IMessageFilter* none = nullptr;
  ::CoRegisterMessageFilter(current, &none);
  if (current != nullptr) current->Release();  // the chain holds it again
  return current;
}

ULONG RefCount(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

TEST(CadLinkMessageFilter, AnswersRetryBusyEverySecondCancelRejectedAndDispatchNothing) {
  ComPtr<TMessageFilter> filter = TMessageFilter::Create();
  IMessageFilter* f = filter.Get();
  EXPECT_EQ(f->HandleInComingCall(CALLTYPE_TOPLEVEL, nullptr, 0, nullptr), SERVERCALL_ISHANDLED);
  EXPECT_EQ(f->HandleInComingCall(CALLTYPE_NESTED, nullptr, 99999, nullptr),
            SERVERCALL_ISHANDLED);
  EXPECT_EQ(f->RetryRejectedCall(nullptr, 0, SERVERCALL_RETRYLATER), 1000u);
  EXPECT_EQ(f->RetryRejectedCall(nullptr, 3600000, SERVERCALL_RETRYLATER), 1000u)
      << "a CAD busy for an hour is still retried";
  EXPECT_EQ(f->RetryRejectedCall(nullptr, 0, SERVERCALL_REJECTED), static_cast<DWORD>(-1));
  EXPECT_EQ(f->MessagePending(nullptr, 0, PENDINGTYPE_TOPLEVEL), PENDINGMSG_WAITNOPROCESS);
  EXPECT_EQ(f->MessagePending(nullptr, 5000, PENDINGTYPE_NESTED), PENDINGMSG_WAITNOPROCESS);
  ComPtr<IMessageFilter> asFilter;
  EXPECT_EQ(filter.As(&asFilter), S_OK);
  ComPtr<IDispatch> notDispatch;
  EXPECT_EQ(filter.As(&notDispatch), E_NOINTERFACE);
}

TEST(CadLinkMessageFilter, RegistrationChainsAndRevocationPutsThePreviousFilterBack) {
  ComApartment com;
  MarkerFilter previous;
  ::CoRegisterMessageFilter(&previous, nullptr);
  ASSERT_EQ(CurrentFilter(), &previous);

  gbMessageFilter = TMessageFilter::Create();
  const ULONG alone = RefCount(gbMessageFilter.Get());
  gbMessageFilter->RegisterFilter();
  EXPECT_EQ(CurrentFilter(), static_cast<IMessageFilter*>(gbMessageFilter.Get()));
  EXPECT_GT(RefCount(gbMessageFilter.Get()), alone) << "COM holds the registered filter";

  gbMessageFilter->RevokeFilter();
  EXPECT_EQ(CurrentFilter(), &previous);
  EXPECT_EQ(RefCount(gbMessageFilter.Get()), alone) << "the handed-back reference is released";

  // A second cycle behaves the same (the old filter is looked up afresh).
  gbMessageFilter->RegisterFilter();
  EXPECT_EQ(CurrentFilter(), static_cast<IMessageFilter*>(gbMessageFilter.Get()));
  gbMessageFilter->RevokeFilter();
  EXPECT_EQ(CurrentFilter(), &previous);

  ::CoRegisterMessageFilter(nullptr, nullptr);
  gbMessageFilter.Reset();
}

TEST(CadLinkMessageFilter, RevokingWithoutAPreviousFilterLeavesNone) {
  ComApartment com;
  ::CoRegisterMessageFilter(nullptr, nullptr);
  ComPtr<TMessageFilter> filter = TMessageFilter::Create();
  filter->RegisterFilter();
  filter->RevokeFilter();
  EXPECT_EQ(CurrentFilter(), nullptr);
}

TEST(CadLinkMessageFilter, BusyCadCallsReachTheCallerAsTheRulesSay) {
  ComApartment com;
  testing::RecordingDesktop desktop;
  ComPtr<TMessageFilter> filter = TMessageFilter::Create();
  filter->RegisterFilter();
  {
    // "Retry later": the call completes (on Windows after retries every second).
    const std::string progId = testing::UniqueName("ZrTest.Busy");
    testing::TestCadProcess cad({"--progid", progId, "--filter", "retry", "--filter-ms", "1500"},
                                "busy");
    ASSERT_TRUE(cad.Ready());
    auto app = cadlink::GetCadApp(desktop, progId);
    app->GetObject("ActiveDocument")->Call("SendCommand", {"UCS W\r"});
    EXPECT_EQ(cadlink::CadMainWindow(*app), FromHwnd(cad.MainWindow()));
    EXPECT_FALSE(cad.WaitForLine("HandleInComingCall -> SERVERCALL_RETRYLATER",
                                 std::chrono::seconds(2)).empty());
  }
  {
    // "Rejected": the call fails at once with the call-rejected error.
    const std::string progId = testing::UniqueName("ZrTest.Rejecting");
    testing::TestCadProcess cad({"--progid", progId, "--filter", "reject", "--filter-ms", "5000"},
                                "rejecting");
    ASSERT_TRUE(cad.Ready());
    auto app = cadlink::GetCadApp(desktop, progId);
    app->GetObject("ActiveDocument")->Call("SendCommand", {"UCS W\r"});
    try {
      app->Get("HWND");
      ADD_FAILURE() << "a rejected call must fail";
    } catch (const cadlink::AutomationError& e) {
      EXPECT_EQ(e.Code(), cadlink::kErrorCallRejected);
      EXPECT_NE(std::string(e.what()).find("拒否"), std::string::npos) << e.what();
    }
  }
  filter->RevokeFilter();
}

}  // namespace
}  // namespace zr::win32
