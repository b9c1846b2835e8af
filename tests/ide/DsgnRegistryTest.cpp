// Which registered editor the designer picks for a property and a component, and how a
// package's registrations leave with it.
#include <gtest/gtest.h>

#include "DsgnRegistry.h"
#include "ExptIntf.h"
#include "StdCtrls.h"

using namespace xel;

namespace {

template <int N>
class TMarkedProperty : public TStringProperty {
public:
  String GetValue() override { return "editor " + IntToStr(N); }
};

// Each registration in its own package, taken back at the end of the test.
class DsgnRegistryTest : public testing::Test {
protected:
  void TearDown() override {
    for (int p : Packages) UnregisterPackage(p);
  }
  template <int N>
  void Register(TClass cls, const char* name) {
    Packages.push_back(9000 + N);
    BeginPackageRegistration(9000 + N);
    static const TPropertyEditorClassInfo info{"TMarkedProperty", []() -> TPropertyEditor* {
                                                 return new TMarkedProperty<N>;
                                               }};
    RegisterPropertyEditor(TypeInfo<String>(), cls, name, &info);
    EndPackageRegistration();
  }
  String Picked(TComponent* c, const char* prop) {
    std::unique_ptr<TPropertyEditor> e(CreatePropertyEditor(c->ClassType(), GetPropInfo(c, prop)));
    e->Initialize(nullptr, {c}, GetPropInfo(c, prop));
    return e->GetValue();
  }
  std::vector<int> Packages;
};

TEST_F(DsgnRegistryTest, TheNearestClassThenTheNamedThenTheLatestRegistrationWins) {
  TButton button(nullptr);
  button.SetText("OK");
  EXPECT_EQ(Picked(&button, "Caption"), "OK");  // the designer's own editor of strings
  Register<1>(nullptr, "");
  EXPECT_EQ(Picked(&button, "Caption"), "editor 1");
  Register<2>(TControl::StaticClass(), "");
  EXPECT_EQ(Picked(&button, "Caption"), "editor 2");
  Register<3>(TControl::StaticClass(), "Caption");
  Register<4>(TControl::StaticClass(), "");
  EXPECT_EQ(Picked(&button, "Caption"), "editor 3");
  EXPECT_EQ(Picked(&button, "Hint"), "editor 4");
  Register<5>(TButton::StaticClass(), "");
  EXPECT_EQ(Picked(&button, "Caption"), "editor 5");
  Register<6>(TLabel::StaticClass(), "Caption");
  EXPECT_EQ(Picked(&button, "Caption"), "editor 5");
  // A package that goes takes its editor along.
  UnregisterPackage(9005);
  EXPECT_EQ(Picked(&button, "Caption"), "editor 3");
}

class TCountingExpert : public TIExpert {
public:
  explicit TCountingExpert(int* freed) : FFreed(freed) {}
  ~TCountingExpert() override { ++*FFreed; }
  String GetName() override { return "Counting"; }
  String GetAuthor() override { return String(); }
  String GetComment() override { return String(); }
  String GetPage() override { return String(); }
  std::uintptr_t GetGlyph() override { return 0; }
  TExpertStyle GetStyle() override { return esStandard; }
  TExpertState GetState() override { return {esEnabled}; }
  String GetIDString() override { return "Tests.Counting"; }
  String GetMenuText() override { return String(); }
  void Execute() override {}

private:
  int* FFreed;
};

TEST_F(DsgnRegistryTest, ExpertsAreFreedWithTheirPackageOnly) {
  int freed = 0;
  Packages = {9101, 9102};
  BeginPackageRegistration(9101);
  RegisterLibraryExpert(new TCountingExpert(&freed));
  RegisterComponents("Mine", {TMemo::StaticClass()});
  EndPackageRegistration();
  BeginPackageRegistration(9102);
  RegisterLibraryExpert(new TCountingExpert(&freed));
  EndPackageRegistration();
  const size_t experts = LibraryExperts().size();
  UnregisterPackage(9101);
  EXPECT_EQ(freed, 1);
  EXPECT_EQ(LibraryExperts().size(), experts - 1);
  for (const String& page : PalettePages()) EXPECT_NE(page, "Mine");
  UnregisterPackage(9102);
  EXPECT_EQ(freed, 2);
}

TEST(ComponentEditorTest, DoubleClickRunsTheFirstVerb) {
  struct TVerbs : TComponentEditor {
    using TComponentEditor::TComponentEditor;
    int GetVerbCount() override { return Count; }
    void ExecuteVerb(int index) override { Ran.push_back(index); }
    int Count = 2;
    std::vector<int> Ran;
  } editor(nullptr, nullptr);
  editor.Edit();
  editor.Count = 0;
  editor.Edit();
  EXPECT_EQ(editor.Ran, std::vector<int>{0});
}

}  // namespace
