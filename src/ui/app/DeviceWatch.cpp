#include "ui/app/DeviceWatch.h"

#include <QTimer>

#include "ui/app/FormSettings.h"
#include "ui/app/MDIFormMain.h"

DeviceWatch::DeviceWatch(ModuleMIDI& midi, MDIFormMain& window, QObject* parent)
    : QObject(parent), watch_(midi), window_(window), timer_(new QTimer(this)) {
    timer_->setInterval(kInterval);
    connect(timer_, &QTimer::timeout, this, &DeviceWatch::Look);
}

void DeviceWatch::Start() {
    timer_->start();
}

void DeviceWatch::Look() {
    // The settings dialog lists devices by their ids of the moment and opens ports itself.
    if (window_.Settings() != nullptr && window_.Settings()->isVisible())
        return;
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
