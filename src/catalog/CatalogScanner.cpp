#include "catalog/CatalogScanner.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "catalog/CatalogConnection.h"
#include "catalog/SoundFingerprint.h"
#include "catalog/SoundName.h"
#include "catalog/SoundTraits.h"
#include "library/ConvertFromSND.h"
#include "library/FileKinds.h"
#include "library/LibraryFiles.h"
#include "tables/SoundLayout.h"

namespace {
constexpr int kFilesPerCommit = 500;

struct ListedFile {
    QString path;
    qint64 size;
    qint64 mtime;
};

struct KnownFile {
    qint64 id;
    qint64 size;
    qint64 mtime;
};

bool IsSoundFile(const QString& path) {
    const FileKind kind = KindOfFile(path.toStdString());
    return kind == FileKind::Sound || kind == FileKind::AllSounds || kind == FileKind::Snd ||
           kind == FileKind::Als;
}

// Reads a file's sounds the way File "Open" would: raw files as they are, SND and ALS converted.
bool ReadSounds(const QString& path, RawData& sounds, int& count, std::string& failure) {
    const FileKind kind = KindOfFile(path.toStdString());
    // A file shorter than the records of its kind holds no whole sound: what is missing would
    // read as zeros, and the library would list sounds nobody made.
    const qint64 needed = kind == FileKind::Sound       ? kSoundFileBytes
                          : kind == FileKind::AllSounds ? kAllSoundsFileBytes - 1
                          : kind == FileKind::Snd       ? kSndFileBytes
                                                        : kAlsFileBytes;
    if (const qint64 size = QFileInfo(path).size(); size > 0 && size < needed) {
        failure = "Cannot read \"" + path.toStdString() + "\": it holds " + std::to_string(size) +
                  " bytes, fewer than the " + std::to_string(needed) +
                  " of its kind. Nothing was read.";
        return false;
    }
    if (kind == FileKind::Sound || kind == FileKind::Snd) {
        count = 1;
        return ReadSoundFile(path.toStdString(), sounds, failure);
    }
    count = SoundLayout::kUserSounds;
    return ReadAllSoundsFile(path.toStdString(), sounds, failure);
}
}  // namespace

CatalogScanner::CatalogScanner(QString databasePath, NameCategories categories)
    : databasePath_(std::move(databasePath)), categories_(std::move(categories)) {}

