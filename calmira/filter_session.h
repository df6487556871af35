#pragma once
// The filter dialog's working state and every decision it takes: which list
// entry is chosen, what the sliders stand for, what OK stores and what Cancel
// puts back. The screens show the working state while the dialog is open.
#include <cstdint>
#include <string>
#include <vector>

#include "calmira/filter_definitions.h"
#include "calmira/filter_screens.h"
#include "calmira/filter_state.h"
#include "shell/registry.h"

namespace calmira {

// Messages the dialog shows the user.
class FilterUser {
public:
    virtual ~FilterUser() = default;
    // "Failed to import %s." with the list entry's text (or the path).
    virtual void DefaultImageFailed(const std::string& entryText) = 0;
    // "Failed to import %s file." with the full path.
    virtual void FileFailed(const std::string& path) = 0;
    // The list text of default picture `number` (counted from 1), "Image2".
    virtual std::string EntryText(int number) = 0;
};

class CFilterSession {
public:
    // List entries: 0 "None", 1..n the default pictures, n + 1 "Select File".
    CFilterSession(FilterScreens& screens, FilterUser& user, std::vector<STDIMAGEDATA> images,
                   std::string dataFolder, const FilterState& active);

    int EntryCount() const { return static_cast<int>(m_images.size()) + 2; }
    int SelectFileEntry() const { return static_cast<int>(m_images.size()) + 1; }
    int Selection() const { return m_selection; }
    const FilterState& Working() const { return m_working; }
    const std::vector<STDIMAGEDATA>& Images() const { return m_images; }
    // The read-only path box.
    const std::string& PathText() const { return m_pathText; }

    bool PathControlsEnabled() const;
    bool ValueControlsEnabled() const;
    int TransmittancePosition() const;
    int LuminancePosition() const;

    // A list selection; the same entry again does nothing. Returns the entry
    // that ends up selected (a failed picture falls back to "None").
    int Select(int entry);
    // A file chosen in the file dialog.
    void Browsed(const std::string& path);
    void SetTransmittance(int position);
    void SetLuminancePosition(int position);
    void RestoreDefault();
    // Unlock or resume: the working luminance again, after a reset.
    void Reapply();

    // OK: stores the working state and returns it as the new active state.
    FilterState Ok(CRegistry& registry);
    // Cancel: puts the active filter back on the screens and returns it (off when
    // its picture can no longer be loaded).
    FilterState Cancel();

private:
    void SelectNone();
    // The list entry (from 0) of the default picture at path; -1 when none.
    int ListedPictureOf(const std::string& path) const;

    FilterScreens& m_screens;
    FilterUser& m_user;
    std::vector<STDIMAGEDATA> m_images;
    std::string m_dataFolder;
    FilterState m_active;
    FilterState m_working;
    std::string m_pathText;
    int m_selection = 0;
    int m_imageIndex = -1;
    // The active picture's place in the list when the dialog opened.
    int m_activeImageIndex = -1;
};

}  // namespace calmira
