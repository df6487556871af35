#pragma once
// A static text that acts as a web link, for both programs: underlined, in its
// own colour and another while the pointer or the keyboard focus is on it, the
// link cursor over it, and a click (or Enter or Space when it has the focus)
// hands its address to the program's way of opening one.
#include <windows.h>

#include <functional>

#include "ui/controls/static_control.h"
#include "ui/gdi.h"
#include "ui/subclass.h"
#include "ui/tstring.h"

namespace ui {

// How a program's links look.
struct LinkLook {
    COLORREF normal;
    COLORREF lit;
    // Heavy type besides the underline.
    bool heavy;
    // The link cursor in the program's resources; the system's hand when it is missing.
    UINT cursor;
};

// Gives a static control the notify style and an underlined copy of its font
// (heavy too when asked), which the caller then owns.
HFONT MakeLinkFont(HWND control, bool heavy);

// Shows the link cursor over a link's client area; false for any other hit.
bool SetLinkCursor(UINT cursor, LPARAM hitTest);
// Links take the keyboard like buttons: Enter and Space press them, so the
// dialog must hand those keys over (WM_GETDLGCODE) instead of pressing its
// default button.
bool IsPressKey(WPARAM key);
bool WantsPressKey(LPARAM dialogCodeMessage);
// A link's text colour on the page's background: the hollow brush lets the page
// lay its own background behind the link.
LRESULT LinkColours(HDC dc, COLORREF text);

class HyperLink : public Subclassed<Static> {
public:
    using Opener = std::function<void(const tstring& url)>;

    explicit HyperLink(const LinkLook& look) : look_(look) {}
    ~HyperLink() override;

    // Shows the address as the link's text.
    void SetUrl(const tstring& url);
    const tstring& Url() const { return url_; }
    // How the address is opened; a link without one (or without an address)
    // opens nothing.
    void SetOpener(Opener opener) { opener_ = std::move(opener); }

    bool Lit() const { return lit_ == 1; }
    void SetLit(bool lit);

protected:
    void OnSubclassed() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnReflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Open();

    LinkLook look_;
    tstring url_;
    Opener opener_;
    // 1 while lit, as ui::FollowPointer keeps it.
    int lit_ = 0;
    ui::Font font_;
};

}  // namespace ui
