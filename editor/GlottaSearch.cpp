#include "GlottaSearch.h"

#include <memory>

#include "Application.h"
#include "ComponentExplorerTools.h"
#include "Glotta.h"
#include "GlottaEditor.h"
#include "GlottaModule.h"
#include "MRUComboBox.h"
#include "RegisterControls.h"
#include "StringTools.h"
#include "Sounds.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /editor/GlottaSearch.cpp 1 11.12.26 3:55 XG $")

namespace xel {

namespace {

constexpr Integer kSearchHelpContext = 4500;
TGlottaBeep gBeep = nullptr;

void Beep() {
  if (gBeep) gBeep();
  else MessageBeep();
}

}  // namespace

void SetGlottaBeep(TGlottaBeep beep) { gBeep = beep; }

// ---- configuration shared by the editor's dialogs ------------------------------------------------

void TakeConfigSettings(TConfigFile* target, const TConfigFile* source) {
  target->SetMode(source->GetMode());
  target->SetRegistryPath(source->GetRegistryPath());
  target->SetRegistryRoot(source->GetRegistryRoot());
  target->SetSectionProp(source->GetSectionProp());
  target->SetFileNameProp(source->GetFileNameProp());
  target->SetLoadErrorCaption(source->GetLoadErrorCaption());
  target->SetLoadErrorText(source->GetLoadErrorText());
  target->SetSaveErrorCaption(source->GetSaveErrorCaption());
  target->SetSaveErrorText(source->GetSaveErrorText());
  target->SetShowLoadError(source->GetShowLoadError());
  target->SetShowSaveError(source->GetShowSaveError());
  target->SetAutoLoad(false);
}

void SelectConfigProperties(TConfigFile* config, TComponent* component, std::initializer_list<const char*> names) {
  TComponentEntries* entries = config->Entries();
  const int at = entries->IndexOfName(component->GetName());
  auto* entry = at >= 0 ? entries->Items(at) : static_cast<TComponentEntry*>(entries->Add());
  if (at < 0) {
    entry->SetRef(component);
    entry->SetSubType({stPubPropObject});
  }
  for (const char* name : names)
    if (PPropInfo prop = GetPropInfo(component, name)) TPropertyEntry::Create(entry, name, "", prop->Kind());
}

// ---- the dialog ---------------------------------------------------------------------------------

TGlotta* TGlottaSearchForm::Glotta() const { return OwnedComponent<TGlotta>(this, "Glotta"); }

void TGlottaSearchForm::FormCreate(TObject*) {
  TConfigFile* config = ConfigFile();
  if (config->Entries()->Count() == 0) {
    for (TComponent* button : std::initializer_list<TComponent*>{BtnInValues(), BtnInDescs(), BtnInNames(),
                                                                  BtnFromCursor(), BtnBackward(), BtnCaseSensitive()})
      SelectConfigProperties(config, button, {"Checked"});
    SelectConfigProperties(config, EditPattern(), {"History"});
    config->RefreshEntries();
  }
}

// Leaving the dialog confirms the pattern, which puts it at the top of the history.
void TGlottaSearchForm::FormCloseQuery(TObject*, bool&) { EditPattern()->Validate(); }

void TGlottaSearchForm::HelpClick(TObject*) { ShowGlottaHelp(kSearchHelpContext); }

bool TGlottaSearchForm::Execute(String& pattern, TSearchIn& searchIn, TConfigFile* config, TSearchOptions& options) {
  RegisterGlottaSearchClasses();
  std::unique_ptr<TGlottaSearchForm> dialog(New<TGlottaSearchForm>(Application));
  TConfigFile* own = dialog->ConfigFile();
  if (config) {
    TakeConfigSettings(own, config);
    own->SetSaveSuperFormState(false);
    own->Load();
  }
  if (dialog->ShowModal() != mrOk) return false;
  pattern = dialog->EditPattern()->GetFieldText();
  searchIn = dialog->BtnInValues()->GetChecked()  ? siValues
             : dialog->BtnInDescs()->GetChecked() ? siDescs
                                                  : siNames;
  options = {};
  if (dialog->BtnCaseSensitive()->GetChecked()) options.Include(soCaseSensitive);
  if (dialog->BtnFromCursor()->GetChecked()) options.Include(soFromCursor);
  if (dialog->BtnBackward()->GetChecked()) options.Include(soBackward);
  if (config) own->Save();
  return true;
}

// ---- the editor's commands ----------------------------------------------------------------------

bool GlottaSearch(TGlottaEditorForm* editor) {
  TGlottaSearchState& state = editor->SearchState();
  if (!TGlottaSearchForm::Execute(state.Pattern, state.In, editor->Config(), state.Options)) return false;
  // A pattern without "&" finds "&Datei" by "Datei": accelerators are not what one searches.
  if (state.In == siValues) state.StripAmp = state.Pattern.find('&') == String::npos;
  if (!state.Options.Contains(soCaseSensitive)) state.Pattern = UpperCase(state.Pattern);
  if (!state.Pattern.empty()) state.Pattern = "*" + state.Pattern + "*";
  // Search again is offered from now on.
  editor->SetSearchPattern(state.Pattern);
  GlottaSearchAgain(editor, editor);
  return true;
}

namespace {

// The text a row offers outside the language cells; false when the row has none.
bool RowText(TGlottaEditorForm* editor, TSearchIn in, Integer row, String& text) {
  TConsistentLangPropertyEntry* entry = editor->RowEntry(row);
  if (!entry) return false;
  if (in == siDescs) {
    if (editor->IsNamedString(entry)) {
      TStrings* names = editor->Manager()->Names();
      if (entry->IndexValue() >= names->Count()) return false;
      text = names->Strings(entry->IndexValue());
      return true;
    }
    const int line = editor->Rows()->IndexOfObject(entry);
    if (line < 0) return false;
    text = editor->Rows()->Strings(line);
    return true;
  }
  TMainEntry* main = entry->MainEntry();
  auto* component = main ? ClassCast<TComponentEntry>(main->FindFirstMainEntry()) : nullptr;
  if (!component) return false;
  text = component->Name() + ": " + component->TypeName();
  return true;
}

}  // namespace

bool GlottaSearchAgain(TGlottaEditorForm* editor, TObject* sender) {
  const TGlottaSearchState& state = editor->SearchState();
  TSortGrid* grid = editor->Grid();
  const Integer first = editor->FirstLangCol(), colCount = grid->GetColCount(), rowCount = grid->GetRowCount();
  const bool backward = state.Options.Contains(soBackward);
  const bool values = state.In == siValues;
  const Integer step = backward ? -1 : 1;
  Integer col, row;
  if (sender == editor && !state.Options.Contains(soFromCursor)) {
    col = backward ? colCount - 1 : first;
    row = backward ? rowCount - 1 : 1;
  } else if (sender == editor) {
    col = std::max<Integer>(grid->Col() - first, 0) + first;
    row = grid->Row();
  } else if (!backward) {
    const bool sameRow = values && grid->Col() < colCount - 1;
    col = sameRow ? std::max<Integer>(grid->Col() + 1 - first, 0) + first : first;
    row = sameRow ? grid->Row() : grid->Row() + 1;
  } else {
    const bool sameRow = values && grid->Col() > first;
    col = std::max<Integer>((sameRow ? grid->Col() - 1 : colCount - 1) - first, 0) + first;
    row = sameRow ? grid->Row() : grid->Row() - 1;
  }
  const bool upper = !state.Options.Contains(soCaseSensitive);
  auto matches = [&](String text) {
    if (upper) text = UpperCase(text);
    return CompareFilter(state.Pattern, text);
  };
  for (; row > 0 && row < rowCount; row += step, col = backward ? colCount - 1 : first) {
    if (values) {
      for (Integer c = col; c >= first && c < colCount; c += step) {
        String text = grid->Cells(c, row);
        if (state.StripAmp) text = RemoveChars(text, '&');
        if (matches(text)) {
          grid->MoveTo(c, row);
          return true;
        }
      }
      continue;
    }
    String text;
    if (RowText(editor, state.In, row, text) && matches(text)) {
      grid->MoveTo(first, row);
      return true;
    }
  }
  Beep();
  return false;
}

namespace {
// The editor's search commands, from the moment the library is loaded.
[[maybe_unused]] const bool kHooksInstalled = [] {
  TGlottaEditorForm::OnSearch = [](TGlottaEditorForm* editor) { GlottaSearch(editor); };
  TGlottaEditorForm::OnSearchAgain = [](TGlottaEditorForm* editor) {
    GlottaSearchAgain(editor, editor->Item("ItemSearchAgain"));
  };
  return true;
}();
}  // namespace

void RegisterGlottaSearchClasses() {
  RegisterControlClasses();
  RegisterGlottaClasses();
  RegisterButtonPanelClasses();
  RegisterMRUComboBoxClasses();
  RegisterConfigFileClasses();
  RegisterClasses({TGlottaSearchForm::StaticClass()});
}

}  // namespace xel
