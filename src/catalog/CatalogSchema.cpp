#include "catalog/CatalogSchema.h"

#include <QDateTime>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {
// Statements that take the database from version i to version i + 1.
const char* const kToVersion1[] = {
    "CREATE TABLE folders(id INTEGER PRIMARY KEY, path TEXT NOT NULL UNIQUE)",
    "CREATE TABLE files(id INTEGER PRIMARY KEY, path TEXT NOT NULL UNIQUE, size INTEGER NOT NULL,"
    " mtime INTEGER NOT NULL, error TEXT)",
    "CREATE TABLE sounds(id INTEGER PRIMARY KEY, file_id INTEGER NOT NULL REFERENCES files(id)"
    " ON DELETE CASCADE, place INTEGER NOT NULL, name TEXT NOT NULL, fingerprint INTEGER NOT NULL,"
    " algorithm INTEGER NOT NULL, waves TEXT NOT NULL, categories TEXT NOT NULL,"
    " record BLOB NOT NULL)",
    "CREATE INDEX sounds_file ON sounds(file_id)",
    "CREATE INDEX sounds_fingerprint ON sounds(fingerprint)",
    "CREATE INDEX sounds_name ON sounds(name COLLATE NOCASE)",
    // An algorithm's sounds in list order, so a filtered search reads only those.
    "CREATE INDEX sounds_algorithm ON sounds(algorithm, name COLLATE NOCASE)",
    // Substring search on names: every three-letter piece of a name is indexed.
    "CREATE VIRTUAL TABLE sounds_text USING fts5(name, content='sounds', content_rowid='id',"
    " tokenize='trigram')",
    "CREATE TRIGGER sounds_text_insert AFTER INSERT ON sounds BEGIN"
    " INSERT INTO sounds_text(rowid, name) VALUES (new.id, new.name); END",
    "CREATE TRIGGER sounds_text_delete AFTER DELETE ON sounds BEGIN"
    " INSERT INTO sounds_text(sounds_text, rowid, name) VALUES ('delete', old.id, old.name); END",
    // The user's own marks, by fingerprint so that they outlive the rows of a rescan.
    "CREATE TABLE marks(fingerprint INTEGER NOT NULL, kind TEXT NOT NULL, value TEXT NOT NULL,"
    " PRIMARY KEY(fingerprint, kind, value)) WITHOUT ROWID",
    "CREATE INDEX marks_value ON marks(kind, value)",
    "CREATE TABLE category_rules(word TEXT NOT NULL PRIMARY KEY, category TEXT NOT NULL)",
};

struct Step {
    const char* const* statements;
    size_t count;
};
const Step kSteps[] = {
    {kToVersion1, std::size(kToVersion1)},
};
static_assert(std::size(kSteps) == CatalogSchema::kVersion);

bool Run(QSqlQuery& query, const QString& statement, QString& failure) {
    if (query.exec(statement))
        return true;
    failure = query.lastError().text();
    return false;
}
}  // namespace

namespace CatalogSchema {
Outcome Prepare(QSqlDatabase& db, const QString& path, QString& backupPath, QString& failure) {
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        failure = query.lastError().text();
        return Outcome::kFailed;
    }
    const int version = query.value(0).toInt();
    if (version == kVersion)
        return Outcome::kReady;
    if (version > kVersion)
        return Outcome::kTooNew;
    if (version > 0) {
        backupPath =
            path +
            QStringLiteral(".v%1-%2.bak")
                .arg(version)
                .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss")));
        QFile::remove(backupPath);
        query.prepare(QStringLiteral("VACUUM INTO ?"));
        query.addBindValue(backupPath);
        if (!query.exec()) {
            failure = query.lastError().text();
            return Outcome::kFailed;
        }
    }
    if (!db.transaction()) {
        failure = db.lastError().text();
        return Outcome::kFailed;
    }
    for (int step = version; step < kVersion; ++step) {
        for (size_t i = 0; i < kSteps[step].count; ++i) {
            if (!Run(query, QString::fromLatin1(kSteps[step].statements[i]), failure)) {
                db.rollback();
                return Outcome::kFailed;
            }
        }
    }
    if (!Run(query, QStringLiteral("PRAGMA user_version=%1").arg(kVersion), failure) ||
        !db.commit()) {
        db.rollback();
        return Outcome::kFailed;
    }
    return version == 0 ? Outcome::kCreated : Outcome::kMigrated;
}
}  // namespace CatalogSchema
