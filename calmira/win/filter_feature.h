#pragma once
// The screen filter as a resident feature of the main window: the active filter
// and its picture, one overlay per display, the displays' gamma ramps, timer 20
// and the "Calmira &Filter Setting" command.
#include <windows.h>

#include <string>

#include "calmira/filter_screens.h"
#include "calmira/filter_state.h"
#include "calmira/win/picture.h"
#include "platform/win32/gamma_device_win32.h"
#include "shell/registry.h"
#include "shell/win/shell_feature.h"

class CGamma;
class CTransWnd;

class CFilterFeature : public CShellFeature, public calmira::FilterScreens, public CRegistry {
public:
    void OnStart(CVistrelDlg& mainWindow) override;
    void OnDisplayChange(CVistrelDlg& mainWindow) override;
    void OnMonitorsRebuilt(CVistrelDlg& mainWindow) override;
    void OnSessionUnlock(CVistrelDlg& mainWindow) override;
    void OnResume(CVistrelDlg& mainWindow) override;
    void OnTopmostDropped(CVistrelDlg& mainWindow) override;
    void OnDestroy(CVistrelDlg& mainWindow) override;
    bool OnTimer(CVistrelDlg& mainWindow, UINT_PTR id) override;
    bool OnCommand(CVistrelDlg& mainWindow, int id) override;

    bool LoadImage(const std::string& path) override;
    void Show(const calmira::FilterState& state, bool resetLuminance) override;
    void Hide() override;
    void SetAlpha(std::int32_t alpha) override;
    void ApplyLuminance(std::int32_t luminance, bool resetFirst) override;

private:
    void BuildDisplayList();
    void CreateOverlays();
    void StartReapplyTimer();
    CGamma* GammaOf(const std::string& deviceName) const;
    template <typename Action>
    void ForEachOverlay(Action action);

    HWND m_hMain = nullptr;
    bool m_bReapplyRunning = false;
    calmira::FilterState m_filter;
    CPicture m_filterImage;
    platform::Win32GammaDevice m_gammaDevice;
};
