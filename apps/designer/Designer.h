// The designer: the main window with its menu, component palette, object inspector and
// source editor, the open modules with their forms in design state, and the services that
// the experts of design packages use. It runs on any widget set; tests drive it headless.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "DesignHook.h"
#include "DesignModule.h"
#include "DesignPackages.h"
#include "DsgnRegistry.h"
#include "Forms.h"
#include "Grids.h"
#include "Menus.h"
#include "ToolIntf.h"

namespace xel {

class TBitmap;
class TDrawGrid;
class TComboBox;
class TMemo;
class TStringGrid;
class TStatusBar;

// One row of the inspector: a published property of the selection through its editor.
struct TInspectorRow {
  String Name;
  String Value;
  TPropertyAttributes Attributes;
};

class TDesigner : public TFormDesigner, public TDesignHook {
public:
  TDesigner();
  ~TDesigner() override;
  TDesigner(const TDesigner&) = delete;
  TDesigner& operator=(const TDesigner&) = delete;

  TForm* MainForm() const { return FMainForm; }
  TMainMenu* MainMenu() const { return FMenu; }

  // ---- packages
  // The packages of the registry key, then the given ones; failures go to Messages().
  void LoadPackages(const std::vector<String>& extra);
  const std::vector<String>& Messages() const { return FMessages; }
  TDesignPackages& Packages() { return FPackages; }
  // Refills the palette from the registrations.
  void RefreshPalette();

  // ---- modules
  TDesignModule* Open(const String& unitFile);
  TDesignModule* Current() const { return FCurrent; }
  const std::vector<std::unique_ptr<TDesignModule>>& Modules() const { return FModules; }
  TDesignModule* FindModule(const String& fileName) const;
  TDesignModule* FindFormModule(const String& formName) const;
  void ShowForm(TDesignModule* module);
  // An expert replaced a module's editor buffer: the source editor shows it.
  void SourceChanged(TDesignModule* module);
  TMemo* SourceEditor() const { return FSource; }
  void Save();

  // ---- selection and inspector
  void Select(TComponent* component, bool add = false);
  const std::vector<TComponent*>& Selection() const { return FSelection; }
  std::vector<TInspectorRow> InspectorRows();
  TPropertyAttributes PropertyAttributes(const String& name);
  std::vector<String> PropertyValues(const String& name);
  void SetPropertyValue(const String& name, const String& value);
  // The "..." button of a dialog property.
  void EditProperty(const String& name);

  // ---- component editor of the selected component
  std::vector<String> Verbs();
  void ExecuteVerb(int index);
  void EditComponent();

  // ---- the palette
  // The class the next click on the form drops; null selects.
  void SetPaletteClass(TClass cls) { FDropClass = cls; }
  TComponent* DropComponent(TClass cls, TWinControl* parent, int x, int y, int w = 0, int h = 0);

  // TFormDesigner
  void Modified() override;
  TComponent* GetRoot() const override;
  // TDesignHook
  void DesignMouseDown(TControl* control, TMouseButton button, TShiftState shift, Integer x, Integer y) override;
  void DesignDblClick(TControl* control) override;

  // Menu commands of the main window.
  void OpenClick(TObject* sender);
  void SaveClick(TObject* sender);
  void ExitClick(TObject* sender);
  void PalettePageChange(TObject* sender);
  void PaletteClassClick(TObject* sender);
  void PaletteDrawCell(TObject* sender, Integer col, Integer row, TRect rect, TGridDrawState state);
  // The classes the palette shows on its current page, in its rows.
  const std::vector<TClass>& PaletteShown() const { return FPaletteShown; }
  TDrawGrid* PaletteGrid() const { return FPaletteClasses; }
  void SourceChange(TObject* sender);
  void InspectorDblClick(TObject* sender);
  void InspectorSelectCell(TObject* sender, Integer col, Integer row, bool& canSelect);
  void ValueSelect(TObject* sender);
  void ValueKeyDown(TObject* sender, Word& key, TShiftState shift);
  void EllipsisClick(TObject* sender);
  void ComponentListChange(TObject* sender);
  // The inspector's row being edited in the value box, and what the box holds.
  void EditRow(const String& name);
  TComboBox* ValueEditor() const { return FValueEdit; }
  TComboBox* ComponentList() const { return FComponentList; }
  TStringGrid* Inspector() const { return FInspector; }
  // Applies the value box's text to its row; errors are shown, not raised.
  void ApplyValue();
  void VerbClick(TObject* sender);
  void PopupVerbs(TObject* sender);

private:
  void BuildMainForm();
  void RefreshInspector();
  void RefreshComponentList();
  void ShowSource();
  std::unique_ptr<TPropertyEditor> EditorOf(const String& name);
  static String ShownValue(TPropertyEditor& editor);
  static std::vector<String> ValuesOf(TPropertyEditor* editor);
  void Report(const String& message);

  TForm* FMainForm = nullptr;
  TMainMenu* FMenu = nullptr;
  TComboBox* FPalettePages = nullptr;
  TDrawGrid* FPaletteClasses = nullptr;
  std::vector<TClass> FPaletteShown;
  // The palette bitmaps by class, made when first drawn.
  std::map<TClass, std::unique_ptr<TBitmap>> FPaletteBitmaps;
  TStringGrid* FInspector = nullptr;
  TComboBox* FComponentList = nullptr;
  TComboBox* FValueEdit = nullptr;
  TControl* FEllipsis = nullptr;
  String FEditedRow;
  int FModifications = 0;  // calls of Modified, to tell whether an editor made one
  TMemo* FSource = nullptr;
  TStatusBar* FStatus = nullptr;
  TPopupMenu* FVerbMenu = nullptr;
  TIToolServices* FServices = nullptr;
  TDesignPackages FPackages;
  std::vector<std::unique_ptr<TDesignModule>> FModules;
  TDesignModule* FCurrent = nullptr;
  std::vector<TComponent*> FSelection;
  std::vector<String> FMessages;
  TClass FDropClass = nullptr;
  bool FShowingSource = false;
};

// The services of the designer for its experts (ToolServices while it runs).
TIToolServices* NewDesignerServices(TDesigner* designer);

}  // namespace xel
