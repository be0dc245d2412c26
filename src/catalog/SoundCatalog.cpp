#include "catalog/SoundCatalog.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>
#include <algorithm>

#include "catalog/CatalogSchema.h"
#include "catalog/CategoryRulesFile.h"
#include "catalog/SoundTraits.h"
#include "catalog/UserMarks.h"
#include "platform/FileAccess.h"
#include "tables/SoundLayout.h"

namespace {
constexpr qint64 kLargestMarksFile = 64 * 1024 * 1024;
constexpr qint64 kLargestRulesFile = 1024 * 1024;

// Rules that give every name the same categories: the same pieces with the same categories.
bool SameRules(const std::vector<CategoryRule>& a, const std::vector<CategoryRule>& b) {
    auto byPiece = [](const std::vector<CategoryRule>& rules) {
        QMap<QString, QString> map;
        for (const CategoryRule& rule : rules)
            map.insert(rule.word.toLower(), rule.category);
        return map;
    };
    return byPiece(a) == byPiece(b);
}

QString IdList(const std::vector<qint64>& ids) {
    QStringList numbers;
    for (qint64 id : ids)
        numbers.append(QString::number(id));
    return numbers.join(QLatin1Char(','));
}
}  // namespace

QString SoundCatalog::DefaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/ZEL1Edit/library.sqlite");
}

SoundCatalog::SoundCatalog(QString databasePath) : path_(std::move(databasePath)) {}

QString SoundCatalog::MarksPath() const {
    return QFileInfo(path_).absolutePath() + QStringLiteral("/library-marks.txt");
}

QString SoundCatalog::CategoriesPath() const {
    return QFileInfo(path_).absolutePath() + QStringLiteral("/library-categories.txt");
}

bool SoundCatalog::Open(QString& notice, QString& failure) {
    notice.clear();
    QDir().mkpath(QFileInfo(path_).absolutePath());
    bool unreadable = false;
    if (!OpenOnce(notice, failure, unreadable)) {
        if (!unreadable || !MoveAside(failure, notice, failure) ||
            !OpenOnce(notice, failure, unreadable))
            return false;
    }
    QStringList problems;
    if (!ReadCategoryRules(problems, failure))
        return false;
    for (const QString& problem : problems)
        notice += problem + QStringLiteral(". ");
    return true;
}

bool SoundCatalog::OpenOnce(QString& notice, QString& failure, bool& unreadable) {
    unreadable = false;
    if (!connection_.Open(path_, failure)) {
        unreadable = true;
        return false;
    }
    QSqlDatabase db = connection_.Database();
    QString backup;
    switch (CatalogSchema::Prepare(db, path_, backup, failure)) {
        case CatalogSchema::Outcome::kReady:
            return true;
        case CatalogSchema::Outcome::kMigrated:
            notice += QStringLiteral(
                          "The library's database was brought up to date; a copy of it "
                          "as it was is in \"%1\". ")
                          .arg(backup);
            return true;
        case CatalogSchema::Outcome::kTooNew:
            failure = QStringLiteral(
                          "the library's database \"%1\" was written by a newer "
                          "version of this program and is left as it is")
                          .arg(path_);
            connection_.Close();
            return false;
        case CatalogSchema::Outcome::kFailed:
            unreadable = true;
            connection_.Close();
            return false;
        case CatalogSchema::Outcome::kCreated:
            break;
    }
    // A new database takes back what the user had decided before, if anything.
    QString error;
    int skipped = 0;
    if (QFileInfo::exists(MarksPath()) && !MergeMarks(MarksPath(), skipped, error)) {
        notice += QStringLiteral("Your folders and tags in \"%1\" could not be read back: %2. ")
                      .arg(MarksPath(), error);
    }
    return true;
}

