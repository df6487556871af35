// The smallest window program the launcher's start-up time is read against: it
// registers a class, makes a top-level window with one child (id 1004, the child
// the bench waits for) and shows it. What it takes is the cost of starting any
// window program in this Wine prefix (or on this Windows machine).
#include <windows.h>

namespace {
LRESULT CALLBACK BaselineProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = BaselineProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"BaselineWindow";
    ::RegisterClassW(&windowClass);
    HWND window =
        ::CreateWindowExW(0, L"BaselineWindow", L"Baseline", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                          CW_USEDEFAULT, 400, 300, nullptr, nullptr, instance, nullptr);
    ::CreateWindowExW(0, L"BUTTON", L"Exit", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80, 24,
                      window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(1004)), instance,
                      nullptr);
    ::ShowWindow(window, SW_SHOW);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
