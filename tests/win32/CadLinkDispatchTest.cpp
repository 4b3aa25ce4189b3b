// The IDispatch wrapper and the IDispatch server of late-bound objects, in one process.
#include <gtest/gtest.h>

#include <functional>

#include "support/CadLinkFakes.h"
#include "win32/AutoObjectDispatch.h"
#include "win32/DispatchObject.h"
#include "win32/Variant.h"

namespace zr::win32 {
namespace {

using cadlink::AutoArg;
using cadlink::AutoArgs;
using cadlink::AutomationError;
using cadlink::AutoObjectPtr;
using cadlink::AutoValue;
using cadlink::DoubleArray;
using Microsoft::WRL::ComPtr;

// An IDispatch that records how it is invoked and answers through a function.
class RecordingDispatch final : public IDispatch {
 public:
  struct Invocation {
    DISPID id;
    WORD flags;
    std::vector<VARTYPE> types;  // as passed, last argument first
  };
  std::vector<std::wstring> names;
  std::vector<Invocation> calls;
  std::function<HRESULT(DISPPARAMS&, VARIANT*, EXCEPINFO*)> answer =
      [](DISPPARAMS&, VARIANT*, EXCEPINFO*) { return S_OK; };

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** o) override {
    if (riid == IID_IUnknown || riid == IID_IDispatch) {
      *o = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *o = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    *n = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* n, UINT, LCID, DISPID* ids) override {
    if (std::wstring(n[0]) == L"Missing") return DISP_E_UNKNOWNNAME;
    names.emplace_back(n[0]);
    ids[0] = static_cast<DISPID>(names.size() + 100);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* p,
                                   VARIANT* result, EXCEPINFO* info, UINT*) override {
    Invocation inv{id, flags, {}};
    for (UINT i = 0; i < p->cArgs; ++i) inv.types.push_back(p->rgvarg[i].vt);
    calls.push_back(inv);
    return answer(*p, result, info);
  }
  ULONG refs = 1;
};

class CadLinkDispatch : public ::testing::Test {
 protected:
  RecordingDispatch raw;
  DispatchObject object{ComPtr<IDispatch>(&raw)};
};

TEST_F(CadLinkDispatch, ReadsAsMethodOrPropertyAndCallsAsMethod) {
  raw.answer = [](DISPPARAMS&, VARIANT* r, EXCEPINFO*) {
    r->vt = VT_I4;
    r->lVal = 4660;
    return S_OK;
  };
  EXPECT_EQ(object.Get("HWND").AsInt32(), 4660);
  object.Call("Clear", {});
  ASSERT_EQ(raw.calls.size(), 2u);
  EXPECT_EQ(raw.names, (std::vector<std::wstring>{L"HWND", L"Clear"}));
  EXPECT_EQ(raw.calls[0].id, 101);
  EXPECT_EQ(raw.calls[0].flags, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
  EXPECT_EQ(raw.calls[1].flags, DISPATCH_METHOD);
  EXPECT_TRUE(raw.calls[1].types.empty());
}

TEST_F(CadLinkDispatch, PassesArgumentsLastFirstWithOmittedArraysAndReferences) {
  AutoValue p1(DoubleArray{1, 2, 3});
  raw.answer = [](DISPPARAMS& p, VARIANT*, EXCEPINFO*) {
    // rgvarg[0] is the last argument.
    EXPECT_EQ(p.rgvarg[0].scode, DISP_E_PARAMNOTFOUND);
    VARIANT& ref = p.rgvarg[2];
    EXPECT_EQ(ref.vt, VT_BYREF | VT_VARIANT);
    const VARIANT& inner = *ref.pvarVal;
    EXPECT_EQ(inner.vt, VT_ARRAY | VT_R8);
    LONG lower = -1, upper = -1;
    ::SafeArrayGetLBound(inner.parray, 1, &lower);
    ::SafeArrayGetUBound(inner.parray, 1, &upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, 2);
    // The callee changes the by-reference argument.
    ::VariantClear(ref.pvarVal);
    ref.pvarVal->vt = VT_I4;
    ref.pvarVal->lVal = 77;
    EXPECT_EQ(std::wstring(p.rgvarg[3].bstrVal), L"図面");
    EXPECT_EQ(p.rgvarg[4].vt, VT_I4);
    return S_OK;
  };
  object.Call("Select", {std::int32_t{4}, "図面", AutoArg::ByRef(p1), std::int64_t{1} << 40,
                         AutoValue::Omitted()});
  ASSERT_EQ(raw.calls.size(), 1u);
  EXPECT_EQ(raw.calls[0].types,
            (std::vector<VARTYPE>{VT_ERROR, VT_I8, VT_BYREF | VT_VARIANT, VT_BSTR, VT_I4}));
  EXPECT_EQ(p1, AutoValue(std::int32_t{77}));
}

TEST_F(CadLinkDispatch, FailuresCarryTheServersText) {
  EXPECT_THROW(object.Get("Missing"), AutomationError);
  raw.answer = [](DISPPARAMS&, VARIANT*, EXCEPINFO* info) {
    info->bstrDescription = ::SysAllocString(L"無効な入力です");
    info->scode = static_cast<SCODE>(0x80200000);
    return DISP_E_EXCEPTION;
  };
  try {
    object.Call("GetAngle", {AutoValue::Omitted(), "角度 : "});
    FAIL() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_STREQ(e.what(), "無効な入力です");
    EXPECT_EQ(static_cast<unsigned>(e.Code()), 0x80200000u);
  }
  raw.answer = [](DISPPARAMS&, VARIANT*, EXCEPINFO* info) {
    info->pfnDeferredFillIn = [](EXCEPINFO* i) -> HRESULT {
      i->bstrDescription = ::SysAllocString(L"filled in later");
      return S_OK;
    };
    return DISP_E_EXCEPTION;
  };
  EXPECT_THROW(
      {
        try {
          object.Get("Utility");
        } catch (const AutomationError& e) {
          EXPECT_STREQ(e.what(), "filled in later");
          throw;
        }
      },
      AutomationError);
  raw.answer = [](DISPPARAMS&, VARIANT*, EXCEPINFO*) { return RPC_E_CALL_REJECTED; };
  try {
    object.Get("HWND");
    FAIL() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Code(), cadlink::kErrorCallRejected);
    EXPECT_NE(std::string(e.what()).find("HWND"), std::string::npos) << e.what();
  }
}

TEST(CadLinkDispatchServer, ValuesAndReferencesSurviveTheRoundTrip) {
  auto journal = std::make_shared<cadlink::testing::Journal>();
  auto served = std::make_shared<cadlink::testing::FakeAutoObject>("Doc", journal);
  auto child = std::make_shared<cadlink::testing::FakeAutoObject>("Util", journal);
  child->SetValue("Name", "ユーティリティ");
  served->SetValue("Utility", AutoObjectPtr(child));
  served->SetValue("VIEWCTR", DoubleArray{1500.5, -800, 0});
  served->SetValue("Id", std::int64_t{0x123456789AB});
  served->SetValue("Ready", true);
  served->Set("Echo", [](const AutoArgs& args) {
    args[1].StoreBack(AutoValue("changed"));
    return args[0].Value();
  });
  served->Set("Fail", [](const AutoArgs&) -> AutoValue {
    throw AutomationError("GetVariable: unknown system variable X");
  });
  DispatchObject client(AutoObjectDispatch::Wrap(served));

  EXPECT_EQ(client.Get("VIEWCTR").AsDoubles(), (DoubleArray{1500.5, -800, 0}));
  EXPECT_EQ(client.Get("Id"), AutoValue(std::int64_t{0x123456789AB}));
  EXPECT_EQ(client.Get("Ready"), AutoValue(true));
  EXPECT_EQ(client.Get("Utility").AsObject()->Get("Name").AsText(), "ユーティリティ");
  AutoValue text("in");
  EXPECT_EQ(client.Call("Echo", {2.5, AutoArg::ByRef(text)}), AutoValue(2.5));
  EXPECT_EQ(text, AutoValue("changed"));
  EXPECT_EQ(journal->back(), "Doc.Echo(2.5, &\"in\")");
  try {
    client.Call("Fail", {});
    FAIL() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_STREQ(e.what(), "GetVariable: unknown system variable X");
  }
  EXPECT_THROW(client.Get("NoSuchMember"), AutomationError);
}

}  // namespace
}  // namespace zr::win32
