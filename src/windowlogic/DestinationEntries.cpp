#include "windowlogic/DestinationEntries.h"

#include "model/ClassSound.h"

DestinationTexts DestinationEntries(const ClassSound& sound) {
    DestinationTexts texts;
    for (int code = 0; code < kDestinationCount; ++code)
        texts[code] = std::string(DestinationName(code));
    int code = kFirstNodeDestination;
    for (int position = 0; position < sound.NodeCount() && code <= kLastNodeDestination;
         ++position, ++code)
        texts[code] = std::string(sound.Node(position)->NodeName());
    for (; code <= kLastNodeDestination; ++code)
        texts[code] = std::string(1, '.');
    return texts;
}