bool SoundCatalog::MoveAside(const QString& reason, QString& notice, QString& failure) {
    connection_.Close();
    const QString aside = path_ + QStringLiteral(".unreadable-") +
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (QFileInfo::exists(path_ + suffix) && !QFile::rename(path_ + suffix, aside + suffix)) {
            failure = QStringLiteral(
                          "the library's database \"%1\" cannot be read (%2) and "
                          "cannot be moved aside")
                          .arg(path_ + suffix, reason);
            return false;
        }
    }
    notice += QStringLiteral(
                  "The library's database could not be read (%1). It was moved to "
                  "\"%2\" and is made afresh; scan your folders to fill it again. ")
                  .arg(reason, aside);
    return true;
}

bool SoundCatalog::Exec(const QString& sql, const QVariantList& binds, QString& failure) {
    QSqlQuery query(connection_.Database());
    query.prepare(sql);
    // Qt binds a null QString as NULL; an empty text is meant.
    for (const QVariant& value : binds) {
        const bool nullText = value.typeId() == QMetaType::QString && value.toString().isNull();
        query.addBindValue(nullText ? QVariant(QStringLiteral("")) : value);
    }
    if (query.exec())
        return true;
    failure = query.lastError().text();
    return false;
}

QStringList SoundCatalog::Folders() const {
    QStringList folders;
    QSqlQuery query(connection_.Database());
    query.exec(QStringLiteral("SELECT path FROM folders ORDER BY path"));
    while (query.next())
        folders.append(query.value(0).toString());
    return folders;
}

bool SoundCatalog::AddFolder(const QString& folder, QString& failure) {
    const QFileInfo info(folder);
    if (!info.isDir()) {
        failure = QStringLiteral("\"%1\" is not a folder").arg(folder);
        return false;
    }
    return Exec(QStringLiteral("INSERT OR IGNORE INTO folders(path) VALUES (?)"),
                {QDir::cleanPath(info.absoluteFilePath())}, failure) &&
           SaveMarks(failure);
}

bool SoundCatalog::RemoveFolder(const QString& folder, QString& failure) {
    return Exec(QStringLiteral("DELETE FROM folders WHERE path = ?"),
                {QDir::cleanPath(QFileInfo(folder).absoluteFilePath())}, failure) &&
           SaveMarks(failure);
}

ScanSummary SoundCatalog::Scan(const CatalogScanner::Progress& progress,
                               const std::atomic<bool>* cancel) const {
    CatalogScanner scanner(path_, Categories());
    return scanner.Run(Folders(), progress, cancel);
}

std::vector<std::pair<QString, QString>> SoundCatalog::BrokenFiles() const {
    std::vector<std::pair<QString, QString>> broken;
    QSqlQuery query(connection_.Database());
    query.exec(
        QStringLiteral("SELECT path, error FROM files WHERE error IS NOT NULL ORDER BY path"));
    while (query.next())
        broken.emplace_back(query.value(0).toString(), query.value(1).toString());
    return broken;
}

std::vector<CatalogEntry> SoundCatalog::Find(const CatalogFilter& filter, int limit) const {
    QVariantList binds;
    QSqlQuery query(connection_.Database());
    query.setForwardOnly(true);
    query.prepare(filter.Sql(binds, limit));
    for (const QVariant& value : binds)
        query.addBindValue(value);
    std::vector<CatalogEntry> entries;
    if (query.exec()) {
        while (query.next())
            entries.push_back(CatalogEntry::FromQuery(query));
    }
    return entries;
}

std::optional<CatalogEntry> SoundCatalog::Entry(qint64 id) const {
    QSqlQuery query(connection_.Database());
    query.prepare(QStringLiteral("SELECT ") + CatalogEntry::Columns() +
                  QStringLiteral(" FROM sounds s JOIN files f ON f.id = s.file_id WHERE s.id = ?"));
    query.addBindValue(id);
    if (query.exec() && query.next())
        return CatalogEntry::FromQuery(query);
    return std::nullopt;
}

