#pragma once

#include <QString>

// The MIDI activity panels of the status bar: "Send" after outgoing SysEx, "Recieve" after any
// input, each kept for five ticks of the activity timer after the last traffic and then cleared
// once.
class ActivityIndicator {
  public:
    static constexpr int kHoldTicks = 5;

    void Tick(bool sent, bool received);
    const QString& SendText() const { return send_.text; }
    const QString& ReceiveText() const { return receive_.text; }

  private:
    struct Panel {
        QString text;
        int ticksLeft = -1;
        void Tick(bool traffic, const QString& word);
    };
    Panel send_;
    Panel receive_;
};
