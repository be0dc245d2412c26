#include "catalog/CatalogEntry.h"

#include <QVariant>

QString CatalogEntry::Columns() {
    return QStringLiteral(
        "s.id, s.name, s.algorithm, f.path, s.place, s.fingerprint, s.categories,"
        " (SELECT group_concat(value, char(9)) FROM marks m WHERE m.fingerprint = s.fingerprint"
        " AND m.kind = 'tag'),"
        " EXISTS(SELECT 1 FROM marks m WHERE m.fingerprint = s.fingerprint"
        " AND m.kind = 'favourite'),"
        " EXISTS(SELECT 1 FROM marks m WHERE m.fingerprint = s.fingerprint AND m.kind = 'hidden'),"
        " EXISTS(SELECT 1 FROM marks m WHERE m.fingerprint = s.fingerprint AND m.kind = 'keep'"
        " AND m.value = f.path || '#' || s.place)");
}

CatalogEntry CatalogEntry::FromQuery(const QSqlQuery& query) {
    CatalogEntry entry;
    entry.id = query.value(0).toLongLong();
    entry.name = query.value(1).toString();
    entry.algorithm = query.value(2).toInt();
    entry.path = query.value(3).toString();
    entry.place = query.value(4).toInt();
    entry.fingerprint = static_cast<uint64_t>(query.value(5).toLongLong());
    entry.categories = query.value(6).toString();
    const QString tags = query.value(7).toString();
    if (!tags.isEmpty())
        entry.tags = tags.split(QLatin1Char('\t'));
    entry.tags.sort();
    entry.favourite = query.value(8).toBool();
    entry.hidden = query.value(9).toBool();
    entry.kept = query.value(10).toBool();
    return entry;
}

QString CatalogEntry::Place() const {
    return path + QLatin1Char('#') + QString::number(place);
}
