#include <gtest/gtest.h>

#include "DateTime.h"
#include "Variants.h"

namespace xel {
namespace {

TEST(VariantTest, TypeCodesOfTheValueTypes) {
  struct Case {
    Variant v;
    TVarType type;
  };
  const Case cases[] = {
      {Variant(), varEmpty},
      {Variant::Null(), varNull},
      {Variant(SmallInt(-3)), varSmallint},
      {Variant(7), varInteger},
      {Variant(1.5f), varSingle},
      {Variant(1.5), varDouble},
      {Variant(Currency::FromScaled(12345)), varCurrency},
      {Variant(TDateTime(1.0)), varDate},
      {Variant(WideString(u"wide")), varOleStr},
      {Variant(true), varBoolean},
      {Variant(Byte(200)), varByte},
      {Variant("text"), varString},
      {Variant(Int64(1) << 40), varDouble},  // no 64-bit integer variant: it widens to double
  };
  for (const Case& c : cases) EXPECT_EQ(c.v.VarType(), c.type) << VarTypeName(c.type);
}

TEST(VariantTest, ConversionsFollowTheHostRules) {
  EXPECT_EQ(Variant(42).AsString(), "42");
  EXPECT_EQ(Variant(2.5).AsString(), "2.5");
  EXPECT_EQ(Variant(true).AsString(), "True");
  EXPECT_EQ(Variant(Currency::FromScaled(12345)).AsString(), "1.2345");
  EXPECT_EQ(Variant(WideString(u"Grüße")).AsString(), "Grüße");
  EXPECT_EQ(Variant().AsString(), "");
  EXPECT_EQ(Variant(" 12").AsInteger(), 12);
  EXPECT_EQ(Variant(2.5).AsInteger(), 2);  // half to even
  EXPECT_EQ(Variant(3.5).AsInteger(), 4);
  EXPECT_EQ(Variant(true).AsInteger(), -1);
  EXPECT_DOUBLE_EQ(Variant("1.25").AsFloat(), 1.25);
  EXPECT_TRUE(Variant("TRUE").AsBoolean());
  EXPECT_FALSE(Variant("0").AsBoolean());
  EXPECT_EQ(Variant(Byte(255)).AsInteger(), 255);
  EXPECT_EQ(VarToStr(Variant::Null()), "");
  EXPECT_EQ(VarAsType(Variant("7"), varSmallint).VarType(), varSmallint);
  EXPECT_EQ(VarAsType(Variant(1.0), varOleStr).AsString(), "1");
  for (const Variant& bad : {Variant::Null(), Variant("abc"), Variant::Error(1)}) {
    try {
      (void)bad.AsInteger();
      ADD_FAILURE() << VarTypeName(bad.VarType());
    } catch (const EVariantError& e) {
      EXPECT_STREQ(e.what(), "Invalid variant type conversion");
    }
  }
  EXPECT_THROW((void)Variant::Null().AsString(), EVariantError);
  EXPECT_THROW((void)Variant(3e9).AsInteger(), EVariantError);
  EXPECT_THROW(VarAsType(Variant(300), varByte), EVariantError);
}

TEST(VariantTest, Comparison) {
  EXPECT_EQ(Variant(1), Variant(1.0));
  EXPECT_EQ(Variant(SmallInt(5)), Variant(Byte(5)));
  EXPECT_EQ(Variant("abc"), Variant(WideString(u"abc")));
  EXPECT_FALSE(Variant("abc") == Variant("ABC"));
  EXPECT_EQ(Variant("10"), Variant(10));
  EXPECT_EQ(Variant::Null(), Variant::Null());
  EXPECT_FALSE(Variant::Null() == Variant());
  EXPECT_FALSE(Variant::Null() == Variant(0));
  EXPECT_TRUE(Variant(1) < Variant(2.5));
  EXPECT_TRUE(Variant("a") < Variant("b"));
  EXPECT_THROW((void)(Variant::Null() < Variant(1)), EVariantError);
}

}  // namespace
}  // namespace xel
