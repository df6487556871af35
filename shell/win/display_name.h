#pragma once
#include <windows.h>

#include <string>

class CMonitorStatus;

// Display device name ("\\.\DISPLAY2") of the monitor under the cursor (byCursor)
// or of the monitor that holds the window. Without a window it waits up to five
// seconds for the main window (class "VISTREL") to exist. *name is left alone
// when no monitor was found; a given window on no monitor gives "".
void DisplayNameOfWindow(HWND window, bool byCursor, std::string* name);

bool IsDisplayOfRecord(const std::string& name, const CMonitorStatus* record);
