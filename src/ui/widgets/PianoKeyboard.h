#pragma once

#include <QWidget>
#include <array>

class QPushButton;

// An on-screen piano keyboard: white keys side by side, the black keys shorter and on top of the
// gaps between them. Each key is a button named "CommandKey_<index>" (index = semitone above the
// lowest key) that shows itself held down while the mouse holds it. While the keyboard has the
// focus, the computer's keys play it as two rows of a piano (Z S X ... from the lowest C,
// Q 2 W ... from the next); a held computer key does not repeat its note. Screen readers reach
// the keys as buttons named by their notes ("C5").
class PianoKeyboard : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kKeys = 25;

    explicit PianoKeyboard(QWidget* parent = nullptr);

    QPushButton* Key(int index) const { return keys_.at(index); }
    // The note the lowest key plays; each key is named after its note for assistive technology.
    void SetLowestNote(int note);
    QSize sizeHint() const override;

  signals:
    void KeyPressed(int index);
    void KeyReleased(int index);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    // Keys held from the computer's keyboard end when the focus goes elsewhere.
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void PlaceKeys();
    void ReleaseTyped();

    std::array<QPushButton*, kKeys> keys_{};
    std::array<bool, kKeys> typed_{};
};
