#pragma once

#include <QObject>

class EditHistory;
class QAction;
class QMainWindow;
class QMdiArea;

// Edit "Undo" and "Redo" of the main window: they act on the history of what the active child
// window shows (HistoryOwner) and say what they will do ("Undo Detune of Oscillator 2").
class UndoMenu : public QObject {
    Q_OBJECT

  public:
    // Finds the actions MenuEditUndo and MenuEditRedo among window's children.
    UndoMenu(QMainWindow& window, QMdiArea& area, EditHistory& history);

  private:
    // Makes the active child's history the undo group's active stack.
    void Follow();
    void ShowState();

    QMdiArea& area_;
    EditHistory& history_;
    QAction* undo_;
    QAction* redo_;
};
