#include "ui/widgets/RenameDelegate.h"

#include <QLineEdit>

RenameDelegate::RenameDelegate(Decide decide, QObject* parent)
    : QStyledItemDelegate(parent), decide_(std::move(decide)) {}

void RenameDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const {
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (deciding_ || line == nullptr || !decide_)
        return;
    deciding_ = true;
    if (std::optional<QString> shown = decide_(index, line->text()))
        model->setData(index, *shown, Qt::EditRole);
    deciding_ = false;
    emit Finished();
}
