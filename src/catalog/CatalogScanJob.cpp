#include "catalog/CatalogScanJob.h"

#include <QMetaObject>

#include "catalog/SoundCatalog.h"

namespace {
constexpr int kProgressEvery = 64;  // files between two progress signals
}

CatalogScanJob::CatalogScanJob(QObject* parent) : QObject(parent) {}

CatalogScanJob::~CatalogScanJob() {
    cancel_ = true;
    if (worker_.joinable())
        worker_.join();
}

bool CatalogScanJob::Start(const SoundCatalog& catalog) {
    if (running_)
        return false;
    running_ = true;
    cancel_ = false;
    done_ = false;
    // Read on this thread: the catalog's connection belongs to it.
    CatalogScanner scanner(catalog.DatabasePath(), catalog.Categories());
    const QStringList folders = catalog.Folders();
    worker_ = std::thread([this, scanner = std::move(scanner), folders]() mutable {
        const ScanSummary summary = scanner.Run(
            folders,
            [this](int done, int total) {
                if (done % kProgressEvery == 0 || done == total) {
                    QMetaObject::invokeMethod(
                        this, [this, done, total] { emit Progress(done, total); },
                        Qt::QueuedConnection);
                }
            },
            &cancel_);
        {
            const std::lock_guard hold(lock_);
            summary_ = summary;
        }
        done_ = true;
        QMetaObject::invokeMethod(
            this, [this] { Deliver(); }, Qt::QueuedConnection);
    });
    return true;
}

void CatalogScanJob::Wait() {
    if (worker_.joinable())
        worker_.join();
    Deliver();
}

void CatalogScanJob::Deliver() {
    if (!running_ || !done_)
        return;
    if (worker_.joinable())
        worker_.join();
    running_ = false;
    ScanSummary summary;
    {
        const std::lock_guard hold(lock_);
        summary = summary_;
    }
    emit Finished(summary);
}
