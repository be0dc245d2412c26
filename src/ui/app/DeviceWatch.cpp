#include "ui/app/DeviceWatch.h"

#include <QSocketNotifier>
#include <QTimer>

#include "midi/ModuleMIDI.h"
#include "ui/app/FormSettings.h"
#include "ui/app/MDIFormMain.h"

DeviceWatch::DeviceWatch(ModuleMIDI& midi, MDIFormMain& window, QObject* parent)
    : QObject(parent), midi_(midi), watch_(midi), window_(window), retry_(new QTimer(this)) {
    retry_->setSingleShot(true);
    retry_->setInterval(kBusyRetry);
    connect(retry_, &QTimer::timeout, this, &DeviceWatch::TakeUp);
}

void DeviceWatch::Start() {
    const int descriptor = midi_.DeviceChangeDescriptor();
    if (descriptor < 0 || notifier_ != nullptr)
        return;
    notifier_ = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &DeviceWatch::Notice);
}

void DeviceWatch::Notice() {
    if (midi_.TakeDeviceChange())
        TakeUp();
}

void DeviceWatch::TakeUp() {
    // An exchange holds the ports it talks through: the lists change after it.
    if (midi_.ExchangeActive()) {
        retry_->start();
        return;
    }
    midi_.RefreshDevices();
    // The synth's ports are followed by name also while the settings dialog is open: a port
    // that went and came back would otherwise stay open on nothing, and OK would not warn.
    Look();
    FormSettings* settings = window_.Settings();
    if (settings != nullptr && settings->isVisible())
        settings->ListDevices();
    emit DevicesChanged();
}

void DeviceWatch::Look() {
    const PortWatch::Change change = watch_.Check();
    const QString names = QString::fromStdString(watch_.Names());
    switch (change) {
        case PortWatch::Change::None:
            return;
        case PortWatch::Change::Vanished:
            window_.ShowStatusMessage(VanishedText(names, watch_.TwoPorts()));
            return;
        case PortWatch::Change::Returned:
            window_.ShowStatusMessage(ReturnedText(names, watch_.TwoPorts()));
            return;
    }
}

QString DeviceWatch::VanishedText(const QString& names, bool two) {
    if (two)
        return QStringLiteral(
                   "The ZEL-1's ports \"%1\" have gone; they open again when they "
                   "return.")
            .arg(names);
    return QStringLiteral("The ZEL-1's port \"%1\" has gone; it opens again when it returns.")
        .arg(names);
}

QString DeviceWatch::ReturnedText(const QString& names, bool two) {
    if (two)
        return QStringLiteral("The ZEL-1's ports \"%1\" are back and open again.").arg(names);
    return QStringLiteral("The ZEL-1's port \"%1\" is back and open again.").arg(names);
}
