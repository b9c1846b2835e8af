// The designer's services as a package's experts see them: the current file, the modules
// with their forms, components and editor buffers, and the main menu. Every interface a
// call hands out is counted for the caller, who releases it when done; the interface stays
// valid until then, also when the object behind it goes (it then answers as empty).
#pragma once

#include "Component.h"
#include "Events.h"

namespace xel {

// The reference count of an interface: one for the caller that obtained it.
class TInterface {
public:
  TInterface();
  TInterface(const TInterface&) = delete;
  TInterface& operator=(const TInterface&) = delete;
  int AddRef() { return ++FRefCount; }
  int Release();

protected:
  virtual ~TInterface();

private:
  int FRefCount = 1;
};

class TIComponentInterface : public TInterface {
public:
  virtual String GetComponentType() = 0;
  // The component itself; null when it no longer exists.
  virtual TComponent* GetComponentHandle() = 0;
  // The components it holds as their parent (a form's or panel's children).
  virtual int GetComponentCount() = 0;
  virtual TIComponentInterface* GetComponent(int index) = 0;
};

class TIFormInterface : public TInterface {
public:
  virtual String GetFormName() = 0;
  virtual TIComponentInterface* GetFormComponent() = 0;
  virtual TIComponentInterface* FindComponent(const String& name) = 0;
  // A component of a registered class in the container (the form when null); none when
  // the class is unknown or the container takes no children.
  virtual TIComponentInterface* CreateComponent(TIComponentInterface* container, const String& typeName, int x, int y,
                                                int w, int h) = 0;
  virtual bool MarkModified() = 0;
};

class TIEditReader : public TInterface {
public:
  // Copies up to count characters from the position; the number copied.
  virtual int GetText(int position, char* buffer, int count) = 0;
};

// Edits in one pass from the start: what is skipped with CopyTo stays, what DeleteTo
// passes goes, Insert puts text in at the current place. The buffer changes on release;
// the rest of the old text follows what was written.
class TIEditWriter : public TInterface {
public:
  virtual bool CopyTo(int position) = 0;
  virtual bool DeleteTo(int position) = 0;
  virtual bool Insert(const char* text) = 0;
  virtual int Position() = 0;
};

class TIEditorInterface : public TInterface {
public:
  virtual String FileName() = 0;
  virtual int LinesInBuffer() = 0;
  virtual TIEditReader* CreateReader() = 0;
  virtual TIEditWriter* CreateWriter() = 0;
};

class TIModuleInterface : public TInterface {
public:
  virtual String GetFileName() = 0;
  // None for a unit without a form.
  virtual TIFormInterface* GetFormInterface() = 0;
  virtual TIEditorInterface* GetEditorInterface() = 0;
  virtual bool ShowForm() = 0;
  virtual bool Save(bool forceSave) = 0;
};

XEL_ENUM(TIMenuFlag, mfInvalid, mfEnabled, mfVisible, mfChecked, mfBreak, mfBarBreak, mfRadioItem)
XEL_SET(TIMenuFlags, TIMenuFlag)

class TIMenuItemIntf;
XEL_EVENT(TIMenuClickEvent, TIMenuItemIntf* /*Sender*/);

class TIMenuItemIntf : public TInterface {
public:
  virtual String GetName() = 0;
  virtual String GetCaption() = 0;
  virtual bool SetCaption(const String& caption) = 0;
  virtual int GetIndex() = 0;
  virtual int GetItemCount() = 0;
  virtual TIMenuItemIntf* GetItem(int index) = 0;
  virtual TIMenuItemIntf* GetParent() = 0;
  virtual TIMenuFlags GetFlags() = 0;
  virtual bool SetFlags(TIMenuFlags mask, TIMenuFlags flags) = 0;
  // A new child at the index (appended when beyond the end); none when the name is taken.
  virtual TIMenuItemIntf* InsertItem(int index, const String& caption, const String& name, const String& hint,
                                     int shortCut, int context, int groupIndex, TIMenuFlags flags,
                                     const TIMenuClickEvent& onClick) = 0;
  virtual bool DestroyMenuItem() = 0;
};

class TIMainMenuIntf : public TInterface {
public:
  // An item whose children are the top-level menus.
  virtual TIMenuItemIntf* GetMenuItems() = 0;
  virtual TIMenuItemIntf* FindMenuItem(const String& name) = 0;
};

class TIToolServices : public TInterface {
public:
  virtual String GetCurrentFile() = 0;
  virtual TIModuleInterface* GetModuleInterface(const String& fileName) = 0;
  virtual TIModuleInterface* GetFormModuleInterface(const String& formName) = 0;
  virtual TIMainMenuIntf* GetMainMenu() = 0;
  virtual bool OpenFile(const String& fileName) = 0;
  virtual bool SaveFile(const String& fileName) = 0;
};

// The designer's services: null outside the designer. While they exist, the runtime
// behaves as at design time (IsDesigning).
TIToolServices* ToolServices();
// The designer installs its services at start and removes them (null) before it ends.
void SetToolServices(TIToolServices* services);

// Interfaces that exist now (obtained and not yet released by the last holder).
int LiveInterfaceCount();

}  // namespace xel
