#include "modes/win/dlg_color_sub.h"

#include <commctrl.h>

#include <utility>

#include "modes/color_detail.h"
#include "modes/mode_lists.h"
#include "resources/controller/resource.h"
#include "shell/win/dlg_page.h"
#include "shell/win/shell_ids.h"
#include "shell/win/small_controls.h"
#include "shell/win/vistrel_app.h"
#include "ui/foreground.h"
#include "ui/page_brush.h"
#include "ui/resource_string.h"
#include "ui/wait_cursor.h"

namespace {

constexpr UINT kMsgLoad = WM_USER + 116;  // 1140: posted to itself once shown

struct SliderInfo {
    int slider;
    int text;
    int icon;  // 0: none
    UINT onBitmap;
    UINT offBitmap;
};

// In the order of DetailSlider.
constexpr SliderInfo kSliders[] = {
    {IDC_SUB_TEMPERATURE, IDC_SUB_TEMPERATURE_VALUE, 0, 0, 0},
    {IDC_SUB_BRIGHTNESS, IDC_SUB_BRIGHTNESS_VALUE, IDC_SUB_BRIGHTNESS_ICON, IDB_ITEM_BRIGHTNESS,
     IDB_ITEM_BRIGHTNESS_OFF},
    {IDC_SUB_CONTRAST, IDC_SUB_CONTRAST_VALUE, IDC_SUB_CONTRAST_ICON, IDB_ITEM_CONTRAST,
     IDB_ITEM_CONTRAST_OFF},
    {IDC_SUB_GAMMA, IDC_SUB_GAMMA_VALUE, IDC_SUB_GAMMA_ICON, IDB_ITEM_GAMMA, IDB_ITEM_GAMMA_OFF},
    {IDC_SUB_RED, IDC_SUB_RED_VALUE, IDC_SUB_RED_ICON, IDB_ITEM_RED, IDB_ITEM_GAIN_OFF},
    {IDC_SUB_GREEN, IDC_SUB_GREEN_VALUE, IDC_SUB_GREEN_ICON, IDB_ITEM_GREEN, IDB_ITEM_GAIN_OFF},
    {IDC_SUB_BLUE, IDC_SUB_BLUE_VALUE, IDC_SUB_BLUE_ICON, IDB_ITEM_BLUE, IDB_ITEM_GAIN_OFF},
};

}  // namespace

// ---- CColorBar ----------------------------------------------------------------------

void CColorBar::SetBitmap(unsigned bitmapId) {
    if (bitmapId != m_nBitmapId || !m_hBitmap) {
        m_hBitmap.Reset(static_cast<HBITMAP>(::LoadImageA(
            ui::ResourceInstance(), MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, 0)));
        m_nBitmapId = bitmapId;
    }
    Invalidate(false);
}

LRESULT CColorBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        Paint();
        return 0;
    }
    if (message == WM_ERASEBKGND) return TRUE;
    return Default(message, wParam, lParam);
}

void CColorBar::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(Handle(), &paint);
    const RECT client = ClientRect();
    if (m_hBitmap) {
        BITMAP info{};
        ::GetObjectA(m_hBitmap.Get(), sizeof info, &info);
        const ui::MemoryDc source(dc);
        const ui::SelectGuard selected(source.Get(), m_hBitmap.Get());
        ::SetStretchBltMode(dc, COLORONCOLOR);
        ::StretchBlt(dc, 0, 0, client.right, client.bottom, source.Get(), 0, 0, info.bmWidth,
                     info.bmHeight, SRCCOPY);
    }
    {
        // Sunken: dark along the top and left, white along the bottom and right.
        const ui::Pen dark(::CreatePen(PS_SOLID, 1, RGB(128, 128, 128)));
        const ui::Pen light(::CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
        const ui::SelectGuard darkSelected(dc, dark.Get());
        ::MoveToEx(dc, 0, client.bottom - 1, nullptr);
        ::LineTo(dc, 0, 0);
        ::LineTo(dc, client.right, 0);
        const ui::SelectGuard lightSelected(dc, light.Get());
        ::MoveToEx(dc, client.right - 1, 0, nullptr);
        ::LineTo(dc, client.right - 1, client.bottom - 1);
        ::LineTo(dc, -1, client.bottom - 1);
    }
    ::EndPaint(Handle(), &paint);
}

// ---- CDlgColorSub -------------------------------------------------------------------

CDlgColorSub::CDlgColorSub() : ui::Dialog(IDD_COLOR_SUB) {}

CDlgColorSub::~CDlgColorSub() = default;

bool CDlgColorSub::OnInitDialog() {
    CVistrelApp& app = VistrelApp();
    CMonitorColor* color = app.m_pColorSub != nullptr ? app.m_pColorSub : &m_ownColor;
    // The dialog stays with the monitor it opened on, whatever becomes current.
    const CMonitorStatusAll& all = app.m_statusAll;
    if (all.m_hCurMonitor != nullptr && all.Current() != nullptr)
        m_session = std::make_unique<CColorDetailSession>(app.m_monitors, *all.Current(), *color);
    app.m_hColorSubWnd = Handle();
    m_brValueField.Reset(::CreateSolidBrush(RGB(228, 228, 220)));
    m_szPattern = ui::MakePageBrush(Handle(), m_brBackground.Put(), IDB_COLOR_SUB_BACK,
                                    IDB_COLOR_SUB_BACK_HI);
    for (int i = 0; i < kDetailSliderCount; ++i)
        m_sliders[static_cast<std::size_t>(i)].AttachItem(Handle(), kSliders[i].slider);
    m_colorBar.SubclassItem(Handle(), IDC_SUB_TEMPERATURE_BAR);

    ui::SetForegroundUnlocked(Handle());
    EnableAll(false);
    return true;
}

