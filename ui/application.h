#pragma once
// The program's application object and its message loop. Before a message is
// dispatched it goes through the pre-translate chain: the registered filters, then
// every framework dialog from the target window up through its parents (a page sees
// its keys before the window that hosts it), then IsDialogMessage of the modeless
// dialog at the root, so Tab and Enter work in modeless dialogs too.
#include <windows.h>

namespace ui {

class MessageFilter {
public:
    virtual ~MessageFilter() = default;
    // True when the message was handled and must not be dispatched.
    virtual bool PreTranslateMessage(MSG& message) = 0;
};

class Application {
public:
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The one application object of the process, or null when there is none.
    static Application* Current();

    // InitInstance, the message loop while it succeeded, then ExitInstance; the result
    // is the process exit code.
    int Run();
    virtual bool InitInstance() { return true; }
    virtual int ExitInstance() { return exitCode_; }

    HINSTANCE Instance() const { return instance_; }
    // Destroying the main window ends the message loop.
    HWND MainWindow() const { return mainWindow_; }
    void SetMainWindow(HWND window) { mainWindow_ = window; }

    // Runs until WM_QUIT; returns its exit code.
    static int RunMessageLoop();
    // Handles every message already waiting, without blocking; false when WM_QUIT came
    // (it is posted again for the outer loop).
    static bool PumpWaitingMessages();
    // One message through the chain described above; true when it was consumed.
    static bool PreTranslate(MSG& message);

    static void AddFilter(MessageFilter* filter);
    static void RemoveFilter(MessageFilter* filter);
    static void AddModeless(HWND dialog);
    static void RemoveModeless(HWND dialog);
    static bool IsModelessRegistered(HWND dialog);

protected:
    int exitCode_ = 0;

private:
    HINSTANCE instance_ = nullptr;
    HWND mainWindow_ = nullptr;
};

}  // namespace ui
