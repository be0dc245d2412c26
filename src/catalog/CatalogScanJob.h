#pragma once

#include <QObject>
#include <atomic>
#include <mutex>
#include <thread>

#include "catalog/CatalogScanner.h"

class SoundCatalog;

// A scan of the library on a thread of its own, so the window stays usable: progress and the
// end come back as signals on the thread that started it. Ending the job (or the window that
// owns it) cancels the scan and waits for its thread.
class CatalogScanJob : public QObject {
    Q_OBJECT

  public:
    explicit CatalogScanJob(QObject* parent = nullptr);
    ~CatalogScanJob() override;

    // False when a scan is running already.
    bool Start(const SoundCatalog& catalog);
    void Cancel() { cancel_ = true; }
    bool Running() const { return running_; }
    // Waits for the running scan to end and signals Finished at once.
    void Wait();

  signals:
    void Progress(int filesDone, int filesTotal);
    void Finished(const ScanSummary& summary);

  private:
    void Deliver();

    std::thread worker_;
    bool running_ = false;  // started and not yet delivered
    std::atomic<bool> cancel_{false};
    std::atomic<bool> done_{false};
    std::mutex lock_;
    ScanSummary summary_;
};
