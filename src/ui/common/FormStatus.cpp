#include "ui/common/FormStatus.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/EventPump.h"
#include "windowlogic/ProgressText.h"

FormStatus::FormStatus(EventPump& pump, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      pump_(pump),
      labelMessage_(new QLabel(QStringLiteral("This is the status message"), this)),
      progressBar_(new QProgressBar(this)),
      labelPercentage_(new QLabel(QStringLiteral("100%"), this)) {
    setObjectName(QStringLiteral("FormStatus"));
    setWindowTitle(QStringLiteral("Status"));
    labelMessage_->setObjectName(QStringLiteral("LabelMessage"));
    progressBar_->setObjectName(QStringLiteral("ProgressBar"));
    progressBar_->setTextVisible(false);
    labelPercentage_->setObjectName(QStringLiteral("LabelPercentage"));
    labelPercentage_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("100.0000%")));
    labelPercentage_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* row = new QHBoxLayout;
    row->addWidget(progressBar_, 1);
    row->addWidget(labelPercentage_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(labelMessage_);
    layout->addLayout(row);
    setMinimumWidth(360);
}

int FormStatus::Clamped(int value) const {
    return std::clamp(value, progressBar_->minimum(), progressBar_->maximum());
}

void FormStatus::Prepare(const QString& caption, const QString& message, int minimum, int maximum,
                         int value) {
    setWindowTitle(caption);
    labelMessage_->setText(message);
    const bool hasRange = minimum < maximum;
    progressBar_->setVisible(hasRange);
    labelPercentage_->setVisible(hasRange);
    if (hasRange) {
        progressBar_->setRange(minimum, maximum);
        progressBar_->setValue(Clamped(value));
        labelPercentage_->setText(ProgressText::Prepared(Clamped(value), minimum, maximum));
    }
    pump_.ProcessEvents();
}

void FormStatus::ChangeValue(int value) {
    ShowValue(value);
    pump_.ProcessEvents();
}

void FormStatus::ShowValue(int value) {
    progressBar_->setValue(Clamped(value));
    labelPercentage_->setText(
        ProgressText::Changed(Clamped(value), progressBar_->minimum(), progressBar_->maximum()));
}

void FormStatus::ChangeMessage(const QString& message) {
    labelMessage_->setText(message);
    pump_.ProcessEvents();
}
