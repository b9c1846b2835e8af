// The overview of the running process's language frames: every frame with the objects whose
// switch handlers it holds, so that one sees which components follow which language.
#pragma once

#include "ButtonPanel.h"
#include "ConfigFile.h"
#include "StdCtrls.h"
#include "SuperForm.h"
#include "TreeView.h"

namespace xel {

class TGlotta;
class TLanguageFrames;

class TGlottaViewForm : public TSuperForm {
  XEL_CLASS(TGlottaViewForm, TSuperForm)
public:
  using TSuperForm::TSuperForm;
  ~TGlottaViewForm() override;

  TTreeView* TreeView() const { return OwnedComponent<TTreeView>(this, "TreeView"); }
  TCheckBox* BtnShowHidden() const { return OwnedComponent<TCheckBox>(this, "BtnShowHidden"); }
  TGlotta* Glotta() const;
  TConfigFile* Config() const { return OwnedComponent<TConfigFile>(this, "Config"); }
  TConfigFile* ConfigLang() const { return OwnedComponent<TConfigFile>(this, "ConfigLang"); }

  // Builds the tree from the frame lists anew.
  void Init();
  // The node text of the object a frame's handler belongs to.
  String Describe(TObject* object) const;

  void FormCreate(TObject* sender);
  void BtnShowHiddenClick(TObject* sender);
  void TreeViewCollapsing(TObject* sender, TTreeNode* node, bool& allowCollapse);

  static auto PublishedMethods() {
    using C = TGlottaViewForm;
    return MethodTable<C>({PublishedMethod<&C::FormCreate>("FormCreate"),
                           PublishedMethod<&C::BtnShowHiddenClick>("BtnShowHiddenClick"),
                           PublishedMethod<&C::TreeViewCollapsing>("TreeViewCollapsing")});
  }

private:
  void AddFrames(TTreeNode* parent, TLanguageFrames* frames);
};

// The frame lists the overview shows (the language runtime's own when none are given).
void InitGlottaView(TLanguageFrames* unnamedFrames, TLanguageFrames* domainFrames);
// Shows the overview modally; the report command of the designer's expert runs it.
void RunGlottaView();

void RegisterGlottaViewClasses();

}  // namespace xel
