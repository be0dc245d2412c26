#include "ui/app/MainWindowBars.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "ui/app/ToolbarIcons.h"

using namespace MainMenuTable;

namespace MainWindowBars {
namespace {
QString Text(const char* text) {
    return QString::fromLatin1(text != nullptr ? text : "");
}

QMenu* AddMenu(QMainWindow& window, QMenu* parent, const MenuEntry& entry) {
    const QString name = Text(entry.name);
    QMenu* menu = nullptr;
    if (parent != nullptr) {
        menu = parent->addMenu(Text(entry.caption));
        menu->setObjectName(name + QStringLiteral("Menu"));
        menu->menuAction()->setObjectName(name);
        menu->menuAction()->setEnabled(entry.enabled);
    } else if (entry.parent == kMenuBar) {
        menu = window.menuBar()->addMenu(Text(entry.caption));
        menu->setObjectName(name);
    } else {
        // A context menu: the browsers show it, the menu bar never does.
        menu = new QMenu(Text(entry.caption), &window);
        menu->setObjectName(name);
    }
    return menu;
}
}  // namespace

Menus BuildMenus(QMainWindow& window, const CommandOf& commandOf) {
    Menus built;
    std::map<QString, QMenu*> menus;
    for (const MenuEntry& entry : MainMenuTable::Menus()) {
        QMenu* parent = entry.parent != nullptr && *entry.parent != '\0'
                            ? menus.at(Text(entry.parent))
                            : nullptr;
        if (entry.entry == Entry::Separator) {
            parent->addSeparator();
            continue;
        }
        if (entry.entry == Entry::Menu) {
            QMenu* menu = AddMenu(window, parent, entry);
            menus[menu->objectName()] = menu;
            continue;
        }
        QAction* action = parent->addAction(Text(entry.caption));
        action->setObjectName(Text(entry.name));
        if (*entry.shortcut != '\0')
            action->setShortcut(QKeySequence(Text(entry.shortcut)));
        action->setEnabled(entry.enabled);
        if (std::function<void()> command = commandOf(entry)) {
            built.commands[action->objectName()] = command;
            QObject::connect(action, &QAction::triggered, &window, std::move(command));
        }
    }
    built.sound = menus.at(QStringLiteral("MenuSound"));
    built.group = menus.at(QStringLiteral("MenuGroup"));
    return built;
}

QToolBar* BuildToolbar(QMainWindow& window, const std::function<void(const QString& key)>& click) {
    QToolBar* toolbar = window.addToolBar(QStringLiteral("Toolbar"));
    toolbar->setObjectName(QStringLiteral("Toolbar"));
    toolbar->setMovable(false);
    for (const ToolbarButton& button : ToolbarButtons()) {
        if (button.key == nullptr) {
            toolbar->addSeparator();
            continue;
        }
        const QString key = Text(button.key);
        QAction* action = toolbar->addAction(ToolbarIcons::For(key), key);
        action->setObjectName(key);
        action->setToolTip(Text(button.tooltip));
        QObject::connect(action, &QAction::triggered, &window, [click, key] { click(key); });
    }
    return toolbar;
}

std::pair<QLabel*, QLabel*> BuildStatusBar(QMainWindow& window) {
    window.statusBar()->setObjectName(QStringLiteral("StatusBar"));
    auto* send = new QLabel(&window);
    send->setObjectName(QStringLiteral("StatusBarPanel_1"));
    auto* receive = new QLabel(&window);
    receive->setObjectName(QStringLiteral("StatusBarPanel_2"));
    for (QLabel* panel : {send, receive}) {
        panel->setMinimumWidth(window.fontMetrics().horizontalAdvance(QStringLiteral("Recieve")) +
                               24);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        window.statusBar()->addWidget(panel);
    }
    return {send, receive};
}

}  // namespace MainWindowBars
