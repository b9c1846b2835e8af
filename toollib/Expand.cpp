#include "Expand.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

#include "DesignHost.h"
#include "Forms.h"
#include "Platform.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/Expand.cpp 2 10.12.26 6:20 XG $")

namespace xel {

namespace {
constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
}  // namespace

void ForEachComponent(TComponent* root, const TComponentNotify& proc, void* param) {
  if (!root) return;
  for (int i = root->ComponentCount() - 1; i >= 0; --i)
    if (i < root->ComponentCount()) ForEachComponent(root->Components(i), proc, param);
  proc(root, param);
}

void ForEachControl(TWinControl* root, const TControlNotify& proc, void* param) {
  if (!root) return;
  for (int i = root->ControlCount() - 1; i >= 0; --i) {
    if (i >= root->ControlCount()) continue;
    TControl* c = root->Controls(i);
    if (auto* w = dynamic_cast<TWinControl*>(c)) ForEachControl(w, proc, param);
    else proc(c, param);
  }
  proc(root, param);
}

bool GetOwnerForm(const TComponent* component, TCustomForm*& form) {
  form = nullptr;
  if (!component) return false;
  for (TComponent* o = component->Owner(); o; o = o->Owner())
    if (auto* f = dynamic_cast<TCustomForm*>(o)) {
      form = f;
      return true;
    }
  return false;
}

TWinControl* FindParentWinControl(TComponent* component) {
  TCustomForm* form;
  if (!GetOwnerForm(component, form)) return nullptr;
  auto* control = dynamic_cast<TControl*>(component);
  if (!control) return nullptr;
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* w = dynamic_cast<TWinControl*>(form->Components(i)))
      for (int j = 0; j < w->ControlCount(); ++j)
        if (w->Controls(j) == control) return w;
  return nullptr;
}

TWinControl* GetWinControl(TComponent* component) {
  if (auto* w = dynamic_cast<TWinControl*>(component)) return w;
  return FindParentWinControl(component);
}

TControl* CreateWinControlEx(TClass controlClass, TComponent* owner, TWinControl*& parent) {
  if (!controlClass || !controlClass->InheritsFrom(TControl::StaticClass())) throw EInvalidCast(SConst::InvalidCast);
  parent = GetWinControl(owner);
  if (!parent) {
    TCustomForm* form;
    if (auto* f = dynamic_cast<TCustomForm*>(owner)) parent = f;
    else if (GetOwnerForm(owner, form)) parent = form;
  }
  auto* control = static_cast<TControl*>(CreateComponent(controlClass, owner));
  if (parent) control->SetParent(parent);
  return control;
}

TControl* CreateWinControl(TClass controlClass, TComponent* owner) {
  TWinControl* parent;
  return CreateWinControlEx(controlClass, owner, parent);
}

bool IsDesigning() { return DesignHostActive(); }

String GetExeName() { return GetModuleFileName(); }

void Error(const String& message) { throw Exception(message); }
void CriticalError() { throw ECriticalError("Critical error"); }
void CaseError() { throw ECaseError("Case value not handled"); }

void DisabledProcessMessages() {
  TCustomForm* main = Application->MainForm();
  bool wasEnabled = main && main->GetEnabled();
  if (wasEnabled) main->SetEnabled(false);
  TFinally restore([main, wasEnabled] {
    if (wasEnabled) main->SetEnabled(true);
  });
  Application->ProcessMessages();
}

String LoadFromFile(const String& fileName) {
  TFileStream f(fileName, fmOpenRead | fmShareDenyWrite);
  String bytes(static_cast<size_t>(f.Size()), '\0');
  f.ReadBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  return bytes;
}

void SaveToFile(const String& fileName, const void* buffer, size_t size) {
  TFileStream f(fileName, fmCreate);
  f.WriteBuffer(buffer, static_cast<Int64>(size));
}

bool ReadFromRegistry(HKEY root, const String& key, const String& name, String& value) {
  TRegistry reg;
  reg.SetRootKey(root);
  if (!reg.OpenKeyReadOnly(key)) return false;
  value = reg.ValueExists(name) ? reg.ReadString(name) : String();
  return true;
}

bool WriteToRegistry(HKEY root, const String& key, const String& name, const String& value, bool create) {
  TRegistry reg;
  reg.SetRootKey(root);
  if (!reg.OpenKey(key, create)) return false;
  reg.WriteString(name, value);
  return true;
}

bool AutoStartEnabled(const String& name, const String& command, bool& enabled) {
  enabled = false;
  String stored;
  if (!ReadFromRegistry(HKEY_LOCAL_MACHINE, kRunKey, name, stored)) return false;
  enabled = !stored.empty() && SameText(stored, command);
  return true;
}

