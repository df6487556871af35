#include "calmira/filter_session.h"

#include <utility>

namespace calmira {

CFilterSession::CFilterSession(FilterScreens& screens, FilterUser& user,
                               std::vector<STDIMAGEDATA> images, std::string dataFolder,
                               const FilterState& active)
    : m_screens(screens),
      m_user(user),
      m_images(std::move(images)),
      m_dataFolder(std::move(dataFolder)),
      m_active(active),
      m_working(active) {
    if (m_working.on && m_working.fileType == kFileUser) {
        m_selection = SelectFileEntry();
        m_pathText = m_working.filePath;
    } else if (m_working.on && m_working.fileType == kFileDefault) {
        m_imageIndex = ListedPictureOf(m_working.filePath);
        if (m_imageIndex >= 0) {
            m_selection = m_imageIndex + 1;
        } else {
            // The dialog can only show "None" for a picture it does not list, so
            // the screens must say the same; Cancel still puts the active one back.
            m_working.TurnOff();
            m_screens.Hide();
            m_selection = 0;
        }
    } else {
        m_selection = 0;
    }
    m_activeImageIndex = m_imageIndex;
}

int CFilterSession::ListedPictureOf(const std::string& path) const {
    // The list's names are relative to the data folder and may hold a sub-folder,
    // so the last path component alone would miss "tints\amber.bmp". A path
    // stored under another data folder still finds its picture by the longest
    // name it ends with.
    int best = -1;
    std::size_t bestLength = 0;
    for (std::size_t i = 0; i < m_images.size(); ++i) {
        const std::string& name = m_images[i].fileName;
        if (name.empty() || name.size() > path.size()) continue;
        if (path == m_dataFolder + name) return static_cast<int>(i);
        const std::size_t start = path.size() - name.size();
        if (path.compare(start, name.size(), name) != 0) continue;
        if (start != 0 && path[start - 1] != '\\') continue;
        if (best < 0 || name.size() > bestLength) {
            best = static_cast<int>(i);
            bestLength = name.size();
        }
    }
    return best;
}

bool CFilterSession::PathControlsEnabled() const {
    return m_working.on && m_working.fileType == kFileUser;
}

bool CFilterSession::ValueControlsEnabled() const {
    return m_working.on && !m_working.filePath.empty();
}

int CFilterSession::TransmittancePosition() const {
    return m_working.on ? TransmittanceFromAlpha(m_working.alpha) : 0;
}

int CFilterSession::LuminancePosition() const {
    return PositionFromLuminance(m_working.on ? m_working.luminance : 0);
}

void CFilterSession::SelectNone() {
    m_working.TurnOff();
    m_imageIndex = -1;
    m_screens.Hide();
    m_selection = 0;
}

int CFilterSession::Select(int entry) {
    if (entry == m_selection || entry < 0 || entry >= EntryCount()) return m_selection;
    if (entry == 0) {
        SelectNone();
    } else if (entry == SelectFileEntry()) {
        m_working.on = 1;
        m_working.fileType = kFileUser;
        m_working.alpha = 0;
        m_working.luminance = 0;
        m_working.filePath.clear();
        m_imageIndex = -1;
        // The user browses for the picture next.
        m_screens.Hide();
        m_selection = entry;
    } else {
        const STDIMAGEDATA& image = m_images[static_cast<std::size_t>(entry - 1)];
        const std::string path = m_dataFolder + image.fileName;
        if (m_screens.LoadImage(path)) {
            m_working.on = 1;
            m_working.fileType = kFileDefault;
            m_working.alpha = image.currentAlpha;
            m_working.luminance = image.currentLuminance;
            m_working.filePath = path;
            m_imageIndex = entry - 1;
            m_screens.Show(m_working, false);
            m_selection = entry;
        } else {
            m_user.DefaultImageFailed(m_user.EntryText(entry));
            SelectNone();
        }
    }
    m_pathText.clear();
    return m_selection;
}

void CFilterSession::Browsed(const std::string& path) {
    const bool first = m_pathText.empty();
    if (m_screens.LoadImage(path)) {
        m_pathText = path;
        m_working.filePath = path;
        if (first) {
            m_working.alpha = kStartAlpha;
            m_working.luminance = 0;
        }
        m_screens.Show(m_working, false);
    } else {
        m_user.FileFailed(path);
        m_pathText.clear();
        m_working.filePath.clear();
        m_working.alpha = 0;
        m_working.luminance = 0;
        m_screens.Hide();
    }
}

void CFilterSession::SetTransmittance(int position) {
    m_working.alpha = AlphaFromTransmittance(position);
    m_screens.SetAlpha(m_working.alpha);
}

void CFilterSession::SetLuminancePosition(int position) {
    m_working.luminance = LuminanceFromPosition(position);
    m_screens.ApplyLuminance(m_working.luminance, false);
}

void CFilterSession::RestoreDefault() {
    if (!m_working.on) return;
    if (m_working.fileType == kFileDefault && m_imageIndex >= 0) {
        const STDIMAGEDATA& image = m_images[static_cast<std::size_t>(m_imageIndex)];
        m_working.alpha = image.defaultAlpha;
        m_working.luminance = image.defaultLuminance;
    } else {
        m_working.alpha = kStartAlpha;
        m_working.luminance = 0;
    }
    m_screens.SetAlpha(m_working.alpha);
    m_screens.ApplyLuminance(m_working.luminance, false);
}

void CFilterSession::Reapply() {
    if (m_working.on && !m_working.filePath.empty()) {
        m_screens.ApplyLuminance(m_working.luminance, true);
    }
}

FilterState CFilterSession::Ok(CRegistry& registry) {
    // "Select File" without a picture stores the filter as plainly off.
    if (m_working.fileType == kFileUser && m_working.filePath.empty()) m_working.TurnOff();
    StoreFilterState(registry, m_working);
    if (m_working.on && m_working.fileType == kFileDefault && m_imageIndex >= 0) {
        STDIMAGEDATA& image = m_images[static_cast<std::size_t>(m_imageIndex)];
        StoreImageChoice(registry, image.fileName, m_working.alpha, m_working.luminance);
        image.currentAlpha = m_working.alpha;
        image.currentLuminance = m_working.luminance;
    }
    m_active = m_working;
    return m_active;
}

FilterState CFilterSession::Cancel() {
    if (m_active.on) {
        if (m_active.filePath == m_working.filePath) {
            m_screens.Show(m_active, false);
        } else if (m_screens.LoadImage(m_active.filePath)) {
            m_screens.Show(m_active, false);
        } else {
            if (m_active.fileType == kFileDefault) {
                // The active picture may not be in the list at all; its path
                // still names it.
                m_user.DefaultImageFailed(m_activeImageIndex >= 0
                                              ? m_user.EntryText(m_activeImageIndex + 1)
                                              : m_active.filePath);
            } else {
                m_user.FileFailed(m_active.filePath);
            }
            m_active.TurnOff();
            m_screens.Hide();
        }
    } else if (m_working.on) {
        m_screens.Hide();
    }
    return m_active;
}

}  // namespace calmira
