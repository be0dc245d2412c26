#include "tables/DestinationTable.h"

const std::array<std::string_view, kDestinationCount> kDestinationNames = {
    "Off",         "Node 1",      "Node 2",      "Node 3", "Node 4",  "Node 5",
    "Node 6",      "Node 7",      "Node 8",      "Node 9", "Node 10", "LFO 1 Speed",
    "LFO 1 Depth", "LFO 2 Speed", "LFO 2 Depth", "EG Rate"};

std::string_view DestinationName(int code) {
    return code >= 0 && code < kDestinationCount ? kDestinationNames[code] : std::string_view{};
}

int DestinationNodePosition(int code) {
    return code >= kFirstNodeDestination && code <= kLastNodeDestination
               ? code - kFirstNodeDestination
               : -1;
}
