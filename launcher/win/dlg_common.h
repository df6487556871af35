#pragma once
// A link page (Manual, Application and Utility tabs): up to eight item links and
// the description area that shows the caption of the link under the pointer.
// Every tab has a page of its own, also when another tab has the same kind.
#include <memory>

#include "launcher/launcher_info.h"
#include "launcher/win/action_host.h"
#include "launcher/win/launcher_controls.h"
#include "launcher/win/page_background.h"
#include "ui/dialog.h"
#include "ui/gdi.h"

class CDlgCommon : public ui::Dialog {
public:
    static constexpr int kLinks = 8;
    // The page shows pTab's items (none when it is null).
    CDlgCommon(const launcher::TabInfo* pTab, const PageGeometry& geometry);
    ~CDlgCommon() override;

    const launcher::TabInfo* Tab() const { return m_pTab; }
    CStaticButton m_links[kLinks];
    // Set for a link whose installer was started; read when the launcher is left.
    int m_bInstallerStarted[kLinks] = {};

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override {}
    void OnCancel() override {}
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void SetUpLinks();
    void FitLink(int index, const std::u16string& title);

    const launcher::TabInfo* m_pTab = nullptr;
    PageGeometry m_geometry;
    std::unique_ptr<CActionHost> m_host;
    ui::Font m_measureFont;
    ui::Brush m_brush;
    SIZE m_backgroundSize{0, 0};
    const std::u16string m_strDefaultText;
    const std::u16string m_strEmpty;
};
