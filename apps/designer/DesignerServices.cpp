// The designer's interfaces for experts. Each interface watches the object it stands for,
// so that a holder outliving the object gets empty answers, not a dangling pointer.
#include <algorithm>
#include <cstring>

#include "ClassRegistry.h"
#include "Designer.h"
#include "SysUtils.h"

namespace xel {

namespace {

// Clears its pointer when the watched component goes.
class TWatch : public TComponent {
public:
  explicit TWatch(TComponent* target) : TComponent(nullptr), FTarget(target) {
    if (target) target->FreeNotification(this);
  }
  ~TWatch() override {
    if (FTarget) FTarget->RemoveFreeNotification(this);
  }
  TComponent* Target() const { return FTarget; }

protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FTarget) FTarget = nullptr;
  }

private:
  TComponent* FTarget;
};

class TComponentIntf : public TIComponentInterface {
public:
  explicit TComponentIntf(TComponent* c) : FWatch(c) {}
  String GetComponentType() override { return FWatch.Target() ? FWatch.Target()->ClassName() : String(); }
  TComponent* GetComponentHandle() override { return FWatch.Target(); }
  int GetComponentCount() override { return static_cast<int>(Children().size()); }
  TIComponentInterface* GetComponent(int index) override {
    std::vector<TComponent*> c = Children();
    return index >= 0 && index < static_cast<int>(c.size()) ? new TComponentIntf(c[static_cast<size_t>(index)])
                                                             : nullptr;
  }

private:
  std::vector<TComponent*> Children() {
    std::vector<TComponent*> result;
    if (TComponent* c = FWatch.Target()) c->GetChildren([&result](TComponent* child) { result.push_back(child); }, c);
    return result;
  }
  TWatch FWatch;
};

class TFormIntf : public TIFormInterface {
public:
  TFormIntf(TDesigner* d, TDesignModule* m) : FDesigner(d), FModule(m) {}
  String GetFormName() override { return FModule->Root()->Name(); }
  TIComponentInterface* GetFormComponent() override { return new TComponentIntf(FModule->Root()); }
  TIComponentInterface* FindComponent(const String& name) override {
    TComponent* c = FModule->Root()->FindComponent(name);
    return c ? new TComponentIntf(c) : nullptr;
  }
  TIComponentInterface* CreateComponent(TIComponentInterface* container, const String& typeName, int x, int y, int w,
                                        int h) override {
    TClass cls = GetClass(typeName);
    if (!cls) return nullptr;
    auto* parent = dynamic_cast<TWinControl*>(container ? container->GetComponentHandle() : FModule->Root());
    try {
      TComponent* c = FDesigner->DropComponent(cls, parent, x, y, w, h);
      return c ? new TComponentIntf(c) : nullptr;
    } catch (const Exception&) {
      return nullptr;
    }
  }
  bool MarkModified() override {
    FModule->SetModified();
    return true;
  }

private:
  TDesigner* FDesigner;
  TDesignModule* FModule;
};

class TEditReader : public TIEditReader {
public:
  explicit TEditReader(TDesignModule* m) : FModule(m) {}
  int GetText(int position, char* buffer, int count) override {
    const String& s = FModule->Source();
    if (position < 0 || count <= 0 || static_cast<size_t>(position) >= s.size()) return 0;
    const size_t n = std::min(static_cast<size_t>(count), s.size() - static_cast<size_t>(position));
    std::memcpy(buffer, s.data() + position, n);
    return static_cast<int>(n);
  }

private:
  TDesignModule* FModule;
};

class TEditWriter : public TIEditWriter {
public:
  TEditWriter(TDesigner* d, TDesignModule* m) : FDesigner(d), FModule(m), FOld(m->Source()) {}
  ~TEditWriter() override {
    FNew.append(FOld, FPos, String::npos);
    FModule->SetSource(FNew);
    FDesigner->SourceChanged(FModule);
  }
  bool CopyTo(int position) override {
    if (position < static_cast<int>(FPos) || static_cast<size_t>(position) > FOld.size()) return false;
    FNew.append(FOld, FPos, static_cast<size_t>(position) - FPos);
    FPos = static_cast<size_t>(position);
    return true;
  }
  bool DeleteTo(int position) override {
    if (position < static_cast<int>(FPos) || static_cast<size_t>(position) > FOld.size()) return false;
    FPos = static_cast<size_t>(position);
    return true;
  }
  bool Insert(const char* text) override {
    if (!text) return false;
    FNew += text;
    return true;
  }
  int Position() override { return static_cast<int>(FPos); }

private:
  TDesigner* FDesigner;
  TDesignModule* FModule;
  String FOld;
  String FNew;
  size_t FPos = 0;
};

