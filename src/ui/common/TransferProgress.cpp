#include "ui/common/TransferProgress.h"

#include <QTimer>
#include <algorithm>

#include "midi/ModuleMIDI.h"
#include "platform/Clock.h"
#include "ui/common/FormStatus.h"

namespace {
constexpr int kSteps = 100;
// Start, manufacturer and product, type and channel, kind and number, checksum, end.
constexpr int kFrameBytes = 9;

double CableSeconds(int bytes) {
    return bytes / TransferProgress::kCableBytesPerSecond;
}
}  // namespace

double TransferProgress::ReadSeconds(int dataBytes) {
    return CableSeconds(kFrameBytes) + ModuleMIDI::kSendPause +
           CableSeconds(2 * dataBytes + kFrameBytes);
}

double TransferProgress::WriteSeconds(int dataBytes) {
    return CableSeconds(2 * dataBytes + kFrameBytes) + ModuleMIDI::kSendPause +
           ModuleMIDI::kSilenceWindow;
}

TransferProgress::TransferProgress(FormStatus& status, Clock& clock, const QString& caption,
                                   const QString& message, double expectedSeconds)
    : status_(status),
      clock_(clock),
      start_(clock.Now()),
      expected_(std::max(expectedSeconds, 0.001)),
      timer_(new QTimer(this)) {
    status_.Prepare(caption, message, 0, kSteps, 0);
    if (expected_ > kShowAfter)
        status_.show();
    // Each pass of the events while the exchange waits moves the bar on.
    timer_->setInterval(0);
    connect(timer_, &QTimer::timeout, this, &TransferProgress::Tick);
    timer_->start();
}

TransferProgress::~TransferProgress() {
    timer_->stop();
    status_.hide();
}

void TransferProgress::Tick() {
    const double elapsed = clock_.Now() - start_;
    if (elapsed >= kShowAfter && !status_.isVisible())
        status_.show();
    status_.ShowValue(std::min(kSteps - 1, static_cast<int>(elapsed / expected_ * kSteps)));
}
