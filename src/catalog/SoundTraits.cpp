#include "catalog/SoundTraits.h"

#include <QStringList>
#include <cmath>
#include <set>

#include "tables/ParameterTable.h"
#include "tables/SoundLayout.h"

QString NodeWaves(const RawData& raw, int offset) {
    if (static_cast<int>(raw.size()) < offset + SoundLayout::kSize)
        return QStringLiteral(" ");
    const std::span<const int16_t> record(raw.data() + offset, SoundLayout::kSize);
    std::set<int> waves;
    for (const ParameterEntry& p : ParameterTable::Sound(ParameterTable::AlgorithmOf(record))) {
        if (p.group == ParameterGroup::NodeWaves)
            waves.insert(p.Read(record[p.offset] & 0xFF));
    }
    QString text = QStringLiteral(" ");
    for (int wave : waves)
        text += QString::number(wave) + QLatin1Char(' ');
    return text;
}

double SoundDistance(const RawData& reference, const RawData& other) {
    if (static_cast<int>(reference.size()) < SoundLayout::kSize ||
        static_cast<int>(other.size()) < SoundLayout::kSize) {
        return HUGE_VAL;
    }
    double distance = 0;
    for (const ParameterEntry& p : ParameterTable::Sound(ParameterTable::AlgorithmOf(reference))) {
        if (p.group == ParameterGroup::Name)
            continue;
        const int a = p.Read(reference[p.offset] & 0xFF);
        const int b = p.Read(other[p.offset] & 0xFF);
        if (a == b)
            continue;
        if (p.kind == ParameterKind::Number && p.max > p.min)
            distance += std::min(1.0, std::abs(a - b) / static_cast<double>(p.max - p.min));
        else
            distance += 1;
    }
    return distance;
}
