#include "controller/controller_pages.h"

#include "match/win/dlg_multimon_match.h"
#include "modes/win/dlg_color.h"
#include "modes/win/dlg_sound.h"
#include "modes/win/dlg_tonl.h"
#include "resources/controller/resource.h"
#include "shell/win/dlg_page.h"

namespace {

// Background bitmaps of the pages, below and from 120 dots per inch.
constexpr UINT kModePageBitmaps[2] = {IDB_TONL_BACK, IDB_TONL_BACK_HI};

// Controls where each page's keyboard order starts.
constexpr int kModePageFirst = IDC_AUTO_TONALIS;

}  // namespace

std::unique_ptr<ui::Dialog> MakeControllerPage(int tab, unsigned templateId) {
    switch (tab) {
        case 0:
            return std::make_unique<CDlgTonl>(kModePageBitmaps[0], kModePageBitmaps[1],
                                              kModePageFirst);
        case 1:
            return std::make_unique<CDlgColor>();
        case 2:
            return std::make_unique<CDlgMultiMonMatch>();
        case 3:
            return std::make_unique<CDlgSound>();
        default:
            return nullptr;
    }
}
