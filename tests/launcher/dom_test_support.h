#pragma once
// Shared by the DOM contract cases and the reader cases, which are built once
// per DOM adapter. Each adapter's test program supplies MakeTestDom().
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/xml_dom.h"

namespace launcher_test {

std::unique_ptr<platform::XmlDom> MakeTestDom();

// A private folder under the temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Writes the bytes to a file at the relative path (folders created) and
    // returns its full path in the form the ports take.
    std::u16string Write(const std::filesystem::path& relative, std::string_view bytes) const;
    // The folder's path with a trailing separator, as the launcher keeps its own folder.
    std::u16string DirWithSeparator() const;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// The repository's sample folder in the form the ports take.
std::u16string SamplesParentDir();

// Loads XML text written to a temporary file.
std::unique_ptr<platform::XmlDocument> LoadText(platform::XmlDom& dom, std::string_view xml);

}  // namespace launcher_test
