#pragma once
// The "Calmira Filter" dialog: picture, transmittance and luminance, shown live
// on every display; OK keeps the choice, Cancel puts the previous filter back.
#include <windows.h>

#include <memory>
#include <string>

#include "calmira/filter_session.h"
#include "shell/registry.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/slider.h"
#include "ui/dialog.h"
#include "ui/gdi.h"

class CDlgVSFilter : public ui::Dialog, public CRegistry, public calmira::FilterUser {
public:
    // The dialog shows its choices on `screens` and leaves the filter that holds
    // after OK or Cancel in `active`.
    CDlgVSFilter(calmira::FilterScreens& screens, calmira::FilterState& active);
    ~CDlgVSFilter() override;

    void DefaultImageFailed(const std::string& entryText) override;
    void FileFailed(const std::string& path) override;
    std::string EntryText(int number) override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;
    void OnCancel() override;
    bool OnHScroll(int code, int position, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDestroy() override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type) override;

private:
    void UpdateSliders();
    void UpdateValueTexts();
    void UpdateEnabling();
    void Browse();
    void Complain(UINT stringId, const std::string& argument);

    calmira::FilterScreens& m_screens;
    calmira::FilterState& m_active;
    std::unique_ptr<calmira::CFilterSession> m_session;
    ui::ComboBox m_images;
    ui::Slider m_transmittance;
    ui::Slider m_luminance;
    ui::Brush m_brBackground;
    SIZE m_szPattern{0, 0};
};
