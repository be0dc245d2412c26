#include "catalog/CatalogFilter.h"

#include <QStringList>

#include "catalog/CatalogEntry.h"

namespace {
constexpr int kShortestIndexedWord = 3;  // the name index holds pieces of three letters

QString LikePattern(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('%'), QStringLiteral("\\%"))
        .replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

QString PhraseOf(const QString& word) {
    QString quoted = word;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
}  // namespace

QString CatalogFilter::Sql(QVariantList& binds, int limit) const {
    QStringList where;
    QStringList phrases;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (word.size() >= kShortestIndexedWord) {
            phrases.append(PhraseOf(word));
        } else {
            where.append(QStringLiteral("s.name LIKE ? ESCAPE '\\'"));
            binds.append(LikePattern(word));
        }
    }
    if (!phrases.isEmpty()) {
        where.prepend(
            QStringLiteral("s.id IN (SELECT rowid FROM sounds_text WHERE sounds_text MATCH ?)"));
        binds.prepend(phrases.join(QLatin1Char(' ')));
    }
    if (algorithm >= 0) {
        where.append(QStringLiteral("s.algorithm = ?"));
        binds.append(algorithm);
    }
    if (wave >= 0) {
        where.append(QStringLiteral("s.waves LIKE ?"));
        binds.append(QStringLiteral("% ") + QString::number(wave) + QStringLiteral(" %"));
    }
    if (!tag.isEmpty()) {
        where.append(QStringLiteral(
            "(EXISTS(SELECT 1 FROM marks m WHERE m.fingerprint = s.fingerprint AND m.kind = 'tag'"
            " AND m.value = ?) OR (' ' || s.categories || ' ') LIKE ? ESCAPE '\\')"));
        binds.append(tag);
        binds.append(LikePattern(QLatin1Char(' ') + tag + QLatin1Char(' ')));
    }
    if (!folder.isEmpty()) {
        where.append(QStringLiteral("f.path LIKE ? ESCAPE '\\'"));
        QString root = folder;
        if (!root.endsWith(QLatin1Char('/')))
            root += QLatin1Char('/');
        binds.append(LikePattern(root).mid(1));
    }
    if (favouritesOnly) {
        where.append(
            QStringLiteral("EXISTS(SELECT 1 FROM marks m WHERE m.fingerprint = s.fingerprint"
                           " AND m.kind = 'favourite')"));
    }
    if (!includeHidden) {
        where.append(
            QStringLiteral("NOT EXISTS(SELECT 1 FROM marks m WHERE m.fingerprint = s.fingerprint"
                           " AND m.kind = 'hidden')"));
    }
    if (duplicatesOnly) {
        where.append(
            QStringLiteral("s.fingerprint IN (SELECT fingerprint FROM sounds GROUP BY fingerprint"
                           " HAVING count(*) > 1)"));
    }
    QString sql = QStringLiteral("SELECT ") + CatalogEntry::Columns() +
                  QStringLiteral(" FROM sounds s JOIN files f ON f.id = s.file_id");
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    sql += duplicatesOnly ? QStringLiteral(" ORDER BY s.fingerprint, f.path, s.place")
                          : QStringLiteral(" ORDER BY s.name COLLATE NOCASE, f.path, s.place");
    if (limit >= 0)
        sql += QStringLiteral(" LIMIT %1").arg(limit);
    return sql;
}
