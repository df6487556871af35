#include "modes/target_lists.h"

#include "modes/mode_lists.h"

namespace {

TargetList ModeTargets(std::uint64_t modeMask) {
    TargetList list;
    for (const ModeListItem& mode : ModeListForMask(modeMask))
        list.push_back({mode.value, mode.stringId, {}});
    return list;
}

void AppendSets(TargetList* list, const std::vector<std::string>& setNames) {
    for (const std::string& name : setNames) {
        if (!name.empty()) list->push_back({kModeAdjustmentData, 0, name});
    }
}

}  // namespace

TargetList RuleTargetList(std::uint64_t modeMask, const std::vector<std::string>& setNames) {
    TargetList list = ModeTargets(modeMask);
    AppendSets(&list, setNames);
    return list;
}

TargetList DefaultTargetList(std::uint64_t modeMask, const std::vector<std::string>& setNames) {
    TargetList list = ModeTargets(modeMask);
    const ModeListItem notChange = NotChangeModeItem();
    list.push_back({notChange.value, notChange.stringId, {}});
    AppendSets(&list, setNames);
    return list;
}

int FindSetItem(const TargetList& list, const std::string& name) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].IsSet() && list[i].setName == name) return static_cast<int>(i);
    }
    return -1;
}

int FindModeItem(const TargetList& list, DisplayMode mode) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!list[i].IsSet() && list[i].data == mode) return static_cast<int>(i);
    }
    return -1;
}

int RuleTargetIndex(const TargetList& list, const AppModeRule& rule) {
    if (rule.mode == kNoRuleMode) return -1;
    if (rule.mode >= kModeNotChange) return FindSetItem(list, rule.modeName);
    return FindModeItem(list, rule.mode);
}

DefaultTargetChoice ChooseDefaultTarget(const TargetList& list,
                                        const DefaultTargetSetting& setting) {
    DefaultTargetChoice choice;
    if (setting.mode > kModeNotChange) {
        if (!setting.nameRead) return choice;
        choice.index = FindSetItem(list, setting.name);
        if (choice.index < 0) {
            choice.index = FindModeItem(list, kModeNotChange);
            choice.resetStored = true;
        }
        return choice;
    }
    choice.index = FindModeItem(list, setting.mode);
    if (choice.index < 0) choice.index = FindModeItem(list, kModeNotChange);
    return choice;
}

bool HasUnsavedChange(const AppModeRule& shown, const TargetItem* selected) {
    if (selected == nullptr) return false;
    if (shown.mode < kModeNotChange) return selected->data != shown.mode;
    if (shown.mode == kModeAdjustmentData)
        return !selected->IsSet() || selected->setName != shown.modeName;
    return false;
}
