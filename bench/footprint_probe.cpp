// The trivial tray program plus the pieces the controller is made of, one at a
// time, so bench/footprint.sh can tell what each costs under Wine. The pieces are
// named, comma-separated, in FOOTPRINT_PROBE:
//   dialog     a hidden dialog with a few controls in "MS Shell Dlg" 8 pt
//   comctl     common controls 6 (a tab control in that dialog)
//   comdlg     comdlg32.dll loaded (it brings the print spooler with it)
//   gdiplus    GDI+ started and a 1x1 bitmap made
//   msxml      COM initialised and an MSXML document created and released
//   gamma      per display: CreateDCA, GetDeviceGammaRamp, DeleteDC
//   dcs        per display: a display DC created and kept
//   timer2     a second hidden window with its own 100 ms timer (the controller
//              has two: its main window's and its mode page's)
//   watch      at each tick of that timer, what the mode page asks about the
//              window in front: which it is, its style, its rectangle
// With FOOTPRINT_PROBE unset it is the trivial tray program.
#include <windows.h>
#include <commctrl.h>
#include <objidl.h>
#include <gdiplus.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kTrayCallback = WM_USER + 100;

bool Wanted(const std::string& list, const char* piece) {
    const std::string padded = "," + list + ",";
    return padded.find(std::string(",") + piece + ",") != std::string::npos;
}

bool g_watch = false;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == 2 && g_watch) {
        HWND front = ::GetForegroundWindow();
        RECT rect{};
        if (front != nullptr && (::GetWindowLongPtrA(front, GWL_STYLE) & WS_VISIBLE) != 0)
            ::GetWindowRect(front, &rect);
        return 0;
    }
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

INT_PTR CALLBACK DialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// An in-memory template: DS_SETFONT dialog with a static, a button, a combo box
// and, when asked, a tab control.
std::vector<WORD> DialogTemplate(bool withTab) {
    std::vector<WORD> t;
    auto add = [&t](WORD w) { t.push_back(w); };
    auto addDword = [&](DWORD d) {
        add(LOWORD(d));
        add(HIWORD(d));
    };
    auto addText = [&](const wchar_t* s) {
        do add(static_cast<WORD>(*s));
        while (*s++ != 0);
    };
    auto align = [&] {
        if (t.size() % 2 != 0) add(0);
    };
    const WORD items = withTab ? 4 : 3;
    addDword(DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    addDword(0);
    add(items);
    add(0);
    add(0);
    add(300);
    add(200);
    add(0);
    add(0);  // no menu, default class
    addText(L"Probe");
    add(8);
    addText(L"MS Shell Dlg");
    auto item = [&](DWORD style, short x, short y, short cx, short cy, WORD id, const wchar_t* cls,
                    const wchar_t* text) {
        align();
        addDword(style | WS_CHILD | WS_VISIBLE);
        addDword(0);
        add(x);
        add(y);
        add(cx);
        add(cy);
        add(id);
        addText(cls);
        addText(text);
        add(0);
    };
    item(SS_LEFT, 10, 10, 100, 10, 100, L"STATIC", L"Some text");
    item(BS_PUSHBUTTON | WS_TABSTOP, 10, 30, 50, 14, 101, L"BUTTON", L"&Close");
    item(CBS_DROPDOWNLIST | WS_TABSTOP, 10, 50, 100, 60, 102, L"COMBOBOX", L"");
    if (withTab) item(WS_TABSTOP, 120, 10, 150, 150, 103, L"SysTabControl32", L"");
    return t;
}

BOOL CALLBACK CollectDisplay(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFOEXA info{};
    info.cbSize = sizeof info;
    if (::GetMonitorInfoA(monitor, &info))
        reinterpret_cast<std::vector<std::string>*>(list)->push_back(info.szDevice);
    return TRUE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    char buffer[256] = {};
    ::GetEnvironmentVariableA("FOOTPRINT_PROBE", buffer, sizeof buffer);
    const std::string pieces = buffer;

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "FootprintProbe";
    ::RegisterClassA(&windowClass);
    HWND window = ::CreateWindowExA(0, "FootprintProbe", "Footprint probe", WS_OVERLAPPEDWINDOW, 0,
                                    0, 100, 100, nullptr, nullptr, instance, nullptr);

    if (Wanted(pieces, "comctl")) {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&controls);
    }
    if (Wanted(pieces, "dialog") || Wanted(pieces, "comctl")) {
        const std::vector<WORD> dialogTemplate = DialogTemplate(Wanted(pieces, "comctl"));
        ::CreateDialogIndirectParamA(instance,
                                     reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()),
                                     nullptr, DialogProc, 0);
    }
    if (Wanted(pieces, "comdlg")) ::LoadLibraryA("comdlg32.dll");
    if (Wanted(pieces, "gdiplus")) {
        Gdiplus::GdiplusStartupInput input;
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartup(&token, &input, nullptr);
        Gdiplus::GpBitmap* bitmap = nullptr;
        Gdiplus::DllExports::GdipCreateBitmapFromScan0(1, 1, 0, PixelFormat32bppARGB, nullptr,
                                                       &bitmap);
        if (bitmap != nullptr) Gdiplus::DllExports::GdipDisposeImage(bitmap);
    }
    if (Wanted(pieces, "msxml")) {
        ::CoInitialize(nullptr);
        CLSID documentClass{};
        IUnknown* document = nullptr;
        if (SUCCEEDED(::CLSIDFromProgID(L"Msxml2.DOMDocument.6.0", &documentClass)) &&
            SUCCEEDED(::CoCreateInstance(documentClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                         reinterpret_cast<void**>(&document)))) {
            document->Release();
        }
        ::CoUninitialize();
    }
    std::vector<std::string> displays;
    ::EnumDisplayMonitors(nullptr, nullptr, CollectDisplay, reinterpret_cast<LPARAM>(&displays));
    if (Wanted(pieces, "gamma")) {
        for (const std::string& name : displays) {
            HDC dc = ::CreateDCA(name.c_str(), nullptr, nullptr, nullptr);
            WORD ramp[3 * 256];
            if (dc != nullptr) {
                ::GetDeviceGammaRamp(dc, ramp);
                ::DeleteDC(dc);
            }
        }
    }
    std::vector<HDC> kept;
    if (Wanted(pieces, "dcs")) {
        for (const std::string& name : displays)
            kept.push_back(::CreateDCA(name.c_str(), nullptr, nullptr, nullptr));
    }

    NOTIFYICONDATAA icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = window;
    icon.uID = 1;
    icon.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    icon.uCallbackMessage = kTrayCallback;
    icon.hIcon = ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    ::lstrcpynA(icon.szTip, "Footprint probe", sizeof icon.szTip);
    ::Shell_NotifyIconA(NIM_ADD, &icon);
    ::SetTimer(window, 1, 100, nullptr);
    if (Wanted(pieces, "timer2") || Wanted(pieces, "watch")) {
        g_watch = Wanted(pieces, "watch");
        HWND second =
            ::CreateWindowExA(0, "FootprintProbe", "Footprint probe 2", WS_OVERLAPPEDWINDOW, 0, 0,
                              100, 100, nullptr, nullptr, instance, nullptr);
        ::SetTimer(second, 2, 100, nullptr);
    }
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    ::Shell_NotifyIconA(NIM_DELETE, &icon);
    for (HDC dc : kept)
        if (dc != nullptr) ::DeleteDC(dc);
    return 0;
}
