// A stand-in application for the end-to-end tests of automatic mode switching:
// one visible top-level window of a chosen class at a chosen place. The tests
// copy this program under the names they need (ALPHA.exe, explorer.exe ...) and
// bring its window to the front, minimise it or move it from outside.
//   foreground_app.exe CLASS X Y [CAPTION]
// With --tray it is instead the least a resident tray program can be: a hidden
// window, one notification icon and a 100 ms timer that does nothing. Its CPU
// time is the yardstick for the controller's idle cost.
//   foreground_app.exe --tray
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <string>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int RunTray(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "TrivialTray";
    if (!::RegisterClassA(&windowClass)) return 1;
    HWND window = ::CreateWindowExA(0, "TrivialTray", "TrivialTray", WS_OVERLAPPED, 0, 0, 100, 100,
                                    nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    NOTIFYICONDATAA icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = window;
    icon.uFlags = NIF_ICON | NIF_TIP;
    icon.hIcon = ::LoadIcon(nullptr, IDI_APPLICATION);
    ::lstrcpynA(icon.szTip, "TrivialTray", sizeof icon.szTip);
    ::Shell_NotifyIconA(NIM_ADD, &icon);
    ::SetTimer(window, 1, 100, nullptr);
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) ::DispatchMessageA(&message);
    ::Shell_NotifyIconA(NIM_DELETE, &icon);
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc > 1 && std::string(__argv[1]) == "--tray") return RunTray(instance);
    const std::string className = __argc > 1 ? __argv[1] : "ForegroundApp";
    const int x = __argc > 2 ? std::atoi(__argv[2]) : 100;
    const int y = __argc > 3 ? std::atoi(__argv[3]) : 100;
    const std::string caption = __argc > 4 ? __argv[4] : className;

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className.c_str();
    if (!::RegisterClassA(&windowClass)) return 1;
    HWND window = ::CreateWindowExA(0, className.c_str(), caption.c_str(), WS_OVERLAPPEDWINDOW, x,
                                    y, 400, 300, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    ::ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return 0;
}
