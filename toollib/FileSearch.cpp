#include "FileSearch.h"

#include <algorithm>
#include <filesystem>

#include "FileTools.h"
#include "StringTools.h"
#include "Format.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/FileSearch.cpp 1 11.12.26 4:10 XG $")

namespace xel {

namespace fs = std::filesystem;

TFileSearch::TFileSearch(TComponent* owner) : TExComponent(owner), FFiles(std::make_unique<TStringList>()) {}

TFileSearch::~TFileSearch() = default;

void TFileSearch::SetMask(const String& v) {
  FMask = v;
  FMasks.clear();
  size_t start = 0;
  for (;;) {
    const size_t end = v.find(';', start);
    String mask = Trim(v.substr(start, end == String::npos ? String::npos : end - start));
    if (!mask.empty()) FMasks.push_back(std::move(mask));
    if (end == String::npos) break;
    start = end + 1;
  }
}

bool TFileSearch::Matches(const String& name) const {
  if (FMasks.empty()) return true;
  return std::any_of(FMasks.begin(), FMasks.end(), [&](const String& m) { return CompareFilter(m, name); });
}

String TFileSearch::CheckedDirectory() const {
  const String dir = ModifyDirectory(FDirectory);
  if (dir.empty()) throw EFileSearchError(Format("%s.Execute: no folder given", {ClassName()}));
  if (!DirExist(dir)) throw EFileSearchError(Format("%s.Execute: folder %s does not exist", {ClassName(), dir}));
  return dir;
}

Integer TFileSearch::Execute() {
  const String dir = CheckedDirectory();
  FFiles->Clear();
  FCancelled = false;
  FCancelled = !Search(dir);
  return FFiles->Count();
}

bool TFileSearch::FileFound(const String& fileName) {
  FFiles->Add(fileName);
  bool cancel = false;
  OnFileFound(this, fileName, cancel);
  return !cancel;
}

// Links to folders are not followed: they may lead back up the tree or out of it.
bool TFileSearch::Search(const String& folder) {
  std::vector<String> files, folders;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::file_status status = it->symlink_status(ec);
    if (ec) {
      ec.clear();
      continue;
    }
    const String name = it->path().filename().string();
    if (fs::is_directory(status)) {
      folders.push_back(name);
      continue;
    }
    if (fs::is_symlink(status)) {
      std::error_code ignored;
      if (fs::is_directory(it->status(ignored))) continue;
    }
    // Files, links to files and dangling links.
    if (Matches(name)) files.push_back(name);
  }
  std::sort(files.begin(), files.end());
  std::sort(folders.begin(), folders.end());
  const String prefix = folder == "/" ? folder : folder + "/";
  for (const String& f : files)
    if (!FileFound(prefix + f)) return false;
  if (FRecursive)
    for (const String& f : folders)
      if (!Search(prefix + f)) return false;
  FolderDone(folder);
  return true;
}

void RegisterFileSearchClasses() { RegisterClasses({TFileSearch::StaticClass()}); }

}  // namespace xel
