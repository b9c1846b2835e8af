// Streams: the byte carriers of forms, resources and language files.
#pragma once

#include <vector>

#include "Persistent.h"

namespace xel {

class TComponent;

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
  XEL_CLASS(TStream, TObject)
public:
  // Transfer up to count bytes; the result is what was transferred.
  virtual Int64 Read(void* buffer, Int64 count) = 0;
  virtual Int64 Write(const void* buffer, Int64 count) = 0;
  virtual Int64 Seek(Int64 offset, TSeekOrigin origin) = 0;
  virtual void SetSize(Int64 newSize);

  // Transfer exactly count bytes, or raise EReadError / EWriteError.
  void ReadBuffer(void* buffer, Int64 count);
  void WriteBuffer(const void* buffer, Int64 count);
  Int64 Position() { return Seek(0, soCurrent); }
  void SetPosition(Int64 pos) { Seek(pos, soBeginning); }
  Int64 Size();
  // Copies count bytes from source's position; count 0 copies the whole source from its start.
  Int64 CopyFrom(TStream* source, Int64 count);
  // What is left to read.
  Int64 Remaining() { return Size() - Position(); }

  // Component streams: "TPF0" and the component (ReadComponent creates the root when
  // instance is nullptr), and the same wrapped in the 16-bit resource header.
  TComponent* ReadComponent(TComponent* instance);
  void WriteComponent(TComponent* instance);
  void WriteDescendent(TComponent* instance, TComponent* ancestor);
  TComponent* ReadComponentRes(TComponent* instance);
  void WriteComponentRes(const String& resName, TComponent* instance);
  void WriteDescendentRes(const String& resName, TComponent* instance, TComponent* ancestor);
  // The 16-bit single-resource header: 0xFF, type 10, upper-case name, flags 0x1030, size.
  void WriteResourceHeader(const String& resName, Int64& fixupInfo);
  void FixupResourceHeader(Int64 fixupInfo);
  // Skips the header, checking it; returns the resource name and leaves the size in dataSize.
  String ReadResHeader(Int64* dataSize = nullptr);
};

class TCustomMemoryStream : public TStream {
  XEL_CLASS(TCustomMemoryStream, TStream)
public:
  Int64 Read(void* buffer, Int64 count) override;
  Int64 Seek(Int64 offset, TSeekOrigin origin) override;
  const Byte* Memory() const { return FMemory; }
  void SaveToStream(TStream* stream);
  void SaveToFile(const String& fileName);

protected:
  void SetPointer(const Byte* ptr, Int64 size) {
    FMemory = ptr;
    FSize = size;
  }
  const Byte* FMemory = nullptr;
  Int64 FSize = 0;
  Int64 FPosition = 0;
};

class TMemoryStream : public TCustomMemoryStream {
  XEL_CLASS(TMemoryStream, TCustomMemoryStream)
public:
  Int64 Write(const void* buffer, Int64 count) override;
  void SetSize(Int64 newSize) override;
  void Clear();
  void LoadFromStream(TStream* stream);
  void LoadFromFile(const String& fileName);
  Byte* Memory() { return FData.data(); }
  const Byte* Memory() const { return FData.data(); }

private:
  std::vector<Byte> FData;
};

class TStringStream : public TStream {
  XEL_CLASS(TStringStream, TStream)
public:
  explicit TStringStream(String data = {}) : FData(std::move(data)) {}
  Int64 Read(void* buffer, Int64 count) override;
  Int64 Write(const void* buffer, Int64 count) override;
  Int64 Seek(Int64 offset, TSeekOrigin origin) override;
  void SetSize(Int64 newSize) override;
  const String& DataString() const { return FData; }
  String ReadString(Int64 count);
  void WriteString(std::string_view s) { WriteBuffer(s.data(), static_cast<Int64>(s.size())); }

private:
  String FData;
  Int64 FPosition = 0;
};

// Open modes and share modes of TFileStream, in the host's values.
inline constexpr Word fmCreate = 0xFFFF;
inline constexpr Word fmOpenRead = 0x0000;
inline constexpr Word fmOpenWrite = 0x0001;
inline constexpr Word fmOpenReadWrite = 0x0002;
inline constexpr Word fmShareCompat = 0x0000;
inline constexpr Word fmShareExclusive = 0x0010;
inline constexpr Word fmShareDenyWrite = 0x0020;
inline constexpr Word fmShareDenyRead = 0x0030;
inline constexpr Word fmShareDenyNone = 0x0040;

// A file. The share mode holds between processes (and between streams of one process):
// an open that conflicts with the access or the share mode of an open stream fails with
// EFOpenError, as on the host's platform. fmCreate may be combined with a share mode
// (exclusive when none is given).
class TFileStream : public TStream {
  XEL_CLASS(TFileStream, TStream)
public:
  TFileStream(const String& fileName, Word mode);
  ~TFileStream() override;
  Int64 Read(void* buffer, Int64 count) override;
  Int64 Write(const void* buffer, Int64 count) override;
  Int64 Seek(Int64 offset, TSeekOrigin origin) override;
  void SetSize(Int64 newSize) override;
  const String& FileName() const { return FFileName; }
  int Handle() const { return FHandle; }

private:
  String FFileName;
  int FHandle = -1;
  int FLockHandle = -1;
};

// A read-only view of a resource of a module (see Resources.h).
class TResourceStream : public TCustomMemoryStream {
  XEL_CLASS(TResourceStream, TCustomMemoryStream)
public:
  TResourceStream(const void* module, const String& resName, Word resType);
  Int64 Write(const void* buffer, Int64 count) override;
};

}  // namespace xel
