#pragma once

#include <QWidget>
#include <array>

class QPushButton;

// An on-screen piano keyboard: white keys side by side, the black keys shorter and on top of the
// gaps between them. Each key is a button named "CommandKey_<index>" (index = semitone above the
// lowest key) that shows itself held down while the mouse holds it.
class PianoKeyboard : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kKeys = 25;

    explicit PianoKeyboard(QWidget* parent = nullptr);

    QPushButton* Key(int index) const { return keys_.at(index); }
    QSize sizeHint() const override;

  signals:
    void KeyPressed(int index);
    void KeyReleased(int index);

  private:
    void PlaceKeys();

    std::array<QPushButton*, kKeys> keys_{};
};
