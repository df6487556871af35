#include "modes/win/dlg_color_sub.h"

#include <commctrl.h>

#include "modes/color_detail.h"
#include "modes/mode_lists.h"
#include "modes/win/monitor_claim.h"
#include "shell/win/dlg_page.h"
#include "shell/win/shell_ids.h"
#include "shell/win/small_controls.h"
#include "ui/foreground.h"
#include "ui/page_brush.h"
#include "ui/resource_string.h"
#include "ui/wait_cursor.h"

namespace {

constexpr UINT kTemplate = 284;
constexpr UINT kBackground = 275;
constexpr UINT kBackgroundHigh = 300;
constexpr UINT kMsgLoad = WM_USER + 116;  // 1140: posted to itself once shown

constexpr int kIdReset = 1080;
constexpr int kIdColorBar = 1048;

constexpr std::uint16_t kStandardPage = 0;
constexpr std::uint16_t kColorPage = 0x30;
constexpr std::uint16_t kQuadPage = 0xE0;
constexpr std::uint16_t kCommandPage = 0xF0;
constexpr std::uint8_t kAdjustingCode = 0xE3;     // page 0xE0: 1 adjusting, 2 done, 0 left
constexpr std::uint8_t kEndAdjustmentCode = 0xE3; // page 0xF0
constexpr std::uint8_t kUserPresetCode = 0xE5;
constexpr std::uint8_t kFactoryColorCode = 0x08;

struct SliderInfo {
    int slider;
    int text;
    int icon;  // 0: none
    std::uint16_t page;
    std::uint8_t code;
    UINT onBitmap;
    UINT offBitmap;
    int pageSize;  // 0: computed
};

// In the order of the dialog's Slider enumeration.
constexpr SliderInfo kSliders[] = {
    {1039, 1018, 0, kColorPage, 0xE3, 0, 0, 1},
    {1003, 1005, 1096, kStandardPage, 0x10, 213, 214, 40},
    {1022, 1023, 1194, kStandardPage, 0x12, 258, 261, 0},
    {1008, 1010, 1102, kColorPage, 0xE4, 216, 220, 1},
    {1012, 1013, 1099, kStandardPage, 0x16, 225, 219, 51},
    {1014, 1015, 1100, kStandardPage, 0x18, 217, 219, 51},
    {1016, 1017, 1101, kStandardPage, 0x1A, 215, 219, 51},
};

struct Level {
    std::int32_t* value;
    std::int32_t* maximum;
    std::int32_t* valid;
};

}  // namespace

// ---- CColorBar ----------------------------------------------------------------------

CColorBar::~CColorBar() {
    if (m_hBitmap != nullptr) ::DeleteObject(m_hBitmap);
}

void CColorBar::SetBitmap(unsigned bitmapId) {
    if (bitmapId != m_nBitmapId || m_hBitmap == nullptr) {
        if (m_hBitmap != nullptr) ::DeleteObject(m_hBitmap);
        m_hBitmap = static_cast<HBITMAP>(::LoadImageA(ui::ResourceInstance(), MAKEINTRESOURCEA(bitmapId),
                                                      IMAGE_BITMAP, 0, 0, 0));
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
    if (m_hBitmap != nullptr) {
        BITMAP info{};
        ::GetObjectA(m_hBitmap, sizeof info, &info);
        HDC source = ::CreateCompatibleDC(dc);
        HGDIOBJ old = ::SelectObject(source, m_hBitmap);
        ::SetStretchBltMode(dc, COLORONCOLOR);
        ::StretchBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, info.bmWidth, info.bmHeight,
                     SRCCOPY);
        ::SelectObject(source, old);
        ::DeleteDC(source);
    }
    // Sunken: dark along the top and left, white along the bottom and right.
    HPEN dark = ::CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
    HPEN light = ::CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    HGDIOBJ oldPen = ::SelectObject(dc, dark);
    ::MoveToEx(dc, 0, client.bottom - 1, nullptr);
    ::LineTo(dc, 0, 0);
    ::LineTo(dc, client.right, 0);
    ::SelectObject(dc, light);
    ::MoveToEx(dc, client.right - 1, 0, nullptr);
    ::LineTo(dc, client.right - 1, client.bottom - 1);
    ::LineTo(dc, -1, client.bottom - 1);
    ::SelectObject(dc, oldPen);
    ::DeleteObject(dark);
    ::DeleteObject(light);
    ::EndPaint(Handle(), &paint);
}

