#include "ui/widgets/PianoKeyboard.h"

#include <QKeyEvent>
#include <QPushButton>
#include <cmath>

#include "midi/ModuleGlobals.h"
#include "windowlogic/KeyboardNotes.h"
#include "windowlogic/PianoLayout.h"

namespace {
constexpr int kWhiteWidth = 26;
constexpr int kWhiteHeight = 120;

const char* const kWhiteStyle =
    "QPushButton { background: #fbfbf8; border: 1px solid #555; border-top: 0px;"
    " border-bottom-left-radius: 3px; border-bottom-right-radius: 3px; }"
    "QPushButton:pressed { background: #9cc3ea; }";
const char* const kBlackStyle =
    "QPushButton { background: #222; border: 1px solid #000; border-top: 0px;"
    " border-bottom-left-radius: 2px; border-bottom-right-radius: 2px; }"
    "QPushButton:pressed { background: #2f6bb0; }";

const PianoLayout& Layout() {
    static const PianoLayout kLayout(0, PianoKeyboard::kKeys - 1);
    return kLayout;
}

int Pixels(double whiteWidths) {
    return static_cast<int>(std::lround(whiteWidths * kWhiteWidth));
}
}  // namespace

PianoKeyboard::PianoKeyboard(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PianoKeyboard"));
    setFocusPolicy(Qt::StrongFocus);
    for (int key = 0; key < kKeys; ++key) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("CommandKey_%1").arg(key));
        button->setFocusPolicy(Qt::NoFocus);
        button->setStyleSheet(QLatin1String(PianoLayout::IsBlack(key) ? kBlackStyle : kWhiteStyle));
        connect(button, &QPushButton::pressed, this, [this, key] {
            // A click hands the computer's keys to the keyboard too.
            setFocus(Qt::MouseFocusReason);
            emit KeyPressed(key);
        });
        connect(button, &QPushButton::released, this, [this, key] { emit KeyReleased(key); });
        keys_[key] = button;
    }
    PlaceKeys();
    setFixedSize(sizeHint());
    SetLowestNote(0);
}

void PianoKeyboard::SetLowestNote(int note) {
    for (int key = 0; key < kKeys; ++key)
        keys_[key]->setAccessibleName(QString::fromStdString(NoteName(note + key)));
}

QSize PianoKeyboard::sizeHint() const {
    return {Pixels(Layout().Width()) + 1, kWhiteHeight};
}

void PianoKeyboard::PlaceKeys() {
    for (const PianoLayout::Key& key : Layout().Keys()) {
        // White keys overlap by their one-pixel border.
        keys_[key.note]->setGeometry(Pixels(key.left), 0, Pixels(key.width) + (key.black ? 0 : 1),
                                     static_cast<int>(std::lround(key.height * kWhiteHeight)));
    }
    // Black keys lie over the white ones.
    for (const PianoLayout::Key& key : Layout().Keys()) {
        if (key.black)
            keys_[key.note]->raise();
    }
}

void PianoKeyboard::keyPressEvent(QKeyEvent* event) {
    const int key = KeyboardNotes::KeyOfComputerKey(event->key());
    if (key < 0 || key >= kKeys || event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat() || typed_[key])
        return;
    typed_[key] = true;
    keys_[key]->setDown(true);
    emit KeyPressed(key);
}

void PianoKeyboard::keyReleaseEvent(QKeyEvent* event) {
    const int key = KeyboardNotes::KeyOfComputerKey(event->key());
    if (key < 0 || key >= kKeys || !typed_[key]) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat())
        return;
    typed_[key] = false;
    keys_[key]->setDown(false);
    emit KeyReleased(key);
}

void PianoKeyboard::focusOutEvent(QFocusEvent* event) {
    ReleaseTyped();
    QWidget::focusOutEvent(event);
}

void PianoKeyboard::ReleaseTyped() {
    for (int key = 0; key < kKeys; ++key) {
        if (!typed_[key])
            continue;
        typed_[key] = false;
        keys_[key]->setDown(false);
        emit KeyReleased(key);
    }
}
