#include <dlfcn.h>
#include <gtest/gtest.h>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyleOptionSpinBox>
#include <QTest>
#include <QWidget>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "midi/ModuleGlobals.h"
#include "platform/SteadyClock.h"
#include "ui/app/QtEventPump.h"
#include "ui/widgets/UpDownRow.h"
#include "ui/widgets/ValueRow.h"

namespace {
// The X server's test extension, loaded at run time: a button pressed and released as if by
// hand, so the press and release come through the display like a user's.
class FakeMouse {
  public:
    FakeMouse() {
        x11_ = dlopen("libX11.so.6", RTLD_NOW);
        xtst_ = dlopen("libXtst.so.6", RTLD_NOW);
        if (x11_ == nullptr || xtst_ == nullptr)
            return;
        open_ = reinterpret_cast<Open>(dlsym(x11_, "XOpenDisplay"));
        flush_ = reinterpret_cast<Flush>(dlsym(x11_, "XFlush"));
        close_ = reinterpret_cast<Flush>(dlsym(x11_, "XCloseDisplay"));
        motion_ = reinterpret_cast<Motion>(dlsym(xtst_, "XTestFakeMotionEvent"));
        button_ = reinterpret_cast<Button>(dlsym(xtst_, "XTestFakeButtonEvent"));
    }
    ~FakeMouse() {
        if (xtst_ != nullptr)
            dlclose(xtst_);
        if (x11_ != nullptr)
            dlclose(x11_);
    }
    bool Usable() const { return open_ && flush_ && close_ && motion_ && button_; }
    // Moves to (x, y), presses the left button, holds it, releases it.
    void Hold(int x, int y, std::chrono::milliseconds hold, std::atomic<bool>& released) {
        void* display = open_(nullptr);
        if (display == nullptr)
            return;
        motion_(display, -1, x, y, 0);
        flush_(display);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        button_(display, 1, 1, 0);
        flush_(display);
        std::this_thread::sleep_for(hold);
        button_(display, 1, 0, 0);
        flush_(display);
        released = true;
        close_(display);
    }

  private:
    using Open = void* (*)(const char*);
    using Flush = int (*)(void*);
    using Motion = int (*)(void*, int, int, int, unsigned long);
    using Button = int (*)(void*, unsigned, int, unsigned long);
    void* x11_ = nullptr;
    void* xtst_ = nullptr;
    Open open_ = nullptr;
    Flush flush_ = nullptr;
    Flush close_ = nullptr;
    Motion motion_ = nullptr;
    Button button_ = nullptr;
};

}  // namespace

// On a real display (skipped elsewhere): an arrow held while every step pauses for the synth
// as the editor's messages do stops within a step of where the user let go (it used to run on
// to the end of the row, seconds after the release).
class HeldArrowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X display";
        ASSERT_TRUE(mouse.Usable()) << "libXtst.so.6 is missing";
        window.setGeometry(100, 100, 300, 60);
    }
    // The pause after every parameter change.
    void Pause() { Delay(0.05F, pump, clock); }
    // Holds the left button on `arrow` for `hold`; the control must have repeated (`least`
    // steps) and come to rest within two steps of where it was let go.
    void ExpectStopsOnRelease(QPoint arrow, std::chrono::milliseconds hold,
                              const std::function<int()>& value, int least) {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        std::atomic<bool> released{false};
        std::thread hand([&] { mouse.Hold(arrow.x(), arrow.y(), hold, released); });
        int beforeRelease = 0;
        for (int i = 0; i < 400 && !released; ++i) {
            beforeRelease = value();
            QTest::qWait(10);
        }
        hand.join();
        QTest::qWait(600);
        const int settled = value();
        QTest::qWait(300);

        EXPECT_GE(beforeRelease, least);  // the arrow did repeat
        EXPECT_LE(settled - beforeRelease, 2);
        EXPECT_EQ(value(), settled);
    }

    FakeMouse mouse;
    QWidget window;
    QtEventPump pump;
    SteadyClock clock;
};

TEST_F(HeldArrowTest, AReleasedArrowStopsWhereTheUserLetGo) {
    ValueRow row(QStringLiteral("Detune"), {-64, 63, 1, 10}, &window);
    QScrollBar* bar = row.Bar();
    bar->setGeometry(0, 0, 200, 20);
    row.Bind([] { return 0; }, [&]() -> ValueRow::Writer { return [&](int) { Pause(); }; });
    ExpectStopsOnRelease(
        bar->mapToGlobal(QPoint(bar->width() - 4, bar->height() / 2)),
        std::chrono::milliseconds(1200), [&] { return bar->value(); }, 5);
}

// An up-down's arrow repeats by a timer of its own.
TEST_F(HeldArrowTest, AReleasedUpDownStopsWhereTheUserLetGo) {
    UpDownRow row(QStringLiteral("Rate"), 0, 127, &window, 0);
    row.Text()->setGeometry(0, 0, 60, 24);
    row.UpDown()->setGeometry(60, 0, row.UpDown()->width(), 24);
    row.SetTarget([&]() -> UpDownRow::Writer { return [&](int) { Pause(); }; });
    QSpinBox* box = row.UpDown();
    QStyleOptionSpinBox option;
    option.initFrom(box);
    option.subControls = QStyle::SC_SpinBoxUp;
    const QRect up =
        box->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, box);
    ExpectStopsOnRelease(
        box->mapToGlobal(up.center()), std::chrono::milliseconds(1500), [&] { return row.Value(); },
        3);
}
