#include "DesignPackages.h"

#include <dlfcn.h>

#include <algorithm>

#include "ClassRegistry.h"
#include "DsgnRegistry.h"
#include "Format.h"
#include "Registry.h"

namespace xel {

namespace {
int NextTag = 1;

std::vector<String> ValueNames(const String& key) {
  std::vector<String> names;
  TRegistry reg;
  reg.SetRootKey(HKEY_CURRENT_USER);
  if (!reg.OpenKeyReadOnly(key)) return names;
  TStringList list;
  reg.GetValueNames(&list);
  for (int i = 0; i < list.Count(); ++i) names.push_back(list[i]);
  return names;
}
// The classes a library registered, taken out of the registry before its code goes: a
// stream must not find a class that no longer exists.
void UnregisterClassesOf(void* handle) {
  Dl_info lib{};
  void* anySymbol = dlsym(handle, DesignPackageEntry);
  if (!anySymbol || !dladdr(anySymbol, &lib)) return;
  for (TClass cls : GetRegisteredClasses()) {
    Dl_info info{};
    if (dladdr(cls, &info) && info.dli_fbase == lib.dli_fbase) UnRegisterClass(cls);
  }
}

void Unload(void* handle) {
  if (auto finalize = reinterpret_cast<TDesignPackageEntry>(dlsym(handle, DesignPackageFinalization))) finalize();
  UnregisterClassesOf(handle);
  dlclose(handle);
}
}  // namespace

TDesignPackages::~TDesignPackages() { UnloadAll(); }

bool TDesignPackages::Load(const String& fileName, String& error) {
  void* handle = dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* why = dlerror();
    error = Format("Package %s cannot be loaded: %s", {fileName, String(why ? why : "unknown error")});
    return false;
  }
  auto entry = reinterpret_cast<TDesignPackageEntry>(dlsym(handle, DesignPackageEntry));
  if (!entry) {
    dlclose(handle);
    error = Format("Package %s has no registration entry point %s", {fileName, String(DesignPackageEntry)});
    return false;
  }
  const int tag = NextTag++;
  BeginPackageRegistration(tag);
  try {
    entry();
  } catch (const std::exception& e) {
    EndPackageRegistration();
    UnregisterPackage(tag);
    Unload(handle);
    error = Format("Package %s failed to register: %s", {fileName, String(e.what())});
    return false;
  }
  EndPackageRegistration();
  FPackages.push_back({fileName, handle, tag});
  return true;
}

void TDesignPackages::UnloadAll() {
  while (!FPackages.empty()) {
    TPackage p = FPackages.back();
    FPackages.pop_back();
    UnregisterPackage(p.Tag);
    Unload(p.Handle);
  }
}

std::vector<String> KnownDesignPackages() {
  const String key = DesignerRegistryKey;
  std::vector<String> known = ValueNames(key + "\\Known Packages");
  const std::vector<String> disabled = ValueNames(key + "\\Disabled Packages");
  std::erase_if(known, [&](const String& name) {
    return std::any_of(disabled.begin(), disabled.end(), [&](const String& d) { return SameText(d, name); });
  });
  return known;
}

void RecordDesignerInstallation(const String& programFile) {
  TRegistry reg;
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  if (reg.OpenKey(DesignerRegistryKey, true)) reg.WriteString(DesignerProgramValue, programFile);
  // The installer registers packages only in a list that exists: it never makes one.
  reg.CloseKey();
  reg.SetRootKey(HKEY_CURRENT_USER);
  reg.OpenKey(String(DesignerRegistryKey) + "\\Known Packages", true);
}

}  // namespace xel
