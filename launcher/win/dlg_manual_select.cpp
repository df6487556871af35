#include "launcher/win/dlg_manual_select.h"

#include "launcher/action_ui.h"
#include "launcher/file_selection.h"
#include "launcher/win/launcher_app.h"
#include "launcher/win/wide_text.h"
#include "resources/launcher/resource.h"

CDlgManualSelect::CDlgManualSelect(const launcher::ButtonInfo& item, int templateId)
    : ui::Dialog(static_cast<UINT>(templateId)), m_item(item) {}

CDlgManualSelect::~CDlgManualSelect() = default;

bool CDlgManualSelect::HasModelList() const {
    return TemplateId() != IDD_SELECT_LANGUAGE;
}
bool CDlgManualSelect::HasLanguageButtons() const {
    return TemplateId() != IDD_SELECT_MODEL;
}

bool CDlgManualSelect::OnInitDialog() {
    m_brush.Reset(::CreateSolidBrush(RGB(239, 239, 233)));
    m_strPath = CLauncherApp::Get()->m_strAppDir;
    if (HasModelList()) {
        m_models.AttachItem(Handle(), IDC_MODEL_LIST);
        m_models.Clear();
        int index = 0;
        for (const auto& entry : m_item.m_files)
            m_models.Insert(index++, Wide(entry->m_strModelName));
        m_models.Select(0);
    }
    UpdateLanguageButtons();
    CLauncherApp::Get()->m_bSelectDialogOpen = 1;
    return true;
}

void CDlgManualSelect::UpdateLanguageButtons() {
    if (!HasLanguageButtons()) return;
    const int selected = HasModelList() ? m_models.Selection() : 0;
    const auto states = launcher::LanguageButtonStates(launcher::ChosenEntry(m_item, selected));
    for (int language = 0; language < launcher::kLanguageCount; ++language) {
        EnableItem(IDC_LANG_JAPANESE + language, states[static_cast<size_t>(language)]);
    }
}

bool CDlgManualSelect::OnCommand(int id, int code, HWND) {
    const int selected = HasModelList() ? m_models.Selection() : 0;
    if (id == IDC_MODEL_LIST && code == CBN_SELCHANGE) {
        UpdateLanguageButtons();
        return true;
    }
    if (HasLanguageButtons() && id >= IDC_LANG_JAPANESE && id <= IDC_LANG_CHINESE &&
        code == BN_CLICKED) {
        m_bChosen = launcher::ChooseLanguageFile(m_item, selected, id - IDC_LANG_JAPANESE,
                                                 CLauncherApp::Get()->m_strAppDir, &m_strPath);
        EndDialog(m_bChosen ? 1 : 0);
        return true;
    }
    if (TemplateId() == IDD_SELECT_MODEL && id == IDC_SELECT_OK && code == BN_CLICKED) {
        m_bChosen = launcher::ChooseModelFile(m_item, selected, CLauncherApp::Get()->m_strAppDir,
                                              &m_strPath);
        if (!m_bChosen) m_strPath.clear();
        EndDialog(m_bChosen ? 1 : 0);
        return true;
    }
    return false;
}

bool CDlgManualSelect::PreTranslateMessage(MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    if (message.wParam == VK_ESCAPE) {
        EndDialog(0);
        return true;
    }
    // Enter in the model list only closes its drop-down, never the dialog.
    if (message.wParam == VK_RETURN && HasModelList() &&
        (message.hwnd == m_models.Handle() || ::GetParent(message.hwnd) == m_models.Handle())) {
        if (m_models.IsDroppedDown()) m_models.ShowDropDown(false);
        return true;
    }
    return false;
}

HBRUSH CDlgManualSelect::OnCtlColor(HDC dc, HWND, UINT type) {
    // The list keeps the system's colours.
    if (type == CTLCOLOR_EDIT || type == CTLCOLOR_LISTBOX) return nullptr;
    ::SetBkMode(dc, TRANSPARENT);
    return m_brush.Get();
}

void CDlgManualSelect::OnDestroy() {
    CLauncherApp::Get()->m_bSelectDialogOpen = 0;
}
