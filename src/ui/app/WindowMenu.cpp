#include "ui/app/WindowMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>

#include "ui/common/WindowHost.h"

WindowMenu::WindowMenu(QMenu& menu, WindowHost& host) : QObject(&menu), menu_(menu), host_(host) {
    connect(&menu_, &QMenu::aboutToShow, this, &WindowMenu::Refresh);
}

void WindowMenu::Refresh() {
    qDeleteAll(listed_);
    listed_.clear();
    QList<QWidget*> shown;
    for (QWidget* widget : host_.Windows()) {
        const QMdiSubWindow* frame = host_.SubWindowOf(widget);
        // The audition window hides when closed; a hidden window is not open for the user.
        if (frame != nullptr && !frame->isHidden())
            shown.append(widget);
    }
    if (shown.isEmpty())
        return;
    listed_.append(menu_.addSeparator());
    const QMdiSubWindow* active = host_.Area().currentSubWindow();
    for (qsizetype i = 0; i < shown.size(); ++i) {
        QWidget* widget = shown[i];
        // Numbered as every multi-document program does; the first nine take a key.
        const QString number =
            i < 9 ? QStringLiteral("&%1 ").arg(i + 1) : QStringLiteral("%1 ").arg(i + 1);
        QString title = widget->windowTitle();
        QAction* action = menu_.addAction(number + title.replace(QLatin1Char('&'), "&&"));
        action->setObjectName(QStringLiteral("MenuWinWindow_%1").arg(i + 1));
        action->setCheckable(true);
        action->setChecked(host_.SubWindowOf(widget) == active);
        connect(action, &QAction::triggered, this, [this, window = QPointer<QWidget>(widget)] {
            if (window != nullptr)
                host_.Activate(window);
        });
        listed_.append(action);
    }
}
