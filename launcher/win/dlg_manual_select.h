#pragma once
// The selection dialog: the model (templates 132, 133) and the language
// (templates 133, 135) of a manual, document or folder.
#include <string>

#include "launcher/launcher_info.h"
#include "ui/controls/combo_box.h"
#include "ui/dialog.h"
#include "ui/gdi.h"

class CDlgManualSelect : public ui::Dialog {
public:
    CDlgManualSelect(const launcher::ButtonInfo& item, int templateId);
    ~CDlgManualSelect() override;

    // Output: the full path of the chosen file, valid when m_bChosen is set.
    std::u16string m_strPath;
    bool m_bChosen = false;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override {}
    void OnCancel() override { EndDialog(0); }
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type) override;
    void OnDestroy() override;
    bool PreTranslateMessage(MSG& message) override;

private:
    bool HasModelList() const;
    bool HasLanguageButtons() const;
    void UpdateLanguageButtons();

    const launcher::ButtonInfo& m_item;
    ui::ComboBox m_models;
    ui::Brush m_brush;
};
