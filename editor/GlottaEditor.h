// The translation editor: the window in which the language data of one TGlotta are edited,
// one grid row per translated item or named string and one column per language. It works
// on a copy of the component's language manager, checks every typed value against the
// item's property, and writes the copy back only when the user accepts, after saving the
// old data as a time-stamped backup.
#pragma once

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "Buttons.h"
#include "ComCtrls.h"
#include "ComponentExplorerDialog.h"
#include "ConfigFile.h"
#include "Dialogs.h"
#include "Glotta.h"
#include "GlottaSearch.h"
#include "LanguageCheck.h"
#include "LogFile.h"
#include "Menus.h"
#include "MsgBox.h"
#include "SortGrid.h"
#include "SuperForm.h"

namespace xel {

class TGlottaEditorForm : public TSuperForm {
  XEL_CLASS(TGlottaEditorForm, TSuperForm)
public:
  explicit TGlottaEditorForm(TComponent* owner);
  ~TGlottaEditorForm() override;

  // Prepares the window for one component: name is a unit's name or empty, root the owner
  // of the language data (nullptr: the application), manager the component's own.
  void Init(const String& name, TComponent* root, TGlotta* glotta, TLanguageManager* manager);

  // The components of the form file.
  TSortGrid* Grid() const { return OwnedComponent<TSortGrid>(this, "Grid"); }
  TStatusBar* StatusBar() const { return OwnedComponent<TStatusBar>(this, "StatusBar"); }
  TToolBar* ToolBar() const { return OwnedComponent<TToolBar>(this, "ToolBar"); }
  TGlotta* Glotta() const { return OwnedComponent<TGlotta>(this, "Glotta"); }
  TGlotta* GlottaSync() const { return OwnedComponent<TGlotta>(this, "GlottaSync"); }
  TConfigFile* Config() const { return OwnedComponent<TConfigFile>(this, "Config"); }
  TConfigFile* ConfigLang() const { return OwnedComponent<TConfigFile>(this, "ConfigLang"); }
  TLogFile* LogFile() const { return OwnedComponent<TLogFile>(this, "LogFile"); }
  TMenuItem* Item(std::string_view name) const { return OwnedComponent<TMenuItem>(this, name); }
  TSpeedButton* Button(std::string_view name) const { return OwnedComponent<TSpeedButton>(this, name); }
  TComponentExplorerDialog* CE() const { return OwnedComponent<TComponentExplorerDialog>(this, "CE"); }
  TFontDialog* FontDialog() const { return OwnedComponent<TFontDialog>(this, "FontDialog"); }
  TOpenDialog* OpenDialog() const { return OwnedComponent<TOpenDialog>(this, "OpenDialog"); }
  TSaveDialog* SaveDialog() const { return OwnedComponent<TSaveDialog>(this, "SaveDialog"); }

  // The editor's state, for the commands of the window and for tests.
  TLanguageManager* Manager() const { return FManager.get(); }
  TLanguageManager* OrgManager() const { return FOrgManager; }
  TGlotta* EditedGlotta() const { return FGlotta; }
  TStringList* Rows() const { return FRows.get(); }
  bool HasComps() const { return FHasComps; }
  bool Modified() const { return FModified; }
  bool Accepted() const { return FAccepted; }
  Integer FirstLangCol() const { return FFirstLangCol; }
  Integer DescCol() const { return FDescCol; }
  Integer CellState() const { return FCellState; }
  const String& Domain() const { return FDomain; }
  void SetEditedDomain(const String& domain);
  bool TopLevel() const { return FTopLevel; }
  void SetEditedTopLevel(bool topLevel);
  // The entry a data row shows; nullptr for the header row and the empty row.
  TConsistentLangPropertyEntry* RowEntry(Integer row) const;
  // A named string (its row in the manager's Names is the entry's Index); the other rows
  // are translated properties.
  bool IsNamedString(const TConsistentLangPropertyEntry* entry) const;
  // The named string of the editor's own texts, in its interface language.
  String Text(const String& name) const;
  // The version the caption and the about box show.
  static String Version();
  // The file the last backup went to.
  const String& LastBackup() const { return FLastBackup; }
  const String& ImportFile() const { return FImportFile; }
  const String& ExportFile() const { return FExportFile; }
  // The unit's source text; a changed text is written back on acceptance.
  const String& SourceName() const { return FSourceName; }
  const String& Source() const { return FSource; }
  bool SourceModified() const { return FSourceModified; }
  void SetSource(const String& source);
  // The text the search looks for; "search again" needs one.
  const String& SearchPattern() const { return FSearchPattern; }
  void SetSearchPattern(const String& pattern);
  // The working copy changed outside the grid's cells.
  void SetModified();

