// Deletes the files that a file search finds (old log files, left-over temporary files):
// optionally only those older than some days, each one after OnDeleteQuery agreed, and
// optionally the subfolders it left empty. A file that cannot be deleted is reported
// through OnDeleteError and the run goes on.
#pragma once

#include "FileSearch.h"

namespace xel {

XEL_EVENT(TDeleteQueryEvent, TObject* /*Sender*/, const String& /*FileName*/, bool& /*DoDelete*/);
XEL_EVENT(TDeleteErrorEvent, TObject* /*Sender*/, const String& /*FileName*/, const String& /*Message*/);

class TFileDelete : public TFileSearch {
  XEL_CLASS(TFileDelete, TFileSearch)
public:
  explicit TFileDelete(TComponent* owner) : TFileSearch(owner) { SetRecursive(false); }

  // Deletes what the search finds; Files then holds the deleted files and the result is
  // their number. Only an absolute folder other than the root is accepted (EFileSearchError).
  Integer Execute();
  // What could not be deleted in the last run.
  Integer ErrorCount() const { return FErrorCount; }

  // Only files last written more than this many days ago; 0 takes every age.
  Integer GetOlderThan() const { return FOlderThan; }
  void SetOlderThan(Integer v) { FOlderThan = v < 0 ? 0 : v; }
  // Removes the subfolders that the run left empty (never the searched folder itself).
  bool GetDeleteEmptyFolders() const { return FDeleteEmptyFolders; }
  void SetDeleteEmptyFolders(bool v) { FDeleteEmptyFolders = v; }

  TDeleteQueryEvent OnDeleteQuery;
  TDeleteErrorEvent OnDeleteError;

  static auto Published() {
    using C = TFileDelete;
    return PropTable<C>(Prop("Recursive", &C::GetRecursive, &C::SetRecursive).Default(false),
                        Prop("OlderThan", &C::GetOlderThan, &C::SetOlderThan).Default(0),
                        Prop("DeleteEmptyFolders", &C::GetDeleteEmptyFolders, &C::SetDeleteEmptyFolders).Default(false),
                        Prop("OnDeleteQuery", &C::OnDeleteQuery, &C::OnDeleteQuery),
                        Prop("OnDeleteError", &C::OnDeleteError, &C::OnDeleteError));
  }

protected:
  bool FileFound(const String& fileName) override;
  void FolderDone(const String& folder) override;

private:
  String FRoot;
  Integer FOlderThan = 0;
  bool FDeleteEmptyFolders = false;
  Integer FErrorCount = 0;
};

void RegisterFileDeleteClasses();

}  // namespace xel
