#include "GlottaImport.h"

#include "Application.h"
#include "FileTools.h"
#include "Format.h"
#include "RegisterControls.h"
#include "SysUtils.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /exchange/GlottaImport.cpp 1 11.12.26 04:25 XG $")

namespace xel {

namespace {
constexpr Integer kHelpContext = 3000;
constexpr int kShownNameLength = 28;

// The parts of a section row "class=language".
String ClassPart(const String& row) {
  const size_t eq = row.find('=');
  return eq == String::npos ? row : row.substr(0, eq);
}
String LanguagePart(const String& row) {
  const size_t eq = row.find('=');
  return eq == String::npos ? String() : row.substr(eq + 1);
}
}  // namespace

TGlottaImportForm::TGlottaImportForm(TComponent* owner) : TSuperForm(owner) {}

// Which choices the dialog's configuration keeps: the mode and the two options.
void TGlottaImportForm::FormCreate(TObject*) {
  TComponentEntries* entries = ConfigFile()->Entries();
  if (entries->Count() > 0) return;
  for (TControl* control : std::initializer_list<TControl*>{BtnClearExisting(), BtnAddAll(), BtnAddNotExisting(),
                                                             BtnInitNewProps(), BtnShowWarnings()}) {
    auto* entry = static_cast<TComponentEntry*>(entries->Add());
    entry->SetRef(control);
    entry->SetSubType({stPubPropObject});
    if (PPropInfo prop = GetPropInfo(control, "Checked")) TPropertyEntry::Create(entry, "Checked", "", prop->Kind());
  }
  ConfigFile()->RefreshEntries();
}

void TGlottaImportForm::Init(const String& fileName, TStrings* sections, bool matchClass, TComponent* owner,
                             TFont* gridFont, TConfigFile* config) {
  FFileName = fileName;
  FSections = sections;
  if (gridFont) {
    Grid()->GetFont()->Assign(gridFont);
    AdjustGridDefaultRowHeight(Grid());
  }
  BtnAsDefault()->SetEnabled(config != nullptr);
  if (config) {
    CopyConfigStorage(ConfigFile(), config);
    ConfigFile()->Load();
  }
  TSortGridEx* grid = Grid();
  const int count = sections ? sections->Count() : 0;
  grid->SetRowCount(std::max(count + 1, 2));
  const String ownerClass = owner ? owner->ClassName() : String();
  grid->BeginSelectUpdate();
  for (int i = 0; i < count; ++i) {
    const String& row = sections->Get(i);
    const String cls = ClassPart(row);
    grid->SetCells(0, i + 1, "");
    grid->SetCells(1, i + 1, cls);
    grid->SetCells(2, i + 1, LanguagePart(row));
    const bool preselected = matchClass ? (!ownerClass.empty() && cls == ownerClass) : cls.empty();
    SetRowSelected(i + 1, preselected);
  }
  grid->EndSelectUpdate();
  FCaption = GetText();
  ShowTexts();
  UpdateOK();
}

TImportMode TGlottaImportForm::GetImportMode() {
  if (BtnClearExisting()->GetChecked()) return imClearExisting;
  if (BtnAddAll()->GetChecked()) return imAddAll;
  return imAddNotExisting;
}

bool TGlottaImportForm::GetInitNewProps() { return BtnInitNewProps()->GetChecked(); }
bool TGlottaImportForm::GetWarningsEnabled() { return BtnShowWarnings()->GetChecked(); }

bool TGlottaImportForm::AnySelected() const {
  for (Integer row = 1; row < Grid()->GetRowCount(); ++row)
    if (IsRowSelected(row)) return true;
  return false;
}

void TGlottaImportForm::UpdateOK() { OKButton()->SetEnabled(AnySelected()); }

void TGlottaImportForm::ShowTexts() {
  TSortGridEx* grid = Grid();
  grid->SetCells(0, 0, Glotta()->GetString("Import"));
  grid->SetCells(1, 0, Glotta()->GetString("FormClassName"));
  grid->SetCells(2, 0, Glotta()->GetString("Language"));
  if (!FCaption.empty()) SetText(Format(FCaption, {ShortPath(FFileName, kShownNameLength)}));
}

// The caption shows the file's name only between switches: the language data must keep
// the pattern.
void TGlottaImportForm::GlottaBeforeChange(TObject*) {
  if (!FCaption.empty()) SetText(FCaption);
}

void TGlottaImportForm::GlottaChange(TObject*) {
  if (!FCaption.empty()) FCaption = GetText();
  ShowTexts();
}

void TGlottaImportForm::GridSelectCell(TObject*, Integer col, Integer row, bool& canSelect) {
  canSelect = canSelect && col == 0 && row >= 1;
}

void TGlottaImportForm::GridSelectQuery(TObject*, Integer col, Integer row, bool& selectable) {
  selectable = col == 0 && row >= 1 && FSections && row <= FSections->Count();
}

void TGlottaImportForm::GridSelectUpdate(TObject*) { UpdateOK(); }

void TGlottaImportForm::GridKeyPress(TObject*, char& key) {
  if (key != ' ') return;
  key = 0;
  const Integer row = Grid()->Row();
  SetRowSelected(row, !IsRowSelected(row));
}

void TGlottaImportForm::OKClick(TObject*) {
  if (!AnySelected()) return;
  if (FSections)
    for (int i = FSections->Count() - 1; i >= 0; --i)
      if (!IsRowSelected(i + 1)) FSections->Delete(i);
  if (BtnAsDefault()->GetEnabled() && BtnAsDefault()->GetChecked()) ConfigFile()->Save();
  SetModalResult(mrOk);
}

void TGlottaImportForm::ButtonPanelButtonClick(TObject*, TButtonItem* item) {
  if (item == ButtonPanel()->GetButtons()->Items(2)) Application->HelpContext(kHelpContext);
}

void RegisterGlottaImportClasses() {
  RegisterControlClasses();
  RegisterGlottaClasses();
  RegisterClasses({TGlottaImportForm::StaticClass()});
}

}  // namespace xel
