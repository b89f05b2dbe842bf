// The shell's folder picker with an extra edit box under the folder tree that
// shows the path of the selected folder, and a check box that shows or hides
// that edit box. Every Browse button reaches it through ui::seam().PickFolder.
#pragma once
#include <windows.h>

#include <string>

namespace ui {

struct FolderPickRequest;

// Opens the picker owned by owner; the chosen folder's path, or empty when
// cancelled or when the chosen item has no file-system path.
std::string BrowseForFolder(HWND owner, const std::string& title = "Browse Title",
                            const std::string& initialFolder = std::string());

// The seam's folder picker: BrowseForFolder with the request's owner, title
// (the picker's own title when empty) and initial folder.
bool PickFolderWithPicker(ui::FolderPickRequest& request);
// Makes ui::seam().PickFolder show this picker.
void RegisterFolderPicker();

// Keeps edit visible exactly while check is ticked, however the tick changes
// (mouse, keyboard or code): subclasses check until it is destroyed.
void MakeEditFollowCheckBox(HWND check, HWND edit);

} // namespace ui