  // The commands whose windows live in units of their own (search, the consistency check,
  // the setup and status forms). Each unit installs its handler when the library loads;
  // a command without one does nothing.
  // ItemSearchClick, ItemSearchAgainClick.
  static inline std::function<void(TGlottaEditorForm* editor)> OnSearch, OnSearchAgain;
  // ItemVerifyStringsClick: sender is the menu item, or the editor itself when the check
  // runs as the window becomes active.
  static inline std::function<void(TGlottaEditorForm* editor, TObject* sender)> OnVerifyStrings;
  // The setup dialog: the known domains, the domain and top-level flag to edit; true on OK.
  static inline std::function<bool(TStrings* domains, String& domain, bool& topLevel)> OnExecuteSetup;
  // The import status form, shown modally with the import's warnings and errors.
  static inline std::function<void(TStrings* warnings, TStrings* errors, TFont* font)> OnShowImportStatus;
  // ItemCheckTranslationsClick: the list of the grid's findings.
  static inline std::function<void(TGlottaEditorForm* editor)> OnCheckTranslations;
  // The search of the window's search commands.
  TGlottaSearchState& SearchState() { return FSearch; }
  // The source as the editor read it when it opened: the data do not change.
  void InitSource(const String& source) {
    FSource = source;
    FSourceModified = false;
  }

  // The check rules that mark cells: the rules of `glotta check` that need nothing but the
  // language data, each one switched on or off by its item in the options menu.
  static const TCheckRules EditorCheckRules;
  TCheckRules CheckRules() const;
  void SetCheckRules(TCheckRules rules);
  // A language cell's findings against the design language, as CheckTranslations finds
  // them; empty for every other cell. They are worked out when the grid is filled and when
  // a cell of the row is edited, not when the cell is painted.
  const std::vector<TCheckFinding>& CellFindings(Integer col, Integer row);
  struct TCellFinding {
    Integer Col, Row;
    TCheckFinding Finding;
  };
  // The findings of every cell, row by row as the grid shows them.
  std::vector<TCellFinding> Findings();
  // Writes the status bar's finding panel for the cell under the cursor.
  void WriteFindingStatus();

  // The grid model.
  void RefreshGrid();
  void InitGrid(Integer rowCount);
  void InitGridHeader();
  void InitRow(Integer row, TConsistentLangPropertyEntry* entry, const String& descriptor);
  String TranslateValue(const TConsistentLangPropertyEntry* entry, Integer langIndex) const;
  Integer ColToLangIndex(Integer col) const;
  // Whether a cell can take the cursor: language cells, and the name of a named string.
  bool IsCellEditable(Integer col, Integer row) const;
  // Validates the cell being edited; false when its text was refused.
  bool CellValid();
  void AutoSizeGrid();
  void CheckConditions();
  void WriteStatus();
  void InitCaptions();
  void SyncLangStatus();
  void GridFontChanged();
  // Saves the component's data as they are in the export format; false when the user
  // chose to give up the acceptance after a failure.
  bool BackupLanguageData();
  void SaveConfiguration();
  void MoveItemsToStrings(TStrings* list);
  // Writes the working copy into the component; false when it did not happen (a cell
  // refused, or the backup failed and the user gave up).
  bool Accept();

