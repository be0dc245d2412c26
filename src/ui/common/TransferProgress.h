#pragma once

#include <QObject>
#include <QString>

class Clock;
class FormStatus;
class QTimer;

// The progress window over one transfer with the synth, for as long as the object lives. The
// bar follows the time the transfer takes at the pace of a MIDI cable; it stops short of the
// end until the transfer is over, however slow the synth is. A transfer expected to take over
// half a second shows the window at once, any other as soon as it has taken that long.
class TransferProgress : public QObject {
    Q_OBJECT

  public:
    static constexpr double kShowAfter = 0.5;
    static constexpr double kCableBytesPerSecond = 3125;

    TransferProgress(FormStatus& status, Clock& clock, const QString& caption,
                     const QString& message, double expectedSeconds);
    ~TransferProgress() override;
    TransferProgress(const TransferProgress&) = delete;
    TransferProgress& operator=(const TransferProgress&) = delete;

    // Seconds a request and the dump of dataBytes it brings take on the cable.
    static double ReadSeconds(int dataBytes);
    // Seconds a dump of dataBytes takes on the cable and the wait for an error reply after it.
    static double WriteSeconds(int dataBytes);

  private:
    void Tick();

    FormStatus& status_;
    Clock& clock_;
    double start_;
    double expected_;
    QTimer* timer_;
};