RawData SoundCatalog::Record(qint64 id) const {
    QSqlQuery query(connection_.Database());
    query.prepare(QStringLiteral("SELECT record FROM sounds WHERE id = ?"));
    query.addBindValue(id);
    RawData raw;
    if (query.exec() && query.next()) {
        const QByteArray bytes = query.value(0).toByteArray();
        for (char byte : bytes)
            raw.push_back(static_cast<int16_t>(static_cast<uint8_t>(byte)));
    }
    return raw;
}

int SoundCatalog::SoundCount() const {
    QSqlQuery query(connection_.Database());
    if (query.exec(QStringLiteral("SELECT count(*) FROM sounds")) && query.next())
        return query.value(0).toInt();
    return 0;
}

std::vector<SoundCatalog::Neighbour> SoundCatalog::Similar(const RawData& reference,
                                                           int count) const {
    std::vector<std::pair<double, qint64>> distances;
    QSqlQuery query(connection_.Database());
    query.setForwardOnly(true);
    query.exec(QStringLiteral(
        "SELECT s.id, s.record FROM sounds s WHERE NOT EXISTS(SELECT 1 FROM marks m WHERE "
        "m.fingerprint = s.fingerprint AND m.kind = 'hidden')"));
    RawData record(SoundLayout::kSize);
    while (query.next()) {
        const QByteArray bytes = query.value(1).toByteArray();
        if (bytes.size() != SoundLayout::kSize)
            continue;
        for (int i = 0; i < SoundLayout::kSize; ++i)
            record[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[i]));
        distances.emplace_back(SoundDistance(reference, record), query.value(0).toLongLong());
    }
    const size_t wanted = std::min(distances.size(), static_cast<size_t>(std::max(count, 0)));
    std::partial_sort(distances.begin(), distances.begin() + static_cast<qsizetype>(wanted),
                      distances.end());
    std::vector<Neighbour> nearest;
    for (size_t i = 0; i < wanted; ++i) {
        if (std::optional<CatalogEntry> entry = Entry(distances[i].second))
            nearest.push_back({*entry, distances[i].first});
    }
    return nearest;
}

bool SoundCatalog::SetMark(const std::vector<qint64>& ids, const QString& kind,
                           const QString& value, bool on, QString& failure) {
    if (ids.empty())
        return true;
    const QString sounds =
        QStringLiteral("SELECT DISTINCT fingerprint FROM sounds WHERE id IN (%1)").arg(IdList(ids));
    const QString sql =
        on ? QStringLiteral(
                 "INSERT OR IGNORE INTO marks(fingerprint, kind, value) SELECT "
                 "fingerprint, ?, ? FROM (%1)")
                 .arg(sounds)
           : QStringLiteral(
                 "DELETE FROM marks WHERE kind = ? AND value = ? AND fingerprint IN (%1)")
                 .arg(sounds);
    return Exec(sql, {kind, value}, failure) && SaveMarks(failure);
}

bool SoundCatalog::AddTag(const std::vector<qint64>& ids, const QString& tag, QString& failure) {
    const QString clean = tag.simplified();
    if (clean.isEmpty()) {
        failure = QStringLiteral("a tag needs at least one letter");
        return false;
    }
    return SetMark(ids, QStringLiteral("tag"), clean, true, failure);
}

bool SoundCatalog::RemoveTag(const std::vector<qint64>& ids, const QString& tag, QString& failure) {
    return SetMark(ids, QStringLiteral("tag"), tag.simplified(), false, failure);
}

bool SoundCatalog::RenameTag(const QString& from, const QString& to, QString& failure) {
    const QString clean = to.simplified();
    if (clean.isEmpty()) {
        failure = QStringLiteral("a tag needs at least one letter");
        return false;
    }
    // A sound that already has both keeps one.
    return Exec(QStringLiteral("INSERT OR IGNORE INTO marks(fingerprint, kind, value) SELECT "
                               "fingerprint, kind, ? FROM marks WHERE kind = 'tag' AND value = ?"),
                {clean, from}, failure) &&
           Exec(QStringLiteral("DELETE FROM marks WHERE kind = 'tag' AND value = ?"), {from},
                failure) &&
           SaveMarks(failure);
}

