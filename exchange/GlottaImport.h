// The import dialog: which language sections of a file to read, the import mode and the
// two options; the choices can be kept as the user's defaults.
#pragma once

#include "ButtonPanel.h"
#include "ConfigFile.h"
#include "ExtCtrls.h"
#include "Glotta.h"
#include "GlottaTools.h"
#include "SortGridEx.h"
#include "StdCtrls.h"
#include "SuperForm.h"

namespace xel {

class TGlottaImportForm : public TSuperForm {
  XEL_CLASS(TGlottaImportForm, TSuperForm)
public:
  explicit TGlottaImportForm(TComponent* owner);

  // sections: the file's rows "class=language" (GetAvailLangSections); on OK the rows not
  // chosen are deleted from it. A row is preselected when its class is the owner's class
  // (matchClass) or empty (not matchClass). gridFont and config may be nullptr; the
  // choices are loaded from config's storage and saved there when the user asks.
  void Init(const String& FileName, TStrings* Sections, bool MatchClass, TComponent* Owner, TFont* GridFont,
            TConfigFile* Config);
  TImportMode GetImportMode();
  bool GetInitNewProps();
  bool GetWarningsEnabled();

  // The components of the form file.
  TSortGridEx* Grid() const { return OwnedComponent<TSortGridEx>(this, "Grid"); }
  TRadioButton* BtnClearExisting() const { return OwnedComponent<TRadioButton>(this, "BtnClearExisting"); }
  TRadioButton* BtnAddAll() const { return OwnedComponent<TRadioButton>(this, "BtnAddAll"); }
  TRadioButton* BtnAddNotExisting() const { return OwnedComponent<TRadioButton>(this, "BtnAddNotExisting"); }
  TCheckBox* BtnInitNewProps() const { return OwnedComponent<TCheckBox>(this, "BtnInitNewProps"); }
  TCheckBox* BtnShowWarnings() const { return OwnedComponent<TCheckBox>(this, "BtnShowWarnings"); }
  TCheckBox* BtnAsDefault() const { return OwnedComponent<TCheckBox>(this, "BtnAsDefault"); }
  TButtonPanel* ButtonPanel() const { return OwnedComponent<TButtonPanel>(this, "ButtonPanel"); }
  TGlotta* Glotta() const { return OwnedComponent<TGlotta>(this, "Glotta"); }
  TConfigFile* ConfigFile() const { return OwnedComponent<TConfigFile>(this, "ConfigFile"); }
  TButtonItem* OKButton() const { return ButtonPanel()->GetButtons()->Items(0); }

  // Whether the section of data row `row` (1 …) is chosen: its first cell is checked. A
  // click on that cell or the space bar toggles it.
  bool IsRowSelected(Integer row) const { return Grid()->GetSelectedFast(0, row); }
  void SetRowSelected(Integer row, bool selected) { Grid()->SetSelected(0, row, selected); }
  // At least one section is chosen.
  bool AnySelected() const;

  void FormCreate(TObject* sender);
  void GlottaBeforeChange(TObject* sender);
  void GlottaChange(TObject* sender);
  void GridSelectCell(TObject* sender, Integer col, Integer row, bool& canSelect);
  void GridSelectQuery(TObject* sender, Integer col, Integer row, bool& selectable);
  void GridSelectUpdate(TObject* sender);
  void GridKeyPress(TObject* sender, char& key);
  void ButtonPanelButtonClick(TObject* sender, TButtonItem* item);
  void OKClick(TObject* sender);

  static auto PublishedMethods() {
    using C = TGlottaImportForm;
    return MethodTable<C>({PublishedMethod<&C::FormCreate>("FormCreate"),
                           PublishedMethod<&C::GlottaBeforeChange>("GlottaBeforeChange"),
                           PublishedMethod<&C::GlottaChange>("GlottaChange"),
                           PublishedMethod<&C::GridSelectCell>("GridSelectCell"),
                           PublishedMethod<&C::GridSelectQuery>("GridSelectQuery"),
                           PublishedMethod<&C::GridSelectUpdate>("GridSelectUpdate"),
                           PublishedMethod<&C::GridKeyPress>("GridKeyPress"),
                           PublishedMethod<&C::ButtonPanelButtonClick>("ButtonPanelButtonClick"),
                           PublishedMethod<&C::OKClick>("OKClick")});
  }

private:
  // The header texts and the caption with the file's name, in the dialog's language.
  void ShowTexts();
  void UpdateOK();

  TStrings* FSections = nullptr;
  String FFileName;
  String FCaption;  // the caption's pattern in the language the texts were shown in
};

// The classes of the import dialog's form file.
void RegisterGlottaImportClasses();

}  // namespace xel
