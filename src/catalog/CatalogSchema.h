#pragma once

#include <QSqlDatabase>
#include <QString>

// The library database's tables and their versions. Each version's statements take a database of
// the version before to it; a database older than this program's is copied aside before the
// first statement that changes it.
namespace CatalogSchema {
inline constexpr int kVersion = 1;

enum class Outcome {
    kReady,     // already at kVersion
    kCreated,   // an empty file that now holds the empty tables
    kMigrated,  // brought up from an older version; backupPath names its copy
    kTooNew,    // written by a newer program: left untouched
    kFailed,    // SQLite failed; failure says why
};

Outcome Prepare(QSqlDatabase& db, const QString& path, QString& backupPath, QString& failure);
}  // namespace CatalogSchema
