#include "ResFile.h"

#include <cstring>

#include "Format.h"

namespace xel {

namespace {

std::uint32_t U32(const Byte* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
Word U16(const Byte* p) { return static_cast<Word>(p[0] | (p[1] << 8)); }

[[noreturn]] void Damaged(const char* what, size_t offset) {
  throw EReadError(Format("Invalid resource file: %s at offset %d", {what, static_cast<Int64>(offset)}));
}

// A type or name field: 0xFFFF and a number, or a zero-terminated UTF-16 string.
size_t ReadId(const Byte* p, size_t left, size_t offset, Word& id, String& name) {
  if (left < 2) Damaged("truncated header", offset);
  if (U16(p) == 0xFFFF) {
    if (left < 4) Damaged("truncated header", offset);
    id = U16(p + 2);
    name.clear();
    return 4;
  }
  WideString w;
  size_t i = 0;
  for (;; i += 2) {
    if (i + 2 > left) Damaged("unterminated name", offset);
    Word c = U16(p + i);
    if (c == 0) break;
    w.push_back(static_cast<char16_t>(c));
  }
  id = 0;
  name = WideToUtf8(w);
  return i + 2;
}

void PutU32(std::vector<Byte>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<Byte>(v >> (8 * i)));
}
void PutU16(std::vector<Byte>& out, Word v) {
  out.push_back(static_cast<Byte>(v));
  out.push_back(static_cast<Byte>(v >> 8));
}
void PutId(std::vector<Byte>& out, Word id, const String& name) {
  if (name.empty()) {
    PutU16(out, 0xFFFF);
    PutU16(out, id);
  } else {
    for (char16_t c : Utf8ToWide(name)) PutU16(out, c);
    PutU16(out, 0);
  }
}

}  // namespace

bool IsResourceImage(const Byte* image, size_t size) {
  static const Byte lead[16] = {0, 0, 0, 0, 0x20, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0};
  return size >= 32 && std::memcmp(image, lead, 16) == 0;
}

void ParseResourceImage(const Byte* image, size_t size, const std::function<void(const TResourceEntry&)>& entry) {
  size_t pos = 0;
  bool first = true;
  while (pos < size) {
    size_t left = size - pos;
    if (left < 8) Damaged("truncated header", pos);
    std::uint32_t dataSize = U32(image + pos);
    std::uint32_t headerSize = U32(image + pos + 4);
    if (headerSize < 16 || headerSize > left) Damaged("bad header size", pos);
    if (dataSize > left - headerSize) Damaged("data beyond the end", pos);
    TResourceEntry e;
    size_t p = 8;
    p += ReadId(image + pos + p, headerSize - p, pos, e.TypeId, e.TypeName);
    p += ReadId(image + pos + p, headerSize - p, pos, e.NameId, e.Name);
    p = (p + 3) & ~size_t(3);
    if (p + 16 > headerSize) Damaged("truncated header", pos);
    e.MemoryFlags = U16(image + pos + p + 4);
    e.LanguageId = U16(image + pos + p + 6);
    e.Data = image + pos + headerSize;
    e.Size = dataSize;
    bool empty = dataSize == 0 && e.TypeName.empty() && e.TypeId == 0 && e.Name.empty() && e.NameId == 0;
    if (first && !empty) Damaged("missing leading entry", pos);
    if (!empty) entry(e);
    first = false;
    size_t next = pos + headerSize + dataSize;
    next = (next + 3) & ~size_t(3);
    if (next <= pos) Damaged("bad entry size", pos);
    pos = next > size ? size : next;
  }
  if (first) Damaged("empty file", 0);
}

void TResourceFile::LoadFromStream(TStream* stream) {
  Int64 n = stream->Size() - stream->Position();
  if (n < 0 || n > (Int64(1) << 31)) throw EReadError("Invalid resource file: too large");
  std::vector<Byte> image(static_cast<size_t>(n));
  if (n) stream->ReadBuffer(image.data(), n);
  std::vector<TResItem> items;
  ParseResourceImage(image.data(), image.size(), [&](const TResourceEntry& e) {
    TResItem item;
    item.TypeId = e.TypeId;
    item.TypeName = e.TypeName;
    item.NameId = e.NameId;
    item.Name = e.Name;
    item.MemoryFlags = e.MemoryFlags;
    item.LanguageId = e.LanguageId;
    item.Data.assign(e.Data, e.Data + e.Size);
    items.push_back(std::move(item));
  });
  Items = std::move(items);
}

void TResourceFile::SaveToStream(TStream* stream) const {
  std::vector<Byte> out = {0, 0, 0, 0, 0x20, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0};
  out.resize(32, 0);
  for (const TResItem& item : Items) {
    std::vector<Byte> header;
    PutId(header, item.TypeId, item.TypeName);
    PutId(header, item.NameId, item.Name);
    while ((header.size() + 8) % 4) header.push_back(0);
    PutU32(header, 0);  // data version
    PutU16(header, item.MemoryFlags);
    PutU16(header, item.LanguageId);
    PutU32(header, 0);  // version
    PutU32(header, 0);  // characteristics
    PutU32(out, static_cast<std::uint32_t>(item.Data.size()));
    PutU32(out, static_cast<std::uint32_t>(header.size() + 8));
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), item.Data.begin(), item.Data.end());
    while (out.size() % 4) out.push_back(0);
  }
  stream->WriteBuffer(out.data(), static_cast<Int64>(out.size()));
}

void TResourceFile::LoadFromFile(const String& fileName) {
  TFileStream f(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&f);
}

void TResourceFile::SaveToFile(const String& fileName) const {
  TMemoryStream m;
  SaveToStream(&m);
  m.SaveToFile(fileName);
}

const TResItem* TResourceFile::Find(std::string_view name, Word type) const {
  for (const TResItem& item : Items)
    if (item.TypeName.empty() && item.TypeId == type && SameText(item.Name, name)) return &item;
  return nullptr;
}

void TResourceFile::Put(std::string_view name, std::vector<Byte> data, Word type) {
  if (const TResItem* found = Find(name, type)) {
    const_cast<TResItem*>(found)->Data = std::move(data);
    return;
  }
  TResItem item;
  item.TypeId = type;
  item.Name = UpperCase(name);
  item.Data = std::move(data);
  Items.push_back(std::move(item));
}

}  // namespace xel
