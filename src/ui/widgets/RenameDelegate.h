#pragma once

#include <QStyledItemDelegate>
#include <functional>
#include <optional>

// In-place editing of a list item's text that the list's owner decides on: when the user ends
// an edit, Decide gets the typed text and returns the text the item shows from then on, or
// nothing to cancel the edit (the item keeps its text). The editor takes at most maxCharacters
// characters (what is typed or pasted beyond them is cut off at once) and stays inside the
// item's cell.
class RenameDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    using Decide = std::function<std::optional<QString>(const QModelIndex& index, const QString&)>;

    RenameDelegate(Decide decide, int maxCharacters, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

  signals:
    // The edit ended, taken or cancelled.
    void Finished() const;

  private:
    Decide decide_;
    int maxCharacters_;
    // The question asked while deciding takes the focus from the editor, which ends the edit a
    // second time; that second end is not a new rename.
    mutable bool deciding_ = false;
};