void CDlgColorSub::EnableAll(bool enable) {
    for (const ui::Slider& slider : m_sliders) slider.Enable(enable);
    EnableItem(IDC_SUB_RESET, enable);
    EnableItem(IDOK, enable);
    EnableItem(IDCANCEL, enable);
}

void CDlgColorSub::ShowSession(bool enabling) {
    if (!m_session) return;
    for (int i = 0; i < kDetailSliderCount; ++i) {
        const DetailSliderView& view = m_session->View(static_cast<DetailSlider>(i));
        const ui::Slider& slider = m_sliders[static_cast<std::size_t>(i)];
        slider.SetRange(view.minimum, view.maximum);
        slider.SetPageSize(view.pageSize);
        slider.SetPosition(view.position);
        SetItemText(kSliders[i].text, view.text);
    }
    if (m_session->TakeColorBarChange()) {
        int bits = 0;
        {
            const ui::WindowDc screen(nullptr);
            bits = ::GetDeviceCaps(screen.Get(), BITSPIXEL) * ::GetDeviceCaps(screen.Get(), PLANES);
        }
        m_colorBar.SetBitmap(ColorBarBitmap(m_session->TemperatureAdjustable(),
                                            m_session->UserPresetInUse(), bits < 16));
    }
    if (enabling) ShowEnabling();
}

void CDlgColorSub::ShowEnabling() {
    EnableItem(IDOK, true);
    EnableItem(IDCANCEL, true);
    m_iconBitmaps.clear();
    for (int i = 0; i < kDetailSliderCount; ++i) {
        const bool on = m_session->View(static_cast<DetailSlider>(i)).enabled;
        m_sliders[static_cast<std::size_t>(i)].Enable(on);
        EnableItem(kSliders[i].text, on);
        if (kSliders[i].icon == 0) continue;
        const UINT bitmapId = on ? kSliders[i].onBitmap : kSliders[i].offBitmap;
        ui::Bitmap bitmap(static_cast<HBITMAP>(::LoadImageA(
            ui::ResourceInstance(), MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, 0)));
        if (!bitmap) continue;
        const HBITMAP shown = bitmap.Get();
        m_iconBitmaps.push_back(std::move(bitmap));
        HBITMAP previous = reinterpret_cast<HBITMAP>(
            ::SendDlgItemMessageA(Handle(), kSliders[i].icon, STM_SETIMAGE, IMAGE_BITMAP,
                                  reinterpret_cast<LPARAM>(shown)));
        // A bitmap the control had copied for itself is its own; ours are deleted above.
        (void)previous;
    }
    EnableItem(IDC_SUB_RESET, m_session->ResetEnabled());
    ::SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDOK)), TRUE);
}

bool CDlgColorSub::OnHScroll(int code, int position, HWND control) {
    if (code != TB_LINEUP && code != TB_LINEDOWN && code != TB_THUMBPOSITION &&
        code != TB_THUMBTRACK && code != TB_ENDTRACK)
        return false;
    for (int i = 0; i < kDetailSliderCount; ++i) {
        const ui::Slider& slider = m_sliders[static_cast<std::size_t>(i)];
        if (slider.Handle() != control) continue;
        if (!m_session) return true;
        const DetailSlider which = static_cast<DetailSlider>(i);
        const int now = slider.Position();
        if (now == m_session->View(which).position) return true;
        ui::WaitCursor wait;
        m_session->Move(which, now);
        ShowSession(false);
        return true;
    }
    return false;
}

// ---- Buttons and ending --------------------------------------------------------------

bool CDlgColorSub::OnCommand(int id, int code, HWND control) {
    if (id != IDC_SUB_RESET || code != BN_CLICKED) return false;
    ui::WaitCursor wait;
    if (m_session && m_session->Reset()) {
        ShowSession(true);
    } else {
        EndDialog(0);
    }
    return true;
}

void CDlgColorSub::OnOK() {
    if (!m_session || !m_session->Loaded()) return;
    {
        ui::WaitCursor wait;
        m_session->Ok();
    }
    EndDialog(IDOK);
}

void CDlgColorSub::OnCancel() {
    if (!m_session || !m_session->Loaded()) return;
    {
        ui::WaitCursor wait;
        m_session->Cancel();
    }
    EndDialog(IDCANCEL);
}

void CDlgColorSub::OnDestroy() {
    CVistrelApp& app = VistrelApp();
    if (m_session) m_session->Close();
    if (app.m_hColorSubWnd == Handle()) app.m_hColorSubWnd = nullptr;
    app.m_statusAll.m_bBusy = 0;
}

HBRUSH CDlgColorSub::OnCtlColor(HDC dc, HWND control, UINT type) {
    return PageControlColor(Handle(), dc, control, type, m_brBackground.Get(), m_szPattern,
                            m_brValueField.Get());
}

bool CDlgColorSub::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_SHOWWINDOW:
            if (wParam != 0) Post(kMsgLoad);
            return false;
        case kMsgLoad: {
            ui::WaitCursor wait;
            if (m_session && m_session->Load()) {
                ShowSession(true);
            } else {
                EndDialog(0);
            }
            result = 0;
            return true;
        }
        case shell_ids::kMsgCloseNow:
        case WM_DISPLAYCHANGE:
            EndDialog(kClosedBySystem);
            result = 0;
            return true;
        case WM_DEVICECHANGE:
            result = TRUE;
            return true;
        default:
            return false;
    }
}
