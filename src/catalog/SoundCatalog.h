#pragma once

#include <QString>
#include <QStringList>
#include <atomic>
#include <optional>
#include <utility>
#include <vector>

#include "catalog/CatalogConnection.h"
#include "catalog/CatalogEntry.h"
#include "catalog/CatalogFilter.h"
#include "catalog/CatalogScanner.h"
#include "catalog/NameCategories.h"
#include "midi/RawData.h"

// The sound library: an index of every sound in the user's folders, kept in a SQLite database.
// The files stay the truth. A database that cannot be read is moved aside and made afresh (a scan
// fills it again), and what the user decided (folders, tags, favourites, hidden and kept marks)
// is also kept in a small text file beside it, from which a new database takes it back.
// Every call runs on the thread that opened the catalog; Scan opens a connection of its own.
class SoundCatalog {
  public:
    // The database in the user's data folder, beside the virtual synth's memory.
    static QString DefaultPath();

    explicit SoundCatalog(QString databasePath);

    // Opens or creates the database. `notice` says what was done that the user should know (a
    // database moved aside, a migration's backup); false with `failure` when it cannot be used.
    bool Open(QString& notice, QString& failure);
    const QString& DatabasePath() const { return path_; }
    QString MarksPath() const;
    // The automatic category rules the user may edit (see CategoryRulesFile), beside the database.
    QString CategoriesPath() const;
    QSqlDatabase Database() const { return connection_.Database(); }

    QStringList Folders() const;
    bool AddFolder(const QString& folder, QString& failure);
    bool RemoveFolder(const QString& folder, QString& failure);

    // Indexes the folders (see CatalogScanner); safe to call from another thread.
    ScanSummary Scan(const CatalogScanner::Progress& progress = {},
                     const std::atomic<bool>* cancel = nullptr) const;
    // Files that could not be read at their last scan, with the reason.
    std::vector<std::pair<QString, QString>> BrokenFiles() const;

    std::vector<CatalogEntry> Find(const CatalogFilter& filter, int limit = -1) const;
    std::optional<CatalogEntry> Entry(qint64 id) const;
    // The sound's 138 bytes as the file held them (empty when the entry is gone).
    RawData Record(qint64 id) const;
    int SoundCount() const;

    // The `count` sounds nearest to `reference` (see SoundDistance), nearest first; hidden
    // sounds are left out.
    struct Neighbour {
        CatalogEntry entry;
        double distance;
    };
    std::vector<Neighbour> Similar(const RawData& reference, int count) const;

    // The user's marks on the sounds with these ids (and so on every copy of them). Each call
    // saves the marks file; false with `failure` when the database or the file failed.
    bool AddTag(const std::vector<qint64>& ids, const QString& tag, QString& failure);
    bool RemoveTag(const std::vector<qint64>& ids, const QString& tag, QString& failure);
    bool RenameTag(const QString& from, const QString& to, QString& failure);
    bool SetFavourite(const std::vector<qint64>& ids, bool on, QString& failure);
    bool SetHidden(const std::vector<qint64>& ids, bool on, QString& failure);
    // Marks this entry as the one kept among the sounds of its fingerprint.
    bool Keep(qint64 id, QString& failure);
    QStringList Tags() const;

    NameCategories Categories() const;
    // Replaces the rule table, in the database and in its file, and files every sound anew; the
    // user's tags are not touched.
    bool SetCategoryRules(const std::vector<CategoryRule>& rules, QString& failure);
    // Takes the rules from their file (written with the default rules when missing) and, when
    // they changed, files every sound anew. Open does this; call it again before a scan so an
    // edited file counts. A line that is not a rule, or a file that cannot be read or written,
    // is said in `problems` and the rest goes on; false only when the database failed.
    bool ReadCategoryRules(QStringList& problems, QString& failure);

    bool ExportMarks(const QString& file, QString& failure) const;
    // Adds the file's folders and marks to those held (nothing is removed).
    bool ImportMarks(const QString& file, int& skipped, QString& failure);

  private:
    bool OpenOnce(QString& notice, QString& failure, bool& unreadable);
    bool MoveAside(const QString& reason, QString& notice, QString& failure);
    bool SetMark(const std::vector<qint64>& ids, const QString& kind, const QString& value, bool on,
                 QString& failure);
    bool StoreCategoryRules(const std::vector<CategoryRule>& rules, QString& failure);
    bool Exec(const QString& sql, const QVariantList& binds, QString& failure);
    bool SaveMarks(QString& failure) const;
    bool MergeMarks(const QString& file, int& skipped, QString& failure);

    QString path_;
    CatalogConnection connection_;
};
