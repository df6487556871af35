#include "calmira/win/dlg_vsfilter.h"

#include <cstdio>
#include <vector>

#include "calmira/filter_definitions.h"
#include "calmira/win/definition_dom.h"
#include "calmira/win/file_dialog_ex.h"
#include "calmira/win/resource_ids.h"
#include "resources/controller/resource.h"
#include "shell/win/dlg_page.h"
#include "shell/win/shell_ids.h"
#include "shell/win/vistrel_app.h"
#include "ui/page_brush.h"
#include "ui/resource_string.h"

using namespace calmira_ids;

namespace {

std::string FormatWith(UINT stringId, const std::string& argument) {
    const std::string format = ui::ResourceString(stringId);
    std::vector<char> text(format.size() + argument.size() + 32);
    // The resource holds one %s (or %d for the entry names); nothing else is substituted.
    std::snprintf(text.data(), text.size(), format.c_str(), argument.c_str());
    return text.data();
}

}  // namespace

CDlgVSFilter::CDlgVSFilter(calmira::FilterScreens& screens, calmira::FilterState& active)
    : ui::Dialog(IDD_VSFILTER), m_screens(screens), m_active(active) {}

CDlgVSFilter::~CDlgVSFilter() = default;

HBRUSH CDlgVSFilter::OnCtlColor(HDC dc, HWND control, UINT type) {
    return PageControlColor(Handle(), dc, control, type, m_brBackground.Get(), m_szPattern,
                            nullptr);
}

bool CDlgVSFilter::OnInitDialog() {
    CVistrelApp& app = VistrelApp();
    app.m_hFilterWnd = Handle();
    m_szPattern =
        ui::MakePageBrush(Handle(), m_brBackground.Put(), IDB_VSFILTER_BACK, IDB_VSFILTER_BACK_HI);
    m_images.AttachItem(Handle(), IDC_FILTER_IMAGE);
    m_transmittance.AttachItem(Handle(), IDC_FILTER_TRANSMITTANCE);
    m_luminance.AttachItem(Handle(), IDC_FILTER_LUMINANCE);
    m_transmittance.SetRange(0, calmira::kTransmittanceMax);
    m_transmittance.SetPageSize(5);
    m_luminance.SetRange(0, calmira::kLuminancePositionMax);
    m_luminance.SetPageSize(10);

    std::vector<calmira::STDIMAGEDATA> images;
    {
        auto dom = calmira_win::MakeDefinitionDom();
        calmira_win::AnsiCodec codec;
        images = calmira::ReadFilterDefinitions(*dom, codec, app.m_strDataFolder, *this);
    }
    calmira::LoadCurrentValues(*this, &images);
    m_session = std::make_unique<calmira::CFilterSession>(m_screens, *this, std::move(images),
                                                          app.m_strDataFolder, m_active);

    m_images.Add(ui::ResourceString(IDS_FILTER_NONE));
    for (std::size_t i = 0; i < m_session->Images().size(); ++i) {
        m_images.Add(EntryText(static_cast<int>(i) + 1));
    }
    m_images.Add(ui::ResourceString(IDS_FILTER_SELECT_FILE));
    m_images.Select(m_session->Selection());
    SetItemText(IDC_FILTER_PATH, m_session->PathText());
    UpdateSliders();
    UpdateEnabling();
    return true;
}

std::string CDlgVSFilter::EntryText(int number) {
    const std::string format = ui::ResourceString(IDS_FILTER_IMAGE_N);
    char text[64] = {};
    std::snprintf(text, sizeof text, format.c_str(), number);
    return text;
}

