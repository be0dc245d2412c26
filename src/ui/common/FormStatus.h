#pragma once

#include <QWidget>

class EventPump;
class QLabel;
class QProgressBar;

// The progress window that long transfers show: a caption, a message line, a progress bar and
// a percentage. It has no behaviour of its own; the caller prepares, shows, updates and hides it.
// Every call lets pending window events run once, so the window repaints during a transfer.
class FormStatus : public QWidget {
    Q_OBJECT

  public:
    explicit FormStatus(EventPump& pump, QWidget* parent = nullptr);

    // A range with minimum >= maximum shows the caption and the message only.
    void Prepare(const QString& caption, const QString& message, int minimum, int maximum,
                 int value);
    void ChangeValue(int value);
    // ChangeValue without the pass of events: for a caller that is one of those events.
    void ShowValue(int value);
    void ChangeMessage(const QString& message);

  private:
    // The bar refuses values outside its range; the value shown is held inside it.
    int Clamped(int value) const;

    EventPump& pump_;
    QLabel* labelMessage_;
    QProgressBar* progressBar_;
    QLabel* labelPercentage_;
};
