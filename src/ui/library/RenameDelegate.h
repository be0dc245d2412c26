#pragma once

#include <QStyledItemDelegate>
#include <functional>

// In-place editing of a list item's text that leaves the item alone: the typed text goes to
// `finished` once the editor has closed, and whoever takes it decides what the item shows. The
// hand-over waits for the event loop, so a question asked then cannot make the closing editor
// commit a second time.
class RenameDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    using Finished = std::function<void(int row, const QString& typed)>;

    RenameDelegate(Finished finished, QObject* parent)
        : QStyledItemDelegate(parent), finished_(std::move(finished)) {}

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

  private:
    Finished finished_;
};
