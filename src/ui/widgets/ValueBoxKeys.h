#pragma once

#include <QObject>
#include <functional>

class QLineEdit;

// The keys of the text box of a value row or an up-down row:
// - Up and Down step the value by its small step, Page Up and Page Down by its page step
//   (typing not yet applied is applied first);
// - the undo and redo keys reach the window's history (Edit "Undo", "Redo") while the box holds
//   no unapplied typing; with unapplied typing they undo and redo the typing itself.
class ValueBoxKeys : public QObject {
    Q_OBJECT

  public:
    // Whether the box holds typing that was not applied yet.
    using Typing = std::function<bool()>;
    // Moves the value by steps small steps, or page steps when page is set.
    using Step = std::function<void(int steps, bool page)>;

    ValueBoxKeys(QLineEdit& box, Typing typing, Step step);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Typing typing_;
    Step step_;
};
