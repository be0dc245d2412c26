#include "ui/library/SkippedFilesDialog.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

SkippedFilesDialog::SkippedFilesDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DialogSkipped"));
    setWindowTitle(QStringLiteral("Files Skipped"));
    table_ = new QTableWidget(0, 2, this);
    table_->setObjectName(QStringLiteral("TableSkipped"));
    table_->setHorizontalHeaderLabels({QStringLiteral("File"), QStringLiteral("Reason")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setWordWrap(false);
    table_->setTextElideMode(Qt::ElideMiddle);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setColumnWidth(0, 360);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* copy = buttons->addButton(QStringLiteral("Copy"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("ButtonCopySkipped"));
    connect(copy, &QPushButton::clicked, this, &SkippedFilesDialog::CopyAll);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addWidget(buttons);
    resize(640, 280);
}

void SkippedFilesDialog::SetFiles(const Files& files) {
    table_->setRowCount(static_cast<int>(files.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const auto& [path, reason] = files[static_cast<size_t>(row)];
        auto* file = new QTableWidgetItem(path);
        file->setToolTip(path);
        table_->setItem(row, 0, file);
        table_->setItem(row, 1, new QTableWidgetItem(reason));
    }
}

QString SkippedFilesDialog::Text() const {
    QString text;
    for (int row = 0; row < table_->rowCount(); ++row)
        text += table_->item(row, 0)->text() + QLatin1Char('\t') + table_->item(row, 1)->text() +
                QLatin1Char('\n');
    return text;
}

void SkippedFilesDialog::CopyAll() const {
    QGuiApplication::clipboard()->setText(Text());
}
