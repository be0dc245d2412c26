#include "ui/widgets/ValueBoxKeys.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {
bool IsHistoryKey(const QKeyEvent& key) {
    return key.matches(QKeySequence::Undo) || key.matches(QKeySequence::Redo);
}
}  // namespace

ValueBoxKeys::ValueBoxKeys(QLineEdit& box, Typing typing, Step step)
    : QObject(&box), typing_(std::move(typing)), step_(std::move(step)) {
    box.installEventFilter(this);
}

bool ValueBoxKeys::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (IsHistoryKey(key) && !typing_()) {
            // Not taken by the box: the window's shortcut gets the key.
            event->ignore();
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (key.modifiers() & ~Qt::KeypadModifier)
        return false;
    switch (key.key()) {
        case Qt::Key_Up:
            step_(1, false);
            return true;
        case Qt::Key_Down:
            step_(-1, false);
            return true;
        case Qt::Key_PageUp:
            step_(1, true);
            return true;
        case Qt::Key_PageDown:
            step_(-1, true);
            return true;
        default:
            return false;
    }
}
