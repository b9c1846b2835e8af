// The installer's folder selector: a history combo box whose button opens the system's
// folder chooser at the box's folder and puts the chosen folder into the box.
#pragma once

#include "MRUComboBox.h"

namespace xel {

// False when the chooser was cancelled; the box is then left as it was.
bool BrowseForFolder(TCustomMRUComboBox* select, const String& caption);

}  // namespace xel
