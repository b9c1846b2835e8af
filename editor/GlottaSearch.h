// Search in the translation editor: the dialog that asks for a wildcard pattern, where to
// look and how, and the walk over the grid that moves the cursor to the next hit.
#pragma once

#include "ButtonPanel.h"
#include "ConfigFile.h"
#include "MRUComboBox.h"
#include "StdCtrls.h"
#include "SuperForm.h"

namespace xel {

class TGlotta;
class TGlottaEditorForm;

// Where a search looks: the language cells, the descriptors and string names, or the
// component's name and type.
XEL_ENUM(TSearchIn, siValues, siDescs, siNames)
XEL_ENUM(TSearchOption, soCaseSensitive, soFromCursor, soBackward)
XEL_SET(TSearchOptions, TSearchOption)

// The editor's search, kept for the life of its window. Pattern is the prepared one
// (upper-cased without soCaseSensitive, enclosed in "*"); empty before the first search.
struct TGlottaSearchState {
  String Pattern;
  TSearchIn In = siValues;
  TSearchOptions Options;
  bool StripAmp = false;
};

class TGlottaSearchForm : public TSuperForm {
  XEL_CLASS(TGlottaSearchForm, TSuperForm)
public:
  using TSuperForm::TSuperForm;

  TMRUComboBox* EditPattern() const { return OwnedComponent<TMRUComboBox>(this, "EditPattern"); }
  TRadioButton* BtnInValues() const { return OwnedComponent<TRadioButton>(this, "BtnInValues"); }
  TRadioButton* BtnInDescs() const { return OwnedComponent<TRadioButton>(this, "BtnInDescs"); }
  TRadioButton* BtnInNames() const { return OwnedComponent<TRadioButton>(this, "BtnInNames"); }
  TCheckBox* BtnFromCursor() const { return OwnedComponent<TCheckBox>(this, "BtnFromCursor"); }
  TCheckBox* BtnBackward() const { return OwnedComponent<TCheckBox>(this, "BtnBackward"); }
  TCheckBox* BtnCaseSensitive() const { return OwnedComponent<TCheckBox>(this, "BtnCaseSensitive"); }
  TButtonPanel* ButtonPanel() const { return OwnedComponent<TButtonPanel>(this, "ButtonPanel"); }
  TConfigFile* ConfigFile() const { return OwnedComponent<TConfigFile>(this, "ConfigFile"); }
  TGlotta* Glotta() const;

  // Runs the dialog; on OK the variables take its choices (and config, when given, keeps
  // them); on Cancel they keep their values. Pattern's own value is not shown: the field
  // starts with the history's first entry.
  static bool Execute(String& pattern, TSearchIn& searchIn, TConfigFile* config, TSearchOptions& options);

  void FormCreate(TObject* sender);
  void FormCloseQuery(TObject* sender, bool& canClose);
  void HelpClick(TObject* sender);

  static auto PublishedMethods() {
    using C = TGlottaSearchForm;
    return MethodTable<C>({PublishedMethod<&C::FormCreate>("FormCreate"),
                           PublishedMethod<&C::FormCloseQuery>("FormCloseQuery"),
                           PublishedMethod<&C::HelpClick>("HelpClick")});
  }
};

// The editor's search command: the dialog, then the first search; false when cancelled.
bool GlottaSearch(TGlottaEditorForm* editor);
// The editor's search-again command. sender is the editor itself for the first search
// after the dialog (which starts at the first cell, or at the cursor with soFromCursor),
// else the menu item or button (which continues after the cursor). The cursor moves to the
// hit; without one the warning sound plays and the cursor stays. No wrap-around.
bool GlottaSearchAgain(TGlottaEditorForm* editor, TObject* sender);

// The warning sound of a search without hit (nullptr: the system's warning beep).
using TGlottaBeep = void (*)();
void SetGlottaBeep(TGlottaBeep beep);

// The package's dialogs keep their options where the editor keeps its own: the storage,
// path, root, section, file name and error texts of source (not its entries); automatic
// loading off.
void TakeConfigSettings(TConfigFile* target, const TConfigFile* source);
// Adds the published properties of a component to what a configuration keeps.
void SelectConfigProperties(TConfigFile* config, TComponent* component, std::initializer_list<const char*> names);

void RegisterGlottaSearchClasses();

}  // namespace xel
