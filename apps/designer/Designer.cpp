#include "Designer.h"

#include <algorithm>

#include "Application.h"
#include "ClassRegistry.h"
#include "ComCtrls.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Format.h"
#include "Grids.h"
#include "StdCtrls.h"

namespace xel {

namespace {
// A 24-bit palette bitmap takes the colour of its lower-left pixel (its first in the file)
// as background: that colour becomes white, the palette's own.
void ClearBackground(String& file, size_t pixels) {
  auto at = [&file](size_t i) { return static_cast<std::uint32_t>(static_cast<Byte>(file[i])); };
  if (file.size() < 30 || at(28) != 24 || file.size() < pixels + 3) return;
  const size_t width = at(18) | at(19) << 8;
  const size_t stride = (width * 3 + 3) / 4 * 4;
  const String background = file.substr(pixels, 3);
  for (size_t row = pixels; row + stride <= file.size(); row += stride)
    for (size_t i = row; i < row + width * 3; i += 3)
      if (file.compare(i, 3, background) == 0) file.replace(i, 3, "\xFF\xFF\xFF");
}

// The host's own controls, on the page a designer shows first.
void RegisterStandardPalette() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterComponents("Standard", {TMainMenu::StaticClass(), TPopupMenu::StaticClass(), TLabel::StaticClass(),
                                  TEdit::StaticClass(), TMemo::StaticClass(), TButton::StaticClass(),
                                  TCheckBox::StaticClass(), TRadioButton::StaticClass(), TListBox::StaticClass(),
                                  TComboBox::StaticClass(), TGroupBox::StaticClass(), TPanel::StaticClass()});
}
// A control of the main window, named, placed and aligned.
template <class T>
T* Place(TForm* form, const char* name, TWinControl* parent, TAlign align) {
  auto* c = new T(form);
  c->SetName(name);
  c->SetParent(parent);
  c->SetAlign(align);
  return c;
}
}  // namespace

TDesigner::TDesigner() {
  RegisterStandardPalette();
  BuildMainForm();
  FServices = NewDesignerServices(this);
  SetToolServices(FServices);
}

TDesigner::~TDesigner() {
  FSelection.clear();
  for (auto& m : FModules)
    if (auto* form = dynamic_cast<TWinControl*>(m->Root())) SetDesignHook(form, nullptr);
  // The forms first: their components may be of a package's classes. Then the packages,
  // whose experts leave while the services and the menu still exist.
  FModules.clear();
  FPackages.UnloadAll();
  SetToolServices(nullptr);
  FServices->Release();
  delete FMainForm;
}

