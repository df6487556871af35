#pragma once
// Where vistrelctl keeps the adjustment data sets. On Windows these are the
// controller's own sets in the user's registry; on Linux one file of the user's
// configuration folder.
#include <string>
#include <vector>

#include "modes/adjustment_data.h"
#include "platform/registry.h"

class SetStore {
public:
    virtual ~SetStore() = default;
    // Names in stored order.
    virtual std::vector<std::string> Names() = 0;
    // False when there is no such set or its record is not a whole, sane one.
    virtual bool Read(const std::string& name, AdjustmentData* data) = 0;
    // Replaces a set of the same name. False, with one line in *problem, when
    // the set could not be stored.
    virtual bool Write(const std::string& name, const AdjustmentData& data,
                       std::string* problem) = 0;
    // False when there is no such set or it could not be removed (*problem).
    virtual bool Delete(const std::string& name, std::string* problem) = 0;
};

// The controller's sets: the `Color` key, and on delete the application rules
// that named the set lose that name, as when the colour page deletes it.
class RegistrySetStore : public SetStore {
public:
    explicit RegistrySetStore(platform::Registry& registry) : m_registry(registry) {}
    std::vector<std::string> Names() override;
    bool Read(const std::string& name, AdjustmentData* data) override;
    bool Write(const std::string& name, const AdjustmentData& data, std::string* problem) override;
    bool Delete(const std::string& name, std::string* problem) override;

private:
    platform::Registry& m_registry;
};
