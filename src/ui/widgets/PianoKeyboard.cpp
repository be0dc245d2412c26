#include "ui/widgets/PianoKeyboard.h"

#include <QPushButton>

#include "windowlogic/KeyboardNotes.h"

namespace {
constexpr int kWhiteWidth = 26;
constexpr int kWhiteHeight = 120;
constexpr int kBlackWidth = 16;
constexpr int kBlackHeight = 74;

const char* const kWhiteStyle =
    "QPushButton { background: #fbfbf8; border: 1px solid #555; border-top: 0px;"
    " border-bottom-left-radius: 3px; border-bottom-right-radius: 3px; }"
    "QPushButton:pressed { background: #9cc3ea; }";
const char* const kBlackStyle =
    "QPushButton { background: #222; border: 1px solid #000; border-top: 0px;"
    " border-bottom-left-radius: 2px; border-bottom-right-radius: 2px; }"
    "QPushButton:pressed { background: #2f6bb0; }";

int WhiteKeys() {
    int count = 0;
    for (int key = 0; key < PianoKeyboard::kKeys; ++key)
        count += KeyboardNotes::IsBlack(key) ? 0 : 1;
    return count;
}
}  // namespace

PianoKeyboard::PianoKeyboard(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PianoKeyboard"));
    for (int key = 0; key < kKeys; ++key) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("CommandKey_%1").arg(key));
        button->setFocusPolicy(Qt::NoFocus);
        button->setStyleSheet(
            QLatin1String(KeyboardNotes::IsBlack(key) ? kBlackStyle : kWhiteStyle));
        connect(button, &QPushButton::pressed, this, [this, key] { emit KeyPressed(key); });
        connect(button, &QPushButton::released, this, [this, key] { emit KeyReleased(key); });
        keys_[key] = button;
    }
    PlaceKeys();
    setFixedSize(sizeHint());
}

QSize PianoKeyboard::sizeHint() const {
    return {WhiteKeys() * kWhiteWidth + 1, kWhiteHeight};
}

void PianoKeyboard::PlaceKeys() {
    int white = 0;
    for (int key = 0; key < kKeys; ++key) {
        if (KeyboardNotes::IsBlack(key)) {
            // Centred on the line between the white key before it and the next one.
            keys_[key]->setGeometry(white * kWhiteWidth - kBlackWidth / 2, 0, kBlackWidth,
                                    kBlackHeight);
        } else {
            keys_[key]->setGeometry(white * kWhiteWidth, 0, kWhiteWidth + 1, kWhiteHeight);
            ++white;
        }
    }
    // Black keys lie over the white ones.
    for (int key = 0; key < kKeys; ++key) {
        if (KeyboardNotes::IsBlack(key))
            keys_[key]->raise();
    }
}
