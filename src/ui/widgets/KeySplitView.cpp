#include "ui/widgets/KeySplitView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStringList>

#include "windowlogic/BankEntries.h"

namespace {
constexpr int kRows = KeySplitLayout::kBanks;

std::array<KeySplitLayout::Range, KeySplitLayout::kBanks> NoRanges() {
    std::array<KeySplitLayout::Range, KeySplitLayout::kBanks> ranges{};
    for (auto& range : ranges)
        range = {1, 0};
    return ranges;
}
}  // namespace

KeySplitView::KeySplitView(QWidget* parent) : QWidget(parent), layout_(NoRanges()) {
    setObjectName(QStringLiteral("KeySplitView"));
    setToolTip(QStringLiteral("Key ranges of the eight banks"));
}

void KeySplitView::SetRanges(
    const std::array<KeySplitLayout::Range, KeySplitLayout::kBanks>& ranges) {
    layout_ = KeySplitLayout(ranges);
    DescribeRanges(ranges);
    update();
}

void KeySplitView::DescribeRanges(
    const std::array<KeySplitLayout::Range, KeySplitLayout::kBanks>& ranges) {
    QStringList banks;
    for (int bank = 0; bank < KeySplitLayout::kBanks; ++bank) {
        const KeySplitLayout::Bar& bar = layout_.BarOf(bank);
        QString text = QStringLiteral("Bank %1: ").arg(bank + 1);
        if (bar.empty)
            text += QStringLiteral("no keys");
        else
            text += QString::fromStdString(BankEntries::SplitText(ranges[bank].low)) +
                    QStringLiteral(" to ") +
                    QString::fromStdString(BankEntries::SplitText(ranges[bank].high));
        if (bar.overlaps)
            text += QStringLiteral(", shares keys with another bank");
        banks << text;
    }
    setAccessibleDescription(banks.join(QStringLiteral("; ")));
}

void KeySplitView::SetCurrentBank(int bank) {
    currentBank_ = bank;
    update();
}

QSize KeySplitView::sizeHint() const {
    return {KeySplitLayout::kColumns * 5 + Gutter(),
            kRows * (fontMetrics().height() + 2) + KeyboardHeight() + 2};
}

QSize KeySplitView::minimumSizeHint() const {
    return {KeySplitLayout::kColumns * 3 + Gutter(),
            kRows * fontMetrics().height() + KeyboardHeight() + 2};
}

int KeySplitView::Gutter() const {
    return fontMetrics().horizontalAdvance(QStringLiteral("88")) + 6;
}

int KeySplitView::RowHeight() const {
    return std::max(8, (height() - KeyboardHeight() - 2) / kRows);
}

int KeySplitView::KeyboardHeight() const {
    return 2 * fontMetrics().height() + 6;
}

const PianoLayout& KeySplitView::Piano() {
    static const PianoLayout kPiano(KeySplitLayout::kFirstKey, KeySplitLayout::kLastKey);
    return kPiano;
}

double KeySplitView::Scale() const {
    return (width() - Gutter() - 1) / Piano().Width();
}

QRectF KeySplitView::KeySpan(int first, int last) const {
    const PianoLayout::Key& low = Piano().KeyOf(KeySplitLayout::KeyOf(first));
    const PianoLayout::Key& high = Piano().KeyOf(KeySplitLayout::KeyOf(last));
    const double left = Gutter() + low.left * Scale();
    return {left, 0, Gutter() + (high.left + high.width) * Scale() - left, 0};
}

void KeySplitView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const int rowHeight = RowHeight();
    const QColor plain(70, 120, 190);
    const QColor layered(220, 120, 40);
    for (int bank = 0; bank < kRows; ++bank) {
        const int top = bank * rowHeight;
        painter.setPen(palette().color(QPalette::Text));
        QFont font = painter.font();
        font.setBold(bank == currentBank_);
        painter.setFont(font);
        painter.drawText(QRect(0, top, Gutter() - 4, rowHeight), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(bank + 1));
        const KeySplitLayout::Bar& bar = layout_.BarOf(bank);
        if (bar.empty)
            continue;
        const QRectF span = KeySpan(bar.first, bar.last);
        const QRectF box(span.left(), top + 2, span.width(), rowHeight - 4);
        painter.fillRect(box, bar.overlaps ? layered : plain);
        if (bank == currentBank_) {
            painter.setPen(QPen(palette().color(QPalette::Text), 2));
            painter.drawRect(box);
        }
    }
    // The keyboard: white keys full height, black keys shorter and dark, keys that several
    // banks play tinted; the octaves' names below it.
    const int keyTop = kRows * rowHeight + 2;
    const int labelHeight = fontMetrics().height();
    const int keyHeight = height() - keyTop - labelHeight;
    // White keys first, so the black ones lie on top of them.
    for (const bool blackKeys : {false, true}) {
        for (const PianoLayout::Key& key : Piano().Keys()) {
            if (key.black != blackKeys)
                continue;
            const int column = key.note - KeySplitLayout::kFirstKey;
            const bool shared = layout_.Layers(column) > 1;
            const QRectF box(Gutter() + key.left * Scale(), keyTop, key.width * Scale(),
                             key.height * keyHeight);
            painter.fillRect(box, key.black
                                      ? (shared ? layered.darker(200) : QColor(30, 30, 30))
                                      : (shared ? layered.lighter(170) : QColor(252, 252, 252)));
            painter.setPen(QColor(160, 160, 160));
            painter.drawRect(box);
        }
    }
    painter.setPen(palette().color(QPalette::Text));
    for (int column = 0; column < KeySplitLayout::kColumns; column += 12) {
        const QRectF span = KeySpan(column, std::min(column + 11, KeySplitLayout::kColumns - 1));
        const QRectF box(span.left(), keyTop + keyHeight, span.width(), labelHeight);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("C%1").arg(column / 12));
    }
}

void KeySplitView::mousePressEvent(QMouseEvent* event) {
    const int bank = static_cast<int>(event->position().y()) / RowHeight();
    if (bank >= 0 && bank < kRows)
        emit BankClicked(bank);
}
