#pragma once
// What the item actions need from the window that ran them: its handle as the
// owner of shell calls, its strings, message boxes and the dialogs that choose
// a file, list an application's sub-items or wait for a setup.
#include <string>

#include "launcher/launcher_info.h"
#include "launcher/setup_watch.h"
#include "launcher/launcher_shell.h"

namespace launcher {

// Message-box buttons and answers, with the values Windows uses.
inline constexpr unsigned kBoxOk = 0x00;
inline constexpr unsigned kBoxOkCancel = 0x01;
inline constexpr unsigned kBoxYesNo = 0x04;
inline constexpr unsigned kBoxIconError = 0x10;
inline constexpr unsigned kBoxIconQuestion = 0x20;
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerYes = 6;

class ActionUi {
public:
    virtual ~ActionUi() = default;
    virtual launcher::WindowRef Owner() = 0;
    virtual std::u16string String(unsigned id) = 0;
    // A message box owned by Owner() without a caption of its own; the answer.
    virtual int Ask(const std::u16string& text, unsigned style) = 0;
    // The selection dialog with the given template (IDD_SELECT_*); true and the full path
    // only when the user chose a file.
    virtual bool SelectFile(const ButtonInfo& item, int templateId, std::u16string* path) = 0;
    // The application dialog for an item with sub-items, run to its end.
    virtual void RunApplicationDialog(const ButtonInfo& item) = 0;
    // The progress dialog, run until the user closes it; what it last saw of
    // the setup (Running when it was closed before the setup ended).
    virtual SetupState RunProgress(const ButtonInfo& item, const std::u16string& title,
                                   launcher::StartedProcess& process) = 0;
    // Before a web address opens: no capture, the page drawn afresh.
    virtual void BeforeBrowsing() = 0;
};

}  // namespace launcher