// ---- CDlgColorSub -------------------------------------------------------------------

CDlgColorSub::CDlgColorSub() : ui::Dialog(kTemplate) {}

CDlgColorSub::~CDlgColorSub() {
    if (m_brValueField != nullptr) ::DeleteObject(m_brValueField);
    if (m_brBackground != nullptr) ::DeleteObject(m_brBackground);
    for (HBITMAP bitmap : m_iconBitmaps) ::DeleteObject(bitmap);
}

const CMonitorStatus* CDlgColorSub::Record() const {
    const CMonitorStatusAll& all = VistrelApp().m_statusAll;
    return all.m_hCurMonitor != nullptr ? all.Current() : nullptr;
}

std::uint32_t CDlgColorSub::ModeFlags() const {
    const CMonitorStatus* record = Record();
    return record != nullptr ? ModeFlagsOf(*record, m_pColor->m_nMode) : 0;
}

bool CDlgColorSub::OnInitDialog() {
    CVistrelApp& app = VistrelApp();
    m_pColor = app.m_pColorSub != nullptr ? app.m_pColorSub : &m_ownColor;
    app.m_hColorSubWnd = Handle();
    m_brValueField = ::CreateSolidBrush(RGB(228, 228, 220));
    m_szPattern = ui::MakePageBrush(Handle(), &m_brBackground, kBackground, kBackgroundHigh);
    for (int i = 0; i < kSliderCount; ++i) m_sliders[static_cast<std::size_t>(i)].AttachItem(Handle(), kSliders[i].slider);
    m_colorBar.SubclassItem(Handle(), kIdColorBar);

    ui::SetForegroundUnlocked(Handle());
    EnableAll(false);
    return true;
}

void CDlgColorSub::EnableAll(bool enable) {
    for (const ui::Slider& slider : m_sliders) slider.Enable(enable);
    EnableItem(kIdReset, enable);
    EnableItem(IDOK, enable);
    EnableItem(IDCANCEL, enable);
}

// ---- Loading -------------------------------------------------------------------------

void CDlgColorSub::Load(bool takeBackup) {
    const CMonitorStatus* record = Record();
    if (record == nullptr) return;
    CVistrelApp& app = VistrelApp();
    if (record->m_ModeInfo.HasQuadSet())
        app.m_monitors.WriteFeature(record, kQuadPage, kAdjustingCode, 1, false);
    m_pColor->ReadColorState(app.m_monitors, app.m_statusAll);
    SetUpSliders();
    UpdateColorBar();
    for (int i = 0; i < kSliderCount; ++i) m_nAccepted[static_cast<std::size_t>(i)] = m_sliders[static_cast<std::size_t>(i)].Position();
    EnableItem(IDOK, true);
    EnableItem(IDCANCEL, true);
    // Sliders, texts, icons and "&Reset" as the mode allows.
    EnableByCapability();
    ::SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDOK)), TRUE);
    // Once per run: the window may be shown again, and Cancel must still go back to
    // what the monitor held when the dialog opened.
    if (takeBackup && !m_bBackupTaken) {
        m_backup.CopyFrom(*m_pColor);
        m_bBackupTaken = true;
    }
    m_bLoaded = true;
}

