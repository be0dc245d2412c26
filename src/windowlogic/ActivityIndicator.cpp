#include "windowlogic/ActivityIndicator.h"

void ActivityIndicator::Panel::Tick(bool traffic, const QString& word) {
    if (traffic) {
        text = word;
        ticksLeft = kHoldTicks;
    }
    if (ticksLeft >= 1) {
        --ticksLeft;
    } else if (ticksLeft == 0) {
        text.clear();
        ticksLeft = -1;
    }
}

void ActivityIndicator::Tick(bool sent, bool received) {
    send_.Tick(sent, QStringLiteral("Send"));
    receive_.Tick(received, QStringLiteral("Recieve"));
}
