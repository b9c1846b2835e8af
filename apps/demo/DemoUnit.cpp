#include "DemoUnit.h"

#include "DemoForms.h"

namespace xel::demo {

namespace {
TGetString gUnitString;
String gUnitLanguage;

void UnitLangChange(const String& language) {
  gUnitLanguage = language;
  // The unit keeps the main window's status bar in its own words.
  if (Application && Application->MainForm())
    static_cast<TDemoMainForm*>(Application->MainForm())->Status()->GetPanels()->Items(1)->SetText(UnitStatusText());
}
}  // namespace

void InitDemoUnit() {
  if (!gUnitString) InitGlotta("DemoStrings", &UnitLangChange, gUnitString);
}

String UnitString(const String& name) { return gUnitString ? gUnitString(name) : String(); }

String UnitStatusText() { return UnitString("StatusReady"); }

TGlotta* UnitGlotta() { return gUnitString.Glotta(); }

const String& UnitLanguage() { return gUnitLanguage; }

}  // namespace xel::demo
