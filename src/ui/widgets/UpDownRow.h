#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLineEdit;
class QSpinBox;

// An up-down control bound to a text box: the up-down ("UpDown" + name) holds the value, the
// text box ("Text" + name) shows it and takes typed numbers. The rules are a value row's:
// - an arrow click, or a value set by SetValue, reports Changed and goes to the record at once;
// - typed text is applied on Enter and when the box loses the focus by the typed-number rule
//   (leading number, halves to even, clamped; the same value changes nothing), to the record
//   it was typed for; text that does not start with a number changes nothing;
// - Up, Down, Page Up and Page Down in the text box step the value (ValueBoxKeys);
// - Show never writes.
// Unlike a scroll bar's, a held up-down arrow does not pile up steps while a write paces the
// synth: its repeat timer neither fires again inside its own step nor repeats faster than one
// write's pause. Its release is seen at once with the plain event loop (see
// EditorApplication::PrepareProcess).
class UpDownRow : public QObject {
    Q_OBJECT

  public:
    using Writer = std::function<void(int)>;
    // What Page Up and Page Down add and take in the text box.
    static constexpr int kPageStep = 10;
    // The writer for the record shown now; empty when nothing is to be written.
    using Target = std::function<Writer()>;

    // An index >= 0 is appended as "_" + index.
    UpDownRow(const QString& name, int minimum, int maximum, QWidget* parent, int index = -1);

    QSpinBox* UpDown() const { return upDown_; }
    QLineEdit* Text() const { return text_; }
    int Value() const;

    void SetTarget(Target target) { target_ = std::move(target); }
    // Changes the value as a click would: Changed is reported and the target written.
    void SetValue(int value);
    // Shows a value without reporting or writing it.
    void Show(int value);
    // Applies typed text that was not applied yet to the record it was typed for.
    void ApplyPendingText();
    // Makes both controls available or not (a disabled box takes no input).
    void SetEnabled(bool enabled);
    void SetVisible(bool visible);
    // Names both controls after the row's label ("Rate, Point 1").
    void SetLabel(const QString& label);

  signals:
    // The value changed by the user or by SetValue (not by Show).
    void Changed(int value);

  private:
    void OnValueChanged(int value);
    void ApplyText();
    void OnTextEdited();

    QSpinBox* upDown_;
    QLineEdit* text_;
    Target target_;
    Writer typedFor_;
    // The writer for the next change instead of the target's (typed text for an earlier record).
    Writer override_;
    bool hasOverride_ = false;
    bool textEdited_ = false;
    bool showing_ = false;
};
