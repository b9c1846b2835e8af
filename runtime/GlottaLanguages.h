// The dialog that edits the languages of a language manager: their names, user
// informations, order and the default one. Names are checked against each other and the
// language table before the manager takes them over, with every value of the languages
// that stay.
#pragma once

#include <memory>

#include "ButtonPanel.h"
#include "ConfigFile.h"
#include "Glotta.h"
#include "MsgBox.h"
#include "SortGrid.h"
#include "StdCtrls.h"
#include "SuperForm.h"

namespace xel {

class TLanguageSelectForm : public TSuperForm {
  XEL_CLASS(TLanguageSelectForm, TSuperForm)
public:
  explicit TLanguageSelectForm(TComponent* owner);
  ~TLanguageSelectForm() override;

  // Prepares the dialog for the manager; the caller then shows it modally. On OK the
  // manager has taken the edited languages (new ones initialised with the active values
  // when initAll, else by default). configFile (may be nullptr) names where the names
  // entered last and the table dialog's name form are kept; font (may be nullptr) is the
  // grid's.
  void Init(TLanguageManager* Manager, bool InitAll, TConfigFile* ConfigFile, TFont* Font);

  // The components of the form file.
  TSortGrid* Grid() const { return OwnedComponent<TSortGrid>(this, "Grid"); }
  TButtonPanel* ButtonPanelRight() const { return OwnedComponent<TButtonPanel>(this, "ButtonPanelRight"); }
  TButtonPanel* ButtonPanelBottom() const { return OwnedComponent<TButtonPanel>(this, "ButtonPanelBottom"); }
  TCheckBox* BtnEnglishLangNames() const { return OwnedComponent<TCheckBox>(this, "BtnEnglishLangNames"); }
  TLabel* LabelF9Hint() const { return OwnedComponent<TLabel>(this, "LabelF9Hint"); }
  TGlotta* Glotta() const { return OwnedComponent<TGlotta>(this, "Glotta"); }
  TConfigFile* ConfigFile() const { return OwnedComponent<TConfigFile>(this, "ConfigFile"); }
  // The right panel's buttons: Add, Remove, As Default, Move Up, Move Down.
  TButtonItem* RightButton(int index) const { return ButtonPanelRight()->GetButtons()->Items(index); }

  // The working copy and the lists remembered in the configuration file.
  TLanguageEntries* Langs() const { return FLangs.get(); }
  TStringList* StrListNames() const { return FStrListNames.get(); }
  TStringList* StrListDescs() const { return FStrListDescs.get(); }
  TLanguageManager* Manager() const { return FManager; }
  bool ConfigLoaded() const { return FConfigLoaded; }
  // The language of the selected grid row, or -1.
  int SelectedLanguage() const;

  // Shows the languages; with updateButtons the buttons' states follow.
  void RefreshGrid(bool updateButtons);
  void UpdateButtons();
  // The table dialog for the current name cell (double click or F9).
  void ShowTableNames();

  // The commands of the right panel and OK of the bottom one.
  void AddClick(TObject* sender);
  void RemoveClick(TObject* sender);
  void AsDefaultClick(TObject* sender);
  void MoveUpClick(TObject* sender);
  void MoveDownClick(TObject* sender);
  void ButtonPanelBottomOKClick(TObject* sender);
  void ButtonPanelBottomButtonClick(TObject* sender, TButtonItem* item);

  void FormCreate(TObject* sender);
  void FormShow(TObject* sender);
  void GridClick(TObject* sender);
  void GridDblClick(TObject* sender);
  void GridEnter(TObject* sender);
  void GridExit(TObject* sender);
  void GridKeyPress(TObject* sender, char& key);
  void FormKeyDown(TObject* sender, Word& key, TShiftState shift);
  void GridSelectCell(TObject* sender, Integer col, Integer row, bool& canSelect);
  void GridSetEditText(TObject* sender, Integer col, Integer row, const String& value);
  void GridCellValidate(TObject* sender, Integer col, Integer row, String& value, bool& valid);
  void GridGetCellFormat(TObject* sender, Integer col, Integer row, TGridDrawState state, TFormatOptions& format);
  void ConfigFileAfterLoad(TObject* sender, TExIniFile* ini);
  void ConfigFileBeforeSave(TObject* sender, TExIniFile* ini);

  static auto PublishedMethods() {
    using C = TLanguageSelectForm;
    return MethodTable<C>({PublishedMethod<&C::AddClick>("AddClick"),
                           PublishedMethod<&C::RemoveClick>("RemoveClick"),
                           PublishedMethod<&C::AsDefaultClick>("AsDefaultClick"),
                           PublishedMethod<&C::MoveUpClick>("MoveUpClick"),
                           PublishedMethod<&C::MoveDownClick>("MoveDownClick"),
                           PublishedMethod<&C::ButtonPanelBottomOKClick>("ButtonPanelBottomOKClick"),
                           PublishedMethod<&C::ButtonPanelBottomButtonClick>("ButtonPanelBottomButtonClick"),
                           PublishedMethod<&C::FormCreate>("FormCreate"),
                           PublishedMethod<&C::FormShow>("FormShow"),
                           PublishedMethod<&C::GridClick>("GridClick"),
                           PublishedMethod<&C::GridDblClick>("GridDblClick"),
                           PublishedMethod<&C::GridEnter>("GridEnter"),
                           PublishedMethod<&C::GridExit>("GridExit"),
                           PublishedMethod<&C::GridKeyPress>("GridKeyPress"),
                           PublishedMethod<&C::FormKeyDown>("FormKeyDown"),
                           PublishedMethod<&C::GridSelectCell>("GridSelectCell"),
                           PublishedMethod<&C::GridSetEditText>("GridSetEditText"),
                           PublishedMethod<&C::GridCellValidate>("GridCellValidate"),
                           PublishedMethod<&C::GridGetCellFormat>("GridGetCellFormat"),
                           PublishedMethod<&C::ConfigFileAfterLoad>("ConfigFileAfterLoad"),
                           PublishedMethod<&C::ConfigFileBeforeSave>("ConfigFileBeforeSave")});
  }

private:
  // The checks of OK; false keeps the dialog open.
  bool CheckNames();
  void SelectRow(int language, bool edit);
  void MoveSelected(int delta);
  // The cell's text into the working copy.
  void TakeCell(Integer col, Integer row);
  String Text(const String& name) const;
  Integer ShowText(const String& text, MsgBox::TMsgBoxType type, MsgBox::TMsgBoxButtons buttons);

  std::unique_ptr<TLanguageEntries> FLangs;
  std::unique_ptr<TStringList> FStrListNames;
  std::unique_ptr<TStringList> FStrListDescs;
  TLanguageManager* FManager = nullptr;
  bool FInitAll = false;
  bool FConfigLoaded = false;
  bool FCancelEdit = false;
  bool FRefreshing = false;
};

// The classes of the language dialogs' form files.
void RegisterLanguageFormsClasses();

}  // namespace xel
