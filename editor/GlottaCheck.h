// The consistency check of named strings: the GetString calls of the unit's source against
// the names of the editor's working copy, the dialog that lists what does not fit, and the
// repairs chosen there (another name, a new name, a marking comment in the source).
#pragma once

#include <deque>

#include "ButtonPanel.h"
#include "ComCtrls.h"
#include "ConfigFile.h"
#include "ExtCtrls.h"
#include "ListView.h"
#include "SourceParser.h"
#include "StdCtrls.h"
#include "SuperForm.h"

namespace xel {

class TGlotta;
class TGlottaEditorForm;
class TGlottaParser;
class TLanguageManager;
class TExIniFile;

class TGlottaVerifyForm : public TSuperForm {
  XEL_CLASS(TGlottaVerifyForm, TSuperForm)
public:
  using TSuperForm::TSuperForm;
  ~TGlottaVerifyForm() override;

  TListView* ListErr() const { return OwnedComponent<TListView>(this, "ListErr"); }
  TListView* ListAvail() const { return OwnedComponent<TListView>(this, "ListAvail"); }
  TPanel* PanelTop() const { return OwnedComponent<TPanel>(this, "PanelTop"); }
  TPanel* PanelAvail() const { return OwnedComponent<TPanel>(this, "PanelAvail"); }
  TButton* BtnUse() const { return OwnedComponent<TButton>(this, "BtnUse"); }
  TButton* BtnInsHint() const { return OwnedComponent<TButton>(this, "BtnInsHint"); }
  TButton* BtnAdd() const { return OwnedComponent<TButton>(this, "BtnAdd"); }
  TButton* BtnUnused() const { return OwnedComponent<TButton>(this, "BtnUnused"); }
  TButtonPanel* ButtonPanel() const { return OwnedComponent<TButtonPanel>(this, "ButtonPanel"); }
  TConfigFile* Config() const { return OwnedComponent<TConfigFile>(this, "Config"); }
  TGlotta* Glotta() const;

  // Fills the lists from the scanner's results; manager takes the names that are added.
  void Init(TLanguageManager* manager, TStrings* names, TGlottaParser* scanner, TFont* font, TConfigFile* config);
  // Applies the chosen actions: names added to the manager, the source's literals replaced
  // and comments inserted.
  void Modify(String& source, bool& sourceModified, bool& namesAdded);

  // Whether an error row is a reference to a missing name (else an unchecked call), and the
  // source offset it stands for.
  bool IsReference(const TListItem* item) const;
  int OffsetOf(const TListItem* item) const;
  // The action texts of the three buttons.
  String UseAction(const String& name) const { return "-> " + name; }
  static String AddAction() { return "-> +"; }
  String HintAction() const { return "-> " + FHint; }

  void FormCreate(TObject* sender);
  void ListSelectItem(TObject* sender, TListItem* item, bool selected);
  void BtnUseClick(TObject* sender);
  void BtnAddClick(TObject* sender);
  void BtnInsHintClick(TObject* sender);
  void HelpClick(TObject* sender);
  void ConfigAfterLoad(TObject* sender, TExIniFile* ini);
  void ConfigAfterSave(TObject* sender, TExIniFile* ini);

  static auto PublishedMethods() {
    using C = TGlottaVerifyForm;
    return MethodTable<C>({PublishedMethod<&C::FormCreate>("FormCreate"),
                           PublishedMethod<&C::ListSelectItem>("ListSelectItem"),
                           PublishedMethod<&C::BtnUseClick>("BtnUseClick"),
                           PublishedMethod<&C::BtnAddClick>("BtnAddClick"),
                           PublishedMethod<&C::BtnInsHintClick>("BtnInsHintClick"),
                           PublishedMethod<&C::HelpClick>("HelpClick"),
                           PublishedMethod<&C::ConfigAfterLoad>("ConfigAfterLoad"),
                           PublishedMethod<&C::ConfigAfterSave>("ConfigAfterSave")});
  }

private:
  struct TErrRow {
    bool Reference;
    int Offset;
  };
  void CheckButtons();
  // Sets the action of the selected error row, or clears it when it already is that one,
  // then moves on to the next row unless the user has chosen rows by hand.
  void ToggleAction(const String& action);
  void SelectErr(int index);

  TLanguageManager* FManager = nullptr;
  TCodeType FCodeType = ctPascal;
  String FHint;
  std::deque<TErrRow> FErrRows;
  bool FSelecting = false;
  bool FSelectedByHand = false;
  bool FSaveConfig = false;
};

// The editor's consistency check. sender is the editor itself for the check at activation,
// which stays silent when all is well.
void VerifyGlottaStrings(TGlottaEditorForm* editor, TObject* sender);

// How the editor reaches the source of the edited unit: inside the designer its editor
// buffers (the design package installs them), otherwise the unit's file by name.
using TGlottaSourceReader = bool (*)(bool isForm, const String& name, String& source);
using TGlottaSourceWriter = bool (*)(bool isForm, const String& name, const String& source);
void SetGlottaSourceAccess(TGlottaSourceReader reader, TGlottaSourceWriter writer);
bool ReadGlottaSource(bool isForm, const String& name, String& source);
bool WriteGlottaSource(bool isForm, const String& name, const String& source);
// A C++ source by its name's extension, else a Pascal unit.
TCodeType GlottaSourceType(const String& name);

void RegisterGlottaCheckClasses();

}  // namespace xel
