#pragma once

#include <QWidget>
#include <array>

#include "windowlogic/KeySplitLayout.h"

// The eight banks' key ranges drawn over one keyboard: one bar per bank, a bar that shares keys
// with another bank in a warning colour, the bank being edited outlined. Clicking a bank's row
// asks for that bank to be shown.
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
    // Left edge of a column, in pixels, over the width the keys take.
    double ColumnX(int column) const;

    KeySplitLayout layout_;
    int currentBank_ = 0;
};
