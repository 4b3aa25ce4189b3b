#include "WrongAnswers.h"

#include <oleauto.h>

namespace zr::testcad {

namespace {

SAFEARRAY* Doubles(LONG count) {
  SAFEARRAY* sa = ::SafeArrayCreateVector(VT_R8, 0, static_cast<ULONG>(count));
  for (LONG i = 0; sa != nullptr && i < count; ++i) {
    double d = 100.0 * (i + 1);
    ::SafeArrayPutElement(sa, &i, &d);
  }
  return sa;
}

SAFEARRAY* Variants(bool withText) {
  SAFEARRAY* sa = ::SafeArrayCreateVector(VT_VARIANT, 0, 3);
  for (LONG i = 0; sa != nullptr && i < 3; ++i) {
    VARIANT e;
    ::VariantInit(&e);
    if (withText && i == 1) {
      e.vt = VT_BSTR;
      e.bstrVal = ::SysAllocString(L"800");
    } else {
      e.vt = VT_R8;
      e.dblVal = 100.0 * (i + 1);
    }
    ::SafeArrayPutElement(sa, &i, &e);
    ::VariantClear(&e);
  }
  return sa;
}

// What a by-reference answer points at; lives as long as the program.
ULONG gReferenced = 7;

}  // namespace

bool PutWrongAnswer(const std::string& kind, VARIANT& result) {
  VARIANT v;
  ::VariantInit(&v);
  if (kind == "r8-over-variants") {
    v.parray = Variants(false);
    v.vt = VT_ARRAY | VT_R8;
  } else if (kind == "variants-over-r8") {
    v.parray = Doubles(3);
    v.vt = VT_ARRAY | VT_VARIANT;
  } else if (kind == "text-in-variants") {
    v.parray = Variants(true);
    v.vt = VT_ARRAY | VT_VARIANT;
  } else if (kind == "two-dim") {
    SAFEARRAYBOUND bounds[2] = {{2, 0}, {3, 0}};
    v.parray = ::SafeArrayCreate(VT_R8, 2, bounds);
    v.vt = VT_ARRAY | VT_R8;
  } else if (kind == "short-array") {
    v.parray = Doubles(1);
    v.vt = VT_ARRAY | VT_R8;
  } else if (kind == "error") {
    v.vt = VT_ERROR;
    v.scode = E_FAIL;
  } else if (kind == "byref-unknown") {
    v.vt = VT_BYREF | VT_UI4;
    v.pulVal = &gReferenced;
  } else if (kind == "text") {
    v.vt = VT_BSTR;
    v.bstrVal = ::SysAllocString(L"1");
  } else if (kind == "empty") {
    v.vt = VT_EMPTY;
  } else {
    return false;
  }
  ::VariantClear(&result);
  result = v;  // the result takes over what v owns
  return true;
}

}  // namespace zr::testcad
