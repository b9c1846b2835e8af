#include <gtest/gtest.h>

#include "ClassInfo.h"
#include "ModelFixtures.h"
#include "TypeTools.h"

namespace xel::test {
namespace {

class THandlerForm : public TDataModule {
  XEL_CLASS(THandlerForm, TDataModule)
public:
  explicit THandlerForm(TComponent* owner) : TDataModule(owner) {}
  void Clicked(TObject*) {}
  static auto PublishedMethods() {
    return MethodTable<THandlerForm>({PublishedMethod<&THandlerForm::Clicked>("Clicked")});
  }
};

// Selects the named property of the info's object.
void SelectByName(TClassInfo& info, const char* name) {
  for (int i = 0; i < info.Count(); ++i)
    if (info.Select(i) && SameText(info.Name(), name)) return;
  FAIL() << name;
}

TEST(ClassInfoTest, ValuesByKind) {
  THandlerForm form(nullptr);
  auto* w = new TModelWidget(&form);
  w->FCaption = "Hi";
  w->FMoods = {mdCalm, mdGone};
  w->FAccel = 'Z';
  w->FRatio = 0.5;
  w->FData = Variant(SmallInt(3));
  TClassInfo info(w);
  EXPECT_EQ(info.UnitName(), "ModelFixtures");
  struct Case {
    const char* prop;
    Variant expected;
  };
  const Case cases[] = {{"Caption", Variant("Hi")}, {"Checked", Variant("False")}, {"Moods", Variant("[mdCalm,mdGone]")},
                        {"Accel", Variant(Integer('Z'))}, {"Ratio", Variant(0.5)}, {"Data", Variant(SmallInt(3))},
                        {"Mood", Variant("mdCalm")}};
  for (const Case& c : cases) {
    SelectByName(info, c.prop);
    EXPECT_EQ(info.GetValue(), c.expected) << c.prop;
    EXPECT_EQ(info.GetValue().VarType(), c.expected.VarType()) << c.prop;
  }
  SelectByName(info, "Checked");
  info.SetValue(Variant("True"));
  EXPECT_TRUE(w->FChecked);
  info.SetValue(Variant("false"));
  EXPECT_FALSE(w->FChecked);
  SelectByName(info, "Moods");
  info.SetValue(Variant("[mdBusy]"));
  EXPECT_EQ(w->FMoods, TMoods{mdBusy});
  EXPECT_EQ(info.TypDef(), "[mdCalm,mdBusy,mdGone]");
  SelectByName(info, "Mood");
  EXPECT_EQ(info.TypDef(), "(mdCalm,mdBusy,mdGone)");
  SelectByName(info, "Caption");
  EXPECT_EQ(info.TypDef(), "");
  EXPECT_EQ(info.Typ(), "String");

  // Object and method references as hexadecimal text of the pointer width.
  SelectByName(info, "Font");
  String address = info.GetValue().AsString();
  EXPECT_EQ(address.size(), 17u);
  EXPECT_EQ(address.back(), 'h');
  EXPECT_EQ(info.GetAsObject(), w->GetFont());
  w->FOnClick = MakeMethod<&THandlerForm::Clicked>(&form);
  SelectByName(info, "OnClick");
  String method = info.GetValue().AsString();
  ASSERT_EQ(method.size(), 33u);
  EXPECT_EQ(UpperCase(method.substr(0, 32)), method.substr(0, 32));
  w->FOnClick = nullptr;
  info.SetValue(Variant(method));  // a published method of the owner: accepted
  EXPECT_EQ(w->FOnClick.Data(), &form);
  EXPECT_EQ(MessageOf([&] { info.SetValue(Variant(method.substr(1))); }),
            "TClassInfo.SetValue: Invalid method descriptor");
  EXPECT_EQ(MessageOf([&] { info.SetValue(Variant(String(16, '1') + String(16, '2') + "h")); }),
            "TClassInfo.SetValue: Invalid method descriptor");
  EXPECT_EQ(MessageOf([&] { info.GetAsObject(); }), "TClassInfo.GetAsObject: Property is not an object reference");
  SelectByName(info, "Big");
  EXPECT_EQ(MessageOf([&] { info.GetValue(); }), "TClassInfo.GetValue: Type cannot be handled");
  EXPECT_EQ(MessageOf([&] { info.SetValue(Variant(1)); }), "TClassInfo.SetValue: Type cannot be handled");
}

TEST(ClassInfoTest, SelectionAndAccessErrors) {
  TModelWidget w(nullptr);
  TClassInfo info(&w);
  EXPECT_EQ(MessageOf([&] { info.GetValue(); }), "TClassInfo.GetValue: No property selected");
  EXPECT_EQ(MessageOf([&] { info.Select(info.Count()); }), "TClassInfo.Select: Invalid Index");
  EXPECT_EQ(MessageOf([&] { info.Select(-1); }), "TClassInfo.Select: Invalid Index");
  SelectByName(info, "Font");  // a getter without setter
  EXPECT_EQ(MessageOf([&] { info.SetValue(Variant("0h")); }),
            "TClassInfo.SetValue: Method for read or write access not available");
  TClassInfo one(&w, GetPropInfo(&w, "Caption"));
  EXPECT_EQ(one.Count(), 1);
  EXPECT_EQ(one.CurrentIndex(), 0);
  one.SetValue(Variant("direct"));
  EXPECT_EQ(w.FCaption, "direct");
  EXPECT_TRUE(one.IsText());
  EXPECT_FALSE(one.IsOrdinal());
}

TEST(ClassInfoTest, UnknownObjectAddressesAreRefused) {
  TDataModule form(nullptr);
  auto* w = new TModelWidget(&form);
  // A class property with a setter: the Ref of a component entry.
  TComponentEntries entries(nullptr, TPropertyEntry::StaticClass());
  auto* entry = static_cast<TComponentEntry*>(entries.Add());
  entry->SetRef(w);
  TClassInfo info(entry, GetPropInfo(entry, "Ref"));
  EXPECT_EQ(MessageOf([&] { info.SetValue(Variant("00000000DEADBEEFh")); }),
            "TClassInfo.SetValue: Invalid object reference");
  EXPECT_EQ(entry->GetRef(), w);
  info.SetValue(Variant("0h"));
  EXPECT_EQ(entry->GetRef(), nullptr);
}

TEST(ClassInfoTest, EmptyAndFormattedValues) {
  TModelWidget w(nullptr);
  TClassInfo info(&w);
  SelectByName(info, "Mood");
  EXPECT_EQ(info.EmptyValue(), Variant(0));
  EXPECT_EQ(info.FormatValue(2), Variant("mdGone"));
  SelectByName(info, "Accel");
  EXPECT_EQ(info.FormatValue('Q'), Variant("Q"));
  SelectByName(info, "Moods");
  EXPECT_EQ(info.FormatValue(3), Variant("[mdCalm,mdBusy]"));
  SelectByName(info, "Caption");
  EXPECT_EQ(info.EmptyValue(), Variant(""));
  SelectByName(info, "Checked");
  EXPECT_EQ(info.DefaultInteger(), NoDefault);
  Byte raw[4] = {1, 0, 0, 0};
  info.CopyFrom(raw);
  EXPECT_TRUE(w.FChecked);
}

// Characters come back as the texts FormatValue and the language slots give them.
TEST(ClassInfoTest, CharactersAreWrittenFromTheirTexts) {
  TModelWidget w(nullptr);
  TClassInfo info(&w);
  struct Case {
    const char* Prop;
    Variant Value;
    Integer Code;
  };
  const Case cases[] = {{"Accel", Variant("B"), 'B'},          {"Accel", Variant(""), 0},
                        {"Accel", Variant("66"), 66},          {"Accel", Variant(Integer(67)), 67},
                        {"Wide", Variant("\xC3\xA9"), 0xE9}, {"Wide", Variant(""), 0},
                        {"Wide", Variant("8364"), 8364}};
  for (const Case& c : cases) {
    SelectByName(info, c.Prop);
    info.SetValue(c.Value);
    EXPECT_EQ(info.GetValue().AsInteger(), c.Code) << c.Prop << " " << VarToStr(c.Value);
  }
  SelectByName(info, "Accel");
  EXPECT_THROW(info.SetValue(Variant("AB")), Exception);
}

}  // namespace
}  // namespace xel::test
