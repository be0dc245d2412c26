#include "ui/library/RenameDelegate.h"

#include <QLineEdit>
#include <QMetaObject>

void RenameDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                  const QModelIndex& index) const {
    const auto* line = qobject_cast<QLineEdit*>(editor);
    if (line == nullptr || !finished_)
        return;
    QMetaObject::invokeMethod(
        parent(),
        [finished = finished_, row = index.row(), typed = line->text()] { finished(row, typed); },
        Qt::QueuedConnection);
}
