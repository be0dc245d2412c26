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
    const std::vector<const ParameterEntry*> changed =
        ParameterTable::ChangedInGroup(before, after);
    if (changed.empty())
        return "Group";
    const std::vector<std::string> names = ParameterTable::Names(changed);
    if (names.size() == 1)
        return names.front();
    for (const ParameterEntry* p : changed) {
        if (p->record != changed.front()->record)
            return "Group";
    }
    return changed.front()->record;
}

std::string ForOpen(const std::string& path, const std::string& kind, int slot) {
    const size_t slash = path.find_last_of('/');
    const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    return "Open " + file + " into " + kind + " " + std::to_string(slot);
}
}  // namespace EditStepName
