#include "ui/widgets/ValueRow.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "midi/ModuleGlobals.h"
#include "ui/widgets/ValueBoxKeys.h"
#include "ui/widgets/ValueScrollBar.h"
#include "ui/widgets/WheelGuard.h"

namespace {
QString Named(const QString& prefix, const QString& name, int index) {
    return index < 0 ? prefix + name : prefix + name + QLatin1Char('_') + QString::number(index);
}
}  // namespace

ValueRow::ValueRow(const QString& name, const Range& range, QWidget* parent, int index)
    : QObject(parent), bar_(new ValueScrollBar(parent)), text_(new QLineEdit(parent)) {
    setObjectName(Named(QStringLiteral("Row"), name, index));
    bar_->setObjectName(Named(QStringLiteral("FlatScrollBar"), name, index));
    text_->setObjectName(Named(QStringLiteral("Text"), name, index));
    bar_->setRange(range.minimum, range.maximum);
    bar_->setSingleStep(range.smallStep);
    bar_->setPageStep(range.pageStep);
    bar_->setTracking(false);
    bar_->setValue(std::clamp(0, range.minimum, range.maximum));
    IgnoreWheelUnlessFocused(*bar_);
    text_->setText(QString::number(bar_->value()));
    text_->setAlignment(Qt::AlignRight);
    const int digits = text_->fontMetrics().horizontalAdvance(QStringLiteral("-0000"));
    text_->setFixedWidth(digits + 12);

    new ValueBoxKeys(
        *text_, [this] { return textEdited_; },
        [this](int steps, bool page) {
            ApplyPendingText();
            using Action = QAbstractSlider::SliderAction;
            const Action up =
                page ? QAbstractSlider::SliderPageStepAdd : QAbstractSlider::SliderSingleStepAdd;
            const Action down =
                page ? QAbstractSlider::SliderPageStepSub : QAbstractSlider::SliderSingleStepSub;
            bar_->triggerAction(steps > 0 ? up : down);
        });

    connect(bar_, &QScrollBar::sliderMoved, text_,
            [this](int value) { text_->setText(Text(value)); });
    connect(bar_, &QScrollBar::valueChanged, this, &ValueRow::OnBarChanged);
    connect(text_, &QLineEdit::textEdited, this, &ValueRow::OnTextEdited);
    connect(text_, &QLineEdit::returnPressed, this, &ValueRow::ApplyText);
    connect(text_, &QLineEdit::editingFinished, this, &ValueRow::ApplyText);
}

int ValueRow::Value() const {
    return bar_->value();
}

void ValueRow::Bind(Reader read, Target target) {
    read_ = std::move(read);
    target_ = std::move(target);
}

void ValueRow::SetLabel(const QString& label) {
    bar_->setAccessibleName(label);
    text_->setAccessibleName(label);
}

void ValueRow::ShowAs(Format format) {
    format_ = std::move(format);
    text_->setReadOnly(format_ != nullptr);
    text_->setText(Text(bar_->value()));
}

QString ValueRow::Text(int value) const {
    return format_ ? format_(value) : QString::number(value);
}

void ValueRow::Refresh() {
    ApplyPendingText();
    if (read_)
        Show(read_());
}

void ValueRow::Show(int value) {
    showing_ = true;
    const int shown = std::clamp(value, bar_->minimum(), bar_->maximum());
    bar_->setValue(shown);
    text_->setText(Text(shown));
    showing_ = false;
    textEdited_ = false;
    typedFor_ = {};
}

void ValueRow::ApplyPendingText() {
    if (textEdited_)
        ApplyText();
}

void ValueRow::OnTextEdited() {
    if (!textEdited_ && target_)
        typedFor_ = target_();
    textEdited_ = true;
}

void ValueRow::ApplyText() {
    if (text_->isReadOnly())
        return;
    if (!HasLeadingNumber(text_->text().toStdString())) {
        // A slip of the hand is no value: the box shows the row's value again.
        text_->setText(Text(bar_->value()));
        textEdited_ = false;
        typedFor_ = {};
        return;
    }
    const auto value = TypedControlValue(text_->text().toStdString(), bar_->value(),
                                         bar_->minimum(), bar_->maximum());
    const Writer writer = textEdited_ ? typedFor_ : (target_ ? target_() : Writer());
    textEdited_ = false;
    typedFor_ = {};
    if (!value)
        return;
    text_->setText(Text(*value));
    showing_ = true;
    bar_->setValue(*value);
    showing_ = false;
    if (writer)
        Write(*value, writer);
}

void ValueRow::OnBarChanged(int value) {
    text_->setText(Text(value));
    if (showing_ || !target_)
        return;
    if (Writer writer = target_())
        Write(value, writer);
}

void ValueRow::Write(int value, const Writer& writer) {
    if (writing_) {
        // A step that came while the synth was being paced (a held arrow repeats meanwhile):
        // written once the event loop has had the chance to deliver the button's release.
        if (!gathered_)
            QTimer::singleShot(0, this, &ValueRow::WriteGathered);
        gathered_ = true;
        gatheredWriter_ = writer;
        return;
    }
    writing_ = true;
    writer(value);
    lastWritten_ = value;
    writing_ = false;
    emit Written(value);
}

void ValueRow::WriteGathered() {
    if (!gathered_)
        return;
    gathered_ = false;
    const Writer writer = std::move(gatheredWriter_);
    gatheredWriter_ = {};
    if (bar_->value() != lastWritten_ && writer)
        Write(bar_->value(), writer);
}