void TDesigner::BuildMainForm() {
  FMainForm = new TForm(nullptr, TCreateNew{});
  FMainForm->SetName("DesignerForm");
  FMainForm->SetText("Designer");
  FMainForm->SetBounds(40, 40, 900, 560);

  FMenu = new TMainMenu(FMainForm);
  FMenu->SetName("MainMenu");
  auto item = [this](TMenuItem* parent, const String& name, const String& caption, TNotifyEvent onClick) {
    auto* i = new TMenuItem(FMainForm);
    i->SetName(name);
    i->SetCaption(caption);
    i->OnClick = onClick;
    parent->Add(i);
    return i;
  };
  TMenuItem* file = item(FMenu->Items(), "FileMenu", "&File", {});
  item(file, "FileOpenItem", "&Open...", MakeMethod<&TDesigner::OpenClick>(this));
  item(file, "FileSaveItem", "&Save", MakeMethod<&TDesigner::SaveClick>(this));
  item(file, "FileExitItem", "E&xit", MakeMethod<&TDesigner::ExitClick>(this));
  item(FMenu->Items(), "ToolsMenu", "&Tools", {});
  item(FMenu->Items(), "HelpMenu", "&Help", {});
  FMainForm->SetMenu(FMenu);

  auto* palette = Place<TPanel>(FMainForm, "PalettePanel", FMainForm, alLeft);
  palette->SetWidth(204);
  palette->SetText("");
  FPalettePages = Place<TComboBox>(FMainForm, "PalettePages", palette, alTop);
  FPalettePages->SetStyle(csDropDownList);
  FPalettePages->OnChange = MakeMethod<&TDesigner::PalettePageChange>(this);
  FPaletteClasses = Place<TDrawGrid>(FMainForm, "PaletteClasses", palette, alClient);
  FPaletteClasses->SetColCount(1);
  FPaletteClasses->SetRowCount(1);
  FPaletteClasses->SetFixedCols(0);
  FPaletteClasses->SetFixedRows(0);
  FPaletteClasses->SetDefaultRowHeight(28);
  FPaletteClasses->SetColWidths(0, 198);
  FPaletteClasses->SetOptions({goRowSelect});
  FPaletteClasses->OnClick = MakeMethod<&TDesigner::PaletteClassClick>(this);
  FPaletteClasses->OnDrawCell = MakeMethod<&TDesigner::PaletteDrawCell>(this);

  auto* inspector = Place<TPanel>(FMainForm, "InspectorPanel", FMainForm, alRight);
  inspector->SetWidth(300);
  inspector->SetText("");
  FComponentList = Place<TComboBox>(FMainForm, "ComponentList", inspector, alTop);
  FComponentList->SetStyle(csDropDownList);
  FComponentList->OnChange = MakeMethod<&TDesigner::ComponentListChange>(this);
  auto* valuePanel = Place<TPanel>(FMainForm, "ValuePanel", inspector, alBottom);
  valuePanel->SetHeight(28);
  valuePanel->SetText("");
  auto* ellipsis = Place<TButton>(FMainForm, "EllipsisButton", valuePanel, alRight);
  ellipsis->SetWidth(28);
  ellipsis->SetText("...");
  ellipsis->SetEnabled(false);
  ellipsis->OnClick = MakeMethod<&TDesigner::EllipsisClick>(this);
  FEllipsis = ellipsis;
  FValueEdit = Place<TComboBox>(FMainForm, "ValueEdit", valuePanel, alClient);
  FValueEdit->OnSelect = MakeMethod<&TDesigner::ValueSelect>(this);
  FValueEdit->OnKeyDown = MakeMethod<&TDesigner::ValueKeyDown>(this);
  FInspector = Place<TStringGrid>(FMainForm, "Inspector", inspector, alClient);
  FInspector->SetColCount(2);
  FInspector->SetRowCount(2);
  FInspector->SetFixedCols(1);
  FInspector->SetDefaultRowHeight(20);
  FInspector->SetColWidths(0, 110);
  FInspector->SetColWidths(1, 168);
  FInspector->SetCells(0, 0, "Property");
  FInspector->SetCells(1, 0, "Value");
  FInspector->OnDblClick = MakeMethod<&TDesigner::InspectorDblClick>(this);
  FInspector->OnSelectCell = MakeMethod<&TDesigner::InspectorSelectCell>(this);

  FStatus = new TStatusBar(FMainForm);
  FStatus->SetName("StatusBar");
  FStatus->SetParent(FMainForm);
  FStatus->SetSimplePanel(true);

  FSource = Place<TMemo>(FMainForm, "SourceEditor", FMainForm, alClient);
  FSource->SetScrollBars(ssBoth);
  FSource->OnChange = MakeMethod<&TDesigner::SourceChange>(this);

  FVerbMenu = new TPopupMenu(FMainForm);
  FVerbMenu->SetName("VerbMenu");
  FVerbMenu->OnPopup = MakeMethod<&TDesigner::PopupVerbs>(this);
}

// ---- packages --------------------------------------------------------------------------------

void TDesigner::Report(const String& message) {
  FMessages.push_back(message);
  if (FStatus) FStatus->SetSimpleText(message);
}

void TDesigner::LoadPackages(const std::vector<String>& extra) {
  std::vector<String> files = KnownDesignPackages();
  files.insert(files.end(), extra.begin(), extra.end());
  for (const String& f : files) {
    String error;
    if (!FPackages.Load(f, error)) Report(error);
  }
  RefreshPalette();
}

void TDesigner::RefreshPalette() {
  const String page = FPalettePages->GetText();
  FPalettePages->GetItems()->Clear();
  for (const String& p : PalettePages()) FPalettePages->GetItems()->Add(p);
  int index = FPalettePages->GetItems()->IndexOf(page);
  if (index < 0 && FPalettePages->GetItems()->Count() > 0) index = 0;
  FPalettePages->SetItemIndex(index);
  PalettePageChange(nullptr);
}

