#include "FileSelect.h"

#include "Dialogs.h"
#include "FileTools.h"
#include "InstallFiles.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /install/FileSelect.cpp 1 11.12.26 4:10 XG $")

namespace xel {

bool BrowseForFolder(TCustomMRUComboBox* select, const String& caption) {
  String folder = RemoveBackslash(ExpandHomeFolder(Trim(select->GetFieldText())));
  if (!SelectDirectory(caption, "", folder)) return false;
  select->SetFieldText(RemoveBackslash(folder));
  return true;
}

}  // namespace xel
