#pragma once
// The "Open" dialog for a picture file. While it runs its window is published,
// so that the main window can close it (it then ends as if cancelled).
#include <windows.h>

#include <string>

// True with the chosen file's full path; false when cancelled or closed.
bool RunPictureFileDialog(HWND owner, std::string* path);