bool SoundCatalog::SetFavourite(const std::vector<qint64>& ids, bool on, QString& failure) {
    return SetMark(ids, QStringLiteral("favourite"), QString(), on, failure);
}

bool SoundCatalog::SetHidden(const std::vector<qint64>& ids, bool on, QString& failure) {
    return SetMark(ids, QStringLiteral("hidden"), QString(), on, failure);
}

bool SoundCatalog::Keep(qint64 id, QString& failure) {
    const std::optional<CatalogEntry> entry = Entry(id);
    if (!entry) {
        failure = QStringLiteral("that sound is no longer in the library");
        return false;
    }
    return Exec(QStringLiteral("DELETE FROM marks WHERE kind = 'keep' AND fingerprint = ?"),
                {static_cast<qint64>(entry->fingerprint)}, failure) &&
           SetMark({id}, QStringLiteral("keep"), entry->Place(), true, failure);
}

QStringList SoundCatalog::Tags() const {
    QStringList tags;
    QSqlQuery query(connection_.Database());
    query.exec(
        QStringLiteral("SELECT DISTINCT value FROM marks WHERE kind = 'tag' ORDER BY value"));
    while (query.next())
        tags.append(query.value(0).toString());
    return tags;
}

NameCategories SoundCatalog::Categories() const {
    std::vector<CategoryRule> rules;
    QSqlQuery query(connection_.Database());
    query.exec(QStringLiteral("SELECT word, category FROM category_rules ORDER BY rowid"));
    while (query.next())
        rules.push_back({query.value(0).toString(), query.value(1).toString()});
    return NameCategories(std::move(rules));
}

bool SoundCatalog::SetCategoryRules(const std::vector<CategoryRule>& rules, QString& failure) {
    if (!StoreCategoryRules(rules, failure))
        return false;
    std::string reason;
    if (WriteWholeFile(CategoriesPath(), CategoryRulesFile::ToText(rules), reason))
        return true;
    failure = QStringLiteral("the rules are in use but could not be saved to \"%1\": %2")
                  .arg(CategoriesPath(), QString::fromStdString(reason));
    return false;
}

bool SoundCatalog::ReadCategoryRules(QStringList& problems, QString& failure) {
    const QString file = CategoriesPath();
    std::vector<CategoryRule> rules;
    std::string reason;
    if (!QFileInfo::exists(file)) {
        rules = NameCategories::DefaultRules();
        if (!WriteWholeFile(file, CategoryRulesFile::ToText(rules), reason)) {
            problems.append(QStringLiteral("The category rules could not be written to \"%1\": %2")
                                .arg(file, QString::fromStdString(reason)));
        }
    } else {
        QByteArray bytes;
        qint64 size = 0;
        if (ReadRegularFile(file, kLargestRulesFile, bytes, size, reason) != ReadOutcome::kRead) {
            problems.append(
                QStringLiteral("The category rules in \"%1\" could not be read (%2); the rules "
                               "in use are kept")
                    .arg(file, reason.empty() ? QStringLiteral("the file is too large")
                                              : QString::fromStdString(reason)));
            return true;
        }
        QStringList lines;
        rules = CategoryRulesFile::FromText(bytes, lines);
        for (const QString& line : lines)
            problems.append(QStringLiteral("In \"%1\", %2; it was skipped").arg(file, line));
    }
    return SameRules(rules, Categories().Rules()) || StoreCategoryRules(rules, failure);
}

