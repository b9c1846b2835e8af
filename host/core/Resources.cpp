#include "Resources.h"

#include <dlfcn.h>
#include <sys/auxv.h>

#include <mutex>

#include "ResFile.h"

namespace xel {

namespace {

struct TModuleTable {
  const void* Module;
  std::vector<TResourceEntry> Entries;
};

std::mutex& Lock() {
  static std::mutex m;
  return m;
}

std::vector<TModuleTable>& Tables() {
  static std::vector<TModuleTable> t;
  return t;
}

bool NameMatches(const TResourceEntry& e, std::string_view name) {
  if (!name.empty() && name[0] == '#') {
    Int64 id;
    return e.Name.empty() && TryStrToInt64(name.substr(1), id) && id == e.NameId;
  }
  return SameText(e.Name, name);
}

}  // namespace

const void* ModuleOfAddress(const void* address) {
  Dl_info info{};
  if (dladdr(address, &info) && info.dli_fbase) return info.dli_fbase;
  return nullptr;
}

const void* MainInstance() {
  // The program headers of the executable lie inside its own mapping.
  static const void* main = ModuleOfAddress(reinterpret_cast<const void*>(getauxval(AT_PHDR)));
  return main;
}

const TResourceEntry* FindResource(const void* module, std::string_view name, Word type) {
  if (!module) module = MainInstance();
  std::lock_guard<std::mutex> lock(Lock());
  for (const TModuleTable& t : Tables()) {
    if (t.Module != module) continue;
    for (const TResourceEntry& e : t.Entries)
      if (e.TypeName.empty() && e.TypeId == type && NameMatches(e, name)) return &e;
  }
  return nullptr;
}

std::vector<const void*> ResourceModules() {
  std::vector<const void*> result;
  const void* main = MainInstance();
  std::lock_guard<std::mutex> lock(Lock());
  for (const TModuleTable& t : Tables())
    if (t.Module == main) result.insert(result.begin(), t.Module);
    else result.push_back(t.Module);
  return result;
}

void RegisterModuleResources(const void* anchor, const Byte* image, size_t size) {
  std::vector<TResourceEntry> entries;
  ParseResourceImage(image, size, [&](const TResourceEntry& e) { entries.push_back(e); });
  const void* module = ModuleOfAddress(anchor);
  std::lock_guard<std::mutex> lock(Lock());
  for (TModuleTable& t : Tables())
    if (t.Module == module) {
      t.Entries.insert(t.Entries.end(), entries.begin(), entries.end());
      return;
    }
  Tables().push_back({module, std::move(entries)});
}

}  // namespace xel
