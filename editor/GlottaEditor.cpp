#include "GlottaEditor.h"

#include "Application.h"
#include "ComponentExplorerDialog.h"
#include "ConfigFile.h"
#include "ConvertTools.h"
#include "DateTime.h"
#include "FileTools.h"
#include "Format.h"
#include "Glotta.h"
#include "GlottaCheck.h"
#include "GlottaFindings.h"
#include "GlottaImport.h"
#include "GlottaLanguages.h"
#include "GlottaModule.h"
#include "GlottaSetup.h"
#include "GlottaStatus.h"
#include "GlottaView.h"
#include "GlottaSystem.h"
#include "LanguageExport.h"
#include "LanguageImport.h"
#include "LogFile.h"
#include "MsgBox.h"
#include "Platform.h"
#include "RegisterControls.h"
#include "Resources.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /editor/GlottaEditor.cpp 1 10.12.26 0:40 XG $")

namespace xel {

namespace {

// Read-only cells stand out from the cells that take typing, and cells that break a check
// rule from both.
constexpr TColor kReadOnlyColor = TColor(0x00D0E0D0);
constexpr TColor kFindingColor = TColor(0x00B4C8FF);
// Language columns never shrink below this, however narrow the window.
constexpr Integer kMinLangColWidth = 40;
constexpr const char* kVersion = "1.31";

TLanguageFrames* gUnnamedFrames = nullptr;
TLanguageFrames* gDomainFrames = nullptr;

bool HasLanguage(TGlotta* glotta, const String& language) {
  if (language.empty()) return false;
  TLanguageEntries* langs = glotta->LanguageManager()->Langs();
  const TLanguageMatch match(language);
  for (int i = 0; i < langs->Count(); ++i)
    if (match.Matches(langs->Items(i)->Name())) return true;
  return false;
}

// The menu items whose check marks the editor keeps.
constexpr const char* kCheckedItems[] = {"ItemCompName",   "ItemCompType",     "ItemPropType",
                                         "ItemPropDesc",   "ItemStringID",     "ItemAutoBackup",
                                         "ItemInitNewProps", "ItemVerifyStringsAtStart", "ItemRuleMissing",
                                         "ItemRulePlaceholders", "ItemRuleAccelerators", "ItemRuleBlanks",
                                         "ItemRulePunctuation", "ItemRuleValue", "ItemRuleFit"};

// The options menu's item of each check rule the editor applies.
constexpr std::pair<const char*, TCheckRule> kRuleItems[] = {
    {"ItemRuleMissing", crMissing}, {"ItemRulePlaceholders", crPlaceholders}, {"ItemRuleAccelerators", crAccelerators},
    {"ItemRuleBlanks", crBlanks},   {"ItemRulePunctuation", crPunctuation},   {"ItemRuleValue", crValue},
    {"ItemRuleFit", crFit}};

const std::vector<TCheckFinding> kNoFindings;

// The tool buttons with a picture of their own; the second glyph of a two-glyph picture is
// the disabled one.
constexpr const char* kGlyphButtons[] = {"BtnImport", "BtnAddStr",   "BtnDelEntry", "BtnSearch", "BtnSearchAgain",
                                         "BtnLangs",  "BtnProps",    "BtnAutoSize", "BtnAccept", "BtnClose"};

// A bitmap resource as the bytes of a bitmap file: the resource lacks the file header.
String BitmapFileOf(const TResourceEntry& res) {
  constexpr std::uint32_t kFileHeader = 14;
  const Byte* dib = res.Data;
  const std::uint32_t infoSize = dib[0] | dib[1] << 8 | dib[2] << 16 | static_cast<std::uint32_t>(dib[3]) << 24;
  String file = "BM";
  auto put32 = [&file](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) file += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  put32(static_cast<std::uint32_t>(kFileHeader + res.Size));
  put32(0);
  put32(kFileHeader + infoSize);
  file.append(reinterpret_cast<const char*>(dib), res.Size);
  return file;
}

}  // namespace

// ---- creation and destruction ------------------------------------------------------------------

TGlottaEditorForm::TGlottaEditorForm(TComponent* owner)
    : TSuperForm(owner),
      FManager(std::make_unique<TLanguageManager>(nullptr, nullptr, nullptr, cmConsistent)),
      FRows(std::make_unique<TStringList>()),
      FOrgHelpFile(Application->HelpFile()) {}

// The window's own end runs here, while the working copy and the components still exist.
TGlottaEditorForm::~TGlottaEditorForm() {
  try {
    FormDestroy(this);
  } catch (...) {
    Application->HandleException(this);
  }
  Application->SetHelpFile(FOrgHelpFile);
}

void TGlottaEditorForm::FormCreate(TObject*) {
  // The form file is translated by a tool that reads its root as a plain form, so what only
  // a super form has is set here.
  GetSizeMinTrack()->SetSizeX(400);
  GetSizeMinTrack()->SetSizeY(200);
  GetSizeMinTrack()->SetEnabled(true);
  StatusBar()->SetFont(GetFont());
  // The package's private domain speaks the same two languages as the editor.
  TLanguageManager* sync = GlottaSync()->LanguageManager();
  if (sync->GetLangCount() == 0)
    for (const char* name : {"English", "Deutsch"}) sync->Langs()->Add()->SetName(name);
  GlottaSync()->InitLanguages();
  SelectConfigItems();
  LoadGlyphs();
  const String user = GetCurrentUserLanguage();
  if (HasLanguage(Glotta(), user)) Glotta()->SetLanguage(user);
  ConfigLang()->Load();
  FOrgCaption = GetText();
  SetText(FOrgCaption + " " + Version());
  TFont* statusFont = StatusBar()->GetFont();
  statusFont->SetSize(statusFont->GetSize() + 2);
  // The larger text needs a taller bar.
  StatusBar()->SetHeight(std::max<Integer>(StatusBar()->Height(), ScreenTextExtent(*statusFont, "ABC").Y + 6));
  LogFile()->WriteValue(Variant(Format("Language editor started by: %s@%s", {GetUserName(), GetComputerName()})));
  Config()->Load();
  GlottaSync()->SetLanguage(Glotta()->GetLanguage());
  GridFontChanged();
  GlottaChange(nullptr);
}

String TGlottaEditorForm::Version() { return kVersion; }

void TGlottaEditorForm::FormDestroy(TObject*) {
  SaveConfiguration();
  LogFile()->WriteValue(Variant(String(".")));
}

// Which properties the configuration keeps: the component explorer's settings, the view and
// option items, the grid's font, and (for the tools' shared language) Glotta's language.
void TGlottaEditorForm::SelectConfigItems() {
  auto select = [](TConfigFile* config, TComponent* component, TPersistent* object,
                   std::initializer_list<const char*> names, const char* path) {
    TComponentEntries* entries = config->Entries();
    int at = entries->IndexOfName(component->GetName());
    auto* entry = at >= 0 ? entries->Items(at) : static_cast<TComponentEntry*>(entries->Add());
    if (at < 0) {
      entry->SetRef(component);
      entry->SetSubType({stPubPropObject});
    }
    TMainEntry* target = entry;
    if (path) target = TMainEntry::Create(entry->GetItems(), nullptr, path, "", {stPubPropObject});
    for (const char* name : names)
      if (PPropInfo prop = GetPropInfo(object, name)) TPropertyEntry::Create(target, name, "", prop->Kind());
  };
  TConfigFile* config = Config();
  if (config->Entries()->Count() == 0) {
    auto* explorer = New<TComponentExplorerDialog>(this);
    explorer->SetName("CE");
    TCESettings* settings = explorer->GetSettings();
    settings->SetPropFilter({pfCaption, pfHint, pfStrings, pfText, pfAssigned});
    settings->SetSortByCompName(true);
    select(config, explorer, settings, {"PropFilter", "PropFilterText", "SortByCompName"}, "Settings");
    for (const char* name : kCheckedItems) select(config, Item(name), Item(name), {"Checked"}, nullptr);
    select(config, Grid(), Grid()->GetFont(), {"Charset", "Color", "Height", "Name", "Pitch", "Size", "Style"}, "Font");
    config->RefreshEntries();
  }
  TConfigFile* lang = ConfigLang();
  if (lang->Entries()->Count() == 0) {
    select(lang, Glotta(), Glotta(), {"Language"}, nullptr);
    lang->RefreshEntries();
  }
}

// ---- Init ---------------------------------------------------------------------------------------

void TGlottaEditorForm::Init(const String& name, TComponent* root, TGlotta* glotta, TLanguageManager* manager) {
  FRoot = root ? root : Application;
  FGlotta = glotta;
  FOrgManager = manager;
  if (glotta) {
    FDomain = glotta->GetDomain();
    FTopLevel = glotta->GetTopLevel();
  }
  if (manager) FManager->Assign(manager);
  FManager->Init(cmInitNone);
  FHasComps = FManager->HasOwner();
  FSourceName = Trim(name);
  FSourceModified = false;
  FSource.clear();
  if (!FSourceName.empty()) ReadGlottaSource(false, FSourceName, FSource);
  else ReadGlottaSource(true, FRoot->GetName(), FSource);
  for (const char* item : {"ItemCompName", "ItemCompType", "ItemPropType", "ItemPropDesc"}) {
    Item(item)->SetEnabled(FHasComps);
    Item(item)->SetVisible(FHasComps);
  }
  Item("ItemStringID")->SetEnabled(!FHasComps);
  Item("ItemStringID")->SetVisible(!FHasComps);
  if (!FHasComps) Item("ItemStringID")->SetChecked(Item("ItemPropDesc")->GetChecked());
  // A unit has no components whose properties could be chosen.
  Item("ItemProps")->SetEnabled(FHasComps);
  Item("ItemProps")->SetVisible(FHasComps);
  Button("BtnProps")->SetEnabled(FHasComps);
  Button("BtnProps")->SetVisible(FHasComps);
  OwnedComponent<TControl>(this, "ToolButtonProps")->SetVisible(FHasComps);
  // Without the designer's tool services no file name is known here.
  const String file;
  LogFile()->WriteValue(Variant(FHasComps ? Format("Multilingual form: '%s' (%s)", {file, FRoot->ClassName()})
                                          : Format("Multilingual unit: '%s'", {file})));
  RefreshGrid();
}

// ---- the grid model -----------------------------------------------------------------------------

void TGlottaEditorForm::MoveItemsToStrings(TStrings* list) {
  list->Clear();
  if (TComponentEntries* comps = FManager->Comps())
    for (int i = 0; i < comps->Count(); ++i) comps->Items(i)->MoveSubItemsToStrings(mmNameAndType, list);
}

void TGlottaEditorForm::RefreshGrid() {
  const bool refreshing = FRefreshing;
  FRefreshing = true;
  TFinally done([this, refreshing] { FRefreshing = refreshing; });
  FStringEntry = FManager->Control() ? FManager->GetStringInterface(false) : nullptr;
  MoveItemsToStrings(FRows.get());
  const Integer count = FRows->Count();
  InitGrid(count);
  for (Integer i = 0; i < count; ++i)
    InitRow(i + 1, static_cast<TConsistentLangPropertyEntry*>(FRows->Objects(i)), FRows->Strings(i));
  AutoSizeGrid();
  Grid()->InitValidate();
  // Languages or items may have come or gone: nothing found before holds.
  RefreshFindings();
  CheckConditions();
  WriteStatus();
}

void TGlottaEditorForm::InitGrid(Integer rowCount) {
  TSortGrid* grid = Grid();
  grid->SetEditorMode(false);
  grid->Clear();
  grid->SetFixedCols(0);
  grid->SetFixedRows(1);
  grid->SetEnabled(rowCount >= 1);
  grid->SetRowCount(std::max<Integer>(rowCount, 1) + 1);
  grid->SetColCount(1);
  InitGridHeader();
  grid->AutoSizeColumns(true, 0);
  grid->MoveTo(FFirstLangCol, 1);
  if (GetVisible() && grid->GetEnabled() && grid->CanFocus()) grid->SetFocus();
}

String TGlottaEditorForm::LanguageHeader(Integer index) const {
  const String standard = "[" + Text("Default") + "]";
  if (FManager->GetLangCount() == 0) return standard;
  TLanguageEntry* language = FManager->Langs()->Items(index);
  return language->IsActive() ? language->Name() + " " + standard : language->Name();
}

void TGlottaEditorForm::InitGridHeader() {
  Integer col = 0;
  FFirstLangCol = 0;
  if (FHasComps) {
    const std::pair<const char*, const char*> optional[] = {
        {"ItemCompName", "Name of Component"}, {"ItemCompType", "Type of Component"}, {"ItemPropType", "Type of Property"}};
    for (const auto& [item, header] : optional)
      if (Item(item)->GetChecked()) {
        AddCol(Text(header), col, 0);
        ++FFirstLangCol;
      }
  }
  const bool descShown = FHasComps ? Item("ItemPropDesc")->GetChecked() : Item("ItemStringID")->GetChecked();
  FDescCol = descShown ? FFirstLangCol : -1;
  if (descShown) {
    AddCol(Text(FHasComps ? "Property Descriptor String ID" : "String ID"), col, 0);
    ++FFirstLangCol;
  }
  const Integer languages = std::max(FManager->GetLangCount(), 1);
  for (Integer k = 0; k < languages; ++k) AddCol(LanguageHeader(k), col, 0);
  // A column that was shown before and is hidden now goes.
  if (Grid()->GetColCount() > col) Grid()->SetColCount(std::max<Integer>(col, 1));
}

TComponentEntry* TGlottaEditorForm::ComponentOf(const TConsistentLangPropertyEntry* entry) const {
  TMainEntry* main = entry ? entry->MainEntry() : nullptr;
  return main ? ClassCast<TComponentEntry>(main->FindFirstMainEntry()) : nullptr;
}

void TGlottaEditorForm::InitRow(Integer row, TConsistentLangPropertyEntry* entry, const String& descriptor) {
  TSortGrid* grid = Grid();
  grid->SetObjects(0, row, entry);
  Integer col = 0;
  if (FHasComps) {
    TComponentEntry* component = ComponentOf(entry);
    if (Item("ItemCompName")->GetChecked()) SetCell(component ? component->Name() : String(), col, row);
    if (Item("ItemCompType")->GetChecked()) SetCell(component ? component->TypeName() : String(), col, row);
    if (Item("ItemPropType")->GetChecked()) SetCell(entry->TypeName(), col, row);
  }
  if (FDescCol >= 0)
    SetCell(IsNamedString(entry) ? FManager->Names()->Strings(entry->IndexValue()) : descriptor, col, row);
  const Integer languages = std::max(FManager->GetLangCount(), 1);
  for (Integer k = 0; k < languages; ++k)
    grid->SetCells(FFirstLangCol + k, row, TranslateValue(entry, ColToLangIndex(FFirstLangCol + k)));
}

String TGlottaEditorForm::TranslateValue(const TConsistentLangPropertyEntry* entry, Integer langIndex) const {
  const Variant value = entry->GetLangValue(langIndex);
  if (SameText(entry->TypeName(), "TColor") && !VarIsNull(value))
    return "$" + IntToHex(static_cast<std::uint32_t>(value.AsInt64()), 8);
  return VarToStr(value);
}

Integer TGlottaEditorForm::ColToLangIndex(Integer col) const {
  const Integer k = col - FFirstLangCol;
  if (k < 0 || k >= FManager->GetLangCount()) return 0;
  return FManager->Langs()->Items(k)->SubIndex();
}

void TGlottaEditorForm::ColNeeded(Integer col) {
  if (Grid()->GetColCount() < col + 1) Grid()->SetColCount(col + 1);
}

void TGlottaEditorForm::AddCol(const String& text, Integer& col, Integer row) {
  ColNeeded(col);
  SetCell(text, col, row);
}

void TGlottaEditorForm::SetCell(const String& text, Integer& col, Integer row) {
  Grid()->SetCells(col, row, text);
  ++col;
}

TConsistentLangPropertyEntry* TGlottaEditorForm::RowEntry(Integer row) const {
  TSortGrid* grid = Grid();
  if (row < grid->GetFixedRows() || row >= grid->GetRowCount()) return nullptr;
  return static_cast<TConsistentLangPropertyEntry*>(grid->Objects(0, row));
}

bool TGlottaEditorForm::IsNamedString(const TConsistentLangPropertyEntry* entry) const {
  // A string-list line has an Index too; what makes a named string is where it lives.
  return entry && FStringEntry && entry->IndexValue() >= 0 && entry->MainEntry() == FStringEntry;
}

bool TGlottaEditorForm::IsCellEditable(Integer col, Integer row) const {
  TConsistentLangPropertyEntry* entry = RowEntry(row);
  if (!entry) return false;
  if (col >= FFirstLangCol) return col < Grid()->GetColCount();
  return col == FDescCol && IsNamedString(entry);
}

String TGlottaEditorForm::Text(const String& name) const { return Glotta()->GetString(name); }

// ---- editing and validation ---------------------------------------------------------------------

bool TGlottaEditorForm::CellValid() {
  FCellState = 0;
  TSortGrid* grid = Grid();
  grid->ValidateCell();
  grid->SetModified(false);
  const bool valid = FCellState != 2;
  // The cell now holds what it shows; leaving it must not check it again.
  if (valid) grid->InitValidate();
  return valid;
}

void TGlottaEditorForm::GridSelectCell(TObject*, Integer col, Integer row, bool& canSelect) {
  if (!FRefreshing && !CellValid()) {
    canSelect = false;
    return;
  }
  canSelect = IsCellEditable(col, row);
}

void TGlottaEditorForm::GridSetEditText(TObject*, Integer, Integer, const String&) {
  if (!FModified && Grid()->GetModified()) SetModified();
}

void TGlottaEditorForm::SetModified() {
  FModified = true;
  CheckConditions();
}

void TGlottaEditorForm::GridGetCellFormat(TObject*, Integer col, Integer row, TGridDrawState state,
                                          TFormatOptions& format) {
  if (row < 1) return;
  if (!IsCellEditable(col, row)) format.Brush->SetColor(kReadOnlyColor);
  // The cell under the cursor keeps its highlight; the status bar names its findings.
  else if (!state.Contains(gdSelected) && !CellFindings(col, row).empty()) format.Brush->SetColor(kFindingColor);
}

void TGlottaEditorForm::GridClick(TObject*) { WriteFindingStatus(); }

// ---- the check rules ----------------------------------------------------------------------------

// The rules for lost components and the program's sources need the form's file and the
// sources, which the editor does not have.
const TCheckRules TGlottaEditorForm::EditorCheckRules{crMissing, crPlaceholders, crAccelerators, crBlanks,
                                                      crPunctuation, crValue, crFit};

TCheckRules TGlottaEditorForm::CheckRules() const {
  TCheckRules rules;
  for (const auto& [item, rule] : kRuleItems)
    if (Item(item)->GetChecked()) rules.Include(rule);
  return rules;
}

void TGlottaEditorForm::SetCheckRules(TCheckRules rules) {
  for (const auto& [item, rule] : kRuleItems) Item(item)->SetChecked(rules.Contains(rule));
  RefreshFindings();
}

void TGlottaEditorForm::ItemCheckRuleClick(TObject* sender) {
  auto* item = ClassCast<TMenuItem>(sender);
  if (!item) return;
  item->SetChecked(!item->GetChecked());
  RefreshFindings();
}

void TGlottaEditorForm::RefreshFindings() {
  FFindings.clear();
  FItemRefs.clear();
  for (const TLanguageItemRef& ref : LanguageItems(FManager.get())) FItemRefs.emplace(ref.Item, ref);
  for (Integer i = 0; i < FRows->Count(); ++i)
    UpdateFindings(static_cast<TConsistentLangPropertyEntry*>(FRows->Objects(i)));
  Grid()->Invalidate();
  WriteFindingStatus();
}

void TGlottaEditorForm::UpdateFindings(TConsistentLangPropertyEntry* entry) {
  if (!entry) return;
  auto ref = FItemRefs.find(entry);
  // A named string added since the grid was filled.
  if (ref == FItemRefs.end()) {
    FItemRefs.clear();
    for (const TLanguageItemRef& r : LanguageItems(FManager.get())) FItemRefs.emplace(r.Item, r);
    ref = FItemRefs.find(entry);
  }
  std::vector<std::vector<TCheckFinding>>& cells = FFindings[entry];
  cells.clear();
  if (ref == FItemRefs.end()) return;
  const Integer languages = FManager->GetLangCount();
  if (languages == 0) return;
  const int source = CheckSourceLanguage(FManager.get());
  const TCheckRules rules = CheckRules();
  for (Integer l = 0; l < languages; ++l) cells.push_back(CheckTranslation(FManager.get(), ref->second, l, source, rules));
}

void TGlottaEditorForm::ForgetFindings(const TConsistentLangPropertyEntry* entry) {
  FFindings.erase(entry);
  FItemRefs.erase(entry);
}

const std::vector<TCheckFinding>& TGlottaEditorForm::CellFindings(Integer col, Integer row) {
  TConsistentLangPropertyEntry* entry = RowEntry(row);
  const Integer language = col - FFirstLangCol;
  if (!entry || language < 0 || language >= FManager->GetLangCount()) return kNoFindings;
  auto found = FFindings.find(entry);
  // A row added without a refresh of the grid.
  if (found == FFindings.end()) {
    UpdateFindings(entry);
    found = FFindings.find(entry);
  }
  const auto& cells = found->second;
  return language < static_cast<Integer>(cells.size()) ? cells[language] : kNoFindings;
}

std::vector<TGlottaEditorForm::TCellFinding> TGlottaEditorForm::Findings() {
  std::vector<TCellFinding> findings;
  TSortGrid* grid = Grid();
  for (Integer row = grid->GetFixedRows(); row < grid->GetRowCount(); ++row)
    for (Integer col = FFirstLangCol; col < grid->GetColCount(); ++col)
      for (const TCheckFinding& f : CellFindings(col, row)) findings.push_back({col, row, f});
  return findings;
}

void TGlottaEditorForm::WriteFindingStatus() {
  // The last panel names the selected cell's findings, else the product.
  TStatusPanels* panels = StatusBar()->GetPanels();
  if (panels->Count() < 4) return;
  const std::vector<TCheckFinding>& findings = CellFindings(Grid()->Col(), Grid()->Row());
  String text = Text("CreatedBy");
  if (findings.size() == 1)
    text = Format(Text("Finding"), {CheckRuleName(findings[0].Rule), findings[0].Message});
  else if (findings.size() > 1)
    text = Format(Text("Findings"), {CheckRuleName(findings[0].Rule), findings[0].Message,
                                     static_cast<Integer>(findings.size() - 1)});
  panels->Items(3)->SetText(text);
}

void TGlottaEditorForm::GridCellValidate(TObject*, Integer col, Integer row, String& value, bool& valid) {
  if (FRefreshing) return;
  FCellState = 2;
  TConsistentLangPropertyEntry* entry = nullptr;
  if (FCancelEdit || col < 0 || row < 0) valid = false;
  else entry = RowEntry(row);
  if (valid && entry) {
    if (col >= FFirstLangCol) {
      if (entry->Kind() == tkInteger) {
        try {
          value = IntToStr(StringToInt(value));
        } catch (const Exception&) {
        }
      }
      if (!entry->IsValueValid(value)) {
        valid = false;
        ShowText("InvalidValue", MsgBox::mtError, {});
      } else {
        const int slot = ColToLangIndex(col);
        entry->SetLangValue(slot, Variant(value));
        value = TranslateValue(entry, slot);
        // The design language's text is what the row's other cells are held against.
        UpdateFindings(entry);
      }
    } else if (col == FDescCol && IsNamedString(entry)) {
      value = Trim(value);
      const int other = FManager->GetStringNameIndex(value);
      if (other >= 0 && other != entry->IndexValue()) {
        valid = false;
        ShowText("EStringIDAlreadyUsed", MsgBox::mtError, {});
      } else if (TLanguageManager::IsStringNameValid(value)) {
        FManager->Names()->Put(entry->IndexValue(), value);
        entry->SetName(value);
        // The findings name the item by its key, which is the string's name.
        FItemRefs.erase(entry);
        UpdateFindings(entry);
      } else {
        valid = false;
        ShowText("EStringIDInvalid", MsgBox::mtError, {});
      }
    }
  }
  if (valid) FCellState = 1;
  else Grid()->SetEditorMode(false);
  WriteFindingStatus();
  Grid()->Invalidate();
}

void TGlottaEditorForm::GridKeyPress(TObject*, char& key) {
  TSortGrid* grid = Grid();
  if (key == '\r' && grid->GetModified()) {
    key = 0;
    CellValid();
    grid->SetEditorMode(false);
  } else if (key == 27 && (grid->GetModified() || grid->GetEditorMode())) {
    key = 0;
    FCancelEdit = true;
    TFinally done([this] { FCancelEdit = false; });
    CellValid();
    grid->SetEditorMode(false);
  }
}

Integer TGlottaEditorForm::ShowText(const String& name, MsgBox::TMsgBoxType type, MsgBox::TMsgBoxButtons buttons) {
  return ShowMessageText(Text(name), type, buttons);
}

Integer TGlottaEditorForm::ShowMessageText(const String& text, MsgBox::TMsgBoxType type,
                                           MsgBox::TMsgBoxButtons buttons, const String& caption) {
  // The dialog speaks the editor's language through the package's private domain.
  return MsgBox::MsgEx(text, caption, type, buttons, 0, PrivateXelDomain);
}

// ---- acceptance and closing ---------------------------------------------------------------------

bool TGlottaEditorForm::BackupLanguageData() {
  if (!Item("ItemAutoBackup")->GetChecked()) return true;
  try {
    const String dir = IncludeTrailingPathDelimiter(GetTempDir()) + "XelGlotta/";
    if (!CreateDirRecurse(dir)) throw EInOutError("Directory structure could not be created");
    const String name = MakeUniqueFileName(dir + FormatDateTime("yy\"-\"mm\"-\"dd\" \"hh\".\"nn\".\"ss\".txt\"", Now()));
    ExportLanguages(FOrgManager, name);
    // Logged once the file exists, so that the log never names a backup that is missing.
    LogFile()->WriteValue(Variant(Format("Backup saved to: '%s'", {name})));
    FLastBackup = name;
  } catch (const std::exception&) {
    return ShowText("EBackupFailed", MsgBox::mtWarning, {MsgBox::mbYes, MsgBox::mbNo}) == mrYes;
  }
  return true;
}

bool TGlottaEditorForm::Accept() {
  if (!CellValid() || !FOrgManager) return false;
  if (!BackupLanguageData()) return false;
  if (FGlotta) {
    FGlotta->SetDomain(FDomain);
    if (FGlotta->GetTopLevel() != FTopLevel) FGlotta->SetTopLevel(FTopLevel);
  }
  FOrgManager->Assign(FManager.get());
  if (FSourceModified) {
    if (FSourceName.empty()) WriteGlottaSource(true, FRoot->GetName(), FSource);
    else WriteGlottaSource(false, FSourceName, FSource);
    FSourceModified = false;
  }
  LogFile()->WriteValue(Variant(String("Language data saved")));
  if (FGlotta) FGlotta->SetLanguage(FGlotta->GetLanguage());
  FAccepted = true;
  SaveConfiguration();
  FModified = false;
  CheckConditions();
  return true;
}

void TGlottaEditorForm::FormCloseQuery(TObject*, bool& canClose) {
  if (!FModified) return;
  // The question below activates the window again when it closes; a closing window does
  // not check its strings then.
  FClosing = true;
  TFinally closing([this] { FClosing = false; });
  canClose = false;
  if (!CellValid()) return;
  switch (ShowText("SaveChanges", MsgBox::mtConfirmation, {MsgBox::mbYes, MsgBox::mbNo, MsgBox::mbCancel})) {
    case mrYes:
      try {
        canClose = Accept();
      } catch (const EAbort&) {
      } catch (...) {
        // Shown once, by the application; the window stays open with the data unsaved.
        Application->HandleException(this);
      }
      break;
    case mrNo: canClose = true; break;
    default: break;
  }
}

void TGlottaEditorForm::SaveConfiguration() {
  Config()->Save();
  ConfigLang()->Save();
  GlottaSync()->SetLanguage(Glotta()->GetLanguage());
}

// ---- the interface language, status and commands ------------------------------------------------

void TGlottaEditorForm::GlottaChange(TObject*) {
  // The component switches while the form file is read, before the window is complete.
  if (!FRows || ComponentState().Contains(csLoading)) return;
  Application->SetHelpFile(ExpandFileNameByDir(Text("_HelpFile"), GetModuleDir()));
  InitCaptions();
  InitGridHeader();
  AutoSizeGrid();
  WriteStatus();
  WriteFindingStatus();
  SyncLangStatus();
}

void TGlottaEditorForm::InitCaptions() {
  TStatusPanels* panels = StatusBar()->GetPanels();
  if (panels->Count() > 3) panels->Items(3)->SetText(Text("CreatedBy"));
}

void TGlottaEditorForm::SyncLangStatus() {
  const String language = Glotta()->GetLanguage();
  for (const char* name : {"ItemEnglish", "ItemGerman"}) Item(name)->SetChecked(Item(name)->GetCaption() == language);
}

void TGlottaEditorForm::WriteStatus() {
  TStatusPanels* panels = StatusBar()->GetPanels();
  if (panels->Count() < 3) return;
  TSortGrid* grid = Grid();
  const Integer entries = grid->GetEnabled() ? grid->GetRowCount() - grid->GetFixedRows() : 0;
  panels->Items(0)->SetText(Format(Text("EntryCount"), {entries}));
  String domain, topLevel;
  if (!FGlotta) {
    topLevel = ": ???";
  } else if (FDomain.empty()) {
    domain = Text("None");
    topLevel = FTopLevel ? ": True" : ": False";
  } else {
    domain = "'" + FDomain + "'";
    topLevel = " " + Text("is ignored");
  }
  panels->Items(1)->SetText(Format(Text("Domain"), {domain}));
  panels->Items(2)->SetText(Format(Text("TopLevel"), {topLevel}));
}

void TGlottaEditorForm::CheckConditions() {
  const bool autoSize = Item("ItemAutoSize")->GetEnabled() || Grid()->GetClientWidth() != FAutoSizeWidth;
  if (!FRefreshing) {
    Item("ItemAutoSize")->SetEnabled(autoSize);
    Button("BtnAutoSize")->SetEnabled(autoSize);
  }
  const bool rows = Grid()->GetEnabled();
  const std::pair<const char*, bool> commands[] = {
      {"DelEntry", RowEntry(Grid()->Row()) != nullptr}, {"Search", rows},
      {"SearchAgain", rows && !FSearchPattern.empty()}, {"Commit", FModified}};
  for (const auto& [name, enabled] : commands) Item(String("Item") + name)->SetEnabled(enabled);
  Button("BtnDelEntry")->SetEnabled(commands[0].second);
  Button("BtnSearch")->SetEnabled(commands[1].second);
  Button("BtnSearchAgain")->SetEnabled(commands[2].second);
  Button("BtnAccept")->SetEnabled(FModified);
}

void TGlottaEditorForm::AutoSizeGrid() {
  const bool refreshing = FRefreshing;
  FRefreshing = true;
  TFinally done([this, refreshing] { FRefreshing = refreshing; });
  TSortGrid* grid = Grid();
  FAutoSizeWidth = grid->GetClientWidth();
  Integer used = 0;
  for (Integer col = 0; col < FFirstLangCol && col < grid->GetColCount(); ++col) {
    grid->AutoSizeCol(col);
    used += grid->ColWidths(col) + 1;
  }
  const Integer languages = grid->GetColCount() - FFirstLangCol;
  if (languages > 0) {
    const Integer width = std::max<Integer>((FAutoSizeWidth - used) / languages - 1, kMinLangColWidth);
    for (Integer col = FFirstLangCol; col < grid->GetColCount(); ++col) grid->SetColWidths(col, width);
  }
  Item("ItemAutoSize")->SetEnabled(false);
  Button("BtnAutoSize")->SetEnabled(false);
}

void TGlottaEditorForm::GridFontChanged() {
  AdjustGridDefaultRowHeight(Grid());
  if (FRows && !ComponentState().Contains(csLoading)) AutoSizeGrid();
}

void TGlottaEditorForm::GridColumnWidthsChanged(TObject*) {
  if (FRefreshing) return;
  Item("ItemAutoSize")->SetEnabled(true);
  Button("BtnAutoSize")->SetEnabled(true);
}

void TGlottaEditorForm::FormResize(TObject*) {
  if (FRefreshing || !FRows) return;
  Item("ItemAutoSize")->SetEnabled(true);
  Button("BtnAutoSize")->SetEnabled(true);
}

void TGlottaEditorForm::FormShow(TObject*) {
  AutoSizeGrid();
  CheckConditions();
  if (Grid()->GetEnabled() && Grid()->CanFocus()) Grid()->SetFocus();
}

// The consistency check runs whenever the window becomes active, also after its dialogs.
void TGlottaEditorForm::FormActivate(TObject*) {
  // The question of a closing window activates it again when it closes; that is no time
  // to check.
  if (!FClosing && Item("ItemVerifyStringsAtStart")->GetChecked() && OnVerifyStrings) OnVerifyStrings(this, this);
}

void TGlottaEditorForm::SetSource(const String& source) {
  if (source == FSource) return;
  FSource = source;
  FSourceModified = true;
  SetModified();
}

void TGlottaEditorForm::SetSearchPattern(const String& pattern) {
  FSearchPattern = pattern;
  CheckConditions();
}

void TGlottaEditorForm::LoadGlyphs() {
  for (const char* name : kGlyphButtons) {
    const TResourceEntry* res = nullptr;
    for (const void* module : ResourceModules())
      if ((res = FindResource(module, UpperCase(name), RT_BITMAP))) break;
    if (!res) continue;
    TBitmap glyph;
    glyph.LoadFromBytes(BitmapFileOf(*res));
    TSpeedButton* button = Button(name);
    button->SetGlyph(&glyph);
    button->SetNumGlyphs(glyph.Width() / std::max<Integer>(glyph.Height(), 1));
  }
}

void TGlottaEditorForm::SetEditedDomain(const String& domain) {
  FDomain = Trim(domain);
  SetModified();
  WriteStatus();
}

void TGlottaEditorForm::SetEditedTopLevel(bool topLevel) {
  FTopLevel = topLevel;
  SetModified();
  WriteStatus();
}

// ---- configuration ------------------------------------------------------------------------------

void TGlottaEditorForm::ConfigAfterSave(TObject*, TExIniFile* ini) {
  if (!FImportFile.empty())
    ini->WriteString("", "OpenDialog.InitialDir", ExtractFileDir(FImportFile));
  if (!FExportFile.empty())
    ini->WriteString("", "SaveDialog.InitialDir", ExtractFileDir(FExportFile));
}

void TGlottaEditorForm::ConfigAfterLoad(TObject*, TExIniFile* ini) {
  try {
    auto* open = OwnedComponent<TOpenDialog>(this, "OpenDialog");
    auto* save = OwnedComponent<TSaveDialog>(this, "SaveDialog");
    open->SetInitialDir(ini->ReadString("", "OpenDialog.InitialDir", open->GetInitialDir()));
    save->SetInitialDir(ini->ReadString("", "SaveDialog.InitialDir", save->GetInitialDir()));
  } catch (const std::exception&) {
  }
  SyncLangStatus();
  GridFontChanged();
}

// ---- the runner ---------------------------------------------------------------------------------

bool RunGlottaEditor(const String& title, TGlotta* glotta) {
  static const bool registered = (RegisterGlottaEditorClasses(), true);
  (void)registered;
  TLanguageManager* manager = glotta->LanguageManager();
  std::unique_ptr<TGlottaEditorForm> form(New<TGlottaEditorForm>(Application));
  form->Init(title, manager->Owner(), glotta, manager);
  form->ShowModal();
  return form->Accepted();
}

void InitGlottaEditor(TLanguageFrames* unnamedFrames, TLanguageFrames* domainFrames) {
  gUnnamedFrames = unnamedFrames;
  gDomainFrames = domainFrames;
}

TLanguageFrames* EditorUnnamedFrames() { return gUnnamedFrames ? gUnnamedFrames : UnnamedFrames(); }
TLanguageFrames* EditorDomainFrames() { return gDomainFrames ? gDomainFrames : DomainFrames(); }

void RegisterGlottaEditorClasses() {
  RegisterControlClasses();
  RegisterGlottaClasses();
  RegisterLogFileClasses();
  RegisterComponentExplorerDialogClasses();
  RegisterLanguageFormsClasses();
  RegisterGlottaImportClasses();
  RegisterClasses({TGlottaEditorForm::StaticClass()});
  RegisterGlottaSearchClasses();
  RegisterGlottaCheckClasses();
  RegisterGlottaSetupClasses();
  RegisterGlottaStatusClasses();
  RegisterGlottaViewClasses();
  RegisterGlottaFindingsClasses();
}

namespace {
// The library opens the editor for ExecuteGlottaEditor from the moment it is loaded.
[[maybe_unused]] const bool kRunnerInstalled = (SetGlottaEditorRunner(RunGlottaEditor), true);
}  // namespace

}  // namespace xel