  // Published handlers, bound by the form file.
  void FormCreate(TObject* sender);
  void FormShow(TObject* sender);
  void FormActivate(TObject* sender);
  void FormResize(TObject* sender);
  void FormCloseQuery(TObject* sender, bool& canClose);
  void GlottaChange(TObject* sender);
  void GridKeyPress(TObject* sender, char& key);
  void GridSelectCell(TObject* sender, Integer col, Integer row, bool& canSelect);
  void GridSetEditText(TObject* sender, Integer col, Integer row, const String& value);
  void GridGetCellFormat(TObject* sender, Integer col, Integer row, TGridDrawState state, TFormatOptions& format);
  void GridColumnWidthsChanged(TObject* sender);
  void GridCellValidate(TObject* sender, Integer col, Integer row, String& value, bool& valid);
  void GridClick(TObject* sender);
  void ItemImportClick(TObject* sender);
  void ItemExportClick(TObject* sender);
  void ItemAcceptClick(TObject* sender);
  void ItemCloseClick(TObject* sender);
  void ItemOptionClick(TObject* sender);
  void ItemAddStrClick(TObject* sender);
  void ItemDelEntryClick(TObject* sender);
  void ItemVerifyStringsClick(TObject* sender);
  void ItemCheckTranslationsClick(TObject* sender);
  void ItemCheckRuleClick(TObject* sender);
  void ItemSearchClick(TObject* sender);
  void ItemSearchAgainClick(TObject* sender);
  void ItemViewTypeClick(TObject* sender);
  void ItemStringIDClick(TObject* sender);
  void ItemAutoSizeClick(TObject* sender);
  void ItemLangsClick(TObject* sender);
  void ItemPropsClick(TObject* sender);
  void ItemSetupClick(TObject* sender);
  void ItemInitNewPropsClick(TObject* sender);
  void ItemFontClick(TObject* sender);
  void ItemDefaultFontClick(TObject* sender);
  void ItemEnglishClick(TObject* sender);
  void ItemGermanClick(TObject* sender);
  void ItemHelpClick(TObject* sender);
  void ItemAboutClick(TObject* sender);
  void ItemShowSourceClick(TObject* sender);
  void ConfigAfterLoad(TObject* sender, TExIniFile* ini);
  void ConfigAfterSave(TObject* sender, TExIniFile* ini);

  static auto PublishedMethods() {
    using C = TGlottaEditorForm;
    return MethodTable<C>({PublishedMethod<&C::FormCreate>("FormCreate"),
                           PublishedMethod<&C::FormShow>("FormShow"),
                           PublishedMethod<&C::FormActivate>("FormActivate"),
                           PublishedMethod<&C::FormResize>("FormResize"),
                           PublishedMethod<&C::FormCloseQuery>("FormCloseQuery"),
                           PublishedMethod<&C::GlottaChange>("GlottaChange"),
                           PublishedMethod<&C::GridKeyPress>("GridKeyPress"),
                           PublishedMethod<&C::GridSelectCell>("GridSelectCell"),
                           PublishedMethod<&C::GridSetEditText>("GridSetEditText"),
                           PublishedMethod<&C::GridGetCellFormat>("GridGetCellFormat"),
                           PublishedMethod<&C::GridColumnWidthsChanged>("GridColumnWidthsChanged"),
                           PublishedMethod<&C::GridCellValidate>("GridCellValidate"),
                           PublishedMethod<&C::GridClick>("GridClick"),
                           PublishedMethod<&C::ItemImportClick>("ItemImportClick"),
                           PublishedMethod<&C::ItemExportClick>("ItemExportClick"),
                           PublishedMethod<&C::ItemAcceptClick>("ItemAcceptClick"),
                           PublishedMethod<&C::ItemCloseClick>("ItemCloseClick"),
                           PublishedMethod<&C::ItemOptionClick>("ItemOptionClick"),
                           PublishedMethod<&C::ItemAddStrClick>("ItemAddStrClick"),
                           PublishedMethod<&C::ItemDelEntryClick>("ItemDelEntryClick"),
                           PublishedMethod<&C::ItemVerifyStringsClick>("ItemVerifyStringsClick"),
                           PublishedMethod<&C::ItemCheckTranslationsClick>("ItemCheckTranslationsClick"),
                           PublishedMethod<&C::ItemCheckRuleClick>("ItemCheckRuleClick"),
                           PublishedMethod<&C::ItemSearchClick>("ItemSearchClick"),
                           PublishedMethod<&C::ItemSearchAgainClick>("ItemSearchAgainClick"),
                           PublishedMethod<&C::ItemViewTypeClick>("ItemViewTypeClick"),
                           PublishedMethod<&C::ItemStringIDClick>("ItemStringIDClick"),
                           PublishedMethod<&C::ItemAutoSizeClick>("ItemAutoSizeClick"),
                           PublishedMethod<&C::ItemLangsClick>("ItemLangsClick"),
                           PublishedMethod<&C::ItemPropsClick>("ItemPropsClick"),
                           PublishedMethod<&C::ItemSetupClick>("ItemSetupClick"),
                           PublishedMethod<&C::ItemInitNewPropsClick>("ItemInitNewPropsClick"),
                           PublishedMethod<&C::ItemFontClick>("ItemFontClick"),
                           PublishedMethod<&C::ItemDefaultFontClick>("ItemDefaultFontClick"),
                           PublishedMethod<&C::ItemEnglishClick>("ItemEnglishClick"),
                           PublishedMethod<&C::ItemGermanClick>("ItemGermanClick"),
                           PublishedMethod<&C::ItemHelpClick>("ItemHelpClick"),
                           PublishedMethod<&C::ItemAboutClick>("ItemAboutClick"),
                           PublishedMethod<&C::ItemShowSourceClick>("ItemShowSourceClick"),
                           PublishedMethod<&C::ConfigAfterLoad>("ConfigAfterLoad"),
                           PublishedMethod<&C::ConfigAfterSave>("ConfigAfterSave")});
  }

private:
  // Shows one of the editor's messages in its interface language; answers the button.
  Integer ShowText(const String& name, MsgBox::TMsgBoxType type, MsgBox::TMsgBoxButtons buttons);
  Integer ShowMessageText(const String& text, MsgBox::TMsgBoxType type, MsgBox::TMsgBoxButtons buttons,
                          const String& caption = String());
  void SetCell(const String& text, Integer& col, Integer row);
  void ColNeeded(Integer col);
  void AddCol(const String& text, Integer& col, Integer row);
  // The window's end: the options saved, the log closed.
  void FormDestroy(TObject* sender);
  // The component entry a row's item belongs to (its first main entry upward).
  TComponentEntry* ComponentOf(const TConsistentLangPropertyEntry* entry) const;
  void SelectConfigItems();
  void LoadGlyphs();
  void SetInterfaceLanguage(TObject* sender, const String& language);

