#pragma once

#include <QWidget>

#include "windowlogic/MidiMonitorLog.h"

class Clock;
class MidiTap;
class QPushButton;
class QTableWidget;
class QTimer;

// "MIDI Monitor": every message to and from the synth with its time, direction, bytes and
// meaning. The driver's thread only queues what it saw; this window reads the queue on a timer.
// Pause stops the list, Clear empties it, Copy puts the selected rows (all when none is
// selected) on the clipboard as text.
class FormMidiMonitor : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kPollInterval = 50;

    FormMidiMonitor(MidiTap& tap, Clock& clock, QWidget* parent = nullptr);
    ~FormMidiMonitor() override;

    // Takes what the tap has seen into the list.
    void Poll();
    QString CopyRows() const;
    const MidiMonitorLog& Log() const { return log_; }

  private:
    void AppendRows(size_t first);

    MidiTap& tap_;
    Clock& clock_;
    double start_;
    MidiMonitorLog log_;
    QTableWidget* table_;
    QPushButton* pause_;
    QTimer* timer_;
};
