// The footprint baseline: the least a tray-resident Windows program does (a hidden
// window, one notification-area icon, a 100 ms timer), measured beside the
// controller by bench/footprint.sh.
#include <windows.h>
#include <shellapi.h>

namespace {

constexpr UINT kTrayCallback = WM_USER + 100;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "TrivialTray";
    ::RegisterClassA(&windowClass);
    HWND window = ::CreateWindowExA(0, "TrivialTray", "Trivial tray", WS_OVERLAPPEDWINDOW, 0, 0,
                                    100, 100, nullptr, nullptr, instance, nullptr);
    NOTIFYICONDATAA icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = window;
    icon.uID = 1;
    icon.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    icon.uCallbackMessage = kTrayCallback;
    icon.hIcon = ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    ::lstrcpynA(icon.szTip, "Trivial tray", sizeof icon.szTip);
    ::Shell_NotifyIconA(NIM_ADD, &icon);
    ::SetTimer(window, 1, 100, nullptr);
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) ::DispatchMessageA(&message);
    ::Shell_NotifyIconA(NIM_DELETE, &icon);
    return 0;
}
