// The import dialog: which language sections of a file to read, the import mode and the
// two options; the choices can be kept as the user's defaults.
#pragma once

#include "ButtonPanel.h"
#include "ConfigFile.h"
#include "ExtCtrls.h"
#include "Glotta.h"
#include "GlottaTools.h"
#include "SortGrid.h"
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
  TSortGrid* Grid() const { return OwnedComponent<TSortGrid>(this, "Grid"); }
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

  // Whether the section of data row `row` (1 …) is chosen; a click on its first cell toggles it.
  bool IsRowSelected(Integer row) const;
  void SetRowSelected(Integer row, bool selected);

  void FormCloseQuery(TObject* sender, bool& canClose);
  void GlottaChange(TObject* sender);
  void GridSelectCell(TObject* sender, Integer col, Integer row, bool& canSelect);
  void GridClick(TObject* sender);
  void GridKeyPress(TObject* sender, char& key);
  void GridGetCellFormat(TObject* sender, Integer col, Integer row, TGridDrawState state, TFormatOptions& format);
  void ButtonPanelButtonClick(TObject* sender, TButtonItem* item);

  static auto PublishedMethods() {
    using C = TGlottaImportForm;
    return MethodTable<C>({PublishedMethod<&C::FormCloseQuery>("FormCloseQuery"),
                           PublishedMethod<&C::GlottaChange>("GlottaChange"),
                           PublishedMethod<&C::GridSelectCell>("GridSelectCell"),
                           PublishedMethod<&C::GridClick>("GridClick"),
                           PublishedMethod<&C::GridKeyPress>("GridKeyPress"),
                           PublishedMethod<&C::GridGetCellFormat>("GridGetCellFormat"),
                           PublishedMethod<&C::ButtonPanelButtonClick>("ButtonPanelButtonClick")});
  }

private:
  void ShowHeader();
  void UpdateOK();

  TStrings* FSections = nullptr;
  String FFileName;
  std::vector<bool> FSelected;
};

// The classes of the import dialog's form file.
void RegisterGlottaImportClasses();

}  // namespace xel
