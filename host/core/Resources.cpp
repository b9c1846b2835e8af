#include "Resources.h"

#include <dlfcn.h>
#include <sys/auxv.h>

#include <mutex>

#include "Format.h"
#include "ResFile.h"
#include "Streams.h"

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

// A unit's language file: component resources with the stream's own short header (0xFF,
// the type's number, the name, the flags and the data's size), one after another.
bool IsComponentResImage(const Byte* image, size_t size) { return size >= 3 && image[0] == 0xFF; }

class TImageStream : public TCustomMemoryStream {
public:
  TImageStream(const Byte* image, size_t size) { SetPointer(image, static_cast<Int64>(size)); }
  Int64 Write(const void*, Int64) override { throw EStreamError("Can't write to a resource image"); }
};

void ParseComponentResImage(const Byte* image, size_t size, std::vector<TResourceEntry>& entries) {
  TImageStream stream(image, size);
  while (stream.Position() < stream.Size()) {
    const Int64 at = stream.Position();
    auto damaged = [at] { return EReadError(Format("Invalid resource file: damaged entry at offset %d", {at})); };
    TResourceEntry e;
    Int64 dataSize = 0;
    try {
      e.Name = stream.ReadResHeader(&dataSize);
    } catch (const EInvalidImage&) {
      throw damaged();
    }
    if (dataSize > stream.Size() - stream.Position()) throw damaged();
    e.TypeId = RT_RCDATA;
    e.Data = image + stream.Position();
    e.Size = static_cast<size_t>(dataSize);
    entries.push_back(e);
    stream.Seek(dataSize, soCurrent);
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
  if (IsComponentResImage(image, size)) ParseComponentResImage(image, size, entries);
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