class TEditorIntf : public TIEditorInterface {
public:
  TEditorIntf(TDesigner* d, TDesignModule* m) : FDesigner(d), FModule(m) {}
  String FileName() override { return FModule->UnitFile(); }
  int LinesInBuffer() override {
    const String& s = FModule->Source();
    return static_cast<int>(std::count(s.begin(), s.end(), '\n')) + (s.empty() || s.back() == '\n' ? 0 : 1);
  }
  TIEditReader* CreateReader() override { return new TEditReader(FModule); }
  TIEditWriter* CreateWriter() override { return new TEditWriter(FDesigner, FModule); }

private:
  TDesigner* FDesigner;
  TDesignModule* FModule;
};

class TModuleIntf : public TIModuleInterface {
public:
  TModuleIntf(TDesigner* d, TDesignModule* m) : FDesigner(d), FModule(m) {}
  String GetFileName() override { return FModule->UnitFile(); }
  TIFormInterface* GetFormInterface() override { return FModule->Root() ? new TFormIntf(FDesigner, FModule) : nullptr; }
  TIEditorInterface* GetEditorInterface() override { return new TEditorIntf(FDesigner, FModule); }
  bool ShowForm() override {
    if (!FModule->Root()) return false;
    FDesigner->ShowForm(FModule);
    return true;
  }
  bool Save(bool forceSave) override {
    if (!forceSave && !FModule->Modified()) return true;
    FModule->Save();
    return true;
  }

private:
  TDesigner* FDesigner;
  TDesignModule* FModule;
};

// A menu item an expert inserted: its click goes to the expert's handler.
class TExpertMenuItem : public TMenuItem {
public:
  using TMenuItem::TMenuItem;
  void Click() override;
  TIMenuClickEvent OnExpertClick;
};

class TMenuItemIntf : public TIMenuItemIntf {
public:
  // A null item with a menu stands for the menu's top level.
  TMenuItemIntf(TMenu* menu, TMenuItem* item) : FMenu(menu), FItem(item ? item : menu->Items()) {}
  String GetName() override { return Item() ? Item()->Name() : String(); }
  String GetCaption() override { return Item() ? Item()->GetCaption() : String(); }
  bool SetCaption(const String& caption) override {
    if (!Item()) return false;
    Item()->SetCaption(caption);
    return true;
  }
  int GetIndex() override { return Item() ? Item()->MenuIndex() : -1; }
  int GetItemCount() override { return Item() ? Item()->Count() : 0; }
  TIMenuItemIntf* GetItem(int index) override {
    if (!Item() || index < 0 || index >= Item()->Count()) return nullptr;
    return new TMenuItemIntf(static_cast<TMenu*>(FMenu.Target()), Item()->Items(index));
  }
  TIMenuItemIntf* GetParent() override {
    if (!Item() || !Item()->Parent()) return nullptr;
    return new TMenuItemIntf(static_cast<TMenu*>(FMenu.Target()), Item()->Parent());
  }
  TIMenuFlags GetFlags() override {
    TIMenuFlags f;
    if (!Item()) return {mfInvalid};
    if (Item()->GetEnabled()) f.Include(mfEnabled);
    if (Item()->GetVisible()) f.Include(mfVisible);
    if (Item()->GetChecked()) f.Include(mfChecked);
    if (Item()->GetRadioItem()) f.Include(mfRadioItem);
    return f;
  }
  bool SetFlags(TIMenuFlags mask, TIMenuFlags flags) override {
    if (!Item()) return false;
    if (mask.Contains(mfEnabled)) Item()->SetEnabled(flags.Contains(mfEnabled));
    if (mask.Contains(mfVisible)) Item()->SetVisible(flags.Contains(mfVisible));
    if (mask.Contains(mfChecked)) Item()->SetChecked(flags.Contains(mfChecked));
    if (mask.Contains(mfRadioItem)) Item()->SetRadioItem(flags.Contains(mfRadioItem));
    return true;
  }
  TIMenuItemIntf* InsertItem(int index, const String& caption, const String& name, const String& hint, int shortCut,
                             int context, int groupIndex, TIMenuFlags flags, const TIMenuClickEvent& onClick) override {
    TComponent* owner = FMenu.Target() ? FMenu.Target()->Owner() : nullptr;
    if (!Item() || !owner || (!name.empty() && owner->FindComponent(name))) return nullptr;
    auto* item = new TExpertMenuItem(owner);
    try {
      if (!name.empty()) item->SetName(name);
    } catch (const Exception&) {
      delete item;
      return nullptr;
    }
    item->SetCaption(caption);
    item->SetHint(hint);
    item->SetShortCut(static_cast<TShortCut>(shortCut));
    (void)context;  // the designer has no help file of its own
    item->SetGroupIndex(static_cast<Byte>(groupIndex));
    item->SetEnabled(flags.Contains(mfEnabled));
    item->SetVisible(flags.Contains(mfVisible));
    item->SetChecked(flags.Contains(mfChecked));
    item->OnExpertClick = onClick;
    Item()->Insert(std::clamp(index, 0, Item()->Count()), item);
    return new TMenuItemIntf(static_cast<TMenu*>(FMenu.Target()), item);
  }
  bool DestroyMenuItem() override {
    TComponent* item = FItem.Target();
    if (!item || (FMenu.Target() && item == static_cast<TMenu*>(FMenu.Target())->Items())) return false;
    delete item;
    return true;
  }

private:
  TMenuItem* Item() const { return FMenu.Target() ? static_cast<TMenuItem*>(FItem.Target()) : nullptr; }
  TWatch FMenu;
  TWatch FItem;
};

