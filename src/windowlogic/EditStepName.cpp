#include "windowlogic/EditStepName.h"

#include "tables/ParameterTable.h"

namespace EditStepName {
std::string ForSound(const RawData& before, const RawData& after) {
    const std::vector<const ParameterEntry*> changed =
        ParameterTable::ChangedInSound(before, after);
    if (changed.empty())
        return "Sound";
    // The algorithm rebuilds every node, so it names the step on its own.
    for (const ParameterEntry* p : changed) {
        if (p->group == ParameterGroup::Algorithm)
            return p->Name();
    }
    const std::vector<std::string> names = ParameterTable::Names(changed);
    if (names.size() == 1)
        return names.front();
    for (const ParameterEntry* p : changed) {
        if (p->record != changed.front()->record)
            return "Sound";
    }
    return changed.front()->record;
}

std::string ForGroup(const RawData& before, const RawData& after) {
    bool name = false;
    bool banks = false;
    for (const ParameterEntry* p : ParameterTable::ChangedInGroup(before, after))
        (p->group == ParameterGroup::Name ? name : banks) = true;
    if (name && !banks)
        return "Name";
    return banks && !name ? "Banks" : "Group";
}
}  // namespace EditStepName
