// zel1-library-bench: the sound library's figures on a tree made by zel1-library-tree.
//   zel1-library-bench DATABASE DIR
// Starts from an empty database (DATABASE is replaced), then prints: the first scan's and an
// unchanged rescan's time, the duplicate groups found, p50/p95 of a name search with an algorithm
// filter until its first page of rows is read, and the time to open the library and show its
// list in a table view with the process's resident memory after it.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <set>
#include <string>

#include "catalog/CatalogListModel.h"
#include "catalog/SoundCatalog.h"

namespace {
double Milliseconds(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

void RemoveDatabase(const QString& path) {
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
    QFile::remove(QFileInfo(path).absolutePath() + "/library-marks.txt");
}
}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: zel1-library-bench DATABASE DIR\n");
        return 2;
    }
    const QString database = QString::fromLocal8Bit(argv[1]);
    RemoveDatabase(database);
    QString notice, failure;
    {
        SoundCatalog catalog(database);
        if (!catalog.Open(notice, failure) ||
            !catalog.AddFolder(QString::fromLocal8Bit(argv[2]), failure)) {
            std::fprintf(stderr, "%s\n", qPrintable(failure));
            return 1;
        }
        QElapsedTimer timer;
        timer.start();
        const ScanSummary first = catalog.Scan();
        const double firstMs = Milliseconds(timer);
        timer.restart();
        const ScanSummary again = catalog.Scan();
        const double againMs = Milliseconds(timer);
        std::printf("first scan: %d files, %d sounds, %d unreadable in %.2f s\n", first.filesListed,
                    first.sounds, first.filesFailed, firstMs / 1000);
        std::printf("rescan, nothing changed: %d files read in %.3f s\n", again.filesRead,
                    againMs / 1000);

        CatalogFilter duplicates;
        duplicates.duplicatesOnly = true;
        std::set<uint64_t> groups;
        const std::vector<CatalogEntry> copies = catalog.Find(duplicates);
        for (const CatalogEntry& entry : copies)
            groups.insert(entry.fingerprint);
        std::printf("duplicates: %zu groups, %zu sounds\n", groups.size(), copies.size());

        // Pieces of the names the tree uses, each with an algorithm, as a user types them.
        const char* const pieces[] = {"pad", "ass", "ead", "ell", "str", "rga", "las", "arm",
                                      "dar", "oft", "low", "ast", "hoi", "luc", "wee", "eys",
                                      "lut", "arp", "pa",  "ba",  "12",  "7"};
        std::mt19937 random(7);
        CatalogListModel model(catalog);
        std::vector<double> times;
        for (int i = 0; i < 200; ++i) {
            CatalogFilter filter;
            filter.text = QString::fromLatin1(pieces[random() % std::size(pieces)]);
            filter.algorithm = static_cast<int>(random() % 28);
            timer.restart();
            model.SetFilter(filter);
            times.push_back(Milliseconds(timer));
        }
        std::sort(times.begin(), times.end());
        std::printf(
            "search + algorithm filter, first %d rows: p50 %.2f ms, p95 %.2f ms, max "
            "%.2f ms\n",
            CatalogListModel::kPageRows, times[times.size() / 2], times[times.size() * 95 / 100],
            times.back());
    }

    QElapsedTimer timer;
    timer.start();
    SoundCatalog catalog(database);
    catalog.Open(notice, failure);
    CatalogListModel model(catalog);
    model.SetFilter({});
    QTableView view;
    view.setModel(&model);
    view.resize(760, 460);
    view.show();
    QApplication::processEvents();
    std::printf(
        "library opened and listed (%d sounds, %d rows read): %.1f ms, resident memory "
        "%.1f MB\n",
        catalog.SoundCount(), model.rowCount(), Milliseconds(timer), ResidentKilobytes() / 1024.0);
    return 0;
}
