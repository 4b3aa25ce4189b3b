// VARIANTs a server may answer with, well-formed and hostile, read into automation values.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "win32/Variant.h"

namespace zr::win32 {
namespace {

using cadlink::AutomationError;
using cadlink::AutoValue;
using cadlink::DoubleArray;

// Owns what a case builds: the VARIANT and whatever its references point at.
struct Built {
  UniqueVariant v;
  VARIANT inner[2]{};
  LONG number = 12;
  ~Built() {
    ::VariantClear(&inner[0]);
    ::VariantClear(&inner[1]);
  }
};

SAFEARRAY* Vector(VARTYPE vt, LONG lower, std::initializer_list<double> values) {
  SAFEARRAY* sa = ::SafeArrayCreateVector(vt, lower, static_cast<ULONG>(values.size()));
  LONG i = lower;
  for (double d : values) {
    VARIANT e;
    ::VariantInit(&e);
    e.vt = VT_R8;
    e.dblVal = d;
    if (vt != VT_VARIANT) ::VariantChangeType(&e, &e, 0, vt);
    ::SafeArrayPutElement(sa, &i, vt == VT_VARIANT ? static_cast<void*>(&e) : &e.llVal);
    ::VariantClear(&e);
    ++i;
  }
  return sa;
}

SAFEARRAY* VariantsHolding(VARIANT element) {
  SAFEARRAY* sa = ::SafeArrayCreateVector(VT_VARIANT, 0, 1);
  LONG i = 0;
  ::SafeArrayPutElement(sa, &i, &element);
  ::VariantClear(&element);
  return sa;
}

void Set(Built& b, VARTYPE vt, SAFEARRAY* sa) {
  b.v.get()->parray = sa;
  b.v.get()->vt = vt;
}

struct Case {
  const char* name;
  std::function<void(Built&)> build;
  std::optional<AutoValue> expected;  // none: an AutomationError with a Japanese text
};

TEST(CadLinkVariant, EveryAnswerIsReadOrRefusedWithAJapaneseText) {
  const Case cases[] = {
      {"I2 stays 16-bit", [](Built& b) { b.v.get()->vt = VT_I2; b.v.get()->iVal = -3; },
       AutoValue(std::int16_t{-3})},
      {"UI4 above 2^31", [](Built& b) { b.v.get()->vt = VT_UI4; b.v.get()->ulVal = 0xFFFFFFFFu; },
       AutoValue(std::int64_t{0xFFFFFFFF})},
      {"NULL", [](Built& b) { b.v.get()->vt = VT_NULL; }, AutoValue()},
      {"parameter not found",
       [](Built& b) { b.v.get()->vt = VT_ERROR; b.v.get()->scode = DISP_E_PARAMNOTFOUND; },
       AutoValue::Omitted()},
      {"other VT_ERROR", [](Built& b) { b.v.get()->vt = VT_ERROR; b.v.get()->scode = E_FAIL; },
       std::nullopt},
      {"RECORD", [](Built& b) { b.v.get()->vt = VT_RECORD; }, std::nullopt},
      {"VECTOR", [](Built& b) { b.v.get()->vt = VT_VECTOR | VT_R8; }, std::nullopt},
      {"by-ref I4", [](Built& b) { b.v.get()->vt = VT_BYREF | VT_I4; b.v.get()->plVal = &b.number; },
       AutoValue(std::int32_t{12})},
      {"by-ref VARIANT",
       [](Built& b) {
         b.inner[0].vt = VT_R8;
         b.inner[0].dblVal = 1.5;
         b.v.get()->vt = VT_BYREF | VT_VARIANT;
         b.v.get()->pvarVal = &b.inner[0];
       },
       AutoValue(1.5)},
      {"by-ref of an unknown type",
       [](Built& b) { b.v.get()->vt = VT_BYREF | VT_UI4; b.v.get()->plVal = &b.number; },
       std::nullopt},
      {"by-ref without target", [](Built& b) { b.v.get()->vt = VT_BYREF | VT_I4; }, std::nullopt},
      {"by-ref VARIANT chain too deep",
       [](Built& b) {
         b.inner[1].vt = VT_BYREF | VT_VARIANT;
         b.inner[1].pvarVal = &b.inner[1];  // points at itself
         b.inner[0].vt = VT_BYREF | VT_VARIANT;
         b.inner[0].pvarVal = &b.inner[1];
         b.v.get()->vt = VT_BYREF | VT_VARIANT;
         b.v.get()->pvarVal = &b.inner[0];
       },
       std::nullopt},
      {"by-ref array",
       [](Built& b) {
         b.inner[0].parray = Vector(VT_R8, 0, {1, 2});
         b.inner[0].vt = VT_ARRAY | VT_R8;
         b.v.get()->vt = VT_BYREF | VT_ARRAY | VT_R8;
         b.v.get()->pparray = &b.inner[0].parray;
       },
       AutoValue(DoubleArray{1, 2})},
      {"VARIANTs holding numbers, from 1",
       [](Built& b) { Set(b, VT_ARRAY | VT_VARIANT, Vector(VT_VARIANT, 1, {7, 0.5})); },
       AutoValue(DoubleArray{7, 0.5})},
      {"R4 array", [](Built& b) { Set(b, VT_ARRAY | VT_R4, Vector(VT_R4, 0, {1.5, -2})); },
       AutoValue(DoubleArray{1.5, -2})},
      {"I2 array", [](Built& b) { Set(b, VT_ARRAY | VT_I2, Vector(VT_I2, 0, {3, -4})); },
       AutoValue(DoubleArray{3, -4})},
      {"empty array", [](Built& b) { Set(b, VT_ARRAY | VT_R8, Vector(VT_R8, 0, {})); },
       AutoValue(DoubleArray{})},
      {"R8 claimed over VARIANTs",
       [](Built& b) { Set(b, VT_ARRAY | VT_R8, Vector(VT_VARIANT, 0, {1, 2, 3})); }, std::nullopt},
      {"VARIANT claimed over R8",
       [](Built& b) { Set(b, VT_ARRAY | VT_VARIANT, Vector(VT_R8, 0, {1, 2, 3})); }, std::nullopt},
      {"I4 claimed over R8",
       [](Built& b) { Set(b, VT_ARRAY | VT_I4, Vector(VT_R8, 0, {1, 2})); }, std::nullopt},
      {"array of texts",
       [](Built& b) { Set(b, VT_ARRAY | VT_BSTR, ::SafeArrayCreateVector(VT_BSTR, 0, 2)); },
       std::nullopt},
      {"VARIANT holding a text",
       [](Built& b) {
         VARIANT e;
         ::VariantInit(&e);
         e.vt = VT_BSTR;
         e.bstrVal = ::SysAllocString(L"1.5");
         Set(b, VT_ARRAY | VT_VARIANT, VariantsHolding(e));
       },
       std::nullopt},
      {"VARIANT holding an array",
       [](Built& b) {
         VARIANT e;
         ::VariantInit(&e);
         e.vt = VT_ARRAY | VT_R8;
         e.parray = Vector(VT_R8, 0, {1});
         Set(b, VT_ARRAY | VT_VARIANT, VariantsHolding(e));
       },
       std::nullopt},
      {"two dimensions",
       [](Built& b) {
         SAFEARRAYBOUND bounds[2] = {{2, 0}, {3, 0}};
         Set(b, VT_ARRAY | VT_R8, ::SafeArrayCreate(VT_R8, 2, bounds));
       },
       std::nullopt},
      {"no stored type, elements too small for R8",
       [](Built& b) {
         SAFEARRAY* sa = nullptr;
         ::SafeArrayAllocDescriptor(1, &sa);
         sa->cbElements = 4;
         sa->rgsabound[0] = {3, 0};
         ::SafeArrayAllocData(sa);
         Set(b, VT_ARRAY | VT_R8, sa);
       },
       std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Built b;
    c.build(b);
    try {
      const AutoValue got = FromVariant(*b.v);
      ASSERT_TRUE(c.expected.has_value()) << "read as " << got.Describe();
      EXPECT_EQ(got, *c.expected);
    } catch (const AutomationError& e) {
      EXPECT_FALSE(c.expected.has_value()) << e.what();
      EXPECT_NE(std::string(e.what()).find("。"), std::string::npos) << e.what();
    }
  }
}

TEST(CadLinkVariant, ReferencesAreWrittenOnlyWhenTheTypeIsKnownAndTheValueFits) {
  LONG target = 12;
  VARIANT ref;
  ::VariantInit(&ref);
  ref.vt = VT_BYREF | VT_I4;
  ref.plVal = &target;
  StoreIntoReference(AutoValue(std::int32_t{5}), ref);
  EXPECT_EQ(target, 5);
  SHORT small = 0;
  ref.vt = VT_BYREF | VT_I2;
  ref.piVal = &small;
  StoreIntoReference(AutoValue(std::int16_t{-7}), ref);
  EXPECT_EQ(small, -7);
  EXPECT_THROW(StoreIntoReference(AutoValue(std::int32_t{40000}), ref), AutomationError);
  ref.vt = VT_BYREF | VT_UI4;
  ref.plVal = &target;
  EXPECT_THROW(StoreIntoReference(AutoValue(std::int32_t{1}), ref), AutomationError);
  EXPECT_EQ(target, 5);
  ref.vt = VT_BYREF | VT_I4;
  ref.plVal = nullptr;
  EXPECT_THROW(StoreIntoReference(AutoValue(std::int32_t{1}), ref), AutomationError);
}

}  // namespace
}  // namespace zr::win32