void CDlgColorSub::SetUpTemperature(std::int32_t upper) {
    const ui::Slider& slider = m_sliders[kTemperature];
    const SliderSetup setup = TemperatureSlider(m_presets, m_pColor->m_nColorTemp,
                                                m_pColor->m_bPresetRangeValid != 0, m_pColor->m_nPresetRange);
    slider.SetRange(0, setup.usable ? setup.maximum : 0);
    slider.SetPageSize(kSliders[kTemperature].pageSize);
    const bool shown = m_pColor->m_bColorTempValid && setup.usable;
    slider.SetPosition(shown ? setup.position : 0);
    SetItemText(kSliders[kTemperature].text,
                shown ? TemperatureText(m_pColor->m_nColorTemp, upper, m_pColor->m_bPresetRangeValid != 0)
                      : std::string());
}

void CDlgColorSub::SetUpLevel(Slider which, std::int32_t value, std::int32_t maximum, bool valid) {
    const ui::Slider& slider = m_sliders[which];
    slider.SetRange(0, maximum > 0 ? maximum : 0);
    const int pageSize = kSliders[which].pageSize != 0 ? kSliders[which].pageSize : maximum / 5;
    slider.SetPageSize(pageSize > 0 ? pageSize : 1);
    slider.SetPosition(valid ? value : 0);
    SetItemText(kSliders[which].text, valid ? PercentText(value, maximum) : std::string());
}

void CDlgColorSub::SetUpSliders() {
    const CMonitorStatus* record = Record();
    if (record == nullptr) return;
    m_presets = AvailablePresets(record->m_ModeInfo.PresetMask());
    const SliderSetup temperature = TemperatureSlider(m_presets, m_pColor->m_nColorTemp,
                                                      m_pColor->m_bPresetRangeValid != 0,
                                                      m_pColor->m_nPresetRange);
    m_nTemperatureUpper = temperature.usable ? temperature.maximum : 0;
    SetUpTemperature(m_nTemperatureUpper);

    CMonitorColor& c = *m_pColor;
    SetUpLevel(kBrightness, c.m_nBrightness, c.m_nBrightnessMax, c.m_bBrightnessValid != 0);
    SetUpLevel(kContrast, c.m_nContrast, c.m_nContrastMax, c.m_bContrastValid != 0);
    SetUpLevel(kRed, c.m_nRedGain, c.m_nRedGainMax, c.m_bRedGainValid != 0);
    SetUpLevel(kGreen, c.m_nGreenGain, c.m_nGreenGainMax, c.m_bGreenGainValid != 0);
    SetUpLevel(kBlue, c.m_nBlueGain, c.m_nBlueGainMax, c.m_bBlueGainValid != 0);

    const ui::Slider& gamma = m_sliders[kGamma];
    const SliderSetup steps = GammaSlider(record->m_ModeInfo.GammaMask(), c.m_nGamma);
    gamma.SetRange(steps.minimum, steps.maximum);
    gamma.SetPageSize(kSliders[kGamma].pageSize);
    const bool gammaShown = c.m_bGammaValid && steps.usable;
    gamma.SetPosition(gammaShown ? steps.position : 0);
    SetItemText(kSliders[kGamma].text, gammaShown ? GammaText(c.m_nGamma) : std::string());
}

