#pragma once

#include <QObject>
#include <QString>

#include "midi/PortWatch.h"

class MDIFormMain;
class ModuleMIDI;
class QTimer;

// Looks at the MIDI devices now and then, so that a synth port that vanishes is reported in the
// status bar, and one that returns is opened again and reported there too, without a dialog.
class DeviceWatch : public QObject {
    Q_OBJECT

  public:
    static constexpr int kInterval = 3000;  // ms; each look starts the MIDI clients afresh

    DeviceWatch(ModuleMIDI& midi, MDIFormMain& window, QObject* parent = nullptr);

    void Start();
    // One look; the timer calls it.
    void Look();

    // names: one port's name, or two joined by Names(); two says which.
    static QString VanishedText(const QString& names, bool two = false);
    static QString ReturnedText(const QString& names, bool two = false);

  private:
    PortWatch watch_;
    MDIFormMain& window_;
    QTimer* timer_;
};
