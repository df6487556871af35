#pragma once
// A resident feature hosted by the main window (the break reminder, the screen
// filter). The main window owns the tray, the monitor records and the message
// routing; a feature hears about the moments it needs and may claim timers and
// tray commands of its own.
#include <windows.h>

class CVistrelDlg;

class CShellFeature {
public:
    virtual ~CShellFeature() = default;

    // Main window initialisation, after the monitor records, tabs and tray exist.
    virtual void OnStart(CVistrelDlg& mainWindow) {}
    // WM_DISPLAYCHANGE, before the settle timer runs: monitor rectangles are stale.
    virtual void OnDisplayChange(CVistrelDlg& mainWindow) {}
    // After the settle timer rebuilt the records.
    virtual void OnMonitorsRebuilt(CVistrelDlg& mainWindow) {}
    virtual void OnSessionUnlock(CVistrelDlg& mainWindow) {}
    virtual void OnSuspend(CVistrelDlg& mainWindow) {}
    virtual void OnResume(CVistrelDlg& mainWindow) {}
    // "Keep On Top" was switched off: windows that must stay above everything
    // are raised again.
    virtual void OnTopmostDropped(CVistrelDlg& mainWindow) {}
    virtual void OnEndSession(CVistrelDlg& mainWindow) {}
    // "E&xit", before the main window is destroyed.
    virtual void OnExit(CVistrelDlg& mainWindow) {}
    // WM_DESTROY of the main window.
    virtual void OnDestroy(CVistrelDlg& mainWindow) {}
    // True when the feature owns the timer or command.
    virtual bool OnTimer(CVistrelDlg& mainWindow, UINT_PTR id) { return false; }
    virtual bool OnCommand(CVistrelDlg& mainWindow, int id) { return false; }
};