void TDesigner::PalettePageChange(TObject*) {
  FPaletteShown.clear();
  const String page = FPalettePages->GetText();
  for (const TPaletteEntry& e : PaletteClasses())
    if (SameText(e.Page, page) && std::find(FPaletteShown.begin(), FPaletteShown.end(), e.Class) == FPaletteShown.end())
      FPaletteShown.push_back(e.Class);
  // Bitmaps of classes that went with their package must not be drawn again.
  FPaletteBitmaps.clear();
  FPaletteClasses->SetRowCount(static_cast<Integer>(std::max<size_t>(FPaletteShown.size(), 1)));
  FPaletteClasses->Invalidate();
  FDropClass = nullptr;
}

void TDesigner::PaletteClassClick(TObject*) {
  const Integer row = FPaletteClasses->Row();
  FDropClass = row >= 0 && row < static_cast<Integer>(FPaletteShown.size())
                   ? GetClass(FPaletteShown[static_cast<size_t>(row)]->ClassName())
                   : nullptr;
}

// A row: the class's palette bitmap, when it has one, and its name.
void TDesigner::PaletteDrawCell(TObject*, Integer, Integer row, TRect rect, TGridDrawState) {
  TCanvas* canvas = FPaletteClasses->Canvas();
  canvas->FillRect(rect);
  if (row < 0 || row >= static_cast<Integer>(FPaletteShown.size())) return;
  TClass cls = FPaletteShown[static_cast<size_t>(row)];
  auto [it, made] = FPaletteBitmaps.try_emplace(cls);
  if (made) {
    if (const TResourceEntry* res = PaletteBitmap(cls)) {
      // The resource holds the bitmap without its file header.
      const Integer headerSize = 14;
      const Byte* dib = res->Data;
      const std::uint32_t infoSize = dib[0] | dib[1] << 8 | dib[2] << 16 | static_cast<std::uint32_t>(dib[3]) << 24;
      String file = "BM";
      auto put32 = [&file](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) file += static_cast<char>((v >> (8 * i)) & 0xFF);
      };
      put32(static_cast<std::uint32_t>(headerSize + res->Size));
      put32(0);
      put32(static_cast<std::uint32_t>(headerSize) + infoSize);
      file.append(reinterpret_cast<const char*>(dib), res->Size);
      ClearBackground(file, headerSize + infoSize);
      it->second = std::make_unique<TBitmap>();
      it->second->LoadFromBytes(file);
    }
  }
  const Integer textLeft = rect.Left + 32;
  if (TBitmap* bitmap = it->second.get()) canvas->Draw(rect.Left + 2, rect.Top + (rect.Bottom - rect.Top - 24) / 2, bitmap);
  canvas->TextOut(textLeft, rect.Top + (rect.Bottom - rect.Top - 14) / 2, cls->ClassName());
}

// ---- modules ---------------------------------------------------------------------------------

TDesignModule* TDesigner::Open(const String& unitFile) {
  if (TDesignModule* m = FindModule(unitFile)) {
    FCurrent = m;
  } else {
    FModules.push_back(std::make_unique<TDesignModule>(unitFile));
    FCurrent = FModules.back().get();
    if (auto* form = dynamic_cast<TWinControl*>(FCurrent->Root())) SetDesignHook(form, this);
  }
  FMainForm->SetText("Designer - " + ExtractFileName(FCurrent->UnitFile()));
  ShowSource();
  FSelection.clear();
  if (FEditedRow.empty()) FEditedRow = "Name";
  if (FCurrent->Root()) Select(FCurrent->Root());
  else RefreshInspector();
  FStatus->SetSimpleText(FCurrent->FormFile().empty() ? FCurrent->UnitFile() : FCurrent->FormFile());
  return FCurrent;
}

TDesignModule* TDesigner::FindModule(const String& fileName) const {
  const String full = ExpandFileName(fileName);
  for (const auto& m : FModules)
    if (m->UnitFile() == full || (!m->FormFile().empty() && m->FormFile() == full)) return m.get();
  return nullptr;
}

TDesignModule* TDesigner::FindFormModule(const String& formName) const {
  for (const auto& m : FModules)
    if (m->Root() && SameText(m->Root()->Name(), formName)) return m.get();
  return nullptr;
}

void TDesigner::ShowForm(TDesignModule* module) {
  if (auto* form = dynamic_cast<TCustomForm*>(module ? module->Root() : nullptr)) form->Show();
}

void TDesigner::Save() {
  if (!FCurrent) return;
  FCurrent->Save();
  Report("Saved " + FCurrent->UnitFile());
}

