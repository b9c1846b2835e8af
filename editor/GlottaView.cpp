#include "GlottaView.h"

#include <memory>

#include "Application.h"
#include "Format.h"
#include "Glotta.h"
#include "GlottaFrames.h"
#include "GlottaSystem.h"
#include "GlottaSearch.h"
#include "RegisterControls.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /editor/GlottaView.cpp 1 11.12.26 4:35 XG $")

namespace xel {

namespace {

TLanguageFrames* gUnnamedFrames = nullptr;
TLanguageFrames* gDomainFrames = nullptr;

TLanguageFrames* ViewUnnamedFrames() { return gUnnamedFrames ? gUnnamedFrames : UnnamedFrames(); }
TLanguageFrames* ViewDomainFrames() { return gDomainFrames ? gDomainFrames : DomainFrames(); }

// "Name: Class", or the class alone for a component without name.
String ComponentText(const TComponent* component) {
  const String name = Trim(component->GetName());
  return name.empty() ? component->ClassName() : component->GetName() + ": " + component->ClassName();
}

}  // namespace

void InitGlottaView(TLanguageFrames* unnamedFrames, TLanguageFrames* domainFrames) {
  gUnnamedFrames = unnamedFrames;
  gDomainFrames = domainFrames;
}

TGlottaViewForm::~TGlottaViewForm() {
  try {
    Config()->Save();
  } catch (...) {
  }
}

TGlotta* TGlottaViewForm::Glotta() const { return OwnedComponent<TGlotta>(this, "Glotta"); }

void TGlottaViewForm::FormCreate(TObject*) {
  GetSizeMinTrack()->SetSizeX(500);
  GetSizeMinTrack()->SetSizeY(300);
  GetSizeMinTrack()->SetEnabled(true);
  TConfigFile* lang = ConfigLang();
  if (lang->Entries()->Count() == 0) {
    SelectConfigProperties(lang, Glotta(), {"Language"});
    lang->RefreshEntries();
  }
  const String user = GetCurrentUserLanguage();
  TLanguageEntries* langs = Glotta()->LanguageManager()->Langs();
  const TLanguageMatch match(user);
  for (int i = 0; !user.empty() && i < langs->Count(); ++i)
    if (match.Matches(langs->Items(i)->Name())) {
      Glotta()->SetLanguage(user);
      break;
    }
  lang->Load();
  Init();
}

void TGlottaViewForm::Init() {
  TTreeNodes* nodes = TreeView()->GetItems();
  nodes->BeginUpdate();
  TFinally done([nodes] { nodes->EndUpdate(); });
  nodes->Clear();
  TTreeNode* root = nodes->Add(nullptr, "Glotta");
  TTreeNode* unnamed = nodes->AddChild(root, Glotta()->GetString("Unnamed frames"));
  AddFrames(unnamed, ViewUnnamedFrames());
  TTreeNode* named = nodes->AddChild(root, Glotta()->GetString("Named frames"));
  AddFrames(named, ViewDomainFrames());
  for (TTreeNode* node : {root, unnamed, named}) node->SetExpanded(true);
}

void TGlottaViewForm::AddFrames(TTreeNode* parent, TLanguageFrames* frames) {
  if (!frames) return;
  TTreeNodes* nodes = TreeView()->GetItems();
  const bool hidden = BtnShowHidden()->GetChecked();
  for (int i = 0; i < frames->Count(); ++i) {
    TLanguageFrame* frame = frames->Items(i);
    if (frame->Hidden() && !hidden) continue;
    const String name = frame->Name().empty() ? String() : "- " + frame->Name();
    TTreeNode* node = nodes->AddChild(parent, Format("#%d %s (%s)", {i, name, frame->Language()}));
    const TMethodList& members = frame->Notifies();
    // Every handler of a frame is a method of the object that registered it.
    for (int k = 0; k < members.Count(); ++k)
      nodes->AddChild(node, Describe(static_cast<TObject*>(members.Items(k).Data)));
  }
}

String TGlottaViewForm::Describe(TObject* object) const {
  if (!object) return "???";
  auto* component = dynamic_cast<TComponent*>(object);
  if (!component) return object->ClassName();
  const String own = ComponentText(component);
  String owner, caption;
  if (TComponent* o = component->Owner()) {
    owner = ComponentText(o);
    if (const String& unit = o->ClassType()->UnitName(); !unit.empty()) owner += " (" + unit + ")";
    if (auto* control = dynamic_cast<TControl*>(o); control && !Trim(control->GetText()).empty())
      caption = " - '" + control->GetText() + "'";
  }
  auto* glotta = dynamic_cast<TGlotta*>(component);
  if (!glotta) return own + caption;
  if (!component->Owner() || component->Owner() == Application) {
    owner = Glotta()->GetString("Multilingual unit");
    caption.clear();
  }
  return (owner.empty() ? own : owner) + caption + " (" + glotta->GetLanguage() + ")";
}

void TGlottaViewForm::BtnShowHiddenClick(TObject*) { Init(); }

void TGlottaViewForm::TreeViewCollapsing(TObject*, TTreeNode* node, bool& allowCollapse) {
  if (node && !node->Parent()) allowCollapse = false;
}

void RunGlottaView() {
  RegisterGlottaViewClasses();
  std::unique_ptr<TGlottaViewForm> form(New<TGlottaViewForm>(Application));
  form->ShowModal();
}

void RegisterGlottaViewClasses() {
  RegisterControlClasses();
  RegisterGlottaClasses();
  RegisterButtonPanelClasses();
  RegisterConfigFileClasses();
  RegisterClasses({TGlottaViewForm::StaticClass()});
}

}  // namespace xel
