#include "ui/widgets/WindowGlue.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

#include "midi/ModuleGlobals.h"

namespace {
template <typename Control>
void ApplyTyped(QLineEdit& text, Control& control) {
    const auto value = TypedControlValue(text.text().toStdString(), control.value(),
                                         control.minimum(), control.maximum());
    if (!value)
        return;
    text.setText(QString::number(*value));
    control.setValue(*value);
}
}  // namespace

void SelectComboItem(QComboBox& list, const QString& text) {
    if (text.isEmpty())
        return;
    const QString wanted = text.toUpper();
    for (int i = 0; i < list.count(); ++i) {
        if (list.itemText(i).toUpper() == wanted) {
            list.setCurrentIndex(i);
            return;
        }
    }
}

void TextToScrollBar(QLineEdit& text, QAbstractSlider& bar) {
    ApplyTyped(text, bar);
}

void TextToUpDown(QLineEdit& text, QSpinBox& upDown) {
    ApplyTyped(text, upDown);
}

void SetCheck(QCheckBox& box, bool flag) {
    box.setCheckState(flag ? Qt::Checked : Qt::Unchecked);
}

bool GetCheck(const QCheckBox& box) {
    return box.checkState() == Qt::Checked;
}
