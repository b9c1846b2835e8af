// File and folder functions of the tool library: path completion, well-known folders,
// existence tests, recursive creation, folder clearing, valid and unique names, temporary
// files, sizes, copying, and one-line logs.
//
// Paths are POSIX paths: the "backslash" of the function names is the platform's delimiter
// "/", and a complete path is an absolute one. A drive such as "C:" has no meaning here; a
// path that names one is an ordinary relative path.
#pragma once

#include "Platform.h"

namespace xel {

enum TClearDirectoryMode { cdErase, cdClear, cdFlat };

// The trimmed s with a delimiter at its end (an empty s stays empty).
String AppendBackslash(const String& s);
// The trimmed s without one trailing delimiter ("/" itself stays).
String RemoveBackslash(const String& s);
// RemoveBackslash, keeping the delimiter behind a drive ("C:/").
String ModifyDirectory(const String& s);
bool IsDirNameComplete(const String& s);
// The trimmed file name when complete, else appended to dir.
String ExpandFileNameByDir(const String& fileName, const String& dir);
String ExpandApplicationDir(const String& fileName);

// Well-known folders, each with a trailing delimiter. The host's "Windows" folder is the
// system's configuration folder (/etc/), its "system" folder the system's library folder
// (/usr/lib/); the temporary folder is GetTempDir of the platform services.
String GetWindowsDir();
String GetSystemDir();
String GetApplicationDir();
// The shared library that holds this code, and its folder.
String GetModuleName();
String GetModuleDir();

bool DirExist(const String& dir);
// Anything of that name, file or folder.
bool FileExist(const String& fileName);
// False also when the folder cannot be read: what cannot be seen is not called empty.
bool IsDirEmpty(const String& dir);
bool HasDirFiles(const String& dir);
// Creates the folder with all missing parents; on failure the folders it made are removed
// again. True when the folder exists afterwards.
bool CreateDirRecurse(const String& dir);
// cdErase removes the folder with everything in it, cdClear everything in it, cdFlat the
// files directly in it; the result tells whether that state was reached. Only absolute
// folders other than the root are accepted.
bool ClearDirectory(const String& dir, TClearDirectoryMode mode);

// The nine characters that no file name of the host may hold become "_"; empty gives "noname".
String MakeValidFileName(const String& name);
// fileName when nothing of that name exists, else the first free folder/base_n.ext, n = 2, 3, ...
String MakeUniqueFileName(const String& fileName);
// A new empty file with a name of the platform's secure choice (the temporary folder, prefix "Xel").
void CreateTempFile(String& fileName);
void CreateTempFileEx(const String& dir, const String& prefix, String& fileName);

// A path shortened for display to at most maxLen characters (at least 8) by putting "..." in
// place of its middle folders.
String ShortPath(const String& path, int maxLen);

// -1 when there is no such file.
Int64 GetFileSize(const String& fileName);
// The files directly in the folder (no subfolders); capped at the largest Integer.
Integer GetDirSize(const String& dir);
// Free bytes on the file system that holds the path (or its nearest existing parent); -1 when unknown.
Int64 GetFreeDriveSpace(const String& path);
// Copies through a temporary file beside dest, so that a failure leaves dest as it was; the
// copy is read-only when the source is. A read-only dest is not replaced (EFCreateError).
void CopyFileEx(const String& source, const String& dest);

// The current time as logs print it: "2026-12-10 14:57:00".
String LogTimeStamp();
// Appends one line (the time stamp, a blank and text when text is not empty, CR LF), creating
// the file when missing.
void LogToFile(const String& fileName, const String& text);

}  // namespace xel
