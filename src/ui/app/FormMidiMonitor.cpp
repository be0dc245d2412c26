#include "ui/app/FormMidiMonitor.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <set>

#include "midi/MidiTap.h"
#include "platform/Clock.h"

namespace {
enum Column { kTime, kDirection, kBytes, kMeaning, kColumns };
// Characters a column takes at most: " ... (5531 bytes)" after the shown bytes; a meaning such
// as "Dump, all sounds, 2,760 bytes, checksum ok (system channel 16)".
constexpr int kLengthChars = 20;
constexpr int kTimeChars = 10;
constexpr int kDirectionChars = 4;
constexpr int kMeaningChars = 66;
constexpr int kCellPadding = 12;

QPushButton* Button(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}
}  // namespace

FormMidiMonitor::FormMidiMonitor(MidiTap& tap, Clock& clock, QWidget* parent)
    : QWidget(parent),
      tap_(tap),
      clock_(clock),
      start_(clock.Now()),
      table_(new QTableWidget(0, kColumns, this)),
      pause_(Button("CommandPause", "Pause", this)),
      timer_(new QTimer(this)) {
    setObjectName(QStringLiteral("FormMidiMonitor"));
    setWindowTitle(QStringLiteral("MIDI Monitor"));
    table_->setObjectName(QStringLiteral("ListMessages"));
    table_->setHorizontalHeaderLabels({"Time", "", "Bytes", "Meaning"});
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->setFont(QFont(QStringLiteral("monospace")));
    table_->horizontalHeader()->setSectionResizeMode(kTime, QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(kDirection, QHeaderView::ResizeToContents);
    // Wide enough for the longest bytes text: the first bytes shown and the whole length.
    const int digit = QFontMetrics(table_->font()).horizontalAdvance(QLatin1Char('0'));
    const int bytesChars = static_cast<int>(MidiMonitorLog::kShownBytes) * 3 + kLengthChars;
    table_->setColumnWidth(kBytes, digit * bytesChars + kCellPadding);
    table_->horizontalHeader()->setStretchLastSection(true);

    pause_->setCheckable(true);
    QPushButton* clear = Button("CommandClear", "Clear", this);
    QPushButton* copy = Button("CommandCopy", "Copy", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(pause_);
    buttons->addWidget(clear);
    buttons->addWidget(copy);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(table_);
    // Every column shows in full from the start: the time and direction, the bytes, and a
    // meaning as long as a dump's.
    const int width = digit * (kTimeChars + kDirectionChars + kMeaningChars) +
                      table_->columnWidth(kBytes) + 3 * kCellPadding +
                      table_->verticalScrollBar()->sizeHint().width() + 2 * table_->frameWidth() +
                      layout->contentsMargins().left() + layout->contentsMargins().right();
    resize(width, 320);

    connect(pause_, &QPushButton::toggled, this, [this](bool paused) {
        log_.SetPaused(paused);
        pause_->setText(paused ? QStringLiteral("Resume") : QStringLiteral("Pause"));
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        log_.Clear();
        table_->setRowCount(0);
    });
    auto copyRows = [this] { QApplication::clipboard()->setText(CopyRows()); };
    connect(copy, &QPushButton::clicked, this, copyRows);
    connect(new QShortcut(QKeySequence::Copy, table_), &QShortcut::activated, this, copyRows);

    tap_.SetWatching(true);
    timer_->setInterval(kPollInterval);
    connect(timer_, &QTimer::timeout, this, &FormMidiMonitor::Poll);
    timer_->start();
}

FormMidiMonitor::~FormMidiMonitor() {
    tap_.SetWatching(false);
}

void FormMidiMonitor::Poll() {
    const size_t before = log_.Rows().size();
    const size_t dropped = log_.Add(tap_.Take(), start_);
    if (dropped > 0)
        table_->model()->removeRows(0, static_cast<int>(std::min(dropped, before)));
    AppendRows(before > dropped ? before - dropped : 0);
}

void FormMidiMonitor::AppendRows(size_t first) {
    const auto& rows = log_.Rows();
    if (first >= rows.size())
        return;
    const bool atEnd =
        table_->verticalScrollBar()->value() == table_->verticalScrollBar()->maximum();
    table_->setRowCount(static_cast<int>(rows.size()));
    for (size_t i = first; i < rows.size(); ++i) {
        const MidiMonitorLog::Row& row = rows[i];
        const int r = static_cast<int>(i);
        table_->setItem(
            r, kTime, new QTableWidgetItem(QString::fromStdString(MidiMonitorLog::TimeText(row))));
        table_->setItem(
            r, kDirection,
            new QTableWidgetItem(QString::fromStdString(MidiMonitorLog::DirectionText(row))));
        table_->setItem(
            r, kBytes,
            new QTableWidgetItem(QString::fromStdString(MidiMonitorLog::ShownBytes(row))));
        table_->setItem(r, kMeaning, new QTableWidgetItem(QString::fromStdString(row.text)));
    }
    if (atEnd)
        table_->scrollToBottom();
}

QString FormMidiMonitor::CopyRows() const {
    std::set<int> chosen;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows())
        chosen.insert(index.row());
    const auto& rows = log_.Rows();
    QStringList lines;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (chosen.empty() || chosen.count(static_cast<int>(i)) != 0)
            lines.append(QString::fromStdString(MidiMonitorLog::CopyText(rows[i])));
    }
    return lines.join(QLatin1Char('\n'));
}
