#include "windowlogic/DestinationEntries.h"

#include <algorithm>

#include "model/ClassSound.h"
#include "tables/ParameterTable.h"

DestinationTexts DestinationEntries(const ClassSound& sound) {
    DestinationTexts texts;
    // Every destination of the sound's table offers the same list.
    const auto& table = ParameterTable::Sound(sound.Algorithm());
    const auto destination = std::find_if(table.begin(), table.end(), [](const ParameterEntry& p) {
        return p.group == ParameterGroup::Destinations && p.kind == ParameterKind::Choice;
    });
    std::copy_n(destination->choices.begin(), kDestinationCount, texts.begin());
    return texts;
}
