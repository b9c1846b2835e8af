#include "FileDelete.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "FileTools.h"
#include "Format.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/FileDelete.cpp 1 11.12.26 4:15 XG $")

namespace xel {

namespace fs = std::filesystem;

namespace {
constexpr std::time_t kSecondsPerDay = 24 * 60 * 60;
}

Integer TFileDelete::Execute() {
  // A mistyped or empty folder must not turn into the current folder or the whole disk.
  const String dir = ModifyDirectory(GetDirectory());
  if (!IsDirNameComplete(dir) || dir == "/")
    throw EFileSearchError(Format("%s.Execute: only an absolute folder other than the root is accepted: '%s'",
                                  {ClassName(), GetDirectory()}));
  FRoot = CheckedDirectory();
  FErrorCount = 0;
  return TFileSearch::Execute();
}

bool TFileDelete::FileFound(const String& fileName) {
  if (FOlderThan > 0) {
    struct stat st {};
    if (lstat(fileName.c_str(), &st) != 0) return true;
    if (std::time(nullptr) - st.st_mtime <= FOlderThan * kSecondsPerDay) return true;
  }
  bool doDelete = true;
  OnDeleteQuery(this, fileName, doDelete);
  if (!doDelete) return true;
  // A link is removed itself, never what it points to.
  if (std::remove(fileName.c_str()) != 0) {
    ++FErrorCount;
    OnDeleteError(this, fileName, String(std::strerror(errno)));
    return true;
  }
  return TFileSearch::FileFound(fileName);
}

void TFileDelete::FolderDone(const String& folder) {
  if (!FDeleteEmptyFolders || folder == FRoot) return;
  std::error_code ec;
  if (fs::is_empty(folder, ec) && !ec) fs::remove(folder, ec);
}

void RegisterFileDeleteClasses() { RegisterClasses({TFileDelete::StaticClass()}); }

}  // namespace xel
