#include "FileTools.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>

#include "DateTime.h"
#include "Expand.h"
#include "Format.h"
#include "Streams.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/FileTools.cpp 1 10.12.26 15:20 XG $")

namespace xel {

namespace fs = std::filesystem;

String AppendBackslash(const String& s) {
  String t = Trim(s);
  return t.empty() ? t : IncludeTrailingPathDelimiter(t);
}

String RemoveBackslash(const String& s) { return ExcludeTrailingPathDelimiter(Trim(s)); }

String ModifyDirectory(const String& s) {
  String t = RemoveBackslash(s);
  if (!t.empty() && t.back() == ':') t += PathDelim;
  return t;
}

bool IsDirNameComplete(const String& s) {
  String t = Trim(s);
  return !t.empty() && t[0] == PathDelim;
}

String ExpandFileNameByDir(const String& fileName, const String& dir) {
  String name = Trim(fileName);
  return IsDirNameComplete(name) ? name : AppendBackslash(dir) + name;
}

String ExpandApplicationDir(const String& fileName) { return ExpandFileNameByDir(fileName, GetApplicationDir()); }

String GetWindowsDir() { return "/etc/"; }
String GetSystemDir() { return "/usr/lib/"; }

String GetApplicationDir() { return ExtractFilePath(GetModuleFileName()); }

String GetModuleName() {
  String module;
  std::uintptr_t offset;
  GetLogicalAddress(reinterpret_cast<const void*>(&GetModuleName), module, offset);
  return module;
}

String GetModuleDir() { return ExtractFilePath(GetModuleName()); }

bool DirExist(const String& dir) {
  String d = Trim(dir);
  return !d.empty() && DirectoryExists(d);
}

bool FileExist(const String& fileName) {
  String f = Trim(fileName);
  struct stat st;
  return !f.empty() && stat(f.c_str(), &st) == 0;
}

bool IsDirEmpty(const String& dir) {
  std::error_code ec;
  fs::directory_iterator it(Trim(dir), ec);
  return !ec && it == fs::directory_iterator();
}

bool HasDirFiles(const String& dir) {
  std::error_code ec;
  for (fs::directory_iterator it(Trim(dir), ec), end; !ec && it != end; it.increment(ec))
    if (!it->is_directory(ec)) return true;
  return false;
}

bool CreateDirRecurse(const String& dir) {
  String d = Trim(dir);
  if (d.empty()) return false;
  d = ExcludeTrailingPathDelimiter(ExpandFileName(d));
  if (DirectoryExists(d)) return true;
  std::vector<String> missing;  // deepest first
  for (String p = d; p.size() > 1 && !FileExist(p); p = ExtractFileDir(p)) missing.push_back(p);
  if (ForceDirectories(d) && DirectoryExists(d)) return true;
  for (const String& m : missing) rmdir(m.c_str());  // only the empty folders of this attempt go
  return false;
}

bool ClearDirectory(const String& dir, TClearDirectoryMode mode) {
  if (!IsDirNameComplete(dir)) throw Exception("ClearDirectory failed. A complete folder location must be specified");
  String d = ExpandFileName(RemoveBackslash(dir));
  if (d == "/") throw Exception("ClearDirectory failed. The root folder cannot be cleared");
  std::error_code ec;
  switch (mode) {
    case cdErase:
      fs::remove_all(d, ec);  // symbolic links go themselves; what they point to stays
      return !FileExist(d);
    case cdClear:
      for (fs::directory_iterator it(d, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ignored;
        fs::remove_all(it->path(), ignored);
      }
      return DirExist(d) && IsDirEmpty(d);
    case cdFlat:
      for (fs::directory_iterator it(d, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ignored;
        if (!it->is_directory(ignored)) fs::remove(it->path(), ignored);
      }
      return DirExist(d) && !HasDirFiles(d);
  }
  return false;
}

String MakeValidFileName(const String& name) {
  String r = Trim(name);
  if (r.empty()) return "noname";
  for (char& c : r)
    if (String("<>:\"/\\|?*").find(c) != String::npos) c = '_';
  return r;
}

String MakeUniqueFileName(const String& fileName) {
  if (!FileExist(fileName)) return fileName;
  String folder = ExtractFilePath(fileName);
  String ext = ExtractFileExt(fileName);
  String base = ExtractFileName(fileName);
  base = MakeValidFileName(base.substr(0, base.size() - ext.size()));
  for (int n = 2;; ++n) {
    String candidate = folder + base + "_" + IntToStr(n) + ext;
    if (!FileExist(candidate)) return candidate;
  }
}

void CreateTempFile(String& fileName) { CreateTempFileEx(GetTempDir(), "Xel", fileName); }

void CreateTempFileEx(const String& dir, const String& prefix, String& fileName) {
  try {
    fileName = GetTempFileName(dir, prefix);
  } catch (const EInOutError& e) {
    throw EInOutError(Format("CreateTempFileEx failed. Windows error code: %d", {e.ErrorCode}), e.ErrorCode);
  }
}

String ShortPath(const String& path, int maxLen) {
  if (maxLen < 8) throw Exception("ShortPath failed. MaxLen must be larger than 7");
  String p = Trim(path);
  if (static_cast<int>(p.size()) <= maxLen) return p;
  // A network path keeps its double delimiter, which the budget must leave room for.
  bool network = p.starts_with("//");
  if (network) {
    p.erase(0, 1);
    --maxLen;
  }
  std::vector<size_t> delims;
  for (size_t i = 0; i < p.size(); ++i)
    if (p[i] == PathDelim) delims.push_back(i);
  auto joined = [&](size_t headEnd, size_t tailStart) { return p.substr(0, headEnd + 1) + "..." + p.substr(tailStart); };
  auto fits = [&](const String& s) { return static_cast<int>(s.size()) <= maxLen; };
  String r;
  bool found = false;
  if (delims.size() >= 3) {
    size_t tail = delims[delims.size() - 2];  // the last folder and the file name
    for (size_t j = delims.size() - 2; j-- > 0 && !found;) {
      r = joined(delims[j], tail);
      found = fits(r);
    }
  }
  if (!found) {
    r = delims.size() >= 2 ? joined(delims.front(), delims.back()) : p;
    if (!fits(r)) r = r.substr(0, static_cast<size_t>(maxLen - 3)) + "...";
  }
  return network ? "/" + r : r;
}

Int64 GetFileSize(const String& fileName) {
  struct stat st;
  if (stat(fileName.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return static_cast<Int64>(st.st_size);
}

Integer GetDirSize(const String& dir) {
  Int64 sum = 0;
  std::error_code ec;
  for (fs::directory_iterator it(Trim(dir), ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code ignored;
    if (it->is_regular_file(ignored)) {
      std::uintmax_t size = it->file_size(ignored);
      if (!ignored) sum += static_cast<Int64>(size);
      if (sum >= INT_MAX) return INT_MAX;
    }
  }
  return static_cast<Integer>(sum);
}

Int64 GetFreeDriveSpace(const String& path) {
  String p = ExpandFileName(Trim(path));
  while (p.size() > 1 && !FileExist(p)) p = ExtractFileDir(p);
  return DiskFree(p);
}

void CopyFileEx(const String& source, const String& dest) {
  TFileStream in(source, fmOpenRead | fmShareDenyWrite);
  if (FileExists(dest) && FileIsReadOnly(dest))
    throw EFCreateError(Format("Cannot create file \"%s\". The file is read-only", {dest}));
  String temp;
  try {
    temp = GetTempFileName(ExtractFilePath(ExpandFileName(dest)), "." + ExtractFileName(dest) + ".");
  } catch (const EInOutError& e) {
    throw EFCreateError(Format("Cannot create file \"%s\". %s", {dest, String(std::strerror(e.ErrorCode))}));
  }
  bool done = false;
  TFinally cleanUp([&] {
    if (!done) DeleteFile(temp);
  });
  {
    TFileStream out(temp, fmOpenWrite | fmShareExclusive);
    out.CopyFrom(&in, 0);
  }
  // The temporary file was made private; the copy gets the permissions of a new file.
  mode_t mask = umask(0);
  umask(mask);
  chmod(temp.c_str(), 0666 & ~mask);
  if (FileIsReadOnly(source)) FileSetReadOnly(temp, true);
  if (!RenameFile(temp, dest))
    throw EFCreateError(Format("Cannot create file \"%s\". %s", {dest, String(std::strerror(errno))}));
  done = true;
}

String LogTimeStamp() { return FormatDateTime("yyyy\"-\"mm\"-\"dd hh\":\"nn\":\"ss", Now()); }

void LogToFile(const String& fileName, const String& text) {
  String line = LogTimeStamp();
  if (!text.empty()) line += " " + text;
  line += "\r\n";
  bool exists = FileExists(fileName);
  // fmCreate alone is exclusive; its high byte carries a share mode.
  TFileStream f(fileName, Word(exists ? fmOpenWrite | fmShareDenyWrite : (fmCreate & 0xFF00) | fmShareDenyWrite));
  f.Seek(0, soEnd);
  f.WriteBuffer(line.data(), static_cast<Int64>(line.size()));
}

}  // namespace xel
