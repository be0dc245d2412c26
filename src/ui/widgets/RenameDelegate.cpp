#include "ui/widgets/RenameDelegate.h"

#include <QLineEdit>
#include <algorithm>

namespace {
// The first max characters of text (a character outside the 16-bit range is one, not two).
QString FirstCharacters(const QString& text, int max) {
    const QList<uint> characters = text.toUcs4();
    if (characters.size() <= max)
        return text;
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()), max);
}
}  // namespace

RenameDelegate::RenameDelegate(Decide decide, int maxCharacters, QObject* parent)
    : QStyledItemDelegate(parent), decide_(std::move(decide)), maxCharacters_(maxCharacters) {}

QWidget* RenameDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                      const QModelIndex&) const {
    // A plain line, not the view's own editor that widens with its text over the next cell.
    auto* line = new QLineEdit(parent);
    const int max = maxCharacters_;
    connect(line, &QLineEdit::textEdited, line, [line, max](const QString& text) {
        const QString kept = FirstCharacters(text, max);
        if (kept != text) {
            const int cursor = std::min(line->cursorPosition(), int(kept.size()));
            line->setText(kept);
            line->setCursorPosition(cursor);
        }
    });
    return line;
}

void RenameDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const {
    QStyledItemDelegate::updateEditorGeometry(editor, option, index);
    editor->setGeometry(editor->geometry().intersected(option.rect));
}

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
