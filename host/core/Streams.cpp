#include "Streams.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "Filer.h"
#include "Format.h"
#include "Resources.h"

namespace xel {

// ---- TStream -----------------------------------------------------------------------------

void TStream::SetSize(Int64) {}

void TStream::ReadBuffer(void* buffer, Int64 count) {
  if (count < 0 || (count != 0 && Read(buffer, count) != count)) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, Int64 count) {
  if (count < 0 || (count != 0 && Write(buffer, count) != count)) throw EWriteError("Stream write error");
}

Int64 TStream::Size() {
  Int64 pos = Seek(0, soCurrent);
  Int64 size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

Int64 TStream::CopyFrom(TStream* source, Int64 count) {
  if (count == 0) {
    source->SetPosition(0);
    count = source->Size();
  }
  Int64 result = count;
  std::vector<Byte> buf(static_cast<size_t>(count < 65536 ? (count > 0 ? count : 1) : 65536));
  while (count > 0) {
    Int64 n = count < static_cast<Int64>(buf.size()) ? count : static_cast<Int64>(buf.size());
    source->ReadBuffer(buf.data(), n);
    WriteBuffer(buf.data(), n);
    count -= n;
  }
  return result;
}

TComponent* TStream::ReadComponent(TComponent* instance) {
  TReader reader(this);
  return reader.ReadRootComponent(instance);
}

void TStream::WriteComponent(TComponent* instance) { WriteDescendent(instance, nullptr); }

void TStream::WriteDescendent(TComponent* instance, TComponent* ancestor) {
  TWriter writer(this);
  writer.WriteDescendent(instance, ancestor);
}

void TStream::WriteResourceHeader(const String& resName, Int64& fixupInfo) {
  String name = UpperCase(resName.substr(0, 63));
  String header("\xFF\x0A\x00", 3);
  header += name;
  header += String("\x00\x30\x10\x00\x00\x00\x00", 7);
  WriteBuffer(header.data(), static_cast<Int64>(header.size()));
  fixupInfo = Position();
}

void TStream::FixupResourceHeader(Int64 fixupInfo) {
  Int64 end = Position();
  auto size = static_cast<std::uint32_t>(end - fixupInfo);
  Byte b[4] = {static_cast<Byte>(size), static_cast<Byte>(size >> 8), static_cast<Byte>(size >> 16),
               static_cast<Byte>(size >> 24)};
  SetPosition(fixupInfo - 4);
  WriteBuffer(b, 4);
  SetPosition(end);
}

String TStream::ReadResHeader(Int64* dataSize) {
  auto invalid = [] { return EInvalidImage("Invalid stream format"); };
  Byte b[3];
  if (Read(b, 3) != 3 || b[0] != 0xFF || b[1] != 10 || b[2] != 0) throw invalid();
  String name;
  for (;;) {
    char c;
    if (Read(&c, 1) != 1) throw invalid();
    if (c == 0) break;
    if (name.size() >= 255) throw invalid();
    name += c;
  }
  Byte rest[6];
  if (Read(rest, 6) != 6) throw invalid();
  Int64 size = rest[2] | (rest[3] << 8) | (rest[4] << 16) | (static_cast<Int64>(rest[5]) << 24);
  if (dataSize) *dataSize = size;
  return name;
}

TComponent* TStream::ReadComponentRes(TComponent* instance) {
  ReadResHeader();
  return ReadComponent(instance);
}

void TStream::WriteComponentRes(const String& resName, TComponent* instance) {
  WriteDescendentRes(resName, instance, nullptr);
}

void TStream::WriteDescendentRes(const String& resName, TComponent* instance, TComponent* ancestor) {
  Int64 fixup;
  WriteResourceHeader(resName, fixup);
  WriteDescendent(instance, ancestor);
  FixupResourceHeader(fixup);
}

// ---- memory streams ------------------------------------------------------------------------

Int64 TCustomMemoryStream::Read(void* buffer, Int64 count) {
  if (count <= 0 || FPosition >= FSize) return 0;
  Int64 n = FSize - FPosition < count ? FSize - FPosition : count;
  std::memcpy(buffer, FMemory + FPosition, static_cast<size_t>(n));
  FPosition += n;
  return n;
}

Int64 TCustomMemoryStream::Seek(Int64 offset, TSeekOrigin origin) {
  Int64 base = origin == soBeginning ? 0 : origin == soCurrent ? FPosition : FSize;
  Int64 pos = base + offset;
  if (pos < 0) throw EStreamError("Invalid stream position");
  FPosition = pos;
  return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream* stream) { stream->WriteBuffer(FMemory, FSize); }

void TCustomMemoryStream::SaveToFile(const String& fileName) {
  TFileStream f(fileName, fmCreate);
  SaveToStream(&f);
}

Int64 TMemoryStream::Write(const void* buffer, Int64 count) {
  if (count <= 0) return 0;
  Int64 end = FPosition + count;
  if (end > static_cast<Int64>(FData.size())) FData.resize(static_cast<size_t>(end));
  std::memcpy(FData.data() + FPosition, buffer, static_cast<size_t>(count));
  FPosition = end;
  if (end > FSize) FSize = end;
  FMemory = FData.data();
  return count;
}

void TMemoryStream::SetSize(Int64 newSize) {
  if (newSize < 0) throw EStreamError("Invalid stream size");
  FData.resize(static_cast<size_t>(newSize));
  SetPointer(FData.data(), newSize);
  if (FPosition > newSize) FPosition = newSize;
}

void TMemoryStream::Clear() {
  FData.clear();
  SetPointer(nullptr, 0);
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* stream) {
  stream->SetPosition(0);
  Int64 n = stream->Size();
  SetSize(n);
  if (n) stream->ReadBuffer(FData.data(), n);
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(const String& fileName) {
  TFileStream f(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&f);
}

Int64 TStringStream::Read(void* buffer, Int64 count) {
  Int64 size = static_cast<Int64>(FData.size());
  if (count <= 0 || FPosition >= size) return 0;
  Int64 n = size - FPosition < count ? size - FPosition : count;
  std::memcpy(buffer, FData.data() + FPosition, static_cast<size_t>(n));
  FPosition += n;
  return n;
}

Int64 TStringStream::Write(const void* buffer, Int64 count) {
  if (count <= 0) return 0;
  Int64 end = FPosition + count;
  if (end > static_cast<Int64>(FData.size())) FData.resize(static_cast<size_t>(end));
  std::memcpy(FData.data() + FPosition, buffer, static_cast<size_t>(count));
  FPosition = end;
  return count;
}

Int64 TStringStream::Seek(Int64 offset, TSeekOrigin origin) {
  Int64 base = origin == soBeginning ? 0 : origin == soCurrent ? FPosition : static_cast<Int64>(FData.size());
  Int64 pos = base + offset;
  if (pos < 0) throw EStreamError("Invalid stream position");
  FPosition = pos;
  return FPosition;
}

void TStringStream::SetSize(Int64 newSize) {
  FData.resize(static_cast<size_t>(newSize));
  if (FPosition > newSize) FPosition = newSize;
}

String TStringStream::ReadString(Int64 count) {
  Int64 left = static_cast<Int64>(FData.size()) - FPosition;
  if (count > left) count = left;
  if (count <= 0) return {};
  String r = FData.substr(static_cast<size_t>(FPosition), static_cast<size_t>(count));
  FPosition += count;
  return r;
}

// ---- TFileStream ---------------------------------------------------------------------------

namespace {

// Sharing between opens is kept in open-file-description locks on four bytes far beyond
// any data: a shared lock on each byte says "I have read (write) access" or "I deny
// read (write)". An open checks the bytes of what it asks for and what it denies against
// everyone else's, and a short flock on the file makes check-and-take one step.
constexpr off_t ShareBase = static_cast<off_t>(0x7FFFFFFF00000000LL);
enum { HasRead = 0, HasWrite = 1, DenyRead = 2, DenyWrite = 3 };

bool HeldByOthers(int fd, int which) {
  struct flock fl {};
  fl.l_type = F_WRLCK;
  fl.l_whence = SEEK_SET;
  fl.l_start = ShareBase + which;
  fl.l_len = 1;
  if (fcntl(fd, F_OFD_GETLK, &fl) != 0) return false;
  return fl.l_type != F_UNLCK;
}

bool Hold(int fd, int which) {
  struct flock fl {};
  fl.l_type = F_RDLCK;
  fl.l_whence = SEEK_SET;
  fl.l_start = ShareBase + which;
  fl.l_len = 1;
  return fcntl(fd, F_OFD_SETLK, &fl) == 0;
}

String OsError(int err) { return std::strerror(err); }

}  // namespace

TFileStream::TFileStream(const String& fileName, Word mode) : FFileName(fileName) {
  bool create = (mode & 0xFF00) == 0xFF00 || mode == fmCreate;
  Word access = create ? fmOpenReadWrite : (mode & 0x0003);
  Word share = mode & 0x00F0;
  if (create && (mode == fmCreate)) share = fmShareExclusive;
  if (share == fmShareCompat) share = fmShareDenyNone;
  bool wantRead = access == fmOpenRead || access == fmOpenReadWrite;
  bool wantWrite = access == fmOpenWrite || access == fmOpenReadWrite;
  bool denyRead = share == fmShareExclusive || share == fmShareDenyRead;
  bool denyWrite = share == fmShareExclusive || share == fmShareDenyWrite;

  int flags = O_CLOEXEC | (wantRead && wantWrite ? O_RDWR : wantWrite ? O_WRONLY : O_RDONLY);
  if (create) flags |= O_CREAT;
  FHandle = ::open(fileName.c_str(), flags, 0666);
  if (FHandle < 0) {
    int err = errno;
    if (create) throw EFCreateError(Format("Cannot create file \"%s\". %s", {fileName, OsError(err)}));
    throw EFOpenError(Format("Cannot open file \"%s\". %s", {fileName, OsError(err)}));
  }
  // Shared locks need a readable descriptor: a write-only stream keeps its locks on a
  // second, read-only one.
  int lockFd = FHandle;
  if (!wantRead) {
    FLockHandle = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    lockFd = FLockHandle;
  }
  bool held = true;
  if (lockFd >= 0) {
    ::flock(lockFd, LOCK_EX);
    bool conflict = (wantRead && HeldByOthers(lockFd, DenyRead)) || (wantWrite && HeldByOthers(lockFd, DenyWrite)) ||
                    (denyRead && HeldByOthers(lockFd, HasRead)) || (denyWrite && HeldByOthers(lockFd, HasWrite));
    held = !conflict && (!wantRead || Hold(lockFd, HasRead)) && (!wantWrite || Hold(lockFd, HasWrite)) &&
           (!denyRead || Hold(lockFd, DenyRead)) && (!denyWrite || Hold(lockFd, DenyWrite));
    ::flock(lockFd, LOCK_UN);
  }
  if (!held) {
    ::close(FHandle);
    FHandle = -1;
    if (FLockHandle >= 0) ::close(FLockHandle);
    FLockHandle = -1;
    String reason = "The process cannot access the file because it is being used by another process";
    if (create) throw EFCreateError(Format("Cannot create file \"%s\". %s", {fileName, reason}));
    throw EFOpenError(Format("Cannot open file \"%s\". %s", {fileName, reason}));
  }
  // Truncate only once the file is ours, so that a refused fmCreate destroys nothing.
  if (create && ::ftruncate(FHandle, 0) != 0) {
    int err = errno;
    ::close(FHandle);
    FHandle = -1;
    throw EFCreateError(Format("Cannot create file \"%s\". %s", {fileName, OsError(err)}));
  }
}

TFileStream::~TFileStream() {
  if (FHandle >= 0) ::close(FHandle);
  if (FLockHandle >= 0) ::close(FLockHandle);
}

Int64 TFileStream::Read(void* buffer, Int64 count) {
  Int64 total = 0;
  auto* p = static_cast<char*>(buffer);
  while (total < count) {
    ssize_t n = ::read(FHandle, p + total, static_cast<size_t>(count - total));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    total += n;
  }
  return total;
}

Int64 TFileStream::Write(const void* buffer, Int64 count) {
  Int64 total = 0;
  auto* p = static_cast<const char*>(buffer);
  while (total < count) {
    ssize_t n = ::write(FHandle, p + total, static_cast<size_t>(count - total));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    total += n;
  }
  return total;
}

Int64 TFileStream::Seek(Int64 offset, TSeekOrigin origin) {
  int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
  off_t r = ::lseek(FHandle, static_cast<off_t>(offset), whence);
  if (r < 0) throw EStreamError(Format("Seek error on \"%s\". %s", {FFileName, OsError(errno)}));
  return r;
}

void TFileStream::SetSize(Int64 newSize) {
  if (::ftruncate(FHandle, static_cast<off_t>(newSize)) != 0)
    throw EStreamError(Format("Cannot resize \"%s\". %s", {FFileName, OsError(errno)}));
  if (Position() > newSize) SetPosition(newSize);
}

// ---- TResourceStream -------------------------------------------------------------------------

TResourceStream::TResourceStream(const void* module, const String& resName, Word resType) {
  const TResourceEntry* res = FindResource(module, resName, resType);
  if (!res) throw EResNotFound(Format("Resource %s not found", {resName}));
  SetPointer(res->Data, static_cast<Int64>(res->Size));
}

Int64 TResourceStream::Write(const void*, Int64) {
  throw EStreamError("Can't write to a read-only resource stream");
}

}  // namespace xel
