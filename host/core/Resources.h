// Resources of modules: each program and shared library carries its own table, filled
// from the resource files linked into it (xel_add_resources in CMake).
#pragma once

#include <vector>

#include "SysUtils.h"

namespace xel {

inline constexpr Word RT_BITMAP = 2;
// An icon's images are numbered RT_ICON entries; the RT_GROUP_ICON entry that names them
// is what a program asks for.
inline constexpr Word RT_ICON = 3;
inline constexpr Word RT_RCDATA = 10;
inline constexpr Word RT_GROUP_ICON = 14;

struct TResourceEntry {
  Word TypeId = 0;       // numeric type (RT_RCDATA), or 0 with TypeName
  String TypeName;
  Word NameId = 0;       // numeric name, or 0 with Name
  String Name;
  Word MemoryFlags = 0x1030;
  Word LanguageId = 0;
  const Byte* Data = nullptr;
  size_t Size = 0;
};

// The module (program or shared library) that contains an address; the handle is the
// module's load address. HInstance() is the module of the code that calls it.
const void* ModuleOfAddress(const void* address);
const void* MainInstance();
static inline const void* HInstance() { return ModuleOfAddress(reinterpret_cast<const void*>(&HInstance)); }

// By name (ignoring case; "#10" names a numeric name) and numeric type, in one module;
// nullptr when it has none. A null module means the program.
const TResourceEntry* FindResource(const void* module, std::string_view name, Word type);
// The modules that carry resource tables, the program first.
std::vector<const void*> ResourceModules();

// Adds the resources of a 32-bit resource file image to the table of the module that
// contains `anchor`. The image must outlive the program (linked data does). Raises
// EReadError for a damaged image.
void RegisterModuleResources(const void* anchor, const Byte* image, size_t size);

}  // namespace xel
