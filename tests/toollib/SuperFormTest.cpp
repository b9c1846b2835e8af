// The form base: tracking sizes on the form and its window, the window-state text and its
// bad forms, the deferred Visible of a form read from its resource, and the data module.
#include <gtest/gtest.h>

#include <memory>

#include "ExtCtrls.h"
#include "HeadlessWidgetSet.h"
#include "RegisterControls.h"
#include "SuperForm.h"
#include "TextForms.h"

namespace xel {

// The classes of SuperTestForm.dfm and SuperTestModule.dfm.
class TSuperTestForm : public TSuperForm {
  XEL_CLASS(TSuperTestForm, TSuperForm)
public:
  using TSuperForm::TSuperForm;
  void FormCreate(TObject*) {
    Log.push_back(String("create:") + (GetVisible() ? "shown" : "hidden") + ":" +
                  GetEnumProp(this, "Visible"));
  }
  void FormShow(TObject*) { Log.push_back("show"); }
  static auto PublishedMethods() {
    return MethodTable<TSuperTestForm>({PublishedMethod<&TSuperTestForm::FormCreate>("FormCreate"),
                                        PublishedMethod<&TSuperTestForm::FormShow>("FormShow")});
  }
  std::vector<String> Log;
};

class TSuperTestModule : public TSuperDataModule {
  XEL_CLASS(TSuperTestModule, TSuperDataModule)
public:
  using TSuperDataModule::TSuperDataModule;
  void ModuleCreate(TObject*) { CreatedWithTimer = FindComponent("Timer1") != nullptr; }
  static auto PublishedMethods() {
    return MethodTable<TSuperTestModule>({PublishedMethod<&TSuperTestModule::ModuleCreate>("ModuleCreate")});
  }
  bool CreatedWithTimer = false;
};

// Derived, but without a form resource of its own.
class TBareModule : public TSuperDataModule {
  XEL_CLASS(TBareModule, TSuperDataModule)
public:
  using TSuperDataModule::TSuperDataModule;
};

namespace {

struct TLimitHook : TObject {
  Integer MaxWidth = 0;
  TPoint SeenMin;
  void Adjust(TObject*, PMinMaxRecord info) {
    SeenMin = info->MinTrackSize;
    if (MaxWidth > 0) info->MaxTrackSize.X = MaxWidth;
  }
};

struct SuperFormTest : testing::Test {
  static void SetUpTestSuite() {
    RegisterControlClasses();
    RegisterSuperFormClasses();
    if (!WidgetSet()) InstallHeadlessWidgetSet();
  }
  SuperFormTest() : Form(New<TSuperForm>(nullptr)) {}
  void Track(TMinMaxInfo* info, Integer x, Integer y) {
    info->SetSizeX(x);
    info->SetSizeY(y);
    info->SetEnabled(true);
  }
  std::unique_ptr<TSuperForm> Form;
};

TEST_F(SuperFormTest, DefaultsOfAFormMadeInCode) {
  EXPECT_EQ(Form->GetPosition(), poScreenCenter);
  EXPECT_FALSE(Form->GetAutoScroll());
  EXPECT_EQ(Form->GetWindowStateData(), "(0 0 320 240 0)");
  Form->Show();  // centred on the 1024 by 768 screen
  EXPECT_EQ(Form->GetWindowStateData(), "(352 264 320 240 0)");
}

TEST_F(SuperFormTest, TrackingSizesBoundTheFormAndItsWindow) {
  Track(Form->GetSizeMinTrack(), 200, 150);
  Track(Form->GetSizeMaxTrack(), 800, 600);
  Form->SetBounds(5, 6, 100, 100);
  EXPECT_EQ(Form->BoundsRect(), Bounds(5, 6, 200, 150));
  Form->SetBounds(5, 6, 1000, 900);
  EXPECT_EQ(Form->BoundsRect(), Bounds(5, 6, 800, 600));

  // The window was given the limits, and the user cannot drag past them.
  Form->Show();
  THeadlessHandle* window = HeadlessHandle(Form.get());
  EXPECT_EQ(window->SizeLimits.MinTrackSize, (TPoint{200, 150}));
  EXPECT_EQ(window->SizeLimits.MaxTrackSize, (TPoint{800, 600}));
  Headless::DragFrame(Form.get(), 50, 700);
  EXPECT_EQ(Form->Width(), 200);
  EXPECT_EQ(Form->Height(), 600);
  EXPECT_EQ(window->Bounds.Width(), 200);

  // A larger minimum on a shown form grows it at once, and the window learns the new limit.
  Track(Form->GetSizeMinTrack(), 300, 150);
  EXPECT_EQ(Form->Width(), 300);
  EXPECT_EQ(window->SizeLimits.MinTrackSize.X, 300);

  // The handler has the last word, after the tracking sizes.
  TLimitHook hook;
  hook.MaxWidth = 400;
  Form->OnGetMinMaxInfo = MakeMethod<&TLimitHook::Adjust>(&hook);
  Headless::DragFrame(Form.get(), 900, 300);
  EXPECT_EQ(hook.SeenMin, (TPoint{300, 150}));
  EXPECT_EQ(Form->Width(), 400);
  // A maximum below the minimum gives way to it, as the window system does.
  hook.MaxWidth = 100;
  Form->SetWidth(900);
  EXPECT_EQ(Form->Width(), 300);
  Form->OnGetMinMaxInfo = nullptr;
}

TEST_F(SuperFormTest, ATrackingSizeAppliesOnlyWhenEnabledWithBothSizes) {
  struct TCase {
    bool Enabled;
    Integer X, Y;
    bool Applies;
  } cases[] = {{true, 400, 300, true}, {false, 400, 300, false}, {true, 0, 300, false}, {true, 400, 0, false},
               {true, -5, 300, false}};
  for (const TCase& c : cases) {
    auto form = std::unique_ptr<TSuperForm>(New<TSuperForm>(nullptr));
    TMinMaxInfo* min = form->GetSizeMinTrack();
    min->SetEnabled(c.Enabled);
    min->SetSizeX(c.X);
    min->SetSizeY(c.Y);
    form->SetBounds(0, 0, 100, 100);
    EXPECT_EQ(form->Width() == 400 && form->Height() == 300, c.Applies) << c.Enabled << " " << c.X << " " << c.Y;
  }
  // Limits are for frames the user can drag: a dialog keeps the size it is given.
  Form->SetBorderStyle(bsDialog);
  Track(Form->GetSizeMinTrack(), 400, 300);
  Form->SetBounds(0, 0, 100, 100);
  EXPECT_EQ(Form->Width(), 100);
}

TEST_F(SuperFormTest, SetMinMaxInfoAssignsTheChosenTrackingSize) {
  TMinMaxInfo source;
  source.SetEnabled(true);
  source.SetSizeX(250);
  source.SetSizeY(120);
  Form->SetMinMaxInfo(1, &source);
  EXPECT_TRUE(Form->GetSizeMaxTrack()->GetEnabled());
  EXPECT_EQ(Form->GetSizeMaxTrack()->GetSizeX(), 250);
  EXPECT_EQ(Form->GetSizeMaxTrack()->GetSizeY(), 120);
  EXPECT_FALSE(Form->GetSizeMinTrack()->GetEnabled());
  EXPECT_EQ(Form->Width(), 250);  // the form follows its new maximum
  Form->SetMinMaxInfo(0, &source);
  EXPECT_EQ(Form->GetSizeMinTrack()->GetSizeX(), 250);
  Form->SetMinMaxInfo(7, nullptr);  // neither
}

TEST_F(SuperFormTest, TheStateTextKeepsTheNormalBounds) {
  Form->Show();
  Form->SetBounds(120, 80, 640, 480);
  EXPECT_EQ(Form->GetWindowStateData(), "(120 80 640 480 0)");
  // Moved, then maximized: the window system enlarges it, the text keeps the place before.
  Form->SetBounds(130, 90, 640, 480);
  Form->SetWindowState(wsMaximized);
  Form->SetBounds(0, 0, 1024, 768);
  EXPECT_EQ(Form->GetWindowStateData(), "(130 90 640 480 2)");

  // Restored into another form: place, size and state, without automatic placement.
  auto other = std::unique_ptr<TSuperForm>(New<TSuperForm>(nullptr));
  ASSERT_TRUE(other->SetWindowStateData(Form->GetWindowStateData()));
  EXPECT_EQ(other->GetPosition(), poDesigned);
  EXPECT_EQ(other->BoundsRect(), Bounds(130, 90, 640, 480));
  EXPECT_EQ(other->GetWindowState(), wsMaximized);
  EXPECT_EQ(other->GetWindowStateData(), "(130 90 640 480 2)");
  other->Show();
  EXPECT_EQ(other->Left(), 130);  // not centred on showing

  // Into a maximized form, the bounds become its normal ones.
  ASSERT_TRUE(Form->SetWindowStateData("(-20 40 500 300 0)"));
  EXPECT_EQ(Form->GetWindowState(), wsNormal);
  EXPECT_EQ(Form->GetWindowStateData(), "(-20 40 500 300 0)");

  // The stored size still keeps to the tracking sizes.
  Track(Form->GetSizeMinTrack(), 600, 100);
  ASSERT_TRUE(Form->SetWindowStateData("(1 2 500 300 0)"));
  EXPECT_EQ(Form->GetWindowStateData(), "(1 2 600 300 0)");
}

TEST_F(SuperFormTest, ADialogRestoredFromTheTextKeepsItsSizeAndState) {
  Form->SetBorderStyle(bsDialog);
  Form->SetBounds(0, 0, 300, 200);
  ASSERT_TRUE(Form->SetWindowStateData("(10 20 640 480 2)"));
  EXPECT_EQ(Form->BoundsRect(), Bounds(10, 20, 300, 200));
  EXPECT_EQ(Form->GetWindowState(), wsNormal);
  EXPECT_EQ(Form->GetPosition(), poDesigned);
}

TEST_F(SuperFormTest, TextsThatDoNotParseChangeNothing) {
  Form->SetBounds(7, 8, 400, 300);
  for (const char* bad : {"", "120 80 640 480 0)", "(120 80 640 480 0", "(120 80 640 480)", "(120 80 640 480 3)",
                          "(120 80 640 480 -1)", "(120  80 640 480 0)", "( 120 80 640 480 0)", "(a 80 640 480 0)",
                          "(120 80 640 480 0x)", "(120 80 640 480 0)x", "(120 80 640 480 0 1)",
                          "(99999999999 80 640 480 0)", "(120 80 -640 480 0)", "(120 80 640 0 0)"}) {
    EXPECT_FALSE(Form->SetWindowStateData(bad)) << bad;
    EXPECT_EQ(Form->BoundsRect(), Bounds(7, 8, 400, 300)) << bad;
    EXPECT_EQ(Form->GetWindowState(), wsNormal) << bad;
    EXPECT_EQ(Form->GetPosition(), poScreenCenter) << bad;
  }
}

TEST_F(SuperFormTest, AFormReadFromItsResourceShowsOnlyWhenComplete) {
  auto form = std::unique_ptr<TSuperTestForm>(New<TSuperTestForm>(nullptr));
  // OnCreate saw the request (Visible reads true) but no window yet; showing came after.
  EXPECT_EQ(form->Log, (std::vector<String>{"create:hidden:True", "show"}));
  EXPECT_TRUE(form->GetVisible());
  ASSERT_NE(HeadlessHandle(form.get()), nullptr);
  EXPECT_TRUE(HeadlessHandle(form.get())->Visible);
  // The stream's client size was below its minimum tracking size.
  EXPECT_EQ(form->Width(), 300);
  EXPECT_EQ(form->Height(), 200);
  EXPECT_EQ(form->GetPosition(), poDesigned);
  EXPECT_EQ(form->GetWindowStateData(), "(40 30 300 200 0)");

  // Written again, the tracking sizes are there and the designer's pseudo-property is not.
  TStringStream s;
  s.WriteComponent(form.get());
  String text = ObjectBinaryToText(s.DataString());
  EXPECT_NE(text.find("  SizeMinTrack.Enabled = True\r\n  SizeMinTrack.SizeX = 300\r\n  SizeMinTrack.SizeY = 200\r\n"),
            String::npos)
      << text;
  EXPECT_EQ(text.find("SizeMaxTrack"), String::npos) << text;
  EXPECT_EQ(text.find("SuperForm"), String::npos) << text;
}

TEST_F(SuperFormTest, DataModulesReadTheirResourceBeforeOnCreate) {
  auto module = std::unique_ptr<TSuperTestModule>(New<TSuperTestModule>(nullptr));
  EXPECT_TRUE(module->CreatedWithTimer);
  EXPECT_NE(dynamic_cast<TTimer*>(module->FindComponent("Timer1")), nullptr);
  EXPECT_THROW(New<TBareModule>(nullptr), EResNotFound);
  // The base class itself has no resource to read.
  std::unique_ptr<TSuperDataModule> plain(New<TSuperDataModule>(nullptr));
  int destroyed = 0;
  struct THook : TObject {
    int* Count;
    void Destroyed(TObject*) { ++*Count; }
  } hook;
  hook.Count = &destroyed;
  plain->OnDestroy = MakeMethod<&THook::Destroyed>(&hook);
  plain.reset();
  EXPECT_EQ(destroyed, 1);
}

}  // namespace
}  // namespace xel
