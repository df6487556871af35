// Damaged launcher information files: whatever the bytes, reading ends with a
// model whose every record is whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "launcher/launcher_info_reader.h"
#include "launcher/os_mask.h"
#include "platform/pugixml/xml_dom_pugixml.h"

namespace {

std::size_t Touch(const launcher::ButtonInfo& item) {
    std::size_t total = item.m_strTitle.size() + item.m_strItem.size() +
                        item.m_closeWindows.size() + (item.m_osMask | item.m_appOsMask);
    for (const auto& file : item.m_files) {
        total +=
            file->m_strModelName.size() + file->m_strFileName.size() + file->m_strChinese.size();
    }
    for (const auto& sub : item.m_subItems) {
        total += Touch(*sub);
    }
    return total;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto document = platform::PugiXmlDom::LoadBuffer(data, size);
    if (!document) {
        return 0;
    }
    launcher::TabList tabs;
    std::u16string title;
    launcher::ReadLauncherInfo(*document, &tabs, &title);
    if (tabs.size() > 4) {
        std::abort();
    }
    std::size_t total = title.size();
    for (const auto& tab : tabs) {
        if (tab->m_nKind < launcher::kManualTab || tab->m_nKind > launcher::kInformationTab) {
            std::abort();
        }
        for (const auto& item : tab->m_items) {
            total += Touch(*item);
        }
    }
    // Also run every DOM lookup once over the whole tree.
    auto root = document->DocumentElement();
    total += root->Descendants(u"OS").size() + root->Text().size();
    return total == static_cast<std::size_t>(-1) ? 1 : 0;
}
