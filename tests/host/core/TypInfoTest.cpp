#include <gtest/gtest.h>

#include "Fixtures.h"
#include "TypInfo.h"

namespace xel::test {
namespace {

TEST(TypInfoTest, KindOrderMatchesTheStoredNamesAndBitSets) {
  EXPECT_EQ(tkDynArray, 17);
  EXPECT_EQ(GetEnumName(TypeInfo<TTypeKind>(), tkMethod), "tkMethod");
  EXPECT_EQ(GetEnumValue(TypeInfo<TTypeKind>(), "tkLString"), tkLString);
  // The default kind set of the property chooser: every value kind but methods.
  TTypeKinds kinds{tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass,
                   tkWChar, tkLString, tkWString, tkVariant};
  EXPECT_EQ(kinds.Bits(), 7934u);
}

TEST(TypInfoTest, PropListHasInheritedPropertiesFirstThenDeclarationOrder) {
  TPropList props = GetPropList(TWidget::StaticClass()->ClassInfo());
  std::vector<String> names;
  for (PPropInfo p : props) names.push_back(p->Name());
  std::vector<String> expected = {"Name", "Tag", "Caption", "Hint", "Count", "Enabled", "Visible", "Shade",
                                  "Shades", "Letter", "Ratio", "Stamp", "Price", "Value", "Big", "Wide",
                                  "Font", "Lines", "Left", "Top", "Computed", "OnClick"};
  EXPECT_EQ(names, expected);
  EXPECT_EQ(GetPropList(TWidget::StaticClass()->ClassInfo(), TTypeKinds{tkMethod}).size(), 1u);
  // A class without a table of its own shows exactly its parent's properties.
  EXPECT_EQ(TPlainWidget::StaticClass()->Props(), TWidget::StaticClass()->Props());
  EXPECT_TRUE(TPlainWidget::StaticClass()->OwnProps().empty());
}

TEST(TypInfoTest, KindAndTypeNameComeFromTheMemberTypes) {
  struct Case {
    const char* prop;
    TTypeKind kind;
    const char* type;
  };
  const Case cases[] = {
      {"Name", tkLString, "String"},    {"Tag", tkInteger, "Integer"},        {"Enabled", tkEnumeration, "Boolean"},
      {"Shade", tkEnumeration, "TShade"}, {"Shades", tkSet, "TShades"},        {"Letter", tkChar, "Char"},
      {"Ratio", tkFloat, "Double"},     {"Stamp", tkFloat, "TDateTime"},      {"Price", tkFloat, "Currency"},
      {"Value", tkVariant, "Variant"},  {"Big", tkInt64, "Int64"},            {"Wide", tkWString, "WideString"},
      {"Font", tkClass, "TSubFont"},    {"Lines", tkClass, "TStringList"},    {"Left", tkInteger, "Integer"},
      {"OnClick", tkMethod, "TNotifyEvent"},
  };
  for (const Case& c : cases) {
    PPropInfo p = GetPropInfo(TWidget::StaticClass()->ClassInfo(), c.prop);
    ASSERT_NE(p, nullptr) << c.prop;
    EXPECT_EQ(p->Kind(), c.kind) << c.prop;
    EXPECT_EQ(p->PropType()->Name, c.type) << c.prop;
  }
  const TTypeData* shades = GetTypeData(GetPropInfo(TWidget::StaticClass()->ClassInfo(), "Shades")->PropType());
  EXPECT_EQ(shades->CompType, TypeInfo<TShade>());
  const TTypeData* widget = GetTypeData(TWidget::StaticClass()->ClassInfo());
  EXPECT_EQ(widget->ClassType, TWidget::StaticClass());
  EXPECT_EQ(widget->ParentInfo, TComponent::StaticClass()->ClassInfo());
  EXPECT_EQ(widget->UnitName, "Fixtures");
  EXPECT_EQ(TypeInfo<TShade>()->Data.MaxValue, 2);
}

TEST(TypInfoTest, ValuesOfEveryKindRoundTripThroughTheirSetters) {
  TWidget w(nullptr);
  SetStrProp(&w, "caption", "Hello");
  EXPECT_EQ(w.FCaption, "Hello");
  EXPECT_EQ(w.CaptionWrites, 1);  // the setter ran
  EXPECT_EQ(GetStrProp(&w, "Caption"), "Hello");

  SetOrdProp(&w, "Count", 42);
  EXPECT_EQ(w.FCount, 42);
  SetOrdProp(&w, "Enabled", 0);
  EXPECT_FALSE(w.FEnabled);
  SetEnumProp(&w, "Shade", "shdark");
  EXPECT_EQ(w.FShade, shDark);
  EXPECT_EQ(GetEnumProp(&w, "Shade"), "shDark");
  SetOrdProp(&w, "Shades", 0b101);
  EXPECT_EQ(w.FShades, (TShades{shLight, shDark}));
  EXPECT_EQ(GetSetProp(&w, GetPropInfo(&w, "Shades"), true), "[shLight,shDark]");
  SetOrdProp(&w, "Letter", 0xE9);
  EXPECT_EQ(GetOrdProp(&w, "Letter"), 0xE9);  // character codes read unsigned
  SetFloatProp(&w, "Ratio", 2.5);
  EXPECT_EQ(w.FRatio, 2.5);
  SetFloatProp(&w, "Price", 12.3456);
  EXPECT_EQ(w.FPrice.Scaled, 123456);
  SetFloatProp(&w, "Stamp", 36526.5);
  EXPECT_EQ(w.FStamp.Value(), 36526.5);
  SetVariantProp(&w, "Value", Variant(SmallInt(7)));
  EXPECT_EQ(GetVariantProp(&w, "Value").VarType(), varSmallint);
  SetInt64Prop(&w, GetPropInfo(&w, "Big"), INT64_C(1) << 40);
  EXPECT_EQ(GetInt64Prop(&w, GetPropInfo(&w, "Big")), INT64_C(1) << 40);
  SetStrProp(&w, "Wide", "Grüße");
  EXPECT_EQ(w.FWide, u"Grüße");
  EXPECT_EQ(GetStrProp(&w, "Wide"), "Grüße");
  SetOrdProp(&w, "Top", 17);
  EXPECT_EQ(w.FBounds[1], 17);
  EXPECT_EQ(w.FBounds[0], 0);
  EXPECT_EQ(GetOrdProp(&w, "Top"), 17);
  EXPECT_EQ(GetPropInfo(&w, "Top")->Index(), 1);
  EXPECT_EQ(GetPropInfo(&w, "Caption")->Index(), NoIndex);
}

TEST(TypInfoTest, ObjectPropertiesHoldTheSubObjectAndCheckTheClassOnWrite) {
  TWidget w(nullptr);
  auto* font = As<TSubFont>(GetObjectProp(&w, "Font"));
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font, w.GetFont());
  EXPECT_EQ(GetObjectProp(&w, GetPropInfo(&w, "Font"), TStringList::StaticClass()), nullptr);
  TSubFont other;
  other.FName = "Courier";
  SetObjectProp(&w, GetPropInfo(&w, "Font"), &other);
  EXPECT_EQ(w.GetFont()->FName, "Courier");  // the setter assigned, the object stayed
  TStringList wrong;
  EXPECT_THROW(SetObjectProp(&w, GetPropInfo(&w, "Font"), &wrong), EPropertyError);
}

TEST(TypInfoTest, MethodReferencesCompareByObjectAndMember) {
  TWidget w(nullptr);
  THandler a, b;
  TNotifyEvent ev = MakeMethod<&THandler::Click>(&a);
  EXPECT_EQ(ev, TNotifyEvent(MakeMethod<&THandler::Click>(&a)));
  EXPECT_FALSE(ev == TNotifyEvent(MakeMethod<&THandler::Click>(&b)));
  EXPECT_FALSE(ev == TNotifyEvent(MakeMethod<&THandler::OtherClick>(&a)));

  SetMethodProp(&w, "OnClick", ev.GetMethod());
  w.FOnClick(&w);
  ASSERT_EQ(a.Clicks.size(), 1u);
  EXPECT_EQ(a.Clicks[0], &w);
  EXPECT_EQ(GetMethodProp(&w, "OnClick"), ev.GetMethod());
  EXPECT_EQ(GetMethodProp(&w, "OnClick").Data, &a);

  SetMethodProp(&w, "OnClick", TMethod{});
  EXPECT_FALSE(w.FOnClick.Assigned());
  w.FOnClick(&w);  // unassigned: nothing happens
  EXPECT_EQ(a.Clicks.size(), 1u);
}

TEST(TypInfoTest, DefaultsAndStoredRules) {
  TWidget w(nullptr);
  auto prop = [&](const char* n) { return GetPropInfo(&w, n); };
  EXPECT_EQ(prop("Count")->Default(), 5);
  EXPECT_EQ(prop("Enabled")->Default(), 1);
  EXPECT_EQ(prop("Shade")->Default(), shMedium);
  EXPECT_FALSE(prop("Visible")->HasDefault());  // a Boolean without declared default
  EXPECT_EQ(prop("Visible")->Default(), NoDefault);
  EXPECT_FALSE(IsStoredProp(&w, prop("Name")));
  EXPECT_TRUE(IsStoredProp(&w, prop("Caption")));
  w.FHint = "default hint";
  EXPECT_FALSE(IsStoredProp(&w, prop("Hint")));
  w.FHint = "mine";
  EXPECT_TRUE(IsStoredProp(&w, prop("Hint")));
  EXPECT_TRUE(prop("Hint")->HasStoredProc());
}

TEST(TypInfoTest, RepublishedPropertyReplacesTheInheritedOneInPlace) {
  TPropList props = TQuietWidget::StaticClass()->Props();
  ASSERT_EQ(props.size(), TWidget::StaticClass()->Props().size() + 1);
  EXPECT_EQ(props[2]->Name(), "Caption");
  EXPECT_EQ(props[2]->DeclaringClass(), TQuietWidget::StaticClass());
  EXPECT_EQ(props.back()->Name(), "Extra");
  TQuietWidget q(nullptr);
  EXPECT_FALSE(IsStoredProp(&q, GetPropInfo(&q, "Caption")));
  SetStrProp(&q, "Caption", "x");
  EXPECT_EQ(q.FCaption, "x");
}

TEST(TypInfoTest, MisuseRaisesPropertyErrors) {
  TWidget w(nullptr);
  try {
    SetStrProp(&w, "Missing", "x");
    FAIL();
  } catch (const EPropertyError& e) {
    EXPECT_STREQ(e.what(), "Property Missing does not exist");
  }
  EXPECT_THROW(GetStrProp(&w, "Count"), EPropertyError);
  EXPECT_THROW(SetOrdProp(&w, "Caption", 1), EPropertyError);
  EXPECT_THROW(GetFloatProp(&w, "Font"), EPropertyError);
  try {
    SetOrdProp(&w, "Computed", 1);
    FAIL();
  } catch (const EPropertyError& e) {
    EXPECT_STREQ(e.what(), "Property is read-only");
  }
  EXPECT_EQ(GetOrdProp(&w, "Computed"), 10);
  EXPECT_FALSE(GetPropInfo(&w, "Computed")->Writable());
  EXPECT_THROW(SetEnumProp(&w, "Shade", "shPurple"), EPropertyError);
  EXPECT_THROW(SetSetProp(&w, GetPropInfo(&w, "Shades"), "[shLight,shNone]"), EPropertyError);
}

TEST(TypInfoTest, PropValuesAsVariants) {
  TWidget w(nullptr);
  w.FShades = {shLight, shDark};
  w.FStamp = TDateTime(2.0);
  EXPECT_EQ(GetPropValue(&w, "Shade").AsString(), "shMedium");
  EXPECT_EQ(GetPropValue(&w, "Shade", false).AsInteger(), 1);
  EXPECT_EQ(GetPropValue(&w, "Shades").AsString(), "shLight,shDark");
  EXPECT_EQ(GetPropValue(&w, "Enabled").VarType(), varBoolean);
  EXPECT_EQ(GetPropValue(&w, "Stamp").VarType(), varDate);
  EXPECT_EQ(GetPropValue(&w, "Price").VarType(), varCurrency);
  SetPropValue(&w, "Shade", "shLight");
  EXPECT_EQ(w.FShade, shLight);
  SetPropValue(&w, "Shades", "[shMedium]");
  EXPECT_EQ(w.FShades, TShades{shMedium});
  SetPropValue(&w, "Count", "12");
  EXPECT_EQ(w.FCount, 12);
  SetPropValue(&w, "Enabled", "False");
  EXPECT_FALSE(w.FEnabled);
  EXPECT_THROW(GetPropValue(&w, "Font"), EPropertyError);
}

TEST(TypInfoTest, EnumAndSetTexts) {
  PTypeInfo shade = TypeInfo<TShade>();
  EXPECT_EQ(GetEnumName(shade, 0), "shLight");
  EXPECT_EQ(GetEnumName(shade, 3), "");
  EXPECT_EQ(GetEnumName(shade, -1), "");
  EXPECT_EQ(GetEnumValue(shade, "SHDARK"), 2);
  EXPECT_EQ(GetEnumValue(shade, "x"), -1);
  EXPECT_EQ(GetEnumName(TypeInfo<bool>(), 1), "True");
  PTypeInfo shades = TypeInfo<TShades>();
  EXPECT_EQ(SetToString(shades, 0b110), "shMedium,shDark");
  EXPECT_EQ(SetToString(shades, 0, true), "[]");
  EXPECT_EQ(StringToSet(shades, " [ shDark , shLight ] "), 0b101u);
  EXPECT_EQ(StringToSet(shades, "[]"), 0u);
}

}  // namespace
}  // namespace xel::test
