#include "ui/app/QtEventPump.h"

#include <QCoreApplication>
#include <QEventLoop>

void QtEventPump::ProcessEvents() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