void TDesigner::ShowSource() {
  FShowingSource = true;
  FSource->SetText(FCurrent ? FCurrent->Source() : String());
  FShowingSource = false;
}

void TDesigner::SourceChanged(TDesignModule* module) {
  if (module == FCurrent) ShowSource();
}

void TDesigner::SourceChange(TObject*) {
  if (!FShowingSource && FCurrent) FCurrent->SetSource(FSource->GetText());
}

void TDesigner::Modified() {
  ++FModifications;
  if (FCurrent) FCurrent->SetModified();
  RefreshComponentList();
  RefreshInspector();
}

TComponent* TDesigner::GetRoot() const { return FCurrent ? FCurrent->Root() : nullptr; }

// ---- selection and inspector -----------------------------------------------------------------

void TDesigner::Select(TComponent* component, bool add) {
  if (!add) FSelection.clear();
  if (component && std::find(FSelection.begin(), FSelection.end(), component) == FSelection.end())
    FSelection.push_back(component);
  RefreshComponentList();
  RefreshInspector();
  EditRow(FEditedRow);
}

void TDesigner::RefreshComponentList() {
  TStrings* items = FComponentList->GetItems();
  items->Clear();
  TComponent* root = GetRoot();
  if (!root) return;
  auto line = [](TComponent* c) { return c->Name() + ": " + c->ClassName(); };
  items->Add(line(root));
  for (int i = 0; i < root->ComponentCount(); ++i) items->Add(line(root->Components(i)));
  FComponentList->SetItemIndex(FSelection.size() == 1 ? items->IndexOf(line(FSelection[0])) : -1);
}

void TDesigner::ComponentListChange(TObject*) {
  TComponent* root = GetRoot();
  const int i = FComponentList->GetItemIndex();
  if (!root || i < 0) return;
  Select(i == 0 ? root : root->Components(i - 1));
}

void TDesigner::InspectorSelectCell(TObject*, Integer, Integer row, bool&) {
  if (row >= 1) EditRow(FInspector->Cells(0, row));
}

void TDesigner::EditRow(const String& name) {
  FEditedRow = name;
  FValueEdit->GetItems()->Clear();
  std::unique_ptr<TPropertyEditor> editor = name.empty() ? nullptr : EditorOf(name);
  const TPropertyAttributes attrs = editor ? editor->GetAttributes() : TPropertyAttributes{};
  for (const String& v : ValuesOf(editor.get())) FValueEdit->GetItems()->Add(v);
  FValueEdit->SetText(editor ? ShownValue(*editor) : String());
  FValueEdit->SetEnabled(!name.empty() && !attrs.Contains(paReadOnly));
  FEllipsis->SetEnabled(attrs.Contains(paDialog));
}

void TDesigner::ApplyValue() {
  if (FEditedRow.empty()) return;
  try {
    SetPropertyValue(FEditedRow, FValueEdit->GetText());
  } catch (const Exception& e) {
    MessageDlg(e.Message(), mtError, {mbOK}, 0);
  }
  EditRow(FEditedRow);
}

void TDesigner::ValueSelect(TObject*) { ApplyValue(); }

void TDesigner::ValueKeyDown(TObject*, Word& key, TShiftState) {
  if (key == VK_RETURN) {
    key = 0;
    ApplyValue();
  }
}

void TDesigner::EllipsisClick(TObject*) {
  if (!FEditedRow.empty()) EditProperty(FEditedRow);
  EditRow(FEditedRow);
}

std::unique_ptr<TPropertyEditor> TDesigner::EditorOf(const String& name) {
  if (FSelection.empty()) return nullptr;
  PPropInfo prop = xel::GetPropInfo(FSelection[0], name);
  if (!prop) return nullptr;
  std::unique_ptr<TPropertyEditor> editor(CreatePropertyEditor(FSelection[0]->ClassType(), prop));
  std::vector<TPersistent*> comps;
  for (TComponent* c : FSelection) {
    // Several components share a row only where each has the property under the same editor.
    PPropInfo p = xel::GetPropInfo(c, name);
    if (!p || p->PropType()->Kind != prop->PropType()->Kind) return nullptr;
    if (c != FSelection[0]) {
      std::unique_ptr<TPropertyEditor> other(CreatePropertyEditor(c->ClassType(), p));
      if (other->ClassType() != editor->ClassType()) return nullptr;
    }
    comps.push_back(c);
  }
  editor->Initialize(this, std::move(comps), prop);
  // Several components show only what may be edited for all at once.
  if (FSelection.size() > 1 && !editor->GetAttributes().Contains(paMultiSelect)) return nullptr;
  return editor;
}

