#include "shell/win/dlg_page.h"

#include "resources/controller/resource.h"
#include "shell/win/shell_ids.h"
#include "shell/win/vistrel_app.h"
#include "ui/page_brush.h"
#include "ui/resource_string.h"

namespace {

// The light colour of value fields, the same as the settings window's own background.
constexpr COLORREF kValueFieldColor = RGB(228, 228, 220);

bool IsFocusable(HWND control) {
    return control != nullptr && ::IsWindowEnabled(control) && ::IsWindowVisible(control);
}

// Offset that makes a tile of `pattern` pixels continue at `position` of the page.
int PatternOffset(LONG pattern, LONG position) {
    if (pattern <= 0) return 0;
    return static_cast<int>(((pattern - position) % pattern + pattern) % pattern);
}

}  // namespace

CDlgPage::CDlgPage(UINT templateId, UINT lowResBitmap, UINT highResBitmap, int firstControl)
    : ui::Dialog(templateId),
      m_nLowResBitmap(lowResBitmap),
      m_nHighResBitmap(highResBitmap),
      m_nFirstControl(firstControl) {}

CDlgPage::~CDlgPage() = default;

bool CDlgPage::OnInitDialog() {
    m_brValueField.Reset(::CreateSolidBrush(kValueFieldColor));
    AttachWebLink(m_link, Handle(), IDC_HYPERLINK);
    return false;
}

HBRUSH CDlgPage::Background() {
    if (!m_brBackground) {
        m_szPattern =
            ui::MakePageBrush(Handle(), m_brBackground.Put(), m_nLowResBitmap, m_nHighResBitmap);
    }
    return m_brBackground.Get();
}

void CDlgPage::OnSettingsHidden() {
    m_brBackground.Reset();
}

HWND CDlgPage::MainWindow() const {
    // Pages are children of the tab strip, which is a child of the settings window.
    HWND tab = Parent();
    HWND main = tab != nullptr ? ::GetParent(tab) : nullptr;
    return main != nullptr ? main : VistrelApp().MainWindow();
}

void CDlgPage::FocusMainControl(int id) const {
    HWND main = MainWindow();
    if (main == nullptr) return;
    // The colour page has a "&Delete" button with the same id as "&Close": the id is
    // looked up in the settings window itself, never in the page.
    HWND control = ::GetDlgItem(main, id);
    if (control == nullptr) return;
    ::SendMessageA(main, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

void CDlgPage::FillMonitorList(const ui::ComboBox& list) {
    list.Clear();
    const CMonitorStatusAll& all = VistrelApp().m_statusAll;
    const CMonitorStatus* current = all.m_hCurMonitor != nullptr ? all.Current() : nullptr;
    if (current == nullptr) return;
    const std::string word = ui::ResourceString(IDS_MONITOR);
    int selection = -1;
    for (int i = 0; i < all.Count(); ++i) {
        const CMonitorStatus* record = all.At(i);
        const int item = list.Add(word + record->m_strLabel + " (" + record->m_strModelName + ")");
        if (selection < 0 && record->m_nOrderKey == current->m_nOrderKey) selection = item;
    }
    list.Select(selection);
}

HWND CDlgPage::FirstEnabledControl() const {
    HWND first = m_nFirstControl >= 0 ? Item(m_nFirstControl) : nullptr;
    if (first == nullptr) return ::GetNextDlgTabItem(Handle(), nullptr, FALSE);
    if (IsFocusable(first)) return first;
    return ::GetNextDlgTabItem(Handle(), first, FALSE);
}

HWND CDlgPage::LastEnabledControl() const {
    HWND first = m_nFirstControl >= 0 ? Item(m_nFirstControl) : nullptr;
    if (first == nullptr) first = ::GetNextDlgTabItem(Handle(), nullptr, FALSE);
    if (first == nullptr) return nullptr;
    // One step backwards from the first control wraps round to the last one.
    HWND last = ::GetNextDlgTabItem(Handle(), first, TRUE);
    return last != nullptr ? last : first;
}

HWND CDlgPage::FocusedChild() const {
    HWND focus = ::GetFocus();
    while (focus != nullptr && ::GetParent(focus) != Handle()) {
        if ((::GetWindowLongPtrA(focus, GWL_STYLE) & WS_CHILD) == 0) return nullptr;
        focus = ::GetParent(focus);
    }
    return focus;
}

bool CDlgPage::PreTranslateMessage(MSG& message) {
    if (message.message == WM_SYSKEYDOWN && message.wParam == 'C') {
        // The settings window hides itself on Alt+C; the focus waits on "&Close"
        // for the next showing.
        FocusMainControl(IDC_CLOSE);
        return false;
    }
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
    // Ctrl+Tab changes pages; the settings window handles it.
    if ((::GetKeyState(VK_CONTROL) & 0x8000) != 0) return false;
    HWND child = FocusedChild();
    if (child == nullptr) return false;
    const bool shift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (!shift && child == LastEnabledControl()) {
        FocusMainControl(IDC_CLOSE);
        return true;
    }
    if (shift && child == FirstEnabledControl()) {
        FocusMainControl(IDC_TAB);
        return true;
    }
    // In between, the page's own order. The settings window's dialog manager
    // cannot do it: the page sits inside the tab strip, which it does not enter,
    // and the focus would stay where it was.
    ::SendMessageA(Handle(), WM_NEXTDLGCTL, shift ? 1 : 0, FALSE);
    return true;
}

HBRUSH CDlgPage::OnCtlColor(HDC dc, HWND control, UINT type) {
    return PageControlColor(Handle(), dc, control, type, Background(), m_szPattern,
                            m_brValueField.Get());
}

namespace {

// Read-only value fields are drawn on a light solid colour, not on the picture.
bool IsValueField(HWND control) {
    char className[16] = {};
    ::GetClassNameA(control, className, static_cast<int>(sizeof className));
    return ::lstrcmpiA(className, "Edit") == 0 &&
           (::GetWindowLongPtrA(control, GWL_STYLE) & ES_READONLY) != 0;
}

}  // namespace

HBRUSH PageControlColor(HWND window, HDC dc, HWND control, UINT type, HBRUSH background,
                        SIZE pattern, HBRUSH valueField) {
    // Typing fields and drop-down lists keep the system colours.
    if (type == CTLCOLOR_EDIT || type == CTLCOLOR_LISTBOX) return nullptr;
    if (background == nullptr) return nullptr;
    ::SetBkMode(dc, TRANSPARENT);
    if (control != nullptr && control != window && valueField != nullptr && IsValueField(control))
        return valueField;
    ::UnrealizeObject(background);
    if (control == nullptr || control == window || type == CTLCOLOR_DLG) {
        ::SetBrushOrgEx(dc, 0, 0, nullptr);
        return background;
    }
    // A transparent control paints its background in its own coordinates: shift the
    // pattern so that the window's picture continues behind it.
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    ::SetBrushOrgEx(dc, PatternOffset(pattern.cx, rect.left), PatternOffset(pattern.cy, rect.top),
                    nullptr);
    return background;
}