void CDlgColorSub::EnableByCapability() {
    const CMonitorStatus* record = Record();
    if (record == nullptr) return;
    const DetailEnabling enabling = DetailControls(*m_pColor, ModeFlags());
    const CMonitorColor& c = *m_pColor;
    const bool temperature =
        enabling.temperature && TemperatureSlider(m_presets, c.m_nColorTemp, c.m_bPresetRangeValid != 0,
                                                  c.m_nPresetRange).usable;
    const bool gamma = enabling.gamma && GammaSlider(record->m_ModeInfo.GammaMask(), c.m_nGamma).usable;
    const bool on[kSliderCount] = {temperature,
                                   enabling.brightness,
                                   enabling.contrast,
                                   gamma,
                                   enabling.gains && c.m_bRedGainValid,
                                   enabling.gains && c.m_bGreenGainValid,
                                   enabling.gains && c.m_bBlueGainValid};
    for (HBITMAP bitmap : m_iconBitmaps) ::DeleteObject(bitmap);
    m_iconBitmaps.clear();
    for (int i = 0; i < kSliderCount; ++i) {
        m_sliders[static_cast<std::size_t>(i)].Enable(on[i]);
        EnableItem(kSliders[i].text, on[i]);
        if (kSliders[i].icon == 0) continue;
        const UINT bitmapId = on[i] ? kSliders[i].onBitmap : kSliders[i].offBitmap;
        HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageA(ui::ResourceInstance(), MAKEINTRESOURCEA(bitmapId),
                                                           IMAGE_BITMAP, 0, 0, 0));
        if (bitmap == nullptr) continue;
        m_iconBitmaps.push_back(bitmap);
        HBITMAP previous = reinterpret_cast<HBITMAP>(::SendDlgItemMessageA(
            Handle(), kSliders[i].icon, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
        // A bitmap the control had copied for itself is its own; ours are deleted above.
        (void)previous;
    }
    EnableItem(kIdReset, enabling.reset);
}

void CDlgColorSub::UpdateColorBar() {
    HDC screen = ::GetDC(nullptr);
    const int bits = ::GetDeviceCaps(screen, BITSPIXEL) * ::GetDeviceCaps(screen, PLANES);
    ::ReleaseDC(nullptr, screen);
    const bool userPreset = !m_pColor->m_bPresetRangeValid || m_pColor->m_nPresetRange != 0;
    const bool adjustable = (ModeFlags() & kModeFlagColorTemperature) != 0;
    m_colorBar.SetBitmap(ColorBarBitmap(adjustable, userPreset, bits < 16));
}

// ---- Slider moves --------------------------------------------------------------------

void CDlgColorSub::PutBack(Slider slider) {
    m_sliders[slider].SetPosition(m_nAccepted[slider]);
}

void CDlgColorSub::ReadGains() {
    const CMonitorStatus* record = Record();
    if (record == nullptr) return;
    MonitorList& list = VistrelApp().m_monitors;
    CMonitorColor& c = *m_pColor;
    const Level gains[] = {{&c.m_nRedGain, &c.m_nRedGainMax, &c.m_bRedGainValid},
                           {&c.m_nGreenGain, &c.m_nGreenGainMax, &c.m_bGreenGainValid},
                           {&c.m_nBlueGain, &c.m_nBlueGainMax, &c.m_bBlueGainValid}};
    const Slider sliders[] = {kRed, kGreen, kBlue};
    for (int i = 0; i < 3; ++i) {
        std::uint32_t current = 0;
        std::uint32_t maximum = 0;
        if (!list.ReadFeature(record, kStandardPage, kSliders[sliders[i]].code, &current, &maximum, false,
                              true))
            continue;
        *gains[i].value = static_cast<std::int32_t>(current);
        *gains[i].maximum = static_cast<std::int32_t>(maximum);
        *gains[i].valid = 1;
        SetUpLevel(sliders[i], *gains[i].value, *gains[i].maximum, true);
        Accept(sliders[i], m_sliders[sliders[i]].Position());
    }
}

void CDlgColorSub::MoveTemperature(int position) {
    if (position < 0 || position >= static_cast<int>(m_presets.size())) {
        PutBack(kTemperature);
        return;
    }
    const std::int32_t preset = m_presets[static_cast<std::size_t>(position)];
    CMonitorClaim claim;
    const CMonitorStatus* record = claim.Record();
    if (record != nullptr && claim.List().WriteFeature(record, kColorPage, kSliders[kTemperature].code,
                                                       static_cast<std::uint32_t>(preset), false)) {
        Accept(kTemperature, position);
        m_pColor->m_nColorTemp = preset;
        SetItemText(kSliders[kTemperature].text,
                    TemperatureText(preset, m_pColor->m_nOffPreset, m_pColor->m_bPresetRangeValid != 0));
        ReadGains();
    } else {
        PutBack(kTemperature);
    }
}

void CDlgColorSub::MoveLevel(Slider slider, int position) {
    const CMonitorStatus* record = Record();
    MonitorList& list = VistrelApp().m_monitors;
    if (record == nullptr ||
        !list.WriteFeature(record, kStandardPage, kSliders[slider].code, static_cast<std::uint32_t>(position),
                           false)) {
        PutBack(slider);
        return;
    }
    Accept(slider, position);
    CMonitorColor& c = *m_pColor;
    const Level levels[kSliderCount] = {{nullptr, nullptr, nullptr},
                                        {&c.m_nBrightness, &c.m_nBrightnessMax, &c.m_bBrightnessValid},
                                        {&c.m_nContrast, &c.m_nContrastMax, &c.m_bContrastValid},
                                        {nullptr, nullptr, nullptr},
                                        {&c.m_nRedGain, &c.m_nRedGainMax, &c.m_bRedGainValid},
                                        {&c.m_nGreenGain, &c.m_nGreenGainMax, &c.m_bGreenGainValid},
                                        {&c.m_nBlueGain, &c.m_nBlueGainMax, &c.m_bBlueGainValid}};
    *levels[slider].value = position;
    SetItemText(kSliders[slider].text, PercentText(position, *levels[slider].maximum));
    if (slider != kRed && slider != kGreen && slider != kBlue) return;

    // A gain moved away from a fixed preset switches the monitor to its user preset.
    CMonitorClaim claim;
    if (claim.Record() == nullptr) return;
    bool colorPageSelected = false;
    if (!m_bUserPresetSeen) {
        std::uint32_t current = 0;
        std::uint32_t maximum = 0;
        colorPageSelected = list.ReadFeature(record, kColorPage, kUserPresetCode, &current, &maximum, false, true);
        if (colorPageSelected) {
            c.m_nPresetRange = static_cast<std::int32_t>(current);
            c.m_bPresetRangeValid = 1;
            if (current != 0) {
                m_bUserPresetSeen = true;
                UpdateColorBar();
            }
        }
    }
    std::uint32_t preset = 0;
    std::uint32_t maximum = 0;
    if (list.ReadFeature(record, kColorPage, kSliders[kTemperature].code, &preset, &maximum, colorPageSelected,
                         true)) {
        c.m_nColorTemp = static_cast<std::int32_t>(preset);
        c.m_bColorTempValid = 1;
        const SliderSetup setup =
            TemperatureSlider(m_presets, c.m_nColorTemp, c.m_bPresetRangeValid != 0, c.m_nPresetRange);
        if (setup.usable) {
            m_sliders[kTemperature].SetRange(0, setup.maximum);
            m_sliders[kTemperature].SetPosition(setup.position);
            Accept(kTemperature, setup.position);
        }
        SetItemText(kSliders[kTemperature].text,
                    TemperatureText(c.m_nColorTemp, c.m_nOffPreset, c.m_bPresetRangeValid != 0));
    }
}

void CDlgColorSub::MoveGamma(int position) {
    const CMonitorStatus* record = Record();
    if (record == nullptr) return;
    const SliderSetup steps = GammaSlider(record->m_ModeInfo.GammaMask(), m_pColor->m_nGamma);
    const int clamped = position < steps.minimum ? steps.minimum : (position > steps.maximum ? steps.maximum : position);
    m_sliders[kGamma].SetRange(steps.minimum, steps.maximum);
    m_sliders[kGamma].SetPosition(clamped);
    if (clamped == m_nAccepted[kGamma]) return;
    CMonitorClaim claim;
    if (claim.Record() != nullptr &&
        claim.List().WriteFeature(record, kColorPage, kSliders[kGamma].code, static_cast<std::uint32_t>(clamped),
                                  false)) {
        Accept(kGamma, clamped);
        m_pColor->m_nGamma = clamped;
        SetItemText(kSliders[kGamma].text, GammaText(clamped));
        ReadGains();
    } else {
        PutBack(kGamma);
    }
}

bool CDlgColorSub::OnHScroll(int code, int position, HWND control) {
    if (code != TB_LINEUP && code != TB_LINEDOWN && code != TB_THUMBPOSITION && code != TB_THUMBTRACK &&
        code != TB_ENDTRACK)
        return false;
    for (int i = 0; i < kSliderCount; ++i) {
        const ui::Slider& slider = m_sliders[static_cast<std::size_t>(i)];
        if (slider.Handle() != control) continue;
        const int now = slider.Position();
        if (now == m_nAccepted[static_cast<std::size_t>(i)]) return true;
        ui::WaitCursor wait;
        const Slider which = static_cast<Slider>(i);
        if (which == kTemperature) MoveTemperature(now);
        else if (which == kGamma) MoveGamma(now);
        else MoveLevel(which, now);
        return true;
    }
    return false;
}

// ---- Buttons and ending --------------------------------------------------------------

bool CDlgColorSub::OnCommand(int id, int code, HWND control) {
    if (id != kIdReset || code != BN_CLICKED) return false;
    ui::WaitCursor wait;
    bool ready = false;
    {
        CMonitorClaim claim;
        ready = claim.Ready();
        if (ready) {
            claim.List().WriteFeature(claim.Record(), kStandardPage, kFactoryColorCode, 1, false);
            Load(false);
        }
    }
    if (!ready) EndDialog(0);
    return true;
}

void CDlgColorSub::OnOK() {
    if (!m_bLoaded) return;
    {
        CMonitorClaim claim;
        if (claim.Ready()) {
            if (claim.Record()->m_ModeInfo.HasQuadSet())
                claim.List().WriteFeature(claim.Record(), kQuadPage, kAdjustingCode, 2, false);
            ui::WaitCursor wait;
            claim.List().WriteFeature(claim.Record(), kCommandPage, kEndAdjustmentCode, 0, false);
        }
    }
    EndDialog(IDOK);
}

void CDlgColorSub::OnCancel() {
    if (!m_bLoaded) return;
    {
        ui::WaitCursor wait;
        CMonitorClaim claim;
        if (claim.Ready()) {
            CVistrelApp& app = VistrelApp();
            m_backup.WriteColorState(app.m_monitors, app.m_statusAll);
            m_pColor->CopyFrom(m_backup);
            claim.List().WriteFeature(claim.Record(), kCommandPage, kEndAdjustmentCode, 0, false);
        }
    }
    EndDialog(IDCANCEL);
}

void CDlgColorSub::OnDestroy() {
    CVistrelApp& app = VistrelApp();
    const CMonitorStatus* record = Record();
    if (record != nullptr && record->m_ModeInfo.HasQuadSet()) {
        CMonitorClaim claim;
        if (claim.Record() != nullptr)
            claim.List().WriteFeature(claim.Record(), kQuadPage, kAdjustingCode, 0, false);
    }
    if (app.m_hColorSubWnd == Handle()) app.m_hColorSubWnd = nullptr;
    app.m_statusAll.m_bBusy = 0;
}

HBRUSH CDlgColorSub::OnCtlColor(HDC dc, HWND control, UINT type) {
    return PageControlColor(Handle(), dc, control, type, m_brBackground, m_szPattern, m_brValueField);
}

bool CDlgColorSub::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_SHOWWINDOW:
        if (wParam != 0) Post(kMsgLoad);
        return false;
    case kMsgLoad: {
        ui::WaitCursor wait;
        bool ready = false;
        {
            CMonitorClaim claim;
            ready = claim.Ready();
            if (ready) Load(true);
        }
        if (!ready) EndDialog(0);
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