// The value a row shows: what the editor reads, or why it cannot.
String TDesigner::ShownValue(TPropertyEditor& editor) {
  try {
    return editor.GetValue();
  } catch (const Exception& e) {
    return "(" + e.Message() + ")";
  }
}

std::vector<TInspectorRow> TDesigner::InspectorRows() {
  std::vector<TInspectorRow> rows;
  if (FSelection.empty()) return rows;
  for (PPropInfo p : GetPropList(FSelection[0], tkProperties)) {
    std::unique_ptr<TPropertyEditor> editor = EditorOf(p->Name());
    if (editor) rows.push_back({p->Name(), ShownValue(*editor), editor->GetAttributes()});
  }
  return rows;
}

void TDesigner::RefreshInspector() {
  if (!FInspector) return;
  std::vector<TInspectorRow> rows = InspectorRows();
  FInspector->SetRowCount(static_cast<Integer>(std::max<size_t>(rows.size(), 1) + 1));
  FInspector->SetCells(0, 1, "");
  FInspector->SetCells(1, 1, "");
  for (size_t i = 0; i < rows.size(); ++i) {
    const Integer r = static_cast<Integer>(i) + 1;
    FInspector->SetCells(0, r, rows[i].Name);
    String shown = rows[i].Value;
    if (rows[i].Attributes.Contains(paDialog)) shown += " ...";
    FInspector->SetCells(1, r, shown);
  }
}

TPropertyAttributes TDesigner::PropertyAttributes(const String& name) {
  std::unique_ptr<TPropertyEditor> editor = EditorOf(name);
  return editor ? editor->GetAttributes() : TPropertyAttributes{};
}

std::vector<String> TDesigner::PropertyValues(const String& name) { return ValuesOf(EditorOf(name).get()); }

std::vector<String> TDesigner::ValuesOf(TPropertyEditor* editor) {
  std::vector<String> values;
  if (!editor || !editor->GetAttributes().Contains(paValueList)) return values;
  editor->GetValues([&values](const String& v) { values.push_back(v); });
  if (editor->GetAttributes().Contains(paSortList))
    std::sort(values.begin(), values.end(), [](const String& a, const String& b) { return CompareText(a, b) < 0; });
  return values;
}

void TDesigner::SetPropertyValue(const String& name, const String& value) {
  std::unique_ptr<TPropertyEditor> editor = EditorOf(name);
  if (!editor) throw EPropertyError(Format("No property %s to edit", {name}));
  if (editor->GetAttributes().Contains(paReadOnly)) throw EPropertyError(Format("Property %s is read-only", {name}));
  const String before = editor->GetValue();
  const int modifications = FModifications;
  editor->SetValue(value);
  if (FModifications != modifications) return;  // the editor told the designer itself
  if (editor->GetValue() != before) Modified();
  else RefreshInspector();
}

void TDesigner::EditProperty(const String& name) {
  std::unique_ptr<TPropertyEditor> editor = EditorOf(name);
  if (editor && editor->GetAttributes().Contains(paDialog)) editor->Edit();
  RefreshInspector();
}

void TDesigner::InspectorDblClick(TObject*) {
  const Integer row = FInspector->Row();
  if (row < 1) return;
  const String name = FInspector->Cells(0, row);
  if (!name.empty()) EditProperty(name);
}

// ---- component editors -----------------------------------------------------------------------

// The form itself offers the verbs of its custom module, other components those of their
// component editor.
std::vector<String> TDesigner::Verbs() {
  std::vector<String> verbs;
  if (FSelection.size() != 1) return verbs;
  if (FSelection[0] == GetRoot()) {
    if (std::unique_ptr<TCustomModule> module{GetCustomModule(FSelection[0], this)})
      for (int i = 0; i < module->GetVerbCount(); ++i) verbs.push_back(module->GetVerb(i));
    return verbs;
  }
  std::unique_ptr<TComponentEditor> editor(GetComponentEditor(FSelection[0], this));
  for (int i = 0; i < editor->GetVerbCount(); ++i) verbs.push_back(editor->GetVerb(i));
  return verbs;
}

