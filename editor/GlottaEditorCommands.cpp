// The commands of the translation editor's menu and tool bar: files, entries, view and
// options, the dialogs for languages, properties and the component's setup, fonts, the
// interface language, help and about.
#include "Application.h"
#include "FileTools.h"
#include "Format.h"
#include "GlottaEditor.h"
#include "GlottaImport.h"
#include "GlottaLanguages.h"
#include "GlottaModule.h"
#include "LanguageExport.h"
#include "LanguageImport.h"
#include "MsgBox.h"
#include "VersionControl.h"
#include "XelInfo.h"

#include <filesystem>

XEL_UNIT_VERSION("$Header: /editor/GlottaEditorCommands.cpp 1 10.12.26 3:45 XG $")

namespace xel {

namespace {

constexpr Integer kHelpContents = 1;
constexpr Integer kHelpProperties = 7000;
constexpr Integer kHelpInitNewProps = 8000;

// A dialog of the commands: owned by the application while it is open, freed after.
template <class T>
std::unique_ptr<T> NewDialog() {
  return std::unique_ptr<T>(New<T>(Application));
}

}  // namespace

// ---- files --------------------------------------------------------------------------------------

void TGlottaEditorForm::ItemImportClick(TObject*) {
  if (!CellValid() || !OpenDialog()->Execute()) return;
  FImportFile = ExpandApplicationDir(OpenDialog()->GetFileName());
  if (!FileExist(FImportFile)) {
    ShowMessageText(Format(Text("EFileNotFound"), {FImportFile}), MsgBox::mtError, {});
    return;
  }
  auto sections = std::make_unique<TStringList>();
  GetAvailLangSections(FImportFile, sections.get());
  if (sections->Count() == 0) {
    ShowText("ENoEntriesToImport", MsgBox::mtError, {});
  } else {
    auto dialog = NewDialog<TGlottaImportForm>();
    dialog->Init(FImportFile, sections.get(), FHasComps, FRoot, Grid()->GetFont(), Config());
    if (dialog->ShowModal() == mrOk) {
      const TImportMode mode = dialog->GetImportMode();
      const bool initialise = dialog->GetInitNewProps();
      const bool showWarnings = dialog->GetWarningsEnabled();
      dialog.reset();
      FModified = true;
      auto warnings = std::make_unique<TStringList>();
      auto errors = std::make_unique<TStringList>();
      try {
        ImportLanguages(FManager.get(), FImportFile, CE()->GetSettings(), mode, initialise, sections.get(),
                        warnings.get(), errors.get());
      } catch (const EInOutError&) {
        ShowText("EIOError", MsgBox::mtError, {});
      } catch (const std::exception&) {
        Application->HandleException(this);
      }
      if ((errors->Count() > 0 || (showWarnings && warnings->Count() > 0)) && OnShowImportStatus)
        OnShowImportStatus(warnings.get(), errors.get(), Grid()->GetFont());
    }
  }
  if (FModified) RefreshGrid();
}

void TGlottaEditorForm::ItemExportClick(TObject*) {
  if (!CellValid()) return;
  for (;;) {
    if (!SaveDialog()->Execute()) return;
    FExportFile = ExpandApplicationDir(SaveDialog()->GetFileName());
    if (!FileExist(FExportFile)) break;
    const Integer answer = ShowMessageText(Format(Text("OverwriteDestFile"), {FExportFile}), MsgBox::mtWarning,
                                           {MsgBox::mbYes, MsgBox::mbNo, MsgBox::mbCancel});
    if (answer == mrNo) continue;
    if (answer != mrYes) return;
    // The export replaces the file as a whole, so a write-protected one must be writable
    // first; it is not deleted beforehand, so that a failed export leaves it as it was.
    std::error_code ignored;
    std::filesystem::permissions(FExportFile, std::filesystem::perms::owner_write, std::filesystem::perm_options::add,
                                 ignored);
    break;
  }
  try {
    ExportLanguages(FManager.get(), FExportFile);
  } catch (const EInOutError&) {
    ShowText("EIOError", MsgBox::mtError, {});
  } catch (const EStreamError&) {
    ShowText("EIOError", MsgBox::mtError, {});
  }
}

void TGlottaEditorForm::ItemAcceptClick(TObject*) { Accept(); }

void TGlottaEditorForm::ItemCloseClick(TObject*) { Close(); }

// The toggles whose marks only matter to other commands and are kept with the options.
void TGlottaEditorForm::ItemOptionClick(TObject* sender) {
  if (auto* item = ClassCast<TMenuItem>(sender)) item->SetChecked(!item->GetChecked());
}

// ---- entries ------------------------------------------------------------------------------------

void TGlottaEditorForm::ItemAddStrClick(TObject*) {
  if (!CellValid()) return;
  TConsistentLangPropertyEntry* entry = FManager->AddString("");
  // The first named string brings the manager's string entry with it.
  FStringEntry = FManager->GetStringInterface(false);
  FModified = true;
  TSortGrid* grid = Grid();
  if (grid->GetEnabled()) {
    Integer row = std::max<Integer>(grid->Row(), 1);
    if (row == grid->GetRowCount() - 1) ++row;
    grid->InsertRow(row);
    FRows->InsertObject(row - 1, "", entry);
    InitRow(row, entry, "");
    grid->MoveTo(FDescCol, row);
    CheckConditions();
    WriteStatus();
  } else {
    RefreshGrid();
    grid->MoveTo(FDescCol >= 0 ? FDescCol : FFirstLangCol, grid->GetRowCount() - 1);
  }
}

void TGlottaEditorForm::ItemDelEntryClick(TObject*) {
  if (!CellValid()) return;
  TSortGrid* grid = Grid();
  const Integer row = grid->Row();
  TConsistentLangPropertyEntry* entry = RowEntry(row);
  if (!entry) return;
  grid->SetObjects(0, row, nullptr);
  ForgetFindings(entry);
  const int line = FRows->IndexOfObject(entry);
  if (line >= 0) FRows->Delete(line);
  // A named string leaves the list of names too; a property is no longer translated.
  if (IsNamedString(entry)) FManager->RemoveString(entry);
  else delete entry;
  FModified = true;
  if (grid->GetRowCount() >= 3) {
    Integer col = grid->Col();
    const Integer neighbour = row < grid->GetRowCount() - 1 ? row + 1 : row - 1;
    if (!IsCellEditable(col, neighbour)) ++col;
    if (IsCellEditable(col, neighbour)) grid->MoveTo(col, neighbour);
    grid->DeleteRow(row);
    CheckConditions();
    WriteStatus();
  } else {
    RefreshGrid();
  }
}

void TGlottaEditorForm::ItemVerifyStringsClick(TObject* sender) {
  if (!CellValid()) return;
  if (OnVerifyStrings) OnVerifyStrings(this, sender);
}

void TGlottaEditorForm::ItemCheckTranslationsClick(TObject*) {
  if (!CellValid()) return;
  if (OnCheckTranslations) OnCheckTranslations(this);
}

void TGlottaEditorForm::ItemSearchClick(TObject*) {
  if (OnSearch) OnSearch(this);
}

void TGlottaEditorForm::ItemSearchAgainClick(TObject*) {
  if (OnSearchAgain) OnSearchAgain(this);
}

// ---- view ---------------------------------------------------------------------------------------

void TGlottaEditorForm::ItemViewTypeClick(TObject* sender) {
  auto* item = ClassCast<TMenuItem>(sender);
  if (!item || !CellValid()) return;
  item->SetChecked(!item->GetChecked());
  // A form's descriptor column and a unit's string names are one column with one mark.
  if (item == Item("ItemPropDesc")) Item("ItemStringID")->SetChecked(item->GetChecked());
  RefreshGrid();
}

void TGlottaEditorForm::ItemStringIDClick(TObject* sender) {
  auto* item = ClassCast<TMenuItem>(sender);
  if (!item || !CellValid()) return;
  item->SetChecked(!item->GetChecked());
  Item("ItemPropDesc")->SetChecked(item->GetChecked());
  RefreshGrid();
}

void TGlottaEditorForm::ItemAutoSizeClick(TObject*) { AutoSizeGrid(); }

// ---- settings -----------------------------------------------------------------------------------

void TGlottaEditorForm::ItemLangsClick(TObject*) {
  if (!CellValid()) return;
  auto dialog = NewDialog<TLanguageSelectForm>();
  dialog->Init(FManager.get(), Item("ItemInitNewProps")->GetChecked(), Config(), Grid()->GetFont());
  if (dialog->ShowModal() != mrOk) return;
  FModified = true;
  RefreshGrid();
}

void TGlottaEditorForm::ItemPropsClick(TObject*) {
  if (!FHasComps || !CellValid()) return;
  TComponentExplorerDialog* explorer = CE();
  explorer->SetHelpContext(kHelpProperties);
  if (!explorer->ExecuteEx(FRoot, FManager->Comps(), TConsistentLangPropertyEntry::StaticClass())) return;
  FManager->SyncCount(Item("ItemInitNewProps")->GetChecked() ? cmInitAll : cmInitDefault);
  FModified = true;
  RefreshGrid();
  // The filter the user chose is kept at once, not only when the window closes.
  Config()->SaveComponentState(explorer);
}

void TGlottaEditorForm::ItemSetupClick(TObject*) {
  auto domains = std::make_unique<TStringList>();
  if (TLanguageFrames* frames = EditorDomainFrames())
    for (int i = 0; i < frames->Count(); ++i) {
      const String& name = frames->Items(i)->Name();
      if (!name.starts_with(".")) domains->Add(name);
    }
  if (!OnExecuteSetup || !OnExecuteSetup(domains.get(), FDomain, FTopLevel)) return;
  FModified = true;
  CheckConditions();
  WriteStatus();
}

void TGlottaEditorForm::ItemInitNewPropsClick(TObject*) {
  TMenuItem* item = Item("ItemInitNewProps");
  const String question = Format("%s %s", {Text("InitNewPropsHint"),
                                           Text(item->GetChecked() ? "InitNewPropsDeactivate" : "InitNewPropsActivate")});
  if (MsgBox::MsgEx(question, "", MsgBox::mtConfirmation, {MsgBox::mbYes, MsgBox::mbNo, MsgBox::mbHelp},
                    kHelpInitNewProps, PrivateXelDomain) == mrYes)
    item->SetChecked(!item->GetChecked());
}

void TGlottaEditorForm::ItemFontClick(TObject*) {
  TFontDialog* dialog = FontDialog();
  dialog->SetFont(Grid()->GetFont());
  if (!dialog->Execute()) return;
  Grid()->SetFont(dialog->GetFont());
  GridFontChanged();
}

void TGlottaEditorForm::ItemDefaultFontClick(TObject*) {
  if (Grid()->GetParentFont()) return;
  Grid()->SetParentFont(true);
  GridFontChanged();
}

void TGlottaEditorForm::ItemEnglishClick(TObject* sender) { SetInterfaceLanguage(sender, "English"); }

void TGlottaEditorForm::ItemGermanClick(TObject* sender) { SetInterfaceLanguage(sender, "Deutsch"); }

void TGlottaEditorForm::SetInterfaceLanguage(TObject* sender, const String& language) {
  if (!CellValid()) return;
  Glotta()->SetLanguage(language);
  if (auto* item = ClassCast<TMenuItem>(sender)) item->SetChecked(true);
  // The package's other windows follow the editor's language at once.
  SaveConfiguration();
}

// ---- help ---------------------------------------------------------------------------------------

void TGlottaEditorForm::ItemHelpClick(TObject*) { ShowGlottaHelp(kHelpContents); }

void TGlottaEditorForm::ItemAboutClick(TObject*) {
  auto* about = OwnedComponent<TXelInfo>(this, "XelInfo");
  about->SetProductName(FOrgCaption);
  about->Execute();
}

void TGlottaEditorForm::ItemShowSourceClick(TObject*) {
  std::unique_ptr<TForm> window(new TForm(Application, TCreateNew{}));
  window->SetClientWidth(640);
  window->SetClientHeight(400);
  window->SetPosition(poScreenCenter);
  window->SetText("[" + FSourceName + "]");
  window->GetIcon()->Assign(GetIcon());
  auto* text = New<TRichEdit>(window.get());
  text->SetParent(window.get());
  text->SetAlign(alClient);
  text->SetPlainText(true);
  text->SetReadOnly(true);
  text->SetScrollBars(ssBoth);
  text->SetWordWrap(false);
  text->SetText(FSource);
  window->ShowModal();
}

}  // namespace xel
