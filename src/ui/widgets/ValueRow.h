#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLineEdit;
class QScrollBar;
class QWidget;

// A value row: a horizontal scroll bar that holds a parameter and a text box beside it showing
// the same integer. The bar is the authority:
// - an arrow or page click, a finished thumb drag, or a typed value changes the bar, and the
//   new value goes to the record at once (tracking is off, so a drag sends once, on release);
// - while the thumb is dragged the text follows it and nothing is sent;
// - typed text is applied on Enter and when the box loses the focus, by the typed-number rule
//   (leading number, halves to even, clamped; the same value changes nothing); text that does
//   not start with a number changes nothing and the box shows the value again;
// - the keys of a value control work on the bar and in the box (ValueScrollBar, ValueBoxKeys);
// - showing a record's value (Show, Refresh) never writes it back; a value outside the range is
//   shown clamped and stays as it is in the record until the user moves the row.
// A held arrow whose every step pauses for the synth does not run on after release: steps that
// arrive during a write are gathered and the latest one is written once the write is over. (The
// release itself is seen only with the plain event loop: EditorApplication::PrepareProcess.)
class ValueRow : public QObject {
    Q_OBJECT

  public:
    struct Range {
        int minimum;
        int maximum;
        int smallStep;
        int pageStep;
    };
    using Writer = std::function<void(int)>;
    // The writer for the record shown now; empty when there is none (nothing is written).
    using Target = std::function<Writer()>;
    using Reader = std::function<int()>;
    // The text shown for a value.
    using Format = std::function<QString(int)>;

    // Makes the scroll bar "FlatScrollBar" + name and the text box "Text" + name, both children
    // of parent; an index >= 0 is appended as "_" + index (element of an indexed array).
    ValueRow(const QString& name, const Range& range, QWidget* parent, int index = -1);

    QScrollBar* Bar() const { return bar_; }
    QLineEdit* Text() const { return text_; }
    int Value() const;

    void Bind(Reader read, Target target);
    // Shows each value as format gives it in a box that cannot be typed into (a note name);
    // the row is then set with its scroll bar only.
    void ShowAs(Format format);
    // Names both controls for screen readers (and tests) after the row's label:
    // "Detune, Oscilator 2".
    void SetLabel(const QString& label);
    // Applies text typed for the record shown until now, then shows the bound record's value.
    void Refresh();
    // Shows a value without writing it.
    void Show(int value);
    // Applies typed text that was not applied yet to the record it was typed for.
    void ApplyPendingText();

  signals:
    // A value the user chose reached the record.
    void Written(int value);

  private:
    void OnBarChanged(int value);
    void Write(int value, const Writer& writer);
    void WriteGathered();
    void ApplyText();
    void OnTextEdited();
    QString Text(int value) const;

    QScrollBar* bar_;
    QLineEdit* text_;
    Reader read_;
    Format format_;
    Target target_;
    // The record the text in the box was typed for, captured at its first keystroke.
    Writer typedFor_;
    bool textEdited_ = false;
    bool showing_ = false;
    bool writing_ = false;
    bool gathered_ = false;
    int lastWritten_ = 0;
    Writer gatheredWriter_;
};
