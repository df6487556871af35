#pragma once
// The filter's overlay over one display: a layered, click-through, topmost
// popup filled with the shared picture, tiled from the top-left corner.
#include <windows.h>

#include "calmira/win/picture.h"
#include "monitor/monitor_status.h"
#include "ui/custom_window.h"

class CTransWnd : public CMonitorOverlay, public ui::CustomWindow {
public:
    static constexpr const char* kClassName = "VistrelFilterOverlay";
    static constexpr const char* kTitle = "transparent window";
    static constexpr DWORD kExStyle =
        WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_TOPMOST;

    // Created hidden over the rectangle, owned by `owner`.
    bool Create(HWND owner, const RECT& rect);
    // The picture is not owned; null or an empty picture paints black.
    void SetImage(const CPicture* image);
    void SetAlpha(BYTE alpha);
    void Show(bool show);
    void RaiseToTop();

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();

    const CPicture* m_pImage = nullptr;
};
