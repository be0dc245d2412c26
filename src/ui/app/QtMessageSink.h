#pragma once

#include <QMessageBox>

#include "platform/MessageSink.h"

class QWidget;

// Message boxes on QMessageBox with the platform's codes: the icon in flags 16/32/48/64, the
// buttons in flags 0 (OK), 1 (OK, Cancel) and 4 (Yes, No); the result is 1 OK, 2 Cancel, 6 Yes,
// 7 No. A box without a title of its own shows the application's title.
class QtMessageSink : public MessageSink {
  public:
    static constexpr const char* kApplicationTitle = "ZEL1Edit";

    explicit QtMessageSink(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    int Show(const std::string& text, const std::string& title, int flags) override;

    // The parts of flags, as QMessageBox understands them.
    static QMessageBox::Icon IconFor(int flags);
    static QMessageBox::StandardButtons ButtonsFor(int flags);
    static int ResultFor(QMessageBox::StandardButton button);

  private:
    QWidget* parent_;
};
