#include "LogFile.h"

#include <unistd.h>
#include <zlib.h>

#include <random>

#include "ConvertTools.h"
#include "StringTools.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/LogFile.cpp 1 10.12.26 15:30 XG $")

namespace xel {

namespace {
constexpr LongWord kChecksumKey = 0x5D2B7A14;
// fmCreate alone is exclusive; its high byte carries a share mode.
constexpr Word kCreateDenyWrite = (fmCreate & 0xFF00) | fmShareDenyWrite;

String BaseFolder(TLogFileDir dir) {
  switch (dir) {
    case fdApplication: return GetApplicationDir();
    case fdTemporary: return GetTempDir();
    case fdWindows: return GetWindowsDir();
    case fdSystem: return GetSystemDir();
  }
  return {};
}
}  // namespace

TLogFile::TLogFile(TComponent* owner) : TExComponent(owner) {}

TLogFile::~TLogFile() { CloseFile(); }

bool TLogFile::CreateFile() { return OpenFile(false); }

void TLogFile::CloseFile() {
  FStream.reset();
  FCreating = false;
  FChainStarted = false;
  FFullFileName.clear();
}

void TLogFile::SetChecksum(bool v) {
  FChecksum = v;
  if (!v) FChainStarted = false;  // switched on again, it starts a new chain
}

Integer TLogFile::RandomIdentifier() {
  std::random_device rd;
  return std::uniform_int_distribution<Integer>(0, 0x7FFFFFFE)(rd);
}

bool TLogFile::OpenFile(bool ignoreErrors) {
  if (FStream) return true;
  if (!FEnabled || Trim(FFileName).empty()) return false;
  FCreating = true;
  bool created = false;
  try {
    String full = ExpandFileNameByDir(FFileName, BaseFolder(FDirectory));
    if (FMode == fmCreateUniqueFile) full = MakeUniqueFileName(full);
    if (!CreateDirRecurse(ExtractFilePath(full))) throw EInOutError("Directory structure could not be created");
    bool append = FMode == fmOpenFile && FileExists(full);
    if (FileExists(full)) FileSetReadOnly(full, false);
    FStream = std::make_unique<TFileStream>(full, append ? Word(fmOpenReadWrite | fmShareDenyWrite) : kCreateDenyWrite);
    created = !append;
    if (append) FStream->Seek(0, soEnd);
    FFullFileName = full;
    FCreating = false;
    if (FChecksum) StartChain();
    return true;
  } catch (...) {
    String full = FFullFileName;
    CloseFile();
    if (created && !full.empty()) DeleteFile(full);  // no file without its identifier line
    if (ignoreErrors) return false;
    try {
      throw;
    } catch (const EInOutError&) {
      throw;
    } catch (...) {
      throw EInOutError("Error creating log file");
    }
  }
}

void TLogFile::StartChain() {
  String id;
  do {
    id = FillStrEx(IntToSys(static_cast<std::uint64_t>(RandomIdentifier()), 17), '0', 8, true);
  } while (id.find('G') != String::npos);
  FChecksumState = static_cast<LongWord>(SysToInt(id, 17));
  FChainStarted = true;
  WriteValue("#" + id);
}

void TLogFile::WriteValue(const Variant& value) {
  String line = VarToStr(value);
  if (FTimeStamp) line = line.empty() ? LogTimeStamp() : LogTimeStamp() + " " + line;
  WriteLine(line + "\r\n");
}

// With checksums on, the time stamp is chained like any other line, so that no line of a
// checked log can be changed unnoticed.
void TLogFile::WriteTimeStamp() { WriteLine(LogTimeStamp() + "\r\n"); }

void TLogFile::WriteLine(String line) {
  if (!FEnabled || FCreating) return;
  // Opened first: the identifier line that opening writes seeds the checksum of this line.
  if (!OpenFile(FIgnoreErrors)) return;
  if (FChecksum) {
    if (!FChainStarted) StartChain();
    LongWord s = FChecksumState;
    for (size_t i = 0; i < line.size(); ++i)
      s += static_cast<LongWord>(static_cast<Byte>(line[i])) * static_cast<LongWord>(i + 1);
    // zlib inverts the register on entry and on exit; handing it the complement of s
    // starts the register at s itself.
    auto c = static_cast<LongWord>(crc32_z(~s, reinterpret_cast<const Bytef*>(line.data()), line.size()));
    line = IntToHex(c, 8) + " " + line;
    FChecksumState = ~(c ^ s ^ kChecksumKey);
  }
  WriteString(line);
}

void TLogFile::WriteString(const String& s) {
  if (!FEnabled || FCreating) return;
  if (!OpenFile(FIgnoreErrors)) return;
  FStream->WriteBuffer(s.data(), static_cast<Int64>(s.size()));
}

TKeepDirectory::TKeepDirectory(TComponent* owner) : TComponent(owner), FDirectory(GetCurrentDir()) {}

TKeepDirectory::~TKeepDirectory() {
  // A folder that has gone meanwhile leaves the current one as it is.
  if (!FDirectory.empty() && chdir(FDirectory.c_str()) != 0) return;
}

void RegisterLogFileClasses() { RegisterClasses({TLogFile::StaticClass(), TKeepDirectory::StaticClass()}); }

}  // namespace xel
