#include "GlottaLanguages.h"

#include "Application.h"
#include "Format.h"
#include "GlottaList.h"
#include "GlottaModule.h"
#include "GlottaSystem.h"
#include "RegisterControls.h"
#include "SysUtils.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /runtime/GlottaLanguages.cpp 2 11.12.26 13:10 XG $")

namespace xel {

namespace {
// Cells that take no typing are shaded as in the translation editor.
constexpr TColor kReadOnlyColor = TColor(0x00D0E0D0);
constexpr Integer kHelpContext = 2000;
constexpr char kNamesKey[] = "StrListNames";
constexpr char kDescsKey[] = "StrListDescs";
constexpr char kEnglishKey[] = "BtnEnglishLangNames.Checked";

// Every item quoted: the list's own delimited text drops a trailing empty item, and a
// language whose information is empty must not shorten the remembered lists.
String JoinQuoted(const TStrings* list) {
  String text;
  for (int i = 0; i < list->Count(); ++i) {
    text += i ? ";\"" : "\"";
    for (char c : list->Get(i)) text += c == '"' ? String("\"\"") : String(1, c);
    text += '"';
  }
  return text;
}

enum TRightButton { rbAdd, rbRemove, rbAsDefault, rbMoveUp, rbMoveDown };
}  // namespace

TLanguageSelectForm::TLanguageSelectForm(TComponent* owner)
    : TSuperForm(owner),
      FLangs(std::make_unique<TLanguageEntries>(nullptr)),
      FStrListNames(std::make_unique<TStringList>()),
      FStrListDescs(std::make_unique<TStringList>()) {
  for (TStringList* list : {FStrListNames.get(), FStrListDescs.get()}) list->SetDelimiter(';');
}

TLanguageSelectForm::~TLanguageSelectForm() = default;

String TLanguageSelectForm::Text(const String& name) const { return Glotta()->GetString(name); }

Integer TLanguageSelectForm::ShowText(const String& text, MsgBox::TMsgBoxType type, MsgBox::TMsgBoxButtons buttons) {
  return MsgBox::MsgEx(text, "", type, buttons, 0, PrivateXelDomain);
}

// ---- preparing ----------------------------------------------------------------------------------

void TLanguageSelectForm::Init(TLanguageManager* manager, bool initAll, TConfigFile* configFile, TFont* font) {
  if (configFile) {
    TConfigFile* own = ConfigFile();
    CopyConfigStorage(own, configFile);
    own->SetSaveSuperFormState(false);
    own->Load();
    FConfigLoaded = true;
  }
  if (font) {
    Grid()->GetFont()->Assign(font);
    AdjustGridDefaultRowHeight(Grid());
  }
  FInitAll = initAll;
  FManager = manager;
  FLangs->Assign(manager->Langs());
  for (int i = 0; i < FLangs->Count(); ++i) FLangs->Items(i)->SetMarked(false);
  for (int i = 0; i < FLangs->Count(); ++i)
    if (FLangs->Items(i)->IsActive()) {
      FLangs->Items(i)->Mark();
      break;
    }
  if (FLangs->Count() == 0) {
    const int remembered = std::min(FStrListNames->Count(), FStrListDescs->Count());
    if (FConfigLoaded && remembered > 0) {
      for (int i = 0; i < remembered; ++i) {
        TLanguageEntry* lang = FLangs->Add();
        lang->SetName((*FStrListNames)[i]);
        lang->SetHint((*FStrListDescs)[i]);
      }
      FLangs->Items(0)->Mark();
      RefreshGrid(true);
      SelectRow(0, false);
    } else {
      FLangs->Add()->Mark();
      RefreshGrid(true);
      SelectRow(0, true);
    }
  } else {
    RefreshGrid(true);
  }
  SetActiveControl(Grid());
}

void TLanguageSelectForm::FormCreate(TObject*) {
  const Integer widths[] = {138, 258, 67};
  for (Integer col = 0; col < 3; ++col) Grid()->SetColWidths(col, widths[col]);
  RefreshGrid(true);
}

void TLanguageSelectForm::FormShow(TObject*) {
  if (Grid()->CanFocus()) Grid()->SetFocus();
}

// ---- the grid -----------------------------------------------------------------------------------

int TLanguageSelectForm::SelectedLanguage() const {
  const int r = Grid()->Row() - 1;
  return r >= 0 && r < FLangs->Count() ? r : -1;
}

void TLanguageSelectForm::RefreshGrid(bool updateButtons) {
  TSortGrid* grid = Grid();
  FRefreshing = true;
  TFinally done([this] { FRefreshing = false; });
  grid->SetEditorMode(false);
  const int count = FLangs->Count();
  grid->SetRowCount(std::max(count + 1, 2));
  grid->SetCells(0, 0, Text("Language"));
  grid->SetCells(1, 0, Text("User Information"));
  grid->SetCells(2, 0, Text("Status"));
  for (int i = 0; i < std::max(count, 1); ++i) {
    const TLanguageEntry* lang = i < count ? FLangs->Items(i) : nullptr;
    grid->SetCells(0, i + 1, lang ? lang->Name() : String());
    grid->SetCells(1, i + 1, lang ? lang->Hint() : String());
    grid->SetCells(2, i + 1, lang && lang->Marked() ? "[" + Text("Default") + "]" : String());
  }
  grid->SetEnabled(count > 0);
  grid->InitValidate();
  if (updateButtons) UpdateButtons();
}

void TLanguageSelectForm::UpdateButtons() {
  const int r = SelectedLanguage(), count = FLangs->Count();
  const bool selected = r >= 0;
  RightButton(rbRemove)->SetEnabled(selected);
  RightButton(rbAsDefault)->SetEnabled(selected && !FLangs->Items(r)->Marked());
  RightButton(rbMoveUp)->SetEnabled(selected && count >= 2 && r > 0);
  RightButton(rbMoveDown)->SetEnabled(selected && count >= 2 && r < count - 1);
  LabelF9Hint()->SetEnabled(GetActiveControl() == Grid() && selected && Grid()->Col() == 0);
}

void TLanguageSelectForm::SelectRow(int language, bool edit) {
  TSortGrid* grid = Grid();
  grid->MoveTo(0, language + 1);
  grid->InitValidate();
  if (edit) {
    if (grid->CanFocus()) grid->SetFocus();
    grid->ShowEditor();
  }
  UpdateButtons();
}

void TLanguageSelectForm::TakeCell(Integer col, Integer row) {
  const int r = row - 1;
  if (r < 0 || r >= FLangs->Count()) return;
  const String& text = Grid()->Cells(col, row);
  if (col == 0) FLangs->Items(r)->SetName(text);
  else if (col == 1) FLangs->Items(r)->SetHint(text);
}

void TLanguageSelectForm::GridSelectCell(TObject*, Integer col, Integer, bool& canSelect) {
  canSelect = canSelect && col <= 1;
}

void TLanguageSelectForm::GridSetEditText(TObject*, Integer col, Integer row, const String&) {
  if (!FRefreshing) TakeCell(col, row);
}

void TLanguageSelectForm::GridCellValidate(TObject*, Integer col, Integer row, String& value, bool& valid) {
  if (FRefreshing) return;
  if (FCancelEdit) {
    valid = false;
    return;
  }
  value = Trim(value);
  Grid()->SetCells(col, row, value);
  TakeCell(col, row);
}

void TLanguageSelectForm::GridKeyPress(TObject*, char& key) {
  TSortGrid* grid = Grid();
  if (key == '\r' && (grid->GetEditorMode() || grid->GetModified())) {
    key = 0;
    grid->ValidateCell();
    grid->InitValidate();
    grid->SetEditorMode(false);
  } else if (key == 27 && (grid->GetEditorMode() || grid->GetModified())) {
    key = 0;
    FCancelEdit = true;
    TFinally done([this] { FCancelEdit = false; });
    const Integer col = grid->Col(), row = grid->Row();
    grid->ValidateCell();
    // The typed text reached the working copy at once; the restored cell goes back there.
    TakeCell(col, row);
    grid->InitValidate();
    grid->SetEditorMode(false);
  }
}

void TLanguageSelectForm::GridGetCellFormat(TObject*, Integer col, Integer row, TGridDrawState, TFormatOptions& format) {
  if (col == 2) {
    format.AlignmentHorz = taCenter;
    if (row >= 1) format.Brush->SetColor(kReadOnlyColor);
  }
}

void TLanguageSelectForm::GridClick(TObject*) { UpdateButtons(); }
void TLanguageSelectForm::GridEnter(TObject*) { UpdateButtons(); }
void TLanguageSelectForm::GridExit(TObject*) { LabelF9Hint()->SetEnabled(false); }

void TLanguageSelectForm::GridDblClick(TObject*) {
  if (Grid()->Col() == 0 && SelectedLanguage() >= 0) ShowTableNames();
}

// The grid's in-place editor keeps F9 to itself, so the form looks first.
void TLanguageSelectForm::FormKeyDown(TObject*, Word& key, TShiftState shift) {
  if (key != VK_F9 || !shift.Empty()) return;
  TWinControl* active = GetActiveControl();
  if (active != Grid() && (!active || active != Grid()->InplaceEditor())) return;
  if (Grid()->Col() != 0 || SelectedLanguage() < 0) return;
  key = 0;
  ShowTableNames();
}

void TLanguageSelectForm::ShowTableNames() {
  TSortGrid* grid = Grid();
  const Integer row = grid->Row();
  String name = grid->Cells(0, row);
  bool changed = false;
  bool english = BtnEnglishLangNames()->GetChecked();
  if (!TLanguageListForm::Execute(nullptr, name, changed, grid->GetFont(), english)) return;
  if (english != BtnEnglishLangNames()->GetChecked()) {
    BtnEnglishLangNames()->SetChecked(english);
    if (FConfigLoaded) ConfigFile()->Save();
  }
  if (changed) {
    grid->SetEditorMode(false);
    grid->SetCells(0, row, name);
    TakeCell(0, row);
    grid->InitValidate();
  }
}

// ---- commands -----------------------------------------------------------------------------------

void TLanguageSelectForm::AddClick(TObject*) {
  TLanguageEntry* lang = FLangs->Add();
  if (FLangs->Count() == 1) lang->Mark();
  RefreshGrid(true);
  SelectRow(FLangs->Count() - 1, true);
}

void TLanguageSelectForm::RemoveClick(TObject*) {
  const int r = SelectedLanguage();
  if (r < 0) return;
  if (ShowText(Text("ClearConfirmation"), MsgBox::mtConfirmation, {MsgBox::mbYes, MsgBox::mbNo}) != mrYes) return;
  const bool wasDefault = FLangs->Items(r)->Marked();
  FLangs->Delete(r);
  if (wasDefault && FLangs->Count() > 0) FLangs->Items(0)->Mark();
  RefreshGrid(true);
}

void TLanguageSelectForm::AsDefaultClick(TObject*) {
  const int r = SelectedLanguage();
  if (r < 0) return;
  FLangs->Items(r)->Mark();
  RefreshGrid(true);
}

void TLanguageSelectForm::MoveSelected(int delta) {
  const int r = SelectedLanguage();
  if (r < 0 || r + delta < 0 || r + delta >= FLangs->Count()) return;
  const Integer col = Grid()->Col();
  FLangs->Items(r)->SetIndex(r + delta);
  RefreshGrid(false);
  Grid()->MoveTo(col, r + delta + 1);
  Grid()->InitValidate();
  UpdateButtons();
}

void TLanguageSelectForm::MoveUpClick(TObject*) { MoveSelected(-1); }
void TLanguageSelectForm::MoveDownClick(TObject*) { MoveSelected(1); }

// ---- accepting ----------------------------------------------------------------------------------

bool TLanguageSelectForm::CheckNames() {
  bool empty = false, duplicate = false;
  String missing;
  for (int i = 0; i < FLangs->Count(); ++i) FLangs->Items(i)->SetName(Trim(FLangs->Items(i)->Name()));
  for (int i = 0; i < FLangs->Count(); ++i) {
    const String& name = FLangs->Items(i)->Name();
    if (name.empty()) {
      empty = true;
      continue;
    }
    bool twice = false;
    for (int k = 0; k < FLangs->Count() && !twice; ++k) twice = k != i && CompareLanguages(name, FLangs->Items(k)->Name());
    if (twice) {
      duplicate = true;
      continue;
    }
    String known = name;  // the name stays as typed; the table's spelling is not forced on it
    if (!IsDefaultLanguage({lnEnglish, lnOriginal}, known)) missing += (missing.empty() ? "" : ", ") + name;
  }
  if (empty || duplicate) {
    ShowText(Text("ENameError"), MsgBox::mtError, {MsgBox::mbOK});
    return false;
  }
  // Only Ignore goes on: a warning closed otherwise has not been agreed to.
  if (!missing.empty() &&
      ShowText(Format(Text("ELangNameWarning"), {missing}), MsgBox::mtWarning, {MsgBox::mbAbort, MsgBox::mbIgnore}) !=
          mrIgnore)
    return false;
  return true;
}

void TLanguageSelectForm::ButtonPanelBottomOKClick(TObject*) {
  TSortGrid* grid = Grid();
  if (grid->GetEditorMode() || grid->GetModified()) {
    grid->ValidateCell();
    grid->InitValidate();
    grid->SetEditorMode(false);
  }
  if (!CheckNames()) return;
  FManager->AssignLangsAndSync(FLangs.get(), FInitAll ? cmInitAll : cmInitDefault);
  if (FConfigLoaded) {
    FStrListNames->Clear();
    FStrListDescs->Clear();
    for (int i = 0; i < FLangs->Count(); ++i) {
      FStrListNames->Add(FLangs->Items(i)->Name());
      FStrListDescs->Add(FLangs->Items(i)->Hint());
    }
    ConfigFile()->Save();
  }
  SetModalResult(mrOk);
}

void TLanguageSelectForm::ButtonPanelBottomButtonClick(TObject*, TButtonItem* item) {
  if (item == ButtonPanelBottom()->GetButtons()->Items(2)) Application->HelpContext(kHelpContext);
}

// ---- configuration ------------------------------------------------------------------------------

void TLanguageSelectForm::ConfigFileAfterLoad(TObject*, TExIniFile* ini) {
  if (!ini) return;
  const String section = ConfigFile()->GetSection();
  // The lists' separator is the storage's hint delimiter: read with hints on, a list would
  // end at its first item.
  const bool hints = ini->GetHintsEnabled();
  ini->SetHintsEnabled(false);
  TFinally restore([ini, hints] { ini->SetHintsEnabled(hints); });
  try {
    FStrListNames->SetDelimitedText(ini->ReadString(section, kNamesKey, JoinQuoted(FStrListNames.get())));
    FStrListDescs->SetDelimitedText(ini->ReadString(section, kDescsKey, JoinQuoted(FStrListDescs.get())));
    BtnEnglishLangNames()->SetChecked(ini->ReadBool(section, kEnglishKey, BtnEnglishLangNames()->GetChecked()));
  } catch (const Exception&) {
    // A storage that cannot be read leaves the dialog as designed.
  }
}

void TLanguageSelectForm::ConfigFileBeforeSave(TObject*, TExIniFile* ini) {
  const String section = ConfigFile()->GetSection();
  const bool hints = ini->GetHintsEnabled();
  ini->SetHintsEnabled(false);
  TFinally restore([ini, hints] { ini->SetHintsEnabled(hints); });
  ini->WriteString(section, kNamesKey, JoinQuoted(FStrListNames.get()));
  ini->WriteString(section, kDescsKey, JoinQuoted(FStrListDescs.get()));
  ini->WriteBool(section, kEnglishKey, BtnEnglishLangNames()->GetChecked());
}

void RegisterLanguageFormsClasses() {
  RegisterControlClasses();
  RegisterGlottaClasses();
  RegisterGlottaModuleClasses();
  RegisterClasses({TLanguageSelectForm::StaticClass(), TLanguageListForm::StaticClass()});
}

}  // namespace xel
