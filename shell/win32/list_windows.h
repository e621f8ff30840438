#pragma once

#include <memory>

#include "shell/form/browser_controls.h"
#include "shell/win32/binding.h"

namespace shell::win32 {

// Drive1: a drop-down list of the drives, read again each time it opens.
std::unique_ptr<Binding> BindDriveList(DriveList& model, const ChildSlot& slot);
// Dir1: the folder chain and the subfolders, indented, each with its icon.
std::unique_ptr<Binding> BindFolderList(FolderList& model, const ChildSlot& slot);
// File1: the entries are drawn from the model only when on screen, so a folder of a hundred
// thousand logos lists at once.
std::unique_ptr<Binding> BindFileList(FileList& model, const ChildSlot& slot);

}  // namespace shell::win32