bool EnableAutoStart(const String& name, const String& command, bool enable) {
  TRegistry reg;
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  if (!reg.OpenKey(kRunKey, enable)) return false;
  if (enable) reg.WriteString(name, command);
  else if (reg.ValueExists(name)) reg.DeleteValue(name);
  return true;
}

TWinControl* FindWnd(TWinControl* parent, const String& className, const String& caption) {
  if (!parent) return nullptr;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* w = dynamic_cast<TWinControl*>(parent->Controls(i));
    if (w && w->ClassName() == className && (caption.empty() || w->GetText() == caption)) return w;
  }
  return nullptr;
}

void OptimizeNumericStr(String& s) {
  s = Trim(s);
  if (!s.empty() && s[0] == '+') s = Trim(s.substr(1));
  size_t start = (!s.empty() && s[0] == '-') ? 1 : 0;
  while (s.size() > start + 1 && s[start] == '0' && s[start + 1] == '0') s.erase(start, 1);
  size_t dot = s.find('.');
  if (dot == String::npos) return;
  size_t exp = s.find_first_of("eE", dot);
  size_t end = exp == String::npos ? s.size() : exp;
  size_t last = end;
  while (last > dot + 1 && s[last - 1] == '0') --last;
  if (last == dot + 1) last = dot;  // nothing left of the fraction: drop the point too
  s.erase(last, end - last);
}

String OptimizeNumericString(const String& s) {
  String r = s;
  OptimizeNumericStr(r);
  return r;
}

void BufferToString(const void* buffer, size_t size, char replacement, String& s) {
  s.clear();
  const auto* p = static_cast<const unsigned char*>(buffer);
  bool pending = false;
  for (size_t i = 0; i < size; ++i) {
    if (p[i] < 32) {
      pending = true;
      continue;
    }
    if (pending) s += replacement;
    pending = false;
    s += static_cast<char>(p[i]);
  }
}

void CopyBufferToString(const void* buffer, size_t size, String& s) {
  s.assign(static_cast<const char*>(buffer), size);
}

bool GetLogicalAddress(const void* address, String& module, std::uintptr_t& offset) {
  Dl_info info{};
  if (!dladdr(address, &info) || !info.dli_fname) {
    module.clear();
    offset = 0;
    return false;
  }
  module = info.dli_fname;
  offset = reinterpret_cast<std::uintptr_t>(address) - reinterpret_cast<std::uintptr_t>(info.dli_fbase);
  return true;
}

bool ExecuteDialog(TClass formClass) {
  if (!formClass || !formClass->InheritsFrom(TCustomForm::StaticClass())) throw EInvalidCast(SConst::InvalidCast);
  std::unique_ptr<TCustomForm> form(static_cast<TCustomForm*>(CreateComponent(formClass, Application)));
  return form->ShowModal() == mrOk;
}

// ---------------------------------------------------------------- base components

void SetShortenedName(TComponent* component, const String& newName,
                      const std::function<void(const String&)>& inheritedSetName) {
  size_t end = newName.size();
  while (end > 0 && newName[end - 1] >= '0' && newName[end - 1] <= '9') --end;
  String shortName = newName.substr(0, end);
  if (!shortName.empty() && shortName != newName) {
    try {
      inheritedSetName(shortName);
      return;
    } catch (const EComponentError&) {
    }
  }
  (void)component;
  inheritedSetName(newName);
}

TExComponent::TExComponent(TComponent* owner) : TComponent(owner) {}

void TExComponent::SetName(const String& newName) {
  if (FNewName && !ComponentState().Contains(csLoading) && ModifyName()) {
    FNewName = false;
    SetShortenedName(this, newName, [this](const String& n) { TComponent::SetName(n); });
    return;
  }
  TComponent::SetName(newName);
}

void TExComponent::Loaded() {
  TComponent::Loaded();
  FNewName = false;
}

TUniComponent::TUniComponent(TComponent* owner) : TExComponent(owner) { CheckAlreadyExists(); }

void TUniComponent::CheckAlreadyExists() {
  TComponent* owner = Owner();
  if (!owner || !owner->ComponentState().Contains(csDesigning)) return;
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    TComponent* c = owner->Components(i);
    if (c != this && c->ClassName() == ClassName()) throw Exception("Component can only be placed on formular one time");
  }
}

bool DebugTracing() {
  const char* file = std::getenv("XEL_DEBUG_TRACE");
  return file && *file;
}

void DebugTrace(std::string_view line) {
  const char* file = std::getenv("XEL_DEBUG_TRACE");
  if (!file || !*file) return;
  if (std::FILE* f = std::fopen(file, "ab")) {
    std::fwrite(line.data(), 1, line.size(), f);
    std::fwrite("\r\n", 1, 2, f);
    std::fclose(f);
  }
}

}  // namespace xel
