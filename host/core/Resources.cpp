#include "Resources.h"

#include <dlfcn.h>
#include <sys/auxv.h>

#include <mutex>

#include "Format.h"
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

// A 16-bit resource image, as a component resource or a unit's language file is written:
// per entry 0xFF and the type's number, the name (0xFF and a number, or text up to a zero),
// the flags and the data's size, then the data.
bool Is16BitImage(const Byte* image, size_t size) { return size >= 3 && image[0] == 0xFF; }

void Parse16BitImage(const Byte* image, size_t size, std::vector<TResourceEntry>& entries) {
  auto damaged = [](size_t at) {
    return EReadError(Format("Invalid resource file: damaged 16-bit entry at offset %d", {static_cast<Int64>(at)}));
  };
  size_t pos = 0;
  while (pos < size) {
    const size_t start = pos;
    if (size - pos < 3 || image[pos] != 0xFF) throw damaged(start);
    TResourceEntry e;
    e.TypeId = static_cast<Word>(image[pos + 1] | (image[pos + 2] << 8));
    pos += 3;
    if (pos < size && image[pos] == 0xFF) {
      if (size - pos < 3) throw damaged(start);
      e.NameId = static_cast<Word>(image[pos + 1] | (image[pos + 2] << 8));
      pos += 3;
    } else {
      const size_t end = pos;
      while (pos < size && image[pos] != 0) ++pos;
      if (pos == size) throw damaged(start);
      e.Name.assign(reinterpret_cast<const char*>(image + end), pos - end);
      ++pos;
    }
    if (size - pos < 6) throw damaged(start);
    e.MemoryFlags = static_cast<Word>(image[pos] | (image[pos + 1] << 8));
    const size_t dataSize = static_cast<size_t>(image[pos + 2]) | (static_cast<size_t>(image[pos + 3]) << 8) |
                            (static_cast<size_t>(image[pos + 4]) << 16) | (static_cast<size_t>(image[pos + 5]) << 24);
    pos += 6;
    if (dataSize > size - pos) throw damaged(start);
    e.Data = image + pos;
    e.Size = dataSize;
    entries.push_back(e);
    pos += dataSize;
  }
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
  if (Is16BitImage(image, size)) Parse16BitImage(image, size, entries);
  else ParseResourceImage(image, size, [&](const TResourceEntry& e) { entries.push_back(e); });
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
