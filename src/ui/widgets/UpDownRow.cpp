#include "ui/widgets/UpDownRow.h"

#include <QLineEdit>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <algorithm>

#include "midi/ModuleGlobals.h"
#include "ui/widgets/ValueBoxKeys.h"
#include "ui/widgets/WheelGuard.h"

namespace {
QString Named(const QString& prefix, const QString& name, int index) {
    return index < 0 ? prefix + name : prefix + name + QLatin1Char('_') + QString::number(index);
}

// Wide enough for the arrows and the frame, leaving no room for the spin box's own text.
int ArrowsWidth(const QSpinBox& box) {
    QStyleOptionSpinBox option;
    option.initFrom(&box);
    option.rect = QRect(0, 0, 100, box.sizeHint().height());
    option.subControls = QStyle::SC_SpinBoxUp;
    option.frame = true;
    const QRect up =
        box.style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, &box);
    return option.rect.right() - up.left() + 1 +
           2 * box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
}
}  // namespace

UpDownRow::UpDownRow(const QString& name, int minimum, int maximum, QWidget* parent, int index)
    : QObject(parent), upDown_(new QSpinBox(parent)), text_(new QLineEdit(parent)) {
    setObjectName(Named(QStringLiteral("Row"), name, index));
    upDown_->setObjectName(Named(QStringLiteral("UpDown"), name, index));
    text_->setObjectName(Named(QStringLiteral("Text"), name, index));
    upDown_->setRange(minimum, maximum);
    upDown_->setValue(std::clamp(0, minimum, maximum));
    upDown_->setKeyboardTracking(false);
    // Only the arrows show; the text box beside them is where numbers are typed.
    upDown_->setFocusPolicy(Qt::NoFocus);
    upDown_->setFixedWidth(ArrowsWidth(*upDown_));
    IgnoreWheelUnlessFocused(*upDown_);
    text_->setText(QString::number(upDown_->value()));
    text_->setAlignment(Qt::AlignRight);
    text_->setFixedWidth(text_->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);

    new ValueBoxKeys(
        *text_, [this] { return textEdited_; },
        [this](int steps, bool page) {
            ApplyPendingText();
            upDown_->stepBy(steps * (page ? kPageStep : 1));
        });

    connect(upDown_, &QSpinBox::valueChanged, this, &UpDownRow::OnValueChanged);
    connect(text_, &QLineEdit::textEdited, this, &UpDownRow::OnTextEdited);
    connect(text_, &QLineEdit::returnPressed, this, &UpDownRow::ApplyText);
    connect(text_, &QLineEdit::editingFinished, this, &UpDownRow::ApplyText);
}

int UpDownRow::Value() const {
    return upDown_->value();
}

void UpDownRow::SetValue(int value) {
    upDown_->setValue(value);
}

void UpDownRow::Show(int value) {
    showing_ = true;
    const int shown = std::clamp(value, upDown_->minimum(), upDown_->maximum());
    upDown_->setValue(shown);
    text_->setText(QString::number(shown));
    showing_ = false;
    textEdited_ = false;
    typedFor_ = {};
}

void UpDownRow::SetEnabled(bool enabled) {
    upDown_->setEnabled(enabled);
    text_->setEnabled(enabled);
}

void UpDownRow::SetLabel(const QString& label) {
    upDown_->setAccessibleName(label);
    text_->setAccessibleName(label);
}

void UpDownRow::SetVisible(bool visible) {
    upDown_->setVisible(visible);
    text_->setVisible(visible);
}

void UpDownRow::ApplyPendingText() {
    if (textEdited_)
        ApplyText();
}

void UpDownRow::OnTextEdited() {
    if (!textEdited_ && target_)
        typedFor_ = target_();
    textEdited_ = true;
}

void UpDownRow::ApplyText() {
    if (!HasLeadingNumber(text_->text().toStdString())) {
        // A slip of the hand is no value: the box shows the row's value again.
        text_->setText(QString::number(upDown_->value()));
        textEdited_ = false;
        typedFor_ = {};
        return;
    }
    const auto value = TypedControlValue(text_->text().toStdString(), upDown_->value(),
                                         upDown_->minimum(), upDown_->maximum());
    const bool typed = textEdited_;
    const Writer writer = typedFor_;
    textEdited_ = false;
    typedFor_ = {};
    if (!value)
        return;
    text_->setText(QString::number(*value));
    if (typed) {
        hasOverride_ = true;
        override_ = writer;
    }
    upDown_->setValue(*value);
    hasOverride_ = false;
    override_ = {};
}

void UpDownRow::OnValueChanged(int value) {
    text_->setText(QString::number(value));
    if (showing_)
        return;
    emit Changed(value);
    const Writer writer = hasOverride_ ? override_ : (target_ ? target_() : Writer());
    if (writer)
        writer(value);
}
