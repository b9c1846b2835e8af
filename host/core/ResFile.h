// 32-bit resource files (.res, and the .lng language files): read, write, and parse.
#pragma once

#include <functional>
#include <vector>

#include "Resources.h"
#include "Streams.h"

namespace xel {

struct TResItem {
  Word TypeId = RT_RCDATA;
  String TypeName;
  Word NameId = 0;
  String Name;
  Word MemoryFlags = 0x1030;
  Word LanguageId = 0;
  std::vector<Byte> Data;
};

// Walks the entries of a resource file image, checking every size against the image;
// the leading empty entry is skipped. Raises EReadError("Invalid resource file ...").
void ParseResourceImage(const Byte* image, size_t size, const std::function<void(const TResourceEntry&)>& entry);
bool IsResourceImage(const Byte* image, size_t size);

class TResourceFile {
public:
  std::vector<TResItem> Items;

  void LoadFromStream(TStream* stream);
  void SaveToStream(TStream* stream) const;
  void LoadFromFile(const String& fileName);
  void SaveToFile(const String& fileName) const;
  // Case-insensitive lookup of an RCDATA resource; nullptr when missing.
  const TResItem* Find(std::string_view name, Word type = RT_RCDATA) const;
  // Adds or replaces a named RCDATA resource (names are stored in upper case).
  void Put(std::string_view name, std::vector<Byte> data, Word type = RT_RCDATA);
};

}  // namespace xel
