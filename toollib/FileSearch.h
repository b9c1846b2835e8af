// Finds the files below a folder whose names match one of a list of masks, folder by
// folder in name order; each find goes through OnFileFound, which may stop the search.
#pragma once

#include <memory>

#include "Expand.h"
#include "StringList.h"

namespace xel {

XEL_EXCEPTION(EFileSearchError, Exception);
XEL_EVENT(TFileFoundEvent, TObject* /*Sender*/, const String& /*FileName*/, bool& /*Cancel*/);

class TFileSearch : public TExComponent {
  XEL_CLASS(TFileSearch, TExComponent)
public:
  explicit TFileSearch(TComponent* owner);
  ~TFileSearch() override;

  // Searches anew: Files then holds the full names found, and the result is their number.
  // Raises EFileSearchError when Directory is empty or no folder.
  Integer Execute();
  TStrings* Files() const { return FFiles.get(); }
  // Whether the last search was stopped by OnFileFound.
  bool Cancelled() const { return FCancelled; }
  // Whether a file name (without folder) matches one of the masks.
  bool Matches(const String& name) const;

  const String& GetDirectory() const { return FDirectory; }
  void SetDirectory(const String& v) { FDirectory = v; }
  // Masks with * and ?, separated by ";" ("*.cfg;*.ini"); empty matches every file.
  const String& GetMask() const { return FMask; }
  void SetMask(const String& v);
  bool GetRecursive() const { return FRecursive; }
  void SetRecursive(bool v) { FRecursive = v; }

  TFileFoundEvent OnFileFound;

  static auto Published() {
    using C = TFileSearch;
    return PropTable<C>(Prop("Directory", &C::GetDirectory, &C::SetDirectory),
                        Prop("Mask", &C::GetMask, &C::SetMask),
                        Prop("Recursive", &C::GetRecursive, &C::SetRecursive).Default(true),
                        Prop("OnFileFound", &C::OnFileFound, &C::OnFileFound));
  }

protected:
  // A matching file: kept in Files and reported; false stops the search.
  virtual bool FileFound(const String& fileName);
  // A folder whose files and subfolders are done (the searched folder last).
  virtual void FolderDone(const String& folder) { (void)folder; }
  // The searched folder, checked and without trailing delimiter.
  String CheckedDirectory() const;

private:
  bool Search(const String& folder);

  std::unique_ptr<TStringList> FFiles;
  String FDirectory;
  String FMask = "*";
  std::vector<String> FMasks{"*"};
  bool FRecursive = true;
  bool FCancelled = false;
};

void RegisterFileSearchClasses();

}  // namespace xel
