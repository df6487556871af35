// Stored adjustment data sets as another program or a damaged profile may leave
// them: the 172-byte record decodes only at its exact size, its texts stay within
// their fields, and what decodes encodes back to the same set.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "modes/adjustment_data.h"
#include "modes/adjustment_store.h"
#include "support/memory_registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    AdjustmentData decoded;
    const bool ok = DecodeAdjustmentData(data, size, &decoded);
    if (ok != (size == AdjustmentData::kSize)) std::abort();
    if (ok) {
        if (decoded.modelName.size() > AdjustmentData::kModelNameSize ||
            decoded.serialNumber.size() > AdjustmentData::kSerialNumberSize ||
            decoded.identity.size() > AdjustmentData::kIdentitySize)
            std::abort();
        if (decoded.modelName.find('\0') != std::string::npos) std::abort();
        const AdjustmentBytes again = EncodeAdjustmentData(decoded);
        AdjustmentData twice;
        if (!DecodeAdjustmentData(again.data(), again.size(), &twice) || !(twice == decoded))
            std::abort();
    }
    // The same bytes as a value of the Color key, under a name taken from them.
    testing_support::MemoryRegistry store;
    const std::string name =
        size > 0 ? std::string(reinterpret_cast<const char*>(data), size % 40) : "set";
    store.SetValue(AdjustmentStore::KeyPath(), name.empty() ? "set" : name,
                   platform::RegistryType::Binary, data, static_cast<std::uint32_t>(size));
    AdjustmentStore adjustments(store);
    for (const std::string& stored : adjustments.Names()) {
        AdjustmentData read;
        if (adjustments.Read(stored, &read) && !(read == decoded)) std::abort();
    }
    return 0;
}
