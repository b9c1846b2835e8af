// A small design package for the designer's tests: a palette class, an enumeration and a
// string property editor, a component editor with verbs, and an expert with menu items.
#include "ClassRegistry.h"
#include "DsgnRegistry.h"
#include "ExptIntf.h"
#include "Forms.h"
#include "StdCtrls.h"
#include "ToolIntf.h"

using namespace xel;

XEL_ENUM(TLampShade, lsOff, lsDim, lsBright)

namespace {

class TTestLamp : public TComponent {
  XEL_CLASS(TTestLamp, TComponent)
public:
  using TComponent::TComponent;
  const String& GetColorName() const { return FColorName; }
  void SetColorName(const String& v) { FColorName = v; }
  static auto Published() {
    return PropTable<TTestLamp>(Prop("ColorName", &TTestLamp::GetColorName, &TTestLamp::SetColorName),
                                Prop("Shade", &TTestLamp::FShade, &TTestLamp::FShade).Default(lsOff));
  }

private:
  String FColorName;
  TLampShade FShade = lsOff;
};

// Offers only the shades the lamp shows well, in its own order.
class TLampShadeProperty : public TEnumProperty {
  XEL_CLASS(TLampShadeProperty, TEnumProperty)
public:
  TPropertyAttributes GetAttributes() override { return {paValueList, paMultiSelect}; }
  void GetValues(const TGetStrProc& proc) override {
    proc("lsOff");
    proc("lsBright");
  }
};

// Stores captions without surrounding blanks; its dialog puts a fixed text in.
class TTrimmedCaptionProperty : public TStringProperty {
  XEL_CLASS(TTrimmedCaptionProperty, TStringProperty)
public:
  TPropertyAttributes GetAttributes() override { return {paDialog}; }
  void SetValue(const String& value) override { SetStrValue(Trim(value)); }
  void Edit() override { SetStrValue("From dialog"); }
};

class TButtonEditor : public TComponentEditor {
  XEL_CLASS(TButtonEditor, TComponentEditor)
public:
  using TComponentEditor::TComponentEditor;
  int GetVerbCount() override { return 2; }
  String GetVerb(int index) override { return index == 0 ? "Make Default" : index == 1 ? "About" : String(); }
  void ExecuteVerb(int index) override {
    if (index != 0) return;
    if (auto* b = dynamic_cast<TButton*>(Component())) {
      b->SetDefault(true);
      Designer()->Modified();
    }
  }
};

// The forms of the tests offer one verb of their own.
class TTestModule : public TCustomModule {
  XEL_CLASS(TTestModule, TCustomModule)
public:
  using TCustomModule::TCustomModule;
  int GetVerbCount() override { return 1; }
  String GetVerb(int index) override { return index == 0 ? "Center Caption" : String(); }
  void ExecuteVerb(int index) override {
    if (index != 0) return;
    SetStrProp(Root(), "Caption", "Centered");
    Designer()->Modified();
  }
};

class TTestExpert : public TIExpert {
  XEL_CLASS(TTestExpert, TIExpert)
public:
  TTestExpert() {
    TIMainMenuIntf* menu = ToolServices()->GetMainMenu();
    TIMenuItemIntf* top = menu->GetMenuItems();
    TIMenuItemIntf* tools = top->GetItem(1);
    TIMenuItemIntf* item = tools->InsertItem(tools->GetItemCount(), "Test Command", "TestExpertItem", "", 0, 0, 0,
                                             {mfEnabled, mfVisible},
                                             MakeMethod<&TTestExpert::Click>(this));
    if (item) item->Release();
    tools->Release();
    top->Release();
    menu->Release();
  }
  ~TTestExpert() override {
    if (!ToolServices()) return;
    TIMainMenuIntf* menu = ToolServices()->GetMainMenu();
    if (TIMenuItemIntf* item = menu->FindMenuItem("TestExpertItem")) {
      item->DestroyMenuItem();
      item->Release();
    }
    menu->Release();
  }
  void Click(TIMenuItemIntf*) { Execute(); }

  String GetName() override { return "TestExpert"; }
  String GetAuthor() override { return "Tests"; }
  String GetComment() override { return String(); }
  String GetPage() override { return String(); }
  std::uintptr_t GetGlyph() override { return 0; }
  TExpertStyle GetStyle() override { return esStandard; }
  TExpertState GetState() override { return {esEnabled}; }
  String GetIDString() override { return "Tests.TestExpert"; }
  String GetMenuText() override { return "Test Command"; }
  void Execute() override { ++Executed; }
  static inline int Executed = 0;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) void XelRegisterDesignPackage() {
  RegisterClasses({TTestLamp::StaticClass()});
  RegisterComponents("Test", {TTestLamp::StaticClass(), TButton::StaticClass()});
  RegisterPropertyEditor(TypeInfo<TLampShade>(), TTestLamp::StaticClass(), "Shade",
                         PropertyEditorClass<TLampShadeProperty>());
  RegisterPropertyEditor(TypeInfo<String>(), TButton::StaticClass(), "Caption",
                         PropertyEditorClass<TTrimmedCaptionProperty>());
  RegisterComponentEditor(TButton::StaticClass(), ComponentEditorClass<TButtonEditor>());
  RegisterCustomModule(TForm::StaticClass(), CustomModuleClass<TTestModule>());
  if (ToolServices()) RegisterLibraryExpert(new TTestExpert);
}

// How many times the expert's command ran.
extern "C" __attribute__((visibility("default"))) int TestExpertExecuted() { return TTestExpert::Executed; }
