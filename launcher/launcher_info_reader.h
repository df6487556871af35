#pragma once
// Locating and reading the launcher information file into the model.
#include <string>
#include <string_view>

#include "launcher/launcher_info.h"
#include "platform/xml_dom.h"

namespace launcher {

// The launcher's folder: its own executable's full path cut after the last
// backslash, so that it ends with one. Empty when the path has none.
std::u16string LauncherAppDir(std::u16string_view modulePath);

// The information file: the folder followed directly by string 104, used as is.
std::u16string LauncherInfoPath(std::u16string_view appDir, std::u16string_view infoFileName);

// Reads the file at the path into the tabs and the caption. Every failure ends
// reading silently and leaves the model as far as it was filled: a missing
// file, a damaged one or a wrong root element load nothing.
void LoadLauncherInfo(platform::XmlDom& dom, const std::u16string& path, TabList* tabs,
                      std::u16string* launcherTitle);

// The reading itself, over a document already parsed.
void ReadLauncherInfo(const platform::XmlDocument& document, TabList* tabs,
                      std::u16string* launcherTitle);

}  // namespace launcher