ScanSummary CatalogScanner::Run(const QStringList& folders, const Progress& progress,
                                const std::atomic<bool>* cancel) {
    ScanSummary summary;
    CatalogConnection connection;
    if (!connection.Open(databasePath_, summary.failure))
        return summary;
    QSqlDatabase db = connection.Database();
    auto fail = [&](const QSqlQuery& query) {
        summary.failure = query.lastError().text();
        db.rollback();
        return summary;
    };

    QSqlQuery query(db);
    QHash<QString, KnownFile> known;
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT id, path, size, mtime FROM files")))
        return fail(query);
    while (query.next()) {
        known.insert(query.value(1).toString(),
                     {query.value(0).toLongLong(), query.value(2).toLongLong(),
                      query.value(3).toLongLong()});
    }

    std::vector<ListedFile> listed;
    QSet<QString> seen;
    QStringList presentFolders;
    for (const QString& folder : folders) {
        if (!QFileInfo(folder).isDir()) {
            summary.missingFolders.append(folder);
            continue;
        }
        presentFolders.append(QFileInfo(folder).absoluteFilePath());
        QDirIterator it(folder, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            const QFileInfo info = it.fileInfo();
            const QString path = info.absoluteFilePath();
            if (!IsSoundFile(path) || seen.contains(path))
                continue;
            seen.insert(path);
            listed.push_back({path, info.size(), info.lastModified().toMSecsSinceEpoch()});
        }
    }
    summary.filesListed = static_cast<int>(listed.size());

    QSqlQuery dropSounds(db), upsertFile(db), addSound(db);
    dropSounds.prepare(QStringLiteral("DELETE FROM sounds WHERE file_id = ?"));
    upsertFile.prepare(QStringLiteral(
        "INSERT INTO files(path, size, mtime, error) VALUES (?, ?, ?, ?) ON CONFLICT(path) DO "
        "UPDATE SET size = excluded.size, mtime = excluded.mtime, error = excluded.error "
        "RETURNING id"));
    addSound.prepare(QStringLiteral(
        "INSERT INTO sounds(file_id, place, name, fingerprint, algorithm, waves, categories, "
        "record) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));

    db.transaction();
    RawData sounds;
    for (size_t i = 0; i < listed.size(); ++i) {
        if (cancel && cancel->load()) {
            summary.cancelled = true;
            break;
        }
        if (i % kFilesPerCommit == kFilesPerCommit - 1) {
            db.commit();
            db.transaction();
        }
        if (progress)
            progress(static_cast<int>(i), summary.filesListed);
        const ListedFile& file = listed[i];
        const auto before = known.constFind(file.path);
        if (before != known.cend() && before->size == file.size && before->mtime == file.mtime) {
            ++summary.filesUnchanged;
            continue;
        }
        if (before != known.cend()) {
            dropSounds.addBindValue(before->id);
            if (!dropSounds.exec())
                return fail(dropSounds);
        }
        int count = 0;
        std::string reason;
        const bool read = ReadSounds(file.path, sounds, count, reason);
        upsertFile.addBindValue(file.path);
        upsertFile.addBindValue(file.size);
        upsertFile.addBindValue(file.mtime);
        upsertFile.addBindValue(read ? QVariant() : QVariant(QString::fromStdString(reason)));
        if (!upsertFile.exec() || !upsertFile.next())
            return fail(upsertFile);
        const qint64 fileId = upsertFile.value(0).toLongLong();
        upsertFile.finish();
        ++summary.filesRead;
        if (!read) {
            ++summary.filesFailed;
            continue;
        }
        for (int place = 0; place < count; ++place) {
            const int offset = place * SoundLayout::kSize;
            const QString name = SoundName(sounds, offset);
            QByteArray record(SoundLayout::kSize, '\0');
            for (int b = 0; b < SoundLayout::kSize; ++b)
                record[b] = static_cast<char>(sounds[offset + b]);
            addSound.addBindValue(fileId);
            addSound.addBindValue(place);
            // Qt binds a null QString as NULL; these columns hold text, if empty.
            addSound.addBindValue(name.isNull() ? QStringLiteral("") : name);
            addSound.addBindValue(static_cast<qint64>(SoundFingerprint(sounds, offset)));
            addSound.addBindValue(static_cast<int>(sounds[offset + SoundLayout::kAlgorithm]));
            addSound.addBindValue(NodeWaves(sounds, offset));
            const QString categories = categories_.Of(name);
            addSound.addBindValue(categories.isNull() ? QStringLiteral("") : categories);
            addSound.addBindValue(record);
            if (!addSound.exec())
                return fail(addSound);
        }
    }

    if (!summary.cancelled) {
        // Files that are gone: below a folder that is there, or of a folder no longer listed.
        QSqlQuery remove(db);
        remove.prepare(QStringLiteral("DELETE FROM files WHERE id = ?"));
        for (auto it = known.cbegin(); it != known.cend(); ++it) {
            if (seen.contains(it.key()))
                continue;
            bool belowMissing = false;
            for (const QString& folder : summary.missingFolders) {
                const QString root = QFileInfo(folder).absoluteFilePath() + QLatin1Char('/');
                belowMissing = belowMissing || it.key().startsWith(root);
            }
            if (belowMissing)
                continue;
            remove.addBindValue(it.value().id);
            if (!remove.exec())
                return fail(remove);
            ++summary.filesRemoved;
        }
    }
    if (!db.commit())
        summary.failure = db.lastError().text();
    if (query.exec(QStringLiteral("SELECT count(*) FROM sounds")) && query.next())
        summary.sounds = query.value(0).toInt();
    if (progress && !summary.cancelled)
        progress(summary.filesListed, summary.filesListed);
    return summary;
}
