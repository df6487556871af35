#include "shell/win/controller_pages.h"

#include "match/win/dlg_multimon_match.h"
#include "modes/win/dlg_tonl.h"
#include "shell/win/dlg_page.h"
#include "shell/win/shell_ids.h"

namespace {

// Background bitmaps of the pages, below and from 120 dots per inch.
constexpr UINT kModePageBitmaps[2] = {277, 304};
constexpr UINT kColorPageBitmaps[2] = {274, 298};
constexpr UINT kSoundPageBitmaps[2] = {279, 306};

// Controls where each page's keyboard order starts.
constexpr int kModePageFirst = 1029;
constexpr int kColorPageFirst = 1008;
constexpr int kSoundPageFirst = 1008;

}  // namespace

std::unique_ptr<ui::Dialog> MakeControllerPage(int tab, unsigned templateId) {
    switch (tab) {
    case 0:
        return std::make_unique<CDlgTonl>(kModePageBitmaps[0], kModePageBitmaps[1], kModePageFirst);
    case 1:
        return std::make_unique<CDlgPage>(templateId, kColorPageBitmaps[0], kColorPageBitmaps[1],
                                          kColorPageFirst);
    case 2:
        return std::make_unique<CDlgMultiMonMatch>();
    case 3:
        return std::make_unique<CDlgPage>(templateId, kSoundPageBitmaps[0], kSoundPageBitmaps[1],
                                          kSoundPageFirst);
    default:
        return nullptr;
    }
}