  String LanguageHeader(Integer index) const;
  // The findings of every item anew (the grid was filled, a rule switched).
  void RefreshFindings();
  // The findings of one item in every language: a value of the row changed.
  void UpdateFindings(TConsistentLangPropertyEntry* entry);
  // An item leaves the working copy.
  void ForgetFindings(const TConsistentLangPropertyEntry* entry);

  TComponent* FRoot = nullptr;
  TGlotta* FGlotta = nullptr;
  TLanguageManager* FOrgManager = nullptr;
  std::unique_ptr<TLanguageManager> FManager;
  std::unique_ptr<TStringList> FRows;
  TMainEntry* FStringEntry = nullptr;  // the main entry of the named strings, if any
  bool FHasComps = false;
  String FSourceName;
  String FSource;
  bool FSourceModified = false;
  String FDomain;
  bool FTopLevel = false;
  bool FModified = false;
  bool FAccepted = false;
  Integer FFirstLangCol = 0;
  Integer FDescCol = -1;
  bool FRefreshing = false;
  Integer FAutoSizeWidth = 0;
  bool FCancelEdit = false;
  Integer FCellState = 0;
  String FImportFile;
  String FExportFile;
  String FSearchPattern;
  String FOrgCaption;
  String FOrgHelpFile;
  String FLastBackup;
  TGlottaSearchState FSearch;
  bool FClosing = false;
  // The check's view of the items (their keys) and each item's findings by language index.
  std::unordered_map<const TConsistentLangPropertyEntry*, TLanguageItemRef> FItemRefs;
  std::unordered_map<const TConsistentLangPropertyEntry*, std::vector<std::vector<TCheckFinding>>> FFindings;
};

// The runner ExecuteGlottaEditor calls: the window, modally, on the component's data;
// true when the user accepted changes. The library installs it when it loads.
bool RunGlottaEditor(const String& title, TGlotta* glotta);

// The frame lists of the language runtime, for the domains the setup offers.
void InitGlottaEditor(TLanguageFrames* unnamedFrames, TLanguageFrames* domainFrames);
TLanguageFrames* EditorUnnamedFrames();
TLanguageFrames* EditorDomainFrames();

void RegisterGlottaEditorClasses();

}  // namespace xel
