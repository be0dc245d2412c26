#pragma once

#include <QWidget>
#include <array>

#include "windowlogic/KeySplitLayout.h"
#include "windowlogic/PianoLayout.h"

// The eight banks' key ranges drawn over one keyboard: one bar per bank, a bar that shares keys
// with another bank in a warning colour, the bank being edited outlined. Clicking a bank's row
// asks for that bank to be shown. Its accessible description says each bank's range in words.
class KeySplitView : public QWidget {
    Q_OBJECT

  public:
    explicit KeySplitView(QWidget* parent = nullptr);

    void SetRanges(const std::array<KeySplitLayout::Range, KeySplitLayout::kBanks>& ranges);
    void SetCurrentBank(int bank);
    const KeySplitLayout& Layout() const { return layout_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void BankClicked(int bank);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    int Gutter() const;
    int RowHeight() const;
    int KeyboardHeight() const;
    // The keys laid out as a piano over the keys a split can take.
    static const PianoLayout& Piano();
    // Pixels per white key.
    double Scale() const;
    // Left edge and width, in pixels, of the keys in columns first..last.
    QRectF KeySpan(int first, int last) const;

    void DescribeRanges(const std::array<KeySplitLayout::Range, KeySplitLayout::kBanks>& ranges);

    KeySplitLayout layout_;
    int currentBank_ = 0;
};
