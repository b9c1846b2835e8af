// Component helpers of the tool library: walks over the components and controls of a
// form, lookups of a component's form or window, the base classes of the tool
// components, and small system and error helpers; also the optional debug trace.
#pragma once

#include "Controls.h"
#include "Platform.h"
#include "Registry.h"

namespace xel {

XEL_EXCEPTION(ECriticalError, Exception);
XEL_EXCEPTION(ECaseError, ECriticalError);

XEL_EVENT(TComponentNotify, TComponent* /*Component*/, void* /*Param*/);
XEL_EVENT(TControlNotify, TControl* /*Control*/, void* /*Param*/);

class TCustomForm;

// Post-order over the ownership tree: a node's owned components from the last to the
// first, each after its own, then the node; the root comes last.
void ForEachComponent(TComponent* root, const TComponentNotify& proc, void* param);
// The same over the parent tree: windowed children are descended into, the others passed
// directly; the root comes last.
void ForEachControl(TWinControl* root, const TControlNotify& proc, void* param);
// Follows the owners from the component's owner up to the first form.
bool GetOwnerForm(const TComponent* component, TCustomForm*& form);
TWinControl* GetWinControl(TComponent* component);
// Among the owning form's windowed components, the first whose children hold the component.
TWinControl* FindParentWinControl(TComponent* component);
// Creates a control for the owner and places it on a window found for the owner.
TControl* CreateWinControl(TClass controlClass, TComponent* owner);
TControl* CreateWinControlEx(TClass controlClass, TComponent* owner, TWinControl*& parent);

// True only when the code runs inside the designer: while its tool services exist.
bool IsDesigning();

// GetUserName and GetComputerName come from the platform services.
String GetExeName();
[[noreturn]] void Error(const String& message);
[[noreturn]] void CriticalError();
[[noreturn]] void CaseError();
// Lets the application handle what is pending while its main form takes no input.
void DisabledProcessMessages();
template <class T>
void DeleteClass(T*& object) {
  FreeAndNil(object);
}
// A whole file as bytes (shared for reading, denying writers), and the reverse.
String LoadFromFile(const String& fileName);
void SaveToFile(const String& fileName, const void* buffer, size_t size);
bool ReadFromRegistry(HKEY root, const String& key, const String& name, String& value);
bool WriteToRegistry(HKEY root, const String& key, const String& name, const String& value, bool create);
// The program entries that start with the system ("...\CurrentVersion\Run" of the machine).
bool AutoStartEnabled(const String& name, const String& command, bool& enabled);
bool EnableAutoStart(const String& name, const String& command, bool enable);
// Among the windowed children of parent, the first of that class whose caption, when one is
// given, equals it; nullptr when none.
TWinControl* FindWnd(TWinControl* parent, const String& className, const String& caption);
// "+007.500" becomes "07.5", "-0.0" "-0", "1.0E10" "1E10".
void OptimizeNumericStr(String& s);
String OptimizeNumericString(const String& s);
// Runs of control characters become one replacement before the next printable byte.
void BufferToString(const void* buffer, size_t size, char replacement, String& s);
void CopyBufferToString(const void* buffer, size_t size, String& s);
// The module file that holds a code address, and the address's offset in it.
bool GetLogicalAddress(const void* address, String& module, std::uintptr_t& offset);
// Creates the form (owned by the application), shows it modally, frees it: true for OK.
bool ExecuteDialog(TClass formClass);

// Base of the non-visual tool components: a component dropped as LogFile1 is called
// LogFile when that name is free.
class TExComponent : public TComponent {
  XEL_CLASS(TExComponent, TComponent)
public:
  explicit TExComponent(TComponent* owner);
  void SetName(const String& newName) override;
  void Loaded() override;
  bool NewName() const { return FNewName; }

protected:
  virtual bool ModifyName() { return true; }

private:
  bool FNewName = true;
};

// A tool component of which a form holds one.
class TUniComponent : public TExComponent {
  XEL_CLASS(TUniComponent, TExComponent)
public:
  explicit TUniComponent(TComponent* owner);

protected:
  void CheckAlreadyExists();
};

// Sets a name, trying it first without its trailing digits (Glotta1 → Glotta) when free.
void SetShortenedName(TComponent* component, const String& newName,
                      const std::function<void(const String&)>& inheritedSetName);

// The diagnostic channel: when $XEL_DEBUG_TRACE names a file, each line is appended to it;
// otherwise the lines go nowhere. Nothing in the system reads them.
void DebugTrace(std::string_view line);
// Whether the lines go anywhere: traces that cost something to put together ask first.
bool DebugTracing();

}  // namespace xel
