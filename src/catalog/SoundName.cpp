#include "catalog/SoundName.h"

#include "tables/SoundLayout.h"

QString SoundName(const RawData& raw, int offset) {
    QString name;
    for (int i = 0; i < SoundLayout::kNameBytes; ++i) {
        const size_t at = static_cast<size_t>(offset + SoundLayout::kName + i);
        if (at >= raw.size() || (raw[at] & 0xFF) == 0)
            break;
        name += QChar(static_cast<char16_t>(raw[at] & 0xFF));
    }
    while (name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    return name;
}
