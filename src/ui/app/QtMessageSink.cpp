#include "ui/app/QtMessageSink.h"

namespace {
constexpr int kIconMask = 0x70;
constexpr int kButtonMask = 0x0F;
}  // namespace

QMessageBox::Icon QtMessageSink::IconFor(int flags) {
    switch (flags & kIconMask) {
        case MessageFlags::Critical:
            return QMessageBox::Critical;
        case MessageFlags::Question:
            return QMessageBox::Question;
        case MessageFlags::Exclamation:
            return QMessageBox::Warning;
        case MessageFlags::Information:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons QtMessageSink::ButtonsFor(int flags) {
    switch (flags & kButtonMask) {
        case MessageFlags::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageFlags::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        default:
            return QMessageBox::Ok;
    }
}

int QtMessageSink::ResultFor(QMessageBox::StandardButton button) {
    switch (button) {
        case QMessageBox::Cancel:
            return MessageFlags::ResultCancel;
        case QMessageBox::Yes:
            return MessageFlags::ResultYes;
        case QMessageBox::No:
            return MessageFlags::ResultNo;
        default:
            return MessageFlags::ResultOk;
    }
}

int QtMessageSink::Show(const std::string& text, const std::string& title, int flags) {
    QMessageBox box(IconFor(flags),
                    QString::fromStdString(title.empty() ? kApplicationTitle : title),
                    QString::fromStdString(text), ButtonsFor(flags), parent_);
    const auto answer = static_cast<QMessageBox::StandardButton>(box.exec());
    if (!box.standardButtons().testFlag(answer)) {
        // Closed without a button: the negative answer of the pair.
        if ((flags & kButtonMask) == MessageFlags::YesNo)
            return MessageFlags::ResultNo;
        if ((flags & kButtonMask) == MessageFlags::OkCancel)
            return MessageFlags::ResultCancel;
        return MessageFlags::ResultOk;
    }
    return ResultFor(answer);
}