void TDesigner::ExecuteVerb(int index) {
  if (FSelection.size() != 1) return;
  if (FSelection[0] == GetRoot()) {
    std::unique_ptr<TCustomModule> module{GetCustomModule(FSelection[0], this)};
    if (module && index >= 0 && index < module->GetVerbCount()) module->ExecuteVerb(index);
    return;
  }
  std::unique_ptr<TComponentEditor> editor(GetComponentEditor(FSelection[0], this));
  if (index >= 0 && index < editor->GetVerbCount()) editor->ExecuteVerb(index);
}

void TDesigner::EditComponent() {
  if (FSelection.size() != 1 || FSelection[0] == GetRoot()) return;
  std::unique_ptr<TComponentEditor> editor(GetComponentEditor(FSelection[0], this));
  editor->Edit();
}

void TDesigner::PopupVerbs(TObject*) {
  FVerbMenu->Items()->Clear();
  const std::vector<String> verbs = Verbs();
  for (size_t i = 0; i < verbs.size(); ++i) {
    auto* item = new TMenuItem(FVerbMenu);
    item->SetCaption(verbs[i]);
    item->SetTag(static_cast<Integer>(i));
    item->OnClick = MakeMethod<&TDesigner::VerbClick>(this);
    FVerbMenu->Items()->Add(item);
  }
}

void TDesigner::VerbClick(TObject* sender) {
  if (auto* item = dynamic_cast<TMenuItem*>(sender)) ExecuteVerb(item->Tag());
}

// ---- the form in design state ----------------------------------------------------------------

TComponent* TDesigner::DropComponent(TClass cls, TWinControl* parent, int x, int y, int w, int h) {
  TComponent* root = GetRoot();
  if (!root || !cls || !cls->InheritsFrom(TComponent::StaticClass())) return nullptr;
  auto* c = static_cast<TComponent*>(CreateComponent(cls, root));
  String base = cls->ClassName();
  if (base.size() > 1 && (base[0] == 'T' || base[0] == 't')) base.erase(0, 1);
  for (int n = 1;; ++n)
    if (!root->FindComponent(base + IntToStr(n))) {
      c->SetName(base + IntToStr(n));
      break;
    }
  if (auto* control = dynamic_cast<TControl*>(c)) {
    control->SetParent(parent ? parent : dynamic_cast<TWinControl*>(root));
    control->SetBounds(x, y, w > 0 ? w : control->Width(), h > 0 ? h : control->Height());
  } else {
    // The position of a non-visual component is its design information.
    c->SetDesignInfo((static_cast<Integer>(y) << 16) | (x & 0xFFFF));
  }
  FSelection = {c};
  Modified();
  EditRow(FEditedRow);
  return c;
}

void TDesigner::DesignMouseDown(TControl* control, TMouseButton button, TShiftState shift, Integer x, Integer y) {
  if (FDropClass) {
    auto* parent = dynamic_cast<TWinControl*>(control);
    if (!parent || !parent->ControlStyle().Contains(csAcceptsControls)) parent = control->Parent();
    TClass cls = FDropClass;
    FDropClass = nullptr;
    DropComponent(cls, parent, x, y);
    return;
  }
  Select(control, shift.Contains(ssShift));
  if (button == mbRight) {
    TPoint p = control->ClientToScreen({x, y});
    FVerbMenu->Popup(p.X, p.Y);
  }
}

void TDesigner::DesignDblClick(TControl* control) {
  Select(control);
  EditComponent();
}

// ---- menu commands ---------------------------------------------------------------------------

void TDesigner::OpenClick(TObject*) {
  std::unique_ptr<TOpenDialog> dialog(new TOpenDialog(nullptr));
  dialog->SetFilter("Units (*.pas)|*.pas|All files (*)|*");
  if (!dialog->Execute()) return;
  try {
    ShowForm(Open(dialog->GetFileName()));
  } catch (const Exception& e) {
    MessageDlg(e.Message(), mtError, {mbOK}, 0);
  }
}

void TDesigner::SaveClick(TObject*) {
  try {
    Save();
  } catch (const Exception& e) {
    MessageDlg(e.Message(), mtError, {mbOK}, 0);
  }
}

void TDesigner::ExitClick(TObject*) { FMainForm->Close(); }

}  // namespace xel
