#include "ui/app/UndoMenu.h"

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <QUndoStack>
#include "ui/common/WindowHost.h"

#include "ui/common/EditHistory.h"
#include "ui/common/HistoryOwner.h"

UndoMenu::UndoMenu(QMainWindow& window, QMdiArea& area, EditHistory& history)
    : QObject(&window),
      area_(area),
      history_(history),
      undo_(window.findChild<QAction*>(QStringLiteral("MenuEditUndo"))),
      redo_(window.findChild<QAction*>(QStringLiteral("MenuEditRedo"))) {
    QUndoGroup& group = history_.Group();
    if (undo_ != nullptr) {
        connect(undo_, &QAction::triggered, this, [this] {
            Follow();
            history_.Group().undo();
        });
    }
    if (redo_ != nullptr) {
        connect(redo_, &QAction::triggered, this, [this] {
            Follow();
            history_.Group().redo();
        });
    }
    connect(&area_, &QMdiArea::subWindowActivated, this, &UndoMenu::Follow);
    connect(&history_, &EditHistory::ShownChanged, this, &UndoMenu::Follow);
    connect(&group, &QUndoGroup::canUndoChanged, this, &UndoMenu::ShowState);
    connect(&group, &QUndoGroup::canRedoChanged, this, &UndoMenu::ShowState);
    connect(&group, &QUndoGroup::undoTextChanged, this, &UndoMenu::ShowState);
    connect(&group, &QUndoGroup::redoTextChanged, this, &UndoMenu::ShowState);
    connect(&group, &QUndoGroup::activeStackChanged, this, &UndoMenu::ShowState);
    ShowState();
}

void UndoMenu::Follow() {
    QUndoStack* stack = nullptr;
    // The current child even while a dialog or message box has the focus.
    if (QMdiSubWindow* window = area_.currentSubWindow()) {
        if (auto* owner = dynamic_cast<HistoryOwner*>(WindowHost::WidgetOf(window)))
            stack = owner->ShownHistory();
    }
    history_.Group().setActiveStack(stack);
    ShowState();
}

void UndoMenu::ShowState() {
    const QUndoGroup& group = history_.Group();
    if (undo_ != nullptr) {
        undo_->setEnabled(group.canUndo());
        undo_->setText(group.canUndo() ? QStringLiteral("Undo ") + group.undoText()
                                       : QStringLiteral("Undo"));
    }
    if (redo_ != nullptr) {
        redo_->setEnabled(group.canRedo());
        redo_->setText(group.canRedo() ? QStringLiteral("Redo ") + group.redoText()
                                       : QStringLiteral("Redo"));
    }
}
