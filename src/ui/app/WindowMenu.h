#pragma once

#include <QList>
#include <QObject>

class QAction;
class QMenu;
class WindowHost;

// The Window menu's list of open child windows, below its own commands: one numbered item per
// shown window in the order they were opened, the active one checked; choosing an item brings
// that window to the front. The list is made afresh each time the menu opens.
class WindowMenu : public QObject {
    Q_OBJECT

  public:
    WindowMenu(QMenu& menu, WindowHost& host);

    // Makes the list anew; the menu calls it when it is about to show.
    void Refresh();

  private:
    QMenu& menu_;
    WindowHost& host_;
    QList<QAction*> listed_;
};
