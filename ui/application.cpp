#include "ui/application.h"

#include <algorithm>
#include <vector>

#include "ui/dialog.h"

namespace ui {

namespace {

// One user-interface thread, so plain globals serve as the loop's state.
Application* g_current = nullptr;
std::vector<MessageFilter*>& Filters() {
    static std::vector<MessageFilter*> filters;
    return filters;
}
std::vector<HWND>& ModelessDialogs() {
    static std::vector<HWND> dialogs;
    return dialogs;
}

void Process(MSG& message) {
    if (Application::PreTranslate(message)) return;
    ::TranslateMessage(&message);
    ::DispatchMessage(&message);
}

}  // namespace

Application::Application() : instance_(::GetModuleHandle(nullptr)) {
    if (g_current == nullptr) g_current = this;
}

Application::~Application() {
    if (g_current == this) g_current = nullptr;
}

Application* Application::Current() {
    return g_current;
}

int Application::Run() {
    if (!InitInstance()) return ExitInstance();
    exitCode_ = RunMessageLoop();
    return ExitInstance();
}

int Application::RunMessageLoop() {
    MSG message{};
    for (;;) {
        BOOL got = ::GetMessage(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got < 0) return -1;
        Process(message);
    }
}

bool Application::PumpWaitingMessages() {
    MSG message{};
    while (::PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        Process(message);
    }
    return true;
}

bool Application::PreTranslate(MSG& message) {
    // A filter may remove itself while it runs, so walk a copy.
    std::vector<MessageFilter*> filters = Filters();
    for (MessageFilter* filter : filters) {
        if (filter->PreTranslateMessage(message)) return true;
    }
    if (message.hwnd == nullptr) return false;

    // From the target up to its top-level window; the parent of a top-level window is
    // its owner, which must not see the keys of another window.
    for (HWND window = message.hwnd; window != nullptr;) {
        if (Dialog* dialog = Dialog::FromHandle(window)) {
            if (dialog->PreTranslateMessage(message)) return true;
        }
        if ((::GetWindowLongPtr(window, GWL_STYLE) & WS_CHILD) == 0) break;
        window = ::GetParent(window);
    }

    HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
    if (root != nullptr && IsModelessRegistered(root)) {
        return ::IsDialogMessage(root, &message) != FALSE;
    }
    return false;
}

void Application::AddFilter(MessageFilter* filter) {
    auto& filters = Filters();
    if (filter != nullptr && std::find(filters.begin(), filters.end(), filter) == filters.end()) {
        filters.push_back(filter);
    }
}

void Application::RemoveFilter(MessageFilter* filter) {
    auto& filters = Filters();
    filters.erase(std::remove(filters.begin(), filters.end(), filter), filters.end());
}

void Application::AddModeless(HWND dialog) {
    if (dialog != nullptr && !IsModelessRegistered(dialog)) ModelessDialogs().push_back(dialog);
}

void Application::RemoveModeless(HWND dialog) {
    auto& dialogs = ModelessDialogs();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialog), dialogs.end());
}

bool Application::IsModelessRegistered(HWND dialog) {
    const auto& dialogs = ModelessDialogs();
    return std::find(dialogs.begin(), dialogs.end(), dialog) != dialogs.end();
}

}  // namespace ui
