#pragma once

#include <QObject>
#include <QString>

#include "midi/PortWatch.h"

class MDIFormMain;
class ModuleMIDI;
class QSocketNotifier;
class QTimer;

// Follows the MIDI systems' own notices of ports that come and go: a synth port that vanishes is
// reported in the status bar, and one that returns is opened again and reported there too,
// without a dialog; the lists of ports (Settings, the audition) are told to list them anew.
// Nothing is looked at while nothing changes.
class DeviceWatch : public QObject {
    Q_OBJECT

  public:
    // A notice that arrives during an exchange is taken up this long (ms) after it.
    static constexpr int kBusyRetry = 200;

    DeviceWatch(ModuleMIDI& midi, MDIFormMain& window, QObject* parent = nullptr);

    void Start();
    // One look at the synth's ports; a notice calls it.
    void Look();

    // names: one port's name, or two joined by Names(); two says which.
    static QString VanishedText(const QString& names, bool two = false);
    static QString ReturnedText(const QString& names, bool two = false);

  signals:
    // Ports came or went; the driver's lists are up to date.
    void DevicesChanged();

  private:
    void Notice();
    void TakeUp();

    ModuleMIDI& midi_;
    PortWatch watch_;
    MDIFormMain& window_;
    QSocketNotifier* notifier_ = nullptr;
    QTimer* retry_;
};