void TExpertMenuItem::Click() {
  TMenuItem::Click();
  if (!OnExpertClick.Assigned() || !GetEnabled()) return;
  auto* intf = new TMenuItemIntf(GetParentMenu(), this);
  TFinally release([intf] { intf->Release(); });
  OnExpertClick(intf);
}

TMenuItem* FindItem(TMenuItem* item, const String& name) {
  for (int i = 0; i < item->Count(); ++i) {
    if (SameText(item->Items(i)->Name(), name)) return item->Items(i);
    if (TMenuItem* found = FindItem(item->Items(i), name)) return found;
  }
  return nullptr;
}

class TMainMenuIntf : public TIMainMenuIntf {
public:
  explicit TMainMenuIntf(TMainMenu* menu) : FMenu(menu) {}
  TIMenuItemIntf* GetMenuItems() override {
    auto* menu = static_cast<TMainMenu*>(FMenu.Target());
    return menu ? new TMenuItemIntf(menu, nullptr) : nullptr;
  }
  TIMenuItemIntf* FindMenuItem(const String& name) override {
    auto* menu = static_cast<TMainMenu*>(FMenu.Target());
    TMenuItem* item = menu ? FindItem(menu->Items(), name) : nullptr;
    return item ? new TMenuItemIntf(menu, item) : nullptr;
  }

private:
  TWatch FMenu;
};

class TDesignerServices : public TIToolServices {
public:
  explicit TDesignerServices(TDesigner* d) : FDesigner(d) {}
  String GetCurrentFile() override {
    return FDesigner->Current() ? FDesigner->Current()->UnitFile() : String();
  }
  TIModuleInterface* GetModuleInterface(const String& fileName) override {
    TDesignModule* m = FDesigner->FindModule(fileName);
    return m ? new TModuleIntf(FDesigner, m) : nullptr;
  }
  TIModuleInterface* GetFormModuleInterface(const String& formName) override {
    TDesignModule* m = FDesigner->FindFormModule(formName);
    return m ? new TModuleIntf(FDesigner, m) : nullptr;
  }
  TIMainMenuIntf* GetMainMenu() override { return new TMainMenuIntf(FDesigner->MainMenu()); }
  bool OpenFile(const String& fileName) override {
    try {
      FDesigner->Open(fileName);
      return true;
    } catch (const Exception&) {
      return false;
    }
  }
  bool SaveFile(const String& fileName) override {
    TDesignModule* m = FDesigner->FindModule(fileName);
    if (!m) return false;
    m->Save();
    return true;
  }

private:
  TDesigner* FDesigner;
};

}  // namespace

TIToolServices* NewDesignerServices(TDesigner* designer) { return new TDesignerServices(designer); }

}  // namespace xel
