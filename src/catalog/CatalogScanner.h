#pragma once

#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>

#include "catalog/NameCategories.h"

struct ScanSummary {
    int filesListed = 0;     // sound files found below the folders
    int filesRead = 0;       // new or changed files read this time
    int filesUnchanged = 0;  // same size and time as at the last scan: not read
    int filesRemoved = 0;    // gone since the last scan, with their sounds
    int filesFailed = 0;     // read this time and refused (the reason is kept with the file)
    int sounds = 0;          // sounds in the library after the scan
    bool cancelled = false;
    QStringList missingFolders;  // their sounds are kept until the folder is there again
    QString failure;             // the database failed; empty otherwise
};

// Indexes every .zel, .zas, .snd and .als file below the folders into the library database: each
// sound of a bank is an entry of its own with its file and place. It opens a connection of its
// own, so it can run on any thread; rows are committed every few hundred files, so a reader sees
// the library grow. A file whose size and time are as at the last scan is not read again.
class CatalogScanner {
  public:
    using Progress = std::function<void(int filesDone, int filesTotal)>;

    CatalogScanner(QString databasePath, NameCategories categories);

    // cancel may be null. A cancelled scan keeps what it committed and removes nothing.
    ScanSummary Run(const QStringList& folders, const Progress& progress,
                    const std::atomic<bool>* cancel);

  private:
    QString databasePath_;
    NameCategories categories_;
};
