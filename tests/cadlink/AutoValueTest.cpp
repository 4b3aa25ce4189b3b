#include "cadlink/AutoValue.h"

#include <gtest/gtest.h>

#include "support/CadLinkFakes.h"

namespace zr::cadlink {
namespace {

TEST(AutoValue, ConvertsNumbersAsALateBoundCallerExpects) {
  EXPECT_TRUE(AutoValue(true).AsBool());
  EXPECT_TRUE(AutoValue(std::int32_t{-1}).AsBool());    // VARIANT_TRUE from an integer member
  EXPECT_FALSE(AutoValue(std::int64_t{0}).AsBool());
  EXPECT_EQ(AutoValue(true).AsInt32(), -1);
  EXPECT_EQ(AutoValue(3.0).AsInt32(), 3);
  EXPECT_EQ(AutoValue(std::int64_t{0x123456789A}).AsInt64(), 0x123456789A);
  EXPECT_DOUBLE_EQ(AutoValue(std::int32_t{7}).AsDouble(), 7.0);
}

TEST(AutoValue, RefusesConversionsThatWouldLoseOrInventData) {
  // A 64-bit object ID must not be cut to 32 bits, a fraction not rounded to an integer.
  EXPECT_THROW(AutoValue(std::int64_t{0x100000000}).AsInt32(), AutomationError);
  EXPECT_THROW(AutoValue(2.5).AsInt32(), AutomationError);
  EXPECT_THROW(AutoValue(1e300).AsInt64(), AutomationError);
  EXPECT_THROW(AutoValue("1").AsInt32(), AutomationError);
  EXPECT_THROW(AutoValue().AsBool(), AutomationError);
  EXPECT_THROW(AutoValue(std::int32_t{1}).AsText(), AutomationError);
  EXPECT_THROW(AutoValue().AsObject(), AutomationError);
  EXPECT_EQ(AutoValue(DoubleArray{1, 2}).AsDoubles(2).size(), 2u);
  EXPECT_THROW(AutoValue(DoubleArray{1500}).AsDoubles(2), AutomationError);  // a short point
  try {
    AutoValue(DoubleArray{1, 2}).AsDouble();
    FAIL() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Code(), kErrorTypeMismatch);
    EXPECT_EQ(std::string(e.what()),
              "オートメーションの値（Array of Double 型）を Double 型に変換できません。");
  }
}

TEST(AutoValue, SixteenBitIntegersKeepTheirWidth) {
  const AutoValue small(std::int16_t{-2});
  EXPECT_EQ(small.GetKind(), AutoValue::Kind::Int16);
  EXPECT_NE(small, AutoValue(std::int32_t{-2}));
  EXPECT_EQ(small.AsInt32(), -2);
  EXPECT_EQ(small.AsInt64(), -2);
  EXPECT_DOUBLE_EQ(small.AsDouble(), -2.0);
  EXPECT_TRUE(small.AsBool());
  EXPECT_EQ(small.Describe(), "Int16(-2)");
}

TEST(SameKindInteger, WritesBackInTheWidthThatWasRead) {
  struct Case {
    AutoValue like;
    std::int32_t v;
    AutoValue expected;  // Empty: AutomationError
  };
  const Case cases[] = {
      {std::int16_t{1}, 0, std::int16_t{0}},
      {std::int16_t{1}, -32768, std::int16_t{-32768}},
      {std::int16_t{1}, 32767, std::int16_t{32767}},
      {std::int16_t{1}, 32768, AutoValue()},
      {std::int16_t{1}, -32769, AutoValue()},
      {std::int32_t{1}, 70000, std::int32_t{70000}},
      {std::int64_t{1}, -5, std::int64_t{-5}},
      {true, 0, std::int32_t{0}},
      {1.0, 1, std::int32_t{1}},
      {AutoValue(), 3, std::int32_t{3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.like.Describe() + " <- " + std::to_string(c.v));
    if (c.expected.IsEmpty()) {
      try {
        SameKindInteger(c.like, c.v);
        ADD_FAILURE() << "no error";
      } catch (const AutomationError& e) {
        EXPECT_EQ(e.Code(), kErrorTypeMismatch);
        EXPECT_NE(std::string(e.what()).find("範囲"), std::string::npos) << e.what();
      }
    } else {
      EXPECT_EQ(SameKindInteger(c.like, c.v), c.expected);
    }
  }
}

TEST(AutoValue, NullObjectIsEmptyAndOmittedIsItsOwnKind) {
  EXPECT_TRUE(AutoValue(AutoObjectPtr{}).IsEmpty());
  EXPECT_TRUE(AutoValue::Omitted().IsOmitted());
  EXPECT_FALSE(AutoValue::Omitted().IsEmpty());
  EXPECT_NE(AutoValue::Omitted(), AutoValue());
}

TEST(AutoValue, DescribesValuesOnOneLine) {
  EXPECT_EQ(AutoValue("-INSERT\r\"a\"\x1B").Describe(), "\"-INSERT\\r\\\"a\\\"\\x1B\"");
  EXPECT_EQ(AutoValue(DoubleArray{1500, 0.1, -2}).Describe(), "[1500, 0.1, -2]");
  EXPECT_EQ(AutoValue(std::int64_t{8589934592}).Describe(), "8589934592");
  EXPECT_EQ(AutoValue(false).Describe(), "false");
  EXPECT_EQ(AutoValue().Describe(), "<empty>");
  EXPECT_EQ(AutoValue::Omitted().Describe(), "<omitted>");
}

TEST(AutoArg, ByReferenceStoresBackIntoTheCallersVariable) {
  AutoValue saved(std::int32_t{1});
  const AutoArgs args{AutoArg("ATTREQ"), AutoArg::ByRef(saved)};
  EXPECT_FALSE(args[0].IsByRef());
  EXPECT_TRUE(args[1].IsByRef());
  EXPECT_EQ(args[1].Value(), AutoValue(std::int32_t{1}));
  args[1].StoreBack(std::int32_t{0});
  EXPECT_EQ(saved, AutoValue(std::int32_t{0}));
  args[0].StoreBack(std::int32_t{5});  // a by-value argument keeps its value
  EXPECT_EQ(args[0].Value(), AutoValue("ATTREQ"));
}

TEST(IAutoObject, GetObjectReturnsTheMembersObjectOrFails) {
  auto journal = std::make_shared<testing::Journal>();
  auto doc = std::make_shared<testing::FakeAutoObject>("Doc", journal);
  testing::FakeAutoObject app("App", journal);
  app.SetValue("ActiveDocument", AutoObjectPtr(doc));
  app.SetValue("Name", "CAD");
  EXPECT_EQ(app.GetObject("ActiveDocument"), doc);
  EXPECT_THROW(app.GetObject("Name"), AutomationError);
}

}  // namespace
}  // namespace zr::cadlink
