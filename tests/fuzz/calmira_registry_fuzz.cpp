// The reminder's and the filter's registry values as they read back, whatever
// type and length another program gave them: every setting comes out in range.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "calmira/filter_definitions.h"
#include "calmira/filter_state.h"
#include "calmira/reminder_settings.h"
#include "shell/registry.h"
#include "support/memory_registry.h"

namespace {

void PutValue(FuzzedDataProvider& input, testing_support::MemoryRegistry& store,
              const std::string& key, const char* name) {
    if (!input.ConsumeBool()) return;
    const auto type = static_cast<platform::RegistryType>(input.ConsumeIntegralInRange<int>(0, 4));
    const std::vector<std::uint8_t> bytes =
        input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange<int>(0, 600));
    store.SetValue(key, name, type, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    testing_support::MemoryRegistry store;
    for (const char* name : {"Display Name", "Model Name", "Serial Num"})
        PutValue(input, store, calmira::kCalmiraKey, name);
    for (const char* name : {"On", "Hour", "Message"})
        PutValue(input, store, calmira::kReminderKey, name);
    for (const char* name : {"On", "FileType", "FilePath", "Alpha", "Luminance"})
        PutValue(input, store, calmira::kFilterKey, name);
    const std::string pictureKey = std::string(calmira::kFilterKey) + "\\amber.bmp";
    for (const char* name : {"ModAlpha", "ModLuminance"}) PutValue(input, store, pictureKey, name);
    CRegistry registry(&store);

    const calmira::ReminderSettings reminder =
        calmira::LoadReminderSettings(registry, "Rest your eyes");
    if (reminder.hours < calmira::kMinHours || reminder.hours > calmira::kMaxHours) std::abort();
    if (reminder.message.empty() || reminder.message.size() > calmira::kMaxMessageBytes)
        std::abort();
    for (const std::string* text : {&reminder.target.displayName, &reminder.target.modelName,
                                    &reminder.target.serialNumber}) {
        if (text->size() > 255 || text->find('\0') != std::string::npos) std::abort();
    }

    const calmira::FilterState filter = calmira::LoadFilterState(registry);
    if (filter.alpha < 0 || filter.alpha > calmira::kMaxAlpha) std::abort();
    if (filter.luminance < calmira::kMinLuminance || filter.luminance > calmira::kMaxLuminance)
        std::abort();
    if (filter.fileType < calmira::kFileNone || filter.fileType > calmira::kFileUser) std::abort();
    // A stored path that fills the whole buffer has no terminating zero and is kept whole.
    if (filter.filePath.size() > calmira::kPathBufferSize ||
        filter.filePath.find('\0') != std::string::npos)
        std::abort();
    if (!filter.on && !(filter == calmira::FilterState())) std::abort();

    std::vector<calmira::STDIMAGEDATA> images{{"amber.bmp", 64, -20, 64, -20}};
    calmira::LoadCurrentValues(registry, &images);
    if (images[0].currentAlpha < 0 || images[0].currentAlpha > calmira::kMaxAlpha) std::abort();
    if (images[0].currentLuminance < calmira::kMinLuminance ||
        images[0].currentLuminance > calmira::kMaxLuminance)
        std::abort();
    return 0;
}