void CDlgVSFilter::Complain(UINT stringId, const std::string& argument) {
    ::MessageBoxA(Handle(), FormatWith(stringId, argument).c_str(),
                  ui::ResourceString(IDS_PRODUCT_NAME).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void CDlgVSFilter::DefaultImageFailed(const std::string& entryText) {
    Complain(IDS_IMPORT_FAILED, entryText);
}

void CDlgVSFilter::FileFailed(const std::string& path) {
    Complain(IDS_IMPORT_FILE_FAILED, path);
}

void CDlgVSFilter::UpdateValueTexts() {
    SetItemText(IDC_FILTER_TRANSMITTANCE_VALUE, std::to_string(m_transmittance.Position()));
    SetItemText(IDC_FILTER_LUMINANCE_VALUE,
                std::to_string(calmira::LuminanceFromPosition(m_luminance.Position())));
}

void CDlgVSFilter::UpdateSliders() {
    m_transmittance.SetPosition(m_session->TransmittancePosition());
    m_luminance.SetPosition(m_session->LuminancePosition());
    UpdateValueTexts();
}

void CDlgVSFilter::UpdateEnabling() {
    const bool path = m_session->PathControlsEnabled();
    EnableItem(IDC_FILTER_PATH, path);
    EnableItem(IDC_FILTER_BROWSE, path);
    const bool values = m_session->ValueControlsEnabled();
    for (int id : {IDC_FILTER_TRANSMITTANCE, IDC_FILTER_TRANSMITTANCE_VALUE, IDC_FILTER_LUMINANCE,
                   IDC_FILTER_LUMINANCE_VALUE, IDC_FILTER_RESTORE_DEFAULT}) {
        EnableItem(id, values);
    }
}

void CDlgVSFilter::Browse() {
    std::string path;
    if (!RunPictureFileDialog(Handle(), &path)) return;
    // The dialog may have been told to close while the file dialog was up.
    if (!IsWindow() || !m_session) return;
    const bool first = m_session->PathText().empty();
    m_session->Browsed(path);
    SetItemText(IDC_FILTER_PATH, m_session->PathText());
    if (first || m_session->PathText().empty()) UpdateSliders();
    UpdateEnabling();
}

bool CDlgVSFilter::OnCommand(int id, int code, HWND control) {
    switch (id) {
        case IDC_FILTER_IMAGE:
            if (code == CBN_SELCHANGE) {
                const int selected = m_session->Select(m_images.Selection());
                m_images.Select(selected);
                SetItemText(IDC_FILTER_PATH, m_session->PathText());
                UpdateSliders();
                UpdateEnabling();
            }
            return true;
        case IDC_FILTER_BROWSE:
            if (code == BN_CLICKED) Browse();
            return true;
        case IDC_FILTER_RESTORE_DEFAULT:
            if (code == BN_CLICKED) {
                m_session->RestoreDefault();
                UpdateSliders();
            }
            return true;
        default:
            return false;
    }
}

bool CDlgVSFilter::OnHScroll(int code, int position, HWND control) {
    switch (code) {
        case SB_LINELEFT:
        case SB_LINERIGHT:
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
        case SB_ENDSCROLL:
            if (control == m_transmittance.Handle()) {
                m_session->SetTransmittance(m_transmittance.Position());
            } else if (control == m_luminance.Handle()) {
                m_session->SetLuminancePosition(m_luminance.Position());
            }
            break;
        default:
            break;
    }
    UpdateValueTexts();
    return true;
}

void CDlgVSFilter::OnOK() {
    m_active = m_session->Ok(*this);
    EndDialog(IDOK);
}

void CDlgVSFilter::OnCancel() {
    m_active = m_session->Cancel();
    EndDialog(IDCANCEL);
}

bool CDlgVSFilter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    CVistrelApp& app = VistrelApp();
    if (message == shell_ids::kMsgCloseNow) {
        EndDialog(255);
        result = 0;
        return true;
    }
    if (message == shell_ids::kMsgReapplyFilter) {
        if (m_session) m_session->Reapply();
        result = 0;
        return true;
    }
    if (message == WM_DISPLAYCHANGE) {
        if (app.m_hFileDialogWnd != nullptr && ::IsWindow(app.m_hFileDialogWnd)) {
            ::SendMessageA(app.m_hFileDialogWnd, shell_ids::kMsgCloseNow, 0, 0);
        }
        EndDialog(0);
        result = 0;
        return true;
    }
    return false;
}

void CDlgVSFilter::OnDestroy() {
    CVistrelApp& app = VistrelApp();
    if (app.m_hFilterWnd == Handle()) app.m_hFilterWnd = nullptr;
    app.m_bFilterOpen = 0;
}
