#include "dom_test_support.h"

#include <fstream>
#include <random>
#include <system_error>

namespace launcher_test {

TempFolder::TempFolder() {
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    do {
        path_ = base / ("launcher-test-" + std::to_string(random()));
    } while (std::filesystem::exists(path_));
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::u16string TempFolder::Write(const std::filesystem::path& relative,
                                 std::string_view bytes) const {
    const std::filesystem::path full = path_ / relative;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return full.u16string();
}

std::u16string TempFolder::DirWithSeparator() const {
    return path_.u16string() + u"\\";
}

std::u16string SamplesParentDir() {
    std::u16string dir = std::filesystem::path(LAUNCHER_SAMPLES_DIR).parent_path().u16string();
#ifdef _WIN32
    // The repository lives on the Linux side; Wine shows its root as drive Z.
    for (char16_t& c : dir) {
        if (c == u'/') {
            c = u'\\';
        }
    }
    dir = u"Z:" + dir;
#endif
    return dir + u"\\";
}

std::unique_ptr<platform::XmlDocument> LoadText(platform::XmlDom& dom, std::string_view xml) {
    TempFolder folder;
    return dom.LoadFile(folder.Write("document.xml", xml));
}

}  // namespace launcher_test