bool SoundCatalog::StoreCategoryRules(const std::vector<CategoryRule>& rules, QString& failure) {
    QSqlDatabase db = connection_.Database();
    db.transaction();
    bool ok = Exec(QStringLiteral("DELETE FROM category_rules"), {}, failure);
    for (size_t i = 0; ok && i < rules.size(); ++i) {
        ok = Exec(QStringLiteral("INSERT OR REPLACE INTO category_rules(word, category) "
                                 "VALUES (?, ?)"),
                  {rules[i].word.toLower(), rules[i].category}, failure);
    }
    const NameCategories categories(rules);
    QSqlQuery read(db);
    read.setForwardOnly(true);
    std::vector<std::pair<qint64, QString>> changes;
    if (ok && read.exec(QStringLiteral("SELECT id, name, categories FROM sounds"))) {
        while (read.next()) {
            const QString now = categories.Of(read.value(1).toString());
            if (now != read.value(2).toString())
                changes.emplace_back(read.value(0).toLongLong(), now);
        }
    }
    for (size_t i = 0; ok && i < changes.size(); ++i) {
        ok = Exec(QStringLiteral("UPDATE sounds SET categories = ? WHERE id = ?"),
                  {changes[i].second, changes[i].first}, failure);
    }
    if (ok)
        return db.commit();
    db.rollback();
    return false;
}

bool SoundCatalog::SaveMarks(QString& failure) const {
    UserMarks marks;
    marks.folders = Folders();
    QSqlQuery query(connection_.Database());
    query.exec(
        QStringLiteral("SELECT fingerprint, kind, value FROM marks ORDER BY kind, value, "
                       "fingerprint"));
    while (query.next()) {
        marks.marks.push_back({static_cast<uint64_t>(query.value(0).toLongLong()),
                               query.value(1).toString(), query.value(2).toString()});
    }
    std::string reason;
    if (WriteWholeFile(MarksPath(), marks.ToText(), reason))
        return true;
    failure = QStringLiteral(
                  "your marks were kept in the library but could not be saved to "
                  "\"%1\": %2")
                  .arg(MarksPath(), QString::fromStdString(reason));
    return false;
}

bool SoundCatalog::ExportMarks(const QString& file, QString& failure) const {
    QString saved;
    if (!SaveMarks(saved)) {
        failure = saved;
        return false;
    }
    QByteArray bytes;
    qint64 size = 0;
    std::string reason;
    if (ReadRegularFile(MarksPath(), kLargestMarksFile, bytes, size, reason) !=
            ReadOutcome::kRead ||
        !WriteWholeFile(file, bytes, reason)) {
        failure = QString::fromStdString(reason);
        return false;
    }
    return true;
}

bool SoundCatalog::ImportMarks(const QString& file, int& skipped, QString& failure) {
    return MergeMarks(file, skipped, failure) && SaveMarks(failure);
}

bool SoundCatalog::MergeMarks(const QString& file, int& skipped, QString& failure) {
    QByteArray bytes;
    qint64 size = 0;
    std::string reason;
    if (ReadRegularFile(file, kLargestMarksFile, bytes, size, reason) != ReadOutcome::kRead) {
        failure = reason.empty() ? QStringLiteral("the file is too large")
                                 : QString::fromStdString(reason);
        return false;
    }
    UserMarks marks;
    if (!marks.FromText(bytes, skipped, failure))
        return false;
    QSqlDatabase db = connection_.Database();
    db.transaction();
    bool ok = true;
    for (const QString& folder : marks.folders) {
        ok = ok && Exec(QStringLiteral("INSERT OR IGNORE INTO folders(path) VALUES (?)"), {folder},
                        failure);
    }
    for (const UserMark& mark : marks.marks) {
        ok = ok && Exec(QStringLiteral("INSERT OR IGNORE INTO marks(fingerprint, kind, value) "
                                       "VALUES (?, ?, ?)"),
                        {static_cast<qint64>(mark.fingerprint), mark.kind, mark.value}, failure);
    }
    if (ok)
        return db.commit();
    db.rollback();
    return false;
}
